// The settings dialog's banner at the size of its frame. The dialog grows
// with the screen's DPI (its layout is in dialog units), while the banner
// bitmap has a fixed 500 x 250 pixels; the control, a static with
// SS_REALSIZECONTROL, keeps the frame's size, and this object gives it a
// bitmap of exactly that size: the picture smoothly rescaled, at its own
// 2 : 1 shape and as large as fits, centred on the dialog's face (the
// frame's shape follows the dialog font, about 2.3 : 1), so the control
// shows it pixel for pixel.
#pragma once

#include "afxtypes.h"

class CScaledBanner {
public:
    CScaledBanner() = default;
    // Deletes the rescaled bitmap; the control must be gone by then (the
    // dialog's window is destroyed before the dialog object).
    ~CScaledBanner();
    CScaledBanner(const CScaledBanner&) = delete;
    CScaledBanner& operator=(const CScaledBanner&) = delete;

    // Gives the dialog's bitmap static (the first child with SS_BITMAP) the
    // module's bitmap resource bitmapId rescaled into the control's client
    // size. Any failure leaves the control as it was: the platform then
    // stretches the template's bitmap itself, coarsely.
    void Fit(HWND dialog, UINT bitmapId);

private:
    HBITMAP m_bitmap = nullptr;
};
