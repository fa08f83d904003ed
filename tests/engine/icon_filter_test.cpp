// Finding icons: the case fold, the filter's words, the sort orders and the facts they read.
#include "engine/IconFacts.h"
#include "engine/IconFilter.h"
#include "engine/IconOrder.h"
#include "engine/TextFold.h"
#include "support/CursorData.h"
#include "support/IconData.h"

#include <gtest/gtest.h>

using namespace quarvel;
using namespace quarvel::test;

namespace {

IconFacts Icon(const std::string& label, std::vector<ImageFact> images = {}) {
    IconFacts facts;
    facts.label = label;
    facts.images = std::move(images);
    return facts;
}

// The labels of the icons the filter keeps.
std::vector<std::string> Kept(const std::string& text, const std::vector<IconFacts>& icons) {
    const IconFilter filter(text);
    std::vector<std::string> labels;
    for (const IconFacts& icon : icons) {
        if (filter.Matches(icon))
            labels.push_back(icon.label);
    }
    return labels;
}

std::vector<std::string> Sorted(const std::vector<IconFacts>& icons, IconOrder order) {
    std::vector<std::string> labels;
    for (int position : SortedPositions(icons, order))
        labels.push_back(icons[static_cast<std::size_t>(position)].label);
    return labels;
}

using Labels = std::vector<std::string>;

} // namespace

TEST(FoldCase, FoldsCapitalsOfLatinGreekCyrillicArmenianAndFullWidth) {
    EXPECT_EQ(FoldCase("Printer-2000.DLL"), "printer-2000.dll");
    EXPECT_EQ(FoldCase(u8"ÀÉÎÕÜ Ÿ ŁÓDŹ ĞİŞ ẠẾ"), u8"àéîõü ÿ łódź ğiş ạế");
    EXPECT_EQ(FoldCase(u8"ΕΛΛΆΔΑ ΣΟΦΟΣ σοφος"), u8"ελλάδα σοφοσ σοφοσ");
    EXPECT_EQ(FoldCase(u8"ПРИНТЕР ЁЖ Ґ Ӂ"), u8"принтер ёж ґ ӂ");
    EXPECT_EQ(FoldCase(u8"ԱՐԵՎ"), u8"արեվ");
    EXPECT_EQ(FoldCase(u8"ＩＣＯＮ１２"), "icon12");
    EXPECT_EQ(FoldCase(u8"×÷ß 日本 😀"), u8"×÷ß 日本 😀");
}

TEST(FoldCase, PassesBytesThatAreNotUtf8ThroughAlone) {
    // A lone continuation byte, a truncated sequence, an overlong 'A' and a surrogate.
    const std::string broken = "A\x80"
                               "B\xC3"
                               "C\xC1\x81"
                               "D\xED\xA0\x80";
    EXPECT_EQ(FoldCase(broken), "a\x80"
                                "b\xC3"
                                "c\xC1\x81"
                                "d\xED\xA0\x80");
    EXPECT_EQ(FoldCase("\xE2\x82"), "\xE2\x82"); // ends inside a sequence
}

TEST(IconFilter, SizeWordsMatchImageWidths) {
    const std::vector<IconFacts> icons = {
        Icon("small", {{16, 4}, {32, 8}}), Icon("mid", {{48, 32}}),
        Icon("big", {{16, 32}, {256, 32}}), Icon("unknown", {{0, 0}})};
    EXPECT_EQ(Kept("256", icons), (Labels{"big"}));
    EXPECT_EQ(Kept("16", icons), (Labels{"small", "big"}));
    EXPECT_EQ(Kept(">=48", icons), (Labels{"mid", "big"}));
    EXPECT_EQ(Kept(">= 33", icons), (Labels{"mid", "big"}));
    EXPECT_EQ(Kept(u8"＞＝２５６", icons), (Labels{"big"}));
    EXPECT_EQ(Kept("16 >=48", icons), (Labels{"big"})) << "every word must hold";
    EXPECT_EQ(Kept("24", icons), Labels{});
    EXPECT_EQ(Kept("", icons).size(), 4u);
    EXPECT_EQ(Kept("   ", icons).size(), 4u);
    EXPECT_TRUE(IconFilter(" \t").IsEmpty());
    // 0 and numbers too long for a width are text, so they find nothing here.
    EXPECT_EQ(Kept("0", icons), Labels{});
    EXPECT_EQ(Kept(">=0", icons), Labels{});
    EXPECT_EQ(Kept("99999999", icons), Labels{});
}

TEST(IconFilter, KindWordsAndPng) {
    IconFacts plain = Icon("plain"), png = Icon("png-stored"), cursor = Icon("arrow");
    png.hasPng = true;
    cursor.isCursor = true;
    const std::vector<IconFacts> icons = {plain, png, cursor};
    EXPECT_EQ(Kept("png", icons), (Labels{"png-stored"}));
    EXPECT_EQ(Kept("PNG", icons), (Labels{"png-stored"}));
    EXPECT_EQ(Kept("icon", icons), (Labels{"plain", "png-stored"}));
    EXPECT_EQ(Kept("cursor", icons), (Labels{"arrow"}));
    EXPECT_EQ(Kept("cursor png", icons), Labels{});
}

TEST(IconFilter, TextIsFoundInLabelFileOrResourceNameInAnyCase) {
    IconFacts printer = Icon("Printer");
    printer.fileName = "shell32.dll";
    printer.resourceName = "PD32_LANDSCAPE";
    IconFacts greek = Icon(u8"ΕΚΤΥΠΩΤΗΣ");
    greek.fileName = u8"Λογισμικό.exe";
    IconFacts russian = Icon("42");
    russian.resourceName = u8"ПРИНТЕР";
    IconFacts wide = Icon(u8"ＮＯＴＥＰＡＤ");
    const std::vector<IconFacts> icons = {printer, greek, russian, wide};
    EXPECT_EQ(Kept("print", icons), (Labels{"Printer"}));
    EXPECT_EQ(Kept("SHELL32", icons), (Labels{"Printer"}));
    EXPECT_EQ(Kept("landscape", icons), (Labels{"Printer"}));
    EXPECT_EQ(Kept(u8"εκτυπωτής", icons), Labels{}) << "accents are kept apart";
    EXPECT_EQ(Kept(u8"εκτυπωτησ", icons), (Labels{u8"ΕΚΤΥΠΩΤΗΣ"})) << "final sigma";
    EXPECT_EQ(Kept(u8"ΛΟΓΙΣΜΙΚΌ", icons), (Labels{u8"ΕΚΤΥΠΩΤΗΣ"}));
    EXPECT_EQ(Kept(u8"принтер", icons), (Labels{"42"}));
    EXPECT_EQ(Kept("notepad", icons), (Labels{u8"ＮＯＴＥＰＡＤ"}));
    EXPECT_EQ(Kept(u8"print\u3000shell", icons), (Labels{"Printer"})) << "ideographic space";
    EXPECT_EQ(Kept("print missing", icons), Labels{});
}

TEST(IconOrder, FileKeepsTheListNameFoldsCaseLargestGoesWidestThenDeepest) {
    const std::vector<IconFacts> icons = {
        Icon("beta", {{32, 32}}),   Icon(u8"Ärger", {{256, 8}, {48, 32}}), Icon("Alpha", {{16, 4}}),
        Icon("alpha", {{256, 32}}), Icon(u8"ΩΜΕΓΑ", {{32, 32}}),           Icon("gamma"),
    };
    EXPECT_EQ(Sorted(icons, IconOrder::File),
              (Labels{"beta", u8"Ärger", "Alpha", "alpha", u8"ΩΜΕΓΑ", "gamma"}));
    // Case-insensitive, ties in list order; letters by code point (Ä after ASCII).
    EXPECT_EQ(Sorted(icons, IconOrder::Name),
              (Labels{"Alpha", "alpha", "beta", "gamma", u8"Ärger", u8"ΩΜΕΓΑ"}));
    EXPECT_EQ(Sorted(icons, IconOrder::LargestImage),
              (Labels{"alpha", u8"Ärger", "beta", u8"ΩΜΕΓΑ", "Alpha", "gamma"}));
    EXPECT_TRUE(SortedPositions({}, IconOrder::Name).empty());
}

TEST(IconFacts, ReadFromImagesRealWidthsDepthsPngAndCursors) {
    const Bytes bmp = MakeBmpImage(32, 8, 1), png = MakePngImage(256, 256, 2);
    const Bytes ico = MakeIcoFile({EntryFor(bmp, 32, 8, 0), EntryFor(png, 256, 32, 0)}, {bmp, png});
    const auto set = ReadIcoImages(ByteView(ico.data(), ico.size()));
    ASSERT_NE(set, nullptr);
    IconFacts facts;
    SetImageFacts(*set, facts);
    ASSERT_EQ(facts.images.size(), 2u);
    EXPECT_EQ(facts.images[0].width, 32);
    EXPECT_EQ(facts.images[0].bitCount, 8);
    EXPECT_EQ(facts.images[1].width, 256) << "an entry's 0 is read from the PNG";
    EXPECT_EQ(facts.images[1].bitCount, 32);
    EXPECT_TRUE(facts.hasPng);
    EXPECT_FALSE(facts.isCursor);
    EXPECT_EQ(facts.Largest().width, 256);

    const Bytes cur = MakeCurFile({48}, {{5, 9}});
    const auto cursor = ReadCurImages(ByteView(cur.data(), cur.size()));
    ASSERT_NE(cursor, nullptr);
    SetImageFacts(*cursor, facts);
    ASSERT_EQ(facts.images.size(), 1u);
    EXPECT_TRUE(facts.isCursor);
    EXPECT_FALSE(facts.hasPng);
    EXPECT_EQ(facts.images[0].width, 48);
    EXPECT_EQ(facts.images[0].bitCount, 1) << "from the image, not the hot spot's y";
}
