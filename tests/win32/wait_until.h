// Polling another process's state from a test.
#pragma once

#include "afxtypes.h"

// Polls the condition every 10 ms until it holds or timeoutMs have passed;
// returns the condition.
template <class Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (::GetTickCount64() >= deadline)
            return false;
        ::Sleep(10);
    }
    return true;
}
