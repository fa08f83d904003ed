// CIconListCtrl: the icon records behind the control's items, labels and pictures on demand,
// focus, typing a name, saving and copying.
#include "IconListCtrl.h"

#include "BufferedPaint.h"
#include "DataClipboard.h"
#include "DropSource.h"
#include "IconDataObject.h"
#include "CursorLabels.h"
#include "IconDrawing.h"
#include "IconDrag.h"
#include "IconNames.h"
#include "SaveNameDialog.h"
#include "SubIconView.h"
#include "IconTransfers.h"
#include "engine/BitmapWriter.h"
#include "engine/GroupCursor.h"
#include "engine/IcoWriter.h"
#include "engine/IconItem.h"
#include "engine/PEFile.h"
#include "engine/PngExport.h"
#include "engine/platform/AnsiText.h"
#include "engine/platform/FileSystem.h"
#include "resource.h"

#include <algorithm>
#include <new>
#include <string>
#include <cstring>

using namespace quarvel;

namespace {
// Posted to the list by itself: the burst of additions or selections is over.
constexpr UINT WM_ICONLIST_FILL_ENDED = WM_APP + 1;
// Posted to the list by itself: the pictures of this paint are made.
constexpr UINT WM_ICONLIST_PICTURES_MADE = WM_APP + 2;

// Text of a Unicode notification in the code page of the A calls.
CString Narrow(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return CString();
    std::string narrow(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, &narrow[0], size, nullptr, nullptr);
    narrow.resize(static_cast<std::size_t>(size - 1));
    return CString(narrow);
}
} // namespace

BEGIN_MESSAGE_MAP(CIconListCtrl, CListCtrl)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_ICONLIST_FILL_ENDED, OnFillEnded)
    ON_MESSAGE(WM_ICONLIST_PICTURES_MADE, OnPicturesMade)
    ON_NOTIFY_REFLECT(LVN_GETDISPINFOA, OnGetDispInfo)
    ON_NOTIFY_REFLECT(LVN_GETDISPINFOW, OnGetDispInfo)
    ON_NOTIFY_REFLECT(LVN_ODFINDITEMA, OnFindItem)
    ON_NOTIFY_REFLECT(LVN_ODFINDITEMW, OnFindItem)
    ON_NOTIFY_REFLECT(LVN_ITEMCHANGED, OnItemChanged)
    ON_NOTIFY_REFLECT(LVN_GETINFOTIPA, OnGetInfoTip)
    ON_NOTIFY_REFLECT(LVN_GETINFOTIPW, OnGetInfoTip)
    ON_NOTIFY_REFLECT(LVN_BEGINDRAG, OnBeginDrag)
    ON_MESSAGE(WM_MOUSEWHEEL, OnMouseWheel)
END_MESSAGE_MAP()

CIconListCtrl::CIconListCtrl() : m_nCellSide(GetSystemMetrics(SM_CXICON)) {
    CreatePictureList();
}

CIconListCtrl::~CIconListCtrl() {
    // The window must not outlive the picture list it shows.
    if (m_hWnd && IsWindow(m_hWnd))
        DestroyWindow();
}

bool CIconListCtrl::CreatePictureList() {
    // Square cells of the large-icon size; pictures are drawn on the window colour, no mask.
    return m_images.Create(m_nCellSide, m_nCellSide, PictureBoundForWindow());
}

int CIconListCtrl::PictureBoundForWindow() const {
    if (!m_hWnd)
        return kMinPictures;
    RECT client;
    GetClientRect(&client);
    const DWORD spacing = static_cast<DWORD>(SendMessage(LVM_GETITEMSPACING, FALSE));
    const int cx = std::max(1, static_cast<int>(LOWORD(spacing)));
    const int cy = std::max(1, static_cast<int>(HIWORD(spacing)));
    // Partly shown columns and rows count as whole ones.
    const int cells = (client.right / cx + 1) * (client.bottom / cy + 1);
    return std::max(kMinPictures, 3 * cells);
}

void CIconListCtrl::OnSize(UINT type, int cx, int cy) {
    CListCtrl::OnSize(type, cx, cy);
    m_images.RaiseBound(PictureBoundForWindow());
}

void CIconListCtrl::SetDpi(int dpi) {
    m_nDpi = dpi;
    ResizeCells();
}

void CIconListCtrl::SetIconSize(int size) {
    if (!IsIconSize(size) || size == m_nIconSize)
        return;
    m_nIconSize = size;
    ResizeCells();
}

void CIconListCtrl::ResizeCells() {
    const int side = IconCellSide(m_nIconSize, m_nDpi);
    if (side != m_nCellSide && side > 0) {
        m_nCellSide = side;
        for (CIconItem& item : m_items)
            item.SetImageIndex(CIconItem::kImageNotMade);
        // The spacing first: the new list's bound counts the cells of the new size.
        SetIconSpacing();
        ReplacePictureList();
        return;
    }
    SetIconSpacing();
}

void CIconListCtrl::ReplacePictureList() {
    // The canvas has the old cell size; every picture goes at once: a new, empty list takes the
    // old one's place.
    ReleaseSources();
    const CImageList old = m_images.Detach(); // goes once the control holds the new list
    CreatePictureList();
    if (m_hWnd)
        SetImageList(m_images, LVSIL_NORMAL);
}

void CIconListCtrl::SetIconSpacing() {
    // The system's spacing at this DPI (the list's own default follows the system DPI only),
    // grown by as much as the cell is wider than the large-icon size, so that labels keep
    // their room beside and under cells of any size.
    if (!m_hWnd)
        return;
    const int grown = std::max(0, m_nCellSide - AfxGetSystemMetricForDpi(SM_CXICON, m_nDpi));
    SendMessage(LVM_SETICONSPACING, 0,
                MAKELPARAM(AfxGetSystemMetricForDpi(SM_CXICONSPACING, m_nDpi) + grown,
                           AfxGetSystemMetricForDpi(SM_CYICONSPACING, m_nDpi) + grown));
    Arrange(LVA_DEFAULT);
    m_images.RaiseBound(PictureBoundForWindow());
}

BOOL CIconListCtrl::PreCreateWindow(CREATESTRUCTA& cs) {
    // The records are the items: the control keeps only their count, selection and focus.
    cs.style |= LVS_OWNERDATA;
    return CListCtrl::PreCreateWindow(cs);
}

int CIconListCtrl::OnCreate(LPCREATESTRUCT cs) {
    if (CListCtrl::OnCreate(cs) == -1)
        return -1;
    SetImageList(m_images, LVSIL_NORMAL);
    SetExtendedStyle(GetExtendedStyle() | LVS_EX_INFOTIP);
    return 0;
}

void CIconListCtrl::OnDestroy() {
    // The records go with the window, and with them the pictures that name them.
    CListCtrl::OnDestroy();
    ReleaseSources();
    std::deque<CIconItem>().swap(m_items);
    ForgetShown();
    CreatePictureList();
}

void CIconListCtrl::OnPaint() {
    PaintThroughDib(m_hWnd);
}

BOOL CIconListCtrl::OnEraseBkgnd(HDC dc) {
    // The paint erases in its off-screen buffer (a memory device context); erasing the window
    // first would only show the bare background for a moment.
    return GetObjectType(dc) == OBJ_MEMDC ? static_cast<BOOL>(Default()) : TRUE;
}

void CIconListCtrl::DeferRedrawUntilIdle() {
    if (m_bRedrawDeferred || !m_hWnd || !PostMessage(WM_ICONLIST_FILL_ENDED))
        return;
    m_bRedrawDeferred = true;
    SendMessage(WM_SETREDRAW, FALSE);
}

LRESULT CIconListCtrl::OnFillEnded(WPARAM, LPARAM) {
    if (m_bRedrawDeferred) {
        m_bRedrawDeferred = false;
        SendMessage(WM_SETREDRAW, TRUE);
        Invalidate();
    }
    return 0;
}

// ---- Items

int CIconListCtrl::ItemAppended() {
    if (!m_hWnd) {
        m_items.pop_back();
        return 0;
    }
    RecordAppended();
    // Shown at once while nothing is left out and the order is the list's; otherwise it is
    // placed once its facts are in (PlaceNewRecords).
    const int record = static_cast<int>(m_items.size()) - 1;
    if (m_order == IconOrder::File && m_filter.IsEmpty() && !m_bHideDuplicates &&
        m_nPlaced == record) {
        m_shown.push_back(record);
        m_nPlaced = record + 1;
    }
    DeferRedrawUntilIdle();
    // The control learns the count when it is next asked anything (WindowProc): a count set
    // per item costs the control its layout each time, so a burst of items costs it once.
    m_bCountBehind = true;
    return 1;
}

void CIconListCtrl::TellCount() {
    if (!m_bCountBehind)
        return;
    m_bCountBehind = false;
    PlaceNewRecords();
}

LRESULT CIconListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != LVM_SETITEMCOUNT)
        TellCount();
    return CListCtrl::WindowProc(message, wParam, lParam);
}

int CIconListCtrl::AddGroupIcon(const char* path, ResKey name, std::uint16_t language) {
    return AppendGroupItem(path, path, name, language);
}

int CIconListCtrl::AddMovedGroupIcon(const char* listedPath, const char* sourcePath, ResKey name,
                                     std::uint16_t language) {
    return AppendGroupItem(listedPath, sourcePath, name, language);
}

int CIconListCtrl::AddGroupCursor(const char* path, ResKey name, std::uint16_t language) {
    return AppendGroupItem(path, path, name, language, CIconItem::CursorGroup);
}

int CIconListCtrl::AddCursorFile(const char* path) {
    return AppendFileItem(path, CIconItem::CursorFile);
}

int CIconListCtrl::AddAnimatedCursorFile(const char* path) {
    return AppendFileItem(path, CIconItem::AnimatedCursorFile);
}

int CIconListCtrl::AppendGroupItem(const char* listedPath, const char* sourcePath, ResKey name,
                                   std::uint16_t language, CIconItem::Kind kind) {
    if (!listedPath || !*listedPath || !sourcePath || !*sourcePath || !name.IsValid())
        return 0;
    m_items.emplace_back(sourcePath, name, language, kind);
    // An item listed for the file it reads keeps no second copy of the path.
    if (std::strcmp(listedPath, sourcePath) != 0)
        m_items.back().SetListedPath(listedPath);
    return ItemAppended();
}

int CIconListCtrl::AddIconFile(const char* path) {
    return AppendFileItem(path, CIconItem::IconFile);
}

int CIconListCtrl::AppendFileItem(const char* path, CIconItem::Kind kind) {
    if (!path || !*path)
        return 0;
    m_items.emplace_back(path, kind);
    return ItemAppended();
}

void CIconListCtrl::RemoveAll() {
    if (m_pSubIconView)
        m_pSubIconView->RemoveAll();
    // The pictures' owners go with the records: both go at once.
    ReplacePictureList();
    std::deque<CIconItem>().swap(m_items);
    ForgetShown();
    m_bCountBehind = false;
    SetItemCountEx(0);
    SetIconSpacing();
}

bool CIconListCtrl::SetItemCountEx(DWORD flags) {
    return m_hWnd && SendMessage(LVM_SETITEMCOUNT, m_shown.size(), static_cast<LPARAM>(flags));
}

CIconItem* CIconListCtrl::GetIconItem(int index) {
    const int record = RecordAt(index);
    return record >= 0 ? &m_items[static_cast<std::size_t>(record)] : nullptr;
}

const CIconItem* CIconListCtrl::GetIconItem(int index) const {
    const int record = RecordAt(index);
    return record >= 0 ? &m_items[static_cast<std::size_t>(record)] : nullptr;
}

CString CIconListCtrl::GetLabel(int index) const {
    const CIconItem* item = GetIconItem(index);
    return item ? LabelOf(*item) : CString();
}

CString CIconListCtrl::LabelOf(const CIconItem& item) {
    if (!item.IsGroup())
        return CString(FileNameOf(item.GetPath().c_str()).c_str());
    CString label;
    if (item.NameIsId())
        label.Format("%u", item.GetId());
    else
        label = item.GetNameText();
    // The file the icon is read from: a moved icon shows its .mun file.
    label += "\r\n";
    label += FileNameOf(item.GetPath().c_str()).c_str();
    return label;
}

void CIconListCtrl::OnItemChanged(NMHDR* header, LRESULT*) {
    const auto* change = reinterpret_cast<NMLISTVIEW*>(header);
    if (m_bReshowing || !(change->uNewState & LVIS_FOCUSED) || change->iItem < 0 || !m_pSubIconView)
        return;
    if (CIconItem* item = GetIconItem(change->iItem))
        m_pSubIconView->ShowIcon(change->iItem, item);
}

void CIconListCtrl::OnFindItem(NMHDR* header, LRESULT* result) {
    // Typing a name: the first label from iStart on (round to it, with LVFI_WRAP) that begins
    // with the typed text, or equals it, without regard to case.
    auto* find = reinterpret_cast<NMLVFINDITEMA*>(header);
    *result = -1;
    if (!(find->lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find->lvfi.psz)
        return;
    const CString typed = header->code == LVN_ODFINDITEMW
                              ? Narrow(reinterpret_cast<const wchar_t*>(find->lvfi.psz))
                              : CString(find->lvfi.psz);
    const bool partial = (find->lvfi.flags & LVFI_PARTIAL) != 0;
    const int count = static_cast<int>(m_shown.size());
    if (count == 0)
        return;
    const int start = find->iStart >= 0 && find->iStart < count ? find->iStart : 0;
    const int tries = find->lvfi.flags & LVFI_WRAP ? count : count - start;
    for (int n = 0; n < tries; ++n) {
        const int index = (start + n) % count;
        const CString label = GetLabel(index);
        const CString head = partial ? label.Left(typed.GetLength()) : label;
        if (head.CompareNoCase(typed) == 0) {
            *result = index;
            return;
        }
    }
}

// ---- Pictures

void CIconListCtrl::OnGetDispInfo(NMHDR* header, LRESULT*) {
    // The item part is laid out alike in the ANSI and the Unicode notification.
    auto* info = reinterpret_cast<NMLVDISPINFOA*>(header);
    const int index = info->item.iItem;
    CIconItem* item = GetIconItem(index);
    if (!item)
        return;
    if (info->item.mask & LVIF_IMAGE) {
        if (item->GetImageIndex() == CIconItem::kImageNotMade && !IsNearScreen(index))
            info->item.iImage = I_IMAGENONE; // asked while arranging: drawn later, if at all
        else
            info->item.iImage = GetPicture(index);
    }
    if ((info->item.mask & LVIF_TEXT) && info->item.pszText && info->item.cchTextMax > 0) {
        const CString label = GetLabel(index);
        if (header->code == LVN_GETDISPINFOW) {
            auto* text = reinterpret_cast<wchar_t*>(info->item.pszText);
            const int written =
                MultiByteToWideChar(CP_ACP, 0, label, -1, text, info->item.cchTextMax);
            if (written == 0)
                text[info->item.cchTextMax - 1] = L'\0'; // too long: cut
        } else {
            lstrcpynA(info->item.pszText, label, info->item.cchTextMax);
        }
    }
}

bool CIconListCtrl::IsNearScreen(int index) const {
    RECT cell, client;
    if (!GetItemRect(index, &cell, LVIR_BOUNDS))
        return false;
    GetClientRect(&client);
    const int margin = HIWORD(static_cast<DWORD>(SendMessage(LVM_GETITEMSPACING, FALSE)));
    InflateRect(&client, margin, margin);
    RECT common;
    return IntersectRect(&common, &cell, &client) != FALSE;
}

int CIconListCtrl::GetPicture(int index) {
    CIconItem* item = GetIconItem(index);
    if (!item)
        return -1;
    if (item->GetImageIndex() == CIconItem::kImageNotMade)
        item->SetImageIndex(MakePicture(*item));
    else
        m_images.Touch(item->GetImageIndex());
    return item->GetImageIndex();
}

int CIconListCtrl::MakePicture(CIconItem& item) {
    const bool held = HoldSourcesUntilIdle();
    if (!m_canvas) {
        int cx = 0, cy = 0;
        ImageList_GetIconSize(m_images, &cx, &cy);
        m_canvas.emplace(cx);
    }
    // The list keeps a copy of the picture.
    const int index = m_images.Add(m_canvas->Draw(item, m_files), item);
    if (!held)
        ReleaseSources();
    return index < 0 ? CIconItem::kImageFailed : index;
}

bool CIconListCtrl::HoldSourcesUntilIdle() {
    if (!m_bSourcesHeld && m_hWnd && PostMessage(WM_ICONLIST_PICTURES_MADE))
        m_bSourcesHeld = true;
    return m_bSourcesHeld;
}

LRESULT CIconListCtrl::OnPicturesMade(WPARAM, LPARAM) {
    ReleaseSources();
    return 0;
}

void CIconListCtrl::ReleaseSources() {
    m_files.CloseAll();
    m_canvas.reset();
    m_bSourcesHeld = false;
}

void CIconListCtrl::OnGetInfoTip(NMHDR* header, LRESULT*) {
    // The item part is laid out alike in the ANSI and the Unicode notification.
    auto* tip = reinterpret_cast<NMLVGETINFOTIPA*>(header);
    const CIconItem* item = GetIconItem(tip->iItem);
    if (!item || !tip->pszText || tip->cchTextMax <= 0)
        return;
    const bool held = HoldSourcesUntilIdle();
    std::string text = CellTooltip(*item, m_files, m_nCellSide);
    if (item->IsCursor())
        text = CursorTooltipLine(*item) + (text.empty() ? "" : "\r\n") + text;
    const std::string copies = m_bHideDuplicates ? DuplicatesLine(tip->iItem) : std::string();
    if (!copies.empty())
        text += (text.empty() ? "" : "\r\n") + copies;
    if (!held)
        ReleaseSources();
    if (text.empty())
        return;
    // A shortened label comes with its whole text, which the tip shows first.
    const bool wide = header->code == LVN_GETINFOTIPW;
    const std::size_t units = static_cast<std::size_t>(tip->cchTextMax);
    if (wide) {
        std::wstring shown = reinterpret_cast<wchar_t*>(tip->pszText);
        shown += (shown.empty() ? L"" : L"\r\n") + platform::WideFromNarrow(text.c_str());
        lstrcpynW(reinterpret_cast<wchar_t*>(tip->pszText), shown.c_str(), static_cast<int>(units));
    } else {
        std::string shown = tip->pszText;
        shown += (shown.empty() ? "" : "\r\n") + text;
        lstrcpynA(tip->pszText, shown.c_str(), static_cast<int>(units));
    }
}

LRESULT CIconListCtrl::OnMouseWheel(WPARAM keysAndDelta, LPARAM) {
    if (!(GET_KEYSTATE_WPARAM(keysAndDelta) & MK_CONTROL)) {
        m_nWheelDelta = 0;
        return Default();
    }
    // A notch (WHEEL_DELTA) is one step; finer wheels add up to one.
    m_nWheelDelta += GET_WHEEL_DELTA_WPARAM(keysAndDelta);
    CWnd* owner = GetParentFrame();
    if (!owner)
        owner = GetParent();
    for (; m_nWheelDelta >= WHEEL_DELTA; m_nWheelDelta -= WHEEL_DELTA)
        if (owner)
            owner->SendMessage(WM_COMMAND, ID_VIEW_ICON_SIZE_LARGER);
    for (; m_nWheelDelta <= -WHEEL_DELTA; m_nWheelDelta += WHEEL_DELTA)
        if (owner)
            owner->SendMessage(WM_COMMAND, ID_VIEW_ICON_SIZE_SMALLER);
    return 0;
}

// ---- Saving

CString CIconListCtrl::DefaultFileName(int index, const char* extension) const {
    const CIconItem* item = GetIconItem(index);
    if (!item)
        return CString();
    // An icon group and a cursor group may share a name: a cursor's pictures end in "-cursor",
    // as the command line names them, so that they never take an icon's file.
    const bool picture = *extension && std::strcmp(extension, OwnFormatExtension(*item)) != 0;
    return IconSourceName(*item) + (item->IsCursor() && picture ? "-cursor" : "") + extension;
}

const char* CIconListCtrl::OwnExtension(int index) const {
    const CIconItem* item = GetIconItem(index);
    return item ? OwnFormatExtension(*item) : ".ico";
}

bool CIconListCtrl::AskSaveName(int index, CString& path, int& format) {
    if (!GetIconItem(index))
        return false;
    return AskIconSaveName(GetParentFrame(), DefaultFileName(index, ""), m_saveFolder, path, format,
                           OwnExtension(index));
}

int CIconListCtrl::SaveIcon(int index, bool ask, const char* path, bool overwrite, int format) {
    const CIconItem* item = GetIconItem(index);
    if (!item)
        return 0;
    CString target(path);
    if (ask) {
        if (!AskSaveName(index, target, format))
            return 0;
        overwrite = true; // the dialog has asked about replacing the file
    }
    if (target.IsEmpty())
        return 0;
    const std::string& source = item->GetPath();
    if (format == kSaveAsPng)
        return SaveIconAsPng(*item, target, overwrite) ? 1 : 0;
    if (format == kSaveAsIco) {
        // Files are copied byte for byte; groups are written from the file.
        if (!item->IsGroup())
            return platform::CopyWholeFile(source.c_str(), target, overwrite) ? 1 : 0;
        CPEFile file(source.c_str());
        if (!file.IsOpen())
            return 0;
        if (item->GetKind() == CIconItem::CursorGroup)
            return SaveGroupAsCur(file, item->GetName(), item->GetLanguage(), target, overwrite)
                       ? 1
                       : 0;
        return file.SaveGroupAsIco(item->GetName(), item->GetLanguage(), target, overwrite);
    }
    if (!overwrite && platform::GetPathKind(target) != platform::PathKind::Missing)
        return 0; // not worth drawing
    const ScopedIcon icon(item->LoadDisplayIcon());
    const ScopedBitmap bitmap(IconToBitmap(icon.Get()));
    // The writer checks again: a file that appears meanwhile is kept too.
    return bitmap ? WriteBmpFile(target, bitmap.Get(), overwrite) : 0;
}

// ---- Copy and Select All

bool CIconListCtrl::FirstSelectedHasPicture() const {
    // A picture dropped from the bounded list is made again when asked for; only a failed one
    // has none.
    const CIconItem* item = GetIconItem(GetNextItem(-1, LVNI_SELECTED));
    return item && item->GetImageIndex() != CIconItem::kImageFailed;
}

bool CIconListCtrl::CopyFirstSelected() {
    const int index = GetNextItem(-1, LVNI_SELECTED);
    const int picture = GetPicture(index);
    if (picture < 0)
        return false;
    IconTransfer transfer;
    transfer.image = LargestImageSource(*GetIconItem(index));
    transfer.picture = [this, picture] {
        // The picture as the list shows it: the icon on the window colour, in a full cell.
        int cx = 0, cy = 0;
        ImageList_GetIconSize(m_images, &cx, &cy);
        MemoryCanvas canvas(nullptr, cx, cy);
        if (canvas)
            ImageList_Draw(m_images, picture, canvas.DC(), 0, 0, ILD_NORMAL);
        return canvas.TakeBitmap();
    };
    const ScopedComPtr<IDataObject> data(CIconDataObject::Create(std::move(transfer)));
    return PutDataOnClipboard(m_hWnd, data.Get());
}

// ---- Dragging

IDataObject* CIconListCtrl::CreateSelectionData() const {
    IconTransfer transfer;
    for (int index = GetNextItem(-1, LVNI_SELECTED); index >= 0;
         index = GetNextItem(index, LVNI_SELECTED)) {
        const CIconItem* item = GetIconItem(index);
        if (!item)
            continue;
        if (!transfer.image)
            transfer.image = LargestImageSource(*item);
        transfer.files.push_back(IcoTransferFile(*item));
    }
    return transfer.files.empty() ? nullptr : CIconDataObject::Create(std::move(transfer));
}

DWORD CIconListCtrl::DragSelection(IDropSource* source) {
    const ScopedComPtr<IDataObject> data(CreateSelectionData());
    return DragData(data.Get(), source);
}

void CIconListCtrl::OnBeginDrag(NMHDR*, LRESULT*) {
    const ScopedComPtr<IDropSource> source(CDropSource::Create());
    DragSelection(source.Get());
}

void CIconListCtrl::SelectAll() {
    // One call for every item; the focus stays where it is.
    SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
}
