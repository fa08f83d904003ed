// Dialogs from templates: CDialog (modal, with its own message loop so that window objects can
// pre-translate messages), and dialog data exchange (DDX_*) between members and controls.
#pragma once

#include "Wnd.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr)
        : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

    // Shows the dialog and returns the code it ended with (IDOK, IDCANCEL, ...), or -1 when it
    // could not be created.
    virtual INT_PTR DoModal();
    virtual BOOL OnInitDialog();
    void EndDialog(int result);
    UINT GetTemplateId() const { return m_nIDTemplate; }
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    virtual void OnOK();
    virtual void OnCancel();
    void OnOKCommand() { OnOK(); }
    void OnCancelCommand() { OnCancel(); }

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    DECLARE_MESSAGE_MAP()

private:
    bool m_bEndModal = false;
    int m_nModalResult = -1;
};

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, bool saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}
    bool m_bSaveAndValidate; // true: controls -> members
    CWnd* m_pDlgWnd;
    bool m_bFailed = false;
    // The control with that id; null (and a failed exchange) when the dialog has none.
    HWND PrepareCtrl(int id);
    // Marks the exchange failed and puts the focus on the offending control.
    void Fail(HWND control);
};

void DDX_Text(CDataExchange* pDX, int id, CString& value);
void DDX_Text(CDataExchange* pDX, int id, int& value);
void DDX_Check(CDataExchange* pDX, int id, int& value);
// value: index of the checked button in the group that starts at id, -1 for none.
void DDX_Radio(CDataExchange* pDX, int id, int& value);
// Binds a control wrapper to the control with that id (the first exchange subclasses it).
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);

// Creates a modeless child or popup dialog window from a template and makes wnd its object.
HWND AfxCreateDialogFromTemplate(CWnd* wnd, UINT templateId, HWND parent);
