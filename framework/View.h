// Views: CView (a pane that shows a document), CCtrlView (a view whose window is a common
// control), CSingleCtrlView (a view filled by one child control), CFormView (a view whose window
// is a child dialog from a template), and the creation context that carries the document and
// frame to a view being created.
#pragma once

#include "Dpi.h"
#include "Wnd.h"

class CDocument;
class CDocTemplate;
class CFrameWnd;
class CView;

struct CCreateContext {
    const CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    ~CView() override;
    CDocument* GetDocument() const { return m_pDocument; }

    // Runs once the frame and all its views exist, before the frame is first shown, and again
    // after every New or Open.
    virtual void OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }
    virtual void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject);
    virtual void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView);
    virtual void OnDraw(HDC dc) = 0;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    bool OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    CView() = default;
    int OnCreate(LPCREATESTRUCT cs);
    void OnDestroy();
    void OnPaint();
    int OnMouseActivate(HWND topParent, UINT hitTest, UINT message);
    void OnSetFocus(HWND old);
    LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);
    void PostNcDestroy() override { delete this; }

    // Set by views whose window creation does not pass the context in CREATESTRUCT.
    CCreateContext* m_pCreateContext = nullptr;

    DECLARE_MESSAGE_MAP()

private:
    friend class CDocument;
    CDocument* m_pDocument = nullptr;
};

class CCtrlView : public CView {
    DECLARE_DYNAMIC(CCtrlView)
public:
    CCtrlView(const char* className, DWORD style)
        : m_strClass(className), m_dwDefaultStyle(style) {}
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void OnDraw(HDC) override {}

protected:
    void OnPaint() { Default(); } // the control paints itself
    CString m_strClass;
    DWORD m_dwDefaultStyle;
    DECLARE_MESSAGE_MAP()
};

// A view whose whole client area is one child control, which it keeps sized to the view and
// hands the keyboard focus to. A derived view creates the control in CreateControl.
class CSingleCtrlView : public CView {
    DECLARE_DYNAMIC(CSingleCtrlView)
public:
    void OnDraw(HDC) override {} // the control paints the whole client area
    // Lays the view out for a display of dpi: the control takes the message font at that DPI,
    // and views with sizes of their own scale them. Runs when the view is created (at the
    // window's DPI) and when its window moves to a display of another DPI.
    virtual void SetDpi(int dpi);
    int GetDpi() const { return m_nDpi; }

protected:
    explicit CSingleCtrlView(CWnd& control) : m_control(control) {}
    // Creates the control as a child of this view; false fails the view's creation.
    virtual bool CreateControl() = 0;
    int OnCreate(LPCREATESTRUCT cs);
    void OnSize(UINT type, int cx, int cy);
    void OnSetFocus(HWND old);
    DECLARE_MESSAGE_MAP()

private:
    CWnd& m_control; // a member of the derived view
    int m_nDpi = kDesignDpi;
};

class CFormView : public CView {
    DECLARE_DYNAMIC(CFormView)
public:
    BOOL Create(const char* className, const char* windowName, DWORD style, const RECT& rect,
                CWnd* parent, UINT id, CCreateContext* context = nullptr) override;
    void OnInitialUpdate() override;
    void OnDraw(HDC) override {}
    BOOL PreTranslateMessage(MSG* msg) override;
    UINT GetTemplateId() const { return m_nIDTemplate; }

protected:
    explicit CFormView(UINT templateId) : m_nIDTemplate(templateId) {}
    void OnPaint() { Default(); } // the dialog paints itself
    UINT m_nIDTemplate;
    DECLARE_MESSAGE_MAP()
};
