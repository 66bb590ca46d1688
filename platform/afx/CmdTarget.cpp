#include "platform/afx/CmdTarget.h"

#include "platform/afx/WinApp.h"

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP map{nullptr, nullptr, 0};
    return &map;
}

const AFX_EVENTSINKMAP* CCmdTarget::GetThisEventSinkMap() {
    static const AFX_EVENTSINKMAP map{nullptr, nullptr, 0};
    return &map;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT message, UINT id) const {
    for (const AFX_MSGMAP* map = GetMessageMap(); map;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (std::size_t i = 0; i < map->nCount; ++i) {
            const AFX_MSGMAP_ENTRY& e = map->lpEntries[i];
            if (e.nMessage == message && e.nID == id) return &e;
        }
    }
    return nullptr;
}

bool CCmdTarget::OnCmdMsg(UINT id) {
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(WM_COMMAND, id);
    if (!entry) return false;
    entry->pfn(this, id, 0);
    return true;
}

bool CCmdTarget::OnEvent(UINT controlId, DISPID dispid, DISPPARAMS* params) {
    for (const AFX_EVENTSINKMAP* map = GetEventSinkMap(); map;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (std::size_t i = 0; i < map->nCount; ++i) {
            const AFX_EVENTSINKMAP_ENTRY& e = map->lpEntries[i];
            if (e.nCtlID == controlId && e.dispid == dispid) {
                e.pfn(this, params);
                return true;
            }
        }
    }
    return false;
}

void CCmdTarget::BeginWaitCursor() {
    AfxGetApp()->DoWaitCursor(1);
}

void CCmdTarget::EndWaitCursor() {
    AfxGetApp()->DoWaitCursor(-1);
}
