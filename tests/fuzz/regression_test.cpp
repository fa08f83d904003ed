// Runs every file of the committed fuzz corpus (seeds, damaged inputs made on purpose, and the
// inputs of past findings) through the checks of the fuzz targets, and keeps the generated part
// of the corpus in step with its generator.
#include "CorpusInputs.h"
#include "FuzzChecks.h"
#include "ScratchFiles.h"
#include "support/HostPath.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quarvel::fuzz {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = test::HostPath(QUARVEL_FUZZ_CORPUS);

std::vector<fs::path> CorpusFiles() {
    std::vector<fs::path> files;
    for (const char* part : {"seeds", "malformed", "findings"}) {
        for (const auto& entry : fs::directory_iterator(kCorpus / part))
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string TestName(const testing::TestParamInfo<fs::path>& info) {
    std::string name = info.param.parent_path().filename().string() + "_" +
                       info.param.filename().string();
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
}

class CorpusFile : public testing::TestWithParam<fs::path> {
protected:
    std::vector<std::uint8_t> bytes = test::ReadFileBytes(GetParam().string());
    test::TempFolder scratch;
};

TEST_P(CorpusFile, SurvivesEveryTarget) {
    EXPECT_EQ(CheckImageFile(bytes.data(), bytes.size(), scratch.Path()), "");
    EXPECT_EQ(CheckIcoFile(bytes.data(), bytes.size(), scratch.Path()), "");
    EXPECT_EQ(CheckCommandLine(bytes.data(), bytes.size(), scratch.Path()), "");
    EXPECT_TRUE(FilesUnder(scratch.Path()).empty());
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusFile, testing::ValuesIn(CorpusFiles()), TestName);

TEST(Corpus, CommittedFilesMatchTheGenerator) {
    for (const auto& [part, inputs] : {std::pair{"seeds", SeedInputs()},
                                       std::pair{"malformed", MalformedInputs()}}) {
        for (const NamedInput& input : inputs) {
            const fs::path path = kCorpus / part / input.name;
            EXPECT_EQ(test::ReadFileBytes(path.string()), input.bytes)
                << path << " differs from the generator: run make_corpus " << kCorpus;
        }
    }
}

} // namespace
} // namespace quarvel::fuzz
