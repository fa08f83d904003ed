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

std::optional<ByteView> ChooseIcoDisplayImage(const ByteView& file, int width) {
    std::uint16_t reserved = 0, type = 0, count = 0;
    if (!file.U16(0, reserved) || !file.U16(2, type) || !file.U16(4, count) || reserved != 0 ||
        type != 1 || count == 0 || !file.Readable(0, kIconHeaderSize + kIcoEntrySize * count))
        return std::nullopt;
    const auto entryAt = [](int index) { return kIconHeaderSize + kIcoEntrySize * index; };
    int chosen = 0;
    for (int i = 0; i < count; ++i) {
        if (file.Data()[entryAt(i)] == width) {
            chosen = i;
            break;
        }
    }
    const auto imageOf = [&](int index) {
        return file.Slice(file.U32At(entryAt(index) + 12), file.U32At(entryAt(index) + 8));
    };
    auto image = imageOf(chosen);
    for (int i = 0; !image && i < count; ++i)
        image = imageOf(i);
    return image;
}

} // namespace quarvel
