// Sound seeds: image files built with the engine tests' PE builder and .ico files.
#include "CorpusInputs.h"

#include "support/IconData.h"
#include "support/PeBuilder.h"
#include "support/PngBuilder.h"

namespace quarvel::fuzz {

using test::Bytes;

namespace {

// Two groups in two languages with bitmap images of every depth and a PNG image, and a group
// with a string name.
test::ResourceTree RichTree() {
    test::ResourceTree tree;
    test::AddIconGroup(tree, 1, 1033,
                       {test::MakeBmpImage(16, 1), test::MakeBmpImage(16, 4),
                        test::MakeBmpImage(32, 8), test::MakeBmpImage(32, 24),
                        test::MakeBmpImage(32, 32), test::MakePngImage(48, 48)},
                       {16, 16, 32, 32, 32, 48}, {1, 4, 8, 24, 32, 32}, 1);
    test::AddIconGroup(tree, 1, 1031, {test::MakeBmpImage(16, 4, 7)}, {16}, {4}, 20);
    test::AddIconGroup(tree, u"MAINICON", 0,
                       {test::MakePngImage(64, 64, 3), test::MakeBmpImage(32, 32, 5)}, {64, 32},
                       {32, 32}, 30);
    return tree;
}

// A small PNG of noise in the colour type, depth, filter and interlacing given.
Bytes NoisePng(int colourType, int depth, int filter, bool interlaced, const Bytes& palette = {},
               const Bytes& trns = {}) {
    test::PngLayout layout;
    layout.width = 11;
    layout.height = 9;
    layout.colourType = colourType;
    layout.depth = depth;
    layout.filter = filter;
    layout.interlaced = interlaced;
    layout.palette = palette;
    layout.trns = trns;
    return test::MakeTestPng(layout, test::PngNoise(layout, static_cast<unsigned>(depth + filter)));
}

} // namespace

std::vector<NamedInput> SeedInputs() {
    std::vector<NamedInput> seeds;
    const test::ResourceTree tree = RichTree();
    seeds.push_back({"pe32-groups.exe", test::BuildImageWithResources(tree, false)});
    seeds.push_back({"pe32plus-groups.exe", test::BuildImageWithResources(tree, true)});

    // A group whose images exist only in another language than the group's.
    test::ResourceTree mixed;
    const Bytes image = test::MakeBmpImage(32, 4);
    mixed.Add(3, 7, 0, image);
    mixed.Add(14, 2, 1033, test::MakeGroup({test::EntryFor(image, 32, 4, 7)}));
    seeds.push_back({"pe32-other-language.dll", test::BuildImageWithResources(mixed, false)});

    const Bytes bmp16 = test::MakeBmpImage(16, 4), bmp32 = test::MakeBmpImage(32, 32);
    const Bytes png48 = test::MakePngImage(48, 48), png16 = test::MakePngImage(16, 16, 9);
    seeds.push_back({"bitmaps.ico", test::MakeIcoFile({test::EntryFor(bmp16, 16, 4, 0),
                                                       test::EntryFor(bmp32, 32, 32, 0)},
                                                      {bmp16, bmp32})});
    seeds.push_back({"png-and-bitmap.ico", test::MakeIcoFile({test::EntryFor(png48, 48, 32, 0),
                                                              test::EntryFor(bmp16, 16, 4, 0)},
                                                             {png48, bmp16})});
    seeds.push_back({"png.ico", test::MakeIcoFile({test::EntryFor(png16, 16, 32, 0)}, {png16})});

    // PNG images of every colour type, for the PNG reader and the downscale.
    seeds.push_back({"grey1-adam7.png", NoisePng(0, 1, 5, true)});
    seeds.push_back({"grey16-key.png", NoisePng(0, 16, 4, false, {}, {0x12, 0x34})});
    seeds.push_back({"rgb16-paeth.png", NoisePng(2, 16, 4, true)});
    seeds.push_back(
        {"palette4-alpha.png", NoisePng(3, 4, 1, false, Bytes(48, 0x5A), {0, 64, 128, 255, 7})});
    seeds.push_back({"grey-alpha8-average.png", NoisePng(4, 8, 3, false)});
    seeds.push_back({"rgba8-filters-adam7.png", NoisePng(6, 8, 5, true)});
    // An .ico whose PNG entry says width 0: its size comes from the PNG.
    const Bytes png40 = test::MakePngImage(40, 40, 4);
    test::GroupEntrySpec zeroWidth = test::EntryFor(png40, 40, 32, 0);
    zeroWidth.width = zeroWidth.height = 0;
    seeds.push_back({"sizes.ico", test::MakeIcoFile({test::EntryFor(bmp16, 16, 4, 0),
                                                     test::EntryFor(bmp32, 32, 32, 0), zeroWidth},
                                                    {bmp16, bmp32, png40})});
    AddCursorSeeds(seeds);
    return seeds;
}

} // namespace quarvel::fuzz
