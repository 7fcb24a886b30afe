#include "growth_wnd.h"

#include "app.h"
#include "settings/settings.h"
#include "growth/growth_random.h"
#include "growth/slot_count.h"
#include "res/resource.h"
#include "window_dc.h"

#include <ctime>

namespace {

constexpr UINT_PTR kGrowthTimer = 1;
constexpr COLORREF kWhite = 0xFFFFFF;
// Canvases narrower than this use the short branches of the small rule and
// keep the framework's default window class.
constexpr LONG kLargeCanvasWidth = 800;

std::int32_t CapacityForPrimaryScreen()
{
    return PoolCapacityForScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

}  // namespace

LPCTSTR CGrowthWnd::s_className = nullptr;

BEGIN_MESSAGE_MAP(CGrowthWnd, CWnd)
    ON_WM_TIMER()
    ON_WM_PAINT()
    ON_WM_CREATE()
    ON_WM_POWERBROADCAST()
END_MESSAGE_MAP()

CGrowthWnd::CGrowthWnd(BOOL autoDelete)
    : CGrowthState(CapacityForPrimaryScreen())
{
    SeedGrowthRandom(static_cast<std::uint32_t>(std::time(nullptr)));
    m_blank = settings::Read(settings::kNames.blank, 0);
    m_autoDelete = autoDelete;
    m_resolution = settings::Read(settings::kNames.resolution, 10);
    if (m_resolution < 1)
        m_resolution = 1;
}

CGrowthWnd::~CGrowthWnd() = default;

BOOL CGrowthWnd::Create(DWORD exStyle, DWORD style, const RECT& rect, HWND parent)
{
    const CRect r(rect);
    if (r.Width() < kLargeCanvasWidth) {
        m_small = true;
    } else {
        m_small = false;
        if (s_className == nullptr) {
            s_className = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, AfxGetApp()->LoadCursor(IDC_TRANSPARENT),
                                              nullptr, nullptr);
        }
    }
    return CreateEx(exStyle, s_className, "", style, r.left, r.top, r.Width(), r.Height(), parent, 0, nullptr);
}

int CGrowthWnd::OnCreate(LPCREATESTRUCT createStruct)
{
    if (CWnd::OnCreate(createStruct) == -1)
        return -1;
    m_sizeFactor = settings::Read(settings::kNames.plantSize, 0) * 0.05 + 1.0;
    RestartTimer();
    m_displayWatch.Start(m_hWnd);
    return 0;
}

void CGrowthWnd::RestartTimer()
{
    KillTimer(kGrowthTimer);
    if (!m_displayOff)
        SetTimer(kGrowthTimer, 0, nullptr);
}

// Behind a dark display the growth stands still: the timer stops, so the
// process sleeps, and neither ticks nor paints step it or draw a random
// number. It goes on where it stood when the display comes back (a dimmed
// display counts as on).
UINT CGrowthWnd::OnPowerBroadcast(UINT event, LPARAM data)
{
    switch (DisplayPowerChangeOf(event, data)) {
    case DisplayPowerChange::Off:
        m_displayOff = true;
        KillTimer(kGrowthTimer);
        return TRUE;
    case DisplayPowerChange::On:
        if (m_displayOff) {
            m_displayOff = false;
            RestartTimer();
        }
        return TRUE;
    case DisplayPowerChange::None:
        break;
    }
    return CWnd::OnPowerBroadcast(event, data);
}

void CGrowthWnd::OnTimer(UINT_PTR id)
{
    if (id != kGrowthTimer) {
        CWnd::OnTimer(id);
        return;
    }
    if (m_displayOff)  // a tick queued before the display went off
        return;
    // A preview host that dies without destroying its children leaves the
    // canvas orphaned; close it so the process ends with its host.
    const HWND parent = GetParentHandle();
    if (parent != nullptr && !IsWindow(parent)) {
        PostMessage(WM_CLOSE);
        return;
    }
    CClientDC dc(this);
    Step(dc);
}

void CGrowthWnd::OnPaint()
{
    CPaintDC dc(this);
    CBrush black(0);

    CRect client;
    GetClientRect(&client);
    if (m_blank != 0)
        dc.FillRect(client, &black);
    m_clientWidth = client.Width();
    m_clientHeight = client.Height();

    // A host showing plain white at all three probe points is turned black.
    if (dc.GetPixel(m_clientWidth / 2, 10) == kWhite && dc.GetPixel(10, m_clientHeight - 10) == kWhite &&
        dc.GetPixel(m_clientWidth - 10, m_clientHeight - 10) == kWhite)
        dc.FillRect(client, &black);

    m_inUse = SlotsInUse(m_clientWidth, m_clientHeight, settings::Read(settings::kNames.growthRate, 0), m_capacity);
    if (!m_displayOff)
        Step(dc);
}

void CGrowthWnd::SetResolution(int resolution)
{
    if (resolution < 1)
        resolution = 1;
    if (resolution == m_resolution)
        return;
    m_resolution = resolution;
    Invalidate(TRUE);
    UpdateWindow();
}

void CGrowthWnd::PostNcDestroy()
{
    if (m_autoDelete)
        delete this;
}
