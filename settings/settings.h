// The program's persisted settings: 32-bit integers in section "Config" of
// the per-user store under the maker's key and the application name.
#pragma once

namespace settings {

constexpr const char* kSection = "Config";

// The stored name of each setting. The names are historical and do not
// match the dialog's labels; everywhere else the settings go by the names
// of this table's fields.
struct CStoredNames {
    const char* speed;       // hidden scroll bar; carried, unused
    const char* blank;       // non-zero: paint black first
    const char* plantSize;   // "Plant Size": size factor 1 + 0.05 x value
    const char* growthRate;  // "Growth Rate": scales the slots in use
    const char* resolution;  // first value for SetResolution
};
constexpr CStoredNames kNames{"Speed", "Blankscr", "Star Speed", "Star Number", "Resolution"};

// The stored value, or defaultValue when it is absent or unreadable (also
// when there is no application object to ask).
int Read(const char* name, int defaultValue);
// Stores the value; false when the store refuses.
bool Write(const char* name, int value);

}  // namespace settings
