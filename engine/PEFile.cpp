// Opening an image file: mapping, header checks and the RVA-to-file translation.
#include "PEFile.h"

#include "platform/AnsiText.h"

#include <cstring>

namespace quarvel {

namespace {

constexpr std::uint16_t kDosMagic = 0x5A4D;        // "MZ"
constexpr std::uint32_t kPeSignature = 0x00004550; // "PE\0\0"
constexpr std::uint16_t kPe32PlusMagic = 0x20B;
constexpr std::uint64_t kDosHeaderSize = 64;
constexpr std::uint64_t kLfanewOffset = 0x3C;
constexpr std::uint64_t kOptionalHeaderOffset = 24;
constexpr std::uint64_t kResourceRvaPe32 = 136;
constexpr std::uint64_t kResourceRvaPe32Plus = 152;
constexpr std::uint64_t kSectionHeaderSize = 40;

} // namespace

bool PathFitsSystem(const char* path) {
    return path != nullptr && platform::Utf16Length(path) < kMaxPathLength;
}

CPEFile::CPEFile(const char* fileName) {
    if (fileName == nullptr || *fileName == '\0' || !PathFitsSystem(fileName))
        return;
    if (!mapping_.Open(fileName))
        return;
    view_ = ByteView(mapping_.Data(), mapping_.Size());
    CheckHeaders();
    if (IsOpen())
        fileName_ = fileName;
}

CPEFile::CPEFile(const std::uint8_t* bytes, std::size_t size) {
    view_ = ByteView(bytes, size);
    CheckHeaders();
}

void CPEFile::CheckHeaders() {
    std::uint16_t dosMagic = 0;
    std::uint32_t lfanew = 0, signature = 0;
    std::uint16_t magic = 0;
    if (!view_.Readable(0, kDosHeaderSize) || !view_.U16(0, dosMagic) || dosMagic != kDosMagic ||
        !view_.U32(kLfanewOffset, lfanew) || !view_.U32(lfanew, signature) ||
        signature != kPeSignature || !view_.U16(lfanew + kOptionalHeaderOffset, magic)) {
        Close();
        return;
    }
    headers_ = lfanew;
    isPE32Plus_ = magic == kPe32PlusMagic;
    std::uint32_t resourceRva = 0;
    const std::uint64_t rvaField =
        headers_ + (isPE32Plus_ ? kResourceRvaPe32Plus : kResourceRvaPe32);
    if (!view_.U32(rvaField, resourceRva) || resourceRva == 0)
        return;
    if (const auto root = RvaToOffset(resourceRva))
        resourceRoot_ = *root;
}

void CPEFile::Close() {
    view_ = ByteView();
    mapping_.Close();
    fileName_.clear();
    headers_ = 0;
    isPE32Plus_ = false;
    resourceRoot_ = kNoPosition;
}

bool CPEFile::CopyBytes(const ByteView& part, std::uint8_t* into) const {
    if (!IsOpen())
        return false;
    // Compared as numbers: `part` may view anything.
    const auto start = reinterpret_cast<std::uintptr_t>(view_.Data());
    const auto at = reinterpret_cast<std::uintptr_t>(part.Data());
    if (part.Size() == 0)
        return true;
    if (at < start || !view_.Readable(at - start, part.Size()))
        return false;
    if (mapping_.IsOpen())
        return mapping_.ReadAt(at - start, into, part.Size());
    std::memcpy(into, part.Data(), part.Size());
    return true;
}

std::optional<std::uint64_t> CPEFile::RvaToOffset(std::uint32_t rva) const {
    std::uint16_t sectionCount = 0, optionalHeaderSize = 0;
    if (!IsOpen() || !view_.U16(headers_ + 6, sectionCount) ||
        !view_.U16(headers_ + 20, optionalHeaderSize))
        return std::nullopt;
    const std::uint64_t table = headers_ + kOptionalHeaderOffset + optionalHeaderSize;
    for (std::uint32_t i = 0; i < sectionCount; ++i) {
        const std::uint64_t header = table + i * kSectionHeaderSize;
        std::uint32_t virtualSize, virtualAddress, rawSize, rawPointer;
        if (!view_.U32(header + 8, virtualSize) || !view_.U32(header + 12, virtualAddress) ||
            !view_.U32(header + 16, rawSize) || !view_.U32(header + 20, rawPointer))
            return std::nullopt;
        const std::uint32_t extent = virtualSize != 0 ? virtualSize : rawSize;
        // rva - VirtualAddress < extent cannot wrap, unlike rva < VirtualAddress + extent.
        if (rva >= virtualAddress && rva - virtualAddress < extent)
            return std::uint64_t{rawPointer} + (rva - virtualAddress);
    }
    return std::nullopt;
}

} // namespace quarvel
