// A growth canvas behind a display that goes off and on: the reports are
// made up here and sent from another thread, as the platform sends them,
// and the canvas's growth is watched through the random generator it draws
// from, which every growth step advances. Reports that the platform would
// not send (posted ones, or made-up pointers) change nothing and are never
// read.
#include "settings/fixed_settings_app.h"
#include "settings/settings.h"
#include "canvas/growth_wnd.h"
#include "growth/growth_random.h"
#include "message_pump.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <vector>

namespace {

// GUID_CONSOLE_DISPLAY_STATE and another power setting's GUID
// (GUID_ACDC_POWER_SOURCE).
constexpr GUID kDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
constexpr GUID kPowerSource = {0x5d3e9a59, 0xe9d5, 0x4b00, {0xa6, 0xbd, 0xff, 0x34, 0xff, 0x51, 0x65, 0x48}};
constexpr DWORD kOff = 0;
constexpr DWORD kOn = 1;
constexpr DWORD kDimmed = 2;
// Long enough for dozens of ticks of a running timer.
constexpr DWORD kQuietMs = 400;

// A POWERBROADCAST_SETTING with its data, in storage of its own.
std::vector<unsigned char> Setting(const GUID& guid, DWORD value, DWORD length = sizeof(DWORD))
{
    std::vector<unsigned char> storage(sizeof(POWERBROADCAST_SETTING) + sizeof(DWORD));
    auto* setting = reinterpret_cast<POWERBROADCAST_SETTING*>(storage.data());
    setting->PowerSetting = guid;
    setting->DataLength = length;
    std::memcpy(setting->Data, &value, sizeof value);
    return storage;
}

class DisplayPower : public testing::Test {
protected:
    void SetUp() override
    {
        m_app.m_hInstance = ::GetModuleHandle(nullptr);
        m_canvas.Create(0, WS_POPUP | WS_VISIBLE, CRect(0, 0, 320, 240), nullptr);
        ASSERT_TRUE(::IsWindow(m_canvas.m_hWnd));
        m_canvas.UpdateWindow();
        ASSERT_GT(m_canvas.m_inUse, 0);
        ASSERT_TRUE(Grows()) << "the canvas ticks before any report";
    }
    void TearDown() override
    {
        m_canvas.DestroyWindow();
        DiscardMessages();
    }

    // Sends the message from a thread of its own while this one runs its
    // messages; the canvas's answer.
    LRESULT SendFromAnotherThread(UINT event, LPARAM data)
    {
        struct Send {
            HWND window;
            UINT event;
            LPARAM data;
            LRESULT result;
        } send{m_canvas.m_hWnd, event, data, 0};
        const auto run = [](void* context) -> DWORD {
            auto* s = static_cast<Send*>(context);
            s->result = ::SendMessage(s->window, WM_POWERBROADCAST, s->event, s->data);
            return 0;
        };
        const HANDLE thread = ::CreateThread(nullptr, 0, run, &send, 0, nullptr);
        EXPECT_NE(thread, nullptr);
        if (thread == nullptr)
            return 0;
        const bool answered =
            PumpMessagesUntil([&] { return ::WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }, 5000);
        EXPECT_TRUE(answered);
        if (!answered)
            ::TerminateThread(thread, 1);
        ::CloseHandle(thread);
        return send.result;
    }

    LRESULT Report(UINT event, std::vector<unsigned char> setting)
    {
        return SendFromAnotherThread(event, reinterpret_cast<LPARAM>(setting.data()));
    }
    LRESULT ReportDisplay(DWORD value) { return Report(PBT_POWERSETTINGCHANGE, Setting(kDisplayState, value)); }

    // Whether the growth advances while the thread runs its messages.
    bool Grows(DWORD timeoutMs = 5000)
    {
        const std::uint32_t before = GrowthRandom().State();
        return PumpMessagesUntil([&] { return GrowthRandom().State() != before; }, timeoutMs);
    }

    // Whether the growth stands still through the timer's ticks, a tick
    // sent directly and a full repaint.
    bool StandsStill()
    {
        const std::uint32_t before = GrowthRandom().State();
        PumpMessagesUntil([] { return false; }, kQuietMs);
        m_canvas.SendMessage(WM_TIMER, 1, 0);
        m_canvas.Invalidate(FALSE);
        m_canvas.UpdateWindow();
        return GrowthRandom().State() == before;
    }

    CFixedSettingsApp m_app{"verdane-power", {{settings::kNames.growthRate, 50}}};
    CGrowthWnd m_canvas{FALSE};
};

// A dimmed display counts as on.
TEST_F(DisplayPower, NoGrowthWhileTheDisplayIsOffAndGrowthAgainWhenItComesBack)
{
    EXPECT_EQ(ReportDisplay(kOff), TRUE);
    EXPECT_TRUE(StandsStill());
    // A restart asked for meanwhile (a slider moved) starts no timer.
    m_canvas.RestartTimer();
    EXPECT_TRUE(StandsStill());
    EXPECT_EQ(ReportDisplay(kOn), TRUE);
    EXPECT_TRUE(Grows());

    ReportDisplay(kOff);
    ReportDisplay(kOff);
    EXPECT_TRUE(StandsStill());
    ReportDisplay(kDimmed);
    EXPECT_TRUE(Grows());
}

// Reports about something else, or too short to read, leave the canvas
// growing.
TEST_F(DisplayPower, OtherReportsAreNotTheDisplayGoingOff)
{
    Report(PBT_POWERSETTINGCHANGE, Setting(kPowerSource, kOff));
    Report(PBT_POWERSETTINGCHANGE, Setting(kDisplayState, kOff, 0));
    Report(PBT_APMRESUMEAUTOMATIC, Setting(kDisplayState, kOff));
    Report(PBT_POWERSETTINGCHANGE, Setting(kDisplayState, kOff, sizeof(DWORD) + 1));
    Report(PBT_POWERSETTINGCHANGE, Setting(kDisplayState, kOff, 0xFFFFFFFF));
    SendFromAnotherThread(PBT_POWERSETTINGCHANGE, 0);
    EXPECT_TRUE(Grows());
}

// Only the platform sends the reports, from a thread of its own: a report
// posted, or sent by this thread, is somebody else's, however well formed.
TEST_F(DisplayPower, ReportsNotSentByAnotherThreadAreNotRead)
{
    const std::vector<unsigned char> off = Setting(kDisplayState, kOff);
    m_canvas.PostMessage(WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(off.data()));
    EXPECT_TRUE(Grows());
    m_canvas.SendMessage(WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(off.data()));
    EXPECT_TRUE(Grows());
}

// Another program can post or send the message with any number as its
// lParam; none of them is read as a pointer, so none ends the program.
TEST_F(DisplayPower, MadeUpPointersAreNotRead)
{
    // A page that is reserved but not committed, and the last bytes of a
    // committed page followed by one that is not: a report laid over them
    // would run into memory that cannot be read.
    auto* pages = static_cast<unsigned char*>(::VirtualAlloc(nullptr, 2 * 4096, MEM_RESERVE, PAGE_NOACCESS));
    ASSERT_NE(pages, nullptr);
    ASSERT_NE(::VirtualAlloc(pages, 4096, MEM_COMMIT, PAGE_READWRITE), nullptr);
    const std::vector<unsigned char> off = Setting(kDisplayState, kOff);
    const std::size_t head = offsetof(POWERBROADCAST_SETTING, Data);
    std::memcpy(pages + 4096 - head, off.data(), head);

    const LPARAM madeUp[] = {1,
                             0x10000,
                             -1,
                             static_cast<LPARAM>(0x7FFFFFFF0000),
                             reinterpret_cast<LPARAM>(pages + 4096),
                             reinterpret_cast<LPARAM>(pages + 4096 - head)};
    for (const LPARAM data : madeUp) {
        m_canvas.PostMessage(WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, data);
        SendFromAnotherThread(PBT_POWERSETTINGCHANGE, data);
    }
    EXPECT_TRUE(Grows());
    ::VirtualFree(pages, 0, MEM_RELEASE);
}

}  // namespace
