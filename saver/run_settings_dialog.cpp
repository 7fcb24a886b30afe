// Configure mode: the settings dialog, with the four settings it edits
// loaded before and stored after.
#include "dialog/settings_dlg.h"
#include "growth_app.h"
#include "settings/dialog_settings.h"

// On OK all four values are written; Cancel or closing the dialog writes
// nothing.
void CGrowthApp::RunSettingsDialog()
{
    CSettingsDlg dialog;
    const settings::CDialogSettings stored = settings::LoadDialogSettings();
    dialog.m_speed = stored.speed;
    dialog.m_blank = stored.blank;
    dialog.m_starSpeed = stored.plantSize;
    dialog.m_starNumber = stored.growthRate;

    // As the main window the dialog owns the About box; the framework lets
    // go of it when its window is destroyed.
    m_pMainWnd = &dialog;
    const std::intptr_t result = dialog.DoModal();
    // A dialog that never got a window must not stay behind as the main
    // window once it is gone.
    if (m_pMainWnd == &dialog)
        m_pMainWnd = nullptr;

    if (result != IDOK)
        return;
    settings::StoreDialogSettings({dialog.m_speed, dialog.m_blank, dialog.m_starSpeed, dialog.m_starNumber});
}
