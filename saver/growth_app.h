// The application object of the screen saver: reads the switch the system
// starts it with and runs the settings dialog, the preview in the host's
// pane, or the full-screen saver.
#pragma once

#include "app.h"

// What the first command-line argument asks for.
enum class SaverMode { Configure = 0, Preview = 1, Run = 2, None = 3 };

class CGrowthApp : public CWinApp {
public:
    CGrowthApp() = default;

    BOOL InitInstance() override;

    // The mode of a switch: one leading '-' or '/' is skipped, then 'C'/'c'
    // is Configure, 'P'/'p' Preview, 'S'/'s' Run; anything else, the end of
    // the text or no text at all, is None. The rest of the text is ignored.
    static SaverMode GetSaverMode(const char* text);

    // Runs the modal settings dialog, storing the settings when the user
    // leaves it with OK.
    void RunSettingsDialog();

private:
    // Preview mode: a canvas filling the client area of the host window
    // whose handle hostText gives. FALSE, with nothing created, when the
    // text is missing, not a number or names no window.
    BOOL StartPreview(const char* hostText);
    // Run mode: the full-screen window.
    BOOL StartFullScreen();

    DECLARE_MESSAGE_MAP()
};
