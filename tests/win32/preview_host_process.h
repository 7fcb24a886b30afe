// preview_host.exe run by a test: a host process with a preview pane.
#pragma once

#include "afxtypes.h"

class CPreviewHostProcess {
public:
    // Starts the host and reads its pane's handle.
    CPreviewHostProcess();
    // A host still running is terminated.
    ~CPreviewHostProcess();
    CPreviewHostProcess(const CPreviewHostProcess&) = delete;
    CPreviewHostProcess& operator=(const CPreviewHostProcess&) = delete;

    // The pane, or nullptr when the host did not start or report it.
    HWND Pane() const { return m_pane; }
    // Ends the host at once, as a crash or the task manager would: its
    // windows go without any of its code running.
    void Kill();

private:
    PROCESS_INFORMATION m_process{};
    HWND m_pane = nullptr;
};
