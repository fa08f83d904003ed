// File attributes, reads, folder listings and temp-file-then-move writes with POSIX calls.
#include "../FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quarvel::platform {

PathKind GetPathKind(const char* path) {
    struct stat st;
    if (path == nullptr || *path == '\0' || ::stat(path, &st) != 0)
        return PathKind::Missing;
    return S_ISDIR(st.st_mode) ? PathKind::Folder : PathKind::File;
}

bool CanReadFile(const char* path) {
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

bool ReadWholeFile(const char* path, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    if (path == nullptr || *path == '\0')
        return false;
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (ok) {
        try {
            bytes.resize(static_cast<size_t>(st.st_size));
        } catch (...) {
            ok = false;
        }
    }
    size_t done = 0;
    while (ok && done < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            ok = false;
        else
            done += static_cast<size_t>(n);
    }
    ::close(fd);
    if (!ok)
        bytes.clear();
    return ok;
}

bool ListFolder(const char* path, std::vector<std::string>& names) {
    names.clear();
    DIR* dir = ::opendir(path);
    if (dir == nullptr)
        return false;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return true;
}

bool GetFolderIdentity(const char* path, std::string& identity) {
    struct stat st;
    if (::stat(path, &st) != 0)
        return false;
    identity = std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
    return true;
}

char PathSeparator() {
    return '/';
}

bool AtomicFileWriter::CreateTemp(const std::string& folder) {
    std::string pattern = folder + ".quarvel-XXXXXX";
    fd_ = ::mkstemp(pattern.data());
    if (fd_ < 0)
        return false;
    temp_ = pattern;
    ::fchmod(fd_, 0644);
    return true;
}

bool AtomicFileWriter::TempIsOpen() const {
    return fd_ >= 0;
}

std::size_t AtomicFileWriter::WriteSome(const std::uint8_t* bytes, std::size_t size) {
    for (;;) {
        const ssize_t n = ::write(fd_, bytes, size);
        if (n < 0 && errno == EINTR)
            continue;
        return n > 0 ? static_cast<std::size_t>(n) : 0;
    }
}

bool AtomicFileWriter::CloseTemp() {
    if (fd_ < 0)
        return false;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    return closed;
}

bool AtomicFileWriter::MoveTempToTarget() {
    if (overwrite_)
        return ::rename(temp_.c_str(), target_.c_str()) == 0;
    // link() refuses an existing target, so a file that appeared meanwhile is never replaced.
    if (::link(temp_.c_str(), target_.c_str()) != 0)
        return false;
    ::unlink(temp_.c_str());
    return true;
}

void AtomicFileWriter::RemoveTemp() {
    ::unlink(temp_.c_str());
}

} // namespace quarvel::platform
