// quarvel-cli list: one line per icon, "path<TAB>group|ico<TAB>name<TAB>language" (the path
// the icon is read from), or with --locations its icon location.
#include "Commands.h"

#include "FileIcons.h"
#include "FileWalk.h"
#include "engine/IconItem.h"
#include "engine/IconLocation.h"

#include <cstdio>

namespace quarvel::cli {

namespace {

// A field as printed: a control character (a tab or a line break in a group's name or a file
// name) would split the line or its fields, so it is shown as '?'.
std::string Printable(const std::string& text) {
    std::string out = text;
    for (char& c : out) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    }
    return out;
}

// The icon's location string; "" when its named group has gone from the file.
std::string LocationOf(const std::string& path, const ListedIcon& icon) {
    CIconItem item = icon.isIconFile ? CIconItem(icon.source.c_str())
                                     : CIconItem(icon.source.c_str(), icon.Key(), icon.language);
    item.SetListedPath(path.c_str());
    return IconLocation(item).value_or(std::string());
}

} // namespace

int RunList(const std::vector<std::string>& args) {
    bool recursive = false, locations = false;
    std::vector<std::string> paths;
    for (const std::string& arg : args) {
        if (arg == "-r" && paths.empty())
            recursive = true;
        else if (arg == "--locations" && paths.empty())
            locations = true;
        else if (!arg.empty() && arg[0] == '-' && paths.empty())
            return UsageError();
        else
            paths.push_back(arg);
    }
    if (paths.empty())
        return UsageError();

    bool ok = true;
    std::string out;
    const bool walked = WalkPaths(paths, recursive, [&](const std::string& path, bool named) {
        IconCollector icons;
        ok = CollectFileIcons(path, named, icons) && ok;
        out.clear();
        for (const ListedIcon& icon : icons.icons) {
            if (locations) {
                out += Printable(LocationOf(path, icon)) + "\n";
                continue;
            }
            out += Printable(icon.source);
            if (icon.isIconFile) {
                out += "\tico\t\t0\n";
            } else {
                out += "\tgroup\t" + Printable(icon.NameText()) + "\t" +
                       std::to_string(icon.language) + "\n";
            }
        }
        std::fwrite(out.data(), 1, out.size(), stdout);
    });
    std::fflush(stdout);
    return walked && ok ? kExitOk : kExitFailure;
}

} // namespace quarvel::cli
