// The main window on displays of 96, 144 and 192 DPI (each in a process of its own, started with
// the prefix's LogPixels at that value), and when it moves to a display of another DPI: pane
// sizes, pictures, fonts, labels that fit, and icons at their own size.
#include "AppFixture.h"

#include "support/IconData.h"
#include "support/TempFiles.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>

namespace qt = quarvel::test;

namespace {

constexpr char kChildDpiVariable[] = "QUARVEL_DPI_CHILD";

int width(const RECT& r) {
    return r.right - r.left;
}
int height(const RECT& r) {
    return r.bottom - r.top;
}
RECT windowRect(CWnd* window) {
    RECT rect{};
    window->GetWindowRect(&rect);
    return rect;
}

// The side of the strip images chosen at dpi: drawn at 16, 20, 24 and 32 pixels.
int pictureSide(int dpi) {
    const int wanted = MulDiv(16, dpi, 96);
    return wanted >= 32 ? 32 : wanted >= 24 ? 24 : wanted >= 20 ? 20 : 16;
}

int imageListSide(HIMAGELIST list) {
    int cx = 0, cy = 0;
    ImageList_GetIconSize(list, &cx, &cy);
    EXPECT_EQ(cx, cy);
    return cx;
}

// Text measured in the font a window draws with.
struct WindowText {
    explicit WindowText(HWND window)
        : dc(window),
          font(dc.Get(), reinterpret_cast<HGDIOBJ>(::SendMessageA(window, WM_GETFONT, 0, 0))) {
        GetTextMetricsA(dc.Get(), &metrics);
    }
    int Width(const std::string& text) const {
        SIZE size{};
        GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    }
    ScopedWindowDC dc;
    ScopedSelect font;
    TEXTMETRICA metrics{};
};

// The square of the picture that differs from the window colour: where the icon was drawn.
RECT drawnArea(HIMAGELIST list, int index) {
    IMAGEINFO info{};
    RECT area{INT_MAX, INT_MAX, -1, -1};
    if (!ImageList_GetImageInfo(list, index, &info))
        return area;
    const int side = imageListSide(list);
    MemoryCanvas canvas(nullptr, side, side);
    ImageList_Draw(list, index, canvas.DC(), 0, 0, ILD_NORMAL);
    const COLORREF background = GetSysColor(COLOR_WINDOW);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            if (GetPixel(canvas.DC(), x, y) != background) {
                area.left = std::min<LONG>(area.left, x);
                area.top = std::min<LONG>(area.top, y);
                area.right = std::max<LONG>(area.right, x + 1);
                area.bottom = std::max<LONG>(area.bottom, y + 1);
            }
    return area;
}

// A library with one icon of 16, 32 and 48 pixels, in that order.
std::string writeIconLibrary(const qt::TempFolder& folder) {
    qt::ResourceTree tree;
    qt::AddIconGroup(tree, 1, 0,
                     {qt::MakeBmpImage(16, 32), qt::MakeBmpImage(32, 32), qt::MakeBmpImage(48, 32)},
                     {16, 32, 48}, {32, 32, 32}, 1);
    return folder.Write("icons.dll", qt::BuildImageWithResources(tree));
}

// While alive, the prefix's LogPixels holds a value; the one before comes back after.
class LogPixelsSetting {
public:
    LogPixelsSetting() {
        RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &m_key, nullptr);
        DWORD size = sizeof m_old;
        m_had = RegQueryValueExA(m_key, "LogPixels", nullptr, nullptr,
                                 reinterpret_cast<BYTE*>(&m_old), &size) == ERROR_SUCCESS;
    }
    ~LogPixelsSetting() {
        if (m_had)
            Set(m_old);
        else
            RegDeleteValueA(m_key, "LogPixels");
        RegCloseKey(m_key);
    }
    LogPixelsSetting(const LogPixelsSetting&) = delete;
    LogPixelsSetting& operator=(const LogPixelsSetting&) = delete;
    bool Set(DWORD dpi) {
        return RegSetValueExA(m_key, "LogPixels", 0, REG_DWORD, reinterpret_cast<BYTE*>(&dpi),
                              sizeof dpi) == ERROR_SUCCESS;
    }

private:
    HKEY m_key = nullptr;
    DWORD m_old = 0;
    bool m_had = false;
};

// Runs this test program's DpiLayout tests in a new process; its exit code, or -1.
int runChildAt(int dpi) {
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command =
        "\"" + std::string(self) + "\" --gtest_filter=DpiLayout.* --gtest_color=no";
    SetEnvironmentVariableA(kChildDpiVariable, std::to_string(dpi).c_str());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    SetEnvironmentVariableA(kChildDpiVariable, nullptr);
    if (!started)
        return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    else
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

// Checks the window laid out for dpi: pane sizes, pictures, and every label it shows whole.
void expectLaidOutFor(CMainFrame* frame, int dpi) {
    const auto scaled = [dpi](int size) { return MulDiv(size, dpi, 96); };
    EXPECT_EQ(frame->GetDpi(), dpi);
    EXPECT_EQ(width(windowRect(frame->GetBrowser())), scaled(CMainFrame::kLeftPaneWidth));
    EXPECT_EQ(height(windowRect(frame->GetFileList())), scaled(CMainFrame::kFileListHeight));
    EXPECT_EQ(width(windowRect(frame->GetSubIconView())), scaled(CMainFrame::kSubIconPaneWidth));

    // Toolbar: pictures drawn for the size, buttons wholly inside the bar.
    CToolBar& bar = frame->GetToolBar();
    EXPECT_EQ(imageListSide(reinterpret_cast<HIMAGELIST>(bar.SendMessage(TB_GETIMAGELIST))),
              pictureSide(dpi));
    RECT button{};
    bar.SendMessage(TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&button));
    RECT barClient{};
    bar.GetClientRect(&barClient);
    EXPECT_GE(height(button), pictureSide(dpi));
    EXPECT_LE(button.bottom, barClient.bottom);
    EXPECT_EQ(width(windowRect(&bar)) - width(barClient), scaled(CToolBar::kGripperSize));

    // Status bar: the indicators' texts fit their parts, the bar fits its text.
    CStatusBar& status = frame->GetStatusBar();
    const WindowText statusText(status.m_hWnd);
    EXPECT_GE(height(windowRect(&status)), statusText.metrics.tmHeight);
    const char* indicators[] = {"CAP", "NUM", "SCRL"};
    for (int part = 1; part <= 3; ++part) {
        RECT rect{};
        status.SendMessage(SB_GETRECT, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(&rect));
        EXPECT_GT(width(rect), statusText.Width(indicators[part - 1])) << indicators[part - 1];
    }

    // Tabs: pictures for the size, labels whole, pages below the tabs.
    CBrowser* browser = frame->GetBrowser();
    EXPECT_EQ(imageListSide(reinterpret_cast<HIMAGELIST>(browser->SendMessage(TCM_GETIMAGELIST))),
              pictureSide(dpi));
    const WindowText tabText(browser->m_hWnd);
    for (int tab : {CBrowser::kFolderPage, CBrowser::kSearchPage}) {
        RECT rect{};
        browser->SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(tab),
                             reinterpret_cast<LPARAM>(&rect));
        const char* label = tab == CBrowser::kFolderPage ? "Folder" : "Search";
        EXPECT_GE(width(rect), pictureSide(dpi) + tabText.Width(label)) << label;
        EXPECT_LE(rect.bottom, browser->GetChildArea().top) << label;
    }

    // File list: the file's row fits the columns.
    CFileListCtrl& files = frame->GetFileList()->GetListCtrl();
    const WindowText listText(files.m_hWnd);
    ASSERT_GT(files.GetItemCount(), 0);
    for (int column : {kNameColumn, kSizeColumn, kDateColumn, kIconsColumn}) {
        const std::string text = files.GetItemText(0, column).GetString();
        EXPECT_LT(listText.Width(text), files.GetColumnWidth(column)) << text;
    }

    // Icon list: cells of the large-icon size; the icon drawn at its own size, centred; the
    // label's two lines whole.
    CIconListCtrl& icons = frame->GetIconList()->GetListCtrl();
    const int cell = MulDiv(32, dpi, 96);
    EXPECT_EQ(icons.GetCellSide(), cell);
    ASSERT_EQ(icons.GetItemCount(), 1);
    const int picture = icons.GetPicture(0);
    ASSERT_GE(picture, 0);
    EXPECT_EQ(imageListSide(icons.GetPictures()), cell);
    // The image of the cell's width, else the widest narrower one: 48 pixels at 144 and at 192
    // DPI, never the 16 pixels of entry 0.
    const int iconSide = dpi == 96 ? 32 : 48;
    const RECT drawn = drawnArea(icons.GetPictures(), picture);
    EXPECT_EQ(width(drawn), iconSide);
    EXPECT_EQ(height(drawn), iconSide);
    EXPECT_EQ(drawn.left, (cell - iconSide) / 2);
    const WindowText iconText(icons.m_hWnd);
    RECT label{};
    label.left = LVIR_LABEL;
    icons.SendMessage(LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&label));
    EXPECT_GE(width(label), iconText.Width("icons.dll"));
    EXPECT_GE(height(label), 2 * iconText.metrics.tmHeight);

    // Sub-icon rows: each image at its own size in a row tall enough for it and its label,
    // which fits beside it.
    CIconListBox& rows = frame->GetSubIconView()->GetListBox();
    const WindowText rowText(rows.m_hWnd);
    ASSERT_EQ(rows.GetCount(), 3);
    for (int row = 0; row < rows.GetCount(); ++row) {
        const IconListBoxItem* item = rows.GetRow(row);
        RECT rect{};
        rows.SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
        EXPECT_GE(height(rect), std::max<int>(item->height, rowText.metrics.tmHeight)) << row;
        EXPECT_GE(width(rect),
                  item->width + rowText.metrics.tmAveCharWidth + rowText.Width(item->label))
            << item->label;
    }
}

} // namespace

TEST(DisplayDpi, TheWindowIsLaidOutForDisplaysOf96_144And192Dpi) {
    if (std::getenv(kChildDpiVariable))
        GTEST_SKIP() << "the child process runs the layout checks";
    LogPixelsSetting logPixels;
    for (int dpi : {96, 144, 192}) {
        SCOPED_TRACE(dpi);
        ASSERT_TRUE(logPixels.Set(static_cast<DWORD>(dpi)));
        EXPECT_EQ(runChildAt(dpi), 0);
    }
}

class DpiLayout : public QuarvelStarted {};

TEST_F(DpiLayout, PanesPicturesAndLabelsAtTheDisplayDpi) {
    const char* child = std::getenv(kChildDpiVariable);
    if (!child)
        GTEST_SKIP() << "runs in a process started at a chosen DPI";
    const int dpi = std::atoi(child);
    qt::TempFolder folder;
    const std::string library = writeIconLibrary(folder);
    ASSERT_TRUE(Start(("\"" + library + "\"").c_str()));
    // The prefix's setting reached the program.
    ASSERT_EQ(AfxGetWindowDpi(frame->m_hWnd), dpi);
    expectLaidOutFor(frame, dpi);
}

TEST_F(QuarvelStarted, MovingToADisplayOfAnotherDpiScalesTheWindowAndBack) {
    qt::TempFolder folder;
    const std::string library = writeIconLibrary(folder);
    ASSERT_TRUE(Start(("\"" + library + "\"").c_str()));
    const int from = frame->GetDpi();
    const int to = from * 3 / 2;
    frame->ShowWindow(SW_RESTORE);
    frame->SetWindowPos(nullptr, 0, 0, 1200, 760, SWP_NOZORDER);
    ui::PumpPending();
    // A width the user dragged keeps its share.
    frame->SizeIconPanes(150);
    const int leftWidth = width(windowRect(frame->GetBrowser()));
    CFileListCtrl& files = frame->GetFileList()->GetListCtrl();
    const int nameWidth = files.GetColumnWidth(kNameColumn);

    frame->SetMessageText("kept on the new display");
    RECT suggested{30, 20, 1250, 790};
    frame->SendMessage(WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
    ui::PumpPending();
    RECT now = windowRect(frame);
    EXPECT_TRUE(EqualRect(&now, &suggested));
    EXPECT_EQ(width(windowRect(frame->GetSubIconView())), MulDiv(150, to, from));
    EXPECT_EQ(files.GetColumnWidth(kNameColumn), MulDiv(nameWidth, to, from));
    EXPECT_STREQ(frame->GetStatusBar().GetPaneText(0).GetString(), "kept on the new display");
    // The texts are in the larger font, and fit.
    EXPECT_EQ(frame->GetStatusBar().GetFont(), AfxGetMessageFont(to));
    EXPECT_EQ(frame->GetSubIconView()->GetListBox().GetFont(), AfxGetMessageFont(to));
    frame->SizeIconPanes();
    ui::PumpPending();
    expectLaidOutFor(frame, to);

    // Back on the first display, the sizes are as they were.
    frame->SendMessage(WM_DPICHANGED, MAKEWPARAM(from, from), reinterpret_cast<LPARAM>(&suggested));
    ui::PumpPending();
    EXPECT_EQ(width(windowRect(frame->GetBrowser())), leftWidth);
    EXPECT_EQ(files.GetColumnWidth(kNameColumn), nameWidth);
    EXPECT_EQ(frame->GetIconList()->GetListCtrl().GetCellSide(), MulDiv(32, from, 96));
}
