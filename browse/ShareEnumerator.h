// ShareEnumerator: the folders and printers this machine shares, read once at start and again
// on each tree refresh, so that the tree can mark shared drives and folders.
#pragma once

#include "Framework.h"

#include <string>
#include <vector>

struct ShareEntry {
    std::string path;
    unsigned long type; // 0 disk, 1 print queue; special (administrative) shares have high bits
};

class ShareEnumerator {
public:
    // Reads the shares; the entries of the last successful reading, or none.
    using Source = std::vector<ShareEntry> (*)();
    static ShareEnumerator& Instance();

    void Refresh();
    // True when a disk or printer share (not an administrative one) has exactly this path,
    // ignoring case.
    bool IsShared(const char* path) const;
    // Replaces the system's share list by another source (tests); null restores the system's.
    void SetSource(Source source);

private:
    ShareEnumerator();
    Source m_source;
    std::vector<ShareEntry> m_shares;
};
