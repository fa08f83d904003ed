// Making and removing the search tests' folder trees; the plain walk they are compared with.
#include "SearchTrees.h"

namespace quarvel::search::test {

namespace {
void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}
} // namespace

TestTree::TestTree(const char* name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    m_root = std::string(temp) + name;
    RemoveTree(m_root);
    CreateDirectoryA(m_root.c_str(), nullptr);
}

TestTree::~TestTree() {
    RemoveTree(m_root);
}

std::string TestTree::AddFile(const std::string& relative, DWORD size, const std::string& head) {
    const std::string path = m_root + "\\" + relative;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return path;
    DWORD written = 0;
    if (!head.empty())
        WriteFile(file, head.data(), static_cast<DWORD>(head.size()), &written, nullptr);
    if (size > head.size()) {
        SetFilePointer(file, static_cast<LONG>(size), nullptr, FILE_BEGIN);
        SetEndOfFile(file);
    }
    CloseHandle(file);
    return path;
}

std::string TestTree::AddFolder(const std::string& relative) {
    const std::string path = m_root + "\\" + relative;
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
}

std::vector<std::string> PlainWalk(const std::string& folder, const SearchFilter& filter,
                                   bool subfolders) {
    std::vector<std::string> found;
    const std::string prefix = folder.back() == '\\' ? folder : folder + "\\";
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((prefix + "*.*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return found;
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == ".." || (data.dwFileAttributes & FILE_ATTRIBUTE_TEMPORARY))
            continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (subfolders)
                for (const std::string& path : PlainWalk(prefix + name, filter, true))
                    found.push_back(path);
        } else if (MatchesChosenType(prefix + name, filter)) {
            found.push_back(prefix + name);
        }
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return found;
}

} // namespace quarvel::search::test
