// Choosing the display image of a group icon.
#include "DisplayImage.h"

#include "GroupIcon.h"
#include "IconImageFinder.h"
#include "PEFile.h"

#include <algorithm>

namespace quarvel {

namespace {
// The icon width at 96 DPI; cells of high-DPI displays are wider.
constexpr int kDesignIconWidth = 32;

// The deepest entry of the width, as the system picks for a display of true colour (a directory
// that holds 4, 8 and 32 bits at one size shows its 32-bit image); the first of equals; -1 when
// none has the width.
template <typename Directory> int DeepestOf(const Directory& directory, int width) {
    int chosen = -1;
    for (int i = 0; i < directory.Count(); ++i) {
        const auto entry = directory.Entry(i);
        if (entry.bWidth == width &&
            (chosen < 0 || entry.wBitCount > directory.Entry(chosen).wBitCount))
            chosen = i;
    }
    return chosen;
}

// The deepest entry of the width; entry 0 when no width matches. A width above the 96-DPI one
// without an image of its own takes the widest narrower image of at least that width first: a
// high-DPI display shows the icon at its own size, never smaller than at 96 DPI.
template <typename Directory> int DeepestOfWidth(const Directory& directory, int width) {
    int chosen = DeepestOf(directory, width);
    if (chosen < 0 && width > kDesignIconWidth) {
        int widest = 0;
        for (int i = 0; i < directory.Count(); ++i) {
            const int entryWidth = directory.Entry(i).bWidth; // 0 stands for 256
            if (entryWidth >= kDesignIconWidth && entryWidth < width && entryWidth > widest)
                widest = entryWidth;
        }
        if (widest > 0)
            chosen = DeepestOf(directory, widest);
    }
    return std::max(chosen, 0);
}
} // namespace

std::optional<GroupIcon> FindDisplayGroup(const CPEFile& file, ResKey name,
                                          std::uint16_t language) {
    auto groupRef = file.FindResourceLang(kResTypeGroupIcon, name, language);
    if (!groupRef)
        groupRef = file.FindResourceAnyLang(kResTypeGroupIcon, name);
    const auto groupBytes = groupRef ? groupRef->Bytes() : std::nullopt;
    const auto group = groupBytes ? GroupIcon::Parse(*groupBytes) : std::nullopt;
    if (!group || groupBytes->Size() <= kIconHeaderSize || !group->IsIcon())
        return std::nullopt;
    return group;
}

std::optional<ByteView> ChooseDisplayImage(const CPEFile& file, ResKey name, std::uint16_t language,
                                           int width) {
    IconImageFinder images(file, language);
    return ChooseDisplayImage(file, images, name, language, width);
}

std::optional<ByteView> ChooseDisplayImage(const CPEFile& file, IconImageFinder& images,
                                           ResKey name, std::uint16_t language, int width) {
    const auto group = FindDisplayGroup(file, name, language);
    if (!group)
        return std::nullopt;

    const int chosen = DeepestOfWidth(*group, width);
    const auto imageOf = [&](int index) -> std::optional<ByteView> {
        const auto ref = images.Find(group->Entry(index).nID, false);
        return ref ? ref->Bytes() : std::nullopt;
    };
    auto image = imageOf(chosen);
    for (int i = 0; !image && i < group->Count(); ++i)
        image = imageOf(i);
    return image;
}

std::optional<ByteView> ChooseIcoDisplayImage(const IcoDirectory& directory, int width) {
    if (!directory.IsIcon() || !directory.IsComplete())
        return std::nullopt;
    auto image = directory.Image(DeepestOfWidth(directory, width));
    for (int i = 0; !image && i < directory.Count(); ++i)
        image = directory.Image(i);
    return image;
}

} // namespace quarvel
