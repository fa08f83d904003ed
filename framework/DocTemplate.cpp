// Document templates: creating documents and frames, New and Open.
#include "DocTemplate.h"

#include "Document.h"
#include "Frame.h"
#include "View.h"
#include "WinApp.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CDocTemplate::CDocTemplate(UINT resourceId, const CRuntimeClass* docClass,
                           const CRuntimeClass* frameClass, const CRuntimeClass* viewClass)
    : m_nIDResource(resourceId), m_pDocClass(docClass), m_pFrameClass(frameClass),
      m_pViewClass(viewClass) {
    m_strDocStrings.LoadString(resourceId);
}

CString CDocTemplate::GetDocString(DocStringIndex index) const {
    int start = 0;
    for (int i = 0; i < index; ++i) {
        int next = m_strDocStrings.Find('\n', start);
        if (next < 0)
            return CString();
        start = next + 1;
    }
    int end = m_strDocStrings.Find('\n', start);
    return end < 0 ? m_strDocStrings.Mid(start) : m_strDocStrings.Mid(start, end - start);
}

CDocument* CDocTemplate::CreateNewDocument() {
    CObject* object = m_pDocClass ? m_pDocClass->CreateObject() : nullptr;
    if (!object)
        return nullptr;
    auto* document = static_cast<CDocument*>(object);
    document->m_pDocTemplate = this;
    return document;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* document) {
    CObject* object = m_pFrameClass ? m_pFrameClass->CreateObject() : nullptr;
    if (!object)
        return nullptr;
    auto* frame = static_cast<CFrameWnd*>(object);
    CCreateContext context;
    context.m_pCurrentDoc = document;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    // A frame whose window fails has deleted itself (PostNcDestroy).
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
        return nullptr;
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* frame, CDocument*, BOOL makeVisible) {
    frame->InitialUpdateFrame(makeVisible);
}

void CDocTemplate::SetDefaultTitle(CDocument* document) {
    CString title = GetDocString(docName);
    document->SetTitle(title.IsEmpty() ? "Untitled" : title.GetString());
}

CSingleDocTemplate::~CSingleDocTemplate() {
    if (m_pOnlyDoc) {
        m_pOnlyDoc->m_pDocTemplate = nullptr;
        delete m_pOnlyDoc;
    }
}

void CSingleDocTemplate::RemoveDocument(CDocument* document) {
    if (m_pOnlyDoc == document)
        m_pOnlyDoc = nullptr;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(const char* path, BOOL makeVisible) {
    CDocument* document = m_pOnlyDoc;
    bool created = false;
    CFrameWnd* frame = nullptr;
    if (document) {
        if (!document->SaveModified())
            return nullptr;
        for (CView* view : document->GetViews())
            if ((frame = view->GetParentFrame()) != nullptr)
                break;
    } else {
        document = CreateNewDocument();
        if (!document)
            return nullptr;
        m_pOnlyDoc = document;
        created = true;
    }
    if (!frame) {
        frame = CreateNewFrame(document);
        if (!frame) {
            delete document;
            return nullptr;
        }
        if (CWinApp* app = AfxGetApp(); app && !app->m_pMainWnd)
            app->m_pMainWnd = frame;
    }
    if (!path) {
        SetDefaultTitle(document);
        if (!document->OnNewDocument()) {
            if (created)
                frame->DestroyWindow();
            return nullptr;
        }
    } else {
        if (!document->OnOpenDocument(path)) {
            if (created)
                frame->DestroyWindow(); // the document goes with its frame
            return nullptr;
        }
        document->SetPathName(path);
    }
    InitialUpdateFrame(frame, document, makeVisible);
    return document;
}
