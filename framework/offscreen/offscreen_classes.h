// Window classes of the off-screen port: what AfxRegisterWndClass
// registered, so that windows know their cursor and tests can check the
// style and cursor a class was given. Classes are the process's, as on
// Windows: code keeps their names for the life of the process.
#pragma once

#include "afxport.h"

#include <deque>
#include <string>

struct COffscreenClass {
    std::string name;
    UINT style = 0;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    HICON icon = nullptr;
};

class COffscreenClassTable {
public:
    // The framework's default class: arrow pointer, no background brush.
    static constexpr const char* kDefaultClassName = "AfxWnd";

    COffscreenClassTable();

    // Registers a class for this set of arguments unless one is registered
    // already, and returns its name.
    LPCTSTR Register(UINT style, HCURSOR cursor, HBRUSH background, HICON icon);
    // The class of that name; a null or empty name is the default class.
    // nullptr when no such class is registered.
    const COffscreenClass* Find(LPCTSTR name) const;

private:
    // A deque never moves its elements, so the names handed out stay valid.
    std::deque<COffscreenClass> m_classes;
};

// The process's classes.
COffscreenClassTable& OffscreenClasses();
