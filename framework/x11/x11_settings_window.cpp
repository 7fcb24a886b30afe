#include "x11_settings_window.h"

#include "x11_settings_layout.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstring>
#include <string>

using namespace settings_layout;

namespace {

constexpr unsigned long kFace = 0xD4D0C8;    // the classic dialog grey
constexpr unsigned long kShadow = 0x808080;
constexpr unsigned long kText = 0x000000;

int Limited(int value)
{
    return std::clamp(value, 0, 100);
}

bool Inside(int x, int y, int left, int top, int width, int height)
{
    return x >= left && x < left + width && y >= top && y < top + height;
}

}  // namespace

CX11SettingsWindow::CX11SettingsWindow(Display* display, Window root, int plantSize, int growthRate)
    : m_display(display),
      m_plantSize(Limited(plantSize)),
      m_growthRate(Limited(growthRate))
{
    XSetWindowAttributes attributes{};
    attributes.background_pixel = kFace;
    // StructureNotifyMask: another client may destroy the window.
    attributes.event_mask =
        ExposureMask | ButtonPressMask | ButtonReleaseMask | Button1MotionMask | KeyPressMask | StructureNotifyMask;
    m_window = XCreateWindow(display, root, 0, 0, kWidth, kHeight, 0, CopyFromParent, InputOutput, CopyFromParent,
                             CWBackPixel | CWEventMask, &attributes);
    XStoreName(display, m_window, "Verdane Settings");
    XClassHint classHint{const_cast<char*>("verdane"), const_cast<char*>("Verdane")};
    XSetClassHint(display, m_window, &classHint);
    m_deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, m_window, &m_deleteWindow, 1);
    XSizeHints hints{};
    hints.flags = PMinSize | PMaxSize;
    hints.width = hints.min_width = hints.max_width = kWidth;
    hints.height = hints.min_height = hints.max_height = kHeight;
    XSetWMNormalHints(display, m_window, &hints);

    XSetWindowAttributes pane{};
    pane.background_pixmap = None;
    m_preview = XCreateWindow(display, m_window, kPreviewLeft, kPreviewTop, kPreviewWidth, kPreviewHeight, 0,
                              CopyFromParent, InputOutput, CopyFromParent, CWBackPixmap, &pane);
    m_gc = XCreateGC(display, m_window, 0, nullptr);
    XMapWindow(display, m_preview);
    XMapRaised(display, m_window);
    XSync(display, False);
}

CX11SettingsWindow::~CX11SettingsWindow()
{
    XFreeGC(m_display, m_gc);
    if (!m_destroyed)
        XDestroyWindow(m_display, m_window);
    XSync(m_display, False);
}

void CX11SettingsWindow::Handle(const XEvent& event)
{
    switch (event.type) {
    case Expose:
        if (event.xexpose.count == 0)
            Draw();
        break;
    case ButtonPress:
        if (event.xbutton.button != Button1)
            break;
        if (Slide(event.xbutton.x, event.xbutton.y))
            break;
        if (Inside(event.xbutton.x, event.xbutton.y, kOkLeft, kButtonTop, kButtonWidth, kButtonHeight))
            End(true);
        else if (Inside(event.xbutton.x, event.xbutton.y, kCancelLeft, kButtonTop, kButtonWidth, kButtonHeight))
            End(false);
        break;
    case MotionNotify:
        if (m_dragging != nullptr) {
            *m_dragging = Limited(((event.xmotion.x - kTrackLeft) * 100 + kTrackWidth / 2) / kTrackWidth);
            Draw();
        }
        break;
    case ButtonRelease:
        m_dragging = nullptr;
        break;
    case KeyPress: {
        XKeyEvent key = event.xkey;
        Key(XLookupKeysym(&key, 0), (key.state & ShiftMask) != 0);
        break;
    }
    case ClientMessage:
        if (event.xclient.format == 32 && static_cast<Atom>(event.xclient.data.l[0]) == m_deleteWindow)
            End(false);
        break;
    case DestroyNotify:
        // Taken away by another client: as Cancel.
        if (event.xdestroywindow.window == m_window) {
            m_destroyed = true;
            End(false);
        }
        break;
    default:
        break;
    }
}

bool CX11SettingsWindow::Slide(int x, int y)
{
    const int reach = kThumbHalfHeight;
    int* slider = nullptr;
    if (std::abs(y - kPlantSizeTrackY) <= reach)
        slider = &m_plantSize;
    else if (std::abs(y - kGrowthRateTrackY) <= reach)
        slider = &m_growthRate;
    if (slider == nullptr || x < kTrackLeft - reach || x > kTrackLeft + kTrackWidth + reach)
        return false;
    m_dragging = slider;
    *slider = Limited(((x - kTrackLeft) * 100 + kTrackWidth / 2) / kTrackWidth);
    Draw();
    return true;
}

// The keys of a Windows dialog with two trackbars and two buttons: Tab and
// Shift+Tab move the focus, a trackbar takes Left/Up and Right/Down as one
// step, Page Up and Page Down as ten, Home and End as its ends; Return
// presses the focused button (OK when a trackbar has the focus), Space the
// focused button, Escape Cancel.
void CX11SettingsWindow::Key(KeySym symbol, bool shift)
{
    int* slider = m_focus == Focus::PlantSize ? &m_plantSize : m_focus == Focus::GrowthRate ? &m_growthRate : nullptr;
    int step = 0;
    switch (symbol) {
    case XK_Tab:
    case XK_ISO_Left_Tab: {
        const int count = static_cast<int>(Focus::Count);
        const int back = shift || symbol == XK_ISO_Left_Tab ? count - 1 : 1;
        m_focus = static_cast<Focus>((static_cast<int>(m_focus) + back) % count);
        Draw();
        return;
    }
    case XK_Return:
    case XK_KP_Enter:
        End(m_focus != Focus::Cancel);
        return;
    case XK_space:
        if (slider == nullptr)
            End(m_focus == Focus::Ok);
        return;
    case XK_Escape:
        End(false);
        return;
    case XK_Left:
    case XK_Up:
    case XK_KP_Left:
    case XK_KP_Up:
        step = -1;
        break;
    case XK_Right:
    case XK_Down:
    case XK_KP_Right:
    case XK_KP_Down:
        step = 1;
        break;
    case XK_Page_Up:
    case XK_KP_Page_Up:
        step = -10;
        break;
    case XK_Page_Down:
    case XK_KP_Page_Down:
        step = 10;
        break;
    case XK_Home:
    case XK_KP_Home:
        step = -100;
        break;
    case XK_End:
    case XK_KP_End:
        step = 100;
        break;
    default:
        return;
    }
    if (slider != nullptr) {
        *slider = Limited(*slider + step);
        Draw();
    }
}

void CX11SettingsWindow::End(bool accepted)
{
    m_done = true;
    m_accepted = accepted;
}

void CX11SettingsWindow::DrawText(int x, int y, const char* text)
{
    XSetForeground(m_display, m_gc, kText);
    XDrawString(m_display, m_window, m_gc, x, y, text, static_cast<int>(std::strlen(text)));
}

void CX11SettingsWindow::DrawFocus(int left, int top, int width, int height, bool focused)
{
    XSetForeground(m_display, m_gc, focused ? kText : kFace);
    XSetLineAttributes(m_display, m_gc, 1, LineOnOffDash, CapButt, JoinMiter);
    XDrawRectangle(m_display, m_window, m_gc, left, top, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XSetLineAttributes(m_display, m_gc, 1, LineSolid, CapButt, JoinMiter);
}

void CX11SettingsWindow::DrawSlider(int trackY, int value, const char* label, const char* low, const char* high,
                                    bool focused)
{
    // Group frame and label, as in the dialog, and the value at the right.
    XSetForeground(m_display, m_gc, kShadow);
    XDrawRectangle(m_display, m_window, m_gc, 12, trackY - 44, kTrackWidth + 40, 84);
    DrawText(20, trackY - 28, label);
    XSetForeground(m_display, m_gc, kFace);
    XFillRectangle(m_display, m_window, m_gc, kTrackLeft + kTrackWidth - 24, trackY - 40, 30, 16);
    const std::string shown = std::to_string(value);
    DrawText(kTrackLeft + kTrackWidth + 6 - 6 * static_cast<int>(shown.size()), trackY - 28, shown.c_str());
    DrawFocus(kTrackLeft - kThumbHalfWidth - 3, trackY - kThumbHalfHeight - 3, kTrackWidth + 2 * kThumbHalfWidth + 6,
              2 * kThumbHalfHeight + 6, focused);
    // Track, thumb, and the two ends' words.
    XSetForeground(m_display, m_gc, kFace);
    XFillRectangle(m_display, m_window, m_gc, kTrackLeft - kThumbHalfWidth, trackY - kThumbHalfHeight,
                   kTrackWidth + 2 * kThumbHalfWidth + 1, 2 * kThumbHalfHeight + 1);
    XSetForeground(m_display, m_gc, kShadow);
    XFillRectangle(m_display, m_window, m_gc, kTrackLeft, trackY - 2, kTrackWidth, 4);
    const int thumb = kTrackLeft + value * kTrackWidth / 100;
    XSetForeground(m_display, m_gc, 0x3A6EA5);
    XFillRectangle(m_display, m_window, m_gc, thumb - kThumbHalfWidth, trackY - kThumbHalfHeight,
                   2 * kThumbHalfWidth, 2 * kThumbHalfHeight);
    DrawText(kTrackLeft, trackY + 30, low);
    DrawText(kTrackLeft + kTrackWidth - 6 * static_cast<int>(std::strlen(high)), trackY + 30, high);
}

void CX11SettingsWindow::DrawButton(int left, const char* text, bool focused)
{
    XSetForeground(m_display, m_gc, kShadow);
    XDrawRectangle(m_display, m_window, m_gc, left, kButtonTop, kButtonWidth - 1, kButtonHeight - 1);
    DrawFocus(left + 3, kButtonTop + 3, kButtonWidth - 7, kButtonHeight - 7, focused);
    DrawText(left + (kButtonWidth - 6 * static_cast<int>(std::strlen(text))) / 2, kButtonTop + 18, text);
}

void CX11SettingsWindow::Draw()
{
    DrawSlider(kPlantSizeTrackY, m_plantSize, "Plant Size", "Tiny", "Huge", m_focus == Focus::PlantSize);
    DrawSlider(kGrowthRateTrackY, m_growthRate, "Growth Rate", "Low", "High", m_focus == Focus::GrowthRate);
    XSetForeground(m_display, m_gc, kShadow);
    XDrawRectangle(m_display, m_window, m_gc, kPreviewLeft - 8, kPreviewTop - 24, kPreviewWidth + 16,
                   kPreviewHeight + 32);
    DrawText(kPreviewLeft, kPreviewTop - 8, "Preview");
    DrawButton(kOkLeft, "OK", m_focus == Focus::Ok);
    DrawButton(kCancelLeft, "Cancel", m_focus == Focus::Cancel);
    DrawText(12, kHeight - 14, "Tarnwell Verdane 1.1");
}
