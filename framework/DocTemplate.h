// Document templates: which document, frame and view classes make up a document window, and
// the resources (menu, accelerators, icon, document strings) they share. The single-document
// template keeps one document and one frame and reuses them for New and Open.
#pragma once

#include "CmdTarget.h"
#include "FwString.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)
public:
    // Fields of the document string resource, separated by "\n".
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName
    };

    CDocTemplate(UINT resourceId, const CRuntimeClass* docClass, const CRuntimeClass* frameClass,
                 const CRuntimeClass* viewClass);
    CString GetDocString(DocStringIndex index) const;
    UINT GetResourceId() const { return m_nIDResource; }

    // Opens a document on path, or a new one for a null path; null on failure.
    virtual CDocument* OpenDocumentFile(const char* path, BOOL makeVisible = TRUE) = 0;
    virtual void RemoveDocument(CDocument* document) = 0;
    CDocument* CreateNewDocument();
    CFrameWnd* CreateNewFrame(CDocument* document);
    void InitialUpdateFrame(CFrameWnd* frame, CDocument* document, BOOL makeVisible = TRUE);
    void SetDefaultTitle(CDocument* document);

protected:
    UINT m_nIDResource;
    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;
};

class CSingleDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CSingleDocTemplate)
public:
    using CDocTemplate::CDocTemplate;
    ~CSingleDocTemplate() override;
    CDocument* OpenDocumentFile(const char* path, BOOL makeVisible = TRUE) override;
    void RemoveDocument(CDocument* document) override;
    CDocument* GetDocument() const { return m_pOnlyDoc; }

private:
    CDocument* m_pOnlyDoc = nullptr;
};
