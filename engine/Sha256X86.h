// SHA-256's compression with the processor's SHA instructions (x86-64 SHA extensions), where the
// compiler can emit them and the processor has them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quarvel {

// The processor runs Sha256CompressX86.
bool HasSha256Instructions();

// Compresses `count` 64-byte blocks into the eight state words (only when
// HasSha256Instructions()).
void Sha256CompressX86(std::uint32_t* state, const std::uint8_t* blocks, std::size_t count,
                       const std::uint32_t* roundConstants);

} // namespace quarvel
