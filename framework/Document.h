// CDocument: the data a frame's views show. It knows its views, its title and its file.
#pragma once

#include "CmdTarget.h"
#include "FwString.h"

#include <vector>

class CView;
class CDocTemplate;
class CFrameWnd;

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    // Sets the title and shows it in the caption of every frame that shows this document.
    virtual void SetTitle(const char* title);
    const CString& GetPathName() const { return m_strPathName; }
    // Remembers the file (as a full path) and makes its name the title.
    virtual void SetPathName(const char* path);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    void AddView(CView* view);
    void RemoveView(CView* view);
    const std::vector<CView*>& GetViews() const { return m_views; }
    void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hintObject = nullptr);

    virtual BOOL OnNewDocument();
    // Opens the file for reading; a file that cannot be opened is reported and refused.
    virtual BOOL OnOpenDocument(const char* path);
    virtual void DeleteContents() {}
    // Closes the document: its frames go, then the document itself.
    virtual void OnCloseDocument();
    // Writes the document to path (the base document has no data: an empty file).
    virtual BOOL OnSaveDocument(const char* path);
    virtual BOOL SaveModified() { return TRUE; }
    BOOL IsModified() const { return m_bModified; }
    void SetModifiedFlag(BOOL modified = TRUE) { m_bModified = modified != 0; }

protected:
    CDocument() = default;
    // Save (Ctrl+S): a document without a file asks for one; an unchanged document that has
    // its file leaves it as it is.
    void OnFileSave();
    DECLARE_MESSAGE_MAP()

private:
    friend class CDocTemplate;
    friend class CSingleDocTemplate;
    // The frames that hold the document's views, each once.
    std::vector<CFrameWnd*> ViewFrames() const;
    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate = nullptr;
    std::vector<CView*> m_views;
    bool m_bModified = false;
};
