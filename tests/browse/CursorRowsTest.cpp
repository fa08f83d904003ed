// Folders of cursors in the file list: the "Icons" and "Cursors" counts of each row, whether a
// file is added at once or the folder is filled by the worker, the cursors handed to the icon
// list after each file's icons, and both count columns sorted by number.
#include "FileListPane.h"

#include "engine/IconItem.h"
#include "support/CursorData.h"

using namespace quarvel;
using namespace quarvel::test;

namespace {
// An image file with `icons` group icons and `cursors` group cursors.
Bytes ImageWith(int icons, int cursors) {
    ResourceTree tree;
    const Bytes image = MakeBmpImage(16, 4);
    for (int i = 0; i < icons; ++i)
        AddIconGroup(tree, i + 1, 0x409, {image}, {16}, {4}, static_cast<std::uint16_t>(i + 1));
    for (int i = 0; i < cursors; ++i)
        AddCursorGroup(tree, i + 1, 0x409, {32}, {{1, 1}}, static_cast<std::uint16_t>(100 + i));
    return BuildImageWithResources(tree);
}

std::vector<CIconItem::Kind> Kinds(CIconListCtrl& icons) {
    std::vector<CIconItem::Kind> kinds;
    for (int i = 0; i < icons.GetItemCount(); ++i)
        kinds.push_back(icons.GetIconItem(i)->GetKind());
    return kinds;
}
} // namespace

TEST_F(FileListPane, CursorsAreCountedBesideIconsAndFollowEachFilesIcons) {
    const std::string dll = folder.Write("a.dll", ImageWith(1, 2));
    const std::string cur = folder.Write("b.cur", MakeCurFile({32}, {{1, 1}}));
    const std::string ani = folder.Write("c.ani", BuildAni(MakeAniParts(2)));
    const std::string damaged = folder.Write("d.ani", Bytes{'R', 'I', 'F', 'F'});
    const std::string ico = folder.Write("e.ico", Bytes{'n', 'o'});
    for (const std::string& path : {dll, cur, ani, damaged, ico})
        Add(path);
    EXPECT_EQ(Column(kIconsColumn), (std::vector<std::string>{"1", "0", "0", "0", "1"}));
    EXPECT_EQ(Column(kCursorsColumn), (std::vector<std::string>{"2", "1", "1", "1", "0"}))
        << "cursor files are listed by name, as .ico files are";
    using K = CIconItem;
    EXPECT_EQ(Kinds(Icons()), (std::vector<CIconItem::Kind>{
                                  K::ResourceGroup, K::CursorGroup, K::CursorGroup, K::CursorFile,
                                  K::AnimatedCursorFile, K::AnimatedCursorFile, K::IconFile}));

    // The worker's fill counts and hands them on alike.
    fileList->RemoveAll();
    Icons().RemoveAll();
    fileList->FillFromFolder(folder.Path().c_str());
    ASSERT_TRUE(ui::PumpUntil([&] { return !fileList->IsFilling(); }, 10000));
    ASSERT_TRUE(List().SortByColumn(kNameColumn, true));
    EXPECT_EQ(Column(kCursorsColumn), (std::vector<std::string>{"2", "1", "1", "1", "0"}));
    EXPECT_EQ(Icons().GetItemCount(), 7);
}

TEST_F(FileListPane, CountColumnsSortByNumberNotByText) {
    // By text "10" would come before "9".
    Add(folder.Write("ten.dll", ImageWith(10, 10)));
    Add(folder.Write("nine.dll", ImageWith(9, 9)));
    Add(folder.Write("two.dll", ImageWith(2, 2)));
    MakeFolder("sub");
    Add(folder.File("sub"));
    for (int column : {kIconsColumn, kCursorsColumn}) {
        ASSERT_TRUE(List().SortByColumn(column, true));
        EXPECT_EQ(Column(kNameColumn),
                  (std::vector<std::string>{"sub", "two.dll", "nine.dll", "ten.dll"}));
        ASSERT_TRUE(List().SortByColumn(column, false));
        EXPECT_EQ(Column(kNameColumn),
                  (std::vector<std::string>{"ten.dll", "nine.dll", "two.dll", "sub"}));
    }
}
