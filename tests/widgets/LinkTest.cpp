// The link control: what attaching does to a static text, SetTarget, hover colours, capture and
// the hand pointer, the colour request, and what a click does on success and on failure.
#include "LinkStatic.h"
#include "UiHarness.h"
#include "WidgetsTestApp.h"

#include <gtest/gtest.h>

namespace {
// A static text in a host window, in the dialog font, in a rectangle larger than its text.
struct LinkHost {
    ui::HostWindow host{400, 200};
    HWND label = nullptr;
    explicit LinkHost(const char* text, DWORD style = SS_LEFT) {
        label = CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE | style, 30, 40, 300, 50,
                                host.wnd, reinterpret_cast<HMENU>(1017), GetModuleHandleA(nullptr),
                                nullptr);
        SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                     FALSE);
    }
    RECT placeOf(HWND window) const {
        RECT rect;
        GetWindowRect(window, &rect);
        MapWindowPoints(nullptr, host.wnd, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    SIZE textSize(HFONT font, const char* text) const {
        HDC dc = GetDC(label);
        HGDIOBJ previous = SelectObject(dc, font);
        SIZE size{};
        GetTextExtentPoint32A(dc, text, static_cast<int>(strlen(text)), &size);
        SelectObject(dc, previous);
        ReleaseDC(label, dc);
        return size;
    }
};

bool isUnderlined(HFONT font) {
    LOGFONTA description{};
    return GetObjectA(font, sizeof description, &description) && description.lfUnderline;
}

// A link whose open answers a chosen result instead of asking the shell.
class CScriptedLink : public CLinkStatic {
public:
    INT_PTR result = 42;
    CString opened;
    INT_PTR OpenLink(const char* target, int) override {
        opened = target;
        return result;
    }
};

// Answers the application's message boxes with OK and keeps what they said.
struct BoxAnswerer {
    ui::DialogAnswerer answerer{[](HWND, const ui::SeenDialog& seen) {
        return seen.caption == kWidgetsTestAppName ? IDOK : 0;
    }};
};
} // namespace

TEST(LinkStatic, AttachingTakesTheTargetFromTheTextUnderlinesAndShrinksToTheText) {
    LinkHost h("https://quarvel.example/");
    CLinkStatic link;
    ASSERT_TRUE(link.SubclassWindow(h.label));
    EXPECT_STREQ(link.GetTarget(), "https://quarvel.example/");
    EXPECT_NE(link.GetStyle() & SS_NOTIFY, 0u);
    ASSERT_NE(link.GetLinkFont(), nullptr);
    EXPECT_EQ(link.GetFont(), link.GetLinkFont());
    EXPECT_TRUE(isUnderlined(link.GetFont()));

    SIZE text = h.textSize(link.GetLinkFont(), "https://quarvel.example/");
    RECT place = h.placeOf(h.label);
    EXPECT_EQ(place.left, 30);
    EXPECT_EQ(place.top, 40);
    EXPECT_EQ(place.right - place.left, text.cx);
    EXPECT_EQ(place.bottom - place.top, text.cy);

    ASSERT_NE(link.GetToolTip(), nullptr);
    CToolTipCtrl* tips = static_cast<CToolTipCtrl*>(CWnd::FromHandlePermanent(link.GetToolTip()));
    ASSERT_NE(tips, nullptr);
    EXPECT_STREQ(tips->GetText(&link, 1), "https://quarvel.example/");
}

TEST(LinkStatic, AnEmptyTextShowsTheTargetAndSetTargetKeepsTheTextButRefits) {
    LinkHost h("");
    CLinkStatic link;
    link.SetTarget("https://quarvel.example/");
    ASSERT_TRUE(link.SubclassWindow(h.label));
    EXPECT_EQ(ui::WindowText(h.label), "https://quarvel.example/");

    SetWindowTextA(h.label, "support@quarvel.example");
    link.SetTarget("mailto:support@quarvel.example");
    EXPECT_EQ(ui::WindowText(h.label), "support@quarvel.example");
    EXPECT_STREQ(link.GetTarget(), "mailto:support@quarvel.example");
    SIZE text = h.textSize(link.GetLinkFont(), "support@quarvel.example");
    RECT place = h.placeOf(h.label);
    EXPECT_EQ(place.right - place.left, text.cx);
    EXPECT_EQ(place.left, 30);
    auto* tips = static_cast<CToolTipCtrl*>(CWnd::FromHandlePermanent(link.GetToolTip()));
    ASSERT_NE(tips, nullptr);
    EXPECT_STREQ(tips->GetText(&link, 1), "mailto:support@quarvel.example");
}

TEST(LinkStatic, WithoutUnderlineOrFittingTheControlKeepsItsFontLookAndSize) {
    LinkHost h("https://quarvel.example/");
    CLinkStatic link;
    link.m_bUnderline = false;
    link.m_bFitToText = false;
    ASSERT_TRUE(link.SubclassWindow(h.label));
    EXPECT_FALSE(isUnderlined(link.GetFont()));
    RECT place = h.placeOf(h.label);
    EXPECT_EQ(place.right - place.left, 300);
    EXPECT_EQ(place.bottom - place.top, 50);
}

TEST(LinkStatic, HoverTakesTheCaptureAndTheHighlightColourUntilThePointerLeaves) {
    LinkHost h("https://quarvel.example/");
    CLinkStatic link;
    ASSERT_TRUE(link.SubclassWindow(h.label));
    EXPECT_EQ(link.GetTextColour(), RGB(0, 0, 238));

    link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_TRUE(link.IsOverLink());
    EXPECT_EQ(GetCapture(), link.m_hWnd);
    EXPECT_EQ(link.GetTextColour(), GetSysColor(COLOR_HIGHLIGHT));
    link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, 2)); // still inside
    EXPECT_TRUE(link.IsOverLink());
    // The pointer over the link is the system's hand.
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_TRUE(link.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(link.m_hWnd),
                                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));

    // The parent's colour request reaches the link: its colour, transparent, no background.
    HDC dc = CreateCompatibleDC(nullptr);
    LRESULT brush = h.host.wnd.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                           reinterpret_cast<LPARAM>(h.label));
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), GetStockObject(NULL_BRUSH));
    EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);

    link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(-4, 2));
    EXPECT_FALSE(link.IsOverLink());
    EXPECT_EQ(GetCapture(), nullptr);
    h.host.wnd.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                           reinterpret_cast<LPARAM>(h.label));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 238));
    link.MarkVisited(true);
    h.host.wnd.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                           reinterpret_cast<LPARAM>(h.label));
    EXPECT_EQ(GetTextColor(dc), RGB(85, 26, 139));
    DeleteDC(dc);
}

TEST(LinkStatic, AClickOpensTheTargetAndASuccessMarksTheLinkVisited) {
    LinkHost h("https://quarvel.example/");
    CScriptedLink link;
    ASSERT_TRUE(link.SubclassWindow(h.label));
    BoxAnswerer boxes;
    // The static control reports the click to its parent, which hands it back to the link.
    h.host.wnd.SendMessage(WM_COMMAND, MAKEWPARAM(1017, STN_CLICKED),
                           reinterpret_cast<LPARAM>(h.label));
    EXPECT_STREQ(link.opened, "https://quarvel.example/");
    EXPECT_TRUE(link.IsVisited());
    EXPECT_TRUE(boxes.answerer.Seen().empty());

    // A failure turns the link back to unvisited and explains itself after a beep.
    link.result = SE_ERR_NOASSOC;
    h.host.wnd.SendMessage(WM_COMMAND, MAKEWPARAM(1017, STN_CLICKED),
                           reinterpret_cast<LPARAM>(h.label));
    EXPECT_FALSE(link.IsVisited());
    ASSERT_EQ(boxes.answerer.Seen().size(), 1u);
    EXPECT_EQ(boxes.answerer.Seen()[0].text,
              "Unable to open hyperlink:\n\nThere is no application associated\nwith the given "
              "filename extension.");
}

TEST(LinkStatic, ShowLinkErrorExplainsTheShellResultUnderTheApplicationTitle) {
    BoxAnswerer boxes;
    ShowLinkError(SE_ERR_NOASSOC);
    ShowLinkError(SE_ERR_SHARE);
    ShowLinkError(4);
    const auto& seen = boxes.answerer.Seen();
    ASSERT_EQ(seen.size(), 3u);
    for (const auto& box : seen)
        EXPECT_EQ(box.caption, kWidgetsTestAppName);
    EXPECT_EQ(seen[0].text, "Unable to open hyperlink:\n\nThere is no application associated\nwith "
                            "the given filename extension.");
    // The message box trims the trailing blank of "A sharing violation occurred. " when it shows
    // it.
    EXPECT_EQ(LinkErrorText(SE_ERR_SHARE),
              "Unable to open hyperlink:\n\nA sharing violation occurred. ");
    EXPECT_EQ(seen[1].text.rfind("Unable to open hyperlink:\n\nA sharing violation occurred.", 0),
              0u);
    EXPECT_EQ(seen[2].text, "Unable to open hyperlink:\n\nUnknown Error (4) occurred.");

    EXPECT_EQ(LinkErrorText(0),
              "Unable to open hyperlink:\n\nThe operating system is out\nof memory or resources.");
    EXPECT_EQ(LinkErrorText(SE_ERR_DLLNOTFOUND),
              "Unable to open hyperlink:\n\nThe specified dynamic-link library was not found.");
    EXPECT_EQ(LinkErrorText(-7), "Unable to open hyperlink:\n\nUnknown Error (-7) occurred.");
    EXPECT_EQ(LinkErrorText(33), "Unable to open hyperlink:\n\nUnknown Error (33) occurred.");
}
