// The image file target: list the group icons of the bytes, then choose the display image of
// every group, read and save it, and read what was written back.
#include "FuzzChecks.h"

#include "IconCollector.h"
#include "ImageSetChecks.h"
#include "ScratchFiles.h"
#include "SystemImageCheck.h"
#include "engine/DisplayImage.h"
#include "engine/IcoWriter.h"
#include "engine/IconIdentity.h"
#include "engine/IconImage.h"
#include "engine/ImageBytesReader.h"
#include "engine/PEFile.h"

#include <cstdio>
#include <cstring>

namespace quarvel::fuzz {

namespace {

constexpr const char* kListedPath = "input.exe";

std::uint16_t Le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t Le32(const std::uint8_t* p) {
    return std::uint32_t{Le16(p)} | (std::uint32_t{Le16(p + 2)} << 16);
}

std::string Problem(const cli::ListedIcon& group, const std::string& what) {
    return "group " + group.NameText() + "/" + std::to_string(group.language) + ": " + what;
}

// The group's directory as stored, when the header and every entry lie inside the file.
std::optional<ByteView> GroupBytes(const CPEFile& file, const cli::ListedIcon& group) {
    const auto ref = file.FindResourceLang(kResTypeGroupIcon, group.Key(), group.language);
    const auto bytes = ref ? ref->Bytes() : std::nullopt;
    std::uint16_t count = 0;
    if (!bytes || !bytes->U16(4, count) || !bytes->Readable(0, 6 + 14 * std::uint64_t{count}))
        return std::nullopt;
    return bytes;
}

// EnumNames and EnumLanguages over a type, as a caller walking the tree by names would: every
// language reported is found again by FindResourceLang. Each lookup walks the tree again, so
// the walk stops after kMaxGroupsChecked languages.
struct Enumeration {
    explicit Enumeration(const CPEFile& f) : file(&f) {}
    const CPEFile* file;
    std::size_t names = 0;
    std::size_t languages = 0;
    std::string problem;
    bool Done() const { return !problem.empty() || languages >= kMaxGroupsChecked; }
};

bool OnLanguage(ResKey type, ResKey name, std::uint16_t language, void* user) {
    auto& walk = *static_cast<Enumeration*>(user);
    if (!walk.file->FindResourceLang(type, name, language))
        walk.problem = "EnumLanguages reported a language that FindResourceLang does not find";
    ++walk.languages;
    return !walk.Done();
}

bool OnName(ResKey type, ResKey name, void* user) {
    auto& walk = *static_cast<Enumeration*>(user);
    ++walk.names;
    walk.file->EnumLanguages(type, name, OnLanguage, user);
    return !walk.Done();
}

std::string CheckEnumerations(const CPEFile& file) {
    for (const int type : {kResTypeGroupIcon, kResTypeIcon}) {
        Enumeration walk(file);
        const bool seen = file.EnumNames(type, OnName, &walk);
        if (!walk.problem.empty())
            return walk.problem;
        if (seen != (walk.names != 0))
            return "EnumNames answered " + std::string(seen ? "true" : "false") + " after " +
                   std::to_string(walk.names) + " names";
    }
    return "";
}

// The display image as the rules say, found with plain lookups.
std::optional<ByteView> ExpectedDisplayImage(const CPEFile& file, const cli::ListedIcon& group,
                                             int width) {
    auto ref = file.FindResourceLang(kResTypeGroupIcon, group.Key(), group.language);
    if (!ref)
        ref = file.FindResourceAnyLang(kResTypeGroupIcon, group.Key());
    const auto bytes = ref ? ref->Bytes() : std::nullopt;
    if (!bytes || bytes->Size() <= 6)
        return std::nullopt;
    const std::uint8_t* g = bytes->Data();
    const std::uint16_t count = Le16(g + 4);
    if (Le16(g) != 0 || Le16(g + 2) != 1 || count == 0 || bytes->Size() < 6 + 14u * count)
        return std::nullopt;
    const auto imageOf = [&](int index) -> std::optional<ByteView> {
        const auto image = file.FindResourceAnyLang(kResTypeIcon, Le16(g + 6 + 14 * index + 12));
        return image ? image->Bytes() : std::nullopt;
    };
    // Of the entries of a width, the first of the greatest wBitCount.
    const auto deepestOf = [&](int entryWidth) {
        int deepest = -1;
        for (int i = 0; i < count; ++i) {
            if (g[6 + 14 * i] == entryWidth &&
                (deepest < 0 || Le16(g + 6 + 14 * i + 6) > Le16(g + 6 + 14 * deepest + 6)))
                deepest = i;
        }
        return deepest;
    };
    int chosen = deepestOf(width);
    // None of a width above 32: the widest of 32 or more below it, when there is one.
    if (chosen < 0 && width > 32) {
        int widest = 0;
        for (int i = 0; i < count; ++i)
            if (g[6 + 14 * i] >= 32 && g[6 + 14 * i] < width && g[6 + 14 * i] > widest)
                widest = g[6 + 14 * i];
        if (widest > 0)
            chosen = deepestOf(widest);
    }
    auto image = imageOf(chosen >= 0 ? chosen : 0);
    for (int i = 0; !image && i < count; ++i)
        image = imageOf(i);
    return image;
}

// LoadGroupIcon's choice of image, at the system size and at sizes that groups hold.
std::string CheckDisplayImage(const CPEFile& file, const cli::ListedIcon& group) {
    const ByteView& view = file.View();
    for (const int width : {0, 16, 32, 48, 64}) {
        const auto image = ChooseDisplayImage(file, group.Key(), group.language, width);
        const auto expected = ExpectedDisplayImage(file, group, width);
        if (image.has_value() != expected.has_value() ||
            (image && (image->Data() != expected->Data() || image->Size() != expected->Size())))
            return Problem(group, "display image at width " + std::to_string(width) +
                                      " is not the one the rules choose");
        if (image &&
            (image->Data() < view.Data() ||
             image->Size() > view.Size() - static_cast<std::size_t>(image->Data() - view.Data())))
            return Problem(group, "display image lies outside the file");
        if (const auto side = image ? IconBuildSize(*image) : std::nullopt;
            side && (*side < kMinIconSize || *side > kMaxIconSize))
            return Problem(group, "display image build size out of range");
        if (std::string p = image ? CheckImageForSystem(*image) : ""; !p.empty())
            return Problem(group, "display image: " + p);
    }
    return "";
}

// The group's images read with plain reads from the same bytes opened as a file (`onDisk`)
// against those read into a set from memory.
std::string CheckPlainReadImages(const CPEFile& onDisk, const cli::ListedIcon& group,
                                 const CIconImageSet* images, ImageBytesReader& reader) {
    IconImageSpans read;
    const bool found =
        FindGroupImageSpans(onDisk, group.Key(), group.language, read) && reader.Read(onDisk, read);
    if (found != (images != nullptr))
        return Problem(group, "reading the group's images from the file and memory disagree");
    if (images != nullptr && IconDigest(read) != IconDigest(*images))
        return Problem(group, "the group's images read from the file differ from those in memory");
    return "";
}

std::string CheckGroupImages(const CPEFile& file, const cli::ListedIcon& group,
                             const std::string& folder) {
    IconImageSpans viewed;
    const bool found = FindGroupImageSpans(file, group.Key(), group.language, viewed);
    const auto images = ReadGroupImages(file, group.Key(), group.language);
    if (found != (images != nullptr))
        return Problem(group, "viewing and reading the group's images disagree");
    if (images == nullptr)
        return "";
    // Every byte viewed is hashed: a view outside the file is caught here.
    if (IconDigest(viewed) != IconDigest(*images))
        return Problem(group, "the group's images viewed in the file differ from those read");
    const auto directory = GroupBytes(file, group);
    if (!directory)
        return Problem(group, "ReadGroupImages read a group that does not parse");
    const std::uint8_t* g = directory->Data();
    if (images->Count() != Le16(g + 4) || images->Count() == 0)
        return Problem(group, "ReadGroupImages gave another number of images than the group");
    for (int i = 0; i < images->Count(); ++i) {
        const std::uint8_t* entry = g + 6 + 14 * i;
        const IconSetEntry& e = images->entries[static_cast<std::size_t>(i)];
        if (e.bWidth != entry[0] || e.bHeight != entry[1] || e.bColorCount != entry[2] ||
            e.bReserved != 0 || e.wPlanes != Le16(entry + 4) || e.wBitCount != Le16(entry + 6) ||
            e.dwBytesInRes != Le32(entry + 8) || e.dwImageOffset != 0 ||
            e.image.size() != e.dwBytesInRes)
            return Problem(group, "ReadGroupImages entry " + std::to_string(i) +
                                      " differs from the group entry");
    }
    if (std::string p = CheckImageFacts(*images); !p.empty())
        return Problem(group, p);
    if (std::string p = CheckWriteAndReadBack(*images, JoinPath(folder, "set.ico")); !p.empty())
        return Problem(group, p);
    return "";
}

// What SaveGroupAsIco must have written: the group's header, its entries' first 12 bytes with
// back-to-back offsets, and dwBytesInRes bytes of each image (taken in any language).
std::string CheckSavedFile(const CPEFile& file, const cli::ListedIcon& group,
                           const std::vector<std::uint8_t>& written) {
    const auto directory = GroupBytes(file, group);
    if (!directory)
        return "SaveGroupAsIco wrote a group that does not parse";
    const std::uint8_t* g = directory->Data();
    const std::uint16_t count = Le16(g + 4);
    std::uint64_t offset = 6 + 16 * std::uint64_t{count};
    if (written.size() < offset || std::memcmp(written.data(), g, 6) != 0)
        return "SaveGroupAsIco header or directory cut short";
    for (std::uint16_t i = 0; i < count; ++i) {
        const std::uint8_t* entry = g + 6 + 14 * i;
        const std::uint8_t* out = written.data() + 6 + 16 * i;
        const std::uint32_t length = Le32(entry + 8);
        if (std::memcmp(out, entry, 12) != 0 || Le32(out + 12) != offset)
            return "SaveGroupAsIco directory entry " + std::to_string(i) + " wrong";
        if (length < 40)
            return "SaveGroupAsIco wrote an image shorter than a bitmap header";
        const auto ref = file.FindResourceAnyLang(kResTypeIcon, Le16(entry + 12));
        const auto image = ref ? ref->BytesOfLength(length) : std::nullopt;
        if (!image)
            return "SaveGroupAsIco wrote an image that is not in the file";
        if (written.size() - offset < length)
            return "SaveGroupAsIco file cut short in image " + std::to_string(i);
        const auto expected = AsWritten(image->Data(), image->Size());
        if (std::memcmp(written.data() + offset, expected.data(), length) != 0)
            return "SaveGroupAsIco image " + std::to_string(i) + " bytes wrong";
        offset += length;
    }
    if (offset != written.size())
        return "SaveGroupAsIco file longer than its directory and images";
    return "";
}

std::string CheckSavedGroup(const CPEFile& file, const cli::ListedIcon& group,
                            const std::string& path) {
    if (!file.SaveGroupAsIco(group.Key(), group.language, path.c_str(), true))
        return FileExists(path) ? Problem(group, "SaveGroupAsIco failed and left a file") : "";
    if (!FileExists(path))
        return Problem(group, "SaveGroupAsIco answered true without a file");
    const std::vector<std::uint8_t> written = ReadBytes(path);
    const auto back = ReadIcoFileImages(path.c_str());
    std::remove(path.c_str());
    if (std::string p = CheckSavedFile(file, group, written); !p.empty())
        return Problem(group, p);
    // A group that is an icon's (reserved 0, type 1, images) makes a readable .ico file.
    const bool iconHeader =
        Le16(written.data()) == 0 && Le16(written.data() + 2) == 1 && Le16(written.data() + 4) != 0;
    if (iconHeader && back == nullptr)
        return Problem(group, "the file SaveGroupAsIco wrote does not read back");
    if (back != nullptr && back->Count() != Le16(written.data() + 4))
        return Problem(group, "the file SaveGroupAsIco wrote reads back another image count");
    return "";
}

} // namespace

std::string CheckImageFile(const std::uint8_t* data, std::size_t size, const std::string& folder) {
    CPEFile file(data, size);
    cli::IconCollector groups;
    const int listed = ListGroupIcons(file, kListedPath, groups);
    if (listed < 0 || static_cast<std::size_t>(listed) != groups.icons.size())
        return "ListGroupIcons answered another count than it listed";
    if (!file.IsOpen())
        return listed == 0 ? "" : "icons listed for a file that did not open";
    // Every icon listed stands for a language entry of 8 bytes of its own.
    if (static_cast<std::size_t>(listed) > size / 8)
        return std::to_string(listed) + " icons listed from " + std::to_string(size) + " bytes";

    if (std::string p = CheckEnumerations(file); !p.empty())
        return p;

    // The save commands name files after the groups: a name must never make a path.
    for (const cli::ListedIcon& group : groups.icons) {
        const std::string name = MakeDefaultIconName(kListedPath, group.Key());
        if (name.find_first_of("/\\:", std::strlen(kListedPath)) != std::string::npos)
            return Problem(group, "default file name " + name + " is a path");
    }

    const std::string saved = JoinPath(folder, "group.ico");
    const std::string copy = JoinPath(folder, kListedPath);
    if (!groups.icons.empty() && !WriteBytes(copy, data, size))
        return "the input cannot be written to " + copy;
    std::string problem;
    {
        const CPEFile onDisk(copy.c_str());
        ImageBytesReader reader;
        const std::size_t checked = std::min(groups.icons.size(), kMaxGroupsChecked);
        for (std::size_t i = 0; i < checked && problem.empty(); ++i) {
            const cli::ListedIcon& group = groups.icons[i];
            problem = CheckDisplayImage(file, group);
            if (problem.empty())
                problem = CheckGroupImages(file, group, folder);
            if (problem.empty())
                problem = CheckPlainReadImages(
                    onDisk, group, ReadGroupImages(file, group.Key(), group.language).get(),
                    reader);
            if (problem.empty())
                problem = CheckSavedGroup(file, group, saved);
        }
    }
    std::remove(copy.c_str());
    if (!problem.empty())
        return problem;
    if (const auto left = FilesUnder(folder); !left.empty())
        return "files left behind, first " + left.front();
    return "";
}

} // namespace quarvel::fuzz
