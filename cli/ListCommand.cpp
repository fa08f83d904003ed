// quarvel-cli list: one line per icon, "path<TAB>kind<TAB>name<TAB>language" (the path the icon
// is read from; the kind group, ico, and with --kind cursor or all also cursor, cur and ani),
// or with --locations its icon location, or with --json an object with its images (ListJson.h).
// With --unique each distinct icon's line comes once, after the walk, ending in "<TAB>N" (in
// JSON, "others":N): how many other icons listed have the same images.
#include "Commands.h"

#include "FileIcons.h"
#include "FileWalk.h"
#include "IconSelection.h"
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

// The lines of --unique, held until the walk is over and every copy is counted.
class UniqueLines {
public:
    explicit UniqueLines(bool json) : json_(json) {}
    // Takes the line that `out` holds from `start` on (its line break left out).
    void Hold(std::string& out, std::size_t start, int taken) {
        if (out.size() > start)
            lines_.push_back({out.substr(start, out.size() - start - 1), taken});
        out.resize(start);
    }
    void Print(const IconSelection& selection) const {
        for (const auto& [line, taken] : lines_) {
            if (json_) // the object gains one member before its closing brace
                std::printf("%.*s,\"others\":%d}\n", static_cast<int>(line.size() - 1),
                            line.c_str(), selection.OthersOf(taken));
            else
                std::printf("%s\t%d\n", line.c_str(), selection.OthersOf(taken));
        }
    }

private:
    bool json_;
    std::vector<std::pair<std::string, int>> lines_;
};

} // namespace

int RunList(const std::vector<std::string>& args) {
    bool recursive = false, locations = false, json = false;
    Kinds kinds = Kinds::Icons;
    std::vector<std::string> paths;
    SelectionOptions choice;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const OptionRead read =
            paths.empty() ? ReadSelectionOption(args, i, choice) : OptionRead::NotMine;
        if (read == OptionRead::Bad)
            return UsageError();
        if (read == OptionRead::Read)
            continue;
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
    IconSelection selection(choice);
    UniqueLines unique(json);
    const bool walked = WalkPaths(paths, recursive, [&](const std::string& path, bool named) {
        IconCollector icons(kinds);
        ok = CollectFileIcons(path, named, icons) && ok;
        out.clear();
        JsonIconLines jsonLines;
        for (const ListedIcon& icon : icons.icons) {
            if (locations && icon.kind == ListedKind::CursorGroup)
                continue;
            int taken = -1;
            if (!selection.Take(icon, &taken))
                continue;
            const std::size_t start = out.size();
            if (json) {
                out += jsonLines.Line(icon, LocationOf(path, icon));
            } else if (locations) {
                out += Printable(LocationOf(path, icon)) + "\n";
            } else {
                out += Printable(icon.source) + "\t" + KindWord(icon.kind) + "\t";
                if (icon.IsGroup())
                    out += Printable(icon.NameText()) + "\t" + std::to_string(icon.language) + "\n";
                else
                    out += "\t0\n";
            }
            if (choice.unique)
                unique.Hold(out, start, taken);
        }
        std::fwrite(out.data(), 1, out.size(), stdout);
    });
    unique.Print(selection);
    std::fflush(stdout);
    return walked && ok ? kExitOk : kExitFailure;
}

} // namespace quarvel::cli
