// SHA-256 (FIPS 180-4), fed in pieces: the strong hash that tells icons apart.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace quarvel {

using Sha256Digest = std::array<std::uint8_t, 32>;

class Sha256 {
public:
    // Portable runs the rounds in plain C++ even where the processor's SHA instructions would
    // (tests compare the two).
    enum class Rounds { Fastest, Portable };
    explicit Sha256(Rounds rounds = Rounds::Fastest);
    void Add(const void* data, std::size_t size);
    // The digest of everything added; the hasher is spent afterwards.
    Sha256Digest Finish();

private:
    void Compress(const std::uint8_t* blocks, std::size_t count);
    void CompressPortable(const std::uint8_t* block);

    std::array<std::uint32_t, 8> state_;
    std::array<std::uint8_t, 64> pending_{};
    std::size_t pendingSize_ = 0;
    std::uint64_t totalBytes_ = 0;
    bool useInstructions_;
};

// The digest of one run of bytes.
Sha256Digest Sha256Of(const void* data, std::size_t size);

// The digest in lower-case hexadecimal.
std::string HexDigest(const Sha256Digest& digest);

} // namespace quarvel
