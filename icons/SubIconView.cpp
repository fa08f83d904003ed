// CSubIconView: filling the image list from a group icon or an .ico file, its commands, and
// saving or copying images.
#include "SubIconView.h"

#include "DataClipboard.h"
#include "DropSource.h"
#include "IconDataObject.h"
#include "IconDrag.h"
#include "CursorLabels.h"
#include "IconDrawing.h"
#include "IconLocationCopy.h"
#include "IconMenu.h"
#include "IconNames.h"
#include "IconTransfers.h"
#include "SaveNameDialog.h"
#include "engine/AniFile.h"
#include "engine/BitmapWriter.h"
#include "engine/CursorImages.h"
#include "engine/DisplayIcon.h"
#include "engine/GroupIcon.h"
#include "engine/IcoDirectory.h"
#include "engine/IcoWriter.h"
#include "engine/IconImage.h"
#include "engine/IconImageFinder.h"
#include "engine/IconImageSet.h"
#include "engine/ImageCheck.h"
#include "engine/ImageLimits.h"
#include "engine/IconItem.h"
#include "engine/PEFile.h"
#include "engine/PngExport.h"
#include "engine/PngWriter.h"
#include "resource.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

using namespace quarvel;

IMPLEMENT_DYNCREATE(CSubIconView, CSingleCtrlView)

BEGIN_MESSAGE_MAP(CSubIconView, CSingleCtrlView)
    ON_WM_CONTEXTMENU()
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
    ON_COMMAND(ID_SAVE_ICON_AS, OnSaveIconAs)
    ON_UPDATE_COMMAND_UI(ID_SAVE_ICON_AS, OnUpdateSaveIconAs)
    ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, OnUpdateEditSelectAll)
    ON_COMMAND(ID_COPY_ICON_LOCATION, OnCopyIconLocation)
    ON_UPDATE_COMMAND_UI(ID_COPY_ICON_LOCATION, OnUpdateCopyIconLocation)
END_MESSAGE_MAP()

namespace {

// The depth a row's label shows: the directory's, unless it is 0 or the image is a PNG, whose
// own depth is the real one.
int LabelBitCount(int directoryBitCount, const ByteView& image) {
    if (directoryBitCount != 0 && !IsPngImage(image))
        return directoryBitCount;
    return ImageBitCount(image).value_or(directoryBitCount);
}

constexpr std::uint64_t kBytesPerPixel = 4;

} // namespace

CSubIconView::CSubIconView() : CSingleCtrlView(m_wndList) {}

bool CSubIconView::CreateControl() {
    if (!m_wndList.Create(CIconListBox::kStyle, RECT{0, 0, 0, 0}, this, IDC_SUBICON_LIST))
        return false;
    m_wndList.SetDragStart([this] {
        const ScopedComPtr<IDropSource> source(CDropSource::Create());
        DragSelection(source.Get());
    });
    return true;
}

void CSubIconView::SetDpi(int dpi) {
    CSingleCtrlView::SetDpi(dpi);
    m_wndList.SetDpi(dpi);
}

// ---- Filling

void CSubIconView::RemoveAll() {
    if (m_wndList.m_hWnd)
        m_wndList.ResetContent();
    m_rowPixelBytes = 0;
    m_nCurrentIndex = -1;
    m_pCurrentIcon = nullptr;
}

void CSubIconView::ShowIcon(int index, CIconItem* item) {
    RemoveAll();
    m_nCurrentIndex = index;
    m_pCurrentIcon = item;
    if (!item || !m_wndList.m_hWnd)
        return;
    if (item->IsCursor())
        FillFromCursor(*item);
    else if (item->GetKind() == CIconItem::ResourceGroup)
        FillFromGroup(item->GetPath().c_str(), item->GetName(), item->GetLanguage());
    else
        FillFromIcoFile(item->GetPath().c_str());
}

bool CSubIconView::AddImageRow(const std::uint8_t* image, std::uint32_t size, int width, int height,
                               int bitCount, int directoryIndex) {
    return AddImageRow(ByteView(image, size), CIconListBox::MakeLabel(width, height, bitCount),
                       directoryIndex);
}

bool CSubIconView::AddImageRow(const ByteView& bytes, const CString& label, int directoryIndex,
                               const POINT* hotSpot) {
    const auto side = IconBuildSize(bytes);
    if (!side || !IsSoundIconImage(bytes)) {
        // Never handed to the system; the row says why it has no picture.
        m_wndList.AddDamagedImage(directoryIndex, label);
        return true;
    }
    // A hostile directory can name one large image thousands of times: stop listing once the
    // pixels decoded for the rows would take more memory than any real icon needs.
    const std::uint64_t built = static_cast<std::uint64_t>(*side) * *side;
    const std::uint64_t pixelBytes = kBytesPerPixel * std::max(built, PngPixels(bytes));
    if (m_rowPixelBytes + pixelBytes > kMaxImageSetBytes)
        return false;
    ScopedIcon icon(CreateIconFromImage(bytes.Data(), static_cast<std::uint32_t>(bytes.Size())));
    if (!icon) {
        m_wndList.AddDamagedImage(directoryIndex, label);
        return true;
    }
    if (m_wndList.AddImage(std::move(icon), *side, *side, directoryIndex, label, hotSpot) >= 0)
        m_rowPixelBytes += pixelBytes;
    return true;
}

void CSubIconView::FillFromGroup(const char* path, ResKey name, std::uint16_t language) {
    if (!path || !*path || !name.IsValid())
        return;
    CPEFile file(path);
    if (!file.IsOpen())
        return;
    const auto group = FindGroupIcon(file, name, language);
    if (!group || !group->IsIcon())
        return;
    IconImageFinder images(file, language);
    for (int i = 0; i < group->Count(); ++i) {
        const GroupIconEntry entry = group->Entry(i);
        const auto imageRef = images.Find(entry.nID, true);
        if (!imageRef)
            break; // a missing image ends the list
        const auto image = imageRef->Bytes();
        if (!image) {
            // Its bytes lie outside the file.
            m_wndList.AddDamagedImage(
                i, CIconListBox::MakeLabel(entry.bWidth, entry.bHeight, entry.wBitCount));
            continue;
        }
        if (!AddImageRow(image->Data(), static_cast<std::uint32_t>(image->Size()), entry.bWidth,
                         entry.bHeight, LabelBitCount(entry.wBitCount, *image), i))
            break;
    }
}

void CSubIconView::FillFromIcoFile(const char* path) {
    // The header's reserved and type fields are not examined: any complete directory is listed.
    const IcoFile file(path);
    const IcoDirectory* directory = file.Directory();
    if (!directory || !directory->IsComplete())
        return;
    for (int i = 0; i < directory->Count(); ++i) {
        const IcoDirEntry entry = directory->Entry(i);
        const auto image = directory->Image(i);
        if (!image)
            break; // an image past the end of the file ends the list
        if (!AddImageRow(image->Data(), static_cast<std::uint32_t>(image->Size()), entry.bWidth,
                         entry.bHeight, LabelBitCount(entry.wBitCount, *image), i))
            break;
    }
}

void CSubIconView::FillFromCursor(const CIconItem& item) {
    std::string why;
    if (item.GetKind() != CIconItem::AnimatedCursorFile) {
        const std::unique_ptr<CIconImageSet> set = ReadCursorImages(item, &why);
        if (!set) {
            m_wndList.AddDamagedImage(-1, why.c_str());
            return;
        }
        for (int i = 0; i < set->Count(); ++i)
            if (!AddCursorRow(*set, i, std::string()))
                break;
        return;
    }
    // The steps in the order they are shown, each with its frame's number and time.
    const AniFile file(item.GetPath().c_str());
    const AnimatedCursor* cursor = file.Cursor();
    const std::unique_ptr<CIconImageSet> frames = cursor ? ReadAniFrameSet(*cursor) : nullptr;
    if (!frames) {
        m_wndList.AddDamagedImage(-1, cursor ? "a frame cannot be read" : file.Error().c_str());
        return;
    }
    int rows = 0;
    for (const AniStep& step : cursor->Steps())
        if (++rows > kMaxStepRows ||
            !AddCursorRow(*frames, step.frame, FrameLabel(step.frame, step.jiffies)))
            break;
}

bool CSubIconView::AddCursorRow(const CIconImageSet& set, int index, const std::string& prefix) {
    const IconSetEntry& entry = set.entries[static_cast<std::size_t>(index)];
    const ByteView image(entry.image.data(), entry.image.size());
    // A cursor's entry holds the hot spot where an icon's holds planes and depth: the sizes
    // and depth are the image's own.
    const auto facts = ReadImageFacts(image);
    const CString size = facts
                             ? CIconListBox::MakeLabel(facts->width, facts->height, facts->bitCount)
                             : CIconListBox::MakeLabel(entry.bWidth, entry.bHeight, 0);
    const POINT hotSpot{entry.wPlanes, entry.wBitCount};
    const CString label(prefix + HotSpotLabel(size.GetString(), hotSpot.x, hotSpot.y));
    return AddImageRow(image, label, index, &hotSpot);
}

// ---- Saving and copying

CString CSubIconView::MakeSaveName() const {
    if (!m_pCurrentIcon)
        return CString();
    CString name = IconSourceName(*m_pCurrentIcon);
    CString row;
    row.Format("_%d", m_wndList.GetCaretRow());
    return name + row;
}

void CSubIconView::SaveImages() {
    if (m_nCurrentIndex < 0 || !m_pCurrentIcon || m_wndList.GetCaretRow() < 0)
        return;
    CString path;
    int format = kSaveAsIco;
    if (!AskIconSaveName(this, MakeSaveName(), m_saveFolder, path, format,
                         m_pCurrentIcon->IsCursor() ? ".cur" : ".ico"))
        return;
    bool saved = false;
    if (format == kSaveAsBmp)
        saved = SaveCurrentAsBmp(path);
    else if (format == kSaveAsPng)
        saved = SaveSelectedAsPng(path);
    else
        saved = SaveSelectedAsIco(path);
    if (!saved)
        ShowSaveFailed(*this, path);
}

bool CSubIconView::SelectedImages(std::vector<int>& images) {
    images.clear();
    const int selected = m_wndList.GetSelCount();
    if (selected <= 0)
        return false;
    std::vector<int> rows(static_cast<std::size_t>(selected));
    if (m_wndList.GetSelItems(selected, rows.data()) != selected)
        return false;
    // Each image is found by its directory index: rows may have skipped images.
    for (int row : rows) {
        const IconListBoxItem* item = m_wndList.GetRow(row);
        if (!item)
            return false;
        images.push_back(item->directoryIndex);
    }
    return true;
}

bool CSubIconView::SaveSelectedAsIco(const char* path) {
    std::vector<int> images;
    if (!path || !*path || !m_pCurrentIcon || !SelectedImages(images))
        return false;
    const std::unique_ptr<CIconImageSet> set = ReadIconImages(*m_pCurrentIcon);
    // An index the set does not hold means the file changed since it was listed: refused.
    return set && WriteIcoFile(path, *set, images);
}

bool CSubIconView::SaveSelectedAsPng(const char* path, std::vector<CString>* written) {
    std::vector<int> images;
    if (!path || !*path || !m_pCurrentIcon || !SelectedImages(images))
        return false;
    const std::unique_ptr<CIconImageSet> set = ReadIconImages(*m_pCurrentIcon);
    if (!set)
        return false;
    std::string stem(path);
    const std::string::size_type dot = stem.find_last_of('.');
    if (dot != std::string::npos && stem.find_first_of("\\/", dot) == std::string::npos)
        stem.erase(dot);
    const std::vector<std::string> names = ImageFileNames(*set, images, stem);
    for (std::size_t i = 0; i < images.size(); ++i) {
        // The dialog asked about replacing `path` only: the files it stands for are never
        // replaced.
        if (images[i] < 0 || images[i] >= set->Count() ||
            !WritePngFile(names[i].c_str(), ImageOf(*set, images[i]), false))
            return false;
        if (written)
            written->push_back(CString(names[i]));
    }
    return true;
}

int CSubIconView::SaveCurrentAsBmp(const char* path) {
    if (!path || !*path || !m_pCurrentIcon || !m_wndList.HasSelection())
        return 0;
    const IconListBoxItem* item = m_wndList.GetRow(m_wndList.GetCaretRow());
    if (!item)
        return 0;
    const ScopedBitmap bitmap(IconToBitmap(item->icon.Get()));
    return bitmap ? WriteBmpFile(path, bitmap.Get()) : 0;
}

std::shared_ptr<const CIconImageSet> CSubIconView::ReadCurrentImages() const {
    if (!m_pCurrentIcon)
        return nullptr;
    return std::shared_ptr<const CIconImageSet>(ReadIconImages(*m_pCurrentIcon));
}

int CSubIconView::CopyRowToClipboard(int row) {
    const IconListBoxItem* item = m_wndList.GetRow(row);
    if (!item || !item->icon)
        return 0; // a damaged image copies nothing
    IconTransfer transfer;
    if (auto set = ReadCurrentImages())
        transfer.image = SetImageSource(std::move(set), item->directoryIndex);
    const HICON icon = item->icon.Get();
    transfer.picture = [icon]() -> ScopedBitmap {
        const int side = IconWidth(icon);
        if (side == 0)
            return ScopedBitmap();
        return DrawIconPicture(icon, side, side, CellPlacement{0, 0, side, side},
                               static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    };
    const ScopedComPtr<IDataObject> data(CIconDataObject::Create(std::move(transfer)));
    return PutDataOnClipboard(m_hWnd, data.Get()) ? 1 : 0;
}

// ---- Dragging

IDataObject* CSubIconView::CreateSelectionData() {
    std::vector<int> rows;
    const int selected = m_wndList.GetSelCount();
    if (selected > 0) {
        rows.resize(static_cast<std::size_t>(selected));
        rows.resize(
            static_cast<std::size_t>(std::max(0, m_wndList.GetSelItems(selected, rows.data()))));
    }
    // A damaged image has no PNG to give.
    std::vector<int> images;
    for (int row : rows)
        if (const IconListBoxItem* item = m_wndList.GetRow(row); item && item->icon)
            images.push_back(item->directoryIndex);
    const auto set = images.empty() ? nullptr : ReadCurrentImages();
    if (!set)
        return nullptr;
    IconTransfer transfer;
    transfer.image = SetImageSource(set, images.front());
    transfer.files = PngTransferFiles(set, images, std::string(MakeSaveName()));
    return CIconDataObject::Create(std::move(transfer));
}

DWORD CSubIconView::DragSelection(IDropSource* source) {
    const ScopedComPtr<IDataObject> data(CreateSelectionData());
    return DragData(data.Get(), source);
}

// ---- Commands

void CSubIconView::OnEditCopy() {
    CopyRowToClipboard(m_wndList.GetCaretRow());
}

void CSubIconView::OnEditSelectAll() {
    m_wndList.SelectAll();
}

void CSubIconView::OnUpdateEditCopy(CCmdUI* cmdUI) {
    cmdUI->Enable(m_wndList.HasSelection());
}

void CSubIconView::OnUpdateEditSelectAll(CCmdUI* cmdUI) {
    cmdUI->Enable(m_wndList.HasRows());
}

void CSubIconView::OnUpdateSaveIconAs(CCmdUI* cmdUI) {
    cmdUI->Enable(m_wndList.HasSelection());
}

void CSubIconView::OnCopyIconLocation() {
    CopyIconLocation(m_hWnd, m_pCurrentIcon);
}

void CSubIconView::OnUpdateCopyIconLocation(CCmdUI* cmdUI) {
    cmdUI->Enable(HasIconLocationSyntax(m_pCurrentIcon));
}

void CSubIconView::OnContextMenu(HWND, POINT at) {
    ShowIconMenu(this, at);
}
