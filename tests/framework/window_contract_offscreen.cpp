// The window contract's port on the off-screen window system: each test
// gets a world of its own, gone with its windows when the test ends.
#include "offscreen_world.h"
#include "window_contract_port.h"

#include <optional>

namespace {

std::optional<COffscreenWorld> s_world;

}  // namespace

CWindowContractPort::CWindowContractPort()
{
    s_world.emplace();
}

CWindowContractPort::~CWindowContractPort()
{
    s_world.reset();
}

// The quit message comes after the messages posted before it.
bool CWindowContractPort::TakeQuit(int* code)
{
    const COffscreenPumpResult pumped = s_world->Pump();
    if (pumped.quit)
        *code = pumped.exitCode;
    return pumped.quit;
}
