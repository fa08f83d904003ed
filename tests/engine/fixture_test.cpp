// The PE32 fixture built by the MinGW tools: what a real resource compiler writes.
#include "engine/IconGroups.h"
#include "engine/PEFile.h"
#include "support/HostPath.h"
#include "support/Listing.h"

#include <gtest/gtest.h>

using namespace quarvel;
using namespace quarvel::test;

#ifdef QUARVEL_FIXTURE_DLL

TEST(Pe32Fixture, ListsIdsAStringNameAndBothLanguages) {
    const std::string path = HostPath(QUARVEL_FIXTURE_DLL);
    CPEFile file(path.c_str());
    ASSERT_TRUE(file.IsOpen()) << path;
    EXPECT_FALSE(file.IsPE32Plus());
    file.Close();
    ListingRecorder recorder;
    EXPECT_EQ(ListIconGroups(path.c_str(), &recorder), 4);
    EXPECT_EQ(recorder.items,
              (std::vector<std::string>{"MAINICON/1033", "1/1033", "7/1031", "7/1033"}));
}

#endif
