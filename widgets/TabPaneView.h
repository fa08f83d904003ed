// CTabPaneView: a view that is itself a tab control and shows one full child view per tab. It
// creates the views by class, keeps exactly one of them shown and enabled, and lays every one
// of them out in the area below the tabs.
#pragma once

#include "Framework.h"

#include <vector>

struct TabRecord {
    CWnd* view;     // destroyed with the tab view's window
    char label[32]; // the tab's text, at most 31 characters
};

class CTabPaneView : public CCtrlView {
    DECLARE_DYNAMIC(CTabPaneView)
public:
    // Creates a view of viewClass as a child and adds a tab for it; false (and no tab) when the
    // view or its window cannot be made. Without a context the view gets doc and this frame.
    virtual bool AppendTab(const char* label, const CRuntimeClass* viewClass, CDocument* doc,
                           CCreateContext* context = nullptr);
    // Shows the tab's view and selects the tab; -1, the current tab or an unknown index: nothing.
    virtual void SelectTab(int index);
    // Selects the first tab whose view is of viewClass or derived from it.
    virtual void SelectTabOfClass(const CRuntimeClass* viewClass);
    // The view of a tab; null for -1 or an unknown index.
    virtual CWnd* GetTabWindow(int index) const;
    // The view AppendTab last created or the last selection showed.
    virtual CWnd* GetCurrentView() const { return m_pCurrentView; }
    // Gives the tab control its images (tab i shows image i); answers the previous list.
    virtual HIMAGELIST SetTabImages(HIMAGELIST images);

    int GetTabCount() const { return static_cast<int>(m_tabs.size()); }
    int GetCurrentIndex() const { return m_nCurrentIndex; }
    // The rectangle, in this window's client coordinates, that every tab's view occupies.
    RECT GetChildArea() const;
    // Lays the tabs and views out for a display of dpi: the tabs take the message font at that
    // DPI and the insets below scale. Runs at creation (at the window's DPI) and when the
    // window moves to a display of another DPI; a derived view changes its tab images here.
    virtual void SetDpi(int dpi);
    int GetDpi() const { return m_nDpi; }

    // At 96 DPI.
    static constexpr int kChildInset = 3;     // left, right and bottom
    static constexpr int kChildTopInset = 26; // the tabs sit along the top edge

protected:
    CTabPaneView();
    int OnCreate(LPCREATESTRUCT cs);
    void OnSelChange(NMHDR* header, LRESULT* result);
    void OnWindowPosChanged(WINDOWPOS* pos);
    void OnDestroy();
    BOOL OnEraseBkgnd(HDC dc);
    DECLARE_MESSAGE_MAP()

private:
    void Show(CWnd* view);
    void Hide(CWnd* view);
    void LayOutViews();

    CWnd* m_pCurrentView = nullptr;
    int m_nCurrentIndex = 0;
    int m_nDpi = kDesignDpi;
    HWND m_hToolTip = nullptr; // the tab control's own tooltip control
    std::vector<TabRecord> m_tabs;
};
