// CreateFolderPath: walks up to the first folder that exists, then creates downwards.
#include "FolderPath.h"

#include "engine/platform/FileSystem.h"

#include <windows.h>

#include <string>
#include <vector>

namespace pf = quarvel::platform;

namespace {
bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// The path without separators at its end ("C:\out\" -> "C:\out").
std::string Trimmed(std::string path) {
    while (!path.empty() && IsSeparator(path.back()))
        path.pop_back();
    return path;
}

// The folder above path, "" when there is none ("C:\out" -> "C:", "out" -> "").
std::string Parent(const std::string& path) {
    const std::size_t last = path.find_last_of("\\/");
    return last == std::string::npos ? std::string() : Trimmed(path.substr(0, last));
}
} // namespace

bool CreateFolderPath(const char* folder) {
    std::vector<std::string> missing; // deepest first
    for (std::string at = Trimmed(folder ? folder : ""); !at.empty(); at = Parent(at)) {
        const pf::PathKind kind = pf::GetPathKind(at.c_str());
        if (kind == pf::PathKind::Folder)
            break;
        if (kind == pf::PathKind::File)
            return false;
        missing.push_back(at);
    }
    std::vector<std::string> made;
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        if (!CreateDirectoryA(it->c_str(), nullptr)) {
            for (auto undo = made.rbegin(); undo != made.rend(); ++undo)
                RemoveDirectoryA(undo->c_str());
            return false;
        }
        made.push_back(*it);
    }
    return pf::GetPathKind(folder) == pf::PathKind::Folder;
}
