// CFileListView: the file list pane. It lists the entries of a folder or the files a search
// found, hands the icons of each file to an icon list receiver as it goes, and offers Open,
// Properties, Search, Copy Path and a command prompt on a row. A folder or found files fill the
// list through a worker (FileListFill): rows and icons go in a slice at a time, between the
// window's other messages.
#pragma once

#include "BrowseHosts.h"
#include "FileListCtrl.h"
#include "FileListFill.h"
#include "FolderPopup.h"
#include "Framework.h"

class CFileListView : public CSingleCtrlView {
    DECLARE_DYNCREATE(CFileListView)
public:
    CFileListView();

    CFileListCtrl& GetListCtrl() { return m_wndList; }
    // Where the icons of added files go (not owned; null: nowhere).
    void SetIconReceiver(quarvel::IconListReceiver* icons) { m_pIcons = icons; }
    quarvel::IconListReceiver* GetIconReceiver() const { return m_pIcons; }
    // Where opened folder rows, the row menu's Search and the fill's progress go (not owned).
    void SetListing(ListingRequests* listing);

    // Ends a fill and deletes every row and their icons; the receiver of the files' icons is
    // emptied by whoever filled it.
    void RemoveAll();
    // Appends the row of path and lists its icons into the icon receiver, at once; nothing for
    // a path that cannot be read.
    void AddFile(const char* path) { m_wndList.AddFile(path, m_pIcons); }
    void Resort() { m_wndList.Resort(); }

    // Starts filling the list, which the caller has emptied, with the entries of folder: rows
    // first, sorted once they are all in, then each file's icon count, row icon and icons.
    void FillFromFolder(const char* folder);
    // Appends files, unsorted, through the same fill (after what it is still adding).
    void AddFiles(const std::vector<std::string>& paths);
    // Ends the fill: nothing more of it arrives.
    void StopFill();
    bool IsFilling() const { return m_bFilling; }
    // The fill worker's thread id, 0 before the first fill.
    DWORD FillThreadId() const { return m_fill.ThreadId(); }

    bool OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // The columns, made for 96 DPI, keep their share of the text at dpi.
    void SetDpi(int dpi) override;

protected:
    bool CreateControl() override;
    void OnContextMenu(HWND window, POINT at);
    void OnTimer(UINT_PTR id);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // While a fill runs, this timer takes a slice of what the worker has read. Timer messages
    // come only when no input, painting or posted message waits, so the user always goes first.
    static constexpr UINT_PTR kFillTimer = 1;
    static constexpr UINT kFillTimerMs = 10;
    // The time one slice may take.
    static constexpr double kSliceMs = 25;
    // The status bar follows the fill this often.
    static constexpr DWORD kProgressMs = 100;
    // Icons go to the icon list this often at first: it lays out and repaints all its items
    // each time. The wait grows with the icons it holds, by kIconHandOverMsPerThousand, so that
    // its layouts take the same share of the fill however long the list grows. Until it holds a
    // screenful, a few go with every slice.
    static constexpr DWORD kIconHandOverMs = 250;
    static constexpr DWORD kIconHandOverMsPerThousand = 25;
    // Once a screenful of rows is in, rows go into the list this often: each run of rows costs
    // the control its count and scroll bars.
    static constexpr DWORD kRowAppendMs = 250;
    // A fill of found files ends when its worker has had nothing to do for this long.
    static constexpr DWORD kCaughtUpMs = 250;
    static constexpr std::size_t kFirstScreenRows = 64;
    static constexpr std::size_t kFirstScreenIcons = 96;
    static constexpr std::size_t kFirstScreenStep = 8;

    // The target row as the row menu's commands see it.
    FolderPopupTarget RowTarget() const;
    void StartFill(bool folder);
    // Shows what the worker has read, for one slice.
    void TakeFillSlice();
    // Hands icons held back to the icon list, when it is time (all of them: now).
    void HandOverIcons(bool all);
    void ReportFill(bool finished);

    CFileListCtrl m_wndList;
    CFolderPopup m_rowMenu;
    quarvel::IconListReceiver* m_pIcons = nullptr; // not owned
    ListingRequests* m_pListing = nullptr;         // not owned

    FileListFill m_fill;
    FillResults m_waiting;     // taken from the worker, not shown yet
    RecordedIcons m_heldIcons; // shown in the file list, not yet handed to the icon list
    DWORD m_lastIconHandOver = 0;
    DWORD m_lastRowAppend = 0;
    bool m_bCaughtUp = false; // with the worker, since m_caughtUpAt
    DWORD m_caughtUpAt = 0;
    std::size_t m_handedIcons = 0; // to the icon list since it was emptied
    bool m_bFilling = false;
    bool m_bFolderFill = false; // a folder's entries, sorted when their rows are in
    bool m_bSorted = false;
    int m_lastRowKey = -1; // of the last row shown: icons up to it may follow
    FillProgress m_progress;
    DWORD m_lastReport = 0;
};
