// quarvel-cli extract: saves every icon that list shows for the paths into a folder.
#include "Commands.h"

#include "FileIcons.h"
#include "FileWalk.h"
#include "engine/IcoWriter.h"
#include "engine/PEFile.h"
#include "engine/platform/FileSystem.h"

#ifdef _WIN32
#include "engine/BitmapWriter.h"
#include "engine/IconItem.h"
#include "engine/win32/GdiOwners.h"
#endif

#include <cstdio>
#include <map>

namespace quarvel::cli {

namespace pf = quarvel::platform;

namespace {

enum class Format { Ico, Bmp };

struct ExtractOptions {
    bool recursive = false;
    bool overwrite = false;
    Format format = Format::Ico;
    std::string folder;
    std::vector<std::string> paths;
};

// Parses the options; false on a usage error.
bool ParseOptions(const std::vector<std::string>& args, ExtractOptions& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool optionsDone = !options.paths.empty();
        if (!optionsDone && arg == "-r") {
            options.recursive = true;
        } else if (!optionsDone && arg == "--overwrite") {
            options.overwrite = true;
        } else if (!optionsDone && arg == "--format" && i + 1 < args.size()) {
            const std::string& value = args[++i];
            if (value != "ico" && value != "bmp")
                return false;
            options.format = value == "ico" ? Format::Ico : Format::Bmp;
        } else if (!optionsDone && arg == "-o" && i + 1 < args.size()) {
            options.folder = args[++i];
        } else if (!optionsDone && !arg.empty() && arg[0] == '-') {
            return false;
        } else {
            options.paths.push_back(arg);
        }
    }
    return !options.folder.empty() && !options.paths.empty();
}

// The folder must exist and take a new file.
bool CheckFolder(const std::string& folder) {
    if (pf::GetPathKind(folder.c_str()) != pf::PathKind::Folder) {
        ReportError(folder, "is not a folder");
        return false;
    }
    pf::AtomicFileWriter probe;
    if (!probe.Create((folder + pf::PathSeparator() + "probe").c_str(), true)) {
        ReportError(folder, "cannot be written");
        return false;
    }
    return true;
}

// The file name without its last extension: tools.ico gives tools.
std::string FileTitle(const std::string& path) {
    const std::string name = FileNameOf(path.c_str());
    const std::size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

class Extractor {
public:
    explicit Extractor(const ExtractOptions& options) : options_(options) {}

    bool ExtractFile(const std::string& path, bool named) {
        IconCollector icons;
        bool ok = CollectFileIcons(path, named, icons);
        if (icons.icons.empty())
            return ok;
        if (icons.icons.front().isIconFile)
            return SaveIconFile(path) && ok;

        std::map<std::string, int> languagesOfName;
        for (const ListedIcon& icon : icons.icons)
            ++languagesOfName[icon.NameText()];
        CPEFile file(path.c_str());
        for (const ListedIcon& icon : icons.icons) {
            std::string name = MakeDefaultIconName(path.c_str(), icon.Key());
            if (languagesOfName[icon.NameText()] > 1)
                name += "@" + std::to_string(icon.language);
            ok = SaveGroup(file, path, icon, name) && ok;
        }
        file.Close();
        return ok;
    }

private:
    std::string Target(const std::string& name) const {
        return options_.folder + pf::PathSeparator() + name;
    }

    // Reports a target that exists when overwriting is not allowed.
    bool Available(const std::string& target) const {
        if (options_.overwrite || pf::GetPathKind(target.c_str()) == pf::PathKind::Missing)
            return true;
        ReportError(target, "exists (use --overwrite to replace it)");
        return false;
    }

    bool Written(const std::string& target, bool ok) const {
        if (!ok) {
            ReportError(target, "cannot be written");
            return false;
        }
        std::printf("%s\n", target.c_str());
        return true;
    }

    bool SaveIconFile(const std::string& path) {
        const std::string target = Target(FileTitle(path) + (Bmp() ? ".bmp" : ".ico"));
        if (!Available(target))
            return false;
        if (Bmp())
            return Written(target, SaveBitmap(nullptr, path, ResKey(), 0, target));
        return Written(target, pf::CopyWholeFile(path.c_str(), target.c_str(), options_.overwrite));
    }

    bool SaveGroup(const CPEFile& file, const std::string& path, const ListedIcon& icon,
                   const std::string& name) {
        const std::string target = Target(name + (Bmp() ? ".bmp" : ".ico"));
        if (!Available(target))
            return false;
        if (Bmp())
            return Written(target, SaveBitmap(&file, path, icon.Key(), icon.language, target));
        return Written(target, file.SaveGroupAsIco(icon.Key(), icon.language, target.c_str(),
                                                   options_.overwrite));
    }

    bool Bmp() const { return options_.format == Format::Bmp; }

#ifdef _WIN32
    // The display icon drawn on the window colour, as the batch save writes it.
    bool SaveBitmap(const CPEFile*, const std::string& path, ResKey name, std::uint16_t language,
                    const std::string& target) {
        const CIconItem item =
            name.IsValid() ? CIconItem(path.c_str(), name, language) : CIconItem(path.c_str());
        const ScopedIcon icon(item.LoadDisplayIcon());
        const ScopedBitmap bitmap(IconToBitmap(icon.Get()));
        return bitmap && WriteBmpFile(target.c_str(), bitmap.Get()) == 1;
    }
#else
    bool SaveBitmap(const CPEFile*, const std::string&, ResKey, std::uint16_t, const std::string&) {
        return false;
    }
#endif

    const ExtractOptions& options_;
};

} // namespace

int RunExtract(const std::vector<std::string>& args) {
    ExtractOptions options;
    if (!ParseOptions(args, options))
        return UsageError();
#ifndef _WIN32
    if (options.format == Format::Bmp) {
        std::fputs("quarvel-cli: --format bmp is available only in the Windows build\n", stderr);
        return kExitFailure;
    }
#endif
    if (!CheckFolder(options.folder))
        return kExitFailure;
    Extractor extractor(options);
    bool ok = true;
    const bool walked =
        WalkPaths(options.paths, options.recursive, [&](const std::string& path, bool named) {
            ok = extractor.ExtractFile(path, named) && ok;
        });
    std::fflush(stdout);
    return walked && ok ? kExitOk : kExitFailure;
}

} // namespace quarvel::cli
