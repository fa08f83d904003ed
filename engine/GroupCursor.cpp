// Reading group cursors into image sets.
#include "GroupCursor.h"

#include "IcoWriter.h"
#include "IconImageFinder.h"
#include "PEFile.h"
#include "PngExport.h"

namespace quarvel {

namespace {

// An .ico entry's one-byte side: 256 and more is stored as 0.
std::uint8_t EntrySide(unsigned side) {
    return side >= 256 ? 0 : static_cast<std::uint8_t>(side);
}

} // namespace

GroupCursorEntry CursorEntry(const GroupIcon& group, int index) {
    const ByteView& bytes = group.Bytes();
    const std::size_t at = kIconHeaderSize + kGroupEntrySize * static_cast<std::size_t>(index);
    GroupCursorEntry e;
    e.width = bytes.U16At(at);
    e.doubledHeight = bytes.U16At(at + 2);
    e.planes = bytes.U16At(at + 4);
    e.bitCount = bytes.U16At(at + 6);
    e.bytesInRes = bytes.U32At(at + 8);
    e.id = bytes.U16At(at + 12);
    return e;
}

std::optional<GroupIcon> FindGroupCursor(const CPEFile& file, ResKey name, std::uint16_t language) {
    const auto ref = file.FindResourceLang(kResTypeGroupCursor, name, language);
    const auto bytes = ref ? ref->Bytes() : std::nullopt;
    return bytes ? GroupIcon::Parse(*bytes) : std::nullopt;
}

bool FindGroupCursorSpans(const CPEFile& file, ResKey name, std::uint16_t language,
                          IconImageSpans& spans) {
    IconImageFinder images(file, language, kResTypeCursor);
    return FindGroupCursorSpans(file, images, name, language, spans);
}

bool FindGroupCursorSpans(const CPEFile& file, IconImageFinder& images, ResKey name,
                          std::uint16_t language, IconImageSpans& spans) {
    spans.type = kCursorType;
    spans.images.clear();
    if (!file.IsOpen() || !name.IsValid())
        return false;
    const auto group = FindGroupCursor(file, name, language);
    if (!group || !group->IsCursor())
        return false;
    std::uint64_t total = 0;
    for (int i = 0; i < group->Count(); ++i)
        total += CursorEntry(*group, i).bytesInRes;
    if (total > kMaxImageSetBytes)
        return false;
    for (int i = 0; i < group->Count(); ++i) {
        const GroupCursorEntry from = CursorEntry(*group, i);
        const auto imageRef = images.FindPreferring(from.id, language);
        const auto resource = imageRef ? imageRef->Bytes() : std::nullopt;
        if (!resource || resource->Size() != from.bytesInRes || from.bytesInRes <= kHotSpotSize) {
            spans.images.clear();
            return false;
        }
        ImageSpan span;
        span.bytes = *resource->Slice(kHotSpotSize, from.bytesInRes - kHotSpotSize);
        // Resource compilers disagree on the group's height (Wine's is not doubled): the
        // image's own sides are what a reader of the .cur file checks.
        const auto facts = ReadImageFacts(span.bytes);
        span.fields.bWidth = EntrySide(facts ? static_cast<unsigned>(facts->width) : from.width);
        span.fields.bHeight =
            EntrySide(facts ? static_cast<unsigned>(facts->height) : from.doubledHeight / 2u);
        span.fields.wPlanes = resource->U16At(0);   // hot spot x
        span.fields.wBitCount = resource->U16At(2); // hot spot y
        span.fields.dwBytesInRes = static_cast<std::uint32_t>(from.bytesInRes - kHotSpotSize);
        spans.images.push_back(span);
    }
    return true;
}

std::unique_ptr<CIconImageSet> ReadGroupCursorImages(const CPEFile& file, ResKey name,
                                                     std::uint16_t language) {
    IconImageSpans spans;
    return FindGroupCursorSpans(file, name, language, spans) ? CopyImages(spans) : nullptr;
}

bool SaveGroupAsCur(const CPEFile& file, ResKey name, std::uint16_t language, const char* path,
                    bool overwrite) {
    const auto set = ReadGroupCursorImages(file, name, language);
    return set && WriteIcoFile(path, *set, AllEntries(*set), overwrite);
}

} // namespace quarvel
