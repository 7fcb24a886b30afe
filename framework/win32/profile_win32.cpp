// The profile store on Win32: REG_DWORD values under
// HKEY_CURRENT_USER\Software\<registry key>\<application name>\<section>.
#include "app.h"

#include <string>

namespace {

// The key of a section; empty when the application has no registry key (or
// no name) and so no place in the registry.
std::string SectionKeyPath(const CWinApp& app, LPCTSTR section)
{
    if (app.m_pszRegistryKey == nullptr || app.m_pszAppName == nullptr || section == nullptr)
        return {};
    return std::string("Software\\") + app.m_pszRegistryKey + "\\" + app.m_pszAppName + "\\" + section;
}

}  // namespace

int CWinApp::GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue)
{
    const std::string path = SectionKeyPath(*this, section);
    if (path.empty())
        return defaultValue;

    HKEY key = nullptr;
    if (::RegOpenKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return defaultValue;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    const LONG status = ::RegQueryValueEx(key, entry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value)
        return defaultValue;
    return static_cast<int>(value);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value)
{
    const std::string path = SectionKeyPath(*this, section);
    if (path.empty())
        return FALSE;

    HKEY key = nullptr;
    if (::RegCreateKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                         nullptr, &key, nullptr) != ERROR_SUCCESS)
        return FALSE;
    const DWORD data = static_cast<DWORD>(value);
    const LONG status =
        ::RegSetValueEx(key, entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
    ::RegCloseKey(key);
    return status == ERROR_SUCCESS;
}
