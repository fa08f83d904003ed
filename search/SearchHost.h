// What the search form asks of the window around it: an empty file list at the start of a
// search, and the found files added to it. The main frame hands the form its host.
#pragma once

#include <string>
#include <vector>

class SearchHost {
public:
    virtual ~SearchHost() = default;
    // A search starts: the file list (and the icon lists with it) is emptied for its files.
    virtual void ClearFileList() = 0;
    // Hands a batch of found files to the file list, in order.
    virtual void AddFoundFiles(const std::vector<std::string>& paths) = 0;
};
