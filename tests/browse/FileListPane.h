// The file list pane in a test window of its own, linked to an icon list and a sub-icon view as
// the main frame links them, with files made for each test and readers of what the list shows.
#pragma once

#include "CurrentListing.h"
#include "FileListView.h"
#include "IconListView.h"
#include "SubIconView.h"
#include "UiHarness.h"
#include "resource.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

class FileListPane : public ::testing::Test {
protected:
    void SetUp() override;

    CFileListCtrl& List() { return fileList->GetListCtrl(); }
    CIconListCtrl& Icons() { return iconList->GetListCtrl(); }

    // The texts of a row, column by column.
    std::vector<std::string> Row(int row);
    // One column of every row, top to bottom.
    std::vector<std::string> Column(int column);
    // Adds path to the list and answers the new row (-1 when nothing was added).
    int Add(const std::string& path);
    // Selects exactly these rows; the focus goes to focused (-1: no row has it).
    void Select(const std::vector<int>& rows, int focused);
    // A header click on a column, as the header control reports it.
    void ClickHeader(int column, int button = 0);

    // A file of the given size in the test folder (sparse where the file system allows).
    std::string WriteSized(const std::string& name, std::uint64_t size);
    std::string MakeFolder(const std::string& name);

    quarvel::test::TempFolder folder; // removed with everything in it
    ui::HostWindow host{900, 600, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE};
    CFileListView* fileList = nullptr;
    CIconListView* iconList = nullptr;
    CSubIconView* subIcons = nullptr;
};

// A folder tree double that records what it was asked to select.
struct RecordingTree : FolderSelector {
    HTREEITEM SetSelectedPath(const char* path, bool expand) override {
        selected.push_back(path);
        expanded.push_back(expand);
        return nullptr;
    }
    bool GoBack() override { return false; }
    bool GoForward() override { return false; }
    void UpOneLevel() override {}
    void Refresh() override {}
    std::vector<std::string> selected;
    std::vector<bool> expanded;
};
