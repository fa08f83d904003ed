// A bounds-checked window over bytes read from a file: every read that leaves the window fails,
// and no offset or size arithmetic can wrap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>

#if defined(__BYTE_ORDER__)
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "the loads below assume a little-endian host");
#endif

namespace quarvel {

class ByteView {
public:
    ByteView() = default;
    ByteView(const std::uint8_t* data, std::size_t size) : data_(data), size_(data ? size : 0) {}

    const std::uint8_t* Data() const { return data_; }
    std::size_t Size() const { return size_; }

    // The whole range [offset, offset + size) lies inside the window.
    bool Readable(std::uint64_t offset, std::uint64_t size) const {
        return offset <= size_ && size <= size_ - offset;
    }

    std::optional<ByteView> Slice(std::uint64_t offset, std::uint64_t size) const {
        if (!Readable(offset, size))
            return std::nullopt;
        return ByteView(data_ + offset, static_cast<std::size_t>(size));
    }

    bool U16(std::uint64_t offset, std::uint16_t& out) const { return Load(offset, 2, out); }
    bool U32(std::uint64_t offset, std::uint32_t& out) const { return Load(offset, 4, out); }

    // Unchecked loads for offsets already proven readable.
    std::uint16_t U16At(std::size_t offset) const {
        return static_cast<std::uint16_t>(data_[offset] | (data_[offset + 1] << 8));
    }
    std::uint32_t U32At(std::size_t offset) const {
        return static_cast<std::uint32_t>(data_[offset]) |
               (static_cast<std::uint32_t>(data_[offset + 1]) << 8) |
               (static_cast<std::uint32_t>(data_[offset + 2]) << 16) |
               (static_cast<std::uint32_t>(data_[offset + 3]) << 24);
    }

private:
    template <typename T> bool Load(std::uint64_t offset, std::size_t width, T& out) const {
        if (!Readable(offset, width))
            return false;
        // Little-endian on every target we build for; memcpy keeps unaligned reads defined.
        T value;
        std::memcpy(&value, data_ + offset, width);
        out = value;
        return true;
    }

    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};

// Little-endian stores into buffers we own.
inline void StoreU16(std::uint8_t* at, std::uint16_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}
inline void StoreU32(std::uint8_t* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

} // namespace quarvel
