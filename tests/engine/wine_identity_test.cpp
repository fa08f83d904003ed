// Every icon and cursor of Wine's libraries read where it lies in the file, as the listing
// holds it open, against the same icon read into a set and the same icon read with plain reads.
#include "engine/GroupCursor.h"
#include "engine/IconFacts.h"
#include "engine/IconGroups.h"
#include "engine/IconIdentity.h"
#include "engine/ImageBytesReader.h"
#include "engine/PEFile.h"
#include "support/RealFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quarvel;
using namespace quarvel::test;

namespace {

struct Listed {
    bool cursor;
    bool nameIsId;
    int id;
    std::string name;
    std::uint16_t language;
    ResKey Key() const { return nameIsId ? ResKey(id) : ResKey(name.c_str()); }
};

struct GroupRecorder : IconListReceiver {
    int Add(bool cursor, ResKey name, std::uint16_t language) {
        groups.push_back(
            {cursor, name.IsId(), name.Id(), name.IsId() ? "" : name.Name(), language});
        return 1;
    }
    int AddGroupIcon(const char*, ResKey name, std::uint16_t language) override {
        return Add(false, name, language);
    }
    int AddIconFile(const char*) override { return 0; }
    bool TakesCursors() const override { return true; }
    int AddGroupCursor(const char*, ResKey name, std::uint16_t language) override {
        return Add(true, name, language);
    }
    std::vector<Listed> groups;
};

} // namespace

TEST(WineIdentity, EveryGroupViewedInItsOpenFileIsTheGroupReadIntoASet) {
    const std::vector<std::string> files = WineLibraryFiles();
    if (files.empty())
        GTEST_SKIP() << "needs Wine's library folder";
    UniqueIcons viewed, copied;
    IconImageSpans images;
    int groups = 0, cursors = 0, opened = 0;
    for (const std::string& path : files) {
        GroupRecorder recorder;
        ListIconGroups(path.c_str(), &recorder, [&](const CPEFile& file) {
            ++opened;
            ASSERT_EQ(file.GetFileName(), path);
            for (const Listed& group : recorder.groups) {
                SCOPED_TRACE(path + " " + (group.cursor ? "cursor " : "icon ") +
                             std::to_string(group.id) + group.name);
                const bool read =
                    group.cursor ? FindGroupCursorSpans(file, group.Key(), group.language, images)
                                 : FindGroupImageSpans(file, group.Key(), group.language, images);
                auto set = group.cursor ? ReadGroupCursorImages(file, group.Key(), group.language)
                                        : ReadGroupImages(file, group.Key(), group.language);
                ASSERT_EQ(read, set != nullptr);
                if (read) {
                    EXPECT_EQ(IconDigest(images), IconDigest(*set));
                    IconFacts fromViews, fromSet;
                    SetImageFacts(images, fromViews);
                    SetImageFacts(*set, fromSet);
                    EXPECT_EQ(fromViews.Largest().width, fromSet.Largest().width);
                    EXPECT_EQ(fromViews.Largest().bitCount, fromSet.Largest().bitCount);
                    EXPECT_EQ(fromViews.images.size(), fromSet.images.size());
                    EXPECT_EQ(fromViews.hasPng, fromSet.hasPng);
                }
                ASSERT_EQ(viewed.AddImages(read ? &images : nullptr), copied.Add(std::move(set)));
                (group.cursor ? cursors : groups) += 1;
            }
        });
    }
    EXPECT_GT(opened, 100) << "every image file is read while open";
    EXPECT_GT(groups, 100);
    EXPECT_GT(cursors, 5);
    EXPECT_EQ(viewed.DistinctCount(), copied.DistinctCount());
    EXPECT_LT(viewed.DistinctCount(), groups + cursors); // Wine repeats its icons
}

TEST(WineIdentity, EveryGroupReadWithPlainReadsIsTheGroupViewedInItsFile) {
    const std::vector<std::string> files = WineLibraryFiles();
    if (files.empty())
        GTEST_SKIP() << "needs Wine's library folder";
    UniqueIcons viewedIcons, readIcons;
    IconImageSpans viewed, read;
    ImageBytesReader reader;
    int groups = 0;
    for (const std::string& path : files) {
        GroupRecorder recorder;
        ListIconGroups(path.c_str(), &recorder, [&](const CPEFile& file) {
            for (const Listed& group : recorder.groups) {
                SCOPED_TRACE(path + " " + (group.cursor ? "cursor " : "icon ") +
                             std::to_string(group.id) + group.name);
                const auto find = [&](IconImageSpans& images) {
                    return group.cursor
                               ? FindGroupCursorSpans(file, group.Key(), group.language, images)
                               : FindGroupImageSpans(file, group.Key(), group.language, images);
                };
                const bool found = find(viewed);
                ASSERT_EQ(found, find(read) && reader.Read(file, read));
                if (found) {
                    EXPECT_TRUE(SameIcon(viewed, read));
                    EXPECT_EQ(IconDigest(viewed), IconDigest(read));
                    IconFacts fromViews, fromReads;
                    SetImageFacts(viewed, fromViews);
                    SetImageFacts(read, fromReads);
                    EXPECT_EQ(fromViews.Largest().width, fromReads.Largest().width);
                    EXPECT_EQ(fromViews.Largest().bitCount, fromReads.Largest().bitCount);
                    EXPECT_EQ(fromViews.images.size(), fromReads.images.size());
                    EXPECT_EQ(fromViews.hasPng, fromReads.hasPng);
                }
                ASSERT_EQ(viewedIcons.AddImages(found ? &viewed : nullptr),
                          readIcons.AddImages(found ? &read : nullptr));
                ++groups;
            }
        });
    }
    EXPECT_GT(groups, 100);
    EXPECT_EQ(viewedIcons.DistinctCount(), readIcons.DistinctCount());
}
