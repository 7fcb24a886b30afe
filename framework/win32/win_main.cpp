// The program's entry point. It lives in its own object so that it is
// linked into the program itself: a WinMain inside a static library is not
// found by linkers that read each library once.
#include "win_main.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return AfxWinMain(instance);
}
