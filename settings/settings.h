// The program's persisted settings: 32-bit integers in section "Config" of
// the per-user store under the maker's key and the application name. The
// stored names are historical and do not match the dialog's labels.
#pragma once

namespace settings {

constexpr const char* kSection = "Config";

constexpr const char* kSpeed = "Speed";             // hidden scroll bar; carried, unused
constexpr const char* kBlankScreen = "Blankscr";    // non-zero: paint black first
constexpr const char* kPlantSize = "Star Speed";    // "Plant Size": size factor 1 + 0.05 x value
constexpr const char* kGrowthRate = "Star Number";  // "Growth Rate": scales the slots in use
constexpr const char* kResolution = "Resolution";   // first value for SetResolution

// The stored value, or defaultValue when it is absent or unreadable (also
// when there is no application object to ask).
int Read(const char* name, int defaultValue);
// Stores the value; false when the store refuses.
bool Write(const char* name, int value);

}  // namespace settings
