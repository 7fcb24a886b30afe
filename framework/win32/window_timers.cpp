#include "window_timers.h"

#include <algorithm>

void CWindowTimers::Set(HWND hWnd, UINT_PTR id, UINT elapseMs)
{
    const auto found = std::find_if(m_timers.begin(), m_timers.end(),
                                    [&](const CTickSchedule::CTimer& t) { return t.hWnd == hWnd && t.id == id; });
    if (found != m_timers.end())
        found->elapseMs = elapseMs;
    else
        m_timers.push_back({hWnd, id, elapseMs});
}

bool CWindowTimers::Kill(HWND hWnd, UINT_PTR id)
{
    const auto found = std::find_if(m_timers.begin(), m_timers.end(),
                                    [&](const CTickSchedule::CTimer& t) { return t.hWnd == hWnd && t.id == id; });
    if (found == m_timers.end())
        return false;
    m_timers.erase(found);
    return true;
}
