// COverwriteDlg: the question asked before a file of a batch replaces an existing one, with
// answers that can hold for the rest of the batch.
#pragma once

#include "Framework.h"

class COverwriteDlg : public CDialog {
public:
    // What DoModal answers.
    enum Answer { kYes = 0, kYesToAll = 1, kNo = 2, kNoToAll = 3 };

    COverwriteDlg(const char* caption, const char* message, CWnd* parent = nullptr);

    // The answer; "&No" also for Esc, the close box and a dialog that could not be shown.
    Answer Ask();

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override { EndDialog(kYes); }
    void OnCancel() override { EndDialog(kNo); }
    void OnYesToAll() { EndDialog(kYesToAll); }
    void OnNoToAll() { EndDialog(kNoToAll); }
    DECLARE_MESSAGE_MAP()

private:
    CString m_strCaption;
    CString m_strMessage;
};
