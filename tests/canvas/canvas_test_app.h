// The application object of the canvas tests: settings come from a map the
// test fills, as if read from the per-user store.
#pragma once

#include "app.h"

#include <map>
#include <string>

class CCanvasTestApp : public CWinApp {
public:
    CCanvasTestApp() : CWinApp("verdane") {}

    int GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue) override
    {
        const auto it = m_values.find(std::string(section) + "/" + entry);
        return it == m_values.end() ? defaultValue : it->second;
    }
    BOOL WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value) override
    {
        m_values[std::string(section) + "/" + entry] = value;
        return TRUE;
    }
    void Set(const char* name, int value) { m_values[std::string("Config/") + name] = value; }

private:
    std::map<std::string, int> m_values;
};
