// Choosing the display image of a group icon.
#include "DisplayImage.h"

#include "GroupIcon.h"
#include "IconImageFinder.h"
#include "PEFile.h"

namespace quarvel {

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
    const auto group = FindDisplayGroup(file, name, language);
    if (!group)
        return std::nullopt;

    int chosen = 0;
    for (int i = 0; i < group->Count(); ++i) {
        if (group->Entry(i).bWidth == width) {
            chosen = i;
            break;
        }
    }
    IconImageFinder finder(file, language);
    const auto imageOf = [&](int index) -> std::optional<ByteView> {
        const auto ref = finder.Find(group->Entry(index).nID, false);
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
    int chosen = 0;
    for (int i = 0; i < directory.Count(); ++i) {
        if (directory.Entry(i).bWidth == width) {
            chosen = i;
            break;
        }
    }
    auto image = directory.Image(chosen);
    for (int i = 0; !image && i < directory.Count(); ++i)
        image = directory.Image(i);
    return image;
}

} // namespace quarvel
