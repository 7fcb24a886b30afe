// The display's power reports on Win32: a power-setting registration for
// the console display state, whose changes arrive as WM_POWERBROADCAST
// with PBT_POWERSETTINGCHANGE and a POWERBROADCAST_SETTING.
#include "display_power.h"

#include <cstring>

namespace {

// GUID_CONSOLE_DISPLAY_STATE, spelt out so that no GUID library is needed.
constexpr GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

// The setting's value: 0 off, 1 on, 2 dimmed.
constexpr DWORD kDisplayOff = 0;

}  // namespace

DisplayPowerChange DisplayPowerChangeOf(UINT event, LPARAM data)
{
    if (event != PBT_POWERSETTINGCHANGE || data == 0)
        return DisplayPowerChange::None;
    const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(data);
    if (!IsEqualGUID(setting->PowerSetting, kConsoleDisplayState) || setting->DataLength < sizeof(DWORD))
        return DisplayPowerChange::None;
    DWORD state = 0;
    std::memcpy(&state, setting->Data, sizeof state);
    return state == kDisplayOff ? DisplayPowerChange::Off : DisplayPowerChange::On;
}

CDisplayPowerWatch::~CDisplayPowerWatch()
{
    Stop();
}

void CDisplayPowerWatch::Start(HWND hWnd)
{
    Stop();
    m_registration = ::RegisterPowerSettingNotification(hWnd, &kConsoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE);
}

void CDisplayPowerWatch::Stop()
{
    if (m_registration != nullptr)
        ::UnregisterPowerSettingNotification(static_cast<HPOWERNOTIFY>(m_registration));
    m_registration = nullptr;
}
