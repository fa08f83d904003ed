// Read-only file mapping with CreateFileA, CreateFileMappingA and MapViewOfFile.
#include "../MappedFile.h"

#include "OpenForReading.h"

#include <windows.h>

#include <algorithm>

namespace quarvel::platform {

bool MappedFile::Open(const char* path) {
    Close();
    if (path == nullptr || *path == '\0')
        return false;
    // The mapping keeps the file's handle and closes it in Close.
    HANDLE file = OpenForReading(path).Detach();
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

bool MappedFile::ReadAt(std::uint64_t offset, void* into, std::size_t size) const {
    if (!IsOpen() || offset > size_ || size > size_ - offset)
        return false;
    auto* to = static_cast<std::uint8_t*>(into);
    while (size != 0) {
        // The handle is synchronous: the offset rides in the OVERLAPPED, and ReadFile returns
        // once the bytes are there.
        OVERLAPPED at = {};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(file_, to, chunk, &got, &at) || got == 0)
            return false; // an error, or the end of a file that shrank
        to += got;
        offset += got;
        size -= got;
    }
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
