// Paths of files made by the build, as the program under test must name them: under Wine a
// Unix path is reached through drive Z:.
#pragma once

#include <string>

namespace quarvel::test {

inline std::string HostPath(const std::string& unixPath) {
#ifdef _WIN32
    if (!unixPath.empty() && unixPath[0] == '/')
        return "Z:" + unixPath;
#endif
    return unixPath;
}

} // namespace quarvel::test
