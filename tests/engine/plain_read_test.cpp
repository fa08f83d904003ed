// Images read from an image file with plain positioned reads instead of through its mapping:
// the bytes, the refusals (outside the file, past its end, a file that shrank) and the icons'
// identities and facts, which must be those of the same images viewed in place.
#include "engine/GroupCursor.h"
#include "engine/IconFacts.h"
#include "engine/IconIdentity.h"
#include "engine/IconImageFinder.h"
#include "engine/IconImageSet.h"
#include "engine/ImageBytesReader.h"
#include "engine/PEFile.h"
#include "engine/platform/MappedFile.h"
#include "support/CursorData.h"
#include "support/IconData.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>

using namespace quarvel;
using namespace quarvel::test;

namespace {

constexpr std::uint16_t kEnglish = 0x409, kGerman = 0x407, kFrench = 0x40C;

Bytes Pattern(std::size_t size) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    return bytes;
}

// Shrinks the file, when the system lets a mapped file shrink (Windows does not).
bool Shrink(const std::string& path, std::uintmax_t size) {
    std::error_code error;
    std::filesystem::resize_file(path, size, error);
    return !error;
}

// Group 1: two images back to back; group 2: the same images in the other order and one of
// them twice; a group cursor.
Bytes Library() {
    const Bytes small = MakeBmpImage(16, 4, 1), png = MakePngImage(48, 48, 1);
    ResourceTree tree;
    AddIconGroup(tree, 1, kEnglish, {small, png}, {16, 48}, {4, 32}, 1);
    tree.Add(
        kResTypeGroupIcon, 2, kEnglish,
        MakeGroup({EntryFor(png, 48, 32, 2), EntryFor(small, 16, 4, 1), EntryFor(png, 48, 32, 2)}));
    AddCursorGroup(tree, 1, kEnglish, {32, 48}, {{3, 4}, {5, 6}}, 20);
    return BuildImageWithResources(tree);
}

bool InsideView(const CPEFile& file, const ByteView& bytes) {
    const std::uint8_t* start = file.View().Data();
    return bytes.Data() >= start && bytes.Data() < start + file.View().Size();
}

} // namespace

TEST(PositionedRead, CopiesWhatTheFileHoldsAndRefusesWhatItDoesNot) {
    TempFolder folder;
    const Bytes bytes = Pattern(10000);
    const std::string path = folder.Write("data.bin", bytes);
    platform::MappedFile file;
    std::uint8_t into[4000] = {};
    EXPECT_FALSE(file.ReadAt(0, into, 1)); // not open
    ASSERT_TRUE(file.Open(path.c_str()));

    for (const auto& [offset, size] :
         {std::pair<std::size_t, std::size_t>{0, 4000}, {1234, 3000}, {6000, 4000}, {9999, 1}}) {
        SCOPED_TRACE(testing::Message() << offset << "+" << size);
        ASSERT_TRUE(file.ReadAt(offset, into, size));
        EXPECT_TRUE(std::equal(into, into + size, bytes.begin() + offset));
    }
    EXPECT_TRUE(file.ReadAt(10000, into, 0)); // nothing, at the end
    EXPECT_FALSE(file.ReadAt(10001, into, 0));
    EXPECT_FALSE(file.ReadAt(9999, into, 2));
    EXPECT_FALSE(file.ReadAt(std::numeric_limits<std::uint64_t>::max(), into, 2));
    EXPECT_FALSE(file.ReadAt(2, into, std::numeric_limits<std::size_t>::max()));

    // Bytes the file gained after it was opened lie outside what was mapped.
    {
        const Bytes more = Pattern(10000);
        std::ofstream(path, std::ios::binary | std::ios::app)
            .write(reinterpret_cast<const char*>(more.data()), 10000);
    }
    EXPECT_FALSE(file.ReadAt(10000, into, 100));
    EXPECT_TRUE(file.ReadAt(0, into, 100));
    // A file that shrank no longer holds its tail.
    if (Shrink(path, 5000)) {
        EXPECT_FALSE(file.ReadAt(4000, into, 2000));
        EXPECT_FALSE(file.ReadAt(6000, into, 10));
        ASSERT_TRUE(file.ReadAt(1000, into, 4000));
        EXPECT_TRUE(std::equal(into, into + 4000, bytes.begin() + 1000));
    }
    file.Close();
    EXPECT_FALSE(file.ReadAt(0, into, 1));
}

TEST(PlainReads, GroupsReadFromTheFileAreTheGroupsViewedInIt) {
    TempFolder folder;
    const Bytes pe = Library();
    const CPEFile onDisk(folder.Write("library.dll", pe).c_str());
    const CPEFile inMemory(pe.data(), pe.size());
    ASSERT_TRUE(onDisk.IsOpen());
    ImageBytesReader reader;
    UniqueIcons readIcons, viewedIcons;
    // Twice, so that the reused buffer serves groups of other sizes.
    for (int pass = 0; pass < 2; ++pass) {
        for (const auto& group : {std::pair{1, false}, {2, false}, {1, true}}) {
            const int name = group.first;
            const bool cursor = group.second;
            SCOPED_TRACE(testing::Message() << pass << " " << name << (cursor ? " cursor" : ""));
            IconImageSpans read, viewed;
            const auto find = [&](const CPEFile& file, IconImageSpans& spans) {
                return cursor ? FindGroupCursorSpans(file, name, kEnglish, spans)
                              : FindGroupImageSpans(file, name, kEnglish, spans);
            };
            ASSERT_TRUE(find(onDisk, read));
            ASSERT_TRUE(reader.Read(onDisk, read));
            ASSERT_TRUE(find(inMemory, viewed));
            ASSERT_EQ(read.images.size(), viewed.images.size());
            for (const ImageSpan& image : read.images)
                EXPECT_FALSE(InsideView(onDisk, image.bytes)) << "read, not viewed";
            EXPECT_TRUE(SameIcon(read, viewed));
            EXPECT_EQ(IconDigest(read), IconDigest(viewed));
            IconFacts fromRead, fromViews;
            SetImageFacts(read, fromRead);
            SetImageFacts(viewed, fromViews);
            EXPECT_EQ(fromRead.images.size(), fromViews.images.size());
            EXPECT_EQ(fromRead.Largest().width, fromViews.Largest().width);
            EXPECT_EQ(fromRead.hasPng, fromViews.hasPng);
            EXPECT_EQ(readIcons.AddImages(&read), viewedIcons.AddImages(&viewed));
        }
    }
    EXPECT_EQ(readIcons.DistinctCount(), 3);

    // Views chosen by hand: a run with a gap, one before it, one overlapping it, an empty one and
    // the file's last bytes; each must come back with its own bytes.
    const std::size_t size = onDisk.View().Size();
    const std::pair<std::size_t, std::size_t> parts[] = {
        {100, 100}, {210, 90}, {0, 50}, {150, 100}, {300, 0}, {size - 10, 10}, {400, 2000}};
    IconImageSpans spans;
    for (const auto& [offset, length] : parts)
        spans.images.push_back({{}, *onDisk.View().Slice(offset, length)});
    ASSERT_TRUE(reader.Read(onDisk, spans));
    for (std::size_t i = 0; i < std::size(parts); ++i) {
        const auto& [offset, length] = parts[i];
        const ByteView& bytes = spans.images[i].bytes;
        ASSERT_EQ(bytes.Size(), length) << i;
        EXPECT_TRUE(std::equal(bytes.Data(), bytes.Data() + length, pe.begin() + offset)) << i;
    }
}

TEST(PlainReads, ImagesOutsideTheFileOrPastItsShrunkEndAreNotRead) {
    TempFolder folder;
    const Bytes pe = Library();
    const std::string path = folder.Write("library.dll", pe);
    const CPEFile onDisk(path.c_str()), inMemory(pe.data(), pe.size());
    ImageBytesReader reader;
    IconImageSpans spans;

    // Views of another file's bytes are refused, whole.
    ASSERT_TRUE(FindGroupImageSpans(inMemory, 1, kEnglish, spans));
    EXPECT_FALSE(reader.Read(onDisk, spans));
    EXPECT_TRUE(spans.images.empty());
    // Views reaching past the file's end.
    spans.images.push_back({{}, ByteView(onDisk.View().Data() + pe.size() - 4, 8)});
    EXPECT_FALSE(reader.Read(onDisk, spans));
    EXPECT_TRUE(spans.images.empty());
    // Views of a closed file.
    CPEFile closed(path.c_str());
    ASSERT_TRUE(FindGroupImageSpans(closed, 1, kEnglish, spans));
    IconImageSpans stale = spans;
    closed.Close();
    EXPECT_FALSE(reader.Read(closed, stale));

    // A file cut short after its directory was read: its icons are unreadable, and each is its
    // own in the index, never joined to another by what the buffer held before.
    UniqueIcons unique;
    ASSERT_TRUE(FindGroupImageSpans(onDisk, 1, kEnglish, spans));
    ASSERT_TRUE(reader.Read(onDisk, spans));
    EXPECT_EQ(unique.AddImages(&spans), 0);
    ASSERT_TRUE(FindGroupImageSpans(onDisk, 1, kEnglish, spans));
    if (!Shrink(path, 1024))
        GTEST_SKIP() << "the system does not shrink a mapped file";
    EXPECT_FALSE(reader.Read(onDisk, spans));
    EXPECT_TRUE(spans.images.empty());
    EXPECT_EQ(unique.AddImages(nullptr), 1);
}

TEST(ImageIndex, OneIndexOfAFileFindsTheImagesOfItsGroupsInEachGroupsLanguage) {
    // Image 1 in German and English (German stored first), image 2 in English only; groups in
    // English, German and French (which falls back to the first language stored).
    const Bytes german = MakeBmpImage(16, 4, 1), english = MakeBmpImage(16, 4, 2);
    const Bytes png = MakePngImage(32, 32, 3);
    ResourceTree tree;
    tree.Add(kResTypeIcon, 1, kGerman, german);
    tree.Add(kResTypeIcon, 1, kEnglish, english);
    tree.Add(kResTypeIcon, 2, kEnglish, png);
    for (const std::uint16_t language : {kEnglish, kGerman, kFrench})
        tree.Add(kResTypeGroupIcon, 1, language,
                 MakeGroup({EntryFor(german, 16, 4, 1), EntryFor(png, 32, 32, 2)}));
    AddCursorGroup(tree, 1, kEnglish, {32}, {{3, 4}}, 20);
    AddCursorGroup(tree, 1, kGerman, {48}, {{5, 6}}, 30);
    const Bytes pe = BuildImageWithResources(tree);
    const CPEFile file(pe.data(), pe.size());

    IconImageFinder icons(file, kEnglish), cursors(file, kEnglish, kResTypeCursor);
    IconImageSpans shared, alone;
    for (const std::uint16_t language : {kGerman, kEnglish, kFrench, kGerman}) {
        SCOPED_TRACE(language);
        ASSERT_TRUE(FindGroupImageSpans(file, icons, 1, language, shared));
        ASSERT_TRUE(FindGroupImageSpans(file, 1, language, alone));
        EXPECT_TRUE(SameIcon(shared, alone));
        ASSERT_EQ(shared.images.size(), 2u);
        const Bytes& first = language == kEnglish ? english : german;
        EXPECT_TRUE(std::equal(first.begin(), first.end(), shared.images[0].bytes.Data()));
    }
    for (const std::uint16_t language : {kGerman, kEnglish}) {
        SCOPED_TRACE(language);
        ASSERT_TRUE(FindGroupCursorSpans(file, cursors, 1, language, shared));
        ASSERT_TRUE(FindGroupCursorSpans(file, 1, language, alone));
        EXPECT_TRUE(SameIcon(shared, alone));
        EXPECT_EQ(shared.images[0].fields.wPlanes, language == kEnglish ? 3 : 5); // hot spot x
    }
    EXPECT_FALSE(FindGroupCursorSpans(file, cursors, 1, kFrench, shared));
    EXPECT_FALSE(FindGroupImageSpans(file, icons, 2, kEnglish, shared));
}
