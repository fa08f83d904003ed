// Corpus inputs for the cursor readers: sound .cur and .ani files and an image with group
// cursors, and .ani files damaged in every count and size.
#include "CorpusInputs.h"

#include "support/CursorData.h"

#include <functional>

namespace quarvel::fuzz {

namespace {

using test::Bytes;

void Put32(Bytes& b, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

test::AniParts SequencedParts() {
    test::AniParts parts = test::MakeAniParts(2);
    const Bytes image = test::MakeBmpImage(32, 32);
    parts.frameFiles.push_back(test::MakeIcoFile({test::EntryFor(image, 32, 32, 0)}, {image}));
    parts.frames = 3;
    parts.steps = 4;
    parts.rates = {5, 6, 7, 8};
    parts.sequence = {2, 0, 1, 0};
    return parts;
}

} // namespace

void AddCursorSeeds(std::vector<NamedInput>& out) {
    out.push_back({"cursor.cur", test::MakeCurFile({32, 16}, {{1, 2}, {3, 4}})});
    out.push_back({"cursor.ani", test::BuildAni(test::MakeAniParts(2))});
    out.push_back({"sequenced-icon-frame.ani", test::BuildAni(SequencedParts())});
    test::ResourceTree tree;
    test::AddCursorGroup(tree, 32512, 0, {32, 48}, {{1, 1}, {2, 2}}, 1);
    test::AddCursorGroup(tree, u"HAND", 1033, {32}, {{3, 3}}, 5);
    out.push_back({"group-cursors.dll", test::BuildImageWithResources(tree)});
}

void AddCursorDamage(std::vector<NamedInput>& out) {
    const auto ani = [&](const std::string& name,
                         const std::function<void(test::AniParts&)>& damage) {
        test::AniParts parts = SequencedParts();
        damage(parts);
        out.push_back({"ani-" + name, test::BuildAni(parts)});
    };
    ani("header-size-field-0", [](test::AniParts& p) { p.headerSizeField = 0; });
    ani("header-size-field-ffffffff", [](test::AniParts& p) { p.headerSizeField = 0xFFFFFFFF; });
    ani("header-chunk-size-200", [](test::AniParts& p) { p.headerSize = 200; });
    ani("sequence-past-frames", [](test::AniParts& p) { p.sequence[1] = 3; });
    ani("sequence-index-ffffffff", [](test::AniParts& p) { p.sequence[1] = 0xFFFFFFFF; });
    ani("steps-ffffffff", [](test::AniParts& p) { p.steps = 0xFFFFFFFF; });
    ani("frames-ffffffff", [](test::AniParts& p) { p.frames = 0xFFFFFFFF; });
    ani("frame-cut", [](test::AniParts& p) { p.frameFiles[0].resize(40); });

    std::vector<std::size_t> chunks;
    const Bytes sound = test::BuildAni(SequencedParts(), &chunks);
    for (const std::size_t at : chunks) {
        Bytes huge = sound;
        Put32(huge, at + 4, 0xFFFFFFFF);
        out.push_back({"ani-chunk-size-ffffffff-at-" + std::to_string(at), huge});
        for (const std::size_t cut : {at, at + 6}) {
            Bytes shorter(sound.begin(), sound.begin() + static_cast<std::ptrdiff_t>(cut));
            Put32(shorter, 4, static_cast<std::uint32_t>(cut - 8));
            out.push_back({"ani-cut-at-" + std::to_string(cut), shorter});
        }
    }
    Bytes cur = test::MakeCurFile({32}, {{1, 1}});
    Put32(cur, 6 + 8, 0xFFFFFFFF);
    out.push_back({"cur-image-size-ffffffff", cur});
}

} // namespace quarvel::fuzz
