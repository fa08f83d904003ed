// CShellTreeCtrl: path tests, set-up, refresh, selection and history, finding paths, keys.
#include "ShellTreeCtrl.h"

#include "ShareEnumerator.h"
#include "resource.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CShellTreeCtrl, CTreeCtrl)

BEGIN_MESSAGE_MAP(CShellTreeCtrl, CTreeCtrl)
    ON_WM_DESTROY()
    ON_WM_CONTEXTMENU()
    ON_NOTIFY_REFLECT(TVN_ITEMEXPANDINGA, OnItemExpanding)
    ON_NOTIFY_REFLECT(TVN_SELCHANGEDA, OnSelChanged)
    ON_NOTIFY_REFLECT(TVN_DELETEITEMA, OnDeleteItem)
    ON_NOTIFY_REFLECT(TVN_BEGINLABELEDITA, OnBeginLabelEdit)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
    ON_NOTIFY_REFLECT(NM_RCLICK, OnRClick)
END_MESSAGE_MAP()

// ---- Path tests

namespace {
bool Attributes(const char* path, DWORD& attributes) {
    if (!path || !*path)
        return false;
    attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES;
}
} // namespace

bool CShellTreeCtrl::IsFile(const char* path) {
    DWORD attributes;
    return Attributes(path, attributes) && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CShellTreeCtrl::IsFolder(const char* path) {
    DWORD attributes;
    return Attributes(path, attributes) && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CShellTreeCtrl::IsDrive(const char* path) {
    return path && std::strlen(path) == 3 && path[1] == ':' && path[2] == '\\';
}

bool CShellTreeCtrl::IsCompressed(const char* path) {
    DWORD attributes;
    return !IsDrive(path) && Attributes(path, attributes) &&
           (attributes & FILE_ATTRIBUTE_COMPRESSED);
}

bool CShellTreeCtrl::IsEncrypted(const char* path) {
    DWORD attributes;
    return !IsDrive(path) && Attributes(path, attributes) &&
           (attributes & FILE_ATTRIBUTE_ENCRYPTED);
}

bool CShellTreeCtrl::IsRemovable(const char* path) {
    if (!IsDrive(path))
        return false;
    const UINT type = GetDriveTypeA(path);
    return type == DRIVE_REMOVABLE || type == DRIVE_CDROM;
}

// ---- Life

CShellTreeCtrl::CShellTreeCtrl() : m_menu(*this, [this] { return MenuTarget(); }) {
    m_serials.fill(0xFFFFFFFF);
}

void CShellTreeCtrl::PreSubclassWindow() {
    CTreeCtrl::PreSubclassWindow();
    if (!m_desktop)
        SHGetDesktopFolder(m_desktop.Out());
    if (!m_networkImages.GetSafeHandle()) {
        // Drawn where the shell's small icons go, so of their size (the system DPI's).
        static const SizedPicture kStrips[] = {
            {16, IDB_NETWORK}, {20, IDB_NETWORK_20}, {24, IDB_NETWORK_24}, {32, IDB_NETWORK_32}};
        const SizedPicture& strip = AfxChoosePictureSize(kStrips, GetSystemMetrics(SM_CXSMICON));
        m_networkImages.Create(strip.resourceId, strip.side, 0, RGB(255, 0, 255));
    }
}

void CShellTreeCtrl::OnDestroy() {
    DeleteAllItems();
    CTreeCtrl::OnDestroy();
}

void CShellTreeCtrl::OnInitialFill() {
    if (!m_hSystemImages) {
        // The shell's small icons, asked for once about the drive of the temporary folder.
        char temp[MAX_PATH] = "C:\\";
        GetTempPathA(MAX_PATH, temp);
        temp[3] = '\0';
        SHFILEINFOA info{};
        m_hSystemImages = reinterpret_cast<HIMAGELIST>(
            SHGetFileInfoA(temp, 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    }
    SetImageList(m_hSystemImages, TVSIL_NORMAL);
    Refresh();
}

void CShellTreeCtrl::Refresh() {
    CWaitCursor wait;
    SendMessage(WM_SETREDRAW, FALSE);
    const HTREEITEM selected = GetSelectedItem();
    const CString path = ItemToPath(selected);
    const bool expanded = selected && (GetItemState(selected, TVIS_EXPANDED) & TVIS_EXPANDED);
    ShareEnumerator::Instance().Refresh();
    DeleteAllItems();
    m_hComputerRoot = m_hNetworkRoot = nullptr;
    m_hComputerRoot = InsertRoot(CSIDL_DRIVES, 0);
    m_hNetworkRoot = InsertRoot(CSIDL_NETWORK, 1);
    if (!path.IsEmpty())
        SetSelectedPath(path, expanded);
    SendMessage(WM_SETREDRAW, TRUE);
    Invalidate();
}

// ---- Items

const ItemInfo* CShellTreeCtrl::GetItemInfo(HTREEITEM item) const {
    return item ? reinterpret_cast<const ItemInfo*>(GetItemData(item)) : nullptr;
}

CString CShellTreeCtrl::ItemToPath(HTREEITEM item) const {
    const ItemInfo* info = GetItemInfo(item);
    return info ? info->path : CString();
}

DWORD CShellTreeCtrl::GetVolumeSerial(char driveLetter) const {
    const int index = (driveLetter | 0x20) - 'a';
    return index >= 0 && index < 26 ? m_serials[static_cast<size_t>(index)] : 0xFFFFFFFF;
}

void CShellTreeCtrl::OnDeleteItem(NMHDR* header, LRESULT* result) {
    const auto* tree = reinterpret_cast<NMTREEVIEWA*>(header);
    delete reinterpret_cast<ItemInfo*>(tree->itemOld.lParam);
    // A deleted item leaves both histories at once: Back and Forward never meet it, and are not
    // offered for entries that are gone.
    for (auto* history : {&m_back, &m_forward})
        history->erase(std::remove(history->begin(), history->end(), tree->itemOld.hItem),
                       history->end());
    *result = 0;
}

void CShellTreeCtrl::OnBeginLabelEdit(NMHDR*, LRESULT* result) {
    *result = TRUE; // labels are never edited
}

// ---- Selection and history

void CShellTreeCtrl::OnSelChanged(NMHDR* header, LRESULT* result) {
    *result = 0;
    const auto* tree = reinterpret_cast<NMTREEVIEWA*>(header);
    const HTREEITEM item = tree->itemNew.hItem;
    const ItemInfo* info = GetItemInfo(item);
    if (!item || !info || m_bRestoring)
        return;
    const bool accepted = item == m_hNetworkRoot || item == m_hComputerRoot || info->netResource ||
                          IsDrive(info->path) ||
                          GetFileAttributesA(info->path) != INVALID_FILE_ATTRIBUTES;
    if (!accepted) {
        // The folder is gone, and so goes its item. The selection quietly returns to where it
        // was first, so that the control does not pick some other item in its place.
        if (tree->itemOld.hItem) {
            m_bRestoring = true;
            SelectItem(tree->itemOld.hItem);
            m_bRestoring = false;
        }
        RemoveVanished(item);
        return;
    }
    if (tree->itemOld.hItem && !m_bNavigating) {
        if (m_back.size() > kHistoryLimit)
            m_back.erase(m_back.begin());
        m_back.push_back(tree->itemOld.hItem);
    }
    const CString path = info->path;
    if (IsDrive(path))
        ReadVolumeSerial(path);
    OnSelectionChanged(header, path);
}

void CShellTreeCtrl::OnSelectionChanged(NMHDR*, const CString&) {}

bool CShellTreeCtrl::Step(std::vector<HTREEITEM>& from, std::vector<HTREEITEM>& to) {
    if (from.empty())
        return false;
    const HTREEITEM target = from.back();
    from.pop_back();
    const HTREEITEM previous = GetSelectedItem();
    m_bNavigating = true;
    SelectItem(target);
    EnsureVisible(target);
    m_bNavigating = false;
    if (previous)
        to.push_back(previous);
    return true;
}

void CShellTreeCtrl::UpOneLevel() {
    const HTREEITEM selected = GetSelectedItem();
    if (const HTREEITEM parent = selected ? GetParentItem(selected) : nullptr)
        SelectItem(parent);
}

// ---- Finding a path

HTREEITEM CShellTreeCtrl::FindChild(HTREEITEM parent, const CString& name) const {
    for (HTREEITEM child = GetChildItem(parent); child; child = GetNextSiblingItem(child)) {
        const ItemInfo* info = GetItemInfo(child);
        if (info && info->name.CompareNoCase(name) == 0)
            return child;
    }
    return nullptr;
}

HTREEITEM CShellTreeCtrl::FindServerParent(HTREEITEM from) const {
    for (HTREEITEM item = from; item; item = GetNextSiblingItem(item)) {
        for (HTREEITEM child = GetChildItem(item); child; child = GetNextSiblingItem(child)) {
            const ItemInfo* info = GetItemInfo(child);
            if (info && info->netResource &&
                info->netResource->DisplayType() == RESOURCEDISPLAYTYPE_SERVER)
                return item;
        }
        if (const HTREEITEM found = FindServerParent(GetChildItem(item)))
            return found;
    }
    return nullptr;
}

HTREEITEM CShellTreeCtrl::SetSelectedPath(const char* pathText, bool expand) {
    if (!pathText || !*pathText || !m_hComputerRoot)
        return nullptr;
    CString path(pathText);
    if (path.GetLength() > 3 && path.Right(1) == "\\")
        path = path.Left(path.GetLength() - 1);

    SendMessage(WM_SETREDRAW, FALSE);
    HTREEITEM current = nullptr;
    CString rest;
    const bool network = path.GetLength() > 2 && path.Left(2) == "\\\\";
    if (network) {
        ExpandItem(m_hNetworkRoot);
        current = FindServerParent(GetRootItem());
        rest = path.Mid(2);
    } else {
        ExpandItem(m_hComputerRoot);
        current = m_hComputerRoot;
        rest = path;
    }
    // Split at backslashes; a drive keeps its backslash so that it matches the drive's name.
    std::vector<CString> elements;
    for (int start = 0; start <= rest.GetLength();) {
        int end = rest.Find('\\', start);
        if (end < 0)
            end = rest.GetLength();
        CString element = rest.Mid(start, end - start);
        if (!network && elements.empty() && end < rest.GetLength())
            element += "\\";
        if (!element.IsEmpty())
            elements.push_back(element);
        start = end + 1;
    }
    const bool justADrive = !network && IsDrive(path);
    for (size_t i = 0; current && i < elements.size(); ++i) {
        current = FindChild(current, elements[i]);
        if (!current)
            break;
        if (i + 1 < elements.size()) {
            if (!justADrive) {
                SelectItem(current);
                ExpandItem(current);
            }
        } else {
            SelectItem(current);
            if (expand)
                ExpandItem(current);
        }
    }
    SendMessage(WM_SETREDRAW, TRUE);
    Invalidate();
    return current;
}

// ---- Keys

BOOL CShellTreeCtrl::PreTranslateMessage(MSG* msg) {
    if (msg->hwnd != m_hWnd || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN))
        return CTreeCtrl::PreTranslateMessage(msg);
    const bool alt = (msg->lParam & (1 << 29)) != 0; // the key message's "Alt held" bit
    switch (msg->wParam) {
    case VK_F5:
        Refresh();
        return TRUE;
    case VK_LEFT:
        if (!alt)
            break;
        GoBack();
        return TRUE;
    case VK_RIGHT:
        if (!alt)
            break;
        GoForward();
        return TRUE;
    case VK_BACK:
        if (alt)
            break;
        UpOneLevel();
        return TRUE;
    case VK_RETURN:
        PostMessage(WM_COMMAND, alt ? ID_SHELL_PROPERTIES : ID_SHELL_OPEN);
        return TRUE;
    case VK_DELETE:
    case VK_F2:
        return TRUE;
    case VK_F10:
        if (!(GetKeyState(VK_SHIFT) & 0x8000))
            break;
        OnContextMenu(m_hWnd, POINT{-1, -1});
        return TRUE;
    default:
        break;
    }
    return CTreeCtrl::PreTranslateMessage(msg);
}
