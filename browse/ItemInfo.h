// ItemInfo: the record behind each folder tree item (path, name, network resource, flags), and
// NetResourceCopy, a network resource record that owns copies of its strings.
#pragma once

#include "Framework.h"

#include <winnetwk.h>

#include <memory>
#include <string>

class NetResourceCopy {
public:
    explicit NetResourceCopy(const NETRESOURCEA& source);
    NetResourceCopy(const NetResourceCopy&) = delete;
    NetResourceCopy& operator=(const NetResourceCopy&) = delete;
    // The record; its strings point into this object.
    const NETRESOURCEA& Get() const { return m_resource; }
    DWORD DisplayType() const { return m_resource.dwDisplayType; }

private:
    std::string m_local, m_remote, m_comment, m_provider;
    NETRESOURCEA m_resource;
};

struct ItemInfo {
    CString path; // the folder or drive; the UNC name of a network item; a root's display name
    CString name; // what FindChild matches: folder name, drive path, network name, root name
    std::unique_ptr<NetResourceCopy> netResource; // items from the network enumeration only
    int networkNode = 0;                          // 1 for the network root and everything below it
    int extensionHidden = 0;                      // for file items; this tree shows none
};
