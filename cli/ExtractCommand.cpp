// quarvel-cli extract: saves every icon (and, with --kind, cursor) that list shows for the paths
// into a folder; with --unique each distinct icon once, with --min-size those large enough.
#include "Commands.h"

#include "FileIcons.h"
#include "FileWalk.h"
#include "IconAtSide.h"
#include "IconSelection.h"
#include "engine/AniFile.h"
#include "engine/GroupCursor.h"
#include "engine/IcoWriter.h"
#include "engine/IconImage.h"
#include "engine/PEFile.h"
#include "engine/PngExport.h"
#include "engine/PngWriter.h"
#include "engine/platform/FileSystem.h"

#ifdef _WIN32
#include "engine/platform/AnsiText.h"
#include "engine/BitmapWriter.h"
#include "engine/IconItem.h"
#include "engine/win32/GdiOwners.h"
#endif

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>

namespace quarvel::cli {

namespace pf = quarvel::platform;

namespace {

enum class Format { Ico, Bmp, Png };

struct ExtractOptions {
    bool recursive = false;
    bool overwrite = false;
    bool allSizes = false; // every image of each icon (PNG only)
    int size = 0;          // each icon at this many pixels (PNG only); 0 for its largest image
    Format format = Format::Ico;
    Kinds kinds = Kinds::Icons;
    SelectionOptions choice;
    std::string folder;
    std::vector<std::string> paths;
};

// A --size value: a whole number of pixels an icon is built at.
int ParseSize(const std::string& text) {
    if (text.empty() || text.size() > 3 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    const int size = std::stoi(text);
    return size >= kMinIconSize && size <= kMaxIconSize ? size : 0;
}

// Parses the options; false on a usage error.
bool ParseOptions(const std::vector<std::string>& args, ExtractOptions& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool optionsDone = !options.paths.empty();
        const OptionRead read =
            optionsDone ? OptionRead::NotMine : ReadSelectionOption(args, i, options.choice);
        if (read == OptionRead::Bad)
            return false;
        if (read == OptionRead::Read) {
            continue;
        } else if (!optionsDone && arg == "-r") {
            options.recursive = true;
        } else if (!optionsDone && arg == "--overwrite") {
            options.overwrite = true;
        } else if (!optionsDone && arg == "--all-sizes") {
            options.allSizes = true;
        } else if (!optionsDone && arg == "--format" && i + 1 < args.size()) {
            const std::string& value = args[++i];
            if (value == "ico")
                options.format = Format::Ico;
            else if (value == "bmp")
                options.format = Format::Bmp;
            else if (value == "png")
                options.format = Format::Png;
            else
                return false;
        } else if (!optionsDone && arg == "--size" && i + 1 < args.size()) {
            options.size = ParseSize(args[++i]);
            if (options.size == 0)
                return false;
        } else if (!optionsDone && arg == "--kind" && i + 1 < args.size()) {
            if (!ParseKinds(args[++i], options.kinds))
                return false;
        } else if (!optionsDone && arg == "-o" && i + 1 < args.size()) {
            options.folder = args[++i];
        } else if (!optionsDone && !arg.empty() && arg[0] == '-') {
            return false;
        } else {
            options.paths.push_back(arg);
        }
    }
    return !options.folder.empty() && !options.paths.empty() &&
           (!options.allSizes || options.format == Format::Png) &&
           (options.size == 0 || (options.format == Format::Png && !options.allSizes));
}

// Creates the folder and any missing parents (the path in the process's code page).
bool MakeFolders(const std::string& folder) {
#ifdef _WIN32
    const std::filesystem::path path(pf::WideFromNarrow(folder.c_str()));
#else
    const std::filesystem::path path(folder);
#endif
    std::error_code error;
    std::filesystem::create_directories(path, error);
    return !error;
}

// The folder is made with its parents when missing; it must then take a new file.
bool CheckFolder(const std::string& folder) {
    if (pf::GetPathKind(folder.c_str()) == pf::PathKind::Missing && !MakeFolders(folder)) {
        ReportError(folder, "cannot be created");
        return false;
    }
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
    explicit Extractor(const ExtractOptions& options)
        : options_(options), selection_(options.choice) {}

    // Icons passed over as the same as one written before (--unique).
    int Duplicates() const { return selection_.Duplicates(); }

    bool ExtractFile(const std::string& path, bool named) {
        IconCollector icons(options_.kinds);
        bool ok = CollectFileIcons(path, named, icons);
        if (icons.icons.empty())
            return ok;
        if (!icons.icons.front().IsGroup() && !selection_.Take(icons.icons.front()))
            return ok;
        switch (icons.icons.front().kind) {
        case ListedKind::IconFile:
            return SaveIconFile(path) && ok;
        case ListedKind::CursorFile:
            return SaveCursorFile(path) && ok;
        case ListedKind::AnimatedCursor:
            return SaveAnimatedCursor(path) && ok;
        default:
            break;
        }

        // The icons of a file whose own moved to a .mun file are read from there, and named
        // after the file asked for; its cursors are always its own.
        const std::string& source = icons.icons.front().source;
        if (source != path) {
            std::fflush(stdout);
            std::fprintf(stderr, "quarvel-cli: %s: icons read from %s\n", path.c_str(),
                         source.c_str());
        }
        std::map<std::string, int> languagesOfName;
        for (const ListedIcon& icon : icons.icons)
            ++languagesOfName[NameOfKind(icon)];
        std::map<std::string, std::unique_ptr<CPEFile>> files;
        for (const ListedIcon& icon : icons.icons) {
            if (!selection_.Take(icon))
                continue;
            std::unique_ptr<CPEFile>& file = files[icon.source];
            if (!file)
                file = std::make_unique<CPEFile>(icon.source.c_str());
            std::string name = MakeDefaultIconName(path.c_str(), icon.Key());
            if (languagesOfName[NameOfKind(icon)] > 1)
                name += "@" + std::to_string(icon.language);
            ok = (icon.kind == ListedKind::CursorGroup
                      ? SaveCursorGroup(*file, icon, name)
                      : SaveGroup(*file, icon.source, icon, name)) &&
                 ok;
        }
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
        if (Png())
            return SavePngs(ReadIcoFileImages(path.c_str()).get(), FileTitle(path));
        const std::string target = Target(FileTitle(path) + (Bmp() ? ".bmp" : ".ico"));
        if (!Available(target))
            return false;
        if (Bmp())
            return Written(target, SaveBitmap(nullptr, path, ResKey(), 0, target));
        return Written(target, pf::CopyWholeFile(path.c_str(), target.c_str(), options_.overwrite));
    }

    // An icon group and a cursor group may share a name: they are counted apart.
    static std::string NameOfKind(const ListedIcon& icon) {
        return (icon.IsCursor() ? "c" : "i") + icon.NameText();
    }

    // A cursor's PNG files end in "-cursor", so that they never take an icon's names.
    static std::string CursorStem(const std::string& name) { return name + "-cursor"; }

    bool SaveCursorFile(const std::string& path) {
        if (Png() || Bmp())
            return SaveCursorImages(ReadCurFileImages(path.c_str()).get(),
                                    CursorStem(FileTitle(path)));
        return CopyFile(path, ".cur");
    }

    // An .ani file is copied as it is, or each frame's images saved as PNG or .bmp files named
    // <title>-frame<N>; the file must read as a whole first.
    bool SaveAnimatedCursor(const std::string& path) {
        if (!Png() && !Bmp())
            return CopyFile(path, ".ani");
        const AniFile file(path.c_str());
        if (file.Cursor() == nullptr) {
            ReportError(path, file.Error().c_str());
            return false;
        }
        bool ok = true;
        for (int frame = 0; frame < file.Cursor()->FrameCount(); ++frame) {
            const std::string stem = FileTitle(path) + "-frame" + std::to_string(frame + 1);
            ok = SaveCursorImages(ReadAniFrameImages(*file.Cursor(), frame).get(), stem) && ok;
        }
        return ok;
    }

    // A .cur or .ani file copied byte for byte.
    bool CopyFile(const std::string& path, const char* extension) {
        const std::string target = Target(FileTitle(path) + extension);
        return Available(target) &&
               Written(target, pf::CopyWholeFile(path.c_str(), target.c_str(), options_.overwrite));
    }

    bool SaveCursorGroup(const CPEFile& file, const ListedIcon& icon, const std::string& name) {
        if (Png() || Bmp())
            return SaveCursorImages(ReadGroupCursorImages(file, icon.Key(), icon.language).get(),
                                    CursorStem(name));
        const std::string target = Target(name + ".cur");
        return Available(target) &&
               Written(target, SaveGroupAsCur(file, icon.Key(), icon.language, target.c_str(),
                                              options_.overwrite));
    }

    // A cursor's images as PNG files (SavePngs), or its largest image as <stem>.bmp.
    bool SaveCursorImages(const CIconImageSet* set, const std::string& stem) {
        if (Png())
            return SavePngs(set, stem);
        const std::string target = Target(stem + ".bmp");
        if (set == nullptr) {
            ReportError(target, "the cursor's images cannot be read");
            return false;
        }
        const int largest = LargestImage(*set);
        return Available(target) &&
               Written(target, largest >= 0 && SaveImageBitmap(ImageOf(*set, largest), target));
    }

    bool SaveGroup(const CPEFile& file, const std::string& path, const ListedIcon& icon,
                   const std::string& name) {
        if (Png())
            return SavePngs(ReadGroupImages(file, icon.Key(), icon.language).get(), name);
        const std::string target = Target(name + (Bmp() ? ".bmp" : ".ico"));
        if (!Available(target))
            return false;
        if (Bmp())
            return Written(target, SaveBitmap(&file, path, icon.Key(), icon.language, target));
        return Written(target, file.SaveGroupAsIco(icon.Key(), icon.language, target.c_str(),
                                                   options_.overwrite));
    }

    // The icon's largest image as <name>.png; with --all-sizes every image as
    // <name>-<width>x<height>x<depth>.png (a second image of the same size and depth gets "-2");
    // with --size, the image for that size (SaveAtSize).
    bool SavePngs(const CIconImageSet* set, const std::string& name) {
        if (set == nullptr) {
            ReportError(Target(name + ".png"), "the icon's images cannot be read");
            return false;
        }
        if (options_.size != 0)
            return SaveAtSize(*set, name);
        if (!options_.allSizes) {
            const int largest = LargestImage(*set);
            return SavePng(Target(name + ".png"),
                           largest >= 0 ? ImageOf(*set, largest) : ByteView());
        }
        std::vector<int> entries;
        for (int i = 0; i < set->Count(); ++i)
            entries.push_back(i);
        const std::vector<std::string> names = ImageFileNames(*set, entries, name);
        bool ok = true;
        for (std::size_t i = 0; i < entries.size(); ++i)
            ok = SavePng(Target(names[i]), ImageOf(*set, entries[i])) && ok;
        return ok;
    }

    // The icon at --size pixels: its image of that width, else its narrowest wider image scaled
    // down, else its widest narrower image as it is. The name states the size written, as the
    // --all-sizes names do: <name>-96x96x32.png for a scaled image (always 32 bits), the image's
    // own --all-sizes name for one written as it is.
    bool SaveAtSize(const CIconImageSet& set, const std::string& name) {
        const auto picture = RenderIconAtSide(set, options_.size);
        if (!picture) {
            ReportError(Target(name + ".png"), "the icon has no image of a known size");
            return false;
        }
        const std::string target =
            picture->scaled ? Target(name + "-" + ImageSizeName(picture->facts) + ".png")
                            : Target(ImageFileNames(set, {picture->entry}, name).front());
        if (!picture->png) {
            ReportError(target, "the image cannot be decoded");
            return false;
        }
        return SavePng(target, ByteView(picture->png->data(), picture->png->size()));
    }

    // Writes a PNG file of the image (a PNG stream is copied as it is).
    bool SavePng(const std::string& target, const ByteView& image) {
        if (!Available(target))
            return false;
        return Written(target, image.Size() != 0 &&
                                   WritePngFile(target.c_str(), image, options_.overwrite));
    }

    bool Bmp() const { return options_.format == Format::Bmp; }
    bool Png() const { return options_.format == Format::Png; }

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
    bool SaveImageBitmap(const ByteView& image, const std::string& target) const {
        return WriteImageBmpFile(target.c_str(), image, options_.overwrite) == 1;
    }
#else
    bool SaveBitmap(const CPEFile*, const std::string&, ResKey, std::uint16_t, const std::string&) {
        return false;
    }
    bool SaveImageBitmap(const ByteView&, const std::string&) const {
        return false;
    }
#endif

    const ExtractOptions& options_;
    IconSelection selection_;
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
    if (extractor.Duplicates() != 0)
        std::fprintf(stderr, "quarvel-cli: %d duplicate icons left out\n", extractor.Duplicates());
    return walked && ok ? kExitOk : kExitFailure;
}

} // namespace quarvel::cli
