// The start of a program on the off-screen port, doing for the one
// application object what WinMain does on Windows.
#pragma once

// Fills in the application's module, arguments and (when it has none) its
// name, argv[0]'s file name without its extension; runs InitInstance and,
// when that returns TRUE, Run. Returns Run's exit code, 0 when
// InitInstance returned FALSE (destroying any main window it left), and
// -1 when there is no application object.
int AfxOffscreenMain(int argc, char** argv);
