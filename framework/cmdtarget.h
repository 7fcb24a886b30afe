// The root of every class with a message table.
#pragma once

#include "msgmap.h"

class CCmdTarget {
public:
    CCmdTarget() = default;
    virtual ~CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // Runs the handler of the class's table (or its bases') for the message;
    // returns false when no table lists it.
    bool DispatchMessageEntry(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Routes a command identifier (WM_COMMAND) through the table.
    bool OnCmdMsg(UINT commandId);

protected:
    // The root table: empty, no base.
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};
