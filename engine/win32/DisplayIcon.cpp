// Building display icons from group icons and .ico files with the system's icon functions.
#include "../DisplayIcon.h"

#include "../GroupIcon.h"
#include "../IconImage.h"
#include "../IconImageFinder.h"
#include "../IconItem.h"
#include "../PEFile.h"

namespace quarvel {

namespace {

constexpr DWORD kIconFormatVersion = 0x00030000;

} // namespace

HICON CreateIconFromImage(const std::uint8_t* image, std::uint32_t size) {
    const auto side = IconBuildSize(ByteView(image, size));
    if (!side)
        return nullptr;
    return CreateIconFromResourceEx(const_cast<PBYTE>(image), size, TRUE, kIconFormatVersion, *side,
                                    *side, 0);
}

HICON CPEFile::LoadGroupIcon(ResKey name, std::uint16_t language, int width, int height) const {
    if (width == 0)
        width = GetSystemMetrics(SM_CXICON);
    if (height == 0)
        height = GetSystemMetrics(SM_CYICON); // the height takes no part in the choice
    auto groupRef = FindResourceLang(kResTypeGroupIcon, name, language);
    if (!groupRef)
        groupRef = FindResourceAnyLang(kResTypeGroupIcon, name);
    const auto groupBytes = groupRef ? groupRef->Bytes() : std::nullopt;
    const auto group = groupBytes ? GroupIcon::Parse(*groupBytes) : std::nullopt;
    if (!group || groupBytes->Size() <= kIconHeaderSize || !group->IsIcon())
        return nullptr;

    int chosen = 0;
    for (int i = 0; i < group->Count(); ++i) {
        if (group->Entry(i).bWidth == width) {
            chosen = i;
            break;
        }
    }
    IconImageFinder finder(*this, language);
    const auto imageOf = [&](int index) -> std::optional<ByteView> {
        const auto ref = finder.Find(group->Entry(index).nID, false);
        return ref ? ref->Bytes() : std::nullopt;
    };
    auto image = imageOf(chosen);
    for (int i = 0; !image && i < group->Count(); ++i)
        image = imageOf(i);
    if (!image)
        return nullptr;
    return CreateIconFromImage(image->Data(), static_cast<std::uint32_t>(image->Size()));
}

HICON LoadIconFromFile(const char* path, ResKey name, std::uint16_t language, int width,
                       int height) {
    CPEFile file(path);
    HICON icon = file.IsOpen() ? file.LoadGroupIcon(name, language, width, height) : nullptr;
    file.Close();
    return icon;
}

HICON CIconItem::LoadDisplayIcon() const {
    if (GetKind() == ResourceGroup)
        return LoadIconFromFile(GetPath().c_str(), GetName(), GetLanguage(), 0, 0);
    return static_cast<HICON>(
        LoadImageA(nullptr, GetPath().c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE));
}

} // namespace quarvel
