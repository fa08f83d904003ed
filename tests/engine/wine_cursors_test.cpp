// Group cursors of Wine's own libraries against icoutils: the listing against wrestool's, each
// group saved as a .cur file against wrestool's raw RT_CURSOR resources, and icotool's reading
// of the files written.
#include "engine/GroupCursor.h"
#include "engine/IconGroups.h"
#include "engine/IconImage.h"
#include "engine/PEFile.h"
#include "support/Listing.h"
#include "support/PeBuilder.h"
#include "support/RealFiles.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

using namespace quarvel;
using namespace quarvel::test;

namespace {

struct CursorRecorder : ListingRecorder {
    bool TakesCursors() const override { return true; }
    int AddGroupCursor(const char*, ResKey name, std::uint16_t language) override {
        cursors.push_back(name.IsId() ? name.Id() : 0);
        languages.push_back(language);
        return 1;
    }
    std::vector<int> cursors;
    std::vector<std::uint16_t> languages;
};

std::vector<int> WrestoolCursorGroups(const std::string& path) {
    static const std::regex line(R"(--type=12 --name=(\d+) --language=(\d+))");
    std::vector<int> groups;
    std::istringstream text(RunCommand("wrestool -l -t12 '" + path + "' 2>/dev/null"));
    for (std::string row; std::getline(text, row);) {
        std::smatch m;
        if (std::regex_search(row, m, line))
            groups.push_back(std::stoi(m[1].str()));
    }
    return groups;
}

// wrestool's raw resources of one type, read from the files it writes:
// <file>_<type>_<name>_<language>[.cur].
std::string Raw(const std::string& folder, const std::string& path, int type, int name) {
    const std::string prefix = folder + "/" + path.substr(path.rfind('/') + 1) + "_" +
                               std::to_string(type) + "_" + std::to_string(name) + "_0";
    const Bytes bytes = ReadFileBytes(type == 12 ? prefix + ".cur" : prefix);
    return std::string(bytes.begin(), bytes.end());
}

std::uint32_t Le(const std::string& bytes, std::size_t at, int width) {
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = value << 8 | static_cast<std::uint8_t>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

// An image as our writer stores a cursor's: biSizeImage and the resolution cleared in a bitmap.
std::string AsWritten(std::string image) {
    ClearBitmapSizeImage(reinterpret_cast<std::uint8_t*>(image.data()), image.size());
    ClearBitmapResolution(reinterpret_cast<std::uint8_t*>(image.data()), image.size());
    return image;
}

} // namespace

TEST(WineCursors, EveryGroupSavedAsCurHoldsWrestoolsImagesAndHotSpotsAndIcotoolReadsIt) {
    const std::vector<std::string> files = WineLibraryFiles();
    if (files.empty() || !HaveWrestool() || RunCommand("icotool --version 2>/dev/null").empty())
        GTEST_SKIP() << "needs Wine's library folder and icoutils";
    TempFolder out;
    int groups = 0, images = 0;
    for (const std::string& path : files) {
        CursorRecorder recorder;
        ListIconGroups(path.c_str(), &recorder);
        ASSERT_EQ(recorder.cursors, WrestoolCursorGroups(path)) << path;
        if (recorder.cursors.empty())
            continue;
        TempFolder raw;
        RunCommand("wrestool -x --raw -t1 -o '" + raw.Path() + "' '" + path + "' 2>&1");
        RunCommand("wrestool -x --raw -t12 -o '" + raw.Path() + "' '" + path + "' 2>&1");
        CPEFile file(path.c_str());
        for (std::size_t g = 0; g < recorder.cursors.size(); ++g) {
            const int name = recorder.cursors[g];
            const std::string cur = out.File("c" + std::to_string(groups++) + ".cur");
            ASSERT_TRUE(
                SaveGroupAsCur(file, ResKey(name), recorder.languages[g], cur.c_str(), false))
                << path << " " << name;
            const Bytes ours = ReadFileBytes(cur);
            const std::string written(ours.begin(), ours.end());
            const std::string group = Raw(raw.Path(), path, 12, name);
            const std::size_t count = Le(group, 4, 2);
            ASSERT_EQ(Le(written, 2, 2), 2u) << "a cursor file";
            ASSERT_EQ(Le(written, 4, 2), count);

            // icotool reads the file without a word on stderr, with wrestool's hot spots and
            // the images' own sides (Wine's groups do not double the height).
            const std::string listed = RunCommand("icotool -l '" + cur + "' 2>&1");
            std::istringstream lines(listed);
            std::string line;
            for (std::size_t i = 0; i < count; ++i) {
                const std::size_t entry = 6 + 14 * i;
                const std::string resource =
                    Raw(raw.Path(), path, 1, static_cast<int>(Le(group, entry + 12, 2)));
                ASSERT_GE(resource.size(), 4u + 40u) << "a bitmap after the hot spot";
                const std::size_t at = 6 + 16 * i;
                const std::uint32_t size = Le(written, at + 8, 4);
                const std::uint32_t offset = Le(written, at + 12, 4);
                ASSERT_LE(std::uint64_t{offset} + size, written.size());
                EXPECT_EQ(written.substr(offset, size), AsWritten(resource.substr(4)))
                    << path << " " << name << " image " << i;
                EXPECT_EQ(Le(written, at + 4, 2), Le(resource, 0, 2)) << "hot spot x";
                EXPECT_EQ(Le(written, at + 6, 2), Le(resource, 2, 2)) << "hot spot y";
                ASSERT_TRUE(std::getline(lines, line)) << listed;
                const std::string expected =
                    "--cursor --index=" + std::to_string(i + 1) +
                    " --width=" + std::to_string(Le(resource, 4 + 4, 4)) +
                    " --height=" + std::to_string(Le(resource, 4 + 8, 4) / 2);
                EXPECT_EQ(line.rfind(expected, 0), 0u) << line << " / " << expected;
                EXPECT_NE(line.find(" --hotspot-x=" + std::to_string(Le(resource, 0, 2)) +
                                    " --hotspot-y=" + std::to_string(Le(resource, 2, 2))),
                          std::string::npos)
                    << line;
                ++images;
            }
            EXPECT_FALSE(std::getline(lines, line)) << "icotool said more: " << listed;
        }
    }
    EXPECT_EQ(groups, 38) << "the group cursors of Wine's libraries";
    EXPECT_GT(images, 100);
}
