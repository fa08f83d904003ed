// Building display icons from group icons and .ico files with the system's icon functions.
#include "../DisplayIcon.h"

#include "../DisplayImage.h"
#include "../IconImage.h"
#include "../IconItem.h"
#include "../ImageCheck.h"
#include "../ImageLimits.h"
#include "../PEFile.h"
#include "../IcoDirectory.h"
#include "GdiOwners.h"

#include <vector>

namespace quarvel {

namespace {

constexpr DWORD kIconFormatVersion = 0x00030000;

} // namespace

HICON CreateIconFromImage(const std::uint8_t* image, std::uint32_t size) {
    const ByteView bytes(image, size);
    const auto side = IconBuildSize(bytes);
    std::vector<std::uint8_t> completed;
    const auto checked = side ? ImageForSystem(bytes, completed) : std::nullopt;
    if (!checked)
        return nullptr;
    return CreateIconFromResourceEx(const_cast<PBYTE>(checked->Data()),
                                    static_cast<DWORD>(checked->Size()), TRUE, kIconFormatVersion,
                                    *side, *side, 0);
}

HICON CPEFile::LoadGroupIcon(ResKey name, std::uint16_t language, int width, int height) const {
    if (width == 0)
        width = GetSystemMetrics(SM_CXICON);
    if (height == 0)
        height = GetSystemMetrics(SM_CYICON); // the height takes no part in the choice
    // The icon list shows a group as one icon: one that holds an oversized image gets none, as an
    // .ico file with one does (whose image the system picks itself).
    if (GroupHasOversizedImage(*this, name, language))
        return nullptr;
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

HICON LoadIcoFileIcon(const char* path, int width) {
    // Chosen and built as a group's icon is, from the file's bytes: the system's own .ico loader
    // is not hardened against damaged files. A file with an oversized image gets none, as a
    // group with one does.
    if (path == nullptr || IcoFileHasOversizedImage(path))
        return nullptr;
    const IcoFile file(path);
    if (!file.Directory())
        return nullptr;
    if (width == 0)
        width = GetSystemMetrics(SM_CXICON);
    const auto image = ChooseIcoDisplayImage(*file.Directory(), width);
    return image ? CreateIconFromImage(image->Data(), static_cast<std::uint32_t>(image->Size()))
                 : nullptr;
}

HICON CIconItem::LoadDisplayIcon(int width) const {
    if (GetKind() == ResourceGroup)
        return LoadIconFromFile(GetPath().c_str(), GetName(), GetLanguage(), width, width);
    return LoadIcoFileIcon(GetPath().c_str(), width);
}

int IconWidth(HICON icon) {
    ICONINFO info;
    if (icon == nullptr || !GetIconInfo(icon, &info))
        return 0;
    const ScopedBitmap colour(info.hbmColor), mask(info.hbmMask);
    BITMAP bm;
    const bool described = GetObjectA(colour ? colour.Get() : mask.Get(), sizeof bm, &bm) != 0;
    return described && bm.bmWidth > 0 ? bm.bmWidth : 0;
}

} // namespace quarvel
