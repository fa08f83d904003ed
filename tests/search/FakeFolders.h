// An in-memory folder tree for the search walk's tests: folders list their entries in the order
// given, a link shows another folder's entries under its own path, and each file's content probe
// answers what the test chose.
#pragma once

#include "SearchWalk.h"

#include <map>
#include <string>
#include <vector>

namespace quarvel::search::test {

class FakeFolders : public FolderSource {
public:
    struct Entry {
        std::string name;
        bool folder = false;
        bool temporary = false;
        int probe = -2;     // files: what the content probe answers
        std::string target; // folders: the folder whose entries it shows ("" for itself)
        std::uint64_t size = 4096;
    };

    void AddFile(const std::string& folder, const std::string& name, int probe = -2,
                 bool temporary = false, std::uint64_t size = 4096) {
        m_folders[folder].push_back({name, false, temporary, probe, "", size});
        m_probes[Join(folder, name)] = probe;
    }
    void AddFolder(const std::string& folder, const std::string& name, bool temporary = false) {
        m_folders[folder].push_back({name, true, temporary, 0, ""});
        m_folders[Join(folder, name)];
    }
    void AddLink(const std::string& folder, const std::string& name, const std::string& target) {
        m_folders[folder].push_back({name, true, false, 0, target});
        m_links[Join(folder, name)] = target;
    }

    bool ListFolder(const std::string& folder,
                    const std::function<bool(const FolderEntry&)>& visit) override {
        listed.push_back(folder);
        auto found = m_folders.find(Resolve(folder));
        if (found == m_folders.end())
            return false;
        for (const FolderEntry dots :
             {FolderEntry{".", true, false, false, 0}, FolderEntry{"..", true, false, false, 0}})
            if (!visit(dots))
                return true;
        for (const Entry& entry : found->second)
            if (!visit(FolderEntry{entry.name.c_str(), entry.folder, entry.temporary,
                                   !entry.target.empty(), entry.size}))
                break;
        return true;
    }
    int ProbeImage(const std::string& path) override {
        probed.push_back(path);
        auto found = m_probes.find(Resolve(path));
        return found == m_probes.end() ? -3 : found->second;
    }
    bool FolderIdentity(const std::string& folder, std::string& identity) override {
        identity = Resolve(folder);
        return m_folders.count(identity) != 0;
    }

    std::vector<std::string> listed; // every folder listed, in order
    std::vector<std::string> probed; // every file probed, in order

private:
    static std::string Join(const std::string& folder, const std::string& name) {
        return folder.back() == '\\' ? folder + name : folder + "\\" + name;
    }
    // The folder a path shows, following a link in any of its parts.
    std::string Resolve(const std::string& path) const {
        for (const auto& [link, target] : m_links)
            if (path.compare(0, link.size(), link) == 0 &&
                (path.size() == link.size() || path[link.size()] == '\\'))
                return Resolve(target + path.substr(link.size()));
        return path;
    }

    std::map<std::string, std::vector<Entry>> m_folders;
    std::map<std::string, int> m_probes;
    std::map<std::string, std::string> m_links;
};

} // namespace quarvel::search::test
