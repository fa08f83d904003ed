// Makes icon images, group directories and .ico files for the tests.
#include "IconData.h"

namespace quarvel::test {

namespace {

void Put16(Bytes& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}
void Append32Be(Bytes& b, std::uint32_t v) {
    for (int i = 3; i >= 0; --i)
        b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void AppendChunk(Bytes& png, const char* type, const Bytes& data) {
    Append32Be(png, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    Append32Be(png, Crc32(png.data() + start, png.size() - start));
}

} // namespace

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xFFFFFFFFu;
}

Bytes MakeBmpImage(int width, int bitCount, std::uint8_t seed) {
    const int height = width;
    const int colours = bitCount <= 8 ? 1 << bitCount : 0;
    const int xorStride = (width * bitCount + 31) / 32 * 4;
    const int andStride = (width + 31) / 32 * 4;
    Bytes b(40 + 4 * colours + (xorStride + andStride) * height, 0);
    Put32(b, 0, 40);
    Put32(b, 4, static_cast<std::uint32_t>(width));
    Put32(b, 8, static_cast<std::uint32_t>(2 * height));
    Put16(b, 12, 1);
    Put16(b, 14, static_cast<std::uint32_t>(bitCount));
    Put32(b, 20, static_cast<std::uint32_t>((xorStride + andStride) * height));
    // Colour 0 stays black: transparent pixels use it, so they leave the background as it is.
    for (int i = 1; i < colours; ++i)
        Put32(b, 40 + 4 * i, static_cast<std::uint32_t>(i * 0x010203 + seed));
    const std::size_t bits = 40 + 4 * static_cast<std::size_t>(colours);
    const std::size_t mask = bits + static_cast<std::size_t>(xorStride) * height;
    // Transparent (mask 1, colour 0) in the quarter x < width/2, row >= height/2 of the
    // bottom-up rows; everything else opaque in a colour pattern (alpha 255 at 32 bits).
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool transparent = x < width / 2 && y >= height / 2;
            if (transparent)
                b[mask + andStride * y + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            for (int bit = 0; bit < bitCount; ++bit) {
                const std::size_t at = static_cast<std::size_t>(x) * bitCount + bit;
                const bool alpha = bitCount == 32 && bit >= 24;
                const bool on = !transparent && (alpha || ((x * 7 + y * 3 + seed + bit) % 3 == 0));
                if (on)
                    b[bits + xorStride * y + at / 8] |= static_cast<std::uint8_t>(0x80 >> (at % 8));
            }
        }
    }
    return b;
}

Bytes MakePngImage(int width, int height, std::uint8_t seed) {
    Bytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    Bytes ihdr;
    Append32Be(ihdr, static_cast<std::uint32_t>(width));
    Append32Be(ihdr, static_cast<std::uint32_t>(height));
    ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});
    AppendChunk(png, "IHDR", ihdr);
    // Raw scanlines (filter 0, RGBA), then a zlib stream of stored blocks.
    Bytes raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < width; ++x)
            raw.insert(raw.end(),
                       {static_cast<std::uint8_t>(x + seed), static_cast<std::uint8_t>(y),
                        static_cast<std::uint8_t>(x ^ y), 255});
    }
    Bytes z = {0x78, 0x01};
    std::size_t done = 0;
    do {
        const std::size_t n = std::min<std::size_t>(raw.size() - done, 65535);
        z.push_back(done + n == raw.size() ? 1 : 0);
        z.insert(z.end(), {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                           static_cast<std::uint8_t>(~n), static_cast<std::uint8_t>(~n >> 8)});
        z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(done),
                 raw.begin() + static_cast<std::ptrdiff_t>(done + n));
        done += n;
    } while (done < raw.size());
    std::uint32_t a = 1, bsum = 0;
    for (std::uint8_t c : raw) {
        a = (a + c) % 65521;
        bsum = (bsum + a) % 65521;
    }
    Append32Be(z, (bsum << 16) | a);
    AppendChunk(png, "IDAT", z);
    AppendChunk(png, "IEND", {});
    return png;
}

Bytes MakeGroup(const std::vector<GroupEntrySpec>& entries, std::uint16_t reserved,
                std::uint16_t type) {
    Bytes b(6 + 14 * entries.size(), 0);
    Put16(b, 0, reserved);
    Put16(b, 2, type);
    Put16(b, 4, static_cast<std::uint32_t>(entries.size()));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const GroupEntrySpec& e = entries[i];
        const std::size_t at = 6 + 14 * i;
        b[at] = e.width;
        b[at + 1] = e.height;
        b[at + 2] = e.colorCount;
        Put16(b, at + 4, e.planes);
        Put16(b, at + 6, e.bitCount);
        Put32(b, at + 8, e.bytesInRes);
        Put16(b, at + 12, e.id);
    }
    return b;
}

GroupEntrySpec EntryFor(const Bytes& image, int width, int bitCount, std::uint16_t id) {
    const auto w = static_cast<std::uint8_t>(width >= 256 ? 0 : width);
    const auto colours = static_cast<std::uint8_t>(bitCount < 8 ? 1 << bitCount : 0);
    return {w,
            w,
            colours,
            1,
            static_cast<std::uint16_t>(bitCount),
            static_cast<std::uint32_t>(image.size()),
            id};
}

Bytes MakeIcoFile(const std::vector<GroupEntrySpec>& entries, const std::vector<Bytes>& images) {
    Bytes b(6 + 16 * entries.size(), 0);
    Put16(b, 2, 1);
    Put16(b, 4, static_cast<std::uint32_t>(entries.size()));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const GroupEntrySpec& e = entries[i];
        const std::size_t at = 6 + 16 * i;
        b[at] = e.width;
        b[at + 1] = e.height;
        b[at + 2] = e.colorCount;
        Put16(b, at + 4, e.planes);
        Put16(b, at + 6, e.bitCount);
        Put32(b, at + 8, e.bytesInRes);
        Put32(b, at + 12, static_cast<std::uint32_t>(b.size()));
        b.insert(b.end(), images[i].begin(), images[i].end());
    }
    return b;
}

Bytes AddIconGroup(ResourceTree& tree, Key name, std::uint16_t language,
                   const std::vector<Bytes>& images, const std::vector<int>& widths,
                   const std::vector<int>& bitCounts, std::uint16_t firstId) {
    std::vector<GroupEntrySpec> entries;
    for (std::size_t i = 0; i < images.size(); ++i) {
        const auto id = static_cast<std::uint16_t>(firstId + i);
        entries.push_back(EntryFor(images[i], widths[i], bitCounts[i], id));
        tree.Add(3, id, language, images[i]);
    }
    Bytes group = MakeGroup(entries);
    tree.Add(14, name, language, group);
    return group;
}

} // namespace quarvel::test
