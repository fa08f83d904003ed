// quarvel-cli list: one line per icon, "path<TAB>kind<TAB>name<TAB>language" (the path the icon
// is read from; the kind group, ico, and with --kind cursor or all also cursor, cur and ani),
// or with --locations its icon location, or with --json an object with its images (ListJson.h).
#include "Commands.h"

#include "FileIcons.h"
#include "FileWalk.h"
#include "ListJson.h"
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

// The icon's location string; "" when its named group has gone from the file. A cursor file's
// location is its path; a group cursor has none (nothing takes "path,-ID" for a cursor).
std::string LocationOf(const std::string& path, const ListedIcon& icon) {
    if (icon.IsCursor())
        return icon.IsGroup() ? std::string() : icon.source;
    CIconItem item = icon.kind == ListedKind::IconFile
                         ? CIconItem(icon.source.c_str())
                         : CIconItem(icon.source.c_str(), icon.Key(), icon.language);
    item.SetListedPath(path.c_str());
    return IconLocation(item).value_or(std::string());
}

} // namespace

int RunList(const std::vector<std::string>& args) {
    bool recursive = false, locations = false, json = false;
    Kinds kinds = Kinds::Icons;
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-r" && paths.empty())
            recursive = true;
        else if (arg == "--locations" && paths.empty())
            locations = true;
        else if (arg == "--json" && paths.empty())
            json = true;
        else if (arg == "--kind" && paths.empty() && i + 1 < args.size()) {
            if (!ParseKinds(args[++i], kinds))
                return UsageError();
        } else if (!arg.empty() && arg[0] == '-' && paths.empty())
            return UsageError();
        else
            paths.push_back(arg);
    }
    if (paths.empty() || (json && locations))
        return UsageError();

    bool ok = true;
    std::string out;
    const bool walked = WalkPaths(paths, recursive, [&](const std::string& path, bool named) {
        IconCollector icons(kinds);
        ok = CollectFileIcons(path, named, icons) && ok;
        out.clear();
        JsonIconLines jsonLines;
        for (const ListedIcon& icon : icons.icons) {
            if (json) {
                out += jsonLines.Line(icon, LocationOf(path, icon));
                continue;
            }
            if (locations) {
                if (icon.kind != ListedKind::CursorGroup)
                    out += Printable(LocationOf(path, icon)) + "\n";
                continue;
            }
            out += Printable(icon.source) + "\t" + KindWord(icon.kind) + "\t";
            if (icon.IsGroup())
                out += Printable(icon.NameText()) + "\t" + std::to_string(icon.language) + "\n";
            else
                out += "\t0\n";
        }
        std::fwrite(out.data(), 1, out.size(), stdout);
    });
    std::fflush(stdout);
    return walked && ok ? kExitOk : kExitFailure;
}

} // namespace quarvel::cli
