// Dialog templates: the controls the code binds by id are there with their kinds, and every
// control is fully visible.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "resource.h"

namespace {

INT_PTR CALLBACK PassiveDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// One dialog created from its template (modeless, hidden), destroyed at the end of the test.
class TemplateDialog {
public:
    explicit TemplateDialog(int id) {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_ANIMATE_CLASS | ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&controls);
        // Child templates need a parent; a hidden popup serves all of them.
        owner_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 600, 600, nullptr, nullptr,
                                 nullptr, nullptr);
        dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), owner_,
                                     PassiveDialogProc, 0);
    }
    ~TemplateDialog() {
        if (dialog_)
            DestroyWindow(dialog_);
        if (owner_)
            DestroyWindow(owner_);
    }
    TemplateDialog(const TemplateDialog&) = delete;
    TemplateDialog& operator=(const TemplateDialog&) = delete;

    HWND get() const { return dialog_; }
    HWND item(int id) const { return GetDlgItem(dialog_, id); }
    LONG style() const { return GetWindowLongA(dialog_, GWL_STYLE); }

    std::vector<HWND> children() const {
        std::vector<HWND> out;
        for (HWND c = GetWindow(dialog_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            out.push_back(c);
        return out;
    }

    // A child's rectangle in the dialog's client coordinates.
    RECT rect_of(HWND child) const {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

private:
    HWND owner_ = nullptr;
    HWND dialog_ = nullptr;
};

std::string TextOf(HWND w) {
    char buffer[512] = {};
    GetWindowTextA(w, buffer, sizeof buffer);
    return buffer;
}

std::string ClassOf(HWND w) {
    char buffer[128] = {};
    GetClassNameA(w, buffer, sizeof buffer);
    return buffer;
}

LONG StyleOf(HWND w) {
    return GetWindowLongA(w, GWL_STYLE);
}

bool SameClass(HWND w, const char* name) {
    return lstrcmpiA(ClassOf(w).c_str(), name) == 0;
}

struct Control {
    int id;
    const char* window_class;
    LONG kind; // BS_* or SS_* type, or -1 when the class says it all
};

void ExpectControl(const TemplateDialog& d, const Control& c) {
    HWND w = d.item(c.id);
    ASSERT_TRUE(w) << "control " << c.id;
    EXPECT_TRUE(SameClass(w, c.window_class)) << "control " << c.id << " is " << ClassOf(w);
    if (c.kind >= 0) {
        LONG mask = SameClass(w, "Button") ? BS_TYPEMASK : SS_TYPEMASK;
        EXPECT_EQ(StyleOf(w) & mask, c.kind) << "control " << c.id;
    }
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool Overlap(const RECT& a, const RECT& b) {
    RECT common;
    return IntersectRect(&common, &a, &b) != 0;
}

// Every control is fully visible and no two push buttons cover each other.
void ExpectTidyLayout(const TemplateDialog& d) {
    RECT client;
    GetClientRect(d.get(), &client);
    std::vector<RECT> buttons;
    for (HWND c : d.children()) {
        RECT r = d.rect_of(c);
        EXPECT_TRUE(Inside(r, client))
            << "control " << GetDlgCtrlID(c) << " \"" << TextOf(c) << "\" sticks out";
        LONG type = StyleOf(c) & BS_TYPEMASK;
        if (SameClass(c, "Button") && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)) {
            for (const RECT& other : buttons)
                EXPECT_FALSE(Overlap(r, other)) << "button \"" << TextOf(c) << "\"";
            buttons.push_back(r);
        }
    }
}

// A label that shows a path keeps "&" as it is and breaks a long path across lines.
void ExpectShowsWholePaths(HWND label) {
    EXPECT_TRUE(StyleOf(label) & SS_NOPREFIX);
    EXPECT_TRUE(StyleOf(label) & SS_EDITCONTROL);
}

TEST(SearchFormTemplate, IsACaptionlessChildPage) {
    TemplateDialog d(IDD_SEARCH_FORM);
    ASSERT_TRUE(d.get());
    EXPECT_TRUE(d.style() & WS_CHILD);
    EXPECT_FALSE((d.style() & WS_CAPTION) == WS_CAPTION);
}

TEST(SearchFormTemplate, ControlsTheFormBinds) {
    TemplateDialog d(IDD_SEARCH_FORM);
    ASSERT_TRUE(d.get());
    const Control controls[] = {
        {IDC_LOOK_IN, "Edit", -1},
        {IDC_BROWSE_LOOK_IN, "Button", BS_PUSHBUTTON},
        {IDC_INCLUDE_SUBFOLDERS, "Button", BS_AUTOCHECKBOX},
        {IDC_ALL_FILES, "Button", BS_AUTOCHECKBOX},
        {IDC_TYPE_EXE, "Button", BS_AUTOCHECKBOX},
        {IDC_TYPE_DLL, "Button", BS_AUTOCHECKBOX},
        {IDC_TYPE_OCX, "Button", BS_AUTOCHECKBOX},
        {IDC_TYPE_SCR, "Button", BS_AUTOCHECKBOX},
        {IDC_TYPE_DRV, "Button", BS_AUTOCHECKBOX},
        {IDC_TYPE_ICO, "Button", BS_AUTOCHECKBOX},
        {IDC_TYPE_CUR, "Button", BS_AUTOCHECKBOX},
        {IDC_TYPE_ANI, "Button", BS_AUTOCHECKBOX},
        {IDC_FIND, "Button", BS_PUSHBUTTON},
        {IDC_STOP, "Button", BS_PUSHBUTTON},
        {IDC_SEARCH_ANIMATION, ANIMATE_CLASSA, -1},
        {IDC_FOUND_COUNT, "Static", SS_LEFT},
        {IDC_LAST_FOUND, "Static", SS_LEFT},
    };
    for (const Control& c : controls)
        ExpectControl(d, c);
    EXPECT_TRUE(StyleOf(d.item(IDC_LOOK_IN)) & ES_AUTOHSCROLL);
    EXPECT_TRUE(StyleOf(d.item(IDC_SEARCH_ANIMATION)) & ACS_CENTER);
    EXPECT_TRUE(StyleOf(d.item(IDC_SEARCH_ANIMATION)) & ACS_TRANSPARENT);
    ExpectShowsWholePaths(d.item(IDC_LAST_FOUND));
}

TEST(BatchSaveTemplate, ControlsTheDialogBinds) {
    TemplateDialog d(IDD_BATCH_SAVE);
    ASSERT_TRUE(d.get());
    const Control controls[] = {
        {IDOK, "Button", BS_DEFPUSHBUTTON},
        {IDCANCEL, "Button", BS_PUSHBUTTON},
        {IDC_STOP, "Button", BS_PUSHBUTTON},
        {IDC_SAVE_PROGRESS, PROGRESS_CLASSA, -1},
        {IDC_SAVE_LOG, "Edit", -1},
        {IDC_BROWSE_SAVE_FOLDER, "Button", BS_PUSHBUTTON},
        {IDC_SAVE_FOLDER, "Edit", -1},
        {IDC_SAVE_PROGRESS_TEXT, "Static", SS_LEFT},
        {IDC_FORMAT_ICO, "Button", BS_AUTORADIOBUTTON},
        {IDC_FORMAT_BMP, "Button", BS_AUTORADIOBUTTON},
        {IDC_FORMAT_PNG, "Button", BS_AUTORADIOBUTTON},
    };
    for (const Control& c : controls)
        ExpectControl(d, c);
    LONG log = StyleOf(d.item(IDC_SAVE_LOG));
    EXPECT_TRUE(log & ES_MULTILINE);
    EXPECT_TRUE(log & ES_READONLY);
    EXPECT_TRUE(log & WS_VSCROLL);
    ExpectTidyLayout(d);
}

TEST(BatchSaveTemplate, FormatRadioButtonsFormOneGroupOfThree) {
    TemplateDialog d(IDD_BATCH_SAVE);
    ASSERT_TRUE(d.get());
    HWND ico = d.item(IDC_FORMAT_ICO), bmp = d.item(IDC_FORMAT_BMP), png = d.item(IDC_FORMAT_PNG);
    EXPECT_EQ(GetNextDlgGroupItem(d.get(), ico, FALSE), bmp);
    EXPECT_EQ(GetNextDlgGroupItem(d.get(), bmp, FALSE), png);
    EXPECT_EQ(GetNextDlgGroupItem(d.get(), png, FALSE), ico);
}

TEST(OverwriteTemplate, FourAnswersAndTheQuestion) {
    TemplateDialog d(IDD_OVERWRITE);
    ASSERT_TRUE(d.get());
    const Control controls[] = {
        {IDOK, "Button", BS_DEFPUSHBUTTON},      {IDC_YES_TO_ALL, "Button", BS_PUSHBUTTON},
        {IDCANCEL, "Button", BS_PUSHBUTTON},     {IDC_NO_TO_ALL, "Button", BS_PUSHBUTTON},
        {IDC_OVERWRITE_TEXT, "Static", SS_LEFT},
    };
    for (const Control& c : controls)
        ExpectControl(d, c);
    ExpectShowsWholePaths(d.item(IDC_OVERWRITE_TEXT));
    ExpectTidyLayout(d);
}

TEST(AboutTemplate, IconAndTwoLinks) {
    TemplateDialog d(IDD_ABOUTBOX);
    ASSERT_TRUE(d.get());
    const Control controls[] = {
        {IDOK, "Button", BS_DEFPUSHBUTTON},
        {IDC_WEB_LINK, "Static", SS_LEFT},
        {IDC_EMAIL_LINK, "Static", SS_LEFT},
        {IDC_ABOUT_ICON, "Static", SS_ICON},
    };
    for (const Control& c : controls)
        ExpectControl(d, c);
    EXPECT_TRUE(SendMessageA(d.item(IDC_ABOUT_ICON), STM_GETICON, 0, 0))
        << "the application icon is shown";
    ExpectTidyLayout(d);
}

TEST(SearchFormTemplate, EveryControlFitsThePage) {
    TemplateDialog d(IDD_SEARCH_FORM);
    ASSERT_TRUE(d.get());
    ExpectTidyLayout(d);
}

} // namespace
