// CLinkStatic: turns a dialog's static text into a clickable link. The text is drawn underlined
// in link colours, the pointer becomes a hand over it, a tooltip shows the target, and a click
// opens the target with the shell; a failed open beeps and explains itself in a message box.
#pragma once

#include "OpenLink.h"

class CLinkStatic : public CStatic {
    DECLARE_DYNAMIC(CLinkStatic)
public:
    CLinkStatic();

    virtual void SetTarget(const char* target);
    virtual void MarkVisited(bool visited = true);
    virtual INT_PTR OpenLink(const char* target, int showCommand);
    virtual void ShowLinkError(INT_PTR result);
    virtual LONG ReadClassesDefault(HKEY root, const char* subkey, CString& value);
    // Resizes the control to its text, keeping its top-left corner.
    virtual void FitToText();

    const CString& GetTarget() const { return m_strTarget; }
    bool IsVisited() const { return m_bVisited; }
    bool IsOverLink() const { return m_bOverLink; }
    HFONT GetLinkFont() const { return m_font.Get(); }
    HWND GetToolTip() const { return m_toolTip.m_hWnd; }
    // The colour the text is drawn in now.
    COLORREF GetTextColour() const;

    COLORREF m_crLink = RGB(0, 0, 238);
    COLORREF m_crVisited = RGB(85, 26, 139);
    COLORREF m_crHover;
    bool m_bUnderline = true;
    bool m_bFitToText = true;

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void PreSubclassWindow() override;
    void OnClicked();
    HBRUSH CtlColor(HDC dc, UINT ctlType);
    void OnMouseMove(UINT flags, POINT point);
    BOOL OnSetCursor(HWND window, UINT hitTest, UINT message);
    DECLARE_MESSAGE_MAP()

private:
    void RedrawNow();

    bool m_bOverLink = false;
    bool m_bVisited = false;
    CString m_strTarget;
    ScopedFont m_font;
    CToolTipCtrl m_toolTip;
};
