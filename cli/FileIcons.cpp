// Listing one file's icons for the commands.
#include "FileIcons.h"

#include "FileWalk.h"
#include "engine/MunFallback.h"
#include "engine/PEFile.h"
#include "engine/platform/FileSystem.h"

namespace quarvel::cli {

bool CollectFileIcons(const std::string& path, bool named, IconCollector& icons) {
    if (!named) {
        ListIconGroups(path.c_str(), &icons);
        return true;
    }
    if (!platform::CanReadFile(path.c_str())) {
        ReportError(path, "cannot be read");
        return false;
    }
    if (HasIcoExtension(path.c_str())) {
        icons.AddIconFile(path.c_str());
        return true;
    }
    if (!PathFitsSystem(path.c_str())) {
        ReportError(path, "path too long");
        return false;
    }
    CPEFile file(path.c_str());
    if (!file.IsOpen()) {
        ReportError(path, "not a Win32 image or .ico file");
        return false;
    }
    ListGroupIconsOrMoved(file, path.c_str(), icons);
    return true;
}

} // namespace quarvel::cli
