// Per-class message tables.
//
// Every class that handles messages declares DECLARE_MESSAGE_MAP() and lists
// its handlers between BEGIN_MESSAGE_MAP(Class, Base) and END_MESSAGE_MAP().
// A table's base is the base class's table, so a message a class does not
// list is looked up in its base's table and so on up to CCmdTarget; a message
// no table lists gets the window's default processing.
//
// An entry holds the message (and, for WM_COMMAND, the command identifier)
// and a thunk that unpacks the message's parameters and calls the handler.
// The thunks are written inside the class's own member function, so they may
// call protected handlers.
#pragma once

#include "afxtypes.h"

class CCmdTarget;

// Calls the handler for a message; returns the message's result.
using AFX_MSG_THUNK = LRESULT (*)(CCmdTarget* target, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
    UINT message;   // 0 ends the table
    UINT commandId; // for WM_COMMAND: the command identifier; otherwise 0
    AFX_MSG_THUNK thunk;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();  // nullptr for the root table
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// The first entry for the message (and command identifier) in the table or
// its bases, or nullptr.
const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* map, UINT message, UINT commandId);

#define DECLARE_MESSAGE_MAP()                              \
protected:                                                 \
    static const AFX_MSGMAP* GetThisMessageMap();          \
    const AFX_MSGMAP* GetMessageMap() const override;      \
                                                           \
private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                          \
    const AFX_MSGMAP* theClass::GetMessageMap() const                   \
    {                                                                   \
        return GetThisMessageMap();                                     \
    }                                                                   \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                     \
    {                                                                   \
        using ThisClass = theClass;                                     \
        using TheBaseClass = baseClass;                                 \
        static_assert(sizeof(ThisClass) > 0, "complete class");         \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                     \
            {0, 0, nullptr}                                                   \
        };                                                                    \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, \
                                              &_messageEntries[0]};           \
        return &messageMap;                                                   \
    }

// Entry helpers: AFX_MSG_ENTRY(message, commandId, body) where body may use `self`
// (ThisClass*), `wParam` and `lParam` and evaluates to the LRESULT.
#define AFX_MSG_ENTRY(message, commandId, ...)                                     \
    {message, commandId, [](CCmdTarget* target, WPARAM wParam, LPARAM lParam) -> LRESULT { \
         ThisClass* self = static_cast<ThisClass*>(target);                        \
         (void)self;                                                               \
         (void)wParam;                                                             \
         (void)lParam;                                                             \
         __VA_ARGS__                                                               \
     }},

#define ON_COMMAND(id, memberFxn) \
    AFX_MSG_ENTRY(WM_COMMAND, static_cast<UINT>(id), { self->memberFxn(); return 0; })

#define ON_WM_CREATE() \
    AFX_MSG_ENTRY(WM_CREATE, 0, { return self->OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam)); })
#define ON_WM_DESTROY() \
    AFX_MSG_ENTRY(WM_DESTROY, 0, { self->OnDestroy(); return 0; })
#define ON_WM_PAINT() \
    AFX_MSG_ENTRY(WM_PAINT, 0, { self->OnPaint(); return 0; })
#define ON_WM_TIMER() \
    AFX_MSG_ENTRY(WM_TIMER, 0, { self->OnTimer(static_cast<UINT_PTR>(wParam)); return 0; })
#define ON_WM_POWERBROADCAST() \
    AFX_MSG_ENTRY(WM_POWERBROADCAST, 0, { return static_cast<LRESULT>(self->OnPowerBroadcast(static_cast<UINT>(wParam), lParam)); })
#define ON_WM_SYSCOMMAND() \
    AFX_MSG_ENTRY(WM_SYSCOMMAND, 0, { self->OnSysCommand(static_cast<UINT>(wParam), lParam); return 0; })
#define ON_WM_SETCURSOR()                                                                   \
    AFX_MSG_ENTRY(WM_SETCURSOR, 0, {                                                        \
        return self->OnSetCursor(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)),          \
                                 LOWORD(static_cast<std::uintptr_t>(lParam)),               \
                                 HIWORD(static_cast<std::uintptr_t>(lParam)));              \
    })
#define ON_WM_NCACTIVATE() \
    AFX_MSG_ENTRY(WM_NCACTIVATE, 0, { return self->OnNcActivate(static_cast<BOOL>(wParam)); })
#define ON_WM_ACTIVATE()                                                                       \
    AFX_MSG_ENTRY(WM_ACTIVATE, 0, {                                                            \
        self->OnActivate(LOWORD(wParam), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)),     \
                         static_cast<BOOL>(HIWORD(wParam)));                                   \
        return 0;                                                                              \
    })
#define ON_WM_ACTIVATEAPP() \
    AFX_MSG_ENTRY(WM_ACTIVATEAPP, 0, { self->OnActivateApp(static_cast<BOOL>(wParam), static_cast<DWORD>(lParam)); return 0; })
#define AFX_MOUSE_ENTRY(message, memberFxn)                                                     \
    AFX_MSG_ENTRY(message, 0, {                                                                 \
        self->memberFxn(static_cast<UINT>(wParam), CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))); \
        return 0;                                                                               \
    })
#define ON_WM_MOUSEMOVE() AFX_MOUSE_ENTRY(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_MOUSE_ENTRY(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_MBUTTONDOWN() AFX_MOUSE_ENTRY(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_RBUTTONDOWN() AFX_MOUSE_ENTRY(WM_RBUTTONDOWN, OnRButtonDown)
// Wheel messages report the pointer in screen coordinates, with the signed
// distance turned (multiples of WHEEL_DELTA per notch).
#define AFX_WHEEL_ARGUMENTS                                                                     \
    GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam), CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))
#define ON_WM_MOUSEWHEEL() \
    AFX_MSG_ENTRY(WM_MOUSEWHEEL, 0, { return self->OnMouseWheel(AFX_WHEEL_ARGUMENTS); })
#define ON_WM_MOUSEHWHEEL() \
    AFX_MSG_ENTRY(WM_MOUSEHWHEEL, 0, { self->OnMouseHWheel(AFX_WHEEL_ARGUMENTS); return 0; })
// A window that handles a side button answers TRUE, as the platform asks.
#define ON_WM_XBUTTONDOWN()                                                                     \
    AFX_MSG_ENTRY(WM_XBUTTONDOWN, 0, {                                                          \
        self->OnXButtonDown(GET_KEYSTATE_WPARAM(wParam), GET_XBUTTON_WPARAM(wParam),            \
                            CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));                \
        return TRUE;                                                                            \
    })
#define AFX_KEY_ENTRY(message, memberFxn)                                                       \
    AFX_MSG_ENTRY(message, 0, {                                                                 \
        self->memberFxn(static_cast<UINT>(wParam), LOWORD(static_cast<std::uintptr_t>(lParam)), \
                        HIWORD(static_cast<std::uintptr_t>(lParam)));                           \
        return 0;                                                                               \
    })
#define ON_WM_KEYDOWN() AFX_KEY_ENTRY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_SYSKEYDOWN() AFX_KEY_ENTRY(WM_SYSKEYDOWN, OnSysKeyDown)
