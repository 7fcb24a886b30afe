// CWinApp on the off-screen port: the message loop over the port's queue
// and resources by identifier.
#include "app.h"

#include "offscreen_resources.h"
#include "offscreen_world.h"

// Nothing outside drives timers or input here, so the loop delivers what
// is posted to the installed world (and the paints due) and ends at the
// quit message or when nothing is left; 0 unless a quit message gave its
// code, and without a world.
int CWinApp::Run()
{
    COffscreenWorld* world = COffscreenWorld::Installed();
    if (world == nullptr)
        return 0;
    const COffscreenPumpResult result = world->Pump();
    return result.quit ? result.exitCode : 0;
}

HCURSOR CWinApp::LoadCursor(UINT id) const
{
    return OffscreenModuleCursor(id);
}

HICON CWinApp::LoadIcon(UINT id) const
{
    return OffscreenModuleIcon(id);
}
