// Writes the generated part of the fuzz corpus: make_corpus FOLDER writes FOLDER/seeds and
// FOLDER/malformed (the real image files among the seeds are committed as they are).
#include "CorpusInputs.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

bool WriteAll(const std::filesystem::path& folder,
              const std::vector<quarvel::fuzz::NamedInput>& inputs) {
    std::filesystem::create_directories(folder);
    for (const auto& input : inputs) {
        std::ofstream out(folder / input.name, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(input.bytes.data()),
                  static_cast<std::streamsize>(input.bytes.size()));
        if (!out) {
            std::fprintf(stderr, "make_corpus: cannot write %s\n", input.name.c_str());
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: make_corpus FOLDER\n", stderr);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const bool ok = WriteAll(folder / "seeds", quarvel::fuzz::SeedInputs()) &&
                    WriteAll(folder / "malformed", quarvel::fuzz::MalformedInputs());
    return ok ? 0 : 1;
}
