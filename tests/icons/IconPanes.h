// The icon list and the sub-icon view in a test window of their own (as the main frame links
// them), with icon files made for each test and readers of what the panes show.
#pragma once

#include "IconListView.h"
#include "SubIconView.h"
#include "UiHarness.h"
#include "resource.h"
#include "support/IconData.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class IconPanes : public ::testing::Test {
protected:
    void SetUp() override;

    CIconListCtrl& List() { return iconList->GetListCtrl(); }
    CIconListBox& Rows() { return subIcons->GetListBox(); }

    // The labels of the sub-icon rows and their heights.
    std::vector<std::string> RowLabels();
    std::vector<int> RowHeights();
    // Focuses and selects exactly one item of the icon list, as a click does.
    void ClickItem(int index);
    // Whether the view's update handler enables a command.
    static bool Enabled(CWnd* view, UINT command);
    // Opens a view's context menu and reads which of its items are enabled, by id.
    static std::vector<std::pair<UINT, bool>> ContextMenu(CWnd* view);

    // A Win32 image file in the test folder with the given resources.
    std::string WriteImage(const std::string& name, const quarvel::test::ResourceTree& tree);
    // An image file whose group 1 (language 0x409) holds images of these widths and depths.
    std::string WriteGroupImage(const std::string& name, const std::vector<int>& widths,
                                const std::vector<int>& bitCounts);

    quarvel::test::TempFolder folder;
    ui::HostWindow host{640, 480, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN}; // hidden until shown
    CIconListView* iconList = nullptr;
    CSubIconView* subIcons = nullptr;
};

// A save dialog answered by typing a name (and choosing a filter: 0 icon, 1 or true bitmap, 2
// PNG); records
// the name the dialog proposed, and the caption and text of every message box after it (OK).
class SaveDialogAnswer {
public:
    SaveDialogAnswer(const std::string& typedPath, int filter);
    std::string proposed;
    int dialogs = 0;
    std::vector<std::string> messages;

private:
    ui::DialogAnswerer m_answerer;
};

// The colour of pixels of a bitmap or of an image list's image, read back through a DIB.
struct Picture {
    static Picture Of(HBITMAP bitmap);
    static Picture Of(HIMAGELIST list, int index);
    COLORREF At(int x, int y) const;
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels; // top-down, 0x00RRGGBB
};

// The cell's tooltip as the list view asks for it, with the label's text it passes (the whole
// label when the cell shows it shortened).
std::string Tooltip(CIconListView* view, CIconListCtrl& list, int item, const char* label = "");

// The bitmap on the clipboard, or an empty picture.
Picture ClipboardPicture();
// Pixels of a picture that differ from the window colour, within a rectangle.
int Painted(const Picture& picture, int left, int top, int right, int bottom);
