// CFolderPopup: the folder popup's menu, update handlers and shell commands.
#include "FolderPopup.h"

#include "ShellCommands.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CFolderPopup, CCmdTarget)
    ON_COMMAND(ID_SHELL_OPEN, OnOpen)
    ON_COMMAND(ID_SHELL_PROPERTIES, OnProperties)
    ON_COMMAND(ID_SEARCH_IN_FOLDER, OnSearch)
    ON_COMMAND(ID_COPY_PATH, OnCopyPath)
    ON_COMMAND(ID_COMMAND_PROMPT, OnCommandPrompt)
    ON_UPDATE_COMMAND_UI(ID_SHELL_OPEN, OnUpdateVerb)
    ON_UPDATE_COMMAND_UI(ID_SHELL_PROPERTIES, OnUpdateVerb)
    ON_UPDATE_COMMAND_UI(ID_SEARCH_IN_FOLDER, OnUpdateSearch)
    ON_UPDATE_COMMAND_UI(ID_COMMAND_PROMPT, OnUpdateCommandPrompt)
END_MESSAGE_MAP()

namespace {
// The shell's windows belong to the pane's top-level window.
HWND ShellOwner(HWND pane) {
    const HWND top = GetAncestor(pane, GA_ROOT);
    return top ? top : pane;
}
} // namespace

void CFolderPopup::Show(POINT at) {
    CMenu menu;
    if (menu.LoadMenu(IDR_FOLDER_POPUP))
        menu.TrackPopupMenu(0, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, &m_pane);
}

void CFolderPopup::OnOpen() {
    const CString path = m_target().path;
    if (!path.IsEmpty())
        RunShellVerb(path, nullptr, ShellOwner(m_pane.m_hWnd));
}

void CFolderPopup::OnProperties() {
    const CString path = m_target().path;
    if (!path.IsEmpty())
        RunShellVerb(path, "properties", ShellOwner(m_pane.m_hWnd));
}

void CFolderPopup::OnSearch() {
    if (m_pListing)
        m_pListing->SearchInFolder(m_target().path);
}

void CFolderPopup::OnCopyPath() {
    const CString path = m_target().path;
    if (!path.IsEmpty())
        CopyTextToClipboard(m_pane.m_hWnd, path);
}

void CFolderPopup::OnCommandPrompt() {
    const FolderPopupTarget target = m_target();
    if (target.isFolder)
        StartCommandPrompt(target.path);
}

void CFolderPopup::OnUpdateVerb(CCmdUI* cmdUI) {
    cmdUI->Enable(m_target().canRunVerbs);
}

void CFolderPopup::OnUpdateSearch(CCmdUI* cmdUI) {
    cmdUI->Enable(m_target().canSearch);
}

void CFolderPopup::OnUpdateCommandPrompt(CCmdUI* cmdUI) {
    cmdUI->Enable(m_target().isFolder);
}
