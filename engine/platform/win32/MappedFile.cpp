// Read-only file mapping with CreateFileA, CreateFileMappingA and MapViewOfFile.
#include "../MappedFile.h"

#include <windows.h>

namespace quarvel::platform {

namespace {
// Reading a file never stops another program from writing, renaming or deleting it, and a file
// that another program is still writing can be read.
constexpr DWORD kShareWithOthers = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
} // namespace

bool MappedFile::Open(const char* path) {
    Close();
    if (path == nullptr || *path == '\0')
        return false;
    HANDLE file = CreateFileA(path, GENERIC_READ, kShareWithOthers, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    file_ = file;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size) || size.QuadPart <= 0 ||
        static_cast<unsigned long long>(size.QuadPart) > SIZE_MAX) {
        Close();
        return false;
    }
    mapping_ = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (mapping_ == nullptr) {
        Close();
        return false;
    }
    const void* view = MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, 0);
    if (view == nullptr) {
        Close();
        return false;
    }
    data_ = static_cast<const std::uint8_t*>(view);
    size_ = static_cast<std::size_t>(size.QuadPart);
    return true;
}

void MappedFile::Close() {
    if (data_ != nullptr)
        UnmapViewOfFile(data_);
    data_ = nullptr;
    size_ = 0;
    if (mapping_ != nullptr)
        CloseHandle(mapping_);
    mapping_ = nullptr;
    if (file_ != nullptr)
        CloseHandle(file_);
    file_ = nullptr;
}

} // namespace quarvel::platform
