// A temporary folder for one test, removed with everything in it when the test ends.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quarvel::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    // The path of `name` inside the folder.
    std::string File(const std::string& name) const;
    // Writes `bytes` to `name` and answers its path.
    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;
    // The names in the folder, sorted.
    std::vector<std::string> Names() const;

private:
    std::string path_;
};

std::vector<std::uint8_t> ReadFileBytes(const std::string& path);

} // namespace quarvel::test
