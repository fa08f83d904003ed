// The file list pane's test window, its files, and readers of rows and the clipboard.
#include "FileListPane.h"

void FileListPane::SetUp() {
    AfxEnableControlContainer();
    ASSERT_TRUE(host.wnd.m_hWnd);
    fileList = host.AddView<CFileListView>(RECT{0, 0, 880, 250});
    iconList = host.AddView<CIconListView>(RECT{0, 250, 700, 560}, AFX_IDW_PANE_FIRST + 1);
    subIcons = host.AddView<CSubIconView>(RECT{700, 250, 880, 560}, AFX_IDW_PANE_FIRST + 2);
    ASSERT_TRUE(fileList && iconList && subIcons);
    iconList->SetSubIconView(subIcons);
    fileList->SetIconReceiver(&iconList->GetListCtrl());
}

std::vector<std::string> FileListPane::Row(int row) {
    std::vector<std::string> texts;
    for (int column = kNameColumn; column <= kIconsColumn; ++column)
        texts.push_back(List().GetItemText(row, column).GetString());
    return texts;
}

std::vector<std::string> FileListPane::Column(int column) {
    std::vector<std::string> texts;
    for (int row = 0; row < List().GetItemCount(); ++row)
        texts.push_back(List().GetItemText(row, column).GetString());
    return texts;
}

int FileListPane::Add(const std::string& path) {
    const int before = List().GetItemCount();
    fileList->AddFile(path.c_str());
    return List().GetItemCount() > before ? before : -1;
}

void FileListPane::Select(const std::vector<int>& rows, int focused) {
    List().SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    for (int row : rows)
        List().SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    if (focused >= 0)
        List().SetItemState(focused, LVIS_FOCUSED, LVIS_FOCUSED);
}

void FileListPane::ClickHeader(int column, int button) {
    NMHEADERA click{};
    click.hdr.hwndFrom = List().GetHeaderCtrl();
    click.hdr.idFrom = 0;
    click.hdr.code = HDN_ITEMCLICKA;
    click.iItem = column;
    click.iButton = button;
    List().SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
}

std::string FileListPane::WriteSized(const std::string& name, std::uint64_t size) {
    const std::string path = folder.File(name);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    EXPECT_TRUE(SetFilePointerEx(file, end, nullptr, FILE_BEGIN));
    EXPECT_TRUE(SetEndOfFile(file));
    CloseHandle(file);
    return path;
}

std::string FileListPane::MakeFolder(const std::string& name) {
    const std::string path = folder.File(name);
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
}
