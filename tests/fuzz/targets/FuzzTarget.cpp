// The libFuzzer entry point of one fuzz target; QUARVEL_FUZZ_CHECK names the check it runs
// (FuzzChecks.h). A broken promise aborts, so libFuzzer keeps the input as a finding.
#include "FuzzChecks.h"
#include "ScratchFiles.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

// One scratch folder per fuzzing process, removed when it ends.
struct ScratchFolder {
    ScratchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quarvel-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::perror("quarvel fuzz: mkdtemp");
            std::abort();
        }
        path = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::string path;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ScratchFolder scratch;
    const std::string problem = quarvel::fuzz::QUARVEL_FUZZ_CHECK(data, size, scratch.path);
    if (!problem.empty()) {
        std::fprintf(stderr, "quarvel fuzz: %s\n", problem.c_str());
        // libFuzzer may have closed stderr (-close_fd_mask): the problem also goes to a file.
        if (const char* report = std::getenv("QUARVEL_FUZZ_REPORT")) {
            if (FILE* out = std::fopen(report, "a")) {
                std::fprintf(out, "%s\n", problem.c_str());
                std::fclose(out);
            }
        }
        std::abort();
    }
    quarvel::fuzz::EmptyFolder(scratch.path);
    return 0;
}
