// A whole file mapped read-only into memory; unmapped when the object goes. Its bytes can also
// be copied with plain reads, which for bytes read once (images hashed in passing) costs a
// fraction of faulting their pages into the view and unmapping them again.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quarvel::platform {

class MappedFile {
public:
    MappedFile() = default;
    ~MappedFile() { Close(); }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // Maps the file at an ANSI (Windows) or UTF-8 (POSIX) path. An empty file cannot be mapped.
    bool Open(const char* path);
    // Unmaps the view, then closes the mapping and the file, each only if held.
    void Close();

    bool IsOpen() const { return data_ != nullptr; }
    const std::uint8_t* Data() const { return data_; }
    std::size_t Size() const { return size_; }

    // Copies `size` bytes from `offset` of the file into `into` (bounds checked against the
    // mapped size). False when they lie outside it, or when the file no longer holds them all
    // (shrunk since it was opened, or a read error): `into` then holds an unknown part of them.
    bool ReadAt(std::uint64_t offset, void* into, std::size_t size) const;

private:
    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
#ifdef _WIN32
    void* file_ = nullptr;    // HANDLE from CreateFileA
    void* mapping_ = nullptr; // HANDLE from CreateFileMappingA
#else
    int fd_ = -1;
#endif
};

} // namespace quarvel::platform
