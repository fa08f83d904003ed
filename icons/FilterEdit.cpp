// CFilterEdit: creation with its cue text, and the keys it keeps from the dialog manager.
#include "FilterEdit.h"

#include <commctrl.h>

const wchar_t CFilterEdit::kCue[] = L"Find icons: text, 256, >=48, png, icon, cursor (Ctrl+F)";

BEGIN_MESSAGE_MAP(CFilterEdit, CEdit)
    ON_MESSAGE(WM_KEYDOWN, OnKeyDown)
    ON_MESSAGE(WM_CHAR, OnChar)
END_MESSAGE_MAP()

BOOL CFilterEdit::Create(const RECT& rect, CWnd* parent, UINT id) {
    if (!CEdit::Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, rect,
                       parent, id))
        return FALSE;
    // Shown even while the box has the focus, as that is when the words are wanted.
    SendMessage(EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(kCue));
    return TRUE;
}

LRESULT CFilterEdit::OnKeyDown(WPARAM key, LPARAM) {
    if (key == VK_ESCAPE) {
        SetWindowText("");
        return 0;
    }
    if ((key == VK_RETURN || key == VK_DOWN) && m_pList) {
        m_pList->SetFocus();
        return 0;
    }
    return Default();
}

LRESULT CFilterEdit::OnChar(WPARAM ch, LPARAM) {
    // Esc and Enter have done their work on the key; a one-line edit would only beep.
    if (ch == VK_ESCAPE || ch == VK_RETURN)
        return 0;
    return Default();
}
