// The display's power reports on Win32: a power-setting registration for
// the console display state, whose changes arrive as WM_POWERBROADCAST
// with PBT_POWERSETTINGCHANGE and a POWERBROADCAST_SETTING.
#include "display_power.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

// GUID_CONSOLE_DISPLAY_STATE, spelt out so that no GUID library is needed.
constexpr GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

// The setting's value: 0 off, 1 on, 2 dimmed.
constexpr DWORD kDisplayOff = 0;

// What a report of the display state holds: the setting's header and its
// one DWORD of data.
constexpr std::size_t kReportSize = offsetof(POWERBROADCAST_SETTING, Data) + sizeof(DWORD);

// The system sends its power-setting reports (SendMessage from a thread of
// its own), with the setting in memory it has placed in this process. A
// posted WM_POWERBROADCAST, or one sent from this thread, comes from
// somebody else, and its lParam is only a number.
bool SentByAnotherThread()
{
    return (::InSendMessageEx(nullptr) & (ISMEX_SEND | ISMEX_NOTIFY | ISMEX_CALLBACK)) == ISMEX_SEND;
}

bool IsReadable(DWORD protection)
{
    if (protection & (PAGE_GUARD | PAGE_NOACCESS))
        return false;
    return (protection & (PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                          PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY)) != 0;
}

// Whether every byte of [address, address + size) is committed, readable
// memory of this process. Another process can send any lParam; this keeps
// a made-up pointer from being read. The memory of a report the system
// sends stays in place until the message is answered.
bool IsReadableMemory(LPARAM address, std::size_t size)
{
    const auto begin = static_cast<std::uintptr_t>(address);
    if (begin == 0 || begin + size < begin)
        return false;
    const std::uintptr_t end = begin + size;
    for (std::uintptr_t at = begin; at < end;) {
        MEMORY_BASIC_INFORMATION region{};
        if (::VirtualQuery(reinterpret_cast<const void*>(at), &region, sizeof region) != sizeof region)
            return false;
        if (region.State != MEM_COMMIT || !IsReadable(region.Protect))
            return false;
        at = reinterpret_cast<std::uintptr_t>(region.BaseAddress) + region.RegionSize;
    }
    return true;
}

}  // namespace

DisplayPowerChange DisplayPowerChangeOf(UINT event, LPARAM data)
{
    if (event != PBT_POWERSETTINGCHANGE || !SentByAnotherThread() || !IsReadableMemory(data, kReportSize))
        return DisplayPowerChange::None;
    POWERBROADCAST_SETTING setting{};
    std::memcpy(&setting, reinterpret_cast<const void*>(data), offsetof(POWERBROADCAST_SETTING, Data));
    if (!IsEqualGUID(setting.PowerSetting, kConsoleDisplayState) || setting.DataLength != sizeof(DWORD))
        return DisplayPowerChange::None;
    DWORD state = 0;
    std::memcpy(&state, reinterpret_cast<const unsigned char*>(data) + offsetof(POWERBROADCAST_SETTING, Data),
                sizeof state);
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
