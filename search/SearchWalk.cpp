// The search's walk: folders depth first in listing order, each file tested by name or content.
#include "SearchWalk.h"

#include <algorithm>
#include <cstring>

namespace quarvel::search {

int SearchWalk::SearchFolder(const std::string& folder) {
    if (m_stop.load() || folder.empty())
        return 0;
    std::vector<std::string> open(1);
    if (!m_source.FolderIdentity(folder, open[0]))
        open.clear();
    return Walk(folder, open);
}

// `open` holds the identities of the folders being walked, from the Look-in folder down.
int SearchWalk::Walk(const std::string& folder, std::vector<std::string>& open) {
    if (m_stop.load())
        return 0;
    const std::string prefix = folder.back() == '\\' ? folder : folder + '\\';
    int found = 0;
    m_source.ListFolder(folder, [&](const FolderEntry& entry) {
        if (m_stop.load())
            return false;
        if (!std::strcmp(entry.name, ".") || !std::strcmp(entry.name, "..") || entry.temporary)
            return true;
        const std::string path = prefix + entry.name;
        if (!entry.folder) {
            found += MatchFile(path) ? 1 : 0;
        } else if (m_includeSubfolders) {
            std::string identity;
            const bool known = m_source.FolderIdentity(path, identity);
            if (known && std::find(open.begin(), open.end(), identity) != open.end())
                return true;
            if (known)
                open.push_back(identity);
            found += Walk(path, open);
            if (known)
                open.pop_back();
        }
        return true;
    });
    return found;
}

bool SearchWalk::MatchFile(const std::string& path) {
    if (path.empty())
        return false;
    const bool counts = m_filter.allFiles ? HasIconExtension(path) || m_source.ProbeImage(path) >= 0
                                          : MatchesChosenType(path, m_filter);
    if (counts)
        m_sink.Found(path);
    return counts;
}

} // namespace quarvel::search
