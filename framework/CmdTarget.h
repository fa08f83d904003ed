// CCmdTarget: an object that has a message map and can take commands and update requests.
#pragma once

#include "MessageMap.h"
#include "Object.h"

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    // Looks nID up in this object's message map (and, in windows that route further, in the
    // objects next in line). nCode is CN_COMMAND, CN_UPDATE_COMMAND_UI (pExtra: the CCmdUI),
    // a control notification code, or MAKELONG(code, WM_NOTIFY) (pExtra: AFX_NOTIFY).
    // With pHandlerInfo set it only answers whether a handler exists.
    virtual bool OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

protected:
    // The first row of this object's maps, most derived class first, that matches; or null.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const;
};
