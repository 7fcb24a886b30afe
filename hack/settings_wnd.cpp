#include "settings_wnd.h"

#include "canvas/growth_wnd.h"
#include "dc.h"
#include "pixel_text.h"
#include "process_seed.h"
#include "settings_layout.h"
#include "window_dc.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace settings_layout;

namespace {

constexpr COLORREF kFace = RGB(0xD4, 0xD0, 0xC8);  // the classic dialog grey
constexpr COLORREF kShadow = RGB(0x80, 0x80, 0x80);
constexpr COLORREF kText = RGB(0x00, 0x00, 0x00);
constexpr COLORREF kThumb = RGB(0x3A, 0x6E, 0xA5);
constexpr int kDash = 4;  // on and off lengths of the focus rectangle

int Limited(int value)
{
    return std::clamp(value, 0, 100);
}

int PositionAt(int x)
{
    return Limited(((x - kTrackLeft) * 100 + kTrackWidth / 2) / kTrackWidth);
}

bool Inside(CPoint point, int left, int top, int width, int height)
{
    return point.x >= left && point.x < left + width && point.y >= top && point.y < top + height;
}

int TextWidth(const char* text)
{
    return pixel_text::kAdvance * static_cast<int>(std::strlen(text));
}

// Draws on the window's face; every part of it stays out of the preview
// pane, whose canvas shows through.
class CFacePainter {
public:
    explicit CFacePainter(CDC& dc) : m_dc(dc) {}

    void Fill(int left, int top, int width, int height, COLORREF color)
    {
        CBrush brush(color);
        m_dc.FillRect(CRect(left, top, left + width, top + height), &brush);
    }

    // The outline of the rectangle from (left, top) to (left + width,
    // top + height), both ends included.
    void Frame(int left, int top, int width, int height, COLORREF color)
    {
        Fill(left, top, width + 1, 1, color);
        Fill(left, top + height, width + 1, 1, color);
        Fill(left, top, 1, height + 1, color);
        Fill(left + width, top, 1, height + 1, color);
    }

    // A dashed outline round the control with the focus, the face's colour
    // round the others.
    void Focus(int left, int top, int width, int height, bool focused)
    {
        Frame(left, top, width, height, kFace);
        if (!focused)
            return;
        for (int x = left; x <= left + width; x += 2 * kDash) {
            const int length = std::min(kDash, left + width + 1 - x);
            Fill(x, top, length, 1, kText);
            Fill(x, top + height, length, 1, kText);
        }
        for (int y = top; y <= top + height; y += 2 * kDash) {
            const int length = std::min(kDash, top + height + 1 - y);
            Fill(left, y, 1, length, kText);
            Fill(left + width, y, 1, length, kText);
        }
    }

    void Text(int x, int y, const char* text)
    {
        CBrush brush(kText);
        pixel_text::Draw(m_dc, x, y, text, brush);
    }

    void Slider(int trackY, int value, const char* label, const char* low, const char* high, bool focused)
    {
        // Group frame and label, as in the dialog, and the value at the right.
        Frame(12, trackY - 44, kTrackWidth + 40, 84, kShadow);
        Text(20, trackY - 28, label);
        const std::string shown = std::to_string(value);
        Text(kTrackLeft + kTrackWidth + 6 - TextWidth(shown.c_str()), trackY - 28, shown.c_str());
        Focus(kTrackLeft - kThumbHalfWidth - 3, trackY - kThumbHalfHeight - 3, kTrackWidth + 2 * kThumbHalfWidth + 6,
              2 * kThumbHalfHeight + 6, focused);
        // Track, thumb, and the two ends' words.
        Fill(kTrackLeft, trackY - 2, kTrackWidth, 4, kShadow);
        const int thumb = kTrackLeft + value * kTrackWidth / 100;
        Fill(thumb - kThumbHalfWidth, trackY - kThumbHalfHeight, 2 * kThumbHalfWidth, 2 * kThumbHalfHeight, kThumb);
        Text(kTrackLeft, trackY + 30, low);
        Text(kTrackLeft + kTrackWidth - TextWidth(high), trackY + 30, high);
    }

    void Button(int left, const char* text, bool focused)
    {
        Frame(left, kButtonTop, kButtonWidth - 1, kButtonHeight - 1, kShadow);
        Focus(left + 3, kButtonTop + 3, kButtonWidth - 7, kButtonHeight - 7, focused);
        Text(left + (kButtonWidth - TextWidth(text)) / 2, kButtonTop + 18, text);
    }

private:
    CDC& m_dc;
};

}  // namespace

BEGIN_MESSAGE_MAP(CSettingsWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

CSettingsWnd::CSettingsWnd(int plantSize, int growthRate)
    : m_plantSize(Limited(plantSize)),
      m_growthRate(Limited(growthRate))
{
}

BOOL CSettingsWnd::Create()
{
    if (!CreateEx(0, nullptr, "Verdane Settings", WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr, 0))
        return FALSE;
    // Without a preview the window still edits the settings.
    auto* preview = new CGrowthWnd(TRUE);
    SeedGrowthForThisProcess();
    preview->Create(0, WS_CHILD | WS_VISIBLE,
                    CRect(kPreviewLeft, kPreviewTop, kPreviewLeft + kPreviewWidth, kPreviewTop + kPreviewHeight),
                    m_hWnd);
    return TRUE;
}

void CSettingsWnd::OnPaint()
{
    CPaintDC dc(this);
    CFacePainter painter(dc);
    // The face round the preview pane, then what is drawn on it.
    painter.Fill(0, 0, kWidth, kPreviewTop, kFace);
    painter.Fill(0, kPreviewTop, kPreviewLeft, kPreviewHeight, kFace);
    painter.Fill(kPreviewLeft + kPreviewWidth, kPreviewTop, kWidth - kPreviewLeft - kPreviewWidth, kPreviewHeight,
                 kFace);
    painter.Fill(0, kPreviewTop + kPreviewHeight, kWidth, kHeight - kPreviewTop - kPreviewHeight, kFace);

    painter.Slider(kPlantSizeTrackY, m_plantSize, "Plant Size", "Tiny", "Huge", m_focus == Focus::PlantSize);
    painter.Slider(kGrowthRateTrackY, m_growthRate, "Growth Rate", "Low", "High", m_focus == Focus::GrowthRate);
    painter.Frame(kPreviewLeft - 8, kPreviewTop - 24, kPreviewWidth + 16, kPreviewHeight + 32, kShadow);
    painter.Text(kPreviewLeft, kPreviewTop - 8, "Preview");
    painter.Button(kOkLeft, "OK", m_focus == Focus::Ok);
    painter.Button(kCancelLeft, "Cancel", m_focus == Focus::Cancel);
    painter.Text(12, kHeight - 14, "Tarnwell Verdane 1.1");
}

void CSettingsWnd::OnLButtonDown(UINT, CPoint point)
{
    if (Slide(point))
        return;
    if (Inside(point, kOkLeft, kButtonTop, kButtonWidth, kButtonHeight))
        End(true);
    else if (Inside(point, kCancelLeft, kButtonTop, kButtonWidth, kButtonHeight))
        End(false);
}

// A drag lasts while the left button is held.
void CSettingsWnd::OnMouseMove(UINT flags, CPoint point)
{
    if ((flags & MK_LBUTTON) == 0)
        m_dragging = nullptr;
    if (m_dragging == nullptr)
        return;
    *m_dragging = PositionAt(point.x);
    Invalidate(FALSE);
}

bool CSettingsWnd::Slide(CPoint point)
{
    const int reach = kThumbHalfHeight;
    int* slider = nullptr;
    if (std::abs(point.y - kPlantSizeTrackY) <= reach)
        slider = &m_plantSize;
    else if (std::abs(point.y - kGrowthRateTrackY) <= reach)
        slider = &m_growthRate;
    if (slider == nullptr || point.x < kTrackLeft - reach || point.x > kTrackLeft + kTrackWidth + reach)
        return false;
    m_dragging = slider;
    *slider = PositionAt(point.x);
    Invalidate(FALSE);
    return true;
}

// The keys of a Windows dialog with two trackbars and two buttons: Tab and
// Shift+Tab move the focus, a trackbar takes Left/Up and Right/Down as one
// step, Page Up and Page Down as ten, Home and End as its ends; Return
// presses the focused button (OK when a trackbar has the focus), Space the
// focused button, Escape Cancel.
void CSettingsWnd::OnKeyDown(UINT key, UINT, UINT)
{
    int* slider = m_focus == Focus::PlantSize ? &m_plantSize : m_focus == Focus::GrowthRate ? &m_growthRate : nullptr;
    int step = 0;
    switch (key) {
    case VK_TAB: {
        const int count = static_cast<int>(Focus::Count);
        const int move = ::GetKeyState(VK_SHIFT) < 0 ? count - 1 : 1;
        m_focus = static_cast<Focus>((static_cast<int>(m_focus) + move) % count);
        Invalidate(FALSE);
        return;
    }
    case VK_RETURN:
        End(m_focus != Focus::Cancel);
        return;
    case VK_SPACE:
        if (slider == nullptr)
            End(m_focus == Focus::Ok);
        return;
    case VK_ESCAPE:
        End(false);
        return;
    case VK_LEFT:
    case VK_UP:
        step = -1;
        break;
    case VK_RIGHT:
    case VK_DOWN:
        step = 1;
        break;
    case VK_PRIOR:
        step = -10;
        break;
    case VK_NEXT:
        step = 10;
        break;
    case VK_HOME:
        step = -100;
        break;
    case VK_END:
        step = 100;
        break;
    default:
        return;
    }
    if (slider != nullptr) {
        *slider = Limited(*slider + step);
        Invalidate(FALSE);
    }
}

void CSettingsWnd::End(bool accepted)
{
    m_accepted = accepted;
    DestroyWindow();
}
