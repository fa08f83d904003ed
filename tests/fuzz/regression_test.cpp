// Runs every file of the committed fuzz corpus (seeds, damaged inputs made on purpose, and the
// inputs of past findings) and every input the corpus generator makes now through the checks of
// the fuzz targets.
#include "CorpusInputs.h"
#include "DamagedFolder.h"
#include "FuzzChecks.h"
#include "ScratchFiles.h"
#include "support/HostPath.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>

namespace quarvel::fuzz {

// Test names and failures show an input by its name.
void PrintTo(const NamedInput& input, std::ostream* out) {
    *out << input.name;
}

namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = test::HostPath(QUARVEL_FUZZ_CORPUS);

std::vector<fs::path> CorpusFiles() {
    std::vector<fs::path> files;
    // Under Wine the learnt inputs would cost a minute for little: they are native runs' finds.
#ifdef _WIN32
    const auto parts = {"seeds", "malformed", "findings"};
#else
    const auto parts = {"seeds", "malformed", "findings", "learned"};
#endif
    for (const char* part : parts) {
        for (const auto& entry : fs::directory_iterator(kCorpus / part))
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string SafeName(std::string name) {
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
}

std::string TestName(const testing::TestParamInfo<fs::path>& info) {
    return SafeName(info.param.parent_path().filename().string() + "_" +
                    info.param.filename().string());
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
    EXPECT_EQ(CheckIconImage(bytes.data(), bytes.size(), scratch.Path()), "");
    EXPECT_EQ(CheckCursorFile(bytes.data(), bytes.size(), scratch.Path()), "");
    EXPECT_TRUE(FilesUnder(scratch.Path()).empty());
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusFile, testing::ValuesIn(CorpusFiles()), TestName);

// The generated inputs as the generator makes them now (the committed copies may be older).
std::vector<NamedInput> GeneratedInputs() {
    std::vector<NamedInput> inputs = SeedInputs();
    for (NamedInput& input : MalformedInputs())
        inputs.push_back(std::move(input));
    return inputs;
}

class GeneratedInput : public testing::TestWithParam<NamedInput> {
protected:
    test::TempFolder scratch;
};

TEST_P(GeneratedInput, SurvivesEveryTarget) {
    const std::vector<std::uint8_t>& bytes = GetParam().bytes;
    EXPECT_EQ(CheckImageFile(bytes.data(), bytes.size(), scratch.Path()), "");
    EXPECT_EQ(CheckIcoFile(bytes.data(), bytes.size(), scratch.Path()), "");
    EXPECT_EQ(CheckCommandLine(bytes.data(), bytes.size(), scratch.Path()), "");
    EXPECT_EQ(CheckIconImage(bytes.data(), bytes.size(), scratch.Path()), "");
    EXPECT_EQ(CheckCursorFile(bytes.data(), bytes.size(), scratch.Path()), "");
    EXPECT_TRUE(FilesUnder(scratch.Path()).empty());
}

INSTANTIATE_TEST_SUITE_P(Generated, GeneratedInput, testing::ValuesIn(GeneratedInputs()),
                         [](const testing::TestParamInfo<NamedInput>& info) {
                             return SafeName(info.param.name);
                         });

// The damaged folder is written as files: two inputs of one name (in any case) would leave one
// file for two, and the window's count of them short.
TEST(DamagedFolderInputs, NameEveryInputOnce) {
    std::set<std::string> names;
    for (const NamedInput& input : DamagedFolderInputs()) {
        std::string folded = input.name;
        std::transform(folded.begin(), folded.end(), folded.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        EXPECT_TRUE(names.insert(folded).second) << input.name;
    }
}

} // namespace
} // namespace quarvel::fuzz
