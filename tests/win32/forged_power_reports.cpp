#include "forged_power_reports.h"

#include "user_input.h"

namespace {

// Small numbers, the top of the address space, and addresses in the middle
// of it that no process maps.
const LPARAM kMadeUp[] = {1, 0x10000, -1, static_cast<LPARAM>(0x7FFFFFFF0000), static_cast<LPARAM>(0xDEADBEEF)};

}  // namespace

bool SendForgedPowerReports(HWND hWnd, DWORD timeoutMs)
{
    for (const LPARAM data : kMadeUp) {
        if (!::PostMessage(hWnd, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, data))
            return false;
        if (!WaitForInputTaken(hWnd, timeoutMs))
            return false;
        DWORD_PTR result = 0;
        if (::SendMessageTimeout(hWnd, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, data, SMTO_ABORTIFHUNG, timeoutMs,
                                 &result) == 0)
            return false;
    }
    return true;
}
