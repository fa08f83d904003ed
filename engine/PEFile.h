// CPEFile: one Win32 image file (PE32 or PE32+) opened read-only through a memory mapping, with
// lookups in its resource tree. It lives for one operation: open, check IsOpen, work, Close.
#pragma once

#include "ByteView.h"
#include "ResKey.h"
#include "ResourceTree.h"
#include "platform/MappedFile.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace quarvel {

// Paths of this many characters or more are refused (the system's MAX_PATH). Characters are
// counted as the system counts them, in UTF-16 code units, not in bytes of the narrow text.
constexpr std::size_t kMaxPathLength = 260;
bool PathFitsSystem(const char* path);

// Callbacks of the enumerations: answer true to go on, false to stop.
// A name passed as a string lives only during the call.
using EnumNamesProc = bool (*)(ResKey type, ResKey name, void* user);
using EnumLanguagesProc = bool (*)(ResKey type, ResKey name, std::uint16_t language, void* user);

class CPEFile {
public:
    // Maps the file and checks its headers; the caller tests IsOpen.
    explicit CPEFile(const char* fileName);
    // Reads an image held in memory (not copied; it must outlive the object).
    CPEFile(const std::uint8_t* bytes, std::size_t size);
    ~CPEFile() { Close(); }
    CPEFile(const CPEFile&) = delete;
    CPEFile& operator=(const CPEFile&) = delete;

    bool IsOpen() const { return view_.Data() != nullptr; }
    // The path given to the constructor once open, else "".
    std::string GetFileName() const { return IsOpen() ? fileName_ : std::string(); }
    // Releases the view, the mapping and the file; harmless on a closed object.
    void Close();

    bool IsPE32Plus() const { return isPE32Plus_; }
    const ByteView& View() const { return view_; }

    // Copies the bytes `part` views (a part of View()) into `into`: read from the file with a
    // plain read when it is mapped, leaving the mapping's pages untouched, else copied from
    // memory. False when `part` is not inside View() or the file no longer holds its bytes.
    bool CopyBytes(const ByteView& part, std::uint8_t* into) const;

    // The file offset of an RVA (which may lie past the end of the view): the first section in
    // table order that holds it decides. Nothing when no section holds it.
    std::optional<std::uint64_t> RvaToOffset(std::uint32_t rva) const;

    // The root resource directory; kNoPosition when the image has none.
    ResPos ResourceRoot() const { return resourceRoot_; }

    // Follows a non-empty path of keys from a directory (the root by default) through
    // subdirectory entries; the directory reached, or kNoPosition.
    ResPos FindDirectory(const ResKey* path, std::size_t length, ResPos from = kNoPosition) const;
    // Calls back once per name of a type; true when at least one name was seen or the callback
    // stopped.
    bool EnumNames(ResKey type, EnumNamesProc callback, void* user) const;
    // Calls back once per language of a type and name; true as EnumNames.
    bool EnumLanguages(ResKey type, ResKey name, EnumLanguagesProc callback, void* user) const;
    // The resource in exactly that language, or null.
    std::unique_ptr<CResourceRef> FindResourceLang(ResKey type, ResKey name,
                                                   std::uint16_t language) const;
    // The resource in the first language stored, or null.
    std::unique_ptr<CResourceRef> FindResourceAnyLang(ResKey type, ResKey name) const;

    // Writes one group icon as an .ico file (all images in directory order); false with nothing
    // written when the group or one of its images cannot be read or the file cannot be made.
    bool SaveGroupAsIco(ResKey name, std::uint16_t language, const char* path,
                        bool overwrite) const;

#ifdef _WIN32
    // Builds the display icon of a group (0 sizes mean the system icon size); the caller
    // destroys it with DestroyIcon. Null when the group or its images cannot be used, or when
    // one of its images is oversized (ImageLimits.h).
    HICON LoadGroupIcon(ResKey name, std::uint16_t language, int width, int height) const;
#endif

private:
    void CheckHeaders();
    std::unique_ptr<CResourceRef> FindResource(ResKey type, ResKey name, bool anyLanguage,
                                               std::uint16_t language) const;

    std::string fileName_;
    platform::MappedFile mapping_;
    ByteView view_;
    std::uint64_t headers_ = 0; // offset of the PE signature
    bool isPE32Plus_ = false;
    ResPos resourceRoot_ = kNoPosition;
};

} // namespace quarvel
