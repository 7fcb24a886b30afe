// Configure mode: the settings dialog, with the four settings it edits
// loaded before and stored after.
#include "app/growth_app.h"
#include "app/settings.h"
#include "settings_dlg.h"

// On OK all four values are written, changed or not, in the order they were
// read; Cancel or closing the dialog writes nothing.
void CGrowthApp::RunSettingsDialog()
{
    CSettingsDlg dialog;
    dialog.m_speed = settings::Read(settings::kSpeed, 0);
    dialog.m_blank = settings::Read(settings::kBlankScreen, 0);
    dialog.m_starSpeed = settings::Read(settings::kPlantSize, 0);
    dialog.m_starNumber = settings::Read(settings::kGrowthRate, 0);

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
    settings::Write(settings::kSpeed, dialog.m_speed);
    settings::Write(settings::kBlankScreen, dialog.m_blank);
    settings::Write(settings::kPlantSize, dialog.m_starSpeed);
    settings::Write(settings::kGrowthRate, dialog.m_starNumber);
}
