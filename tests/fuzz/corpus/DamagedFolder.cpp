// The damaged folder: seeds, damaged inputs, cuts and overwritten bytes, named by content.
#include "DamagedFolder.h"

#include <algorithm>

namespace quarvel::fuzz {

namespace {

constexpr std::size_t kCutsPerSeed = 48;
constexpr std::size_t kOverwritesPerSeed = 32;

bool LooksLikeImageFile(const std::vector<std::uint8_t>& bytes) {
    return bytes.size() >= 2 && bytes[0] == 'M' && bytes[1] == 'Z';
}

// The seed's name with its extension kept as a word ("arrow.cur" -> "arrow-cur"): seeds of one
// name in several formats must not give their files the same names.
std::string Stem(std::string name) {
    std::replace(name.begin(), name.end(), '.', '-');
    return name;
}

std::string Named(const std::string& name, const std::vector<std::uint8_t>& bytes,
                  bool otherExtension = false) {
    return name + ((LooksLikeImageFile(bytes) != otherExtension) ? ".exe" : ".ico");
}

} // namespace

namespace {

// The seed itself, then cut at many lengths and with bytes overwritten, each named by `named`
// from a base name and the seed's bytes.
template <typename Named>
void AddSeedAndDamage(std::vector<NamedInput>& out, const NamedInput& seed, Named named) {
    out.push_back({named("seed-" + Stem(seed.name)), seed.bytes});
    const std::size_t size = seed.bytes.size();
    // Cuts spread over the whole file, so that every structure is cut somewhere.
    std::size_t lastLength = 0;
    for (std::size_t i = 1; i <= kCutsPerSeed; ++i) {
        const std::size_t length = size * i / (kCutsPerSeed + 1);
        if (length == lastLength) // a seed shorter than the cuts: each length once
            continue;
        lastLength = length;
        const std::vector<std::uint8_t> cut(seed.bytes.begin(), seed.bytes.begin() + length);
        out.push_back({named("cut-" + Stem(seed.name) + "-at-" + std::to_string(length)), cut});
    }
    // Overwritten bytes: a fixed pseudo-random walk, so that every run makes the same files.
    std::uint32_t state = 0x9E3779B9u ^ static_cast<std::uint32_t>(size);
    for (std::size_t i = 0; i < kOverwritesPerSeed && size != 0; ++i) {
        std::vector<std::uint8_t> changed = seed.bytes;
        for (int n = 0; n < 4; ++n) {
            state = state * 1664525u + 1013904223u;
            const std::size_t at = (state >> 8) % size;
            changed[at] = static_cast<std::uint8_t>(state >> 24 & 1 ? 0xFF : state >> 16);
        }
        out.push_back({named("overwritten-" + Stem(seed.name) + "-" + std::to_string(i)), changed});
    }
}

// ".cur" or ".ani" when the name ends in it or starts with "cur-" or "ani-"; else "".
std::string CursorExtension(const std::string& name) {
    for (const char* kind : {"cur", "ani"}) {
        const std::string dotted = std::string(".") + kind;
        if ((name.size() > 4 && name.compare(name.size() - 4, 4, dotted) == 0) ||
            name.rfind(std::string(kind) + "-", 0) == 0)
            return dotted;
    }
    return "";
}

} // namespace

std::vector<NamedInput> DamagedFolderInputs() {
    std::vector<NamedInput> out;
    for (const NamedInput& seed : SeedInputs())
        AddSeedAndDamage(out, seed,
                         [&seed](const std::string& base) { return Named(base, seed.bytes); });
    for (const NamedInput& damaged : MalformedInputs()) {
        out.push_back({Named("damaged-" + damaged.name, damaged.bytes), damaged.bytes});
        out.push_back({Named("damaged-" + damaged.name, damaged.bytes, true), damaged.bytes});
    }
    return out;
}

std::vector<NamedInput> DamagedCursorFolderInputs() {
    std::vector<NamedInput> out;
    for (const NamedInput& seed : SeedInputs()) {
        const std::string extension = CursorExtension(seed.name);
        if (!extension.empty())
            AddSeedAndDamage(out, seed,
                             [&extension](const std::string& base) { return base + extension; });
    }
    for (const NamedInput& damaged : MalformedInputs()) {
        const std::string extension = CursorExtension(damaged.name);
        if (!extension.empty())
            out.push_back({"damaged-" + damaged.name + extension, damaged.bytes});
    }
    return out;
}

} // namespace quarvel::fuzz
