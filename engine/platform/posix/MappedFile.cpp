// Read-only file mapping with POSIX open and mmap.
#include "../MappedFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quarvel::platform {

bool MappedFile::Open(const char* path) {
    Close();
    if (path == nullptr || *path == '\0')
        return false;
    fd_ = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd_ < 0)
        return false;
    struct stat st;
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0) {
        Close();
        return false;
    }
    void* view = ::mmap(nullptr, static_cast<size_t>(st.st_size), PROT_READ, MAP_PRIVATE, fd_, 0);
    if (view == MAP_FAILED) {
        Close();
        return false;
    }
    data_ = static_cast<const std::uint8_t*>(view);
    size_ = static_cast<size_t>(st.st_size);
    return true;
}

bool MappedFile::ReadAt(std::uint64_t offset, void* into, std::size_t size) const {
    if (!IsOpen() || offset > size_ || size > size_ - offset)
        return false;
    auto* to = static_cast<std::uint8_t*>(into);
    while (size != 0) {
        const ssize_t got = ::pread(fd_, to, size, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false; // an error, or the end of a file that shrank
        to += got;
        offset += static_cast<std::uint64_t>(got);
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

void MappedFile::Close() {
    if (data_ != nullptr)
        ::munmap(const_cast<std::uint8_t*>(data_), size_);
    data_ = nullptr;
    size_ = 0;
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

} // namespace quarvel::platform
