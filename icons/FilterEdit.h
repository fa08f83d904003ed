// CFilterEdit: the icon list's filter box, a one-line edit whose cue text names the words it
// understands. Esc empties it; Enter and Down move to the list below.
#pragma once

#include "Framework.h"

class CFilterEdit : public CEdit {
public:
    // The cue text shown while the box is empty.
    static const wchar_t kCue[];

    BOOL Create(const RECT& rect, CWnd* parent, UINT id);
    // Sets the window whose focus Enter and Down move to.
    void SetList(CWnd* list) { m_pList = list; }

protected:
    LRESULT OnKeyDown(WPARAM key, LPARAM flags);
    LRESULT OnChar(WPARAM ch, LPARAM flags);
    DECLARE_MESSAGE_MAP()

private:
    CWnd* m_pList = nullptr;
};
