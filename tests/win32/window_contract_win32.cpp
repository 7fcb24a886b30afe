// The window contract's port on Win32: windows live as long as the test
// makes them; the quit message is the thread's.
#include "message_pump.h"
#include "window_contract_port.h"

CWindowContractPort::CWindowContractPort()
{
    TakeQuitMessage();  // none left over from an earlier test
}

CWindowContractPort::~CWindowContractPort() = default;

bool CWindowContractPort::TakeQuit(int* code)
{
    WPARAM quitCode = 0;
    if (!TakeQuitMessage(&quitCode))
        return false;
    *code = static_cast<int>(quitCode);
    return true;
}
