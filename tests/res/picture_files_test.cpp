// The generated picture files are well formed: BMP headers and palettes, icon directories with
// their images (PNG chunks and CRCs included), and the AVI clip's chunks and index.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes ReadPicture(const std::string& name) {
    std::ifstream in(std::string(QUARVEL_PICTURES_DIR) + "/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t Le32(const Bytes& b, size_t at) {
    return at + 4 <= b.size() ? b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24
                              : 0;
}
uint16_t Le16(const Bytes& b, size_t at) {
    return at + 2 <= b.size() ? uint16_t(b[at] | b[at + 1] << 8) : 0;
}
uint32_t Be32(const Bytes& b, size_t at) {
    return at + 4 <= b.size() ? uint32_t(b[at]) << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3]
                              : 0;
}
bool TagAt(const Bytes& b, size_t at, const char* tag) {
    return at + 4 <= b.size() && std::memcmp(b.data() + at, tag, 4) == 0;
}

uint32_t Crc32(const unsigned char* data, size_t size) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

struct BmpInfo {
    int32_t width, height;
    uint16_t bit_count;
    uint32_t colours;
};

BmpInfo ExpectValidBmp(const Bytes& file) {
    EXPECT_GE(file.size(), 54u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(Le32(file, 2), file.size()) << "file size field";
    BmpInfo info{int32_t(Le32(file, 18)), int32_t(Le32(file, 22)), Le16(file, 28), Le32(file, 46)};
    EXPECT_EQ(Le32(file, 14), 40u);
    EXPECT_EQ(Le32(file, 30), 0u) << "uncompressed";
    uint32_t stride = (info.width * info.bit_count + 31) / 32 * 4;
    uint32_t offset = Le32(file, 10);
    EXPECT_EQ(offset, 14 + 40 + 4 * info.colours);
    EXPECT_EQ(file.size(), offset + stride * uint32_t(info.height));
    return info;
}

uint32_t PaletteEntry(const Bytes& file, uint32_t index) {
    size_t at = 54 + 4 * index;
    return uint32_t(file[at + 2]) << 16 | file[at + 1] << 8 | file[at]; // 0xRRGGBB
}

TEST(PictureFiles, ToolbarAndNetworkStripsAreEightBitOnMagenta) {
    for (const char* name : {"toolbar.bmp", "toolbar_buttons.bmp", "network.bmp"}) {
        SCOPED_TRACE(name);
        Bytes file = ReadPicture(name);
        BmpInfo info = ExpectValidBmp(file);
        EXPECT_EQ(info.bit_count, 8);
        EXPECT_EQ(info.height, 16);
        EXPECT_EQ(info.width % 16, 0);
        EXPECT_LE(info.colours, 256u);
        EXPECT_EQ(PaletteEntry(file, 0), 0xFF00FFu)
            << "magenta, the transparent colour, comes first";
    }
    EXPECT_GE(ExpectValidBmp(ReadPicture("toolbar.bmp")).width, 13 * 16);
    EXPECT_EQ(ExpectValidBmp(ReadPicture("network.bmp")).width, 4 * 16);
}

TEST(PictureFiles, TabImagesUseTheSixteenColourPaletteWithLightGrey) {
    Bytes file = ReadPicture("tabs.bmp");
    BmpInfo info = ExpectValidBmp(file);
    EXPECT_EQ(info.bit_count, 4);
    EXPECT_EQ(info.width, 32);
    EXPECT_EQ(info.colours, 16u);
    bool has_light_grey = false;
    for (uint32_t k = 0; k < 16; ++k)
        has_light_grey |= PaletteEntry(file, k) == 0xC0C0C0u;
    EXPECT_TRUE(has_light_grey);
}

// Checks a PNG image and returns its width.
uint32_t ExpectValidPng(const Bytes& png) {
    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_EQ(std::memcmp(png.data(), signature, 8), 0);
    size_t at = 8;
    bool ended = false;
    uint32_t width = 0;
    while (at + 12 <= png.size() && !ended) {
        uint32_t length = Be32(png, at);
        EXPECT_LE(at + 12 + length, png.size()) << "chunk runs past the end";
        if (at + 12 + length > png.size())
            break;
        EXPECT_EQ(Crc32(png.data() + at + 4, length + 4), Be32(png, at + 8 + length))
            << "CRC of chunk " << std::string(png.begin() + at + 4, png.begin() + at + 8);
        if (TagAt(png, at + 4, "IHDR")) {
            width = Be32(png, at + 8);
            EXPECT_EQ(png[at + 16], 8) << "8 bits per channel";
            EXPECT_EQ(png[at + 17], 6) << "RGBA";
        }
        ended = TagAt(png, at + 4, "IEND");
        at += 12 + length;
    }
    EXPECT_TRUE(ended);
    EXPECT_EQ(at, png.size());
    return width;
}

// Checks an icon file and returns the sizes of its images.
std::vector<uint32_t> ExpectValidIco(const Bytes& ico) {
    EXPECT_EQ(Le16(ico, 0), 0);
    EXPECT_EQ(Le16(ico, 2), 1);
    uint16_t count = Le16(ico, 4);
    std::vector<uint32_t> sizes;
    size_t expected_offset = 6 + 16 * count;
    for (uint16_t k = 0; k < count; ++k) {
        size_t entry = 6 + 16 * k;
        uint32_t size = ico[entry] ? ico[entry] : 256;
        uint32_t bytes = Le32(ico, entry + 8), offset = Le32(ico, entry + 12);
        EXPECT_EQ(offset, expected_offset) << "images follow each other";
        EXPECT_LE(offset + bytes, ico.size());
        if (offset + bytes > ico.size())
            break;
        Bytes image(ico.begin() + offset, ico.begin() + offset + bytes);
        if (size == 256) {
            EXPECT_EQ(ExpectValidPng(image), 256u);
        } else {
            EXPECT_EQ(Le32(image, 0), 40u);
            EXPECT_EQ(Le32(image, 4), size);
            EXPECT_EQ(Le32(image, 8), 2 * size) << "colour and mask";
            EXPECT_EQ(Le16(image, 14), 32);
            uint32_t mask_stride = (size + 31) / 32 * 4;
            EXPECT_EQ(bytes, 40 + size * size * 4 + mask_stride * size);
        }
        sizes.push_back(size);
        expected_offset = offset + bytes;
    }
    EXPECT_EQ(expected_offset, ico.size());
    return sizes;
}

TEST(PictureFiles, ApplicationIconHoldsFourSizesTheLargestAsPng) {
    EXPECT_EQ(ExpectValidIco(ReadPicture("quarvel.ico")), (std::vector<uint32_t>{16, 32, 48, 256}));
}

TEST(PictureFiles, SaveDialogIconHoldsSmallAndLargeImages) {
    EXPECT_EQ(ExpectValidIco(ReadPicture("batch_save.ico")), (std::vector<uint32_t>{16, 32, 48}));
}

// The installer's pages show these at their own size: any other size comes out stretched.
TEST(PictureFiles, InstallerPicturesAreTwentyFourBitAtThePagesSizes) {
    BmpInfo sidebar = ExpectValidBmp(ReadPicture("installer_sidebar.bmp"));
    EXPECT_EQ(std::vector<int32_t>({sidebar.width, sidebar.height, sidebar.bit_count}),
              std::vector<int32_t>({164, 314, 24}));
    BmpInfo header = ExpectValidBmp(ReadPicture("installer_header.bmp"));
    EXPECT_EQ(std::vector<int32_t>({header.width, header.height, header.bit_count}),
              std::vector<int32_t>({150, 57, 24}));
    EXPECT_EQ(ExpectValidIco(ReadPicture("uninstall.ico")), (std::vector<uint32_t>{16, 32, 48}));
}

TEST(PictureFiles, IconImagesAreNotBlank) {
    Bytes ico = ReadPicture("quarvel.ico");
    // The 32-pixel image: count the pixels with some opacity.
    uint32_t offset = Le32(ico, 6 + 16 + 12);
    int opaque = 0;
    for (int k = 0; k < 32 * 32; ++k)
        opaque += ico.at(offset + 40 + 4 * k + 3) > 0;
    EXPECT_GT(opaque, 32 * 32 / 3);
    EXPECT_LT(opaque, 32 * 32);
}

TEST(PictureFiles, ClipIsARiffAviWithAnIndexToEveryFrame) {
    Bytes avi = ReadPicture("search.avi");
    ASSERT_TRUE(TagAt(avi, 0, "RIFF"));
    ASSERT_TRUE(TagAt(avi, 8, "AVI "));
    EXPECT_EQ(Le32(avi, 4) + 8, avi.size());

    // Top level: LIST hdrl, LIST movi, idx1.
    size_t at = 12, movi = 0, index = 0, index_size = 0;
    while (at + 8 <= avi.size()) {
        uint32_t size = Le32(avi, at + 4);
        ASSERT_LE(at + 8 + size, avi.size());
        if (TagAt(avi, at, "LIST") && TagAt(avi, at + 8, "movi"))
            movi = at + 8;
        if (TagAt(avi, at, "idx1"))
            index = at + 8, index_size = size;
        at += 8 + size + (size & 1);
    }
    EXPECT_EQ(at, avi.size());
    ASSERT_TRUE(TagAt(avi, 12, "LIST") && TagAt(avi, 20, "hdrl") && TagAt(avi, 24, "avih"));
    uint32_t frames = Le32(avi, 32 + 16), width = Le32(avi, 32 + 32), height = Le32(avi, 32 + 36);
    ASSERT_NE(movi, 0u);
    ASSERT_NE(index, 0u);
    EXPECT_EQ(index_size, 16 * frames);

    uint32_t frame_bytes = (width + 3) / 4 * 4 * height;
    for (uint32_t k = 0; k < frames; ++k) {
        size_t entry = index + 16 * k;
        EXPECT_TRUE(TagAt(avi, entry, "00db"));
        size_t chunk = movi + Le32(avi, entry + 8);
        EXPECT_TRUE(TagAt(avi, chunk, "00db")) << "frame " << k;
        EXPECT_EQ(Le32(avi, chunk + 4), Le32(avi, entry + 12));
        EXPECT_EQ(Le32(avi, entry + 12), frame_bytes);
    }
}

} // namespace
