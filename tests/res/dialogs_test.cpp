// Dialog templates: the controls the views bind by id, their kinds, texts and layout.
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

    // Where a template places a control: each value converted on its own, as dialog creation does.
    RECT dialog_units(int x, int y, int w, int h) const {
        RECT r = {x, y, w, h};
        MapDialogRect(dialog_, &r);
        return {r.left, r.top, r.left + r.right, r.top + r.bottom};
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
    const char* text;
};

void ExpectControl(const TemplateDialog& d, const Control& c) {
    HWND w = d.item(c.id);
    ASSERT_TRUE(w) << "control " << c.id;
    EXPECT_TRUE(SameClass(w, c.window_class)) << "control " << c.id << " is " << ClassOf(w);
    if (c.kind >= 0) {
        LONG mask = SameClass(w, "Button") ? BS_TYPEMASK : SS_TYPEMASK;
        EXPECT_EQ(StyleOf(w) & mask, c.kind) << "control " << c.id;
    }
    if (c.text) {
        EXPECT_EQ(TextOf(w), c.text) << "control " << c.id;
    }
}

bool HasChildWithText(const TemplateDialog& d, const char* text) {
    for (HWND c : d.children())
        if (TextOf(c) == text)
            return true;
    return false;
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

TEST(SearchFormTemplate, ControlsInTabOrderWithTheirPlacesAndTexts) {
    TemplateDialog d(IDD_SEARCH_FORM);
    ASSERT_TRUE(d.get());
    struct Placed {
        int id;
        const char* window_class;
        LONG kind;
        const char* text;
        int x, y, w, h;
    };
    const Placed expected[] = {
        {-1, "Static", SS_LEFT, "&Look in:", 3, 1, 47, 8},
        {1000, "Edit", -1, "", 3, 13, 146, 12},
        {1038, "Button", BS_PUSHBUTTON, "...", 151, 13, 13, 12},
        {1037, "Button", BS_AUTOCHECKBOX, "Include SubFolders", 11, 31, 88, 8},
        {-1, "Button", BS_GROUPBOX, "File filter", 4, 46, 157, 63},
        {1001, "Button", BS_AUTOCHECKBOX, "All files(*.*)", 11, 58, 141, 8},
        {1002, "Button", BS_AUTOCHECKBOX, "*.EXE", 25, 70, 41, 8},
        {1003, "Button", BS_AUTOCHECKBOX, "*.DLL", 86, 71, 41, 8},
        {1004, "Button", BS_AUTOCHECKBOX, "*.OCX", 25, 83, 41, 8},
        {1006, "Button", BS_AUTOCHECKBOX, "*.SCR", 86, 83, 41, 8},
        {1007, "Button", BS_AUTOCHECKBOX, "*.DRV", 25, 96, 41, 8},
        {1005, "Button", BS_AUTOCHECKBOX, "*.ICO", 86, 96, 41, 8},
        {1034, "Button", BS_PUSHBUTTON, "Find", 6, 114, 50, 14},
        {1035, "Button", BS_PUSHBUTTON, "Stop", 73, 114, 50, 14},
        {1036, ANIMATE_CLASSA, -1, nullptr, 131, 113, 22, 16},
        {-1, "Static", SS_LEFT, "Search results", 4, 135, 57, 8},
        {-1, "Static", SS_ETCHEDHORZ, "", 4, 147, 169, 2},
        {-1, "Static", SS_LEFT, "Numbers:", 4, 155, 35, 8},
        {1042, "Static", SS_LEFT, "", 55, 155, 118, 8},
        {-1, "Static", SS_LEFT, "Filename:", 4, 170, 37, 8},
        {1039, "Static", SS_LEFT, " ", 4, 185, 169, 40},
    };
    std::vector<HWND> children = d.children();
    ASSERT_EQ(children.size(), std::size(expected));
    for (size_t i = 0; i < children.size(); ++i) {
        const Placed& e = expected[i];
        HWND c = children[i];
        SCOPED_TRACE("control " + std::to_string(i) + " \"" + TextOf(c) + "\"");
        EXPECT_EQ(static_cast<short>(GetDlgCtrlID(c)), e.id);
        EXPECT_TRUE(SameClass(c, e.window_class)) << ClassOf(c);
        if (e.kind >= 0) {
            EXPECT_EQ(StyleOf(c) & (SameClass(c, "Button") ? BS_TYPEMASK : SS_TYPEMASK), e.kind);
        }
        if (e.text) {
            EXPECT_EQ(TextOf(c), e.text);
        }
        RECT want = d.dialog_units(e.x, e.y, e.w, e.h);
        RECT got = d.rect_of(c);
        if (e.kind == SS_ETCHEDHORZ) {
            // The etched line sizes itself to its two-pixel edge; only its place is the template's.
            want.right = got.right;
            want.bottom = got.bottom;
        }
        EXPECT_TRUE(EqualRect(&want, &got))
            << "at " << got.left << "," << got.top << " " << got.right - got.left << "x"
            << got.bottom - got.top << ", want " << want.left << "," << want.top << " "
            << want.right - want.left << "x" << want.bottom - want.top;
    }
    EXPECT_TRUE(StyleOf(d.item(1000)) & ES_AUTOHSCROLL);
    EXPECT_TRUE(StyleOf(d.item(1036)) & ACS_CENTER);
    EXPECT_TRUE(StyleOf(d.item(1036)) & ACS_TRANSPARENT);
    ExpectShowsWholePaths(d.item(IDC_LAST_FOUND));
}

TEST(BatchSaveTemplate, ControlsTheDialogBinds) {
    TemplateDialog d(IDD_BATCH_SAVE);
    ASSERT_TRUE(d.get());
    EXPECT_EQ(TextOf(d.get()), "Save...");
    const Control controls[] = {
        {IDOK, "Button", BS_DEFPUSHBUTTON, "&Save Now"},
        {IDCANCEL, "Button", BS_PUSHBUTTON, "&Exit"},
        {IDC_STOP, "Button", BS_PUSHBUTTON, "S&top"},
        {IDC_SAVE_PROGRESS, PROGRESS_CLASSA, -1, nullptr},
        {IDC_SAVE_LOG, "Edit", -1, ""},
        {IDC_BROWSE_SAVE_FOLDER, "Button", BS_PUSHBUTTON, "..."},
        {IDC_SAVE_FOLDER, "Edit", -1, ""},
        {IDC_SAVE_PROGRESS_TEXT, "Static", SS_LEFT, ""},
        {IDC_FORMAT_ICO, "Button", BS_AUTORADIOBUTTON, "ICO"},
        {IDC_FORMAT_BMP, "Button", BS_AUTORADIOBUTTON, "BMP"},
    };
    for (const Control& c : controls)
        ExpectControl(d, c);
    LONG log = StyleOf(d.item(IDC_SAVE_LOG));
    EXPECT_TRUE(log & ES_MULTILINE);
    EXPECT_TRUE(log & ES_READONLY);
    EXPECT_TRUE(log & WS_VSCROLL);
    for (const char* label : {"Folder", "Log:", "Save Files Format"})
        EXPECT_TRUE(HasChildWithText(d, label)) << label;
    ExpectTidyLayout(d);
}

TEST(BatchSaveTemplate, FormatRadioButtonsFormOneGroupOfTwo) {
    TemplateDialog d(IDD_BATCH_SAVE);
    ASSERT_TRUE(d.get());
    HWND ico = d.item(IDC_FORMAT_ICO), bmp = d.item(IDC_FORMAT_BMP);
    EXPECT_EQ(GetNextDlgGroupItem(d.get(), ico, FALSE), bmp);
    EXPECT_EQ(GetNextDlgGroupItem(d.get(), bmp, FALSE), ico);
}

TEST(OverwriteTemplate, FourAnswersAndTheQuestion) {
    TemplateDialog d(IDD_OVERWRITE);
    ASSERT_TRUE(d.get());
    const Control controls[] = {
        {IDOK, "Button", BS_DEFPUSHBUTTON, "&Yes"},
        {IDC_YES_TO_ALL, "Button", BS_PUSHBUTTON, "Yes to &All"},
        {IDCANCEL, "Button", BS_PUSHBUTTON, "&No"},
        {IDC_NO_TO_ALL, "Button", BS_PUSHBUTTON, "No to All"},
        {IDC_OVERWRITE_TEXT, "Static", SS_LEFT, ""},
    };
    for (const Control& c : controls)
        ExpectControl(d, c);
    ExpectShowsWholePaths(d.item(IDC_OVERWRITE_TEXT));
    ExpectTidyLayout(d);
}

TEST(AboutTemplate, IconVersionAndTwoLinks) {
    TemplateDialog d(IDD_ABOUTBOX);
    ASSERT_TRUE(d.get());
    const Control controls[] = {
        {IDOK, "Button", BS_DEFPUSHBUTTON, "OK"},
        {IDC_WEB_LINK, "Static", SS_LEFT, nullptr},
        {IDC_EMAIL_LINK, "Static", SS_LEFT, nullptr},
        {IDC_ABOUT_ICON, "Static", SS_ICON, nullptr},
    };
    for (const Control& c : controls)
        ExpectControl(d, c);
    EXPECT_TRUE(SendMessageA(d.item(IDC_ABOUT_ICON), STM_GETICON, 0, 0))
        << "the application icon is shown";
    for (const char* label : {"Quarvel 1.00", "Web:", "E-mail:"})
        EXPECT_TRUE(HasChildWithText(d, label)) << label;
    EXPECT_EQ(TextOf(d.item(IDC_WEB_LINK)), "https://quarvel.example/");
    EXPECT_EQ(TextOf(d.item(IDC_EMAIL_LINK)), "support@quarvel.example");
    ExpectTidyLayout(d);
}

TEST(SearchFormTemplate, EveryControlFitsThePage) {
    TemplateDialog d(IDD_SEARCH_FORM);
    ASSERT_TRUE(d.get());
    ExpectTidyLayout(d);
}

} // namespace
