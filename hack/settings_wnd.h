// The settings window of the X11 program, a framework window in the layout
// of the Windows dialog (settings_layout.h): "Plant Size" and "Growth Rate"
// sliders (0..100, set by clicking or dragging on them or from the
// keyboard, each showing its value), a live canvas in its preview pane, and
// OK and Cancel (also Return and Escape; closing the window, or its
// destruction by anyone, is Cancel).
//
// The caller owns the object, makes it the main window and runs the message
// loop: leaving the window destroys it, which ends the loop.
#pragma once

#include "wnd.h"

class CSettingsWnd : public CWnd {
public:
    // The sliders start at the values, limited to 0..100.
    CSettingsWnd(int plantSize, int growthRate);

    // Creates the window at the top left of the screen with a canvas in its
    // preview pane (the canvas reads the stored settings, not the sliders,
    // as the dialog's preview does). FALSE when the window cannot be made.
    BOOL Create();

    bool Accepted() const { return m_accepted; }
    int PlantSize() const { return m_plantSize; }
    int GrowthRate() const { return m_growthRate; }

protected:
    void OnPaint();
    void OnLButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags);

private:
    // The control that keys go to, in Tab order.
    enum class Focus { PlantSize, GrowthRate, Ok, Cancel, Count };

    // Moves the slider under the point, if any; true when there was one.
    bool Slide(CPoint point);
    void End(bool accepted);

    int m_plantSize;
    int m_growthRate;
    int* m_dragging = nullptr;  // the slider being dragged
    Focus m_focus = Focus::PlantSize;
    bool m_accepted = false;

    DECLARE_MESSAGE_MAP()
};
