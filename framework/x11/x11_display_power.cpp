#include "x11_display_power.h"

#include <X11/Xmd.h>
#include <X11/extensions/dpms.h>

bool CX11DisplayPower::IsOff(Clock::time_point now)
{
    if (m_asked && now < NextCheck())
        return m_off;
    m_asked = true;
    m_checked = now;
    int event = 0, error = 0;
    CARD16 level = DPMSModeOn;
    BOOL enabled = False;
    m_off = DPMSQueryExtension(m_display, &event, &error) && DPMSCapable(m_display) &&
            DPMSInfo(m_display, &level, &enabled) && enabled && level != DPMSModeOn;
    return m_off;
}
