// quarvel-cli thumbnail: the icon that stands for a file, as a PNG picture for file managers.
// A program's is its first icon group (as Windows shows it), an .ico file's is the file itself.
#include "Commands.h"

#include "FileWalk.h"
#include "IconAtSide.h"
#include "IconCollector.h"
#include "engine/PEFile.h"
#include "engine/PngWriter.h"
#include "engine/platform/FileSystem.h"

#include <cstdio>

namespace quarvel::cli {

namespace {

// File managers ask for 128 to 1024 pixels; an icon is never scaled up, so a side wider than
// its widest image gives that image as it is.
constexpr int kMaxThumbnailSide = 4096;

int ParseSide(const std::string& text) {
    if (text.empty() || text.size() > 4 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    const int side = std::stoi(text);
    return side <= kMaxThumbnailSide ? side : 0;
}

// The images of the icon that stands for the file: the first group of an image file (or of its
// .mun file), else the file read as an .ico file whatever its name. Null when there is none.
std::unique_ptr<CIconImageSet> RepresentativeIcon(const std::string& path) {
    if (!HasIcoExtension(path.c_str())) {
        const CPEFile file(path.c_str());
        if (file.IsOpen()) {
            IconCollector icons;
            ListImageFileGroups(file, path.c_str(), icons);
            if (icons.icons.empty())
                return nullptr;
            const ListedIcon& first = icons.icons.front();
            if (first.source == path)
                return ReadGroupImages(file, first.Key(), first.language);
            return ReadGroupImages(first.source.c_str(), first.Key(), first.language);
        }
    }
    return ReadIcoFileImages(path.c_str());
}

} // namespace

int RunThumbnail(const std::vector<std::string>& args) {
    int side = 0;
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if ((args[i] == "-s" || args[i] == "--size") && paths.empty() && i + 1 < args.size()) {
            side = ParseSide(args[++i]);
            if (side == 0)
                return UsageError();
        } else if (!args[i].empty() && args[i][0] == '-' && paths.empty()) {
            return UsageError();
        } else {
            paths.push_back(args[i]);
        }
    }
    if (side == 0 || paths.size() != 2)
        return UsageError();
    const std::string& input = paths[0];
    const std::string& output = paths[1];

    if (!platform::CanReadFile(input.c_str())) {
        ReportError(input, "cannot be read");
        return kExitFailure;
    }
    const auto icon = RepresentativeIcon(input);
    const auto picture = icon ? RenderIconAtSide(*icon, side) : std::nullopt;
    if (!picture || !picture->png) {
        ReportError(input, "has no icon that can be shown");
        return kExitFailure;
    }
    const ByteView png(picture->png->data(), picture->png->size());
    if (!WritePngFile(output.c_str(), png, true)) {
        ReportError(output, "cannot be written");
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace quarvel::cli
