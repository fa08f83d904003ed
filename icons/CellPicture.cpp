// Cell pictures: the engine's choice for the side, our own decoding and scaling, the blend onto
// the window colour, and the tooltip of the sizes.
#include "CellPicture.h"

#include "CursorMark.h"
#include "IconDrawing.h"
#include "engine/CursorImages.h"
#include "engine/DisplayIcon.h"
#include "engine/DisplayImage.h"
#include "engine/IcoDirectory.h"
#include "engine/IconFileCache.h"
#include "engine/IconImageFinder.h"
#include "engine/IconItem.h"
#include "engine/ImageLimits.h"

#include <algorithm>

namespace quarvel {

namespace {
// Hands `use` the icon's image for the side, and the real widths of its entries when asked,
// while the image's bytes are readable; answers what `use` answers, or `none` when the icon
// cannot be read, has no usable image or holds an image too costly to decode.
template <typename Result, typename Use>
Result WithCellImage(const CIconItem& item, IconFileCache& files, int side, bool widths,
                     Result none, Use use) {
    std::vector<int> entryWidths;
    if (item.IsCursor()) {
        // Cursors are small and read whole; an .ani file's choice is among its frames.
        const std::unique_ptr<CIconImageSet> set = ReadCursorImages(item);
        if (!set)
            return none;
        for (const IconSetEntry& entry : set->entries)
            if (IsOversizedImage(ByteView(entry.image.data(), entry.image.size())))
                return none;
        const auto choice = ChooseImageForSide(*set, side);
        if (!choice)
            return none;
        if (widths)
            entryWidths = EntryImageWidths(*set);
        const std::vector<std::uint8_t>& image =
            set->entries[static_cast<std::size_t>(choice->entry)].image;
        return use(SideImage{*choice, ByteView(image.data(), image.size())}, entryWidths);
    }
    if (item.GetKind() == CIconItem::ResourceGroup) {
        IndexedImageFile* file = files.Open(item.GetPath());
        if (!file || GroupHasOversizedImage(file->File(), file->Images(), item.GetName(),
                                            item.GetLanguage()))
            return none;
        const auto group = FindDisplayGroup(file->File(), item.GetName(), item.GetLanguage());
        const auto shown =
            group ? ChooseGroupImageForSide(*group, file->Images(), side) : std::nullopt;
        if (!shown)
            return none;
        for (int i = 0; widths && i < group->Count(); ++i) {
            const GroupIconEntry entry = group->Entry(i);
            const auto image = file->Images().Find(entry.nID, false);
            const auto bytes = image ? image->Bytes() : std::nullopt;
            entryWidths.push_back(bytes ? EntryImageWidth(entry, *bytes) : 0);
        }
        return use(*shown, entryWidths);
    }
    // An .ico file is read whole for each use, so no file stays open.
    const IcoFile file(item.GetPath().c_str());
    const IcoDirectory* directory = file.Directory();
    if (!directory || IcoHasOversizedImage(*directory))
        return none;
    const auto shown = ChooseIcoImageForSide(*directory, side);
    if (!shown)
        return none;
    for (int i = 0; widths && i < directory->Count(); ++i) {
        const auto image = directory->Image(i);
        entryWidths.push_back(image ? EntryImageWidth(directory->Entry(i), *image) : 0);
    }
    return use(*shown, entryWidths);
}

std::uint32_t Channel(COLORREF colour, int shift) {
    return (colour >> shift) & 0xFF;
}
} // namespace

std::optional<CellSizes> ReadCellSizes(const CIconItem& item, IconFileCache& files, int side) {
    if (side <= 0)
        return std::nullopt;
    return WithCellImage(
        item, files, side, true, std::optional<CellSizes>(),
        [](const SideImage& shown, std::vector<int>& widths) {
            return std::optional<CellSizes>(CellSizes{std::move(widths), shown.choice});
        });
}

std::string CellTooltip(const CIconItem& item, IconFileCache& files, int side) {
    const auto sizes = ReadCellSizes(item, files, side);
    return sizes ? SizesTooltip(sizes->widths, sizes->shown, side) : std::string();
}

CellCanvas::CellCanvas(int side) : m_side(side) {
    m_bitmap = MakeDibSection(side, side);
    DIBSECTION dib{};
    if (!m_bitmap || GetObjectA(m_bitmap.Get(), sizeof dib, &dib) != sizeof dib)
        return;
    m_bits = static_cast<std::uint32_t*>(dib.dsBm.bmBits);
    m_dc.Reset(CreateCompatibleDC(nullptr));
}

HBITMAP CellCanvas::Draw(const CIconItem& item, IconFileCache& files) {
    if (!*this)
        return nullptr;
    const COLORREF background = GetSysColor(COLOR_WINDOW);
    const HBITMAP drawn = WithCellImage(item, files, m_side, false, HBITMAP(nullptr),
                                        [&](const SideImage& shown, const std::vector<int>&) {
                                            const RgbaImage* pixels =
                                                RenderImageAtSide(shown.image, m_side, m_buffers);
                                            return pixels
                                                       ? DrawPixels(*pixels, background)
                                                       : DrawThroughSystem(shown.image, background);
                                        });
    if (drawn && item.IsCursor()) {
        GdiFlush(); // the system may still be drawing on the bits
        DrawCursorMark(m_bits, m_side);
    }
    return drawn;
}

HBITMAP CellCanvas::DrawPixels(const RgbaImage& pixels, COLORREF background) {
    if (!*this)
        return nullptr;
    GdiFlush(); // the system may still be drawing on the bits
    const std::uint32_t red = Channel(background, 0), green = Channel(background, 8),
                        blue = Channel(background, 16);
    std::fill(m_bits, m_bits + static_cast<std::size_t>(m_side) * m_side,
              (red << 16) | (green << 8) | blue);
    const int left = (m_side - pixels.width) / 2, top = (m_side - pixels.height) / 2;
    const int firstX = std::max(0, -left), lastX = std::min(pixels.width, m_side - left);
    const int firstY = std::max(0, -top), lastY = std::min(pixels.height, m_side - top);
    const auto blend = [](std::uint32_t colour, std::uint32_t field, std::uint32_t alpha) {
        return (colour * alpha + field * (255 - alpha) + 127) / 255;
    };
    for (int y = firstY; y < lastY; ++y) {
        const std::uint8_t* from = &pixels.pixels[(static_cast<std::size_t>(y) * pixels.width +
                                                   static_cast<std::size_t>(firstX)) *
                                                  4];
        std::uint32_t* to = m_bits + static_cast<std::size_t>(top + y) * m_side + left + firstX;
        for (int x = firstX; x < lastX; ++x, from += 4, ++to) {
            const std::uint32_t alpha = from[3];
            *to = (blend(from[0], red, alpha) << 16) | (blend(from[1], green, alpha) << 8) |
                  blend(from[2], blue, alpha);
        }
    }
    return m_bitmap.Get();
}

HBITMAP CellCanvas::DrawThroughSystem(const ByteView& image, COLORREF background) {
    const SizedIcon icon = BuildIconFromImage(image); // vetted before the system sees it
    const ScopedSelect selected(m_dc.Get(), m_bitmap.Get());
    if (!icon.icon || !selected)
        return nullptr;
    const RECT all = {0, 0, m_side, m_side};
    const ScopedBrush brush(CreateSolidBrush(background));
    FillRect(m_dc.Get(), &all, brush.Get());
    const CellPlacement at = PlaceInCell(icon.side, m_side, m_side);
    DrawIconEx(m_dc.Get(), at.left, at.top, icon.icon.Get(), at.width, at.height, 0, nullptr,
               DI_NORMAL);
    return m_bitmap.Get();
}

} // namespace quarvel
