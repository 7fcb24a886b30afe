// The settings window of the X11 program, drawn with Xlib in the layout of
// the Windows dialog: "Plant Size" and "Growth Rate" sliders (0..100, set
// by clicking or dragging on them or from the keyboard, each showing its
// value), a preview pane in which the caller places a live canvas, and OK
// and Cancel (also Return and Escape, and the
// window manager's close button for Cancel, as is the window's destruction
// by another client).
#pragma once

#include <X11/Xlib.h>

class CX11SettingsWindow {
public:
    // Shows the window with the sliders at the values (limited to 0..100).
    CX11SettingsWindow(Display* display, Window root, int plantSize, int growthRate);
    ~CX11SettingsWindow();
    CX11SettingsWindow(const CX11SettingsWindow&) = delete;
    CX11SettingsWindow& operator=(const CX11SettingsWindow&) = delete;

    Window Get() const { return m_window; }
    // The child window in which the preview appears.
    Window PreviewPane() const { return m_preview; }

    // An event on the window (not on its preview pane).
    void Handle(const XEvent& event);

    bool Done() const { return m_done; }
    bool Accepted() const { return m_accepted; }
    int PlantSize() const { return m_plantSize; }
    int GrowthRate() const { return m_growthRate; }

private:
    void Draw();
    void DrawSlider(int trackY, int value, const char* label, const char* low, const char* high, bool focused);
    void DrawButton(int left, const char* text, bool focused);
    // A dashed rectangle round the control with the focus, erased round
    // the others.
    void DrawFocus(int left, int top, int width, int height, bool focused);
    void Key(KeySym symbol, bool shift);
    void DrawText(int x, int y, const char* text);
    // Moves the slider under (x, y), if any; true when there was one.
    bool Slide(int x, int y);
    void End(bool accepted);

    Display* m_display;
    Window m_window = 0;
    Window m_preview = 0;
    GC m_gc = nullptr;
    Atom m_deleteWindow = 0;
    int m_plantSize;
    int m_growthRate;
    int* m_dragging = nullptr;  // the slider being dragged
    // The control that keys go to, in Tab order.
    enum class Focus { PlantSize, GrowthRate, Ok, Cancel, Count };
    Focus m_focus = Focus::PlantSize;
    bool m_done = false;
    bool m_destroyed = false;  // by another client
    bool m_accepted = false;
};
