// File attributes, reads, folder listings and temp-file-then-move writes with Win32 calls.
#include "../FileSystem.h"

#include "../AnsiText.h"
#include "OpenForReading.h"

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
    return static_cast<bool>(OpenForReading(path));
}

bool ReadWholeFile(const char* path, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    if (path == nullptr || *path == '\0')
        return false;
    const ScopedFile file = OpenForReading(path);
    if (!file)
        return false;
    LARGE_INTEGER size;
    bool ok = GetFileSizeEx(file.Get(), &size) && size.QuadPart >= 0 &&
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
        if (!ReadFile(file.Get(), bytes.data() + done, chunk, &got, nullptr) || got == 0)
            ok = false;
        done += got;
    }
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
    // The wide calls: the narrow entry holds MAX_PATH bytes, fewer than a long UTF-8 name needs.
    WIN32_FIND_DATAW found;
    const ScopedFind search(FindFirstFileW(WideFromNarrow(pattern.c_str()).c_str(), &found));
    if (!search)
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        const std::string name = NarrowFromWide(found.cFileName);
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileW(search.Get(), &found));
    std::sort(names.begin(), names.end());
    return true;
}

bool GetFolderIdentity(const char* path, std::string& identity) {
    const ScopedFile folder(CreateFileA(path, 0, kShareWithEveryone, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!folder)
        return false;
    BY_HANDLE_FILE_INFORMATION info;
    const bool ok = GetFileInformationByHandle(folder.Get(), &info) != 0;
    if (ok)
        identity = std::to_string(info.dwVolumeSerialNumber) + ":" +
                   std::to_string((static_cast<unsigned long long>(info.nFileIndexHigh) << 32) |
                                  info.nFileIndexLow);
    return ok;
}

char PathSeparator() {
    return '\\';
}

bool AtomicFileWriter::CreateTemp(const std::string& folder) {
    // Wide, as the name can take more than MAX_PATH bytes of UTF-8 where it fits in MAX_PATH
    // characters.
    wchar_t temp[MAX_PATH];
    if (GetTempFileNameW(WideFromNarrow(folder.empty() ? "." : folder.c_str()).c_str(), L"qvl", 0,
                         temp) == 0)
        return false;
    temp_ = NarrowFromWide(temp); // the call has created the file: Abandon removes it
    HANDLE file =
        CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    file_ = file;
    return true;
}

bool AtomicFileWriter::TempIsOpen() const {
    return file_ != nullptr;
}

std::size_t AtomicFileWriter::WriteSome(const std::uint8_t* bytes, std::size_t size) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
    DWORD written = 0;
    return WriteFile(file_, bytes, chunk, &written, nullptr) ? written : 0;
}

bool AtomicFileWriter::CloseTemp() {
    if (file_ == nullptr)
        return false;
    const bool closed = CloseHandle(file_) != 0;
    file_ = nullptr;
    return closed;
}

bool AtomicFileWriter::MoveTempToTarget() {
    // Without MOVEFILE_REPLACE_EXISTING the move refuses an existing target.
    const DWORD flags = overwrite_ ? MOVEFILE_REPLACE_EXISTING : 0;
    return MoveFileExA(temp_.c_str(), target_.c_str(), flags) != 0;
}

void AtomicFileWriter::RemoveTemp() {
    DeleteFileA(temp_.c_str());
}

} // namespace quarvel::platform
