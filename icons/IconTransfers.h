// The parts of the icon panes' copies and drags: an icon's largest image, an icon as the .ico
// file the batch save writes, and images of an icon as the PNG files its image save writes.
// Each reads the icon only when its bytes are asked for.
#pragma once

#include "IconTransfer.h"
#include "engine/IconImageSet.h"
#include "engine/IconItem.h"

#include <memory>
#include <string>
#include <vector>

namespace quarvel {

// The image the PNG export chooses for the icon (PngExport.h LargestImage).
BytesSource LargestImageSource(const CIconItem& item);

// "<source name>" with the extension of its own format (.ico, .cur or .ani) and the bytes that
// saving it in that format writes (IconFileBytes.h).
TransferFile IcoTransferFile(const CIconItem& item);

// One entry's image as stored.
BytesSource SetImageSource(std::shared_ptr<const CIconImageSet> set, int entry);

// The entries as the PNG files "<stem>-WxHxD.png" (ImageFileNames), each the PNG the image save
// writes for it.
std::vector<TransferFile> PngTransferFiles(const std::shared_ptr<const CIconImageSet>& set,
                                           const std::vector<int>& entries,
                                           const std::string& stem);

} // namespace quarvel
