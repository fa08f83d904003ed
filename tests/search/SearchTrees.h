// Folder trees made by the search tests under the temporary folder, and a plain recursive walk
// that the search's results are compared with.
#pragma once

#include "Filters.h"

#include <windows.h>

#include <string>
#include <vector>

namespace quarvel::search::test {

class TestTree {
public:
    explicit TestTree(const char* name);
    ~TestTree(); // removes the tree with everything in it
    TestTree(const TestTree&) = delete;
    TestTree& operator=(const TestTree&) = delete;

    const std::string& root() const { return m_root; }
    // Creates a file (path relative to the root) of `size` bytes that start with `head`.
    std::string AddFile(const std::string& relative, DWORD size = 0, const std::string& head = "");
    std::string AddFolder(const std::string& relative);

private:
    std::string m_root;
};

// Every file under folder in the order FindFirstFileA / FindNextFileA list them, depth first,
// filtered by name with the type rules; temporary entries left out.
std::vector<std::string> PlainWalk(const std::string& folder, const SearchFilter& filter,
                                   bool subfolders);

} // namespace quarvel::search::test
