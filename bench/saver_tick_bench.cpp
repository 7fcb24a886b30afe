// How long a tick of the real saver window takes on the platform, and how
// much of a processor the running saver uses. Windows only (runs under
// Wine here): a full-screen growth window at the largest growth rate.
//
// Part 1 stops the window's timer, seeds the growth's random source with a
// fixed number, and sends 2000 ticks one by one, timing
// each with the performance counter; re-seed ticks are told apart by the
// state they leave (slot 0 restarted with a count of 0). Part 2 lets the
// timer run for ten seconds of message loop and reads the process's CPU
// time against the wall clock.
#include "settings/fixed_settings_app.h"
#include "settings/settings.h"
#include "canvas/growth_wnd.h"
#include "growth/growth_random.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Counts the timer's ticks as they pass through the window's table.
class CCountingGrowthWnd : public CGrowthWnd {
public:
    CCountingGrowthWnd() : CGrowthWnd(FALSE) {}
    long long m_ticks = 0;

protected:
    void OnTimer(UINT_PTR id)
    {
        ++m_ticks;
        CGrowthWnd::OnTimer(id);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCountingGrowthWnd, CGrowthWnd)
    ON_WM_TIMER()
END_MESSAGE_MAP()

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency)
{
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

double ProcessCpuSeconds()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto toSeconds = [](FILETIME t) {
        return double((ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime) * 1e-7;
    };
    return toSeconds(kernel) + toSeconds(user);
}

void Report(const char* name, std::vector<double>& ms)
{
    if (ms.empty())
        return;
    std::sort(ms.begin(), ms.end());
    std::printf("%-14s %6zu ticks   median %7.3f ms   p99 %7.3f ms   worst %7.3f ms\n", name, ms.size(),
                ms[ms.size() / 2], ms[ms.size() * 99 / 100], ms.back());
}

}  // namespace

int main()
{
    // The measurement's settings instead of the user's store.
    CFixedSettingsApp app("verdane-bench", {{settings::kNames.growthRate, 100}});
    app.m_hInstance = GetModuleHandle(nullptr);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);

    CCountingGrowthWnd canvas;
    canvas.Create(WS_EX_TOPMOST, WS_POPUP | WS_VISIBLE, CRect(0, 0, width, height), nullptr);
    canvas.UpdateWindow();
    std::printf("saver window %dx%d, %d slots in use\n", width, height, canvas.m_inUse);

    canvas.KillTimer(1);
    // The same ticks in every run (the window seeds from the clock), so that
    // runs of two builds compare.
    SeedGrowthRandom(20261208);
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> plain, reseed, all;
    for (int i = 0; i < 2000; ++i) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        canvas.SendMessage(WM_TIMER, 1, 0);
        QueryPerformanceCounter(&end);
        const double ms = Seconds(start, end, frequency) * 1e3;
        const bool reseeded = canvas.m_branches[0].m_active && canvas.m_branches[0].m_count == 0;
        (reseeded ? reseed : plain).push_back(ms);
        all.push_back(ms);
    }
    Report("all ticks", all);
    Report("no re-seed", plain);
    Report("re-seed", reseed);
    // Shown now, so that a script watching the output knows that the
    // running part begins (to sample the display server's processor time).
    std::fflush(stdout);

    canvas.m_ticks = 0;
    canvas.RestartTimer();
    const double cpuBefore = ProcessCpuSeconds();
    LARGE_INTEGER start, now;
    QueryPerformanceCounter(&start);
    MSG msg;
    do {
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessage(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        QueryPerformanceCounter(&now);
    } while (Seconds(start, now, frequency) < 10.0);
    const double wall = Seconds(start, now, frequency);
    const double cpu = ProcessCpuSeconds() - cpuBefore;
    std::printf("running: %lld ticks in %.1f s (%.1f ms apart), CPU %.1f%% of one core\n", canvas.m_ticks, wall,
                wall * 1e3 / double(canvas.m_ticks ? canvas.m_ticks : 1), 100.0 * cpu / wall);
    canvas.DestroyWindow();
    return 0;
}
