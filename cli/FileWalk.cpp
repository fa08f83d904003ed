// Expanding folders into files, guarding against folder links that lead back up the path.
#include "FileWalk.h"

#include "engine/platform/FileSystem.h"

#include <algorithm>
#include <cstdio>

namespace quarvel::cli {

namespace pf = quarvel::platform;

void ReportError(const std::string& path, const char* reason) {
    std::fflush(stdout);
    std::fprintf(stderr, "quarvel-cli: %s: %s\n", path.c_str(), reason);
}

namespace {

std::string Join(const std::string& folder, const std::string& name) {
    if (!folder.empty() && (folder.back() == '/' || folder.back() == pf::PathSeparator()))
        return folder + name;
    return folder + pf::PathSeparator() + name;
}

// `open` holds the identities of the folders being walked, from the named one down.
bool WalkFolder(const std::string& folder, bool recursive, std::vector<std::string>& open,
                const FileVisitor& visit) {
    std::vector<std::string> names;
    if (!pf::ListFolder(folder.c_str(), names))
        return false;
    for (const std::string& name : names) {
        const std::string path = Join(folder, name);
        const pf::PathKind kind = pf::GetPathKind(path.c_str());
        if (kind == pf::PathKind::File) {
            visit(path, false);
        } else if (kind == pf::PathKind::Folder && recursive) {
            std::string identity;
            if (!pf::GetFolderIdentity(path.c_str(), identity) ||
                std::find(open.begin(), open.end(), identity) != open.end())
                continue;
            open.push_back(identity);
            WalkFolder(path, recursive, open, visit);
            open.pop_back();
        }
    }
    return true;
}

} // namespace

bool WalkPaths(const std::vector<std::string>& paths, bool recursive, const FileVisitor& visit) {
    bool ok = true;
    for (const std::string& path : paths) {
        switch (pf::GetPathKind(path.c_str())) {
        case pf::PathKind::Missing:
            ReportError(path, "does not exist");
            ok = false;
            break;
        case pf::PathKind::File:
            visit(path, true);
            break;
        case pf::PathKind::Folder: {
            std::vector<std::string> open(1);
            if (!pf::GetFolderIdentity(path.c_str(), open[0]) ||
                !WalkFolder(path, recursive, open, visit)) {
                ReportError(path, "cannot be read");
                ok = false;
            }
            break;
        }
        }
    }
    return ok;
}

} // namespace quarvel::cli
