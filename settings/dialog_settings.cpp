#include "dialog_settings.h"

#include "settings.h"

namespace settings {

CDialogSettings LoadDialogSettings()
{
    CDialogSettings values;
    values.speed = Read(kNames.speed, 0);
    values.blank = Read(kNames.blank, 0);
    values.plantSize = Read(kNames.plantSize, 0);
    values.growthRate = Read(kNames.growthRate, 0);
    return values;
}

bool StoreDialogSettings(const CDialogSettings& values)
{
    // Each write is tried even after one is refused, as each value is
    // stored on its own.
    bool stored = Write(kNames.speed, values.speed);
    stored = Write(kNames.blank, values.blank) && stored;
    stored = Write(kNames.plantSize, values.plantSize) && stored;
    stored = Write(kNames.growthRate, values.growthRate) && stored;
    return stored;
}

}  // namespace settings
