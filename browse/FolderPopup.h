// The folder popup of the folder tree and the file list (menu 114): "&Open", "&Properties",
// "Search", "Copy Path" and "Dos command prompt" on one path. Each pane says what the commands
// act on; CFolderPopup shows the menu, enables its items through its update handlers and carries
// out the commands that the pane hands it.
#pragma once

#include "BrowseHosts.h"
#include "Framework.h"

#include <functional>

// What the popup's commands act on, as the pane sees it when they run or the menu opens.
struct FolderPopupTarget {
    CString path;             // empty: no target
    bool canRunVerbs = false; // "&Open" and "&Properties"
    bool canSearch = false;   // "Search"
    bool isFolder = false;    // "Dos command prompt"
};

class CFolderPopup : public CCmdTarget {
public:
    using TargetReader = std::function<FolderPopupTarget()>;
    // pane owns this object and the menu, and passes its commands on through OnCmdMsg.
    CFolderPopup(CWnd& pane, TargetReader target) : m_pane(pane), m_target(std::move(target)) {}

    // Shows the menu at a screen point, tracking the right button; its commands go to the pane.
    void Show(POINT at);
    // Where "Search" goes (not owned; null: nowhere).
    void SetListing(ListingRequests* listing) { m_pListing = listing; }

protected:
    void OnOpen();
    void OnProperties();
    void OnSearch();
    void OnCopyPath();
    void OnCommandPrompt();
    void OnUpdateVerb(CCmdUI* cmdUI);
    void OnUpdateSearch(CCmdUI* cmdUI);
    void OnUpdateCommandPrompt(CCmdUI* cmdUI);
    DECLARE_MESSAGE_MAP()

private:
    CWnd& m_pane;
    TargetReader m_target;
    ListingRequests* m_pListing = nullptr;
};
