// The off-screen port has no display to switch off: nothing is reported.
#include "display_power.h"

DisplayPowerChange DisplayPowerChangeOf(UINT, LPARAM)
{
    return DisplayPowerChange::None;
}

CDisplayPowerWatch::~CDisplayPowerWatch() = default;

void CDisplayPowerWatch::Start(HWND)
{
}

void CDisplayPowerWatch::Stop()
{
    m_registration = nullptr;
}
