#include "dialog_settings.h"

#include "settings.h"

namespace settings {

CDialogSettings LoadDialogSettings()
{
    CDialogSettings values;
    values.speed = Read(kSpeed, 0);
    values.blank = Read(kBlankScreen, 0);
    values.plantSize = Read(kPlantSize, 0);
    values.growthRate = Read(kGrowthRate, 0);
    return values;
}

bool StoreDialogSettings(const CDialogSettings& values)
{
    // Each write is tried even after one is refused, as each value is
    // stored on its own.
    bool stored = Write(kSpeed, values.speed);
    stored = Write(kBlankScreen, values.blank) && stored;
    stored = Write(kPlantSize, values.plantSize) && stored;
    stored = Write(kGrowthRate, values.growthRate) && stored;
    return stored;
}

}  // namespace settings
