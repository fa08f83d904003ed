// CSubIconView: the pane that lists the images inside the icon focused in the icon list (a
// cursor's with their hot spots, an animated cursor's frames in the order they are shown), and
// copies one image or the icon's location, or saves the selected images as an .ico file or as
// PNG files, or the caret image as a .bmp.
#pragma once

#include "Framework.h"
#include "IconListBox.h"
#include "SaveFolderSetting.h"
#include "engine/ByteView.h"
#include "engine/IconImageSet.h"
#include "engine/ResKey.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace quarvel {
class CIconItem;
struct CIconImageSet;
} // namespace quarvel

class CSubIconView : public CSingleCtrlView {
    DECLARE_DYNCREATE(CSubIconView)
public:
    CSubIconView();

    // Lists the images of the icon on row `index` of the icon list (the icon list owns item).
    void ShowIcon(int index, quarvel::CIconItem* item);
    // Empties the list; the view then has no current icon.
    void RemoveAll();
    // The directory indices of the selected rows' images, in row order; false when a row is
    // unreadable or nothing is selected.
    bool SelectedImages(std::vector<int>& images);

    int GetCurrentIndex() const { return m_nCurrentIndex; }
    // The icon shown is now on row `index` of the icon list (a filter or an order moved it):
    // its rows stay as they are.
    void IconMoved(int index) { m_nCurrentIndex = index; }
    quarvel::CIconItem* GetCurrentIcon() const { return m_pCurrentIcon; }
    CIconListBox& GetListBox() { return m_wndList; }
    // Where Save Icon As remembers its folder.
    void SetSaveFolderSetting(SaveFolderSetting setting) { m_saveFolder = std::move(setting); }
    void SetDpi(int dpi) override;

    // The name proposed by the save dialog: the source name, "_" and the caret row.
    CString MakeSaveName() const;
    // An animation's steps listed at most: each row holds an icon of its own.
    static constexpr int kMaxStepRows = 500;

    // Writes the images of the selected rows, in row order, as one .ico file (.cur for a
    // cursor's).
    bool SaveSelectedAsIco(const char* path);
    // Writes the images of the selected rows as PNG files, one per image, named after `path`
    // without its extension and each image's size and depth ("<path>-48x48x32.png"); an existing
    // file is left alone and fails the save. The paths written go to `written`; false at the
    // first failure.
    bool SaveSelectedAsPng(const char* path, std::vector<CString>* written = nullptr);
    // Writes the caret row's image as a .bmp file on the window colour; 1 or 0.
    int SaveCurrentAsBmp(const char* path);
    // Puts the row's image on the clipboard (CIconDataObject: its PNG, its pixels with alpha,
    // and its picture on white as a bitmap); 1, or 0 for no row, a damaged image or a clipboard
    // that cannot be opened.
    int CopyRowToClipboard(int row);

    // What a drag of the selected rows carries: their images as the PNG files the image save
    // writes (named after MakeSaveName), and the first one's image; null when no selected row
    // has a sound image.
    IDataObject* CreateSelectionData();
    // Drags the selected rows out with the drop source (the mouse's, or a test's); the effect.
    DWORD DragSelection(IDropSource* source);

protected:
    void FillFromGroup(const char* path, quarvel::ResKey name, std::uint16_t language);
    void FillFromIcoFile(const char* path);
    // A group cursor's or .cur file's images, or an .ani file's steps; a row that says why when
    // the cursor cannot be read.
    void FillFromCursor(const quarvel::CIconItem& item);
    // Builds an image's icon and appends its row; false when the rows reached their limit.
    bool AddImageRow(const std::uint8_t* image, std::uint32_t size, int width, int height,
                     int bitCount, int directoryIndex);
    bool AddImageRow(const quarvel::ByteView& image, const CString& label, int directoryIndex,
                     const POINT* hotSpot = nullptr);
    // The row of entry `index` of a cursor's image set, its label led by `prefix`.
    bool AddCursorRow(const quarvel::CIconImageSet& set, int index, const std::string& prefix);
    void SaveImages();
    // The current icon's images, read now; null when they cannot be.
    std::shared_ptr<const quarvel::CIconImageSet> ReadCurrentImages() const;

    bool CreateControl() override;
    void OnContextMenu(HWND window, POINT at);
    void OnEditCopy();
    void OnEditSelectAll();
    void OnCopyIconLocation();
    void OnUpdateCopyIconLocation(CCmdUI* cmdUI);
    void OnSaveIconAs() { SaveImages(); }
    void OnUpdateEditCopy(CCmdUI* cmdUI);
    void OnUpdateEditSelectAll(CCmdUI* cmdUI);
    void OnUpdateSaveIconAs(CCmdUI* cmdUI);
    DECLARE_MESSAGE_MAP()

private:
    CIconListBox m_wndList;
    SaveFolderSetting m_saveFolder;
    int m_nCurrentIndex = -1;
    quarvel::CIconItem* m_pCurrentIcon = nullptr;
    // Bytes of the pixels decoded for the rows shown (see AddImageRow).
    std::uint64_t m_rowPixelBytes = 0;
};
