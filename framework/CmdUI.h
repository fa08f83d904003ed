// CCmdUI: one user-interface item of a command (menu item, toolbar button, status pane) that an
// update handler enables, checks or relabels. Subclasses say how for their kind of item.
#pragma once

#include <windows.h>

class CCmdTarget;

class CCmdUI {
public:
    virtual ~CCmdUI() = default;

    UINT m_nID = 0;
    UINT m_nIndex = 0;       // position of the item in its menu or bar
    HMENU m_hMenu = nullptr; // the popup menu being updated, for menu items
    bool m_bEnableChanged = false;
    bool m_bContinueRouting = false;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);
    // A menu item shows a bullet, one of a group of choices; other items a check.
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(const char* text);
    // Lets the update request go on to the next target in the route.
    void ContinueRouting() { m_bContinueRouting = true; }

    // Asks target for an update handler; when there is none and disableIfNoHandler is set,
    // enables the item exactly when some target handles the command. True when a handler ran.
    bool DoUpdate(CCmdTarget* target, bool disableIfNoHandler);
};

// Runs the update handlers of every command item of a popup menu, asking target and the route
// behind it; an item that no target on the route handles is greyed.
void AfxUpdateMenuItems(HMENU menu, CCmdTarget* target);

// Records what an update handler says, without a visible item: used to refuse disabled commands.
class CTestCmdUI : public CCmdUI {
public:
    bool m_bEnabled = true;
    int m_nCheck = 0;
    void Enable(BOOL bOn = TRUE) override {
        m_bEnabled = bOn != 0;
        m_bEnableChanged = true;
    }
    void SetCheck(int nCheck = 1) override { m_nCheck = nCheck; }
    void SetText(const char*) override {}
};
