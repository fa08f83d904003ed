// The check that icon images pass before the system builds icons from them, and the choice of an
// .ico file's display image.
#include "engine/DisplayImage.h"
#include "engine/ImageCheck.h"
#include "support/IconData.h"

#include <gtest/gtest.h>

using namespace quarvel;
using namespace quarvel::test;

namespace {

ByteView View(const Bytes& b) {
    return ByteView(b.data(), b.size());
}

void PutU16(Bytes& b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void PutU32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void PutU32Be(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
}

// A 32x32 bitmap of `bits` with one header field changed.
Bytes BitmapWith(int bits, std::size_t at, std::uint32_t value, int width = 4) {
    Bytes image = MakeBmpImage(32, bits);
    if (width == 2)
        PutU16(image, at, static_cast<std::uint16_t>(value));
    else
        PutU32(image, at, value);
    return image;
}

// A 16x16 PNG with one IHDR byte changed (offsets from the start of the stream).
Bytes PngWithByte(std::size_t at, std::uint8_t value) {
    Bytes png = MakePngImage(16, 16);
    png[at] = value;
    return png;
}

} // namespace

TEST(ImageCheck, SoundImagesPassAndEveryColourByteTheyPromiseMustBeThere) {
    std::vector<std::uint8_t> scratch;
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        for (int side : {16, 32, 48, 256}) {
            const Bytes image = MakeBmpImage(side, bits);
            SCOPED_TRACE(testing::Message() << side << "px, " << bits << " bits");
            const std::size_t mask = BitmapMaskBytes(View(image));
            EXPECT_EQ(BitmapImageBytes(View(image)), image.size());
            EXPECT_EQ(mask, static_cast<std::size_t>((side + 31) / 32 * 4 * side));
            const auto whole = ImageForSystem(View(image), scratch);
            ASSERT_TRUE(whole);
            EXPECT_EQ(whole->Data(), image.data()); // handed over as it is
            // Without its mask (as 32-bit images often come), the system gets a copy with an
            // empty mask added; a colour byte short, nothing.
            const ByteView maskless(image.data(), image.size() - mask);
            const auto completed = ImageForSystem(maskless, scratch);
            ASSERT_TRUE(completed);
            EXPECT_EQ(completed->Size(), image.size());
            EXPECT_EQ(Bytes(completed->Data(), completed->Data() + maskless.Size()),
                      Bytes(image.begin(), image.end() - mask));
            EXPECT_EQ(completed->Data()[completed->Size() - 1], 0);
            EXPECT_FALSE(IsSoundIconImage(ByteView(image.data(), maskless.Size() - 1)));
            EXPECT_FALSE(ImageForSystem(ByteView(image.data(), maskless.Size() - 1), scratch));
        }
    }
    const Bytes png = MakePngImage(256, 256);
    EXPECT_TRUE(IsSoundIconImage(View(png)));
    // Only the header is judged: the system's decoder copes with a cut stream.
    EXPECT_TRUE(IsSoundIconImage(ByteView(png.data(), 33)));
    EXPECT_FALSE(IsSoundIconImage(ByteView(png.data(), 32)));
    EXPECT_FALSE(IsSoundIconImage(ByteView()));
}

TEST(ImageCheck, BitmapHeadersTheSystemWouldMisreadAreRefused) {
    const std::vector<std::pair<const char*, Bytes>> refused = {
        {"core header", BitmapWith(8, 0, 12)},
        {"header of 39", BitmapWith(8, 0, 39)},
        {"header past the image", BitmapWith(8, 0, 0xFFFFFFFF)},
        {"width 0", BitmapWith(8, 4, 0)},
        {"negative width", BitmapWith(8, 4, 0xFFFFFFE0)},
        {"width past the limit", BitmapWith(8, 4, kMaxBitmapSide + 1)},
        {"height 1 holds no mask", BitmapWith(8, 8, 1)},
        {"top-down height", BitmapWith(8, 8, 0xFFFFFFC0)},
        {"height that promises more colour rows", BitmapWith(8, 8, 80)},
        {"planes 0", BitmapWith(8, 12, 0, 2)},
        {"planes 2", BitmapWith(8, 12, 2, 2)},
        {"bit count 0", BitmapWith(8, 14, 0, 2)},
        {"bit count 2", BitmapWith(8, 14, 2, 2)},
        {"bit count 64", BitmapWith(8, 14, 64, 2)},
        {"compressed", BitmapWith(8, 16, 1)},
        {"more colours than 8 bits index", BitmapWith(8, 32, 257)},
        {"more colours than 4 bits index", BitmapWith(4, 32, 17)},
        {"a colour table a 32-bit image does not hold", BitmapWith(32, 32, 256)},
        {"colour count that wraps", BitmapWith(32, 32, 0x40000001)},
    };
    for (const auto& [what, image] : refused) {
        SCOPED_TRACE(what);
        EXPECT_FALSE(IsSoundIconImage(View(image)));
    }
    // A shorter colour table than the depth could index is fine: the image holds what it says.
    Bytes fewColours = MakeBmpImage(32, 8);
    PutU32(fewColours, 32, 16);
    EXPECT_EQ(BitmapImageBytes(View(fewColours)), fewColours.size() - 4 * (256 - 16));
    EXPECT_EQ(BitmapImageBytes(View(BitmapWith(8, 8, 0xFFFFFFFF))), 0u);
}

TEST(ImageCheck, PngStreamsNeedASaneHeaderFirst) {
    const Bytes png = MakePngImage(16, 16);
    Bytes wrongLength = png, wrongType = png, wide = png, tall = png, huge = png;
    PutU32Be(wrongLength, 8, 14);
    wrongType[12] = 'i';
    PutU32Be(wide, 16, 0);
    PutU32Be(tall, 20, 0x80000000u);
    PutU32Be(huge, 16, 2048);
    PutU32Be(huge, 20, 2048);
    const std::vector<std::pair<const char*, Bytes>> refused = {
        {"signature only", Bytes(png.begin(), png.begin() + 8)},
        {"chunk length not 13", wrongLength},
        {"first chunk not IHDR", wrongType},
        {"width 0", wide},
        {"height past 2^31 - 1", tall},
        {"more pixels than are cheap to decode", huge},
        {"RGBA of 4 bits", PngWithByte(24, 4)},
        {"palette of 16 bits",
         [] {
             Bytes b = PngWithByte(25, 3);
             b[24] = 16;
             return b;
         }()},
        {"colour type 5", PngWithByte(25, 5)},
        {"compression method 1", PngWithByte(26, 1)},
        {"filter method 1", PngWithByte(27, 1)},
        {"interlace method 2", PngWithByte(28, 2)},
    };
    for (const auto& [what, image] : refused) {
        SCOPED_TRACE(what);
        EXPECT_FALSE(IsSoundIconImage(View(image)));
    }
    EXPECT_TRUE(IsSoundIconImage(View(PngWithByte(28, 1)))); // Adam7 interlacing
}

TEST(IcoDisplayImage, TheDeepestImageOfTheWidthElseEntryZeroElseTheFirstInsideTheFile) {
    const Bytes i16 = MakeBmpImage(16, 8), i32 = MakeBmpImage(32, 8), j32 = MakeBmpImage(32, 4);
    const Bytes ico =
        MakeIcoFile({EntryFor(i16, 16, 8, 1), EntryFor(j32, 32, 4, 2), EntryFor(i32, 32, 8, 3)},
                    {i16, j32, i32});
    const std::size_t firstImage = 6 + 3 * 16;
    auto chosen = ChooseIcoDisplayImage(*IcoDirectory::Parse(View(ico)), 32);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->Data(), ico.data() + firstImage + i16.size() + j32.size());
    chosen = ChooseIcoDisplayImage(*IcoDirectory::Parse(View(ico)), 24);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->Data(), ico.data() + firstImage);

    // Entry 0 points past the end: the next image inside the file stands in.
    Bytes broken = ico;
    PutU32(broken, 6 + 12, static_cast<std::uint32_t>(ico.size()));
    chosen = ChooseIcoDisplayImage(*IcoDirectory::Parse(View(broken)), 24);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->Data(), broken.data() + firstImage + i16.size());

    Bytes cursor = ico, noEntries = ico;
    PutU16(cursor, 2, 2);
    PutU16(noEntries, 4, 0);
    EXPECT_FALSE(ChooseIcoDisplayImage(*IcoDirectory::Parse(View(cursor)), 32));
    EXPECT_FALSE(ChooseIcoDisplayImage(*IcoDirectory::Parse(View(noEntries)), 32));
    EXPECT_FALSE(
        ChooseIcoDisplayImage(*IcoDirectory::Parse(ByteView(ico.data(), firstImage - 1)), 32));
}
