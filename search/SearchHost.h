// What the search form asks of the frame around it: an empty file list at the start of a
// search, and each found file added to it.
#pragma once

#include <string>
#include <vector>

class SearchHost {
public:
    virtual ~SearchHost() = default;
    // Empties the file list (and the icon lists with it).
    virtual void ClearFileList() = 0;
    // Hands a found file to the file list, which reads and shows it soon; 0 when it was not
    // taken.
    virtual int AddFoundFile(const char* path) = 0;
    // Hands a batch of found files to the file list, in order.
    virtual void AddFoundFiles(const std::vector<std::string>& paths) = 0;
};
