// The floor probe: the system picks, builds and draws; our reader only vets the bytes first.
#include "PictureFloor.h"

#include "../support/BenchSupport.h"
#include "engine/DisplayImage.h"
#include "engine/GroupIcon.h"
#include "engine/IconImageFinder.h"
#include "engine/ImageCheck.h"
#include "engine/IconImage.h"
#include "engine/IconSizing.h"
#include "engine/PEFile.h"
#include "engine/win32/GdiOwners.h"

#include <algorithm>
#include <utility>

using namespace quarvel;

namespace bench {

namespace {

constexpr DWORD kIconFormatVersion = 0x00030000;

// The group icons of a file as the icon list gets them; a name given as text is kept.
struct GroupKeys : IconListReceiver {
    struct Key {
        bool isId;
        unsigned id;
        std::string name;
        std::uint16_t language;
        ResKey AsKey() const { return isId ? ResKey(id) : ResKey(name.c_str()); }
    };
    std::vector<Key> keys;
    int AddGroupIcon(const char*, ResKey name, std::uint16_t language) override {
        keys.push_back({name.IsId(), name.IsId() ? name.Id() : 0u,
                        name.IsId() ? std::string() : std::string(name.Name()), language});
        return 1;
    }
    int AddIconFile(const char*) override { return 0; }
};

// The image's bytes as they may go to the system, copied; nothing when the image fails the check.
std::optional<std::vector<std::uint8_t>> VettedImage(const ByteView& image) {
    std::vector<std::uint8_t> scratch;
    const auto checked = ImageForSystem(image, scratch);
    if (!checked)
        return std::nullopt;
    return std::vector<std::uint8_t>(checked->Data(), checked->Data() + checked->Size());
}

// Calls `use(file, group, finder)` for each group icon of the files that the engine can read,
// each file mapped once.
template <typename Use> void ForEachGroup(const std::vector<std::string>& files, Use use) {
    for (const std::string& path : files) {
        const CPEFile file(path.c_str());
        GroupKeys groups;
        if (!file.IsOpen() || ListGroupIcons(file, path.c_str(), groups) == 0)
            continue;
        for (const auto& key : groups.keys) {
            const auto group = FindDisplayGroup(file, key.AsKey(), key.language);
            IconImageFinder finder(file, key.language);
            if (group)
                use(*group, finder);
        }
    }
}

} // namespace

std::vector<FloorImage> SystemPickedImages(const std::vector<std::string>& files, int side) {
    std::vector<FloorImage> images;
    ForEachGroup(files, [&](const GroupIcon& group, IconImageFinder& finder) {
        const int id = LookupIconIdFromDirectoryEx(const_cast<PBYTE>(group.Bytes().Data()), TRUE,
                                                   side, side, LR_DEFAULTCOLOR);
        const auto ref = id > 0 ? finder.Find(static_cast<std::uint16_t>(id), true) : std::nullopt;
        const auto bytes = ref ? ref->Bytes() : std::nullopt;
        auto vetted = bytes ? VettedImage(*bytes) : std::nullopt;
        if (vetted)
            images.push_back({std::move(*vetted), side, side, IconBuildSize(*bytes).value_or(0)});
    });
    return images;
}

std::vector<FloorImage> EngineChosenImages(const std::vector<std::string>& files, int side) {
    std::vector<FloorImage> images;
    ForEachGroup(files, [&](const GroupIcon& group, IconImageFinder& finder) {
        const auto shown = ChooseGroupImageForSide(group, finder, side);
        const auto own = shown ? IconBuildSize(shown->image) : std::nullopt;
        auto vetted = own ? VettedImage(shown->image) : std::nullopt;
        if (vetted)
            images.push_back({std::move(*vetted), *own, std::min(*own, side), *own});
    });
    return images;
}

std::vector<FloorImage> GroupImages(const std::string& path, ResKey name, std::uint16_t language) {
    std::vector<FloorImage> images;
    const CPEFile file(path.c_str());
    const auto group = file.IsOpen() ? FindGroupIcon(file, name, language) : std::nullopt;
    if (!group || !group->IsIcon())
        return images;
    IconImageFinder finder(file, language);
    for (int i = 0; i < group->Count(); ++i) {
        const auto ref = finder.Find(group->Entry(i).nID, true);
        const auto bytes = ref ? ref->Bytes() : std::nullopt;
        const auto side = bytes ? IconBuildSize(*bytes) : std::nullopt;
        auto vetted = side ? VettedImage(*bytes) : std::nullopt;
        if (vetted)
            images.push_back({std::move(*vetted), *side, *side, *side});
    }
    return images;
}

double FloorMillisecondsPerPicture(const std::vector<FloorImage>& images, int runs) {
    if (images.empty())
        return 0;
    int largest = 1;
    for (const FloorImage& image : images)
        largest = std::max(largest, image.drawSide);
    const ScopedBitmap dib = MakeDibSection(largest, largest);
    const ScopedMemoryDC dc(CreateCompatibleDC(nullptr));
    const ScopedSelect selected(dc.Get(), dib.Get());

    std::vector<HICON> icons(images.size());
    double best = 1e300;
    for (int run = 0; run <= runs; ++run) { // run 0 warms up
        const double start = Now();
        for (std::size_t i = 0; i < images.size(); ++i) {
            const FloorImage& image = images[i];
            icons[i] = CreateIconFromResourceEx(
                const_cast<PBYTE>(image.bytes.data()), static_cast<DWORD>(image.bytes.size()), TRUE,
                kIconFormatVersion, image.buildSide, image.buildSide, 0);
            DrawIconEx(dc.Get(), 0, 0, icons[i], image.drawSide, image.drawSide, 0, nullptr,
                       DI_NORMAL);
        }
        const double elapsed = Now() - start;
        for (HICON& icon : icons)
            DestroyIcon(std::exchange(icon, nullptr));
        if (run > 0)
            best = std::min(best, elapsed);
    }
    return 1000 * best / static_cast<double>(images.size());
}

} // namespace bench
