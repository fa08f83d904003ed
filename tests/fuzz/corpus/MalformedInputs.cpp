// Damaged inputs made on purpose, each for one rule of the readers (see CorpusInputs.h).
#include "CorpusInputs.h"

#include "support/IconData.h"
#include "support/PeBuilder.h"

#include <algorithm>
#include <functional>
#include <set>

namespace quarvel::fuzz {

using test::Bytes;

namespace {

// Layout of the images built by the PE builder with one resource section.
constexpr std::uint32_t kLfanew = 0x80;
constexpr std::uint32_t kSectionRva = 0x1000;
constexpr std::uint32_t kSectionRaw = 0x200;

void Put16(Bytes& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}
std::uint32_t Get16(const Bytes& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8);
}
std::uint32_t Get32(const Bytes& b, std::size_t at) {
    return Get16(b, at) | (Get16(b, at + 2) << 16);
}
Bytes Cut(Bytes b, std::size_t size) {
    b.resize(std::min(b.size(), size));
    return b;
}

struct Images {
    Bytes bmp = test::MakeBmpImage(16, 4);
    Bytes png = test::MakePngImage(16, 16);
};

// A sound small image file: group 1 (a bitmap and a PNG image) and group "NAMED".
test::ResourceTree SoundTree(const Images& images) {
    test::ResourceTree tree;
    test::AddIconGroup(tree, 1, 0, {images.bmp, images.png}, {16, 16}, {4, 32}, 1);
    test::AddIconGroup(tree, u"NAMED", 0, {images.bmp}, {16}, {4}, 3);
    return tree;
}

// One group whose single bitmap image is described by `entry`, and the image stored.
Bytes GroupWithEntry(const test::GroupEntrySpec& entry, const Bytes& image,
                     std::uint16_t reserved = 0, std::uint16_t type = 1) {
    test::ResourceTree tree;
    tree.Add(3, entry.id, 0, image);
    tree.Add(14, 1, 0, test::MakeGroup({entry}, reserved, type));
    return test::BuildImageWithResources(tree);
}

// A structure of a sound file, found by walking it.
struct Structure {
    std::string label;
    std::size_t offset, size;
};

void WalkImageInside(const Bytes& b, std::size_t at, std::size_t size, const std::string& label,
                     std::vector<Structure>& out) {
    out.push_back({label, at, size});
    if (size >= 8 && b[at] == 0x89 && b[at + 1] == 'P')
        out.push_back({label + "-ihdr", at + 8, 25});
    else if (size >= 40)
        out.push_back({label + "-header", at, 40});
}

void WalkDirectory(const Bytes& b, std::size_t root, std::size_t dir, int level,
                   std::vector<Structure>& out) {
    const std::string depth = std::to_string(level);
    out.push_back({"dir" + depth, dir, 16});
    const std::uint32_t count = Get16(b, dir + 12) + Get16(b, dir + 14);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t entry = dir + 16 + 8 * i;
        out.push_back({"entry" + depth, entry, 8});
        const std::uint32_t name = Get32(b, entry), offset = Get32(b, entry + 4);
        if (name & 0x80000000u) {
            const std::size_t text = root + (name & 0x7FFFFFFFu);
            out.push_back({"name", text, 2 + 2 * Get16(b, text)});
        }
        if (offset & 0x80000000u) {
            WalkDirectory(b, root, root + (offset & 0x7FFFFFFFu), level + 1, out);
        } else {
            const std::size_t data = root + offset;
            out.push_back({"data-entry", data, 16});
            const std::size_t bytes = Get32(b, data) - kSectionRva + kSectionRaw;
            WalkImageInside(b, bytes, Get32(b, data + 4), "data", out);
        }
    }
}

// Every structure of a sound image file built with one resource section.
std::vector<Structure> ImageStructures(const Bytes& b) {
    std::vector<Structure> out = {{"dos-header", 0, 64},
                                  {"pe-signature", kLfanew, 4},
                                  {"file-header", kLfanew + 4, 20},
                                  {"optional-header", kLfanew + 24, Get16(b, kLfanew + 20)}};
    const std::size_t table = kLfanew + 24 + Get16(b, kLfanew + 20);
    for (std::uint32_t i = 0; i < Get16(b, kLfanew + 6); ++i)
        out.push_back({"section-header", table + 40 * i, 40});
    WalkDirectory(b, kSectionRaw, kSectionRaw, 0, out);
    return out;
}

std::vector<Structure> IcoStructures(const Bytes& b) {
    std::vector<Structure> out = {{"ico-header", 0, 6}};
    for (std::uint32_t i = 0; i < Get16(b, 4); ++i) {
        out.push_back({"ico-entry", 6 + 16 * i, 16});
        WalkImageInside(b, Get32(b, 6 + 16 * i + 12), Get32(b, 6 + 16 * i + 8), "ico-image", out);
    }
    return out;
}

// The file cut in the middle of each of its structures (each cut length once).
void AddTruncations(const std::string& prefix, const Bytes& sound,
                    const std::vector<Structure>& structures, std::vector<NamedInput>& out) {
    std::set<std::size_t> lengths;
    for (const Structure& s : structures) {
        const std::size_t length = s.offset + std::max<std::size_t>(s.size / 2, 1);
        if (length < sound.size() && lengths.insert(length).second)
            out.push_back({prefix + "-cut-in-" + s.label + "-at-" + std::to_string(length),
                           Cut(sound, length)});
    }
}

void AddTreeDamage(const Images& images, std::vector<NamedInput>& out) {
    const auto build = [](const std::function<void(test::ResourceTree&)>& shape) {
        test::ResourceTree tree;
        shape(tree);
        return test::BuildImageWithResources(tree);
    };
    out.push_back({"tree-root-points-to-itself", build([&](test::ResourceTree& t) {
                       t.Link(t.Root(), 14, t.Root());
                       t.Add(3, 1, 0, images.bmp);
                   })});
    out.push_back({"tree-type-points-to-itself", build([&](test::ResourceTree& t) {
                       test::AddIconGroup(t, 1, 0, {images.bmp}, {16}, {4}, 1);
                       test::ResDir* type = t.Find(t.Root(), 14);
                       t.Link(type, 2, type);
                   })});
    out.push_back({"tree-name-points-to-itself", build([&](test::ResourceTree& t) {
                       test::AddIconGroup(t, 1, 0, {images.bmp}, {16}, {4}, 1);
                       test::ResDir* name = t.Find(t.Find(t.Root(), 14), 1);
                       t.Link(name, 0, name);
                   })});
    out.push_back({"tree-name-points-to-type", build([&](test::ResourceTree& t) {
                       test::ResDir* type = t.NewDir();
                       t.Link(t.Root(), 14, type);
                       t.Link(type, 1, type);
                       test::AddIconGroup(t, 2, 0, {images.bmp}, {16}, {4}, 1);
                   })});
    out.push_back({"tree-language-points-to-root", build([&](test::ResourceTree& t) {
                       test::AddIconGroup(t, 1, 0, {images.bmp}, {16}, {4}, 1);
                       t.Link(t.Find(t.Find(t.Root(), 14), 1), 0, t.Root());
                   })});
    out.push_back({"tree-icon-type-points-to-group-type", build([&](test::ResourceTree& t) {
                       test::ResDir* type = t.NewDir();
                       t.Link(t.Root(), 14, type);
                       t.Link(t.Root(), 3, type);
                       t.Link(type, 1, t.Root());
                   })});
    out.push_back({"tree-group-type-is-data",
                   build([&](test::ResourceTree& t) { t.AddData(t.Root(), 14, images.bmp); })});
    // Many names that share one language directory list a quadratic number of icons.
    out.push_back({"tree-names-share-languages", build([&](test::ResourceTree& t) {
                       test::AddIconGroup(t, 1, 0, {images.bmp}, {16}, {4}, 1);
                       test::ResDir* type = t.Find(t.Root(), 14);
                       test::ResDir* languages = t.Find(type, 1);
                       for (int i = 1; i < 200; ++i)
                           t.AddData(languages, i, {});
                       for (int i = 2; i < 200; ++i)
                           t.Link(type, i, languages);
                   })});

    // Names whose language directories overlap, each starting one entry after the last.
    constexpr std::uint32_t kNames = 300;
    Bytes overlapping = build([&](test::ResourceTree& t) {
        test::ResDir* type = t.NewDir();
        test::ResDir* languages = t.NewDir();
        t.Link(t.Root(), 14, type);
        for (std::uint32_t i = 1; i <= kNames; ++i) {
            t.Link(type, static_cast<int>(i), languages);
            t.AddData(languages, static_cast<int>(i), {});
        }
    });
    const std::uint32_t typeAt = 16 + 8, languagesAt = typeAt + 16 + 8 * kNames;
    for (std::uint32_t i = 0; i < kNames; ++i)
        Put32(overlapping, kSectionRaw + typeAt + 16 + 8 * i + 4,
              0x80000000u | (languagesAt + 8 * i));
    out.push_back({"tree-names-overlap-languages", overlapping});

    // Counts of 65535 in a file that ends soon after.
    const Bytes sound = test::BuildImageWithResources(SoundTree(images));
    Bytes rootCounts = sound;
    Put16(rootCounts, kSectionRaw + 12, 0xFFFF);
    Put16(rootCounts, kSectionRaw + 14, 0xFFFF);
    out.push_back({"tree-root-counts-65535", rootCounts});
    out.push_back({"tree-root-counts-65535-short", Cut(rootCounts, kSectionRaw + 16 + 8 * 3)});
    out.push_back({"tree-language-count-65535", build([&](test::ResourceTree& t) {
                       test::AddIconGroup(t, 1, 0, {images.bmp}, {16}, {4}, 1);
                       t.Find(t.Find(t.Root(), 14), 1)->forcedIdCount = 65535;
                   })});
    out.push_back({"tree-name-count-65535", build([&](test::ResourceTree& t) {
                       test::AddIconGroup(t, 1, 0, {images.bmp}, {16}, {4}, 1);
                       t.Find(t.Root(), 14)->forcedIdCount = 65535;
                       t.Find(t.Root(), 14)->forcedNamedCount = 65535;
                   })});

    // Name strings whose length runs past the end, or that lie past it.
    const auto withName = [&](std::uint32_t length) {
        Bytes b = build([&](test::ResourceTree& t) {
            test::AddIconGroup(t, u"LONGNAME", 0, {images.bmp}, {16}, {4}, 1);
        });
        const std::u16string text = u"LONGNAME";
        const auto at = std::search(
            b.begin(), b.end(), text.begin(), text.end(),
            [](std::uint8_t byte, char16_t c) { return byte == static_cast<std::uint8_t>(c); });
        // The UTF-16 text starts two bytes after its length; the search matched its low bytes.
        const std::size_t found = static_cast<std::size_t>(at - b.begin());
        Put16(b, found - 2, length);
        return b;
    };
    out.push_back({"tree-name-length-65535", withName(0xFFFF)});
    out.push_back({"tree-name-length-300", withName(300)});
    // Names with a tab and a line break, which must not split the lines of a listing.
    out.push_back({"tree-names-with-control-characters", build([&](test::ResourceTree& t) {
                       test::AddIconGroup(t, u"TAB\tNAME", 0, {images.bmp}, {16}, {4}, 1);
                       test::AddIconGroup(t, u"LINE\nBREAK", 0, {images.bmp}, {16}, {4}, 2);
                   })});
    // Names that read as paths: a file named after them must stay in the folder it is saved to.
    out.push_back({"tree-names-with-path-characters", build([&](test::ResourceTree& t) {
                       test::AddIconGroup(t, u"A\\..\\..\\ESCAPED", 0, {images.bmp}, {16}, {4}, 1);
                       test::AddIconGroup(t, u"B/../../ESCAPED", 0, {images.bmp}, {16}, {4}, 2);
                       test::AddIconGroup(t, u"C:STREAM", 0, {images.bmp}, {16}, {4}, 3);
                       test::AddIconGroup(t, u"..", 0, {images.bmp}, {16}, {4}, 4);
                   })});
    Bytes namePastEnd = withName(8);
    Put32(namePastEnd, kSectionRaw + 16 + 8 * 1, 0xFFFFFFFFu);
    out.push_back({"tree-name-offset-past-end", namePastEnd});
}

void AddHeaderDamage(const Images& images, std::vector<NamedInput>& out) {
    const Bytes sound = test::BuildImageWithResources(SoundTree(images));
    const std::size_t table = kLfanew + 24 + Get16(sound, kLfanew + 20);

    out.push_back({"pe-empty", {}});
    out.push_back({"pe-mz-only", {'M', 'Z'}});
    Bytes lfanew = sound;
    Put32(lfanew, 0x3C, static_cast<std::uint32_t>(sound.size()) - 2);
    out.push_back({"pe-lfanew-past-end", lfanew});
    Put32(lfanew, 0x3C, 0xFFFFFFFCu);
    out.push_back({"pe-lfanew-ffffffff", lfanew});
    out.push_back({"pe-signature-at-end", Cut(sound, kLfanew + 4)});
    out.push_back({"pe-magic-cut", Cut(sound, kLfanew + 25)});

    Bytes sections = sound;
    Put16(sections, kLfanew + 6, 0xFFFF);
    out.push_back({"pe-section-count-65535", sections});
    Bytes optional = sound;
    Put16(optional, kLfanew + 20, 0xFFFF);
    out.push_back({"pe-section-table-past-end", optional});
    out.push_back({"pe-section-table-cut", Cut(sound, table + 20)});

    Bytes rva = sound;
    Put32(rva, kLfanew + 136, 0x10);
    out.push_back({"pe-resource-rva-in-headers", rva});
    Put32(rva, kLfanew + 136, 0xFFFFFFFFu);
    out.push_back({"pe-resource-rva-ffffffff", rva});

    // Sections whose raw bytes lie past the end, reach past 4 GB, or overlap.
    Bytes raw = sound;
    Put32(raw, table + 20, 0xFFFFFF00u);
    out.push_back({"pe-section-raw-past-end", raw});
    Bytes huge = sound;
    Put32(huge, table + 8, 0xFFFFFFFFu);
    Put32(huge, table + 12, 0);
    out.push_back({"pe-section-size-ffffffff", huge});

    test::ImageLayout overlap;
    overlap.resourceRva = kSectionRva;
    test::Section decoy, real;
    decoy.virtualAddress = kSectionRva;
    decoy.data = Bytes(64, 0xEE);
    decoy.virtualSize = 0x100;
    real.virtualAddress = kSectionRva;
    real.data = SoundTree(images).Build(kSectionRva);
    real.virtualSize = static_cast<std::uint32_t>(real.data.size());
    overlap.sections = {decoy, real};
    out.push_back({"pe-sections-overlap", test::BuildImage(overlap)});
    Bytes onHeaders = sound;
    Put32(onHeaders, table + 20, 0);
    out.push_back({"pe-section-over-headers", onHeaders});
}

void AddDataDamage(const Images& images, std::vector<NamedInput>& out) {
    const auto group = [&](const std::function<void(test::ResourceTree&)>& damage) {
        test::ResourceTree tree;
        test::AddIconGroup(tree, 1, 0, {images.bmp, images.png}, {16, 16}, {4, 32}, 1);
        damage(tree);
        return test::BuildImageWithResources(tree);
    };
    const auto groupData = [](test::ResourceTree& t) -> test::ResEntry& {
        return t.Find(t.Find(t.Root(), 14), 1)->entries.front();
    };
    const auto iconData = [](test::ResourceTree& t) -> test::ResEntry& {
        return t.Find(t.Find(t.Root(), 3), 1)->entries.front();
    };
    out.push_back({"data-group-size-ffffffff", group([&](test::ResourceTree& t) {
                       groupData(t).forceSize = true;
                       groupData(t).size = 0xFFFFFFFFu;
                   })});
    out.push_back({"data-icon-size-ffffffff", group([&](test::ResourceTree& t) {
                       iconData(t).forceSize = true;
                       iconData(t).size = 0xFFFFFFFFu;
                   })});
    out.push_back({"data-group-rva-ffffffff", group([&](test::ResourceTree& t) {
                       groupData(t).forceRva = true;
                       groupData(t).rva = 0xFFFFFFFFu;
                   })});
    out.push_back({"data-icon-rva-in-no-section", group([&](test::ResourceTree& t) {
                       iconData(t).forceRva = true;
                       iconData(t).rva = 0x10;
                   })});
    out.push_back({"data-group-size-5", group([&](test::ResourceTree& t) {
                       groupData(t).forceSize = true;
                       groupData(t).size = 5;
                   })});

    for (const std::uint32_t size : {0xFFFFFFFFu, 0xFFFFFFF0u, 0u, 1u, 39u, 40u}) {
        test::GroupEntrySpec entry = test::EntryFor(images.bmp, 16, 4, 1);
        entry.bytesInRes = size;
        out.push_back(
            {"group-bytes-in-res-" + std::to_string(size),
             GroupWithEntry(entry, size == 40 ? Bytes(images.bmp.begin(), images.bmp.begin() + 40)
                                              : images.bmp)});
    }
    const test::GroupEntrySpec entry = test::EntryFor(images.bmp, 16, 4, 1);
    out.push_back({"group-cursor-type", GroupWithEntry(entry, images.bmp, 0, 2)});
    out.push_back({"group-reserved-1", GroupWithEntry(entry, images.bmp, 1, 1)});
    out.push_back({"group-count-0",
                   group([&](test::ResourceTree& t) { groupData(t).data = test::MakeGroup({}); })});
    out.push_back({"group-count-65535",
                   group([&](test::ResourceTree& t) { Put16(groupData(t).data, 4, 0xFFFF); })});
    out.push_back({"group-image-missing",
                   group([&](test::ResourceTree& t) { Put16(groupData(t).data, 6 + 12, 999); })});

    // Images that are not what they claim to be.
    Bytes png = images.png;
    out.push_back({"image-png-cut-in-ihdr",
                   GroupWithEntry(test::EntryFor(Cut(png, 20), 16, 32, 1), Cut(png, 20))});
    out.push_back({"image-png-signature-only",
                   GroupWithEntry(test::EntryFor(Cut(png, 8), 16, 32, 1), Cut(png, 8))});
    Bytes wide = images.bmp;
    Put32(wide, 4, 0x80000000u);
    out.push_back({"image-bitmap-width-negative", GroupWithEntry(entry, wide)});
    Bytes header = images.bmp;
    Put32(header, 0, 0xFFFFFFFFu);
    out.push_back({"image-bitmap-header-size-ffffffff", GroupWithEntry(entry, header)});
    Bytes pngWide = images.png;
    Put32(pngWide, 16, 0xFFFFFFFFu);
    out.push_back(
        {"image-png-width-ffffffff", GroupWithEntry(test::EntryFor(pngWide, 16, 32, 1), pngWide)});
}

void AddIcoDamage(const Images& images, std::vector<NamedInput>& out) {
    const Bytes sound = test::MakeIcoFile(
        {test::EntryFor(images.bmp, 16, 4, 0), test::EntryFor(images.png, 16, 32, 0)},
        {images.bmp, images.png});
    out.push_back({"ico-5-bytes", Cut(sound, 5)});
    out.push_back({"ico-count-65535-in-6-bytes", {0, 0, 1, 0, 0xFF, 0xFF}});
    Bytes count = sound;
    Put16(count, 4, 0xFFFF);
    out.push_back({"ico-count-65535", count});
    Bytes type = sound;
    Put16(type, 2, 2);
    out.push_back({"ico-type-2", type});
    Bytes lastPast = sound;
    Put32(lastPast, 6 + 16 + 8, Get32(lastPast, 6 + 16 + 8) + 1);
    out.push_back({"ico-image-ends-one-past-end", lastPast});
    Bytes size = sound;
    Put32(size, 6 + 8, 0xFFFFFFFFu);
    out.push_back({"ico-size-ffffffff", size});
    Bytes wrap = sound;
    Put32(wrap, 6 + 12, 0xFFFFFFF0u);
    Put32(wrap, 6 + 8, 0x20);
    out.push_back({"ico-offset-wraps", wrap});
    Bytes empty = sound;
    Put32(empty, 6 + 8, 0);
    out.push_back({"ico-image-size-0", empty});
    Bytes shared = sound;
    Put32(shared, 6 + 16 + 12, Get32(shared, 6 + 12));
    Put32(shared, 6 + 16 + 8, Get32(shared, 6 + 8));
    out.push_back({"ico-images-share-bytes", shared});
    const Bytes cutPng = Cut(images.png, 30);
    out.push_back(
        {"ico-png-cut", test::MakeIcoFile({test::EntryFor(cutPng, 16, 32, 0)}, {cutPng})});
    AddTruncations("ico", sound, IcoStructures(sound), out);
}

} // namespace

std::vector<NamedInput> MalformedInputs() {
    const Images images;
    std::vector<NamedInput> out;
    AddTreeDamage(images, out);
    AddHeaderDamage(images, out);
    AddDataDamage(images, out);
    AddIcoDamage(images, out);
    const Bytes sound = test::BuildImageWithResources(SoundTree(images));
    AddTruncations("pe", sound, ImageStructures(sound), out);
    AddCursorDamage(out);
    return out;
}

} // namespace quarvel::fuzz
