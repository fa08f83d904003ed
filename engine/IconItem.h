// CIconItem: one icon of the icon list. It names where the icon lives (a group icon or group
// cursor of an image file, or a whole .ico, .cur or .ani file) and never holds image data or an
// open file.
#pragma once

#include "ResKey.h"

#include <cstdint>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace quarvel {

class IconFileCache;
struct SizedIcon;

class CIconItem {
public:
    enum Kind {
        ResourceGroup = 1,      // a group icon of an image file
        IconFile = 2,           // an .ico file
        CursorGroup = 3,        // a group cursor of an image file
        CursorFile = 4,         // a .cur file
        AnimatedCursorFile = 5, // an .ani file
    };
    // Image index values before a picture exists.
    static constexpr int kImageNotMade = -2;
    static constexpr int kImageFailed = -1;

    // A group icon (or, with CursorGroup, a group cursor) of an image file; a name given as text
    // is copied (at most the bytes of a name the resource walker reads, kResNameBufferSize - 1).
    CIconItem(const char* path, ResKey name, std::uint16_t language, Kind kind = ResourceGroup);
    // A whole .ico file (or, with CursorFile or AnimatedCursorFile, a .cur or .ani file).
    explicit CIconItem(const char* path, Kind kind = IconFile);
    virtual ~CIconItem() = default;

    Kind GetKind() const { return kind_; }
    // A group of an image file (icon or cursor), named by id or name and language.
    bool IsGroup() const { return kind_ == ResourceGroup || kind_ == CursorGroup; }
    bool IsCursor() const { return kind_ >= CursorGroup; }
    // The kind in words, as the user reads it: "icon", "icon file", "cursor", "cursor file" or
    // "animated cursor" (every cursor's holds the word "cursor").
    const char* KindName() const;
    // The file the icon's bytes are read from.
    const std::string& GetPath() const { return path_; }
    // The file the icon was listed for: the path, unless its icons were moved to a .mun file
    // and the item reads them from there (MunFallback.h).
    const std::string& GetListedPath() const { return listedPath_.empty() ? path_ : listedPath_; }
    void SetListedPath(const char* path) { listedPath_ = path ? path : ""; }
    // The group's key: its id, or its name (valid while the item lives).
    ResKey GetName() const { return nameIsId_ ? ResKey(id_) : ResKey(name_.c_str()); }
    bool NameIsId() const { return nameIsId_; }
    unsigned GetId() const { return id_; }
    const char* GetNameText() const { return name_.c_str(); }
    std::uint16_t GetLanguage() const { return language_; }

    int GetImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index) { imageIndex_ = index; }

#ifdef _WIN32
    // The icon that stands for this item at `width` pixels (0: the system icon size), built from
    // the image chosen for that width at the image's own size; the caller destroys it. None for
    // an .ico file or group with an oversized image (ImageLimits.h).
    HICON LoadDisplayIcon(int width = 0) const;
    // The same icon, with its side, reading a group's file through `files`, which keeps it open
    // and indexed for the batch's next icons (DisplayIcon.h declares SizedIcon).
    SizedIcon LoadDisplayIcon(IconFileCache& files, int width = 0) const;
#endif

private:
    std::string path_;
    std::string listedPath_; // empty when it is the path
    Kind kind_;
    unsigned id_ = 0;
    std::string name_; // of a named group
    std::uint16_t language_ = 0;
    bool nameIsId_ = false;
    int imageIndex_ = kImageNotMade;
};

} // namespace quarvel
