// CDocument: views, title and file.
#include "Document.h"

#include "DocTemplate.h"
#include "FileDialog.h"
#include "Frame.h"
#include "FwIds.h"
#include "View.h"
#include "engine/platform/win32/OpenForReading.h"
#include "WinApp.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
END_MESSAGE_MAP()

CDocument::~CDocument() {
    for (CView* view : m_views)
        view->m_pDocument = nullptr;
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

std::vector<CFrameWnd*> CDocument::ViewFrames() const {
    std::vector<CFrameWnd*> frames;
    for (CView* view : m_views)
        if (CFrameWnd* frame = view->GetParentFrame())
            if (std::find(frames.begin(), frames.end(), frame) == frames.end())
                frames.push_back(frame);
    return frames;
}

void CDocument::SetTitle(const char* title) {
    m_strTitle = title;
    for (CFrameWnd* frame : ViewFrames())
        frame->OnUpdateFrameTitle(TRUE);
}

void CDocument::SetPathName(const char* path) {
    char full[MAX_PATH];
    char* namePart = nullptr;
    DWORD length = GetFullPathNameA(path, MAX_PATH, full, &namePart);
    m_strPathName = length > 0 && length < MAX_PATH ? full : path;
    int slash = std::max(m_strPathName.ReverseFind('\\'), m_strPathName.ReverseFind('/'));
    SetTitle(m_strPathName.Mid(slash + 1));
}

void CDocument::AddView(CView* view) {
    if (std::find(m_views.begin(), m_views.end(), view) != m_views.end())
        return;
    m_views.push_back(view);
    view->m_pDocument = this;
}

void CDocument::RemoveView(CView* view) {
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
    view->m_pDocument = nullptr;
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, CObject* hintObject) {
    for (CView* view : std::vector<CView*>(m_views))
        if (view != sender)
            view->OnUpdate(sender, hint, hintObject);
}

BOOL CDocument::OnNewDocument() {
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(const char* path) {
    // Opened only to see that it can be: the document keeps nothing of the file.
    if (!quarvel::platform::OpenForReading(path)) {
        CString message;
        message.Format(
            "%s\nThis file could not be opened.\nPlease verify that the correct path and "
            "file name are given.",
            path);
        AfxMessageBox(message, MB_ICONEXCLAMATION);
        return FALSE;
    }
    DeleteContents();
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnCloseDocument() {
    for (CFrameWnd* frame : ViewFrames())
        frame->DestroyWindow();
    DeleteContents();
    delete this;
}

void CDocument::OnFileSave() {
    if (!m_strPathName.IsEmpty() && !IsModified())
        return; // nothing changed: rewriting would only lose what the file holds
    CString path = m_strPathName;
    if (path.IsEmpty()) {
        CFileDialog dialog(FALSE, nullptr, m_strTitle, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                           "All Files (*.*)|*.*||");
        if (dialog.DoModal() != IDOK)
            return;
        path = dialog.GetPathName();
    }
    if (OnSaveDocument(path))
        SetPathName(path);
}

BOOL CDocument::OnSaveDocument(const char* path) {
    const ScopedFile file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        CString message;
        message.Format("%s\nThis file could not be written.", path);
        AfxMessageBox(message, MB_ICONEXCLAMATION);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}
