// preview_host.exe: a screen-saver host in a process of its own, which a
// test can kill to see that a preview outlives no host. It shows a preview
// pane, writes the pane's handle in decimal and a line feed to its
// standard output, and runs its messages until the pane is closed.
#include "preview_pane.h"

#include <cstdio>

int main()
{
    const HWND pane = CreatePreviewPane(kPaneWidth, kPaneHeight);
    if (pane == nullptr)
        return 1;
    std::printf("%s\n", HandleText(pane).c_str());
    std::fflush(stdout);

    MSG msg;
    while (::IsWindow(pane) && ::GetMessage(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    return 0;
}
