// quarvel-cli with cursors: --kind chooses what list prints and extract writes.
#include "support/CliRunner.h"
#include "support/CursorData.h"
#include "support/TempFiles.h"

#include "engine/IconImageSet.h"

#include <gtest/gtest.h>

using namespace quarvel;
using namespace quarvel::test;

namespace {

using Lines = std::vector<std::string>;

// An image with a group icon and group cursors 7 (in two languages) and 1, the icon's id.
Bytes ImageWithCursors() {
    ResourceTree tree;
    const Bytes icon = MakeBmpImage(16, 4);
    AddIconGroup(tree, 1, 0, {icon}, {16}, {4}, 1);
    AddCursorGroup(tree, 7, 0, {32, 16}, {{1, 2}, {3, 4}}, 10);
    AddCursorGroup(tree, 7, 1031, {32}, {{5, 6}}, 20);
    AddCursorGroup(tree, 1, 0, {32}, {{7, 8}}, 30);
    return BuildImageWithResources(tree);
}

struct CursorFiles {
    TempFolder dir, out, scratch;
    std::string app = dir.Write("app.exe", ImageWithCursors());
    Bytes curBytes = MakeCurFile({32}, {{9, 9}});
    std::string cur = dir.Write("arrow.cur", curBytes);
    Bytes aniBytes = BuildAni(MakeAniParts(2));
    std::string ani = dir.Write("busy.ani", aniBytes);
};

} // namespace

TEST(CliCursors, ListMarksEachLinesKindAndKeepsTheDefaultToIcons) {
    const CursorFiles f;
    const CliResult icons = RunCli({"list", f.dir.Path()}, f.scratch.Path());
    EXPECT_EQ(icons.status, 0);
    EXPECT_EQ(icons.OutLines(), Lines{f.app + "\tgroup\t1\t0"}) << "cursors only when asked";

    const CliResult all = RunCli({"list", "--kind", "all", f.dir.Path()}, f.scratch.Path());
    EXPECT_EQ(all.status, 0) << all.err;
    EXPECT_EQ(all.OutLines(),
              (Lines{f.app + "\tgroup\t1\t0", f.app + "\tcursor\t7\t0", f.app + "\tcursor\t7\t1031",
                     f.app + "\tcursor\t1\t0", f.cur + "\tcur\t\t0", f.ani + "\tani\t\t0"}));

    const CliResult cursors =
        RunCli({"list", "--kind", "cursor", "--locations", f.app, f.cur, f.ani}, f.scratch.Path());
    EXPECT_EQ(cursors.status, 0) << cursors.err;
    EXPECT_EQ(cursors.OutLines(), (Lines{f.cur, f.ani})) << "a group cursor has no location";

    for (const Lines& args : {Lines{"list", "--kind", "cursors", f.app}, Lines{"list", "--kind"},
                              Lines{"extract", "--kind", "x", "-o", f.out.Path(), f.app}}) {
        const CliResult r = RunCli(args, f.scratch.Path());
        EXPECT_EQ(r.status, 2) << args[1];
        EXPECT_NE(r.err.find("[--kind icon|cursor|all]"), std::string::npos);
    }
    const CliResult notImage = RunCli({"list", f.cur}, f.scratch.Path());
    EXPECT_EQ(notImage.status, 1) << "a .cur file named without --kind is not an icon";
}

TEST(CliCursors, ExtractWritesCurFilesAndCopiesCursorFilesByteForByte) {
    const CursorFiles f;
    const CliResult r =
        RunCli({"extract", "--kind", "all", "-o", f.out.Path(), f.dir.Path()}, f.scratch.Path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(f.out.Names(), (Lines{"app.exe#1.cur", "app.exe#1.ico", "app.exe#7@0.cur",
                                    "app.exe#7@1031.cur", "arrow.cur", "busy.ani"}));
    EXPECT_EQ(ReadFileBytes(f.out.File("arrow.cur")), f.curBytes);
    EXPECT_EQ(ReadFileBytes(f.out.File("busy.ani")), f.aniBytes);
    const auto group = ReadCurFileImages(f.out.File("app.exe#7@0.cur").c_str());
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->Count(), 2);
    EXPECT_EQ(group->entries[1].wPlanes, 3);
    EXPECT_EQ(group->entries[1].wBitCount, 4);

    const CliResult again =
        RunCli({"extract", "--kind", "cursor", "-o", f.out.Path(), f.cur}, f.scratch.Path());
    EXPECT_EQ(again.status, 1) << "an existing file is kept";
    EXPECT_NE(again.err.find("exists"), std::string::npos);
}

TEST(CliCursors, ExtractWritesEveryCursorImageAndFrameAsPng) {
    const CursorFiles f;
    const CliResult r = RunCli({"extract", "--kind", "cursor", "--format", "png", "--all-sizes",
                                "-o", f.out.Path(), f.dir.Path()},
                               f.scratch.Path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(
        f.out.Names(),
        (Lines{"app.exe#1-cursor-32x32x1.png", "app.exe#7@0-cursor-16x16x1.png",
               "app.exe#7@0-cursor-32x32x1.png", "app.exe#7@1031-cursor-32x32x1.png",
               "arrow-cursor-32x32x1.png", "busy-frame1-32x32x1.png", "busy-frame2-32x32x1.png"}));

    // A damaged .ani file is reported and gives no file.
    TempFolder bad, out;
    Bytes damaged = f.aniBytes;
    damaged.resize(damaged.size() - 10);
    const std::string path = bad.Write("bad.ani", damaged);
    const CliResult refused = RunCli(
        {"extract", "--kind", "all", "--format", "png", "-o", out.Path(), path}, f.scratch.Path());
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("bad.ani"), std::string::npos) << refused.err;
    EXPECT_TRUE(out.Names().empty());
}

#ifdef _WIN32
TEST(CliCursors, ExtractWritesTheLargestImageOfEachCursorAndFrameAsBmp) {
    const CursorFiles f;
    const CliResult r =
        RunCli({"extract", "--kind", "cursor", "--format", "bmp", "-o", f.out.Path(), f.cur, f.ani},
               f.scratch.Path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(f.out.Names(), (Lines{"arrow-cursor.bmp", "busy-frame1.bmp", "busy-frame2.bmp"}));
    const Bytes bmp = ReadFileBytes(f.out.File("busy-frame1.bmp"));
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[18], 32) << "32 pixels wide";
}
#endif
