// The help file lies beside the program, where Help > Content looks for it, and is a compiled help file.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <fstream>
#include <string>

namespace {

// The folder of the running program and "\Quarvel.chm", as the main frame builds the path.
std::string HelpPathBesideProgram() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    size_t slash = folder.rfind('\\');
    if (slash != std::string::npos) folder.resize(slash);
    return folder + "\\Quarvel.chm";
}

TEST(HelpFile, IsACompiledHelpFileBesideTheProgram) {
    std::ifstream in(HelpPathBesideProgram(), std::ios::binary);
    ASSERT_TRUE(in) << HelpPathBesideProgram();
    char signature[4] = {};
    in.read(signature, 4);
    EXPECT_EQ(std::memcmp(signature, "ITSF", 4), 0);
    in.seekg(0, std::ios::end);
    EXPECT_GT(in.tellg(), 4096);
}

} // namespace
