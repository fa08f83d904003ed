// Finding an icon in the icon list: the filter box and its words, Esc, the orders, the hiding
// of duplicates with its tooltip count, and the selection, focus and sub-icon view kept on the
// records still shown.
#include "IconPanes.h"

#include "engine/IconFacts.h"
#include "engine/IconGroups.h"
#include "engine/IconItem.h"

using namespace quarvel;
using namespace quarvel::test;

namespace {
std::vector<std::string> Labels(CIconListCtrl& list) {
    std::vector<std::string> labels;
    for (int i = 0; i < list.GetItemCount(); ++i)
        labels.push_back(list.GetItemText(i, 0).GetString());
    return labels;
}

std::vector<int> Selected(CIconListCtrl& list) {
    std::vector<int> selected;
    for (int i = list.GetNextItem(-1, LVNI_SELECTED); i >= 0;
         i = list.GetNextItem(i, LVNI_SELECTED))
        selected.push_back(i);
    return selected;
}

const std::string kFolderLabel = "FOLDER\r\ntools.dll";
const std::string kPrinterLabel = "1\r\nprinter.dll";
const std::string kPlainLabel = "plain.ico";
} // namespace

class IconFinding : public IconPanes {
protected:
    // tools.dll's group FOLDER: a 256-pixel PNG image; printer.dll's group 1: 16 and 48 pixels;
    // plain.ico: 32 pixels. Listed in that order, read by the list itself (no fill worker).
    void SetUp() override {
        IconPanes::SetUp();
        ResourceTree tools;
        AddIconGroup(tools, u"FOLDER", 0x409, {MakePngImage(256, 256)}, {256}, {32}, 1);
        ResourceTree printer;
        AddIconGroup(printer, 1, 0x409, {MakeBmpImage(16, 8), MakeBmpImage(48, 32)}, {16, 48},
                     {8, 32}, 1);
        const Bytes image = MakeBmpImage(32, 8);
        ASSERT_EQ(ListIconGroups(WriteImage("tools.dll", tools).c_str(), &List()), 1);
        ASSERT_EQ(ListIconGroups(WriteImage("printer.dll", printer).c_str(), &List()), 1);
        plain = folder.Write("plain.ico", MakeIcoFile({EntryFor(image, 32, 8, 0)}, {image}));
        ASSERT_EQ(ListIconGroups(plain.c_str(), &List()), 1);
    }
    // Typed into the filter box: the list follows the box's change.
    void Type(const char* text) { iconList->GetFilterBox().SetWindowText(text); }
    std::string plain;
};

TEST_F(IconFinding, TheFilterKeepsIconsMatchingEveryWordAndEscEmptiesIt) {
    ASSERT_EQ(Labels(List()), (std::vector<std::string>{kFolderLabel, kPrinterLabel, kPlainLabel}));
    const std::vector<std::pair<const char*, std::vector<std::string>>> cases = {
        {"printer", {kPrinterLabel}},                 // the file name
        {"PRINTER.DLL", {kPrinterLabel}},             // in any case
        {"folder", {kFolderLabel}},                   // the resource name
        {"256", {kFolderLabel}},                      // an image of that width
        {"48", {kPrinterLabel}},                      //
        {">=48", {kFolderLabel, kPrinterLabel}},      // at least that width
        {">= 32 dll", {kFolderLabel, kPrinterLabel}}, // every word
        {"png", {kFolderLabel}},                      // a PNG image
        {"icon", {kFolderLabel, kPrinterLabel, kPlainLabel}},
        {"cursor", {}},
        {"printer 256", {}},
    };
    for (const auto& [typed, shown] : cases) {
        Type(typed);
        EXPECT_EQ(Labels(List()), shown) << typed;
        EXPECT_EQ(List().ShownCount(), static_cast<int>(shown.size())) << typed;
        EXPECT_TRUE(List().IsNarrowed() || shown.size() == 3) << typed;
        EXPECT_EQ(List().OwnedItemCount(), 3);
    }

    // The items asked for by position are the ones shown.
    Type("plain");
    ASSERT_NE(List().GetIconItem(0), nullptr);
    EXPECT_EQ(List().GetIconItem(0)->GetPath(), plain);
    EXPECT_EQ(List().GetIconItem(1), nullptr);

    // Esc in the box empties it and every icon is back; an icon added later is shown too.
    iconList->GetFilterBox().SendMessage(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(ui::WindowText(iconList->GetFilterBox().m_hWnd), "");
    EXPECT_EQ(Labels(List()), (std::vector<std::string>{kFolderLabel, kPrinterLabel, kPlainLabel}));
    EXPECT_FALSE(List().IsNarrowed());

    // While a filter is set, icons that arrive are shown only when they match.
    Type("ico");
    List().AddIconFile(plain.c_str());
    List().AddGroupIcon("C:\\nowhere\\tools.dll", ResKey(7), 0);
    EXPECT_EQ(Labels(List()), (std::vector<std::string>{kPlainLabel, kPlainLabel}));
    EXPECT_EQ(List().OwnedItemCount(), 5);
}

TEST_F(IconFinding, EachOrderSortsTheIconsAndKeepsSelectionFocusAndTheSubIconViewOnThem) {
    ClickItem(1); // printer.dll
    const CIconItem* printer = List().GetIconItem(1);
    ASSERT_EQ(subIcons->GetCurrentIcon(), printer);
    const std::vector<std::string> rows = RowLabels();
    ASSERT_EQ(rows.size(), 2u);

    List().SetOrder(IconOrder::Name);
    EXPECT_EQ(Labels(List()), (std::vector<std::string>{kPrinterLabel, kFolderLabel, kPlainLabel}));
    EXPECT_EQ(List().GetNextItem(-1, LVNI_FOCUSED), 0);
    EXPECT_EQ(Selected(List()), std::vector<int>{0});
    EXPECT_EQ(subIcons->GetCurrentIcon(), printer);
    EXPECT_EQ(subIcons->GetCurrentIndex(), 0);
    EXPECT_EQ(RowLabels(), rows);

    // Largest image first: 256, then 48, then 32.
    List().SetOrder(IconOrder::LargestImage);
    EXPECT_EQ(Labels(List()), (std::vector<std::string>{kFolderLabel, kPrinterLabel, kPlainLabel}));
    EXPECT_EQ(List().GetNextItem(-1, LVNI_FOCUSED), 1);
    EXPECT_EQ(subIcons->GetCurrentIndex(), 1);

    // An icon that arrives takes its place in the order.
    const Bytes big = MakeBmpImage(64, 32);
    List().AddIconFile(
        folder.Write("big.ico", MakeIcoFile({EntryFor(big, 64, 32, 0)}, {big})).c_str());
    EXPECT_EQ(Labels(List()),
              (std::vector<std::string>{kFolderLabel, "big.ico", kPrinterLabel, kPlainLabel}));
    EXPECT_EQ(List().GetNextItem(-1, LVNI_FOCUSED), 2);
    EXPECT_EQ(subIcons->GetCurrentIcon(), printer);

    // A filter keeps the focused icon while it is shown; one that hides it empties the view.
    iconList->GetFilterBox().SetWindowText("dll");
    EXPECT_EQ(Labels(List()), (std::vector<std::string>{kFolderLabel, kPrinterLabel}));
    EXPECT_EQ(subIcons->GetCurrentIcon(), printer);
    EXPECT_EQ(subIcons->GetCurrentIndex(), 1);
    EXPECT_EQ(RowLabels(), rows);
    iconList->GetFilterBox().SetWindowText("plain");
    EXPECT_EQ(subIcons->GetCurrentIcon(), nullptr);
    EXPECT_EQ(List().GetSelectedCount(), 0u);

    List().SetOrder(IconOrder::File);
    iconList->GetFilterBox().SetWindowText("");
    EXPECT_EQ(Labels(List()),
              (std::vector<std::string>{kFolderLabel, kPrinterLabel, kPlainLabel, "big.ico"}));
}

TEST_F(IconFinding, HidingDuplicatesShowsTheFirstOfEachIconAndItsTooltipCountsTheOthers) {
    List().RemoveAll();
    // The fill worker numbers each icon by the first with the same images: a.ico, b.ico and
    // group 2 of x.dll are one icon; groups 1 and 3 of x.dll another; c.ico was not compared.
    const Bytes image = MakeBmpImage(32, 8);
    const Bytes ico = MakeIcoFile({EntryFor(image, 32, 8, 0)}, {image});
    ResourceTree tree;
    for (int id : {1, 2, 3})
        AddIconGroup(tree, id, 0x409, {MakeBmpImage(16, 8)}, {16}, {8},
                     static_cast<std::uint16_t>(id));
    const std::string x = WriteImage("x.dll", tree);
    const auto add = [&](int taken, int firstOf) {
        ASSERT_EQ(taken, 1);
        if (firstOf >= 0)
            List().DescribeLastIcon(IconFacts{}, firstOf);
    };
    add(List().AddIconFile(folder.Write("a.ico", ico).c_str()), 0);
    add(List().AddIconFile(folder.Write("b.ico", ico).c_str()), 0);
    add(List().AddGroupIcon(x.c_str(), ResKey(1), 0x409), 2);
    add(List().AddGroupIcon(x.c_str(), ResKey(2), 0x409), 0);
    add(List().AddGroupIcon(x.c_str(), ResKey(3), 0x409), 2);
    add(List().AddIconFile(folder.Write("c.ico", ico).c_str()), -1);
    const std::vector<std::string> all = {"a.ico",      "b.ico",      "1\r\nx.dll",
                                          "2\r\nx.dll", "3\r\nx.dll", "c.ico"};
    ASSERT_EQ(Labels(List()), all);
    EXPECT_EQ(Tooltip(iconList, List(), 0).find("also"), std::string::npos); // none hidden

    List().SetHideDuplicates(true);
    EXPECT_EQ(Labels(List()), (std::vector<std::string>{"a.ico", "1\r\nx.dll", "c.ico"}));
    EXPECT_EQ(List().ShownCount(), 3);
    EXPECT_TRUE(List().IsNarrowed());
    EXPECT_EQ(List().DuplicatesOf(0), 2);
    EXPECT_NE(Tooltip(iconList, List(), 0).find("also in 2 other files"), std::string::npos);
    EXPECT_NE(Tooltip(iconList, List(), 1).find("also 1 more time in this file"),
              std::string::npos);
    EXPECT_EQ(Tooltip(iconList, List(), 2).find("also"), std::string::npos);

    // The first that passes the filter stands for the others.
    iconList->GetFilterBox().SetWindowText("x.dll");
    EXPECT_EQ(Labels(List()), (std::vector<std::string>{"1\r\nx.dll", "2\r\nx.dll"}));
    const std::string tip = Tooltip(iconList, List(), 1);
    EXPECT_NE(tip.find("also in 2 other files"), std::string::npos) << tip;
    iconList->GetFilterBox().SetWindowText("");

    // Icons that arrive are hidden when they are copies of one shown.
    add(List().AddIconFile(folder.Write("d.ico", ico).c_str()), 0);
    add(List().AddIconFile(folder.Write("e.ico", ico).c_str()), 9);
    EXPECT_EQ(Labels(List()), (std::vector<std::string>{"a.ico", "1\r\nx.dll", "c.ico", "e.ico"}));
    EXPECT_NE(Tooltip(iconList, List(), 0).find("also in 3 other files"), std::string::npos);

    List().SetHideDuplicates(false);
    EXPECT_EQ(List().ShownCount(), 8);
    EXPECT_FALSE(List().IsNarrowed());
}
