// quarvel-cli thumbnail: the picture a file manager shows for a program or an icon file.
#include "IconCollector.h"
#include "engine/IconGroups.h"
#include "engine/IconSizing.h"
#include "engine/PEFile.h"
#include "engine/PngExport.h"
#include "support/CliRunner.h"
#include "support/IconData.h"
#include "support/PngDecoder.h"
#include "support/TempFiles.h"

#ifndef _WIN32
#include "support/RealFiles.h"
#endif

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

using namespace quarvel::test;

namespace {

using Lines = std::vector<std::string>;

std::vector<std::uint8_t> Render(const Bytes& image, int side) {
    return quarvel::RenderImageAtSide(quarvel::ByteView(image.data(), image.size()), side)->pixels;
}

std::optional<DecodedPng> Thumbnail(const std::string& input, int side, const std::string& output,
                                    const std::string& scratch, int expectedStatus = 0) {
    const CliResult r = RunCli({"thumbnail", "-s", std::to_string(side), input, output}, scratch);
    EXPECT_EQ(r.status, expectedStatus) << input << " at " << side << ": " << r.err;
    EXPECT_EQ(r.out, "");
    return DecodePng(ReadFileBytes(output));
}

} // namespace

// The first group in stored order (a linker stores named groups before numbered ones) stands for
// the program.
TEST(CliThumbnail, ProgramsShowTheirFirstGroupAsTheEngineRendersIt) {
    TempFolder src, out, scratch;
    const Bytes b48 = MakeBmpImage(48, 32), b16 = MakeBmpImage(16, 8), png = MakePngImage(256, 256);
    ResourceTree tree;
    AddIconGroup(tree, u"MAIN", 1033, {b16, b48}, {16, 48}, {8, 32}, 10);
    AddIconGroup(tree, 1, 0, {png}, {0}, {32}, 20);
    const std::string app = src.Write("app.exe", BuildImageWithResources(tree));
    const std::string thumb = out.File("app.png");
    for (const auto& [side, image, width] :
         std::vector<std::tuple<int, Bytes, int>>{{32, b48, 32},
                                                  {48, b48, 48},
                                                  {128, b48, 48},
                                                  {1024, b48, 48},
                                                  {16, b16, 16},
                                                  {7, b16, 7}}) {
        const auto picture = Thumbnail(app, side, thumb, scratch.Path());
        ASSERT_TRUE(picture) << side;
        EXPECT_EQ(picture->width, width) << side << ": scaled down, never up";
        EXPECT_EQ(picture->rgba, Render(image, side)) << side;
    }
    EXPECT_EQ(out.Names(), Lines{"app.png"}) << "no temporary file remains";
}

// An icon file is known by its content, as file managers know it by its MIME type.
TEST(CliThumbnail, IconFilesShowTheirImageForTheSideWhateverTheirName) {
    TempFolder src, out, scratch;
    const Bytes b32 = MakeBmpImage(32, 32), png = MakePngImage(256, 256, 3);
    const Bytes ico =
        MakeIcoFile({EntryFor(b32, 32, 32, 0), EntryFor(png, 256, 32, 0)}, {b32, png});
    for (const std::string name : {"tools.ico", "tools.icon", "tools"}) {
        const auto picture =
            Thumbnail(src.Write(name, ico), 128, out.File("t.png"), scratch.Path());
        ASSERT_TRUE(picture) << name;
        EXPECT_EQ(picture->rgba, Render(png, 128)) << name;
    }
    Thumbnail(src.File("tools.ico"), 256, out.File("t.png"), scratch.Path());
    EXPECT_EQ(ReadFileBytes(out.File("t.png")), png) << "a PNG image at its own size is copied";
}

// Nothing is written (an earlier file at the output stays as it was), the status is 1, and the
// reason goes to stderr.
TEST(CliThumbnail, FilesWithoutAnIconWriteNothingAndFail) {
    TempFolder src, out, scratch;
    ResourceTree noIcons;
    noIcons.Add(16, 1, 0, Bytes(64));
    const Bytes b32 = MakeBmpImage(32, 32);
    Bytes truncated = MakeIcoFile({EntryFor(b32, 32, 32, 0)}, {b32});
    truncated.resize(truncated.size() / 2);
    ResourceTree brokenGroup;
    brokenGroup.Add(14, 1, 0, MakeGroup({EntryFor(b32, 32, 32, 99)}));
    Bytes damagedPng = MakePngImage(64, 64);
    damagedPng[damagedPng.size() / 2] ^= 0xFF; // the IDAT chunk's CRC no longer matches
    const Bytes damagedIco = MakeIcoFile({EntryFor(damagedPng, 64, 32, 0)}, {damagedPng});
    const std::string kept = out.Write("kept.png", Bytes{1, 2, 3});
    for (const std::string& input :
         {src.Write("plain.exe", BuildImageWithResources(noIcons)),
          src.Write("notes.txt", Bytes(100, 'x')), src.Write("cut.ico", truncated),
          src.Write("damaged-png.ico", damagedIco),
          src.Write("broken.dll", BuildImageWithResources(brokenGroup)), src.Write("empty.exe", {}),
          src.File("gone.exe"), src.Path()}) {
        const CliResult fresh =
            RunCli({"thumbnail", "-s", "128", input, out.File("new.png")}, scratch.Path());
        EXPECT_EQ(fresh.status, 1) << input;
        EXPECT_EQ(fresh.err.rfind("quarvel-cli: " + input + ": ", 0), 0u) << fresh.err;
        const CliResult over = RunCli({"thumbnail", "-s", "128", input, kept}, scratch.Path());
        EXPECT_EQ(over.status, 1) << input;
    }
    EXPECT_EQ(out.Names(), Lines{"kept.png"});
    EXPECT_EQ(ReadFileBytes(kept), (Bytes{1, 2, 3}));
}

TEST(CliThumbnail, UsageErrorsExitWithTwo) {
    TempFolder scratch;
    for (const Lines& args :
         {Lines{"thumbnail", "a.exe", "a.png"}, Lines{"thumbnail", "-s", "128", "a.exe"},
          Lines{"thumbnail", "-s", "128", "a.exe", "a.png", "b.png"},
          Lines{"thumbnail", "-s", "0", "a.exe", "a.png"},
          Lines{"thumbnail", "-s", "4097", "a.exe", "a.png"},
          Lines{"thumbnail", "-s", "12x", "a.exe", "a.png"},
          Lines{"thumbnail", "-x", "-s", "128", "a.exe", "a.png"}, Lines{"thumbnail", "-s"}}) {
        const CliResult r = RunCli(args, scratch.Path());
        EXPECT_EQ(r.status, 2) << args.size() << " " << args[1];
        EXPECT_NE(r.err.find("usage:"), std::string::npos);
    }
}

#ifndef _WIN32
// Every Wine program: the thumbnail is the engine's picture of its first group at 128 and 256
// pixels; a program without icons gets none.
TEST(CliThumbnail, WineProgramsShowTheirFirstGroup) {
    TempFolder out, scratch;
    int shown = 0;
    for (const std::string& path : WineLibraryFiles()) {
        if (path.size() < 4 || path.compare(path.size() - 4, 4, ".exe") != 0)
            continue;
        quarvel::cli::IconCollector icons;
        quarvel::ListIconGroups(path.c_str(), &icons);
        std::unique_ptr<quarvel::CIconImageSet> set;
        if (!icons.icons.empty())
            set = quarvel::ReadGroupImages(path.c_str(), icons.icons[0].Key(),
                                           icons.icons[0].language);
        for (const int side : {128, 256}) {
            const std::string thumb = out.File("t" + std::to_string(side) + ".png");
            if (set == nullptr) {
                Thumbnail(path, side, thumb, scratch.Path(), 1);
                EXPECT_TRUE(out.Names().empty()) << path;
                continue;
            }
            const auto choice = quarvel::ChooseImageForSide(*set, side);
            ASSERT_TRUE(choice) << path;
            const auto expected =
                quarvel::RenderImageAtSide(quarvel::ImageOf(*set, choice->entry), side);
            ASSERT_TRUE(expected) << path;
            const auto picture = Thumbnail(path, side, thumb, scratch.Path());
            ASSERT_TRUE(picture) << path << " at " << side;
            EXPECT_EQ(picture->width, expected->width) << path;
            EXPECT_EQ(picture->rgba, expected->pixels) << path << " at " << side;
            std::filesystem::remove(thumb);
            ++shown;
        }
    }
    if (shown == 0)
        GTEST_SKIP() << "Wine's programs are not installed";
}
#endif
