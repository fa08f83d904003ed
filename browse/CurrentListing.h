// CurrentListing: what the file list shows now (a folder, or a search's found files) and the one
// place that decides what changes it. It holds the listing's folder, its generation (one more
// for every new listing) and the file to focus once the fill ends, and drives the window
// through ListingHost and the folder tree through FolderSelector.
//
// Two ways in, one rule: what a pane asks from inside its own notification, timer or message
// handler (ListingRequests) is posted and carried out after that handler has returned; the
// operations below it, which the main frame's commands and entry points call, act at once.
// A posted request about a listing that has since been replaced is dropped.
#pragma once

#include "BrowseHosts.h"
#include "Framework.h"

// A count as the status bar writes it, its thousands grouped: "12,345".
std::string Grouped(int count);

class CurrentListing : public ListingRequests {
public:
    enum class Kind { Nothing, Folder, SearchResults };

    // Neither is owned; null until the panes exist (nothing is driven).
    void SetHost(ListingHost* host) { m_host = host; }
    void SetFolderTree(FolderSelector* tree) { m_tree = tree; }

    Kind GetKind() const { return m_kind; }
    const std::string& GetFolder() const { return m_folder; }
    unsigned GetGeneration() const { return m_generation; }
    // A request waits or the lists are still filling.
    bool IsSettling() const;

    // ---- At once
    // Choosing a folder: the caption names it, a running search ends (its last files are not
    // taken), both icon lists and the file list are emptied and the fill of its entries starts.
    // An empty path leaves the lists empty.
    void ShowFolder(const char* path);
    // The listing becomes a search's found files, none yet: the lists are emptied.
    void StartSearchListing();
    // Appends found files while the listing is a search's; answers how many were taken.
    int AddFoundFiles(const std::vector<std::string>& paths);
    void StopSearch();
    // Ends a running search and shows the search page with path to look in.
    void ShowSearchFor(const char* path);
    // Shows the folder at path, or the folder of the file at path with the file focused once
    // the list is filled; a path that does not exist leaves what is shown and says so.
    void OpenAt(const char* path);
    // The tree moves; its selection comes back as a folder choice.
    void GoBack();
    void GoForward();
    void GoUp();
    void Refresh();

    // ---- Posted (ListingRequests)
    void FolderSelected(const char* path) override;
    void SelectedFolderClicked(const char* path) override;
    void OpenFolder(const char* path) override;
    void SearchInFolder(const char* path) override;
    void FillProgressed(const FillProgress& progress) override;
    void SearchStarting() override;
    void FilesFound(const std::vector<std::string>& paths) override;

private:
    // A new listing of kind: the next generation, nothing to focus or say at its end.
    void Replace(Kind kind, const std::string& folder);
    // A change of listing asked for (a folder chosen, a search starting) waits its turn; a later
    // one, or a listing changed at once, drops it.
    void ChooseFolder(const char* path, bool unlessShown);
    void ShowChosen(const std::string& path, bool unlessShown);
    void Post(std::function<void()> call);
    // Posts call, dropped when run if the listing has been replaced meanwhile.
    void PostForThisListing(std::function<void()> call);
    void ShowFillProgress(const FillProgress& progress);
    // The tree selects path (for its history) and the folder is shown, reached by the tree
    // or not.
    void SelectAndShow(const std::string& path);

    ListingHost* m_host = nullptr;
    FolderSelector* m_tree = nullptr;
    Kind m_kind = Kind::Nothing;
    std::string m_folder;
    unsigned m_generation = 0;
    // For the end of the fill: the file to focus, and what the status bar says instead of the
    // totals.
    std::string m_focusWhenFilled;
    std::string m_filledNote;

    // Requests waiting that will act: any listing's, and this listing's (the others' are dropped).
    int m_waiting = 0;
    int m_waitingForThisListing = 0;
    unsigned m_changes = 0; // listing changes asked for or made: the one waiting is the last
    CPostedCalls m_posted;  // last: goes first, with the calls that use the members above
};
