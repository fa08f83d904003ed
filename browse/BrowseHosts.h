// The interfaces through which the browsing panes and the current listing (CurrentListing.h)
// meet: the folder tree as the listing moves it, what the panes ask of the listing, and what
// the listing asks of the window around it. Each is handed over when the panes are made.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

// The folder tree as the listing moves it (CShellTreeCtrl implements it).
class FolderSelector {
public:
    virtual ~FolderSelector() = default;
    // Selects the item of path in the tree (expanding it when asked); null when none is found.
    virtual HTREEITEM SetSelectedPath(const char* path, bool expand) = 0;
    // One step through the tree's history; false when there is none.
    virtual bool GoBack() = 0;
    virtual bool GoForward() = 0;
    // Selects the parent of the selected item, if it has one.
    virtual void UpOneLevel() = 0;
    // Rebuilds the tree and selects the same path again.
    virtual void Refresh() = 0;
};

// How far the file list's fill has come: files with a row, files whose icons were read, and
// the icons listed; finished once everything is shown.
struct FillProgress {
    int files = 0;
    int filesRead = 0;
    int icons = 0;
    bool finished = false;
};

// What the panes ask of the current listing, from inside their own handlers. Every request is
// carried out after the handler that made it has returned.
class ListingRequests {
public:
    virtual ~ListingRequests() = default;
    // The folder tree's selection moved to the item of path (not every item is a folder).
    virtual void FolderSelected(const char* path) = 0;
    // A click on the item already selected: the folder is shown again unless it is shown.
    virtual void SelectedFolderClicked(const char* path) = 0;
    // A double-click or Enter on a folder row: the tree moves there (expanded).
    virtual void OpenFolder(const char* path) = 0;
    // The folder popup's "Search": the search page, with path as its folder to look in.
    virtual void SearchInFolder(const char* path) = 0;
    // The file list's fill came this far (now and then, and at its end).
    virtual void FillProgressed(const FillProgress& progress) = 0;
    // A search is starting: its found files replace the listing.
    virtual void SearchStarting() = 0;
    // Files the running search found, in order.
    virtual void FilesFound(const std::vector<std::string>& paths) = 0;
};

// What the current listing asks of the window around it (the main frame implements it over the
// file list, the icon panes, the search form and its own caption and status bar).
class ListingHost {
public:
    virtual ~ListingHost() = default;
    // The caption names the folder shown.
    virtual void ShowFolderInCaption(const char* folder) = 0;
    virtual void ShowStatus(const char* text) = 0;
    // Ends the file list's fill, then empties the icon lists and the file list.
    virtual void EmptyLists() = 0;
    // Starts listing the entries of folder into the emptied lists.
    virtual void FillFromFolder(const char* folder) = 0;
    // Appends files to the fill, after what it is still adding.
    virtual void AddFiles(const std::vector<std::string>& paths) = 0;
    virtual bool IsFileListFilling() const = 0;
    // Focuses the row of the file at path and its first icon; nothing when it has no row.
    virtual void FocusFile(const char* path) = 0;
    // Ends a running search; its last found files come back through FilesFound.
    virtual void EndSearch() = 0;
    // Shows the search page with path as its folder to look in; the search does not start.
    virtual void ShowSearchPage(const char* path) = 0;
};
