// Reading the parts of a copy or drag when they are asked for.
#include "IconTransfers.h"

#include "IconFileBytes.h"
#include "IconNames.h"
#include "engine/PngExport.h"
#include "engine/PngWriter.h"

#include <utility>

namespace quarvel {

namespace {

std::optional<std::vector<std::uint8_t>> BytesOf(const ByteView& view) {
    if (view.Size() == 0)
        return std::nullopt;
    return std::vector<std::uint8_t>(view.Data(), view.Data() + view.Size());
}

} // namespace

BytesSource LargestImageSource(const CIconItem& item) {
    return [item]() -> std::optional<std::vector<std::uint8_t>> {
        const auto set = ReadIconImages(item);
        const int largest = set ? LargestImage(*set) : -1;
        return largest >= 0 ? BytesOf(ImageOf(*set, largest)) : std::nullopt;
    };
}

TransferFile IcoTransferFile(const CIconItem& item) {
    return TransferFile{std::string(IconSourceName(item)) + OwnFormatExtension(item),
                        [item] { return IcoFileBytes(item); }};
}

BytesSource SetImageSource(std::shared_ptr<const CIconImageSet> set, int entry) {
    return [set = std::move(set), entry] { return BytesOf(ImageOf(*set, entry)); };
}

std::vector<TransferFile> PngTransferFiles(const std::shared_ptr<const CIconImageSet>& set,
                                           const std::vector<int>& entries,
                                           const std::string& stem) {
    const std::vector<std::string> names = ImageFileNames(*set, entries, stem);
    std::vector<TransferFile> files;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int entry = entries[i];
        files.push_back({names[i], [set, entry] { return IconImageAsPng(ImageOf(*set, entry)); }});
    }
    return files;
}

} // namespace quarvel
