// The search's file system on Windows: folder listings through CFileFind (names of any length),
// the content probe of "all files" mode and folder identities.
#pragma once

#include "SearchWalk.h"

namespace quarvel::search {

// The probe's answers: 1 when the file passes, a negative code telling why it does not.
enum ImageProbeResult {
    kLooksLikeImage = 1,
    kNotAnImage = -2, // a folder, temporary or offline, unreadable attributes, size or signature
    kNoPath = -3,     // empty path
    kCannotOpen = -4, // the file does not open for reading
    kCannotRead = -5, // its first 64 bytes cannot be read
};

// Whether the file looks like a Win32 image file: a regular file of 4,096 bytes to 64 MiB,
// both included, that starts with "MZ". Reads no more than its first 64 bytes.
int IsExecutableImage(const char* path);

class Win32FolderSource : public FolderSource {
public:
    bool ListFolder(const std::string& folder,
                    const std::function<bool(const FolderEntry&)>& visit) override;
    int ProbeImage(const std::string& path) override { return IsExecutableImage(path.c_str()); }
    bool FolderIdentity(const std::string& folder, std::string& identity) override;
};

} // namespace quarvel::search
