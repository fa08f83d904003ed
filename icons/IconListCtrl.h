// CIconListCtrl: the large-icon list of every icon of the files in the file list. It receives
// the icons from the engine's listing, makes each picture only when the item is first drawn,
// shows the focused icon's images in the sub-icon view, and saves one icon.
#pragma once

#include "CellPicture.h"
#include "Framework.h"
#include "IconSize.h"
#include "PictureList.h"
#include "SaveFolderSetting.h"
#include "engine/IconFileCache.h"
#include "engine/IconGroups.h"
#include "engine/IconPicture.h"

#include <optional>
#include <utility>

class CSubIconView;

namespace quarvel {
class CIconItem;
}

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

    // Empties the sub-icon view, deletes every item and starts a new, empty picture list.
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

    // The item's icon, or null.
    quarvel::CIconItem* GetIconItem(int index) const;
    // The index of the item's picture in the picture list (made now if it was not yet), or -1.
    int GetPicture(int index);
    HIMAGELIST GetPictures() const { return m_images.GetSafeHandle(); }
    // Pictures made since the list was last emptied (the image list holds room for more).
    int PictureCount() const { return m_images.GetCount(); }
    // Image files held open for the pictures being made (none once the message loop is idle).
    std::size_t OpenFileCount() const { return m_files.OpenCount(); }
    // Icon items that the list owns now (each item's icon is deleted with the item).
    int OwnedItemCount() const { return m_nOwnedItems; }

    // Saves one icon: as .ico (the group written from the file, an .ico file copied), as
    // .bmp (its picture on the window colour) or as .png (its largest image). With ask, the save
    // dialog chooses path and format and the file may be replaced. 1 on success, 0 otherwise.
    int SaveIcon(int index, bool ask, const char* path, bool overwrite, int format);
    // The proposed file name of an item with the extension appended; "" without an item.
    CString DefaultFileName(int index, const char* extension) const;
    // Runs the save dialog for an item (in the remembered save folder); true with the chosen
    // path and format.
    bool AskSaveName(int index, CString& path, int& format);
    // Where the save folder is remembered, for the save dialog and the batch save.
    void SetSaveFolderSetting(SaveFolderSetting setting) { m_saveFolder = std::move(setting); }
    const SaveFolderSetting& GetSaveFolderSetting() const { return m_saveFolder; }

    // Copies the picture of the first selected item to the clipboard; false when it has none.
    bool CopyFirstSelected();
    bool FirstSelectedHasPicture() const;
    void SelectAll();

protected:
    int OnCreate(LPCREATESTRUCT cs);
    void OnPaint();
    BOOL OnEraseBkgnd(HDC dc);
    LRESULT OnFillEnded(WPARAM, LPARAM);
    LRESULT OnPicturesMade(WPARAM, LPARAM);
    void OnGetDispInfo(NMHDR* header, LRESULT* result);
    void OnDeleteItem(NMHDR* header, LRESULT* result);
    void OnItemChanged(NMHDR* header, LRESULT* result);
    void OnGetInfoTip(NMHDR* header, LRESULT* result);
    // Ctrl + wheel steps the icon size, as the frame's Ctrl + plus / minus do.
    LRESULT OnMouseWheel(WPARAM keysAndDelta, LPARAM at);
    DECLARE_MESSAGE_MAP()

private:
    // Items arrive in bursts (a whole folder is listed without a pause) and a visible list
    // redraws after each one: drawing waits until the burst is over, when the message loop
    // takes the message this posts.
    void DeferRedrawUntilIdle();
    bool CreatePictureList();
    // Cells of the icon size at the DPI, every picture made again when the side changes.
    void ResizeCells();
    void SetIconSpacing();
    // Puts a new, empty picture list of the cell size in the old one's place.
    void ReplacePictureList();
    int AppendItem(quarvel::CIconItem* item, const CString& text);
    int AppendGroupItem(const char* listedPath, const char* sourcePath, quarvel::ResKey name,
                        std::uint16_t language);
    // Renders the item's display icon into a picture of the cell size; -1 when it fails.
    int MakePicture(const quarvel::CIconItem& item);
    // The pictures of one paint (or of any run of requests without a pause) share the open files
    // and the canvas; they are released when the message loop takes the message this posts, so
    // that no file stays open while the user looks. False when it cannot be posted.
    bool HoldSourcesUntilIdle();
    void ReleaseSources();

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
    int m_nOwnedItems = 0;
    bool m_bRedrawDeferred = false;
};
