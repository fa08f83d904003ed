// CIconListCtrl: the large-icon list of every icon of the files in the file list. It receives
// the icons from the engine's listing and keeps them as its own records (the control holds no
// items: it asks for each label and picture as it draws), makes pictures only for the cells
// near the screen and keeps a bounded number of them, shows the focused icon's images in the
// sub-icon view, and saves one icon.
#pragma once

#include "CellPicture.h"
#include "Framework.h"
#include "IconSize.h"
#include "PictureList.h"
#include "SaveFolderSetting.h"
#include "engine/IconFacts.h"
#include "engine/IconFileCache.h"
#include "engine/IconFilter.h"
#include "engine/IconGroups.h"
#include "engine/IconOrder.h"
#include "engine/IconPicture.h"

#include "engine/IconItem.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class CSubIconView;

class CIconListCtrl : public CListCtrl, public quarvel::IconListReceiver {
public:
    CIconListCtrl();
    ~CIconListCtrl() override;

    // ---- Receiver of the engine's listing: 1 when the item was appended, else 0.
    int AddGroupIcon(const char* path, quarvel::ResKey name, std::uint16_t language) override;
    int AddIconFile(const char* path) override;
    // A moved icon reads from the .mun file, whose name its label shows.
    int AddMovedGroupIcon(const char* listedPath, const char* sourcePath, quarvel::ResKey name,
                          std::uint16_t language) override;
    // Cursors follow each file's icons, marked as cursors on their cells and in their tooltips.
    bool TakesCursors() const override { return true; }
    int AddGroupCursor(const char* path, quarvel::ResKey name, std::uint16_t language) override;
    int AddCursorFile(const char* path) override;
    int AddAnimatedCursorFile(const char* path) override;
    // The image facts and identity the fill worker read for the icon just added; an icon added
    // without them has its facts read when a filter or order needs them, and no duplicates.
    void DescribeLastIcon(const quarvel::IconFacts& facts, int firstOf) override;

    // ---- What is shown. The control's items are positions in the shown list: the records that
    // pass the filter (hiding duplicates, only the first in list order of each icon among them),
    // in the order. Every index below is such a position. A change keeps the selection and the
    // focus on the records still shown, and the sub-icon view on the focused one.
    void SetFilter(const char* text);
    const CString& GetFilterText() const { return m_strFilter; }
    void SetOrder(quarvel::IconOrder order);
    quarvel::IconOrder GetOrder() const { return m_order; }
    void SetHideDuplicates(bool hide);
    bool GetHideDuplicates() const { return m_bHideDuplicates; }
    // Positions shown (the control's count once told) and whether records are left out.
    int ShownCount();
    bool IsNarrowed() { return ShownCount() < OwnedItemCount(); }
    // Called after the shown positions change (for the status bar's "shown N of M icons").
    void SetShownChanged(std::function<void()> changed) { m_shownChanged = std::move(changed); }
    // How many other records hold the icon of the item at a position (0 when its images were
    // not compared), and in how many other files than its own they were listed (with the
    // count of those in its own file).
    int DuplicatesOf(int index) const;
    int DuplicateFilesOf(int index, int* inOwnFile = nullptr) const;

    // Empties the sub-icon view, drops every item and starts a new, empty picture list.
    void RemoveAll();
    // Cells of the icon size at dpi; pictures of another size are made again as items are
    // drawn.
    void SetDpi(int dpi);
    // One of the sizes of IconSize.h (pixels at 96 DPI); another value changes nothing.
    void SetIconSize(int size);
    int GetIconSize() const { return m_nIconSize; }
    int GetCellSide() const { return m_nCellSide; }
    void SetSubIconView(CSubIconView* view) { m_pSubIconView = view; }
    CSubIconView* GetSubIconView() const { return m_pSubIconView; }

    // The item's icon at a shown position, or null.
    quarvel::CIconItem* GetIconItem(int index);
    const quarvel::CIconItem* GetIconItem(int index) const;
    // The item's label: a group's id or name over its file's name, or an .ico, .cur or .ani file's
    // name.
    CString GetLabel(int index) const;
    static CString LabelOf(const quarvel::CIconItem& item);
    // The index of the item's picture in the picture list (made now if it is not held), or -1.
    int GetPicture(int index);
    HIMAGELIST GetPictures() const { return m_images.GetSafeHandle(); }
    // Pictures held now, and how many may be: about three screens of cells, at least
    // kMinPictures.
    int PictureCount() const { return m_images.GetCount(); }
    int PictureBound() const { return m_images.GetBound(); }
    static constexpr int kMinPictures = 64;
    // Image files held open for the pictures being made (none once the message loop is idle).
    std::size_t OpenFileCount() const { return m_files.OpenCount(); }
    // Icon items that the list holds now.
    int OwnedItemCount() const { return static_cast<int>(m_items.size()); }

    // Saves one icon: in its own format (a group written as .ico, a group cursor as .cur, an
    // .ico, .cur or .ani file copied), as .bmp (its picture on the window colour) or as .png
    // (its largest image). With ask, the save
    // dialog chooses path and format and the file may be replaced. 1 on success, 0 otherwise.
    int SaveIcon(int index, bool ask, const char* path, bool overwrite, int format);
    // The proposed file name of an item with the extension appended ("-cursor" before the
    // extension of a cursor's picture); "" without an item.
    CString DefaultFileName(int index, const char* extension) const;
    // The extension of the item's own format: ".ico", ".cur" (a group cursor or .cur file) or
    // ".ani"; ".ico" without an item.
    const char* OwnExtension(int index) const;
    // Runs the save dialog for an item (in the remembered save folder); true with the chosen
    // path and format.
    bool AskSaveName(int index, CString& path, int& format);
    // Where the save folder is remembered, for the save dialog and the batch save.
    void SetSaveFolderSetting(SaveFolderSetting setting) { m_saveFolder = std::move(setting); }
    const SaveFolderSetting& GetSaveFolderSetting() const { return m_saveFolder; }

    // Copies the picture of the first selected item to the clipboard (made again when the
    // bounded picture list dropped it); false when it has none.
    bool CopyFirstSelected();
    bool FirstSelectedHasPicture() const;

    // What a drag of the selection carries (CIconDataObject): the .ico files the batch save
    // writes, and the first selected icon's largest image; null without a selection. Nothing is
    // read until a program asks for it.
    IDataObject* CreateSelectionData() const;
    // Drags the selection out with the drop source (the mouse's, or a test's); the effect.
    DWORD DragSelection(IDropSource* source);
    void SelectAll();

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    int OnCreate(LPCREATESTRUCT cs);
    void OnPaint();
    BOOL OnEraseBkgnd(HDC dc);
    LRESULT OnFillEnded(WPARAM, LPARAM);
    LRESULT OnPicturesMade(WPARAM, LPARAM);
    void OnSize(UINT type, int cx, int cy);
    void OnDestroy();
    void OnGetDispInfo(NMHDR* header, LRESULT* result);
    void OnFindItem(NMHDR* header, LRESULT* result);
    void OnItemChanged(NMHDR* header, LRESULT* result);
    void OnGetInfoTip(NMHDR* header, LRESULT* result);
    void OnBeginDrag(NMHDR* header, LRESULT* result);
    // Ctrl + wheel steps the icon size, as the frame's Ctrl + plus / minus do.
    LRESULT OnMouseWheel(WPARAM keysAndDelta, LPARAM at);
    // Any message to the control first tells it the count of the records appended.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    DECLARE_MESSAGE_MAP()

private:
    // Items arrive in bursts (a whole folder is listed without a pause) and a visible list
    // redraws after each one: drawing waits until the burst is over, when the message loop
    // takes the message this posts.
    void DeferRedrawUntilIdle();
    bool CreatePictureList();
    // Cells of the icon size at the DPI, every picture made again when the side changes.
    void ResizeCells();
    // Three screens of cells of the client area, at least kMinPictures.
    int PictureBoundForWindow() const;
    void SetIconSpacing();
    // Puts a new, empty picture list of the cell size in the old one's place.
    void ReplacePictureList();
    // Takes the last item in (the control learns the count later, in TellCount): 1, or 0
    // without a window.
    int ItemAppended();
    // Tells the control the count of the records if it is behind; records it refuses go.
    void TellCount();
    // Tells the control how many records there are.
    bool SetItemCountEx(DWORD flags);
    int AppendGroupItem(const char* listedPath, const char* sourcePath, quarvel::ResKey name,
                        std::uint16_t language,
                        quarvel::CIconItem::Kind kind = quarvel::CIconItem::ResourceGroup);
    int AppendFileItem(const char* path, quarvel::CIconItem::Kind kind);
    // Whether the item's cell is on screen or within a row of it: only those get pictures made
    // as the control asks (it may ask for others while it arranges them).
    bool IsNearScreen(int index) const;
    // Renders the item's display icon into a picture of the cell size; -1 when it fails.
    int MakePicture(quarvel::CIconItem& item);
    // The pictures of one paint (or of any run of requests without a pause) share the open files
    // and the canvas; they are released when the message loop takes the message this posts, so
    // that no file stays open while the user looks. False when it cannot be posted.
    bool HoldSourcesUntilIdle();
    void ReleaseSources();

    // The record shown at a position, or -1.
    int RecordAt(int index) const;
    // Takes the texts of the record just appended beside it.
    void RecordAppended();
    // The facts of a record, its images read now when they are wanted and it came without them.
    const quarvel::IconFacts& FactsOf(int record, bool images);
    // The records in the order (the sort is kept until records are added or the order changes).
    const std::vector<int>& RecordsInOrder();
    // Whether a record passes the filter and, hiding duplicates, is the first of its icon among
    // those passing (`shownOfIcon` holds the shown record of each identity so far).
    bool Passes(int record, std::unordered_map<int, int>& shownOfIcon);
    // Shows the records added since they were last placed: appended when the order is the
    // list's and nothing is left out before them, else every position is made again.
    void PlaceNewRecords();
    // Makes every position again, keeping selection, focus and the sub-icon view's icon.
    void Reshow();
    void ShownChanged();
    // Empties what stands beside the records.
    void ForgetShown();
    // The tooltip's line on the hidden copies of the item's icon; "" without any.
    std::string DuplicatesLine(int index) const;

    // The records, in list order; a deque, as the sub-icon view holds the focused one's address.
    std::deque<quarvel::CIconItem> m_items;
    // Beside each record: what the filter and the orders read, whether its image facts are
    // known, and the identity of its icon (the fill's number of the first with its images, -1).
    std::vector<quarvel::IconFacts> m_facts;
    std::vector<char> m_imageFactsKnown;
    std::vector<int> m_firstOf;
    std::unordered_map<int, int> m_iconCounts;  // records by identity
    std::vector<int> m_shown;                   // record of each position
    std::vector<int> m_sorted;                  // RecordsInOrder, when it holds every record
    std::unordered_map<int, int> m_shownOfIcon; // hiding duplicates: the record shown of each
    int m_nPlaced = 0;                          // records placed (shown or left out)
    CString m_strFilter;
    quarvel::IconFilter m_filter;
    quarvel::IconOrder m_order = quarvel::IconOrder::File;
    bool m_bHideDuplicates = false;
    bool m_bReshowing = false; // focus changes are the reshow's, not the user's
    std::function<void()> m_shownChanged;
    CPictureList m_images;
    quarvel::IconFileCache m_files;
    std::optional<quarvel::CellCanvas> m_canvas;
    bool m_bSourcesHeld = false;
    int m_nCellSide;
    int m_nIconSize = quarvel::kDefaultIconSize;
    int m_nDpi = kDesignDpi;
    int m_nWheelDelta = 0; // Ctrl + wheel turned less than a notch so far
    CSubIconView* m_pSubIconView = nullptr;
    SaveFolderSetting m_saveFolder;
    bool m_bRedrawDeferred = false;
    bool m_bCountBehind = false; // records appended since the control was last told the count
};
