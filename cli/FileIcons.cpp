// Listing one file's icons for the commands.
#include "FileIcons.h"

#include "FileWalk.h"
#include "engine/PEFile.h"
#include "engine/platform/FileSystem.h"

namespace quarvel::cli {

bool CollectFileIcons(const std::string& path, bool named, IconCollector& icons) {
    if (!named) {
        ListIconGroups(path.c_str(), &icons);
        return true;
    }
    const char* text = path.c_str();
    const bool cursors = icons.TakesCursors();
    if (HasIcoExtension(text) || (cursors && (HasCurExtension(text) || HasAniExtension(text)))) {
        if (!platform::CanReadFile(text)) {
            ReportError(path, "cannot be read");
            return false;
        }
        ListIconGroups(text, &icons);
        return true;
    }
    CPEFile file(text);
    if (!file.IsOpen()) {
        // Why it did not open is asked only now, so that an image file is opened once.
        if (!platform::CanReadFile(text))
            ReportError(path, "cannot be read");
        else if (!PathFitsSystem(text))
            ReportError(path, "path too long");
        else
            ReportError(path, cursors ? "not a Win32 image, .ico, .cur or .ani file"
                                      : "not a Win32 image or .ico file");
        return false;
    }
    ListImageFileGroups(file, text, icons);
    return true;
}

} // namespace quarvel::cli
