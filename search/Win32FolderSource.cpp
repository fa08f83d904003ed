// Folder listings, the content probe and folder identities of the search, on Win32.
#include "Win32FolderSource.h"

#include "engine/platform/FileSystem.h"

#include <windows.h>

namespace quarvel::search {

namespace {
constexpr DWORD kSmallestImage = 0x1000;   // 4,096 bytes
constexpr DWORD kLargestImage = 0x4000000; // 64 MiB
constexpr DWORD kProbeBytes = 64;
constexpr DWORD kNotRegular =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE;
} // namespace

int IsExecutableImage(const char* path) {
    if (!path || !*path)
        return kNoPath;
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & kNotRegular))
        return kNotAnImage;
    HANDLE file =
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return kCannotOpen;
    int result = kNotAnImage;
    DWORD sizeHigh = 0;
    const DWORD size = GetFileSize(file, &sizeHigh);
    if (size != INVALID_FILE_SIZE && sizeHigh == 0 && SizeFitsImage(size)) {
        unsigned char head[kProbeBytes] = {};
        DWORD read = 0;
        if (!ReadFile(file, head, kProbeBytes, &read, nullptr) || read != kProbeBytes)
            result = kCannotRead;
        else if (head[0] == 'M' && head[1] == 'Z')
            result = kLooksLikeImage;
    }
    CloseHandle(file);
    return result;
}

bool Win32FolderSource::ListFolder(const std::string& folder,
                                   const std::function<bool(const FolderEntry&)>& visit) {
    const std::string pattern = folder + (folder.back() == '\\' ? "*.*" : "\\*.*");
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    do {
        const DWORD attributes = data.dwFileAttributes;
        const FolderEntry entry{data.cFileName, (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                                (attributes & FILE_ATTRIBUTE_TEMPORARY) != 0,
                                (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0,
                                (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) |
                                    data.nFileSizeLow};
        if (!visit(entry))
            break;
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return true;
}

bool Win32FolderSource::FolderIdentity(const std::string& folder, std::string& identity) {
    return platform::GetFolderIdentity(folder.c_str(), identity);
}

} // namespace quarvel::search
