// Wine's own libraries and icoutils' wrestool, the reference the engine is compared with.
#pragma once

#include <string>
#include <vector>

namespace quarvel::test {

// Every .dll and .exe of Wine's 64-bit Windows library folder, sorted; empty when absent.
std::vector<std::string> WineLibraryFiles();

// True when wrestool can be run.
bool HaveWrestool();

// The output of a shell command (stdout only).
std::string RunCommand(const std::string& command);

// The group icons wrestool lists for a file, as "name/language" strings, in its order.
std::vector<std::string> WrestoolGroups(const std::string& path);

} // namespace quarvel::test
