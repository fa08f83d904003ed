// The machine's share list through NetShareEnum of NETAPI32.dll, loaded at run time.
#include "ShareEnumerator.h"

#include "engine/platform/AnsiText.h"

#include <lm.h>

namespace {
using NetShareEnumFn = NET_API_STATUS(WINAPI*)(LMSTR, DWORD, LPBYTE*, DWORD, LPDWORD, LPDWORD,
                                               LPDWORD);
using NetApiBufferFreeFn = NET_API_STATUS(WINAPI*)(LPVOID);

// The library stays loaded for the life of the program, as the share list does.
std::vector<ShareEntry> SystemShares() {
    static HMODULE library = LoadLibraryA("NETAPI32.dll");
    if (!library)
        return {};
    auto shareEnum = reinterpret_cast<NetShareEnumFn>(
        reinterpret_cast<void*>(GetProcAddress(library, "NetShareEnum")));
    auto bufferFree = reinterpret_cast<NetApiBufferFreeFn>(
        reinterpret_cast<void*>(GetProcAddress(library, "NetApiBufferFree")));
    if (!shareEnum || !bufferFree)
        return {};
    LPBYTE buffer = nullptr;
    DWORD read = 0, total = 0, resume = 0;
    const NET_API_STATUS status =
        shareEnum(nullptr, 502, &buffer, MAX_PREFERRED_LENGTH, &read, &total, &resume);
    std::vector<ShareEntry> shares;
    if ((status == NERR_Success || status == ERROR_MORE_DATA) && buffer) {
        // Only the entries actually returned are read, whatever total the call reports.
        const auto* entries = reinterpret_cast<const SHARE_INFO_502*>(buffer);
        for (DWORD i = 0; i < read; ++i)
            shares.push_back(ShareEntry{quarvel::platform::NarrowFromWide(entries[i].shi502_path),
                                        entries[i].shi502_type});
    }
    if (buffer)
        bufferFree(buffer);
    return shares;
}
} // namespace

ShareEnumerator& ShareEnumerator::Instance() {
    static ShareEnumerator instance;
    return instance;
}

ShareEnumerator::ShareEnumerator() : m_source(&SystemShares) {
    Refresh();
}

void ShareEnumerator::Refresh() {
    m_shares = m_source();
}

bool ShareEnumerator::IsShared(const char* path) const {
    if (!path || !*path)
        return false;
    for (const ShareEntry& share : m_shares)
        if ((share.type == STYPE_DISKTREE || share.type == STYPE_PRINTQ) &&
            CString(share.path.c_str()).CompareNoCase(path) == 0)
            return true;
    return false;
}

void ShareEnumerator::SetSource(Source source) {
    m_source = source ? source : &SystemShares;
    Refresh();
}
