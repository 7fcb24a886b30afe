#include "settings_dlg.h"

#include "about_dlg.h"
#include "app.h"
#include "res/resource.h"
#include "scroll_position.h"

namespace {

// The system command that opens the About box. The dialog adds no menu item
// for it, so it comes only from outside; the low four bits are the
// platform's and are ignored.
constexpr UINT kAboutCommand = 0x0010;
constexpr UINT kSystemCommandMask = 0xFFF0;

}  // namespace

BEGIN_MESSAGE_MAP(CSettingsDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_WM_HSCROLL()
END_MESSAGE_MAP()

CSettingsDlg::CSettingsDlg(CWnd* parent)
    : CDialog(IDD_SETTINGS, parent),
      m_speed(0),
      m_blank(0),
      m_starSpeed(0),
      m_starNumber(0),
      m_hIcon(AfxGetApp()->LoadIcon(IDI_VERDANE)),
      m_preview(FALSE)
{
}

CSettingsDlg::~CSettingsDlg() = default;

void CSettingsDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SPEED_BAR, m_speedBar);
    DDX_Scroll(pDX, IDC_SPEED_BAR, m_speed);
    DDX_Check(pDX, IDC_BLANK_CHECK, m_blank);
    DDX_Slider(pDX, IDC_PLANT_SIZE, m_starSpeed);
    DDX_Slider(pDX, IDC_GROWTH_RATE, m_starNumber);
}

BOOL CSettingsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    m_banner.Fit(m_hWnd, IDB_BANNER);

    // The preview takes the place of the hidden static 1006.
    CRect place;
    ::GetWindowRect(::GetDlgItem(m_hWnd, IDC_PREVIEW_PLACE), &place);
    ScreenToClient(&place);
    m_preview.Create(0, WS_CHILD | WS_VISIBLE, place, m_hWnd);
    m_preview.RestartTimer();

    // The data exchange above set the position while the bar still had the
    // control's empty default range; now it gets its real range.
    m_speedBar.SetScrollRange(0, 100, TRUE);
    m_speedBar.SetScrollPos(m_speed, TRUE);

    CenterWindow();
    return TRUE;
}

void CSettingsDlg::OnSysCommand(UINT id, LPARAM lParam)
{
    if ((id & kSystemCommandMask) == kAboutCommand) {
        // No parent: the framework makes the main window, this dialog, the
        // box's owner, and disables it while the box is open.
        CAboutDlg about;
        about.DoModal();
        return;
    }
    CDialog::OnSysCommand(id, lParam);
}

// Only a minimised dialog draws anything itself: its icon, centred.
void CSettingsDlg::OnPaint()
{
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    PAINTSTRUCT paint;
    const HDC dc = ::BeginPaint(m_hWnd, &paint);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    CRect client;
    GetClientRect(&client);
    const int x = (client.Width() - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.Height() - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, m_hIcon);
    ::EndPaint(m_hWnd, &paint);
}

HCURSOR CSettingsDlg::OnQueryDragIcon()
{
    return m_hIcon;
}

// The notifications come from the two trackbars (scroll bar 1002 is
// hidden), which have no scroll position: the arithmetic works on 0 and the
// position set back is ignored. What counts is the preview: its timer
// restarts, and the first scroll after opening repaints it when the stored
// resolution is above 1. The trackbars keep their own positions; the
// preview keeps drawing with the stored settings.
void CSettingsDlg::OnHScroll(UINT code, UINT position, CScrollBar* scrollBar)
{
    const int p = ScrolledPosition(code, position, scrollBar->GetScrollPos());
    scrollBar->SetScrollPos(p, TRUE);
    m_preview.RestartTimer();
    m_preview.SetResolution(0);
    CDialog::OnHScroll(code, position, scrollBar);
}
