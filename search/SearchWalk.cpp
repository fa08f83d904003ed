// The search's walk: folders depth first in listing order, each file tested by name or content.
#include "SearchWalk.h"

#include <cstring>

namespace quarvel::search {

int SearchWalk::SearchFolder(const std::string& folder) {
    if (m_stop.load() || folder.empty())
        return 0;
    std::vector<OpenFolder> open;
    return Walk(folder, open);
}

// `open` holds the folders being walked, from the Look-in folder down to this one's parent.
int SearchWalk::Walk(const std::string& folder, std::vector<OpenFolder>& open) {
    m_sink.Checkpoint();
    if (m_stop.load())
        return 0;
    open.push_back({folder, {}, false});
    const std::string prefix = folder.back() == '\\' ? folder : folder + '\\';
    int found = 0;
    m_source.ListFolder(folder, [&](const FolderEntry& entry) {
        m_sink.Checkpoint();
        if (m_stop.load())
            return false;
        if (!std::strcmp(entry.name, ".") || !std::strcmp(entry.name, "..") || entry.temporary)
            return true;
        const std::string path = prefix + entry.name;
        if (!entry.folder) {
            // The listing's size spares the probe of a file that cannot be an image file.
            const bool refusedBySize = m_filter.allFiles && !SizeFitsImage(entry.size) &&
                                       !HasIconExtension(path) && !HasCursorExtension(path);
            found += !refusedBySize && MatchFile(path) ? 1 : 0;
        } else if (m_includeSubfolders && !(entry.link && LeadsBackUp(path, open))) {
            found += Walk(path, open);
        }
        return true;
    });
    open.pop_back();
    return found;
}

bool SearchWalk::LeadsBackUp(const std::string& link, std::vector<OpenFolder>& open) {
    std::string target;
    if (!m_source.FolderIdentity(link, target))
        return false;
    for (OpenFolder& folder : open) {
        if (!folder.identityRead) {
            folder.identityRead = true;
            if (!m_source.FolderIdentity(folder.path, folder.identity))
                folder.identity.clear();
        }
        if (!folder.identity.empty() && folder.identity == target)
            return true;
    }
    return false;
}

bool SearchWalk::MatchFile(const std::string& path) {
    if (path.empty())
        return false;
    const bool counts = m_filter.allFiles ? HasIconExtension(path) || HasCursorExtension(path) ||
                                                m_source.ProbeImage(path) >= 0
                                          : MatchesChosenType(path, m_filter);
    if (counts)
        m_sink.Found(path);
    return counts;
}

} // namespace quarvel::search
