// Files in the fuzz checks' scratch folder: paths, whole-file reads and what is left behind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quarvel::fuzz {

std::string JoinPath(const std::string& folder, const std::string& name);
bool FileExists(const std::string& path);
bool WriteBytes(const std::string& path, const std::uint8_t* data, std::size_t size);
std::vector<std::uint8_t> ReadBytes(const std::string& path);
// The names in a folder, sorted; the folders below it are searched as well.
std::vector<std::string> FilesUnder(const std::string& folder);
// Removes everything inside the folder (the folder stays).
void EmptyFolder(const std::string& folder);

} // namespace quarvel::fuzz
