// Builds Win32 image files in memory for the engine tests: PE32 or PE32+ headers, a section
// table, and resource trees of any shape (wrong-level entries, links back up the tree,
// data outside every section) so each reader rule can be tried on bytes made for it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quarvel::test {

using Bytes = std::vector<std::uint8_t>;

struct ResDir;

// One directory entry: a name (id or string) and either a subdirectory or data.
struct ResEntry {
    bool named = false;
    std::uint16_t id = 0;
    std::u16string name;
    ResDir* dir = nullptr; // a subdirectory entry when set
    Bytes data;            // the resource bytes of a data entry
    // Data entries only: an RVA to store instead of the data's own (e.g. in no section).
    bool forceRva = false;
    std::uint32_t rva = 0;
    // Data entries only: a size to store instead of the data's own.
    bool forceSize = false;
    std::uint32_t size = 0;
};

struct ResDir {
    std::vector<ResEntry> entries;
    // Counts to store instead of the real ones (a table that claims more entries than it has).
    int forcedNamedCount = -1;
    int forcedIdCount = -1;
};

// A key of a resource: an id or a string.
struct Key {
    Key(int id) : id(static_cast<std::uint16_t>(id)) {}
    Key(const char16_t* text) : named(true), name(text) {}
    bool named = false;
    std::uint16_t id = 0;
    std::u16string name;
};

class ResourceTree {
public:
    ResourceTree();
    ResDir* Root() { return root_; }
    ResDir* NewDir();
    // Adds type/name/language -> data, creating the type and name directories in order of first
    // use.
    ResEntry& Add(Key type, Key name, std::uint16_t language, Bytes data);
    // A subdirectory entry of `parent` leading to `child`.
    ResEntry& Link(ResDir* parent, Key key, ResDir* child);
    ResEntry& AddData(ResDir* parent, Key key, Bytes data);
    ResDir* Find(ResDir* parent, Key key);

    // The bytes of a resource section placed at `sectionRva`.
    Bytes Build(std::uint32_t sectionRva) const;

private:
    std::vector<std::unique_ptr<ResDir>> dirs_;
    ResDir* root_;
};

struct Section {
    std::uint32_t virtualAddress = 0;
    std::uint32_t virtualSize = 0; // 0 is written as 0
    Bytes data;
    // Stored instead of the real values when set (a raw size or pointer that lies).
    bool forceRaw = false;
    std::uint32_t rawSize = 0;
    std::uint32_t rawPointer = 0;
};

// Where an image's parts lie: its headers' kind and place, the resource directory and the sections.
struct ImageLayout {
    bool pe32Plus = false;
    std::uint16_t magic = 0; // 0: 0x10B or 0x20B as pe32Plus says
    std::uint32_t lfanew = 0x80;
    std::uint32_t resourceRva = 0;
    std::vector<Section> sections;
};

// Headers, section table and section bytes at file-aligned places.
Bytes BuildImage(const ImageLayout& layout);

// An image with one resource section at RVA 0x1000 holding the tree.
Bytes BuildImageWithResources(const ResourceTree& tree, bool pe32Plus = false);

// Offsets of header fields in the images built here, for tests that damage them.
std::uint32_t SectionTableOffset(const ImageLayout& layout);

} // namespace quarvel::test
