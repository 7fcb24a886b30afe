// A window that logs its life's messages, for the window-contract and
// lifecycle tests.
#pragma once

#include "wnd.h"

#include <string>
#include <vector>

using CLog = std::vector<std::string>;

// Logs its life's messages as "<name> <message>" ("postncdestroy attached"
// should the object still be attached then); OnCreate answers
// m_createResult.
class CLifeProbe : public CWnd {
public:
    CLifeProbe(CLog& log, std::string name, bool autoDelete = false)
        : m_log(log), m_name(std::move(name)), m_autoDelete(autoDelete)
    {
    }
    ~CLifeProbe() override { m_log.push_back(m_name + " deleted"); }

    void PostNcDestroy() override
    {
        m_log.push_back(m_name + " postncdestroy" + (m_hWnd == nullptr ? "" : " attached"));
        if (m_autoDelete)
            delete this;
    }

    BOOL CreatePopup(LPCTSTR className = nullptr)
    {
        return CreateEx(0, className, "", WS_POPUP, 5, 6, 70, 80, nullptr, 0);
    }

    int m_createResult = 0;
    bool m_attachedAtNcCreate = false;

protected:
    int OnCreate(LPCREATESTRUCT createStruct)
    {
        m_log.push_back(m_name + " create " + std::to_string(createStruct->cx) + "x" +
                        std::to_string(createStruct->cy));
        return CWnd::OnCreate(createStruct) == -1 ? -1 : m_createResult;
    }
    void OnDestroy() { m_log.push_back(m_name + " destroy"); }

    CLog& m_log;
    std::string m_name;
    bool m_autoDelete;
    DECLARE_MESSAGE_MAP()
};
