// A whole file mapped read-only into memory; unmapped when the object goes.
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
