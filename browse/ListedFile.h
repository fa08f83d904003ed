// What the file list shows of one path, read without touching a window, so that a worker
// thread can read it: the row's texts, the icons the engine lists in the file, and its row icon.
#pragma once

#include "FileRowIcons.h"
#include "Framework.h"
#include "engine/IconFacts.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quarvel {
class CPEFile;
class IconImageFinder;
struct IconImageSpans;
class UniqueIcons;
} // namespace quarvel

// The texts of one row.
struct FileEntry {
    CString folder; // up to and including the last backslash
    CString name;
    CString size; // empty for a folder
    CString date;
    bool isFolder = false;
};

// False (no row) when path cannot be split into folder and name or its attributes cannot be read.
bool ReadFileEntry(const char* path, FileEntry& entry);

// Keeps the icons and cursors a listing reports, to hand them to another receiver later, in
// the same order (cursors only to a receiver that takes them).
class RecordedIcons : public quarvel::IconListReceiver {
public:
    int AddGroupIcon(const char* path, quarvel::ResKey name, std::uint16_t language) override;
    int AddIconFile(const char* path) override;
    int AddMovedGroupIcon(const char* listedPath, const char* sourcePath, quarvel::ResKey name,
                          std::uint16_t language) override;
    bool TakesCursors() const override { return true; }
    int AddGroupCursor(const char* path, quarvel::ResKey name, std::uint16_t language) override;
    int AddCursorFile(const char* path) override;
    int AddAnimatedCursorFile(const char* path) override;
    // Kept with the last icon recorded, and handed on with it.
    void DescribeLastIcon(const quarvel::IconFacts& facts, int firstOf) override;
    // The cursors among what is recorded.
    int CursorCount() const;

    void HandTo(quarvel::IconListReceiver& receiver) const;
    // Hands on the first icons, at most `most`, and forgets them; answers how many went.
    std::size_t HandFirstTo(quarvel::IconListReceiver& receiver, std::size_t most);
    // Reads the images of every icon recorded (each file opened once) for its facts, and adds
    // them to `identities`, the listing's, in order: the receiver gets both after each icon
    // (DescribeLastIcon). For the fill worker, beside the listing: the groups of `open`, the
    // image file the listing holds open, are read from it where they lie.
    void Describe(quarvel::UniqueIcons& identities, const quarvel::CPEFile* open = nullptr);
    void Clear() { m_icons.clear(); }
    std::size_t Size() const { return m_icons.size(); }

private:
    enum class Kind { Group, IconFile, Moved, CursorGroup, CursorFile, AnimatedCursorFile };
    struct Icon {
        Kind kind;
        std::string path;       // the file listed
        std::string sourcePath; // Kind::Moved: the .mun file that holds the images
        bool nameIsId;
        std::uint16_t id;
        std::string name;
        std::uint16_t language;
        bool described = false; // facts and firstOf were read (Describe)
        quarvel::IconFacts facts{};
        int firstOf = -1;
    };
    // A group's images found in its file through `images` (the file's index of its icon or
    // cursor images) and read into a buffer the next call reuses; false when they cannot be read.
    static bool FindGroupSpans(const Icon& icon, const quarvel::CPEFile& file,
                               quarvel::IconImageFinder& images, quarvel::IconImageSpans& spans);
    // The images of an icon not read from a listed image file, as the identity of icons
    // compares them (an .ani file's: the whole file).
    static std::unique_ptr<quarvel::CIconImageSet> ReadFileImages(const Icon& icon);
    void Record(Kind kind, const char* path, const char* sourcePath, quarvel::ResKey name,
                std::uint16_t language);
    static void Hand(const Icon& icon, quarvel::IconListReceiver& receiver);

    std::vector<Icon> m_icons;
};

// A file's icons and cursors as the "Icons" and "Cursors" columns, the icon list and the row
// icon take them.
struct FileIcons {
    int count = 0;   // icons
    int cursors = 0; // group cursors, or 1 for a .cur or .ani file
    RecordedIcons icons;
    RowIconChoice rowIcon;
};

// Lists the icons of the file at path (none when listIcons is false, as for a list without an
// icon list) and chooses its row icon. With `identities`, the icons are described too
// (RecordedIcons::Describe), an image file's from the one opening that listed it.
FileIcons ReadFileIcons(const char* path, bool listIcons, RowIconRule& rule,
                        quarvel::UniqueIcons* identities = nullptr);
