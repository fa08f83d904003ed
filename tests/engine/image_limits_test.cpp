// The oversized-image rule: PNG images whose header promises more pixels than is cheap to decode.
#include "engine/ImageLimits.h"
#include "engine/PEFile.h"
#include "support/IconData.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

using namespace quarvel;
using namespace quarvel::test;

namespace {

ByteView View(const Bytes& b) {
    return ByteView(b.data(), b.size());
}

void PutU32Be(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
}

// A small PNG whose IHDR promises width x height pixels (only the header is read).
Bytes PngPromising(std::uint32_t width, std::uint32_t height) {
    Bytes png = MakePngImage(1, 1);
    PutU32Be(png, 16, width);
    PutU32Be(png, 20, height);
    return png;
}

} // namespace

TEST(ImageLimits, PngImagesAboveAMillionPixelsAreOversized) {
    const Bytes atLimit = PngPromising(1024, 1024), aboveLimit = PngPromising(1025, 1024),
                oneTall = PngPromising(1024 * 1024 + 1, 1), wrapping = PngPromising(65536, 65536);
    EXPECT_EQ(PngPixels(View(atLimit)), kMaxDecodedPixels);
    EXPECT_FALSE(IsOversizedImage(View(atLimit)));
    EXPECT_TRUE(IsOversizedImage(View(aboveLimit)));
    EXPECT_TRUE(IsOversizedImage(View(oneTall)));
    // 2^32 pixels: a 32-bit product would wrap to 0.
    EXPECT_EQ(PngPixels(View(wrapping)), std::uint64_t{1} << 32);
    EXPECT_TRUE(IsOversizedImage(View(wrapping)));
    EXPECT_FALSE(IsOversizedImage(View(MakePngImage(256, 256))));
}

TEST(ImageLimits, BitmapsAndTruncatedHeadersAreNotCounted) {
    Bytes wideBitmap = MakeBmpImage(16, 8);
    wideBitmap[4] = 0x00;
    wideBitmap[5] = 0x40; // biWidth 16384: its pixels would have to be in the file
    EXPECT_EQ(PngPixels(View(wideBitmap)), 0u);
    EXPECT_FALSE(IsOversizedImage(View(wideBitmap)));

    // The height ends at byte 24 of the stream.
    const Bytes huge = PngPromising(16384, 16384);
    EXPECT_EQ(PngPixels(ByteView(huge.data(), 23)), 0u);
    EXPECT_FALSE(IsOversizedImage(ByteView(huge.data(), 23)));
    EXPECT_EQ(PngPixels(ByteView(huge.data(), 24)), 16384u * 16384u);
    EXPECT_EQ(PngPixels(ByteView(huge.data(), 8)), 0u);
}

TEST(ImageLimits, IcoFilesWithAnyOversizedEntry) {
    TempFolder dir;
    const Bytes small = MakeBmpImage(32, 32), huge = PngPromising(16384, 16384);
    const std::string mixed =
        dir.Write("mixed.ico", MakeIcoFile({EntryFor(small, 32, 32, 0), EntryFor(huge, 256, 32, 0)},
                                           {small, huge}));
    const std::string plain =
        dir.Write("plain.ico", MakeIcoFile({EntryFor(small, 32, 32, 0), EntryFor(small, 32, 32, 0)},
                                           {small, small}));
    EXPECT_TRUE(IcoFileHasOversizedImage(mixed.c_str()));
    EXPECT_FALSE(IcoFileHasOversizedImage(plain.c_str()));
    EXPECT_FALSE(IcoFileHasOversizedImage(dir.File("missing.ico").c_str()));
    EXPECT_FALSE(IcoFileHasOversizedImage(nullptr));

    // A directory cut short, and an entry pointing past the end: what is there is still read.
    Bytes cut = ReadFileBytes(mixed);
    cut.resize(6 + 16 + 4);
    EXPECT_FALSE(IcoFileHasOversizedImage(dir.Write("cut.ico", cut).c_str()));
    Bytes pastEnd = ReadFileBytes(mixed);
    pastEnd[6 + 12] = 0xFF; // the first entry's image offset
    pastEnd[6 + 15] = 0xFF;
    EXPECT_TRUE(IcoFileHasOversizedImage(dir.Write("past_end.ico", pastEnd).c_str()));
}

TEST(ImageLimits, GroupsAreLookedUpAsTheirDisplayIcon) {
    const Bytes small = MakeBmpImage(32, 32), huge = PngPromising(16384, 16384);
    ResourceTree tree;
    AddIconGroup(tree, 1, 1033, {small, small}, {32, 32}, {32, 32}, 1);
    AddIconGroup(tree, 2, 1033, {small, huge}, {32, 256}, {32, 32}, 3);
    // Group 3 names image 10, stored only in another language.
    tree.Add(3, 10, 1031, huge);
    tree.Add(14, 3, 1033, MakeGroup({EntryFor(huge, 256, 32, 10)}));
    const Bytes pe = BuildImageWithResources(tree);
    CPEFile file(pe.data(), pe.size());
    ASSERT_TRUE(file.IsOpen());
    EXPECT_FALSE(GroupHasOversizedImage(file, 1, 1033));
    EXPECT_TRUE(GroupHasOversizedImage(file, 2, 1033));
    EXPECT_TRUE(GroupHasOversizedImage(file, 2, 1036)) << "the group of another language";
    EXPECT_TRUE(GroupHasOversizedImage(file, 3, 1033)) << "an image of another language";
    EXPECT_FALSE(GroupHasOversizedImage(file, 4, 1033));
}
