// The four stored values that the settings dialog (and the X11 program's
// settings window) carries from opening to OK: read together before it
// opens, written back together when the user leaves it with OK.
#pragma once

namespace settings {

struct CDialogSettings {
    int speed = 0;       // the hidden scroll bar
    int blank = 0;       // the hidden check box
    int plantSize = 0;   // the "Plant Size" slider
    int growthRate = 0;  // the "Growth Rate" slider
};

// The stored values, 0 for any that is absent.
CDialogSettings LoadDialogSettings();
// Writes all four, changed or not, in the order they are read; false when
// the store refused any of them.
bool StoreDialogSettings(const CDialogSettings& values);

}  // namespace settings
