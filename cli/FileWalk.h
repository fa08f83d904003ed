// Turns the PATH arguments of a command into the files to work on: a folder stands for its
// files (and, recursively, its subfolders'), a named file for itself.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace quarvel::cli {

// Called once per file with the path and whether it was named on the command line.
using FileVisitor = std::function<void(const std::string& path, bool named)>;

// Visits every file of the paths in order; answers false when a named path does not exist or
// a named folder cannot be read (reported on stderr).
bool WalkPaths(const std::vector<std::string>& paths, bool recursive, const FileVisitor& visit);

// Prints "quarvel-cli: <path>: <reason>" on stderr.
void ReportError(const std::string& path, const char* reason);

} // namespace quarvel::cli
