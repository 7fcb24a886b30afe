#include "settings.h"

#include "app.h"

namespace settings {

int Read(const char* name, int defaultValue)
{
    CWinApp* app = AfxGetApp();
    return app != nullptr ? app->GetProfileInt(kSection, name, defaultValue) : defaultValue;
}

bool Write(const char* name, int value)
{
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->WriteProfileInt(kSection, name, value) != FALSE;
}

}  // namespace settings
