// The settings dialog: the "Plant Size" and "Growth Rate" sliders, a live
// preview of the growth, and two hidden controls that carry the speed and
// blank settings from loading to saving.
#pragma once

#include "canvas/growth_wnd.h"
#include "dialog.h"
#include "scaled_banner.h"

#include <cstdint>

class CSettingsDlg : public CDialog {
public:
    // Binds to dialog template 102; the four values start at 0 and the
    // caller fills them in before DoModal. The preview is constructed here
    // (not auto-delete), so it reads its settings when the dialog object is
    // made.
    explicit CSettingsDlg(CWnd* parent = nullptr);
    ~CSettingsDlg() override;

    CScrollBar m_speedBar;        // control 1002, hidden
    std::int32_t m_speed;         // speed: position of scroll bar 1002
    std::int32_t m_blank;         // blank: check box 1008, hidden
    std::int32_t m_starSpeed;     // plantSize: trackbar 1010, "Plant Size"
    std::int32_t m_starNumber;    // growthRate: trackbar 1012, "Growth Rate"
    HICON m_hIcon;                // icon group 128
    CGrowthWnd m_preview;         // child of the dialog on control 1006's place
    CScaledBanner m_banner;       // bitmap 171 at the size of its frame

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnHScroll(UINT code, UINT position, CScrollBar* scrollBar);

    DECLARE_MESSAGE_MAP()
};
