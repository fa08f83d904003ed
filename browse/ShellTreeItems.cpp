// CShellTreeCtrl: the roots, drives, folders and network items, read when a node expands.
#include "ShellTreeCtrl.h"

#include "ShareEnumerator.h"
#include "engine/platform/AnsiText.h"

#include <algorithm>

namespace {
constexpr UINT kRootIconFlags =
    SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_PIDL | SHGFI_LINKOVERLAY;
constexpr UINT kRootOpenIconFlags =
    SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_PIDL | SHGFI_OPENICON;
constexpr DWORD kFirstNetworkBuffer = 16384;

int SmallIcon(const char* path, UINT extra) {
    SHFILEINFOA info{};
    SHGetFileInfoA(path, 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON | extra);
    return info.iIcon;
}

// The pattern that lists a folder's entries.
CString EntriesOf(const char* folder) {
    CString pattern(folder);
    return pattern + (pattern.Right(1) == "\\" ? "*.*" : "\\*.*");
}
} // namespace

bool CShellTreeCtrl::HasSubfolders(const char* path) {
    if (IsRemovable(path))
        return true; // never wait for a drive to spin up just to draw a button
    CFileFind finder;
    BOOL more = finder.FindFile(EntriesOf(path));
    while (more) {
        more = finder.FindNextFile();
        if (finder.IsDirectory() && !finder.IsDots())
            return true;
    }
    return false;
}

HTREEITEM CShellTreeCtrl::InsertRoot(int folder, int networkNode) {
    ScopedItemIdList id;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, folder, id.Out())) || !id)
        return nullptr;
    const auto* idText = reinterpret_cast<const char*>(id.Get());
    SHFILEINFOA names{}, icon{}, openIcon{};
    SHGetFileInfoA(idText, 0, &names, sizeof names, SHGFI_PIDL | SHGFI_DISPLAYNAME);
    SHGetFileInfoA(idText, 0, &icon, sizeof icon, kRootIconFlags);
    SHGetFileInfoA(idText, 0, &openIcon, sizeof openIcon, kRootOpenIconFlags);
    auto* info = new ItemInfo;
    info->path = names.szDisplayName;
    info->name = names.szDisplayName;
    info->networkNode = networkNode;
    return InsertFileItem(TVI_ROOT, info, false, icon.iIcon, openIcon.iIcon, false);
}

HTREEITEM CShellTreeCtrl::InsertFileItem(HTREEITEM parent, ItemInfo* info, bool shared, int icon,
                                         int openIcon, bool checkChildren) {
    const CString text = IsDrive(info->path) ? DriveDisplayName(info->path) : info->name;
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask =
        TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_STATE;
    insert.item.pszText = const_cast<char*>(text.GetString());
    insert.item.lParam = reinterpret_cast<LPARAM>(info);
    insert.item.iImage = icon;
    insert.item.iSelectedImage = openIcon;
    insert.item.cChildren = checkChildren ? (HasSubfolders(info->path) ? 1 : 0) : 1;
    insert.item.stateMask = TVIS_OVERLAYMASK;
    insert.item.state = shared ? INDEXTOOVERLAYMASK(1) : 0;
    const HTREEITEM item = InsertItem(&insert);
    if (!item)
        delete info; // the tree took nothing, so no deletion notice will free it
    return item;
}

HTREEITEM CShellTreeCtrl::InsertFolderItem(HTREEITEM parent, const CString& path,
                                           const CString& name) {
    auto* info = new ItemInfo;
    info->path = path;
    info->name = name;
    return InsertFileItem(parent, info, ShareEnumerator::Instance().IsShared(path),
                          SmallIcon(path, 0), SmallIcon(path, SHGFI_OPENICON), true);
}

CString CShellTreeCtrl::DriveDisplayName(const char* drive) const {
    CString name(drive);
    if (!m_desktop)
        return name;
    std::wstring wide = quarvel::platform::WideFromNarrow(drive);
    if (wide.empty())
        return name;
    ScopedItemIdList id;
    if (SUCCEEDED(
            m_desktop->ParseDisplayName(nullptr, nullptr, &wide[0], nullptr, id.Out(), nullptr)) &&
        id) {
        SHFILEINFOA info{};
        if (SHGetFileInfoA(reinterpret_cast<const char*>(id.Get()), 0, &info, sizeof info,
                           SHGFI_PIDL | SHGFI_DISPLAYNAME) &&
            info.szDisplayName[0])
            name = info.szDisplayName;
    }
    return name;
}

void CShellTreeCtrl::DisplayDrives(HTREEITEM parent) {
    const DWORD drives = GetLogicalDrives();
    for (int bit = 0; bit < 26; ++bit) {
        if (!(drives & (1u << bit)))
            continue;
        char drive[4] = {static_cast<char>('A' + bit), ':', '\\', '\0'};
        InsertFolderItem(parent, drive, drive);
    }
}

void CShellTreeCtrl::DisplayPath(const CString& folder, HTREEITEM parent) {
    CWaitCursor wait;
    SendMessage(WM_SETREDRAW, FALSE);
    DeleteChildren(parent);
    std::vector<CString> paths;
    CFileFind finder;
    BOOL more = finder.FindFile(EntriesOf(folder));
    while (more) {
        more = finder.FindNextFile();
        if (finder.IsDirectory() && !finder.IsDots())
            paths.push_back(finder.GetFilePath());
    }
    std::sort(paths.begin(), paths.end(),
              [](const CString& a, const CString& b) { return CompareTextNoCase(a, b) < 0; });
    bool inserted = false;
    for (const CString& path : paths)
        inserted = InsertFolderItem(parent, path, path.Mid(path.ReverseFind('\\') + 1)) || inserted;
    if (!inserted)
        SetHasChildren(parent, false);
    SendMessage(WM_SETREDRAW, TRUE);
    Invalidate();
}

void CShellTreeCtrl::EnumNetwork(HTREEITEM parent) {
    const ItemInfo* parentInfo = GetItemInfo(parent);
    const NETRESOURCEA* from =
        parentInfo && parentInfo->netResource ? &parentInfo->netResource->Get() : nullptr;
    HANDLE enumeration = nullptr;
    if (m_network.openEnum(from ? RESOURCE_GLOBALNET : RESOURCE_CONTEXT, RESOURCETYPE_ANY, 0,
                           const_cast<NETRESOURCEA*>(from), &enumeration) != NO_ERROR)
        return;
    std::vector<unsigned char> buffer(kFirstNetworkBuffer);
    DWORD count = 0xFFFFFFFF;
    DWORD size = static_cast<DWORD>(buffer.size());
    DWORD status;
    while ((status = m_network.enumResource(enumeration, &count, buffer.data(), &size)) ==
           ERROR_MORE_DATA) {
        buffer.resize(std::max<size_t>(buffer.size() * 2, size));
        size = static_cast<DWORD>(buffer.size());
        count = 0xFFFFFFFF;
    }
    if (status == NO_ERROR) {
        const auto* entries = reinterpret_cast<const NETRESOURCEA*>(buffer.data());
        for (DWORD i = 0; i < count; ++i) {
            const NETRESOURCEA& entry = entries[i];
            CString name = entry.lpRemoteName && *entry.lpRemoteName ? entry.lpRemoteName
                           : entry.lpComment                         ? entry.lpComment
                                                                     : "";
            for (int strip = 0; strip < 2 && name.Left(1) == "\\"; ++strip)
                name = name.Mid(1);
            auto* info = new ItemInfo;
            info->path =
                entry.lpRemoteName && *entry.lpRemoteName ? CString(entry.lpRemoteName) : name;
            info->netResource = std::make_unique<NetResourceCopy>(entry);
            info->networkNode = 1;
            if (entry.dwDisplayType == RESOURCEDISPLAYTYPE_SHARE) {
                // A server's share shows only the share's own name.
                const int slash = name.Find('\\');
                info->name = slash >= 0 ? name.Mid(slash + 1) : name;
                InsertFileItem(parent, info, true, SmallIcon(info->path, 0),
                               SmallIcon(info->path, SHGFI_OPENICON), true);
            } else {
                info->name = name;
                InsertFileItem(parent, info, false, 0, 0, false);
            }
        }
    }
    m_network.closeEnum(enumeration);
}

bool CShellTreeCtrl::IsMediaAvailable(const char* path) {
    if (!IsRemovable(path))
        return true;
    ReadVolumeSerial(path);
    return GetVolumeSerial(path[0]) != 0xFFFFFFFF;
}

void CShellTreeCtrl::ReadVolumeSerial(const char* drive) {
    const int index = (drive[0] | 0x20) - 'a';
    if (index < 0 || index >= 26)
        return;
    DWORD serial = 0;
    m_serials[static_cast<size_t>(index)] =
        GetVolumeInformationA(drive, nullptr, 0, &serial, nullptr, nullptr, nullptr, 0)
            ? serial
            : 0xFFFFFFFF;
}

void CShellTreeCtrl::DeleteChildren(HTREEITEM item) {
    while (const HTREEITEM child = GetChildItem(item))
        DeleteItem(child);
}

void CShellTreeCtrl::SetHasChildren(HTREEITEM item, bool hasChildren) {
    TVITEMA change{};
    change.mask = TVIF_CHILDREN;
    change.hItem = item;
    change.cChildren = hasChildren ? 1 : 0;
    SetItem(&change);
}

bool CShellTreeCtrl::OnExpand(HTREEITEM item) {
    const ItemInfo* info = GetItemInfo(item);
    if (!info)
        return true;
    const CString path = info->path;
    if (!IsMediaAvailable(path)) {
        const bool hadChildren = GetChildItem(item) != nullptr;
        Expand(item, TVE_COLLAPSE);
        DeleteChildren(item);
        SetHasChildren(item, hadChildren);
    } else if (IsFolder(path)) {
        if (!GetChildItem(item))
            DisplayPath(path, item);
    } else if (item == m_hComputerRoot) {
        DisplayDrives(item);
    } else if (item == m_hNetworkRoot || info->netResource) {
        EnumNetwork(item);
    } else {
        RemoveVanished(item);
        return false;
    }
    return true;
}

void CShellTreeCtrl::RemoveVanished(HTREEITEM item) {
    const HTREEITEM parent = GetParentItem(item);
    DeleteItem(item);
    if (parent && !GetChildItem(parent))
        SetHasChildren(parent, false);
}

bool CShellTreeCtrl::HasChildrenMark(HTREEITEM item) const {
    TVITEMA state{};
    state.mask = TVIF_CHILDREN;
    state.hItem = item;
    return GetItem(&state) && state.cChildren != 0;
}

void CShellTreeCtrl::ExpandItem(HTREEITEM item) {
    if (!item)
        return;
    if (HasChildrenMark(item) && !GetChildItem(item))
        OnExpand(item);
    Expand(item, TVE_EXPAND);
}

void CShellTreeCtrl::OnItemExpanding(NMHDR* header, LRESULT* result) {
    *result = 0; // always allowed
    const auto* tree = reinterpret_cast<NMTREEVIEWA*>(header);
    const HTREEITEM item = tree->itemNew.hItem;
    if (tree->action & TVE_EXPAND) {
        // A folder that vanished is gone from the tree: nothing is left to expand.
        if (HasChildrenMark(item) && !GetChildItem(item) && !OnExpand(item))
            *result = TRUE;
        return;
    }
    // Collapsing lets go of the children, so the next expansion reads them again.
    const bool hadChildren = GetChildItem(item) != nullptr;
    DeleteChildren(item);
    const ItemInfo* info = GetItemInfo(item);
    const bool networkContainer =
        info && info->netResource && info->netResource->DisplayType() != RESOURCEDISPLAYTYPE_SHARE;
    if (!networkContainer)
        SetHasChildren(item, hadChildren);
    // Without this, the control would not announce the next expansion.
    TVITEMA state{};
    state.mask = TVIF_STATE;
    state.hItem = item;
    state.stateMask = TVIS_EXPANDEDONCE;
    SetItem(&state);
}
