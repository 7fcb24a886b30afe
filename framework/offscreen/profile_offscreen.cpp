// CWinApp's profile on the off-screen port: the per-user file store under
// the maker's key and the application's name.
#include "app.h"

#include "profile_file.h"

// Without SetRegistryKey there is no store (Windows would fall back to an
// initialisation file, which this program never uses).
int CWinApp::GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue)
{
    if (m_pszRegistryKey == nullptr || m_pszAppName == nullptr || section == nullptr || entry == nullptr)
        return defaultValue;
    return CProfileFile(m_pszRegistryKey, m_pszAppName).ReadInt(section, entry).value_or(defaultValue);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value)
{
    if (m_pszRegistryKey == nullptr || m_pszAppName == nullptr || section == nullptr || entry == nullptr)
        return FALSE;
    return CProfileFile(m_pszRegistryKey, m_pszAppName).WriteInt(section, entry, value) ? TRUE : FALSE;
}
