// Reading an icon's .ico file into memory.
#include "IconFileBytes.h"

#include "engine/CursorImages.h"
#include "engine/IcoWriter.h"
#include "engine/IconItem.h"
#include "engine/PEFile.h"
#include "engine/platform/MappedFile.h"

#include <new>

namespace quarvel {

std::optional<std::vector<std::uint8_t>> IcoFileBytes(const CIconItem& item) {
    if (item.GetKind() == CIconItem::ResourceGroup) {
        const CPEFile file(item.GetPath().c_str());
        if (!file.IsOpen())
            return std::nullopt;
        return GroupIcoFileBytes(file, item.GetName(), item.GetLanguage());
    }
    if (item.GetKind() == CIconItem::CursorGroup) {
        const auto set = ReadCursorImages(item);
        return set ? IcoFileBytes(*set, AllEntries(*set)) : std::nullopt;
    }
    platform::MappedFile file;
    if (!file.Open(item.GetPath().c_str()))
        return std::nullopt;
    try {
        return std::vector<std::uint8_t>(file.Data(), file.Data() + file.Size());
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

} // namespace quarvel
