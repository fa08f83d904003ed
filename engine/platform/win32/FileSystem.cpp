// File attributes, reads, folder listings and temp-file-then-move writes with Win32 calls.
#include "../FileSystem.h"

#include <windows.h>

#include <algorithm>

namespace quarvel::platform {

PathKind GetPathKind(const char* path) {
    if (path == nullptr || *path == '\0')
        return PathKind::Missing;
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return PathKind::Missing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
}

bool CanReadFile(const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

bool ReadWholeFile(const char* path, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    if (path == nullptr || *path == '\0')
        return false;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size;
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart >= 0 &&
              static_cast<unsigned long long>(size.QuadPart) <= SIZE_MAX;
    if (ok) {
        try {
            bytes.resize(static_cast<size_t>(size.QuadPart));
        } catch (...) {
            ok = false;
        }
    }
    size_t done = 0;
    while (ok && done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(file, bytes.data() + done, chunk, &got, nullptr) || got == 0)
            ok = false;
        done += got;
    }
    CloseHandle(file);
    if (!ok)
        bytes.clear();
    return ok;
}

bool ListFolder(const char* path, std::vector<std::string>& names) {
    names.clear();
    std::string pattern = path;
    if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/')
        pattern += '\\';
    pattern += '*';
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return true;
}

bool GetFolderIdentity(const char* path, std::string& identity) {
    HANDLE folder = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info;
    const bool ok = GetFileInformationByHandle(folder, &info) != 0;
    CloseHandle(folder);
    if (ok)
        identity = std::to_string(info.dwVolumeSerialNumber) + ":" +
                   std::to_string((static_cast<unsigned long long>(info.nFileIndexHigh) << 32) |
                                  info.nFileIndexLow);
    return ok;
}

char PathSeparator() {
    return '\\';
}

bool AtomicFileWriter::Create(const char* targetPath, bool overwrite) {
    Abandon();
    if (targetPath == nullptr || *targetPath == '\0')
        return false;
    if (!overwrite && GetPathKind(targetPath) != PathKind::Missing)
        return false;
    target_ = targetPath;
    overwrite_ = overwrite;
    failed_ = false;
    const size_t slash = target_.find_last_of("\\/");
    const std::string folder =
        slash == std::string::npos ? std::string(".") : target_.substr(0, slash + 1);
    char temp[MAX_PATH];
    if (GetTempFileNameA(folder.c_str(), "qvl", 0, temp) == 0)
        return false;
    temp_ = temp;
    HANDLE file =
        CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        Abandon();
        return false;
    }
    file_ = file;
    return true;
}

bool AtomicFileWriter::Write(const void* data, std::size_t size) {
    if (file_ == nullptr || failed_)
        return false;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    while (size > 0) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file_, bytes, chunk, &written, nullptr) || written == 0) {
            failed_ = true;
            return false;
        }
        bytes += written;
        size -= written;
    }
    return true;
}

bool AtomicFileWriter::CloseTemp() {
    if (file_ == nullptr)
        return false;
    const bool closed = CloseHandle(file_) != 0;
    file_ = nullptr;
    return closed;
}

bool AtomicFileWriter::Commit() {
    if (temp_.empty() || failed_ || !CloseTemp()) {
        Abandon();
        return false;
    }
    // Without MOVEFILE_REPLACE_EXISTING the move refuses an existing target.
    const DWORD flags = overwrite_ ? MOVEFILE_REPLACE_EXISTING : 0;
    if (!MoveFileExA(temp_.c_str(), target_.c_str(), flags)) {
        Abandon();
        return false;
    }
    temp_.clear();
    return true;
}

void AtomicFileWriter::Abandon() {
    CloseTemp();
    if (!temp_.empty())
        DeleteFileA(temp_.c_str());
    temp_.clear();
}

} // namespace quarvel::platform
