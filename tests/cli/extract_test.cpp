// quarvel-cli extract: file names, copies of .ico files, existing files and folder errors.
#include "engine/IconSizing.h"
#include "engine/PngWriter.h"
#include "support/CliRunner.h"
#include "support/IconData.h"
#include "support/PngDecoder.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quarvel::test;

namespace {

using Lines = std::vector<std::string>;

Bytes ImageWithIcons(const Bytes& image) {
    ResourceTree tree;
    tree.Add(3, 10, 0, image);
    const Bytes group = MakeGroup({EntryFor(image, 32, 8, 10)});
    tree.Add(14, u"MAINICON", 1033, group);
    tree.Add(14, 1, 1033, group);
    tree.Add(14, 1, 1031, group);
    return BuildImageWithResources(tree);
}

std::string In(const TempFolder& folder, const std::string& name) {
    return (std::filesystem::path(folder.Path()) / name).string();
}

} // namespace

TEST(CliExtract, NamesEachIconAfterItsFileAndGroup) {
    TempFolder src, out, scratch;
    const Bytes image = MakeBmpImage(32, 8);
    const std::string app = src.Write("app.exe", ImageWithIcons(image));
    const Bytes ico = MakeIcoFile({EntryFor(image, 32, 8, 0)}, {image});
    const std::string tools = src.Write("tools.ico", ico);
    const CliResult r = RunCli({"extract", "-o", out.Path(), app, tools}, scratch.Path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.OutLines(), (Lines{In(out, "app.exe#MAINICON.ico"), In(out, "app.exe#1@1033.ico"),
                                   In(out, "app.exe#1@1031.ico"), In(out, "tools.ico")}));
    EXPECT_EQ(out.Names(), (Lines{"app.exe#1@1031.ico", "app.exe#1@1033.ico",
                                  "app.exe#MAINICON.ico", "tools.ico"}));
    EXPECT_EQ(ReadFileBytes(In(out, "tools.ico")), ico) << "an .ico file is copied byte for byte";
    EXPECT_EQ(ReadFileBytes(In(out, "app.exe#1@1031.ico")).size(), 6 + 16 + image.size());
}

TEST(CliExtract, LeavesExistingFilesAloneUnlessAskedToOverwrite) {
    TempFolder src, out, scratch;
    const std::string app = src.Write("app.exe", ImageWithIcons(MakeBmpImage(32, 8)));
    const Bytes old(5, 0x11);
    const std::string kept = out.Write("app.exe#MAINICON.ico", old);
    const CliResult first = RunCli({"extract", "-o", out.Path(), app}, scratch.Path());
    EXPECT_EQ(first.status, 1);
    EXPECT_EQ(first.OutLines().size(), 2u) << "the other icons are still written";
    EXPECT_NE(first.err.find("quarvel-cli: " + kept + ": exists"), std::string::npos) << first.err;
    EXPECT_EQ(ReadFileBytes(kept), old);

    const CliResult second =
        RunCli({"extract", "--overwrite", "-o", out.Path(), app}, scratch.Path());
    EXPECT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(second.OutLines().size(), 3u);
    EXPECT_NE(ReadFileBytes(kept), old);
    EXPECT_EQ(out.Names().size(), 3u) << "no temporary files remain";
}

TEST(CliExtract, ReportsFoldersAndPathsThatCannotBeUsed) {
    TempFolder src, out, scratch;
    const std::string app = src.Write("app.exe", ImageWithIcons(MakeBmpImage(16, 4)));
    const std::string text = src.Write("readme.txt", Bytes(80, 'r'));
    const CliResult onFile = RunCli({"extract", "-o", text, app}, scratch.Path());
    EXPECT_EQ(onFile.status, 1);
    EXPECT_EQ(onFile.err, "quarvel-cli: " + text + ": is not a folder\n");
    const std::string underFile = In(src, "readme.txt/out");
    const CliResult noFolder = RunCli({"extract", "-o", underFile, app}, scratch.Path());
    EXPECT_EQ(noFolder.status, 1);
    EXPECT_EQ(noFolder.err, "quarvel-cli: " + underFile + ": cannot be created\n");

    const CliResult notImage = RunCli({"extract", "-o", out.Path(), text, app}, scratch.Path());
    EXPECT_EQ(notImage.status, 1);
    EXPECT_EQ(notImage.OutLines().size(), 3u);
    EXPECT_EQ(notImage.err, "quarvel-cli: " + text + ": not a Win32 image or .ico file\n");
}

TEST(CliExtract, OutputFolderIsMadeWithItsMissingParents) {
    TempFolder src, out, scratch;
    const std::string app = src.Write("app.exe", ImageWithIcons(MakeBmpImage(16, 4)));
    namespace fs = std::filesystem;
    const fs::path deep = fs::u8path(out.Path()) / "a" / fs::u8path(u8"ü b") / "c";
    const CliResult r = RunCli({"extract", "-o", deep.u8string(), app}, scratch.Path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.OutLines().size(), 3u);
    EXPECT_TRUE(std::filesystem::exists(deep / "app.exe#MAINICON.ico"));
}

TEST(CliExtract, PngTakesTheLargestImageOrWithAllSizesEveryImage) {
    TempFolder src, out, all, scratch;
    const Bytes small = MakeBmpImage(16, 4), large = MakeBmpImage(48, 32),
                mid = MakeBmpImage(32, 8);
    const Bytes png = MakePngImage(64, 64);
    ResourceTree tree;
    AddIconGroup(tree, 1, 0, {small, large, mid, mid}, {16, 48, 32, 32}, {4, 32, 8, 8}, 10);
    const std::string dll = src.Write("lib.dll", BuildImageWithResources(tree));
    const std::string ico =
        src.Write("tools.ico",
                  MakeIcoFile({EntryFor(small, 16, 4, 0), EntryFor(png, 64, 32, 0)}, {small, png}));
    const CliResult r =
        RunCli({"extract", "--format", "png", "-o", out.Path(), dll, ico}, scratch.Path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.OutLines(), (Lines{In(out, "lib.dll#1.png"), In(out, "tools.png")}));
    const auto largest = DecodePng(ReadFileBytes(In(out, "lib.dll#1.png")));
    ASSERT_TRUE(largest);
    EXPECT_EQ(largest->width, 48);
    EXPECT_EQ(ReadFileBytes(In(out, "tools.png")), png) << "a PNG image is copied as it is";

    const CliResult every = RunCli(
        {"extract", "--format", "png", "--all-sizes", "-o", all.Path(), dll, ico}, scratch.Path());
    EXPECT_EQ(every.status, 0) << every.err;
    EXPECT_EQ(all.Names(),
              (Lines{"lib.dll#1-16x16x4.png", "lib.dll#1-32x32x8-2.png", "lib.dll#1-32x32x8.png",
                     "lib.dll#1-48x48x32.png", "tools-16x16x4.png", "tools-64x64x32.png"}));
    for (const std::string& name : all.Names())
        EXPECT_TRUE(DecodePng(ReadFileBytes(In(all, name)))) << name;
}

TEST(CliExtract, SizeWritesEachIconAtThatSizeAsTheEngineRendersIt) {
    TempFolder src, scratch;
    quarvel::RgbaImage disc;
    disc.width = disc.height = 256;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const bool inside = (x - 128) * (x - 128) + (y - 128) * (y - 128) < 100 * 100;
            disc.pixels.insert(disc.pixels.end(),
                               {static_cast<std::uint8_t>(x), 40, static_cast<std::uint8_t>(y),
                                static_cast<std::uint8_t>(inside ? 255 : 0)});
        }
    const Bytes png = *quarvel::EncodePng(disc);
    const Bytes b16 = MakeBmpImage(16, 32), b48 = MakeBmpImage(48, 32), b32 = MakeBmpImage(32, 8);
    ResourceTree tree;
    AddIconGroup(tree, 1, 0, {b16, png, b48}, {16, 256, 48}, {32, 32, 32}, 10);
    const std::string dll = src.Write("lib.dll", BuildImageWithResources(tree));
    const std::string ico = src.Write(
        "tools.ico", MakeIcoFile({EntryFor(b16, 16, 32, 0), EntryFor(b32, 32, 8, 0)}, {b16, b32}));
    auto render = [](const Bytes& image, int side) {
        return quarvel::RenderImageAtSide(quarvel::ByteView(image.data(), image.size()), side)
            ->pixels;
    };

    for (const auto& [size, dllName, dllImage, icoName] :
         std::vector<std::tuple<std::string, std::string, Bytes, std::string>>{
             {"96", "lib.dll#1-96x96x32.png", png, "tools-32x32x8.png"},
             {"48", "lib.dll#1-48x48x32.png", b48, "tools-32x32x8.png"},
             {"24", "lib.dll#1-24x24x32.png", b48, "tools-24x24x32.png"},
             {"16", "lib.dll#1-16x16x32.png", b16, "tools-16x16x32.png"}}) {
        TempFolder out;
        const CliResult r =
            RunCli({"extract", "--format", "png", "--size", size, "-o", out.Path(), dll, ico},
                   scratch.Path());
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.OutLines(), (Lines{In(out, dllName), In(out, icoName)}));
        const auto written = DecodePng(ReadFileBytes(In(out, dllName)));
        ASSERT_TRUE(written) << dllName;
        EXPECT_EQ(written->rgba, render(dllImage, std::stoi(size))) << dllName;
        const auto fromIco = DecodePng(ReadFileBytes(In(out, icoName)));
        ASSERT_TRUE(fromIco) << icoName;
        EXPECT_EQ(fromIco->width, std::min(32, std::stoi(size))) << "never scaled up";
    }
}

// A damaged PNG image is not passed on as the icon at a size, scaled or not.
TEST(CliExtract, SizeRefusesAnImageThatDoesNotDecode) {
    TempFolder src, out, scratch;
    Bytes png = MakePngImage(64, 64);
    png[png.size() / 2] ^= 0xFF;
    const std::string ico = src.Write("bad.ico", MakeIcoFile({EntryFor(png, 64, 32, 0)}, {png}));
    for (const char* size : {"64", "32"}) {
        const CliResult r = RunCli(
            {"extract", "--format", "png", "--size", size, "-o", out.Path(), ico}, scratch.Path());
        EXPECT_EQ(r.status, 1) << size;
        EXPECT_NE(r.err.find("the image cannot be decoded"), std::string::npos) << r.err;
    }
    EXPECT_TRUE(out.Names().empty());
}

TEST(CliExtract, UsageErrorsExitWithTwo) {
    TempFolder scratch;
    for (const Lines& args :
         {Lines{"extract", "a.dll"}, Lines{"extract", "-o", "x"},
          Lines{"extract", "--format", "gif", "-o", "x", "a"}, Lines{"extract", "-o"},
          Lines{"extract", "--all-sizes", "-o", "x", "a"},
          Lines{"extract", "--size", "32", "-o", "x", "a"},
          Lines{"extract", "--format", "png", "--size", "0", "-o", "x", "a"},
          Lines{"extract", "--format", "png", "--size", "257", "-o", "x", "a"},
          Lines{"extract", "--format", "png", "--size", "4x", "-o", "x", "a"},
          Lines{"extract", "--format", "png", "--size", "-o", "x", "a"},
          Lines{"extract", "--format", "png", "--all-sizes", "--size", "32", "-o", "x", "a"}}) {
        const CliResult r = RunCli(args, scratch.Path());
        EXPECT_EQ(r.status, 2) << args.size();
        EXPECT_NE(r.err.find("usage:"), std::string::npos);
    }
}

#ifndef _WIN32
TEST(CliExtract, BitmapsAreOnlyAvailableInTheWindowsBuild) {
    TempFolder src, out, scratch;
    const std::string app = src.Write("app.exe", ImageWithIcons(MakeBmpImage(16, 4)));
    const CliResult r =
        RunCli({"extract", "--format", "bmp", "-o", out.Path(), app}, scratch.Path());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("available only in the Windows build"), std::string::npos);
    EXPECT_TRUE(out.Names().empty());
}
#else
TEST(CliExtract, BitmapsAreTheDisplayIconOnTheWindowColour) {
    TempFolder src, out, scratch;
    const std::string app = src.Write("app.exe", ImageWithIcons(MakeBmpImage(32, 8)));
    const CliResult r =
        RunCli({"extract", "--format", "bmp", "-o", out.Path(), app}, scratch.Path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(out.Names(),
              (Lines{"app.exe#1@1031.bmp", "app.exe#1@1033.bmp", "app.exe#MAINICON.bmp"}));
    const Bytes bmp = ReadFileBytes(In(out, "app.exe#MAINICON.bmp"));
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
}

TEST(CliExtract, BitmapsOfIconsWithOversizedImagesFailCleanly) {
    // A PNG image of more than a million pixels would make the system decode all of them.
    const Bytes small = MakeBmpImage(32, 8), oversized = MakePngImage(1025, 1024);
    TempFolder src, out, scratch;
    const std::string ico = src.Write(
        "big.ico", MakeIcoFile({EntryFor(small, 32, 8, 0), EntryFor(oversized, 256, 32, 0)},
                               {small, oversized}));
    ResourceTree tree;
    AddIconGroup(tree, 1, 0, {small, oversized}, {32, 256}, {8, 32}, 1);
    const std::string dll = src.Write("big.dll", BuildImageWithResources(tree));
    const CliResult r =
        RunCli({"extract", "--format", "bmp", "-o", out.Path(), ico, dll}, scratch.Path());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("big.bmp"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("big.dll#1.bmp"), std::string::npos) << r.err;
    EXPECT_TRUE(out.Names().empty());
}
#endif
