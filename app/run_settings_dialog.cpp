// Configure mode for a build that has no settings dialog: nothing is shown
// and nothing is stored, so the program ends at once.
#include "growth_app.h"

void CGrowthApp::RunSettingsDialog()
{
}
