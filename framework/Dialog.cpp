// CDialog's modal loop and dialog data exchange.
#include "Dialog.h"

#include "WinApp.h"

#include <cstdlib>

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOKCommand)
    ON_COMMAND(IDCANCEL, OnCancelCommand)
END_MESSAGE_MAP()

namespace {
INT_PTR CALLBACK dialogProc(HWND hWnd, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG)
        return FALSE;
    CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
    if (!wnd || !wnd->IsKindOf(RUNTIME_CLASS(CDialog)))
        return TRUE;
    try {
        return static_cast<CDialog*>(wnd)->OnInitDialog();
    } catch (...) {
        AfxReportCallbackException("OnInitDialog");
        return TRUE;
    }
}
} // namespace

HWND AfxCreateDialogFromTemplate(CWnd* wnd, UINT templateId, HWND parent) {
    HINSTANCE instance = AfxGetResourceHandle();
    HRSRC resource = FindResourceA(instance, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(5));
    HGLOBAL loaded = resource ? LoadResource(instance, resource) : nullptr;
    auto* dialogTemplate = loaded ? static_cast<const DLGTEMPLATE*>(LockResource(loaded)) : nullptr;
    if (!dialogTemplate)
        return nullptr;
    AfxHookWindowCreate(wnd);
    HWND hWnd = CreateDialogIndirectParamA(instance, dialogTemplate, parent, dialogProc, 0);
    AfxUnhookWindowCreate();
    return hWnd;
}

INT_PTR CDialog::DoModal() {
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!owner && AfxGetMainWnd())
        owner = AfxGetMainWnd()->m_hWnd;
    if (owner) {
        // Above a modal dialog that is already up: that dialog is the owner to disable.
        owner = GetAncestor(owner, GA_ROOT);
        HWND popup = GetLastActivePopup(owner);
        if (popup && popup != owner && ::IsWindowEnabled(popup) && !::IsWindowEnabled(owner))
            owner = popup;
    }
    bool ownerWasEnabled = owner && ::IsWindowEnabled(owner);
    m_bEndModal = false;
    m_nModalResult = -1;
    // The owner is disabled first, so that initialisation already sees it modal.
    if (ownerWasEnabled)
        ::EnableWindow(owner, FALSE);
    if (!AfxCreateDialogFromTemplate(this, m_nIDTemplate, owner)) {
        if (ownerWasEnabled)
            ::EnableWindow(owner, TRUE);
        return -1;
    }
    if (!m_bEndModal) {
        ShowWindow(SW_SHOWNORMAL);
        MSG msg;
        while (!m_bEndModal && m_hWnd) {
            BOOL got = GetMessageA(&msg, nullptr, 0, 0);
            if (got <= 0) {
                if (got == 0)
                    PostQuitMessage(static_cast<int>(msg.wParam)); // leave it to the main loop
                break;
            }
            bool consumed = false;
            for (HWND hWnd = msg.hwnd; hWnd && !consumed; hWnd = ::GetParent(hWnd)) {
                if (CWnd* wnd = FromHandlePermanent(hWnd))
                    consumed = wnd->PreTranslateMessage(&msg);
                if (hWnd == m_hWnd)
                    break;
            }
            if (!consumed) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
    }
    // The owner comes back first so that it, not some other window, is activated again.
    if (ownerWasEnabled)
        ::EnableWindow(owner, TRUE);
    if (m_hWnd) {
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        DestroyWindow();
    }
    return m_nModalResult;
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    return msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST &&
           ::IsDialogMessageA(m_hWnd, msg);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::EndDialog(int result) {
    m_nModalResult = result;
    m_bEndModal = true;
    PostMessage(WM_NULL); // wakes the modal loop
}

void CDialog::OnOK() {
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

// ---- Data exchange

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange exchange(this, bSaveAndValidate != 0);
    DoDataExchange(&exchange);
    return !exchange.m_bFailed;
}

HWND CDataExchange::PrepareCtrl(int id) {
    HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
    if (!control)
        m_bFailed = true;
    return control;
}

void CDataExchange::Fail(HWND control) {
    m_bFailed = true;
    if (control)
        ::SetFocus(control);
}

void DDX_Text(CDataExchange* pDX, int id, CString& value) {
    HWND control = pDX->PrepareCtrl(id);
    if (!control)
        return;
    if (pDX->m_bSaveAndValidate) {
        int length = GetWindowTextLengthA(control);
        GetWindowTextA(control, value.GetBuffer(length + 1), length + 1);
        value.ReleaseBuffer();
    } else {
        SetWindowTextA(control, value);
    }
}

void DDX_Text(CDataExchange* pDX, int id, int& value) {
    HWND control = pDX->PrepareCtrl(id);
    if (!control)
        return;
    if (pDX->m_bSaveAndValidate) {
        char text[64];
        GetWindowTextA(control, text, sizeof text);
        char* end = nullptr;
        long number = std::strtol(text, &end, 10);
        while (end && (*end == ' ' || *end == '\t'))
            ++end;
        if (end == text || !end || *end != '\0' || number < INT_MIN || number > INT_MAX) {
            AfxMessageBox("Please enter an integer.", MB_ICONEXCLAMATION);
            pDX->Fail(control);
            return;
        }
        value = static_cast<int>(number);
    } else {
        char text[16];
        wsprintfA(text, "%d", value);
        SetWindowTextA(control, text);
    }
}

void DDX_Check(CDataExchange* pDX, int id, int& value) {
    HWND control = pDX->PrepareCtrl(id);
    if (!control)
        return;
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(SendMessageA(control, BM_GETCHECK, 0, 0));
    else
        SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Radio(CDataExchange* pDX, int id, int& value) {
    HWND control = pDX->PrepareCtrl(id);
    if (!control)
        return;
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    for (HWND button = control; button; button = GetWindow(button, GW_HWNDNEXT), ++index) {
        if (button != control && (GetWindowLongPtrA(button, GWL_STYLE) & WS_GROUP))
            break;
        if (pDX->m_bSaveAndValidate) {
            if (SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = index;
        } else {
            SendMessageA(button, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    if (control.m_hWnd)
        return;
    HWND window = pDX->PrepareCtrl(id);
    if (window)
        control.SubclassWindow(window);
}
