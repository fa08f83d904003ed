// Building display icons from group icons and .ico files with the system's icon functions.
#include "../DisplayIcon.h"

#include "../DisplayImage.h"
#include "../IconImage.h"
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
    const auto image = ChooseDisplayImage(*this, name, language, width);
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
