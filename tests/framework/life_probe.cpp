#include "life_probe.h"

BEGIN_MESSAGE_MAP(CLifeProbe, CWnd)
    AFX_MSG_ENTRY(WM_NCCREATE, 0, {
        self->m_attachedAtNcCreate = CWnd::FromHandle(self->m_hWnd) == self;
        self->m_log.push_back(self->m_name + " nccreate");
        return self->Default();
    })
    ON_WM_CREATE()
    ON_WM_DESTROY()
    AFX_MSG_ENTRY(WM_NCDESTROY, 0, {
        self->m_log.push_back(self->m_name + " ncdestroy");
        return self->Default();
    })
END_MESSAGE_MAP()
