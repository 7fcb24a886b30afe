// An application object whose settings are fixed when it is made instead of
// read from the per-user store, for programs that run a canvas with given
// settings: the render tool, the benchmarks and the soak. Names it is not
// given, and sections other than "Config", read as their defaults; writes
// are refused, so nothing such a program does reaches a user's store.
#pragma once

#include "app.h"
#include "settings/settings.h"

#include <cstring>
#include <initializer_list>
#include <vector>

class CFixedSettingsApp : public CWinApp {
public:
    struct CSetting {
        const char* name;  // one of the names in settings.h
        int value;
    };

    CFixedSettingsApp(LPCTSTR appName, std::initializer_list<CSetting> values)
        : CWinApp(appName), m_values(values)
    {
    }

    int GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue) override
    {
        if (section == nullptr || entry == nullptr || std::strcmp(section, settings::kSection) != 0)
            return defaultValue;
        for (const CSetting& setting : m_values) {
            if (std::strcmp(entry, setting.name) == 0)
                return setting.value;
        }
        return defaultValue;
    }

    BOOL WriteProfileInt(LPCTSTR, LPCTSTR, int) override { return FALSE; }

private:
    std::vector<CSetting> m_values;
};
