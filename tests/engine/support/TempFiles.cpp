// Temporary folders and whole-file reads for the tests.
#include "TempFiles.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace quarvel::test {

TempFolder::TempFolder() {
    static std::atomic<int> serial{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path p = fs::temp_directory_path() /
                 ("quarvel-test-" + std::to_string(stamp) + "-" + std::to_string(serial++));
    fs::create_directories(p);
    path_ = p.string();
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string TempFolder::File(const std::string& name) const {
    // Joined as text: the library's path conversions on Windows do not read narrow text in the
    // process's code page, so they would garble a UTF-8 name.
    return path_ + static_cast<char>(fs::path::preferred_separator) + name;
}

std::string TempFolder::Write(const std::string& name,
                              const std::vector<std::uint8_t>& bytes) const {
    const std::string path = File(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::vector<std::string> TempFolder::Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>());
}

} // namespace quarvel::test
