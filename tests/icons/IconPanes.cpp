// The icon panes' test window, icon files, menus, save dialogs and pictures.
#include "IconPanes.h"

using namespace quarvel::test;

void IconPanes::SetUp() {
    AfxEnableControlContainer();
    ASSERT_TRUE(host.wnd.m_hWnd);
    iconList = host.AddView<CIconListView>(RECT{0, 0, 400, 400});
    subIcons = host.AddView<CSubIconView>(RECT{400, 0, 630, 400}, AFX_IDW_PANE_FIRST + 1);
    ASSERT_TRUE(iconList && subIcons);
    iconList->SetSubIconView(subIcons);
}

std::vector<std::string> IconPanes::RowLabels() {
    std::vector<std::string> labels;
    for (int i = 0; i < Rows().GetCount(); ++i)
        labels.push_back(Rows().GetRow(i) ? Rows().GetRow(i)->label : "(no item)");
    return labels;
}

std::vector<int> IconPanes::RowHeights() {
    std::vector<int> heights;
    for (int i = 0; i < Rows().GetCount(); ++i)
        heights.push_back(Rows().GetItemHeight(i));
    return heights;
}

void IconPanes::ClickItem(int index) {
    List().SetItemState(-1, 0, LVIS_SELECTED);
    List().SetItemState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

bool IconPanes::Enabled(CWnd* view, UINT command) {
    CTestCmdUI state;
    state.m_nID = command;
    state.DoUpdate(view, false);
    return state.m_bEnabled;
}

std::vector<std::pair<UINT, bool>> IconPanes::ContextMenu(CWnd* view) {
    return ui::ContextMenu(view, POINT{5, 5});
}

std::string IconPanes::WriteImage(const std::string& name, const ResourceTree& tree) {
    return folder.Write(name, BuildImageWithResources(tree));
}

std::string IconPanes::WriteGroupImage(const std::string& name, const std::vector<int>& widths,
                                       const std::vector<int>& bitCounts) {
    ResourceTree tree;
    std::vector<Bytes> images;
    for (std::size_t i = 0; i < widths.size(); ++i)
        images.push_back(MakeBmpImage(widths[i], bitCounts[i], static_cast<std::uint8_t>(i)));
    AddIconGroup(tree, 1, 0x409, images, widths, bitCounts, 1);
    return WriteImage(name, tree);
}

// The cell's tooltip as the list view asks for it, with the label's text it passes (the whole
// label when the cell shows it shortened).
std::string Tooltip(CIconListView* view, CIconListCtrl& list, int item, const char* label) {
    char text[INFOTIPSIZE];
    lstrcpynA(text, label, INFOTIPSIZE);
    NMLVGETINFOTIPA tip{};
    tip.hdr.hwndFrom = list.m_hWnd;
    tip.hdr.idFrom = static_cast<UINT_PTR>(list.GetDlgCtrlID());
    tip.hdr.code = LVN_GETINFOTIPA;
    tip.pszText = text;
    tip.cchTextMax = INFOTIPSIZE;
    tip.iItem = item;
    view->SendMessage(WM_NOTIFY, tip.hdr.idFrom, reinterpret_cast<LPARAM>(&tip));
    return text;
}

// ---- Save dialogs

namespace {
constexpr int kFileNameBox = 0x47C; // cmb13
constexpr int kFileTypeBox = 0x470; // cmb1
} // namespace

namespace {
// The dialog fills its file-type box after it is shown: the answer is given a moment later.
struct PendingAnswer {
    HWND dialog = nullptr;
    std::string typedPath;
    int filter = 0; // place in the file-type box: 0 icon, 1 bitmap, 2 PNG
} pending;

void CALLBACK answerSaveDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND dialog = pending.dialog;
    if (!IsWindow(dialog))
        return;
    if (pending.filter != 0) {
        HWND types = GetDlgItem(dialog, kFileTypeBox);
        SendMessageA(types, CB_SETCURSEL, static_cast<WPARAM>(pending.filter), 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kFileTypeBox, CBN_SELENDOK),
                     reinterpret_cast<LPARAM>(types));
    }
    if (pending.typedPath.empty()) {
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    SetDlgItemTextA(dialog, kFileNameBox, pending.typedPath.c_str());
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}
} // namespace

SaveDialogAnswer::SaveDialogAnswer(const std::string& typedPath, int filter)
    : m_answerer([this, typedPath, filter](HWND dialog, const ui::SeenDialog& seen) {
          if (!GetDlgItem(dialog, kFileNameBox)) {
              messages.push_back(seen.caption + ": " + seen.text);
              return IDOK;
          }
          ++dialogs;
          char name[MAX_PATH] = "";
          GetDlgItemTextA(dialog, kFileNameBox, name, sizeof name);
          proposed = name;
          pending = PendingAnswer{dialog, typedPath, filter};
          SetTimer(nullptr, 0, 50, answerSaveDialog);
          return 0;
      }) {}

// ---- Pictures

Picture Picture::Of(HBITMAP bitmap) {
    Picture picture;
    BITMAP bm;
    if (!bitmap || !GetObjectA(bitmap, sizeof bm, &bm))
        return picture;
    picture.width = bm.bmWidth;
    picture.height = bm.bmHeight;
    picture.pixels.resize(static_cast<std::size_t>(bm.bmWidth) * bm.bmHeight);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = bm.bmWidth;
    info.bmiHeader.biHeight = -bm.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(bm.bmHeight), picture.pixels.data(), &info,
              DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    for (auto& pixel : picture.pixels)
        pixel &= 0xFFFFFF;
    return picture;
}

Picture Picture::Of(HIMAGELIST list, int index) {
    int cx = 0, cy = 0;
    ImageList_GetIconSize(list, &cx, &cy);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, cx, cy);
    HGDIOBJ old = SelectObject(memory, bitmap);
    ImageList_Draw(list, index, memory, 0, 0, ILD_NORMAL);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    Picture picture = Of(bitmap);
    DeleteObject(bitmap);
    return picture;
}

COLORREF Picture::At(int x, int y) const {
    const std::uint32_t pixel = pixels.at(static_cast<std::size_t>(y) * width + x);
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

Picture ClipboardPicture() {
    Picture picture;
    if (!OpenClipboard(nullptr))
        return picture;
    if (IsClipboardFormatAvailable(CF_BITMAP))
        picture = Picture::Of(static_cast<HBITMAP>(GetClipboardData(CF_BITMAP)));
    CloseClipboard();
    return picture;
}

// Pixels of a picture that differ from the window colour, within a rectangle.
int Painted(const Picture& picture, int left, int top, int right, int bottom) {
    int painted = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            painted += picture.At(x, y) != GetSysColor(COLOR_WINDOW);
    return painted;
}
