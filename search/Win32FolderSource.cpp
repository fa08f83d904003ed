// Folder listings, the content probe and folder identities of the search, on Win32.
#include "Win32FolderSource.h"

#include "FileFind.h"
#include "engine/platform/FileSystem.h"
#include "engine/platform/win32/OpenForReading.h"

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
    const ScopedFile file = platform::OpenForReading(path);
    if (!file)
        return kCannotOpen;
    int result = kNotAnImage;
    DWORD sizeHigh = 0;
    const DWORD size = GetFileSize(file.Get(), &sizeHigh);
    if (size != INVALID_FILE_SIZE && sizeHigh == 0 && SizeFitsImage(size)) {
        unsigned char head[kProbeBytes] = {};
        DWORD read = 0;
        if (!ReadFile(file.Get(), head, kProbeBytes, &read, nullptr) || read != kProbeBytes)
            result = kCannotRead;
        else if (head[0] == 'M' && head[1] == 'Z')
            result = kLooksLikeImage;
    }
    return result;
}

bool Win32FolderSource::ListFolder(const std::string& folder,
                                   const std::function<bool(const FolderEntry&)>& visit) {
    const std::string pattern = folder + (folder.back() == '\\' ? "*.*" : "\\*.*");
    CFileFind finder;
    BOOL more = finder.FindFile(pattern.c_str());
    if (!more)
        return false;
    while (more) {
        more = finder.FindNextFile();
        const DWORD attributes = finder.GetAttributes();
        const CString name = finder.GetFileName(); // the entry points into it
        const FolderEntry entry{name, (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                                (attributes & FILE_ATTRIBUTE_TEMPORARY) != 0,
                                (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0,
                                finder.GetLength()};
        if (!visit(entry))
            break;
    }
    return true;
}

bool Win32FolderSource::FolderIdentity(const std::string& folder, std::string& identity) {
    return platform::GetFolderIdentity(folder.c_str(), identity);
}

} // namespace quarvel::search
