// CurrentListing: the decisions about what the file list shows, at once and posted.
#include "CurrentListing.h"

namespace {
bool IsFolderPath(const std::string& path) {
    const DWORD attributes =
        path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The path made absolute (relative to the current folder) with its long names; "" when it does
// not exist.
CString ExistingFullPath(const char* path) {
    // Sized by the calls themselves: a path of MAX_PATH characters can take more bytes in UTF-8.
    CString full;
    const DWORD size = GetFullPathNameA(path, 0, nullptr, nullptr);
    if (size == 0 ||
        GetFullPathNameA(path, size, full.GetBuffer(static_cast<int>(size)), nullptr) >= size)
        return "";
    full.ReleaseBuffer();
    if (GetFileAttributesA(full) == INVALID_FILE_ATTRIBUTES)
        return "";
    CString longPath;
    const DWORD longSize = GetLongPathNameA(full, nullptr, 0);
    if (longSize == 0 || GetLongPathNameA(full, longPath.GetBuffer(static_cast<int>(longSize)),
                                          longSize) >= longSize)
        return full;
    longPath.ReleaseBuffer();
    return longPath;
}

} // namespace

std::string Grouped(int count) {
    std::string digits = std::to_string(count);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

bool CurrentListing::IsSettling() const {
    return m_waiting > 0 || m_waitingForThisListing > 0 || (m_host && m_host->IsFileListFilling());
}

void CurrentListing::Replace(Kind kind, const std::string& folder) {
    ++m_generation;
    m_waitingForThisListing = 0; // they will be dropped
    m_kind = kind;
    m_folder = folder;
    m_focusWhenFilled.clear();
    m_filledNote.clear();
}

// ---- At once

void CurrentListing::ShowFolder(const char* path) {
    ++m_changes; // a change asked for before and still waiting would undo this one
    const std::string folder = path ? path : "";
    // The listing changes first: the files a search hands over as it ends are not taken.
    Replace(folder.empty() ? Kind::Nothing : Kind::Folder, folder);
    if (!m_host)
        return;
    if (!folder.empty())
        m_host->ShowFolderInCaption(folder.c_str());
    m_host->EndSearch();
    m_host->EmptyLists();
    if (!folder.empty())
        m_host->FillFromFolder(folder.c_str());
}

void CurrentListing::StartSearchListing() {
    ++m_changes;
    Replace(Kind::SearchResults, "");
    if (m_host)
        m_host->EmptyLists();
}

int CurrentListing::AddFoundFiles(const std::vector<std::string>& paths) {
    if (m_kind != Kind::SearchResults || !m_host)
        return 0;
    std::vector<std::string> named;
    for (const std::string& path : paths)
        if (!path.empty())
            named.push_back(path);
    if (!named.empty())
        m_host->AddFiles(named);
    return static_cast<int>(named.size());
}

void CurrentListing::StopSearch() {
    if (m_host)
        m_host->EndSearch();
}

void CurrentListing::ShowSearchFor(const char* path) {
    if (!m_host)
        return;
    m_host->EndSearch();
    m_host->ShowSearchPage(path ? path : "");
}

void CurrentListing::OpenAt(const char* path) {
    if (!path || !*path || !m_host)
        return;
    // What start-up asked for (the tree's first folder) comes first: this path follows it.
    m_posted.RunWaiting();
    const CString full = ExistingFullPath(path);
    if (full.IsEmpty()) {
        const std::string message = std::string("\"") + path + "\" was not found; showing C:\\";
        m_host->ShowStatus(message.c_str());
        if (m_host->IsFileListFilling())
            m_filledNote = message; // the end of the fill would cover it
        return;                     // the tree's folder stays shown
    }
    const bool folder = IsFolderPath(full.GetString());
    // A drive's root keeps its backslash; a file's folder is what comes before its name.
    CString shown = folder ? full : full.Left(full.ReverseFind('\\'));
    if (shown.GetLength() > 3 && shown.Right(1) == "\\")
        shown = shown.Left(shown.GetLength() - 1); // named with a backslash at its end
    if (shown.GetLength() == 2 && shown[1] == ':')
        shown += "\\";
    SelectAndShow(shown.GetString());
    if (folder)
        return;
    if (m_host->IsFileListFilling())
        m_focusWhenFilled = full.GetString();
    else
        m_host->FocusFile(full);
}

void CurrentListing::SelectAndShow(const std::string& path) {
    if (m_tree)
        m_tree->SetSelectedPath(path.c_str(), true);
    ShowFolder(path.c_str());
}

void CurrentListing::GoBack() {
    if (m_tree)
        m_tree->GoBack();
}

void CurrentListing::GoForward() {
    if (m_tree)
        m_tree->GoForward();
}

void CurrentListing::GoUp() {
    if (m_tree)
        m_tree->UpOneLevel();
}

void CurrentListing::Refresh() {
    if (m_tree)
        m_tree->Refresh();
}

// ---- Posted

void CurrentListing::Post(std::function<void()> call) {
    ++m_waiting;
    m_posted.Post([this, call = std::move(call)] {
        --m_waiting;
        call();
    });
}

void CurrentListing::PostForThisListing(std::function<void()> call) {
    const unsigned generation = m_generation;
    ++m_waitingForThisListing;
    m_posted.Post([this, generation, call = std::move(call)] {
        if (generation != m_generation)
            return;
        --m_waitingForThisListing;
        call();
    });
}

void CurrentListing::ChooseFolder(const char* path, bool unlessShown) {
    const unsigned choice = ++m_changes;
    Post([this, choice, folder = std::string(path ? path : ""), unlessShown] {
        if (choice == m_changes)
            ShowChosen(folder, unlessShown);
    });
}

void CurrentListing::ShowChosen(const std::string& path, bool unlessShown) {
    if (!IsFolderPath(path))
        return; // the computer, a server, a domain: no folder to show
    if (unlessShown && m_kind == Kind::Folder &&
        CString(m_folder.c_str()).CompareNoCase(path.c_str()) == 0)
        return;
    ShowFolder(path.c_str());
}

void CurrentListing::FolderSelected(const char* path) {
    ChooseFolder(path, false);
}

void CurrentListing::SelectedFolderClicked(const char* path) {
    ChooseFolder(path, true);
}

void CurrentListing::OpenFolder(const char* path) {
    PostForThisListing([this, folder = std::string(path ? path : "")] {
        if (IsFolderPath(folder))
            SelectAndShow(folder);
    });
}

void CurrentListing::SearchInFolder(const char* path) {
    Post([this, folder = std::string(path ? path : "")] { ShowSearchFor(folder.c_str()); });
}

void CurrentListing::FillProgressed(const FillProgress& progress) {
    PostForThisListing([this, progress] { ShowFillProgress(progress); });
}

void CurrentListing::SearchStarting() {
    const unsigned change = ++m_changes;
    Post([this, change] {
        if (change == m_changes)
            StartSearchListing();
    });
}

void CurrentListing::FilesFound(const std::vector<std::string>& paths) {
    // Not bound to this listing: the search's start may still wait ahead of them. A folder
    // chosen meanwhile refuses them all the same.
    Post([this, paths] { AddFoundFiles(paths); });
}

void CurrentListing::ShowFillProgress(const FillProgress& progress) {
    if (!m_host)
        return;
    if (!progress.finished) {
        m_host->ShowStatus(
            (Grouped(progress.filesRead) + " of " + Grouped(progress.files) + " files").c_str());
        return;
    }
    m_host->ShowStatus(
        m_filledNote.empty()
            ? (Grouped(progress.files) + " files, " + Grouped(progress.icons) + " icons").c_str()
            : m_filledNote.c_str());
    if (!m_focusWhenFilled.empty())
        m_host->FocusFile(m_focusWhenFilled.c_str());
    m_focusWhenFilled.clear();
}
