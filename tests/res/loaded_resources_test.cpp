// Every string, dialog, picture and menu that Quarvel's code names by id is in its compiled
// resources (the ids are gathered from the sources when the build is configured).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "resource.h"
#include "resource_reader.h"

namespace {

struct UsedId {
    const char* name;
    int id;
};
const UsedId kUsedIds[] = {
#include "used_resource_ids.inc"
};

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

bool HasString(int id) {
    char text[2];
    return LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(id), text, sizeof text) > 0;
}

bool HasResource(LPCSTR type, int id) {
    return !restest::ResourceBytes(type, id).empty();
}

// Whether the resource a name stands for exists, by the kind its prefix names.
bool Exists(const std::string& name, int id) {
    if (StartsWith(name, "IDS_") || StartsWith(name, "AFX_IDS_"))
        return HasString(id);
    if (StartsWith(name, "IDD_"))
        return HasResource(RT_DIALOG, id);
    if (StartsWith(name, "IDB_"))
        return HasResource(RT_BITMAP, id);
    if (StartsWith(name, "IDI_"))
        return HasResource(RT_GROUP_ICON, id);
    // IDR_: a menu, the main window's set (menu, keys, toolbar, icon, strings) or a clip.
    const LPCSTR types[] = {RT_MENU, RT_ACCELERATOR, RT_GROUP_ICON, RT_BITMAP, "AVI"};
    for (LPCSTR type : types)
        if (HasResource(type, id))
            return true;
    return HasString(id);
}

TEST(LoadedResources, EveryIdTheCodeNamesIsInTheResources) {
    ASSERT_GT(std::size(kUsedIds), 5u) << "the scan of the sources found almost nothing";
    for (const UsedId& used : kUsedIds) {
        ASSERT_NE(used.id, -1) << used.name << " is named in the code but not in resource.h";
        EXPECT_TRUE(Exists(used.name, used.id)) << used.name << " (" << used.id << ") is missing";
    }
}

// The main window's set must be complete: the frame loads all of it by one id.
TEST(LoadedResources, TheMainWindowHasItsMenuKeysToolbarIconAndTitle) {
    EXPECT_TRUE(HasResource(RT_MENU, IDR_MAINFRAME));
    EXPECT_TRUE(HasResource(RT_ACCELERATOR, IDR_MAINFRAME));
    EXPECT_TRUE(HasResource(MAKEINTRESOURCEA(241), IDR_MAINFRAME)); // the toolbar
    EXPECT_TRUE(HasResource(RT_BITMAP, IDR_MAINFRAME));
    EXPECT_TRUE(HasResource(RT_GROUP_ICON, IDR_MAINFRAME));
    EXPECT_TRUE(HasString(IDR_MAINFRAME));
}

} // namespace
