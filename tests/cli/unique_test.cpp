// quarvel-cli list and extract with --unique and --min-size: synthetic files for the rules, and
// Wine's own libraries counted independently from the .ico files extract writes.
#include "support/CliRunner.h"
#include "support/HostPath.h"
#include "support/IconData.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

namespace fs = std::filesystem;

using namespace quarvel::test;

namespace {

using Lines = std::vector<std::string>;

const char kWineLibraries[] = "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows";

std::uint32_t U32At(const Bytes& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t(b[at + 3]) << 24);
}

// An .ico file as this test reads it: each image's bytes, in entry order, and its real width
// (0 in the entry: a PNG's header width, else 256).
struct IcoImages {
    std::vector<Bytes> images;
    int widest = 0;
};

IcoImages ReadIco(const std::string& path) {
    const Bytes file = ReadFileBytes(path);
    IcoImages ico;
    const int count = file.size() >= 6 ? file[4] | (file[5] << 8) : 0;
    for (int i = 0; i < count; ++i) {
        const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
        const std::uint32_t size = U32At(file, entry + 8), offset = U32At(file, entry + 12);
        Bytes image(file.begin() + offset, file.begin() + offset + size);
        int width = file[entry];
        if (width == 0) {
            const bool png = image.size() >= 24 && image[1] == 'P' && image[2] == 'N';
            width = png ? (image[18] << 8) | image[19] : 256;
        }
        ico.widest = std::max(ico.widest, width);
        ico.images.push_back(std::move(image));
    }
    return ico;
}

// Three groups of one file, one of another file and an .ico file: all but group 3 (one image
// different) have the same images.
struct Copies {
    TempFolder folder;
    std::string app, lib, ico;
    Copies() {
        const Bytes x = MakeBmpImage(16, 4, 1), y = MakePngImage(48, 48, 2);
        Bytes z = y;
        z.back() ^= 1; // the last byte of the IEND chunk's CRC: only the bytes differ
        ResourceTree appTree;
        AddIconGroup(appTree, 1, 0, {x, y}, {16, 48}, {4, 32}, 10);
        AddIconGroup(appTree, 3, 0, {x, z}, {16, 48}, {4, 32}, 20);
        AddIconGroup(appTree, u"SAME", 1031, {x, y}, {16, 48}, {4, 32}, 30);
        ResourceTree libTree;
        AddIconGroup(libTree, 5, 1033, {x, y}, {16, 48}, {4, 32}, 1);
        app = folder.Write("app.exe", BuildImageWithResources(appTree));
        lib = folder.Write("lib.dll", BuildImageWithResources(libTree));
        ico = folder.Write("same.ico",
                           MakeIcoFile({EntryFor(x, 16, 4, 0), EntryFor(y, 48, 32, 0)}, {x, y}));
    }
};

} // namespace

TEST(CliUnique, ListsEachDistinctIconOnceWithTheCountOfTheOthers) {
    Copies copies;
    TempFolder scratch;
    const CliResult all = RunCli({"list", copies.app, copies.lib, copies.ico}, scratch.Path());
    ASSERT_EQ(all.OutLines().size(), 5u) << all.err;

    const CliResult r =
        RunCli({"list", "--unique", copies.app, copies.lib, copies.ico}, scratch.Path());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.OutLines(),
              (Lines{copies.app + "\tgroup\t1\t0\t3", copies.app + "\tgroup\t3\t0\t0"}));
    EXPECT_EQ(r.err, "");

    // The .ico file first: it stands for the groups.
    const CliResult icoFirst = RunCli({"list", "--unique", copies.ico, copies.app}, scratch.Path());
    EXPECT_EQ(icoFirst.OutLines(),
              (Lines{copies.ico + "\tico\t\t0\t2", copies.app + "\tgroup\t3\t0\t0"}));

    const CliResult locations =
        RunCli({"list", "--locations", "--unique", copies.lib, copies.app}, scratch.Path());
    EXPECT_EQ(locations.OutLines(), (Lines{copies.lib + ",-5\t2", copies.app + ",-3\t0"}));

    // In JSON the count is the object's last member.
    const CliResult json =
        RunCli({"list", "--json", "--unique", copies.app, copies.lib}, scratch.Path());
    const Lines objects = json.OutLines();
    ASSERT_EQ(objects.size(), 2u) << json.err;
    EXPECT_EQ(objects[0].substr(objects[0].size() - 12), ",\"others\":2}");
    EXPECT_EQ(objects[1].substr(objects[1].size() - 12), ",\"others\":0}");
}

TEST(CliUnique, ExtractWritesEachDistinctIconOnceAndSaysHowManyItLeftOut) {
    Copies copies;
    TempFolder out, scratch;
    const CliResult r =
        RunCli({"extract", "--unique", "-o", out.Path(), copies.folder.Path()}, scratch.Path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(out.Names(), (Lines{"app.exe#1.ico", "app.exe#3.ico"}));
    EXPECT_EQ(r.err, "quarvel-cli: 3 duplicate icons left out\n");
}

TEST(CliMinSize, KeepsIconsWithAnImageAtLeastThatWide) {
    TempFolder folder, scratch;
    const Bytes small = MakeBmpImage(16, 4, 1), mid = MakeBmpImage(48, 8, 2),
                large = MakePngImage(256, 256, 3);
    ResourceTree tree;
    AddIconGroup(tree, 1, 0, {small}, {16}, {4}, 10);
    AddIconGroup(tree, 2, 0, {small, mid}, {16, 48}, {4, 8}, 20);
    AddIconGroup(tree, 3, 0, {large}, {256}, {32}, 30);
    AddIconGroup(tree, 4, 0, {small, mid}, {16, 48}, {4, 8}, 40);
    const std::string app = folder.Write("app.exe", BuildImageWithResources(tree));
    const std::string ico = folder.Write("mid.ico", MakeIcoFile({EntryFor(mid, 48, 8, 0)}, {mid}));

    const auto Names = [&](const std::vector<std::string>& options) {
        std::vector<std::string> args{"list"};
        args.insert(args.end(), options.begin(), options.end());
        args.push_back(app);
        args.push_back(ico);
        const CliResult r = RunCli(args, scratch.Path());
        EXPECT_EQ(r.status, 0) << r.err;
        Lines names;
        for (const std::string& line : r.OutLines())
            names.push_back(line.substr(line.find('\t') + 1));
        return names;
    };
    EXPECT_EQ(Names({"--min-size", "16"}).size(), 5u);
    EXPECT_EQ(Names({"--min-size", "17"}),
              (Lines{"group\t2\t0", "group\t3\t0", "group\t4\t0", "ico\t\t0"}));
    EXPECT_EQ(Names({"--min-size", "49"}), (Lines{"group\t3\t0"})) << "the PNG's own width";
    EXPECT_EQ(Names({"--min-size", "257"}), Lines{});
    EXPECT_EQ(Names({"--min-size", "48", "--unique"}),
              (Lines{"group\t2\t0\t1", "group\t3\t0\t0", "ico\t\t0\t0"}));

    TempFolder out;
    const CliResult extracted =
        RunCli({"extract", "--min-size", "200", "-o", out.Path(), app, ico}, scratch.Path());
    EXPECT_EQ(extracted.status, 0) << extracted.err;
    EXPECT_EQ(out.Names(), (Lines{"app.exe#3.ico"}));

    for (const char* bad : {"0", "-1", "abc", "100000", "4x"}) {
        const CliResult r = RunCli({"list", "--min-size", bad, app}, scratch.Path());
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_NE(r.err.find("usage:"), std::string::npos) << bad;
    }
    EXPECT_EQ(RunCli({"list", app, "--min-size"}, scratch.Path()).status, 1)
        << "after a path, a word is a path";
    EXPECT_EQ(RunCli({"list", "--min-size"}, scratch.Path()).status, 2);
}

// The count of distinct icons equals the number of distinct image lists among the .ico files
// that a plain extract writes, and each icon is listed once or counted among another's others.
TEST(CliUnique, WineLibrariesCountAsTheirDistinctSetsOfImageBytes) {
    const std::string libraries = HostPath(kWineLibraries);
    if (!fs::is_directory(fs::u8path(libraries)))
        GTEST_SKIP() << "Wine's library folder is not installed";
    TempFolder out, scratch;
    const CliResult extracted = RunCli({"extract", "-o", out.Path(), libraries}, scratch.Path());
    ASSERT_EQ(extracted.status, 0) << extracted.err;
    std::set<std::vector<Bytes>> distinct, distinctOf48;
    int of48 = 0, of256 = 0;
    for (const std::string& name : out.Names()) {
        const IcoImages ico = ReadIco(out.File(name));
        distinct.insert(ico.images);
        if (ico.widest >= 48) {
            ++of48;
            distinctOf48.insert(ico.images);
        }
        of256 += ico.widest >= 256;
    }
    const std::size_t icons = out.Names().size();
    ASSERT_GT(icons, 100u);
    ASSERT_LT(distinct.size(), icons);

    const CliResult unique = RunCli({"list", "--unique", libraries}, scratch.Path());
    ASSERT_EQ(unique.status, 0) << unique.err;
    EXPECT_EQ(unique.OutLines().size(), distinct.size());
    std::size_t counted = 0;
    for (const std::string& line : unique.OutLines())
        counted += 1 + std::stoul(line.substr(line.rfind('\t') + 1));
    EXPECT_EQ(counted, icons);

    EXPECT_EQ(RunCli({"list", "--min-size", "48", libraries}, scratch.Path()).OutLines().size(),
              std::size_t(of48));
    EXPECT_EQ(RunCli({"list", "--min-size", "256", libraries}, scratch.Path()).OutLines().size(),
              std::size_t(of256));
    EXPECT_EQ(RunCli({"list", "--unique", "--min-size", "48", libraries}, scratch.Path())
                  .OutLines()
                  .size(),
              distinctOf48.size());

    // extract --unique writes one file of each image list.
    TempFolder once;
    const CliResult r =
        RunCli({"extract", "--unique", "-o", once.Path(), libraries}, scratch.Path());
    EXPECT_EQ(r.status, 0);
    std::set<std::vector<Bytes>> written;
    for (const std::string& name : once.Names())
        written.insert(ReadIco(once.File(name)).images);
    EXPECT_EQ(once.Names().size(), distinct.size());
    EXPECT_EQ(written, distinct);
    std::printf("Wine's libraries: %zu icons, %zu distinct\n", icons, distinct.size());
}
