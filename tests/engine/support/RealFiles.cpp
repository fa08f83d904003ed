// Finding Wine's libraries and running wrestool for the agreement tests.
#include "RealFiles.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <sstream>

namespace quarvel::test {

std::vector<std::string> WineLibraryFiles() {
    namespace fs = std::filesystem;
    const fs::path folder = "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows";
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string ext = entry.path().extension().string();
        if (entry.is_regular_file() && (ext == ".dll" || ext == ".exe"))
            files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

bool HaveWrestool() {
    return std::system("wrestool --version >/dev/null 2>&1") == 0;
}

std::string RunCommand(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return out;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    pclose(pipe);
    return out;
}

std::vector<std::string> WrestoolGroups(const std::string& path) {
    static const std::regex line(R"(--type=14 --name='?([^' ]*)'? --language=(\d+))");
    std::vector<std::string> groups;
    std::istringstream text(RunCommand("wrestool -l -t14 '" + path + "' 2>/dev/null"));
    for (std::string row; std::getline(text, row);) {
        std::smatch m;
        if (std::regex_search(row, m, line))
            groups.push_back(m[1].str() + "/" + m[2].str());
    }
    return groups;
}

} // namespace quarvel::test
