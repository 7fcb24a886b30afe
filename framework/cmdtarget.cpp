#include "cmdtarget.h"

const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* map, UINT message, UINT commandId)
{
    for (; map != nullptr; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->message != 0; ++entry) {
            if (entry->message == message && entry->commandId == commandId)
                return entry;
        }
    }
    return nullptr;
}

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

bool CCmdTarget::DispatchMessageEntry(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    const UINT commandId = message == WM_COMMAND ? LOWORD(wParam) : 0;
    const AFX_MSGMAP_ENTRY* entry = AfxFindMessageEntry(GetMessageMap(), message, commandId);
    if (entry == nullptr)
        return false;
    result = entry->thunk(this, wParam, lParam);
    return true;
}

bool CCmdTarget::OnCmdMsg(UINT commandId)
{
    LRESULT ignored = 0;
    return DispatchMessageEntry(WM_COMMAND, commandId, 0, ignored);
}
