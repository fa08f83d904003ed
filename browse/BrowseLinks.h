// What the browsing panes ask of the panes and the frame around them: the folder tree selects a
// folder for the file list; the main frame shows a folder, ends or starts a search.
#pragma once

#include <windows.h>

#include <commctrl.h>

// The folder tree as the file list uses it (double-click or Enter on a folder row).
class FolderSelector {
public:
    virtual ~FolderSelector() = default;
    // Selects the item of path in the tree (expanding it when asked); null when none is found.
    virtual HTREEITEM SetSelectedPath(const char* path, bool expand) = 0;
};

// How far the file list's fill has come: files with a row, files whose icons were read, and
// the icons listed; finished once everything is shown.
struct FillProgress {
    int files = 0;
    int filesRead = 0;
    int icons = 0;
    bool finished = false;
};

// The main frame's operations that the browsing panes call.
class BrowseHost {
public:
    virtual ~BrowseHost() = default;
    // Empties the file list and lists the entries of path.
    virtual void ShowFolder(const char* path) = 0;
    // Ends a running search.
    virtual void StopSearch() = 0;
    // Shows the "Search" page with path as the folder to look in.
    virtual void SearchInFolder(const char* path) = 0;
    // Shows how far the file list's fill has come (called now and then, and at its end).
    virtual void ShowFillProgress(const FillProgress& progress) = 0;
};
