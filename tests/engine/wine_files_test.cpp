// Agreement with icoutils on real files: Wine's own 64-bit libraries and programs.
#include "engine/IconGroups.h"
#include "engine/IconImage.h"
#include "engine/PEFile.h"
#include "support/Listing.h"
#include "support/PeBuilder.h"
#include "support/RealFiles.h"
#include "support/TempFiles.h"

#include <algorithm>
#include <cstdlib>

#include <gtest/gtest.h>

using namespace quarvel;
using namespace quarvel::test;

namespace {

void RequireReferences(const std::vector<std::string>& files) {
    if (files.empty())
        GTEST_SKIP() << "Wine's library folder is not installed";
    if (!HaveWrestool())
        GTEST_SKIP() << "wrestool (icoutils) is not installed";
}

} // namespace

TEST(WineFiles, GroupsAndLanguagesMatchWrestool) {
    const std::vector<std::string> files = WineLibraryFiles();
    RequireReferences(files);
    if (IsSkipped())
        return;
    int withIcons = 0;
    for (const std::string& path : files) {
        ListingRecorder recorder;
        const int count = ListIconGroups(path.c_str(), &recorder);
        EXPECT_EQ(recorder.items, WrestoolGroups(path)) << path;
        EXPECT_EQ(count, static_cast<int>(recorder.items.size())) << path;
        withIcons += count > 0;
    }
    EXPECT_GT(withIcons, 10) << "the folder should hold libraries with icons";
}

namespace {

// The header and directory, then each image with biSizeImage cleared in bitmap images, as
// the directory describes them (wrestool pads its files with zeros past the last image).
std::vector<Bytes> IcoParts(const Bytes& ico) {
    std::vector<Bytes> parts;
    if (ico.size() < 6)
        return parts;
    const std::size_t count = ico[4] | ico[5] << 8;
    if (ico.size() < 6 + 16 * count)
        return parts;
    parts.emplace_back(ico.begin(), ico.begin() + static_cast<std::ptrdiff_t>(6 + 16 * count));
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* e = &ico[6 + 16 * i];
        const std::uint32_t size =
            e[8] | e[9] << 8 | e[10] << 16 | static_cast<std::uint32_t>(e[11]) << 24;
        const std::uint32_t offset =
            e[12] | e[13] << 8 | e[14] << 16 | static_cast<std::uint32_t>(e[15]) << 24;
        if (std::uint64_t{offset} + size > ico.size())
            break;
        Bytes image(ico.begin() + offset, ico.begin() + offset + size);
        ClearBitmapSizeImage(image.data(), image.size());
        parts.push_back(std::move(image));
    }
    return parts;
}

std::size_t PartsSize(const std::vector<Bytes>& parts) {
    std::size_t total = 0;
    for (const Bytes& part : parts)
        total += part.size();
    return total;
}

std::string WrestoolName(const std::string& listed) {
    const std::string name = listed.substr(0, listed.rfind('/'));
    return std::all_of(name.begin(), name.end(), ::isdigit) ? name : "'" + name + "'";
}

} // namespace

TEST(WineFiles, SavedGroupsMatchWrestoolImageByImageAndTheirPngsAreValid) {
    const std::vector<std::string> files = WineLibraryFiles();
    RequireReferences(files);
    if (IsSkipped())
        return;
    TempFolder out;
    int saved = 0;
    std::string written;
    for (const std::string& path : files) {
        ListingRecorder recorder;
        if (ListIconGroups(path.c_str(), &recorder) == 0)
            continue;
        CPEFile file(path.c_str());
        for (const std::string& item : recorder.items) {
            const std::size_t slash = item.rfind('/');
            const std::string name = item.substr(0, slash);
            const int language = std::stoi(item.substr(slash + 1));
            const bool isId = std::all_of(name.begin(), name.end(), ::isdigit);
            const ResKey key = isId ? ResKey(std::stoi(name)) : ResKey(name.c_str());
            const std::string target = out.File("g" + std::to_string(saved++) + ".ico");
            ASSERT_TRUE(file.SaveGroupAsIco(key, static_cast<std::uint16_t>(language),
                                            target.c_str(), false))
                << path << " " << item;
            const std::string reference =
                RunCommand("wrestool -x -t14 --name=" + WrestoolName(item) +
                           " --language=" + std::to_string(language) + " '" + path + "'");
            const Bytes ours = ReadFileBytes(target);
            const std::vector<Bytes> ourParts = IcoParts(ours);
            EXPECT_EQ(ourParts, IcoParts(Bytes(reference.begin(), reference.end())))
                << path << " " << item;
            EXPECT_EQ(PartsSize(ourParts), ours.size()) << "nothing past the last image";
            written += " '" + target + "'";
        }
    }
    EXPECT_GT(saved, 100);
    const std::string script = std::string(QUARVEL_TEST_SOURCE_DIR) + "/support/png_check.py";
    const std::string pngs = RunCommand("python3 '" + script + "'" + written + " 2>&1");
    EXPECT_GT(std::atoi(pngs.c_str()), 0) << pngs;
}
