// The window contract's port on the off-screen window system.
#include "offscreen_world.h"
#include "window_contract_port.h"

CWindowContractPort::CWindowContractPort()
{
    OffscreenWorld().Reset();
}

CWindowContractPort::~CWindowContractPort()
{
    OffscreenWorld().Reset();
}

// The quit message comes after the messages posted before it.
bool CWindowContractPort::TakeQuit(int* code)
{
    const COffscreenPumpResult pumped = OffscreenWorld().Pump();
    if (pumped.quit)
        *code = pumped.exitCode;
    return pumped.quit;
}
