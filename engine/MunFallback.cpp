// Finding and listing the .mun file that holds an image file's icons.
#include "MunFallback.h"

#include "PEFile.h"
#include "platform/FileSystem.h"

#include <chrono>

namespace quarvel {

namespace {

constexpr char kMovedIconsFolder[] = "SystemResources";
constexpr char kMovedIconsExtension[] = ".mun";

// Hands the .mun file's groups to the receiver as moved icons of the file listed.
class MovedIconsReceiver : public IconListReceiver {
public:
    MovedIconsReceiver(IconListReceiver& to, const char* listedPath)
        : to_(to), listedPath_(listedPath) {}
    int AddGroupIcon(const char* path, ResKey name, std::uint16_t language) override {
        return to_.AddMovedGroupIcon(listedPath_, path, name, language);
    }
    int AddIconFile(const char* path) override { return to_.AddIconFile(path); }

private:
    IconListReceiver& to_;
    const char* listedPath_;
};

// Whether `folder` exists, asked of the system once per folder for the files listed one after
// another from it (a listing asks for every file without icons), and again after a second, so
// that a folder made later is seen. Each thread keeps its own answer.
bool MovedIconsFolderExists(const std::string& folder) {
    using Clock = std::chrono::steady_clock;
    struct Answer {
        std::string folder;
        bool exists = false;
        Clock::time_point asked;
    };
    thread_local Answer last;
    const Clock::time_point now = Clock::now();
    if (last.asked == Clock::time_point() || last.folder != folder ||
        now - last.asked > std::chrono::seconds(1)) {
        last.folder = folder;
        last.exists = platform::GetPathKind(folder.c_str()) == platform::PathKind::Folder;
        last.asked = now;
    }
    return last.exists;
}

} // namespace

std::string MovedIconsPath(const char* path) {
    if (path == nullptr || *path == '\0')
        return std::string();
    const std::string text(path);
    const std::size_t nameAt = text.find_last_of("\\/");
    const char separator = nameAt == std::string::npos ? platform::PathSeparator() : text[nameAt];
    const std::string name = nameAt == std::string::npos ? text : text.substr(nameAt + 1);
    const std::string folder = nameAt == std::string::npos ? std::string() : text.substr(0, nameAt);
    const std::size_t folderNameAt = folder.find_last_of("\\/");
    // The folder's parent: its text up to its last separator; the root is its own parent; a
    // folder without a separator (a relative one, or a drive such as "C:") gets "\..".
    std::string parent;
    if (folderNameAt != std::string::npos)
        parent = folder.substr(0, folderNameAt + 1);
    else if (nameAt == 0)
        parent = std::string(1, separator);
    else
        parent = (folder.empty() ? std::string() : folder + separator) + ".." + separator;
    const std::string movedFolder = parent + kMovedIconsFolder;
    const std::string moved = movedFolder + separator + name + kMovedIconsExtension;
    if (name.empty() || !PathFitsSystem(moved.c_str()) || !MovedIconsFolderExists(movedFolder) ||
        platform::GetPathKind(moved.c_str()) != platform::PathKind::File)
        return std::string();
    return moved;
}

int ListGroupIconsOrMoved(const CPEFile& file, const char* path, IconListReceiver& receiver) {
    const int own = ListGroupIcons(file, path, receiver);
    if (own > 0)
        return own;
    const std::string moved = MovedIconsPath(path);
    if (moved.empty())
        return 0;
    const CPEFile source(moved.c_str());
    if (!source.IsOpen())
        return 0;
    MovedIconsReceiver forward(receiver, path);
    return ListGroupIcons(source, moved.c_str(), forward);
}

} // namespace quarvel
