// Agreement with icoutils on real files: Wine's own 64-bit libraries and programs.
#include "engine/IconGroups.h"
#include "support/Listing.h"
#include "support/RealFiles.h"

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
