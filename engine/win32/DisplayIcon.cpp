// Building display icons from group icons and .ico files with the system's icon functions.
#include "../DisplayIcon.h"

#include "../CursorImages.h"
#include "../DisplayImage.h"
#include "../IconFileCache.h"
#include "../IconImage.h"
#include "../IconItem.h"
#include "../ImageCheck.h"
#include "../IconSizing.h"
#include "../ImageLimits.h"
#include "../PEFile.h"
#include "../IcoDirectory.h"
#include "GdiOwners.h"

#include <optional>
#include <vector>

namespace quarvel {

namespace {

constexpr DWORD kIconFormatVersion = 0x00030000;

// The image of the group's display icon in an open file whose images are indexed; a width of 0
// means the system icon size.
std::optional<ByteView> GroupDisplayImage(const CPEFile& file, IconImageFinder& images, ResKey name,
                                          std::uint16_t language, int width) {
    if (width == 0)
        width = GetSystemMetrics(SM_CXICON);
    // The icon list shows a group as one icon: one that holds an oversized image gets none, as an
    // .ico file with one does (whose image the system picks itself).
    if (GroupHasOversizedImage(file, images, name, language))
        return std::nullopt;
    return ChooseDisplayImage(file, images, name, language, width);
}

SizedIcon BuildGroupIcon(const CPEFile& file, IconImageFinder& images, ResKey name,
                         std::uint16_t language, int width) {
    const auto image = GroupDisplayImage(file, images, name, language, width);
    return image ? BuildIconFromImage(*image) : SizedIcon();
}

// The image of an .ico file's display icon, inside `file`.
std::optional<ByteView> IcoDisplayImage(const IcoFile& file, int width) {
    // Chosen as a group's icon is, from the file's bytes: the system's own .ico loader is not
    // hardened against damaged files. A file with an oversized image gets none, as a group with
    // one does.
    const IcoDirectory* directory = file.Directory();
    if (!directory || IcoHasOversizedImage(*directory))
        return std::nullopt;
    if (width == 0)
        width = GetSystemMetrics(SM_CXICON);
    return ChooseIcoDisplayImage(*directory, width);
}

SizedIcon BuildIcoFileIcon(const char* path, int width) {
    if (path == nullptr)
        return SizedIcon();
    const IcoFile file(path);
    const auto image = IcoDisplayImage(file, width);
    return image ? BuildIconFromImage(*image) : SizedIcon();
}

std::vector<std::uint8_t> CopyOf(const std::optional<ByteView>& image) {
    return image ? std::vector<std::uint8_t>(image->Data(), image->Data() + image->Size())
                 : std::vector<std::uint8_t>();
}

// A cursor's icon: its image chosen for the width as an icon's is, built from the bytes after
// its hot spot (the set holds no more), through the same check. None with an oversized image.
SizedIcon BuildCursorIcon(const CIconItem& item, int width) {
    const std::unique_ptr<CIconImageSet> set = ReadCursorImages(item);
    if (!set)
        return SizedIcon();
    for (const IconSetEntry& entry : set->entries)
        if (IsOversizedImage(ByteView(entry.image.data(), entry.image.size())))
            return SizedIcon();
    const auto choice = ChooseImageForSide(*set, width == 0 ? GetSystemMetrics(SM_CXICON) : width);
    if (!choice)
        return SizedIcon();
    const std::vector<std::uint8_t>& image =
        set->entries[static_cast<std::size_t>(choice->entry)].image;
    return BuildIconFromImage(ByteView(image.data(), image.size()));
}

} // namespace

SizedIcon BuildIconFromImage(const ByteView& image) {
    const auto side = IconBuildSize(image);
    std::vector<std::uint8_t> completed;
    const auto checked = side ? ImageForSystem(image, completed) : std::nullopt;
    if (!checked)
        return SizedIcon();
    ScopedIcon icon(CreateIconFromResourceEx(const_cast<PBYTE>(checked->Data()),
                                             static_cast<DWORD>(checked->Size()), TRUE,
                                             kIconFormatVersion, *side, *side, 0));
    return icon ? SizedIcon{std::move(icon), *side} : SizedIcon();
}

HICON CreateIconFromImage(const std::uint8_t* image, std::uint32_t size) {
    return BuildIconFromImage(ByteView(image, size)).icon.Detach();
}

HICON CPEFile::LoadGroupIcon(ResKey name, std::uint16_t language, int width, int height) const {
    (void)height; // the height takes no part in the choice
    IconImageFinder images(*this, language);
    return BuildGroupIcon(*this, images, name, language, width).icon.Detach();
}

HICON LoadIconFromFile(const char* path, ResKey name, std::uint16_t language, int width,
                       int height) {
    CPEFile file(path);
    HICON icon = file.IsOpen() ? file.LoadGroupIcon(name, language, width, height) : nullptr;
    file.Close();
    return icon;
}

HICON LoadIcoFileIcon(const char* path, int width) {
    return BuildIcoFileIcon(path, width).icon.Detach();
}

std::vector<std::uint8_t> ReadGroupDisplayImage(const char* path, ResKey name,
                                                std::uint16_t language, int width) {
    const CPEFile file(path);
    return file.IsOpen() ? ReadGroupDisplayImage(file, name, language, width)
                         : std::vector<std::uint8_t>();
}

std::vector<std::uint8_t> ReadGroupDisplayImage(const CPEFile& file, ResKey name,
                                                std::uint16_t language, int width) {
    IconImageFinder images(file, language);
    return CopyOf(GroupDisplayImage(file, images, name, language, width));
}

std::vector<std::uint8_t> ReadIcoDisplayImage(const char* path, int width) {
    if (path == nullptr)
        return {};
    const IcoFile file(path);
    return CopyOf(IcoDisplayImage(file, width));
}

SizedIcon CIconItem::LoadDisplayIcon(IconFileCache& files, int width) const {
    if (IsCursor())
        return BuildCursorIcon(*this, width);
    if (GetKind() != ResourceGroup)
        return BuildIcoFileIcon(GetPath().c_str(), width);
    IndexedImageFile* file = files.Open(GetPath());
    return file ? BuildGroupIcon(file->File(), file->Images(), GetName(), GetLanguage(), width)
                : SizedIcon();
}

HICON CIconItem::LoadDisplayIcon(int width) const {
    IconFileCache files;
    return LoadDisplayIcon(files, width).icon.Detach();
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
