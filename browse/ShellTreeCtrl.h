// CShellTreeCtrl: a tree of the computer's drives and folders and of the network's domains,
// servers and shares, read lazily one level at a time as nodes expand. It keeps a back and
// forward history of selections, offers shell commands on the selected folder through menu 114
// and the keyboard, and reports every accepted selection through OnSelectionChanged.
#pragma once

#include "BrowseHosts.h"
#include "FolderPopup.h"
#include "Framework.h"
#include "ItemInfo.h"

#include <shellapi.h>
#include <shlobj.h>

#include <array>
#include <vector>

// The network enumeration calls the tree makes (the system's MPR functions, or test doubles).
struct NetworkCalls {
    decltype(&WNetOpenEnumA) openEnum = &WNetOpenEnumA;
    decltype(&WNetEnumResourceA) enumResource = &WNetEnumResourceA;
    decltype(&WNetCloseEnum) closeEnum = &WNetCloseEnum;
};

class CShellTreeCtrl : public CTreeCtrl, public FolderSelector {
    DECLARE_DYNAMIC(CShellTreeCtrl)
public:
    static constexpr size_t kHistoryLimit = 20;
    static constexpr COLORREF kCompressedColour = RGB(0, 0, 255);
    static constexpr COLORREF kEncryptedColour = RGB(255, 0, 0);

    CShellTreeCtrl();

    // Gives the tree the system's small icons, then builds it.
    virtual void OnInitialFill();
    // Rebuilds the whole tree and selects the same path again (expanded if it was).
    void Refresh() override;
    virtual bool CanGoBack() const { return !m_back.empty(); }
    virtual bool CanGoForward() const { return !m_forward.empty(); }
    bool GoBack() override { return Step(m_back, m_forward); }
    bool GoForward() override { return Step(m_forward, m_back); }
    // Selects the parent of the selected item, if it has one.
    void UpOneLevel() override;
    // Finds the item of path, expanding nodes on the way, selects it and, with expand, expands
    // it. The item, or null when the path is not in the tree.
    HTREEITEM SetSelectedPath(const char* path, bool expand) override;
    virtual CString ItemToPath(HTREEITEM item) const;
    // Called after every accepted selection change; nothing here.
    virtual void OnSelectionChanged(NMHDR* notification, const CString& path);

    HTREEITEM GetComputerRoot() const { return m_hComputerRoot; }
    HTREEITEM GetNetworkRoot() const { return m_hNetworkRoot; }
    const std::vector<HTREEITEM>& GetBackHistory() const { return m_back; }
    const std::vector<HTREEITEM>& GetForwardHistory() const { return m_forward; }
    const ItemInfo* GetItemInfo(HTREEITEM item) const;
    // The last serial number read for a drive letter; 0xFFFFFFFF when none could be read.
    DWORD GetVolumeSerial(char driveLetter) const;
    void SetNetworkCalls(const NetworkCalls& calls) { m_network = calls; }
    // Where the tree's requests go (its menu's Search, and what a subclass asks); not owned.
    void SetListing(ListingRequests* listing);
    ListingRequests* GetListing() const { return m_pListing; }

    // Path tests.
    static bool IsFile(const char* path);
    static bool IsFolder(const char* path);
    static bool IsDrive(const char* path);
    static bool IsCompressed(const char* path);
    static bool IsEncrypted(const char* path);
    static bool IsRemovable(const char* path);
    static bool HasSubfolders(const char* path);

    BOOL PreTranslateMessage(MSG* msg) override;
    // The folder popup's commands go to the popup first.
    bool OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    void PreSubclassWindow() override;
    void OnDestroy();
    void OnItemExpanding(NMHDR* header, LRESULT* result);
    void OnSelChanged(NMHDR* header, LRESULT* result);
    void OnDeleteItem(NMHDR* header, LRESULT* result);
    void OnBeginLabelEdit(NMHDR* header, LRESULT* result);
    void OnCustomDraw(NMHDR* header, LRESULT* result);
    void OnRClick(NMHDR* header, LRESULT* result);
    void OnContextMenu(HWND window, POINT at);
    DECLARE_MESSAGE_MAP()

private:
    // ---- Building (ShellTreeItems.cpp)
    HTREEITEM InsertRoot(int folder, int networkNode);
    HTREEITEM InsertFileItem(HTREEITEM parent, ItemInfo* info, bool shared, int icon, int openIcon,
                             bool checkChildren);
    HTREEITEM InsertFolderItem(HTREEITEM parent, const CString& path, const CString& name);
    void DisplayDrives(HTREEITEM parent);
    void DisplayPath(const CString& folder, HTREEITEM parent);
    void EnumNetwork(HTREEITEM parent);
    // Reads an expanding item's children; false when the item vanished and was removed.
    bool OnExpand(HTREEITEM item);
    // Removes the item of a folder that no longer exists; its parent may lose its button.
    void RemoveVanished(HTREEITEM item);
    bool IsMediaAvailable(const char* path);
    void ReadVolumeSerial(const char* drive);
    void DeleteChildren(HTREEITEM item);
    void SetHasChildren(HTREEITEM item, bool hasChildren);
    bool HasChildrenMark(HTREEITEM item) const;
    // Expands an item, reading its children first when it has none yet.
    void ExpandItem(HTREEITEM item);
    CString DriveDisplayName(const char* drive) const;

    // ---- Finding and moving
    HTREEITEM FindChild(HTREEITEM parent, const CString& name) const;
    HTREEITEM FindServerParent(HTREEITEM from) const;
    bool Step(std::vector<HTREEITEM>& from, std::vector<HTREEITEM>& to);

    // ---- Menu (ShellTreeMenu.cpp)
    // The selected item as the folder popup's commands see it.
    FolderPopupTarget MenuTarget() const;
    CString SelectedPath() const { return ItemToPath(GetSelectedItem()); }

    HTREEITEM m_hComputerRoot = nullptr;
    HTREEITEM m_hNetworkRoot = nullptr;
    std::vector<HTREEITEM> m_back, m_forward;
    bool m_bNavigating = false; // Back or Forward moves the selection: no history entry
    bool m_bRestoring = false;  // the selection goes back from a vanished folder: no effects
    std::array<DWORD, 26> m_serials;
    HIMAGELIST m_hSystemImages = nullptr; // the shell's; never destroyed here
    CImageList m_networkImages;
    ScopedComPtr<IShellFolder> m_desktop;
    NetworkCalls m_network;
    CFolderPopup m_menu;
    ListingRequests* m_pListing = nullptr;
};
