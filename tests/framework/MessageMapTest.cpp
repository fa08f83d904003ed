// Message maps: the most derived handler wins, unhandled messages get the default handling,
// notifications are handed back to the control that sent them, and exceptions stop at the thunk.
#include "TestClasses.h"
#include "UiHarness.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {
constexpr UINT WM_PING = WM_APP + 1;
constexpr UINT WM_PONG = WM_APP + 2;
constexpr UINT WM_THROW = WM_APP + 3;

class CBaseWnd : public CWnd {
protected:
    LRESULT OnPing(WPARAM, LPARAM) {
        CallLog().push_back("base ping");
        return 1;
    }
    LRESULT OnPong(WPARAM, LPARAM) {
        CallLog().push_back("base pong");
        return 2;
    }
    void OnSize(UINT, int cx, int cy) {
        CallLog().push_back("size " + std::to_string(cx) + "x" + std::to_string(cy));
    }
    LRESULT OnThrow(WPARAM, LPARAM) { throw std::runtime_error("handler failed"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
    ON_MESSAGE(WM_PING, OnPing)
    ON_MESSAGE(WM_PONG, OnPong)
    ON_MESSAGE(WM_THROW, OnThrow)
    ON_WM_SIZE()
END_MESSAGE_MAP()

class CDerivedWnd : public CBaseWnd {
protected:
    LRESULT OnPing(WPARAM wParam, LPARAM) {
        CallLog().push_back("derived ping");
        return 10 + static_cast<LRESULT>(wParam);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
    ON_MESSAGE(WM_PING, OnPing)
END_MESSAGE_MAP()

class CFailingCreateWnd : public CWnd {
protected:
    int OnCreate(LPCREATESTRUCT) { throw std::runtime_error("no window today"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CFailingCreateWnd, CWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

// A parent that handles notifications of its children 100 to 103.
class CParentWnd : public CWnd {
protected:
    void OnClicked() { CallLog().push_back("parent clicked"); }
    void OnNotifyClick(NMHDR*, LRESULT* result) {
        CallLog().push_back("parent notify");
        *result = 5;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CParentWnd, CWnd)
    ON_BN_CLICKED(100, OnClicked)
    ON_BN_CLICKED(101, OnClicked)
    ON_NOTIFY(NM_CLICK, 102, OnNotifyClick)
    ON_NOTIFY(NM_CLICK, 103, OnNotifyClick)
END_MESSAGE_MAP()

class CSelfHandlingButton : public CButton {
protected:
    void OnClicked() { CallLog().push_back("button clicked"); }
    void OnNotifyClick(NMHDR*, LRESULT* result) {
        CallLog().push_back("button notify");
        *result = 7;
    }
    HBRUSH CtlColor(HDC, UINT type) {
        CallLog().push_back("button colour " + std::to_string(type));
        return static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CSelfHandlingButton, CButton)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
    ON_NOTIFY_REFLECT(NM_CLICK, OnNotifyClick)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

// Handles its click but lets the parent see it too.
class CSharingButton : public CButton {
protected:
    BOOL OnClicked() {
        CallLog().push_back("sharing button clicked");
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CSharingButton, CButton)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

class CRecordingListBox : public CListBox {
public:
    void MeasureItem(LPMEASUREITEMSTRUCT item) override {
        CallLog().push_back("measure");
        item->itemHeight = 20;
    }
    void DrawItem(LPDRAWITEMSTRUCT item) override {
        CallLog().push_back("draw " + std::to_string(item->itemID));
    }
    void DeleteItem(LPDELETEITEMSTRUCT item) override {
        CallLog().push_back("delete " + std::to_string(item->itemData));
    }
};

RECT rectOf(int x, int y, int cx, int cy) {
    return RECT{x, y, x + cx, y + cy};
}

bool createTopLevel(CWnd& wnd) {
    return wnd.CreateEx(0, nullptr, "test", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                        nullptr) != FALSE;
}

bool contains(const std::string& entry) {
    for (const auto& e : CallLog())
        if (e == entry)
            return true;
    return false;
}
} // namespace

TEST(MessageMap, MostDerivedHandlerWinsAndBaseHandlersStillRun) {
    CDerivedWnd wnd;
    ASSERT_TRUE(createTopLevel(wnd));
    CallLog().clear();
    EXPECT_EQ(wnd.SendMessage(WM_PING, 3), 13);
    EXPECT_EQ(wnd.SendMessage(WM_PONG), 2);
    EXPECT_EQ(wnd.SendMessage(WM_APP + 9), 0); // default handling
    wnd.SetWindowPos(nullptr, 0, 0, 321, 123, SWP_NOZORDER | SWP_NOMOVE);
    std::vector<std::string> expected{"derived ping", "base pong"};
    ASSERT_GE(CallLog().size(), 3u);
    EXPECT_EQ(CallLog()[0], expected[0]);
    EXPECT_EQ(CallLog()[1], expected[1]);
    EXPECT_TRUE(contains("size 321x123"));
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
    HWND hWnd = wnd.m_hWnd;
    wnd.DestroyWindow();
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

TEST(MessageMap, ExceptionsStopAtTheWindowProcedureAndAreCounted) {
    ui::ExpectCallbackExceptions(2); // the harness fails the test on any other number
    const long before = AfxCallbackExceptionCount();
    CBaseWnd wnd;
    ASSERT_TRUE(createTopLevel(wnd));
    EXPECT_EQ(wnd.SendMessage(WM_THROW), 0);
    EXPECT_EQ(wnd.SendMessage(WM_PONG), 2); // still working
    EXPECT_EQ(AfxCallbackExceptionCount(), before + 1);
    EXPECT_STREQ(AfxLastCallbackExceptionPlace(), "a window procedure");
    CFailingCreateWnd failing;
    EXPECT_FALSE(createTopLevel(failing));
    EXPECT_EQ(failing.m_hWnd, nullptr);
    EXPECT_EQ(AfxCallbackExceptionCount(), before + 2);
}

TEST(Reflection, ControlHandlesItsOwnNotificationsBeforeItsParent) {
    CParentWnd parent;
    ASSERT_TRUE(createTopLevel(parent));
    CSelfHandlingButton self;
    CSharingButton sharing;
    ASSERT_TRUE(self.Create("self", WS_CHILD | WS_VISIBLE, rectOf(0, 0, 50, 20), &parent, 100));
    ASSERT_TRUE(
        sharing.Create("share", WS_CHILD | WS_VISIBLE, rectOf(0, 30, 50, 20), &parent, 101));
    HWND plain = CreateWindowExA(0, "BUTTON", "plain", WS_CHILD, 0, 60, 50, 20, parent.m_hWnd,
                                 reinterpret_cast<HMENU>(103), nullptr, nullptr);

    CallLog().clear();
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(100, BN_CLICKED),
                       reinterpret_cast<LPARAM>(self.m_hWnd));
    EXPECT_EQ(CallLog(), std::vector<std::string>{"button clicked"});

    CallLog().clear();
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(101, BN_CLICKED),
                       reinterpret_cast<LPARAM>(sharing.m_hWnd));
    EXPECT_EQ(CallLog(), (std::vector<std::string>{"sharing button clicked", "parent clicked"}));

    CallLog().clear();
    NMHDR header{self.m_hWnd, 102, static_cast<UINT>(NM_CLICK)};
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 102, reinterpret_cast<LPARAM>(&header)), 7);
    NMHDR plainHeader{plain, 103, static_cast<UINT>(NM_CLICK)};
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 103, reinterpret_cast<LPARAM>(&plainHeader)), 5);
    EXPECT_EQ(CallLog(), (std::vector<std::string>{"button notify", "parent notify"}));

    CallLog().clear();
    HDC dc = GetDC(parent.m_hWnd);
    LRESULT brush = parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(self.m_hWnd));
    ReleaseDC(parent.m_hWnd, dc);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), GetStockObject(GRAY_BRUSH));
    EXPECT_EQ(CallLog(),
              std::vector<std::string>{"button colour " + std::to_string(CTLCOLOR_STATIC)});
}

TEST(Reflection, OwnerDrawListBoxMeasuresDrawsAndDeletesItsItems) {
    CParentWnd parent;
    ASSERT_TRUE(createTopLevel(parent));
    CallLog().clear();
    CRecordingListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_NOTIFY,
                            rectOf(0, 0, 200, 100), &parent, 104));
    EXPECT_TRUE(contains("measure"));
    list.AddString(reinterpret_cast<const char*>(static_cast<UINT_PTR>(42)));
    list.Invalidate();
    list.UpdateWindow();
    EXPECT_TRUE(contains("draw 0"));
    list.DeleteString(0);
    EXPECT_TRUE(contains("delete 42"));
}

TEST(DynamicCreation, CreatesObjectsOfTheirClassAndKnowsTheirBases) {
    CObject* object = RUNTIME_CLASS(CTestView)->CreateObject();
    ASSERT_NE(object, nullptr);
    EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CTestView)));
    EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CView)));
    EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_FALSE(object->IsKindOf(RUNTIME_CLASS(CFrameWnd)));
    EXPECT_STREQ(object->GetRuntimeClass()->m_lpszClassName, "CTestView");
    delete object;
    // A class that cannot be created by class answers null.
    EXPECT_EQ(RUNTIME_CLASS(CView)->CreateObject(), nullptr);
}

namespace {
class CAttachRecorder : public CStatic {
public:
    int attached = 0;
    bool hadWindow = false;
    void PreSubclassWindow() override {
        ++attached;
        hadWindow = m_hWnd != nullptr;
    }
};
} // namespace

TEST(MessageMap, TheAttachHookRunsForCreatedAndForSubclassedWindows) {
    CParentWnd parent;
    ASSERT_TRUE(createTopLevel(parent));
    CAttachRecorder created;
    ASSERT_TRUE(
        created.Create("created", WS_CHILD | WS_VISIBLE, rectOf(0, 0, 80, 20), &parent, 110));
    EXPECT_EQ(created.attached, 1);
    EXPECT_TRUE(created.hadWindow);

    CreateWindowExA(0, "STATIC", "existing", WS_CHILD, 0, 30, 80, 20, parent.m_hWnd,
                    reinterpret_cast<HMENU>(111), nullptr, nullptr);
    CAttachRecorder subclassed;
    ASSERT_TRUE(subclassed.SubclassDlgItem(111, &parent));
    EXPECT_EQ(subclassed.attached, 1);
    EXPECT_EQ(subclassed.GetWindowText(), "existing");
}
