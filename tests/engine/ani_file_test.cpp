// .ani files built by the tests: every count and size is checked against the bytes present.
#include "engine/AniFile.h"
#include "support/CursorData.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

using namespace quarvel;
using namespace quarvel::test;

namespace {

std::optional<AnimatedCursor> Parse(const Bytes& bytes, std::string* why = nullptr) {
    return AnimatedCursor::Parse(ByteView(bytes.data(), bytes.size()), why);
}

std::vector<int> Frames(const AnimatedCursor& cursor) {
    std::vector<int> frames;
    for (const AniStep& step : cursor.Steps())
        frames.push_back(step.frame);
    return frames;
}

std::vector<std::uint32_t> Jiffies(const AnimatedCursor& cursor) {
    std::vector<std::uint32_t> jiffies;
    for (const AniStep& step : cursor.Steps())
        jiffies.push_back(step.jiffies);
    return jiffies;
}

} // namespace

TEST(AniFiles, StepsFollowTheSequenceAndTheRates) {
    AniParts parts = MakeAniParts(3);
    Bytes bytes = BuildAni(parts);
    auto plain = Parse(bytes);
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->FrameCount(), 3);
    EXPECT_EQ(Frames(*plain), (std::vector<int>{0, 1, 2})) << "without a sequence, in order";
    EXPECT_EQ(Jiffies(*plain), (std::vector<std::uint32_t>{10, 10, 10})) << "the header's rate";

    parts.steps = 5;
    parts.sequence = {2, 0, 1, 1, 0};
    parts.rates = {1, 2, 3, 4, 5};
    bytes = BuildAni(parts);
    const auto sequenced = Parse(bytes);
    ASSERT_TRUE(sequenced);
    EXPECT_EQ(Frames(*sequenced), (std::vector<int>{2, 0, 1, 1, 0}));
    EXPECT_EQ(Jiffies(*sequenced), (std::vector<std::uint32_t>{1, 2, 3, 4, 5}));
    // Each frame is the whole .cur file stored, and its images read as a cursor's.
    EXPECT_EQ(
        Bytes(sequenced->Frame(1).Data(), sequenced->Frame(1).Data() + sequenced->Frame(1).Size()),
        parts.frameFiles[1]);
    const auto images = ReadAniFrameImages(*sequenced, 1);
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(images->type, kCursorType);
    EXPECT_EQ(images->entries[0].wPlanes, 2) << "frame 2's hot spot";
    EXPECT_EQ(ReadAniFrameImages(*sequenced, 3), nullptr);

    // Icon frames are read as icons.
    AniParts icons = MakeAniParts(1);
    const Bytes image = MakeBmpImage(32, 32);
    icons.frameFiles[0] = MakeIcoFile({EntryFor(image, 32, 32, 0)}, {image});
    const Bytes iconBytes = BuildAni(icons);
    const auto iconCursor = Parse(iconBytes);
    ASSERT_TRUE(iconCursor);
    EXPECT_EQ(ReadAniFrameImages(*iconCursor, 0)->type, kIconType);
}

TEST(AniFiles, CountsThatTheBytesDoNotBearAreRefused) {
    const auto refused = [](const std::function<void(AniParts&)>& change) {
        AniParts parts = MakeAniParts(2);
        change(parts);
        std::string why;
        const bool failed = !Parse(BuildAni(parts), &why);
        EXPECT_EQ(failed, !why.empty());
        return failed;
    };
    EXPECT_FALSE(refused([](AniParts&) {}));
    EXPECT_TRUE(refused([](AniParts& p) { p.sequence = {0, 2}; })) << "a step past the frames";
    EXPECT_TRUE(refused([](AniParts& p) { p.sequence = {0}; })) << "a sequence short of steps";
    EXPECT_TRUE(refused([](AniParts& p) { p.rates = {1}; })) << "rates short of the steps";
    EXPECT_TRUE(refused([](AniParts& p) { p.steps = 3; })) << "no sequence, a step past frames";
    EXPECT_TRUE(refused([](AniParts& p) { p.steps = 0; }));
    EXPECT_TRUE(refused([](AniParts& p) { p.frames = 3; })) << "fewer frames than counted";
    EXPECT_TRUE(refused([](AniParts& p) { p.frames = 1; })) << "more frames than counted";
    EXPECT_TRUE(refused([](AniParts& p) { p.frameFiles[1].resize(30); })) << "a damaged frame";
    EXPECT_TRUE(refused([](AniParts& p) { p.frameFiles[1][2] = 3; })) << "neither icon nor cursor";
    // The header's size, as the chunk and as its own first field.
    for (const std::uint32_t size : {0u, 35u, 37u, 0xFFFFFFFFu}) {
        EXPECT_TRUE(refused([size](AniParts& p) { p.headerSizeField = size; })) << size;
        if (size < 100) {
            EXPECT_TRUE(refused([size](AniParts& p) { p.headerSize = size; })) << size;
        }
    }
    // A chunk size of 0xFFFFFFFF runs past the end of the file.
    Bytes bytes = BuildAni(MakeAniParts(2));
    bytes[16] = bytes[17] = bytes[18] = bytes[19] = 0xFF;
    EXPECT_FALSE(Parse(bytes));
    bytes = BuildAni(MakeAniParts(2));
    bytes[4] = bytes[5] = bytes[6] = bytes[7] = 0xFF;
    EXPECT_FALSE(Parse(bytes)) << "a RIFF size past the end of the file";
}

TEST(AniFiles, EveryTruncationIsRefusedAndTrailingBytesAreIgnored) {
    AniParts parts = MakeAniParts(2);
    parts.rates = {4, 5};
    parts.sequence = {1, 0};
    std::vector<std::size_t> chunks;
    const Bytes bytes = BuildAni(parts, &chunks);
    ASSERT_TRUE(Parse(bytes));
    EXPECT_EQ(chunks.size(), 6u) << "anih, rate, seq, LIST and two frames";
    // Cut at every chunk boundary and at every byte: the RIFF form then runs past the end.
    for (std::size_t size = 0; size < bytes.size(); ++size)
        EXPECT_FALSE(Parse(Bytes(bytes.begin(), bytes.begin() + static_cast<long>(size)))) << size;
    // The same cuts with the RIFF size made to fit: a chunk runs past the form, or is missing.
    for (const std::size_t at : chunks) {
        for (const std::size_t cut : {at, at + 4, at + 8}) {
            Bytes shorter(bytes.begin(), bytes.begin() + static_cast<long>(cut));
            const std::uint32_t form = static_cast<std::uint32_t>(cut - 8);
            for (int i = 0; i < 4; ++i)
                shorter[4 + static_cast<std::size_t>(i)] =
                    static_cast<std::uint8_t>(form >> (8 * i));
            EXPECT_FALSE(Parse(shorter)) << "cut at " << cut;
        }
    }
    Bytes longer = bytes;
    longer.insert(longer.end(), 100, 0xEE);
    EXPECT_TRUE(Parse(longer)) << "bytes after the RIFF form are not read";
}

TEST(AniFiles, ReadFromDiskWithTheReasonOfARefusal) {
    TempFolder folder;
    const AniFile good(folder.Write("a.ani", BuildAni(MakeAniParts(2))).c_str());
    ASSERT_NE(good.Cursor(), nullptr);
    EXPECT_EQ(good.Cursor()->FrameCount(), 2);
    const AniFile bad(folder.Write("b.ani", Bytes{'R', 'I', 'F', 'F'}).c_str());
    EXPECT_EQ(bad.Cursor(), nullptr);
    EXPECT_EQ(bad.Error(), "not an animated cursor");
    const AniFile missing(folder.File("c.ani").c_str());
    EXPECT_EQ(missing.Error(), "cannot be read");
}
