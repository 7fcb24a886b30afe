#include "offscreen_classes.h"

#include "offscreen_resources.h"

#include <cstdio>

COffscreenClassTable& OffscreenClasses()
{
    static COffscreenClassTable classes;
    return classes;
}

COffscreenClassTable::COffscreenClassTable()
{
    m_classes.push_back(COffscreenClass{kDefaultClassName, 0, OffscreenArrowCursor(), nullptr, nullptr});
}

LPCTSTR COffscreenClassTable::Register(UINT style, HCURSOR cursor, HBRUSH background, HICON icon)
{
    // The name spells out the arguments, as MFC's "Afx:..." names do, so a
    // second registration with the same arguments finds the first.
    char name[96];
    std::snprintf(name, sizeof name, "Afx:%x:%p:%p:%p", style, static_cast<void*>(cursor),
                  static_cast<void*>(background), static_cast<void*>(icon));
    if (const COffscreenClass* known = Find(name))
        return known->name.c_str();
    m_classes.push_back(COffscreenClass{name, style, cursor, background, icon});
    return m_classes.back().name.c_str();
}

const COffscreenClass* COffscreenClassTable::Find(LPCTSTR name) const
{
    if (name == nullptr || *name == '\0')
        name = kDefaultClassName;
    for (const COffscreenClass& windowClass : m_classes) {
        if (windowClass.name == name)
            return &windowClass;
    }
    return nullptr;
}
