// Display icons (Windows only): building an HICON from a group icon or an .ico file.
#pragma once

#ifdef _WIN32

#include "ByteView.h"
#include "ResKey.h"
#include "win32/GdiOwners.h"

#include <cstdint>
#include <vector>
#include <windows.h>

namespace quarvel {

class CPEFile;

// An icon and the side it was built at (icons are built square), which saves asking the icon.
struct SizedIcon {
    ScopedIcon icon;
    int side = 0;
};

// Opens the image file, builds the group's display icon (CPEFile::LoadGroupIcon) and closes it.
// Sizes of 0 mean the system icon size. The caller destroys the icon.
HICON LoadIconFromFile(const char* path, ResKey name, std::uint16_t language, int width,
                       int height);

// Builds the icon of an .ico file as a group's is built (ChooseIcoDisplayImage; a width of 0 means
// the system icon size), never through the system's .ico loader. The caller destroys it.
HICON LoadIcoFileIcon(const char* path, int width);

// The bytes of the image that LoadIconFromFile and LoadIcoFileIcon build their icon from, read
// the same way; empty when they build none. Equal bytes make equal icons, so callers that show
// many files of the same icon can build it once.
std::vector<std::uint8_t> ReadGroupDisplayImage(const char* path, ResKey name,
                                                std::uint16_t language, int width);
// The same from an image file already open, which saves a listing a second opening.
std::vector<std::uint8_t> ReadGroupDisplayImage(const CPEFile& file, ResKey name,
                                                std::uint16_t language, int width);
std::vector<std::uint8_t> ReadIcoDisplayImage(const char* path, int width);

// Builds an icon from one image's bytes at the image's own width (clamped to 1..256), square;
// none for an image that fails IsSoundIconImage (ImageCheck.h), which never reaches the system.
SizedIcon BuildIconFromImage(const ByteView& image);
// The same, handing the icon to the caller, who destroys it.
HICON CreateIconFromImage(const std::uint8_t* image, std::uint32_t size);

// The icon's width from its colour bitmap (or its mask when it has none); 0 when unreadable.
int IconWidth(HICON icon);

} // namespace quarvel

#endif
