// The small icons of the file list's rows. The shell reads a file to find its icon only for the
// types whose icon lives in the file itself (.exe, .scr, .cpl, .ico and the like), and its
// readers are not hardened against damaged files: those rows get an icon that our own reader
// built from the file's first icon, and every other row, or a file our reader cannot use, gets
// the shell's icon for its type, which is found without reading the file.
#pragma once

#include "ImageList.h"
#include "engine/IconGroups.h"
#include "engine/Sha256.h"
#include "engine/win32/GdiOwners.h"

#include <windows.h>
// After windows.h, whose types it uses.
#include <commctrl.h>

#include <map>
#include <optional>
#include <string>

// Passes a file's icons (and its cursors, when the next receiver takes them) on to the icon
// list and remembers the first icon, which stands for the file (the icon the shell would take
// from it).
class FirstIconRecorder : public quarvel::IconListReceiver {
public:
    explicit FirstIconRecorder(quarvel::IconListReceiver* next) : m_next(next) {}
    int AddGroupIcon(const char* path, quarvel::ResKey name, std::uint16_t language) override;
    int AddIconFile(const char* path) override;
    // Passed on as moved, so that the icon list keeps the file it was listed for; as the
    // file's first icon it counts as one of its own groups.
    int AddMovedGroupIcon(const char* listedPath, const char* sourcePath, quarvel::ResKey name,
                          std::uint16_t language) override;
    bool TakesCursors() const override { return m_next && m_next->TakesCursors(); }
    int AddGroupCursor(const char* path, quarvel::ResKey name, std::uint16_t language) override {
        return m_next ? m_next->AddGroupCursor(path, name, language) : 0;
    }
    int AddCursorFile(const char* path) override {
        return m_next ? m_next->AddCursorFile(path) : 0;
    }
    int AddAnimatedCursorFile(const char* path) override {
        return m_next ? m_next->AddAnimatedCursorFile(path) : 0;
    }

    enum class Kind { None, Group, IconFile };
    Kind FirstKind() const { return m_kind; }
    quarvel::ResKey FirstName() const {
        return m_nameIsId ? quarvel::ResKey(m_id) : quarvel::ResKey(m_name.c_str());
    }
    std::uint16_t FirstLanguage() const { return m_language; }

private:
    void RecordFirstGroup(quarvel::ResKey name, std::uint16_t language);

    quarvel::IconListReceiver* m_next;
    Kind m_kind = Kind::None;
    bool m_nameIsId = false;
    unsigned m_id = 0;
    std::string m_name;
    std::uint16_t m_language = 0;
};

// The icon a file row gets, chosen where the file was listed. The choice reads only the
// registry and, through our reader, the file, so it may run on any thread; the shell is asked
// for the icons by type later, on the window's thread.
struct RowIconChoice {
    enum class Kind { ByType, Own, Untyped };
    Kind kind = Kind::ByType;
    // Kind::Own: the digest of the image the icon is made from, which names the picture (none:
    // the icon is the row's alone), and the icon our reader built. The icon is missing when the
    // same rule already built one of this picture for an earlier row of the listing.
    std::optional<quarvel::Sha256Digest> picture;
    quarvel::ScopedIcon own;
};

// Chooses row icons for one thread, remembering per type whether the icon comes from the file,
// and which pictures it has built icons of. Folders and trees repeat the same icon in file after
// file: each picture is built once and its rows share it. A rule serves one listing, and the
// row icons it feeds are emptied only together with it.
class RowIconRule {
public:
    // `open`, when given, is the image file at path that listed `icons`, still open: its first
    // group is read from it rather than from a second opening of the file.
    RowIconChoice Choose(const char* path, const FirstIconRecorder& icons,
                         const quarvel::CPEFile* open = nullptr);

private:
    std::map<std::string, bool> m_fromFileTypes;      // lower-case extension -> IconComesFromFile
    std::map<quarvel::Sha256Digest, bool> m_pictures; // picture -> its icon could be built
};

class CFileRowIcons {
public:
    CFileRowIcons();

    HIMAGELIST Handle() const { return m_list; }
    // Drops every icon: a new, empty list takes the old one's place. The old one is handed
    // back, for the caller to keep until its control holds the new one.
    CImageList Reset();
    // The index of the icon for a folder row; -1 when there is none.
    int ForFolder();
    // The index of the icon chosen for the file row of path. Rows of the same picture share
    // one index.
    int ForFile(const char* path, RowIconChoice choice);

    // Whether the shell takes the icon of files of this name's type from the files themselves:
    // the type's DefaultIcon is "%1" or it has an icon handler.
    static bool IconComesFromFile(const char* path);

private:
    // Copies an icon of the system's small image list into ours, once per system index.
    int FromSystemList(int systemIndex);
    // The shell's icon for the type of `path`, found without reading the file.
    int ByType(const char* path, DWORD attributes);
    // The icon our reader built, or the one of the same picture already in the list.
    int Own(RowIconChoice choice);
    int Add(quarvel::ScopedIcon icon);

    static constexpr int kFirstRoom = 64;
    CImageList m_list;
    int m_used = 0;                      // slots filled; the list may hold more, empty ones
    std::map<int, int> m_fromSystem;     // system index -> our index
    std::map<std::string, int> m_byType; // lower-case extension ("\\" for folders) -> our index
    std::map<quarvel::Sha256Digest, int> m_byPicture; // RowIconChoice::picture -> our index
};
