// A growth canvas behind a display that goes off and on: the reports are
// made up here, as the platform would send them, and the canvas's growth is
// watched through the random generator it draws from, which every growth
// step advances.
#include "settings/fixed_settings_app.h"
#include "settings/settings.h"
#include "canvas/growth_wnd.h"
#include "growth/growth_random.h"
#include "message_pump.h"

#include <gtest/gtest.h>

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

    LRESULT Report(UINT event, std::vector<unsigned char> setting)
    {
        return m_canvas.SendMessage(WM_POWERBROADCAST, event, reinterpret_cast<LPARAM>(setting.data()));
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
    m_canvas.SendMessage(WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, 0);
    EXPECT_TRUE(Grows());
}

}  // namespace
