// What the browsing panes ask of the panes and the frame around them: the folder tree selects a
// folder for the file list, and the main frame starts a search in a folder.
#pragma once

// The folder tree as the file list uses it (double-click or Enter on a folder row).
class FolderSelector {
public:
    virtual ~FolderSelector() = default;
    // Selects the item of path in the tree (expanding it when asked); false when none is found.
    virtual bool SetSelectedPath(const char* path, bool expand) = 0;
};

// The main frame's operations that the browsing panes call.
class BrowseHost {
public:
    virtual ~BrowseHost() = default;
    // Shows the "Search" page with path as the folder to look in.
    virtual void SearchInFolder(const char* path) = 0;
};
