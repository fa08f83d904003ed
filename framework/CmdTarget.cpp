// Command dispatch through the message maps.
#include "CmdTarget.h"

#include "CmdUI.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const {
    for (const AFX_MSGMAP* map = GetMessageMap(); map;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->pfn; ++entry) {
            if (entry->nMessage == nMessage && entry->nCode == nCode && entry->nID <= nID &&
                nID <= entry->nLastID)
                return entry;
        }
    }
    return nullptr;
}

bool CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    UINT message = WM_COMMAND;
    UINT code = static_cast<UINT>(nCode);
    if (nCode != CN_UPDATE_COMMAND_UI && HIWORD(nCode) == WM_NOTIFY) {
        message = WM_NOTIFY;
        code = LOWORD(nCode);
    } else if (nCode != CN_UPDATE_COMMAND_UI) {
        code = LOWORD(nCode);
    }
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(message, code, nID);
    if (!entry)
        return false;
    if (pHandlerInfo) {
        pHandlerInfo->pTarget = this;
        return true;
    }
    AfxMsg msg{message, nID, reinterpret_cast<LPARAM>(pExtra), 0};
    if (message == WM_NOTIFY) {
        auto* notify = static_cast<AFX_NOTIFY*>(pExtra);
        msg.lParam = reinterpret_cast<LPARAM>(notify->pNMHDR);
        bool handled = entry->pfn(this, msg);
        *notify->pResult = msg.result;
        return handled;
    }
    if (nCode == CN_UPDATE_COMMAND_UI) {
        auto* cmdUI = static_cast<CCmdUI*>(pExtra);
        cmdUI->m_bContinueRouting = false;
        entry->pfn(this, msg);
        return !cmdUI->m_bContinueRouting;
    }
    return entry->pfn(this, msg);
}
