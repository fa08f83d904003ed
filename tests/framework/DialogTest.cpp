// Modal dialogs from templates with data exchange in both directions.
#include "TestClasses.h"
#include "UiHarness.h"

#include <gtest/gtest.h>

namespace {
class CExchangeDialog : public CDialog {
public:
    CExchangeDialog() : CDialog(IDD_TEST_EXCHANGE) {}
    CString m_name = "first";
    int m_count = 7;
    int m_check = 1;
    int m_radio = 2;
    CStatic m_label;

    // What the controls showed after initialisation.
    CString shownName, shownCount;
    int shownCheck = -1, shownRadioC = -1, shownRadioA = -1;
    bool labelBound = false;
    // What to type before pressing OK.
    const char* typedCount = "12";

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, IDC_TEST_LABEL, m_label);
        DDX_Text(pDX, IDC_TEST_NAME, m_name);
        DDX_Text(pDX, IDC_TEST_COUNT, m_count);
        DDX_Check(pDX, IDC_TEST_CHECK, m_check);
        DDX_Radio(pDX, IDC_TEST_RADIO_A, m_radio);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        shownName = GetDlgItem(IDC_TEST_NAME)->GetWindowText();
        shownCount = GetDlgItem(IDC_TEST_COUNT)->GetWindowText();
        shownCheck = static_cast<int>(GetDlgItem(IDC_TEST_CHECK)->SendMessage(BM_GETCHECK));
        shownRadioA = static_cast<int>(GetDlgItem(IDC_TEST_RADIO_A)->SendMessage(BM_GETCHECK));
        shownRadioC = static_cast<int>(GetDlgItem(IDC_TEST_RADIO_C)->SendMessage(BM_GETCHECK));
        labelBound = CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, IDC_TEST_LABEL)) == &m_label;
        // The user types and clicks, then presses OK (and Cancel, should OK be refused).
        SetDlgItemText(IDC_TEST_NAME, "second");
        SetDlgItemText(IDC_TEST_COUNT, typedCount);
        CheckDlgButton(m_hWnd, IDC_TEST_CHECK, BST_UNCHECKED);
        CheckRadioButton(m_hWnd, IDC_TEST_RADIO_A, IDC_TEST_RADIO_C, IDC_TEST_RADIO_A);
        PostMessage(WM_COMMAND, IDOK);
        PostMessage(WM_COMMAND, IDCANCEL);
        return TRUE;
    }
};

// Answers message boxes (captioned with the application's name), never the dialog under test.
int answerBoxes(HWND, const ui::SeenDialog& seen) {
    return seen.caption == "Framework Tests" ? IDOK : 0;
}
} // namespace

TEST(DataExchange, MembersReachTheControlsAndComeBackOnOK) {
    ui::DialogAnswerer answerer(answerBoxes);
    CExchangeDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_STREQ(dialog.shownName, "first");
    EXPECT_STREQ(dialog.shownCount, "7");
    EXPECT_EQ(dialog.shownCheck, BST_CHECKED);
    EXPECT_EQ(dialog.shownRadioA, BST_UNCHECKED);
    EXPECT_EQ(dialog.shownRadioC, BST_CHECKED);
    EXPECT_TRUE(dialog.labelBound);
    EXPECT_STREQ(dialog.m_name, "second");
    EXPECT_EQ(dialog.m_count, 12);
    EXPECT_EQ(dialog.m_check, 0);
    EXPECT_EQ(dialog.m_radio, 0);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(dialog.m_label.m_hWnd, nullptr); // gone with the dialog
    EXPECT_TRUE(answerer.Seen().size() == 1);  // only the dialog itself
}

TEST(DataExchange, ABadNumberIsReportedAndOKIsRefused) {
    ui::DialogAnswerer answerer(answerBoxes);
    CExchangeDialog dialog;
    dialog.typedCount = "12x";
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_count, 7);
    bool reported = false;
    for (const auto& seen : answerer.Seen())
        reported = reported || seen.text.find("Please enter an integer.") != std::string::npos;
    EXPECT_TRUE(reported);
}

TEST(DataExchange, AMissingTemplateFailsWithoutAWindow) {
    CDialog dialog(9999);
    EXPECT_EQ(dialog.DoModal(), -1);
}

namespace {
// A dialog that, once up, runs a second one without naming a parent.
class COuterDialog : public CDialog {
public:
    COuterDialog() : CDialog(IDD_TEST_EXCHANGE) {}
    HWND innerOwner = nullptr;
    bool outerEnabledDuringInner = true;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        PostMessage(WM_APP);
        return TRUE;
    }
    LRESULT OnRunInner(WPARAM, LPARAM) {
        struct CInner : CDialog {
            COuterDialog* outer;
            explicit CInner(COuterDialog* o) : CDialog(IDD_TEST_EXCHANGE), outer(o) {}
            BOOL OnInitDialog() override {
                outer->innerOwner = ::GetWindow(m_hWnd, GW_OWNER);
                outer->outerEnabledDuringInner = outer->IsWindowEnabled() != FALSE;
                PostMessage(WM_COMMAND, IDCANCEL);
                return TRUE;
            }
        } inner(this);
        inner.DoModal();
        PostMessage(WM_COMMAND, IDCANCEL);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(COuterDialog, CDialog)
    ON_MESSAGE(WM_APP, OnRunInner)
END_MESSAGE_MAP()
} // namespace

TEST(ModalDialogs, ADialogOpenedFromADialogIsOwnedByItAndDisablesIt) {
    TestDocumentWindow window; // a main window, as in the program
    COuterDialog outer;
    EXPECT_EQ(outer.DoModal(), IDCANCEL);
    EXPECT_NE(outer.innerOwner, nullptr);
    EXPECT_NE(outer.innerOwner, window.frame->m_hWnd);
    EXPECT_FALSE(outer.outerEnabledDuringInner);
    EXPECT_TRUE(window.frame->IsWindowEnabled());
}
