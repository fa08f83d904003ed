// quarvel-cli list: output lines, folders, errors on stderr and exit statuses.
#include "support/CliRunner.h"
#include "support/IconData.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

using namespace quarvel::test;

namespace {

Bytes ImageWithGroups() {
    ResourceTree tree;
    tree.Add(14, u"MAINICON", 1033, Bytes(6));
    tree.Add(14, 2, 0, Bytes(6));
    tree.Add(14, 2, 1031, Bytes(6));
    return BuildImageWithResources(tree);
}

using Lines = std::vector<std::string>;

} // namespace

TEST(CliList, PrintsOneLinePerIcon) {
    TempFolder dir, scratch;
    const std::string app = dir.Write("app.exe", ImageWithGroups());
    const std::string ico = dir.Write("tools.ICO", Bytes(10, 0));
    const CliResult r = RunCli({"list", app, ico}, scratch.Path());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.OutLines(), (Lines{app + "\tgroup\tMAINICON\t1033", app + "\tgroup\t2\t0",
                                   app + "\tgroup\t2\t1031", ico + "\tico\t\t0"}));
    EXPECT_EQ(r.err, "");
}

TEST(CliList, FoldersStandForTheirFilesAndSkipOthersSilently) {
    TempFolder dir, scratch;
    const std::string app = dir.Write("b.dll", ImageWithGroups());
    dir.Write("a.txt", Bytes(100, 'x'));
    std::filesystem::create_directory(dir.File("sub"));
    const std::string inner = (std::filesystem::path(dir.Path()) / "sub" / "c.ico").string();
    dir.Write("sub/c.ico", Bytes(3, 0));

    CliResult flat = RunCli({"list", dir.Path()}, scratch.Path());
    EXPECT_EQ(flat.status, 0);
    EXPECT_EQ(flat.OutLines().size(), 3u);
    EXPECT_EQ(flat.err, "");

    CliResult deep = RunCli({"list", "-r", dir.Path()}, scratch.Path());
    EXPECT_EQ(deep.status, 0);
    ASSERT_EQ(deep.OutLines().size(), 4u);
    EXPECT_EQ(deep.OutLines()[3], inner + "\tico\t\t0");
}

#ifndef _WIN32
TEST(CliList, FolderLinksBackUpThePathAreNotFollowed) {
    TempFolder dir, scratch;
    dir.Write("a.dll", ImageWithGroups());
    std::filesystem::create_directory_symlink(dir.Path(), dir.File("loop"));
    CliResult r = RunCli({"list", "-r", dir.Path()}, scratch.Path());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.OutLines().size(), 3u);
}
#endif

// Polish, Greek, Japanese and an emoji: under a legacy code page the Japanese and the emoji
// would arrive as '?', and the folder would not be found.
TEST(CliList, NamesOutsideTheLegacyCodePageArriveAndPrintWhole) {
    TempFolder dir, scratch;
    const std::string folder = dir.File(u8"Łódź Ελλάδα 日本 😀");
    fs::create_directory(fs::u8path(folder));
    const std::string sep(1, static_cast<char>(fs::path::preferred_separator));
    ResourceTree tree;
    tree.Add(14, u"ŻÓŁW-猫", 1033, Bytes(6));
    const std::string app = dir.Write(u8"Łódź Ελλάδα 日本 😀" + sep + u8"żółw-αβγ-東京-🎨.exe",
                                      BuildImageWithResources(tree));
    const std::string ico = dir.Write(u8"Łódź Ελλάδα 日本 😀" + sep + u8"ω-猫.ico", Bytes(3, 0));

    const CliResult r = RunCli({"list", folder}, scratch.Path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.OutLines(), (Lines{app + u8"\tgroup\tŻÓŁW-猫\t1033", ico + "\tico\t\t0"}));
    EXPECT_EQ(r.err, "");
}

TEST(CliList, NamedPathsThatGiveNoIconsAreReported) {
    TempFolder dir, scratch;
    const std::string app = dir.Write("app.exe", ImageWithGroups());
    const std::string text = dir.Write("notes.txt", Bytes(100, 'x'));
    const std::string missing = dir.File("gone.dll");
    const CliResult r = RunCli({"list", missing, app, text}, scratch.Path());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.OutLines().size(), 3u) << "the other paths are still listed";
    EXPECT_EQ(r.err, "quarvel-cli: " + missing + ": does not exist\n" + "quarvel-cli: " + text +
                         ": not a Win32 image or .ico file\n");
}

TEST(CliList, UsageErrorsExitWithTwo) {
    TempFolder scratch;
    for (const Lines& args : {Lines{}, Lines{"list"}, Lines{"list", "-x", "a"}, Lines{"lst", "a"},
                              Lines{"list", "-r"}, Lines{"list", "--json", "--locations", "a"}}) {
        const CliResult r = RunCli(args, scratch.Path());
        EXPECT_EQ(r.status, 2) << (args.empty() ? "" : args[0]);
        EXPECT_NE(r.err.find("usage: quarvel-cli list [-r] [--locations | --json] [--kind "
                             "icon|cursor|all]\n                        [--unique] [--min-size N] "
                             "PATH..."),
                  std::string::npos);
        EXPECT_EQ(r.out, "");
    }
}

TEST(CliList, LocationsNameNumberedGroupsByIdAndNamedOnesByPosition) {
    TempFolder dir, scratch;
    const std::string app = dir.Write("app.exe", ImageWithGroups());
    const std::string ico = dir.Write("tools.ico", Bytes(10, 0));
    const CliResult r = RunCli({"list", "--locations", app, ico}, scratch.Path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.OutLines(), (Lines{app + ",0", app + ",-2", app + ",-2", ico}));
}

TEST(CliMovedIcons, ListAndExtractReadAndNameTheMunFile) {
    TempFolder root, out, scratch;
    const fs::path windows = fs::path(root.Path()) / "windows";
    fs::create_directories(windows / "System32");
    fs::create_directories(windows / "SystemResources");
    ResourceTree none;
    none.Add(16, 1, 0, Bytes(64));
    const std::string dll =
        root.Write((fs::path("windows") / "System32" / "x.dll").make_preferred().string(),
                   BuildImageWithResources(none));
    ResourceTree icons;
    AddIconGroup(icons, 5, 0, {MakeBmpImage(32, 8)}, {32}, {8}, 1);
    const std::string mun = root.Write(
        (fs::path("windows") / "SystemResources" / "x.dll.mun").make_preferred().string(),
        BuildImageWithResources(icons));

    const CliResult listed = RunCli({"list", dll}, scratch.Path());
    EXPECT_EQ(listed.status, 0) << listed.err;
    EXPECT_EQ(listed.OutLines(), (Lines{mun + "\tgroup\t5\t0"}));
    const CliResult located = RunCli({"list", "--locations", dll}, scratch.Path());
    EXPECT_EQ(located.OutLines(), (Lines{dll + ",-5"})) << "located as Windows resolves it";

    const CliResult extracted = RunCli({"extract", "-o", out.Path(), dll}, scratch.Path());
    EXPECT_EQ(extracted.status, 0);
    EXPECT_EQ(extracted.err, "quarvel-cli: " + dll + ": icons read from " + mun + "\n");
    EXPECT_EQ(out.Names(), (Lines{"x.dll#5.ico"}));
}
