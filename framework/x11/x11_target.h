// One X window that framework windows appear in: a window the port made
// for a top-level framework window, or another program's (the root,
// XScreenSaver's window, a window id) hosting framework windows. It is the
// damage sink of the framework windows shown in it: what their contexts
// change, and what the server lost, waits here, window by window, until
// the loop presents it.
#pragma once

#include "offscreen_world.h"
#include "surface/damage.h"
#include "x11_presenter.h"

#include <X11/Xlib.h>

#include <map>
#include <memory>
#include <set>
#include <utility>
#include <vector>

class CX11Target final : public COffscreenDamageSink {
public:
    // host: the framework window that stands for the X window. ticksDrew
    // is set whenever drawing other than a paint reaches the target.
    CX11Target(HWND host, Window window, bool own, std::unique_ptr<CX11Presenter> presenter, bool& ticksDrew);

    void Damaged(HWND hWnd, bool painted, const std::vector<CRect>& rects) override;
    // The server lost rect (hWnd's client coordinates): it is put again
    // with the next present, as a paint's changes are.
    void Exposed(HWND hWnd, const CRect& rect);
    // The windows shown here (with their origins) that were not before are
    // put here whole with the next present.
    void ShowWhole(const COffscreenWorld& world, const std::vector<std::pair<HWND, CPoint>>& shown);

    struct CPresented {
        bool any = false;       // something went to the screen
        bool heldBack = false;  // something waits for a presenter that was not ready
    };
    // Presents what paints changed and the server lost, and with ticks
    // also what other drawing changed, of the windows still shown here.
    CPresented Present(const COffscreenWorld& world, bool ticks);

    Window XWindow() const { return m_window; }
    bool Own() const { return m_own; }
    // nullptr when none could be made (the window went at once).
    CX11Presenter* Presenter() const { return m_presenter.get(); }

private:
    struct CWindowDamage {
        CDamage painted{CDamage::kSpanJoinGap};  // paints and the server's losses: shown at once
        CDamage changed{CDamage::kSpanJoinGap};  // everything else: shown at the display's pace
    };

    HWND m_host;
    Window m_window;
    bool m_own;
    std::unique_ptr<CX11Presenter> m_presenter;
    bool& m_ticksDrew;
    std::map<HWND, CWindowDamage> m_waiting;
    // What one window presents, kept so that presenting reuses its storage.
    std::vector<CRect> m_presenting;
    std::set<HWND> m_shownWhole;  // windows put here whole once
};
