// The cursor target: read the bytes as an .ani file, as a .cur file and as an image file's group
// cursors, from memory and from disk; every set read is written as a .cur file and read back.
#include "FuzzChecks.h"

#include "ImageSetChecks.h"
#include "ScratchFiles.h"
#include "engine/AniFile.h"
#include "engine/GroupCursor.h"
#include "engine/IcoWriter.h"
#include "engine/IconGroups.h"
#include "engine/IconImage.h"
#include "engine/PEFile.h"

#include <cstdio>

namespace quarvel::fuzz {

namespace {

// A cursor's image as the .cur writer stores it: its resolution cleared too.
std::vector<std::uint8_t> AsWrittenInCursor(const std::vector<std::uint8_t>& image) {
    std::vector<std::uint8_t> out = AsWritten(image.data(), image.size());
    ClearBitmapResolution(out.data(), out.size());
    return out;
}

// The set's facts hold, and it goes through a .cur file and back with its hot spots and images.
std::string CheckCursorSet(const CIconImageSet& set, const std::string& path) {
    if (set.type != kCursorType)
        return "a cursor's set is not of the cursor type";
    if (std::string p = CheckImageFacts(set); !p.empty())
        return p;
    if (!WriteIcoFile(path.c_str(), set))
        return "WriteIcoFile refused a cursor that a reader gave";
    const auto back = ReadCurFileImages(path.c_str());
    std::remove(path.c_str());
    if (back == nullptr || back->Count() != set.Count())
        return "a .cur file written does not read back whole";
    for (std::size_t i = 0; i < set.entries.size(); ++i) {
        const IconSetEntry& e = back->entries[i];
        const IconSetEntry& b = set.entries[i];
        if (e.wPlanes != b.wPlanes || e.wBitCount != b.wBitCount)
            return "a hot spot changed on the way";
        if (e.image != AsWrittenInCursor(b.image))
            return "a cursor image changed on the way";
    }
    return "";
}

std::string CheckAnimated(const std::uint8_t* data, std::size_t size, const std::string& folder) {
    const auto fromMemory = AnimatedCursor::Parse(ByteView(data, size));
    const std::string path = JoinPath(folder, "input.ani");
    if (!WriteBytes(path, data, size))
        return "cannot write the scratch file";
    const AniFile file(path.c_str());
    std::remove(path.c_str());
    if (fromMemory.has_value() != (file.Cursor() != nullptr))
        return ".ani: reading from memory and from the file disagree";
    if (!fromMemory)
        return file.Error().empty() ? ".ani refused without a reason" : "";
    const AnimatedCursor& cursor = *fromMemory;
    if (cursor.FrameCount() == 0 ||
        static_cast<std::uint32_t>(cursor.FrameCount()) != cursor.Header().frames ||
        cursor.Steps().size() != cursor.Header().steps)
        return ".ani: frames or steps other than the header counts";
    if (cursor.Steps().size() > size / 4)
        return ".ani: more steps than the bytes bear";
    for (const AniStep& step : cursor.Steps()) {
        if (step.frame < 0 || step.frame >= cursor.FrameCount())
            return ".ani: a step shows a frame past the last";
    }
    for (int i = 0; i < cursor.FrameCount() && i < static_cast<int>(kMaxGroupsChecked); ++i) {
        const ByteView& frame = cursor.Frame(i);
        if (frame.Data() < data || frame.Data() + frame.Size() > data + size)
            return ".ani: a frame outside the file";
        const auto set = ReadAniFrameImages(cursor, i);
        if (set == nullptr)
            return ".ani: a frame taken as sound does not read";
        if (std::string p = set->type == kCursorType
                                ? CheckCursorSet(*set, JoinPath(folder, "f.cur"))
                                : CheckImageFacts(*set);
            !p.empty())
            return ".ani frame: " + p;
    }
    return "";
}

std::string CheckCur(const std::uint8_t* data, std::size_t size, const std::string& folder) {
    const auto fromMemory = ReadCurImages(ByteView(data, size));
    const std::string path = JoinPath(folder, "input.cur");
    if (!WriteBytes(path, data, size))
        return "cannot write the scratch file";
    const auto fromFile = ReadCurFileImages(path.c_str());
    std::remove(path.c_str());
    if ((fromMemory != nullptr) != (fromFile != nullptr))
        return ".cur: reading from memory and from the file disagree";
    if (fromMemory != nullptr && ReadIcoImages(ByteView(data, size)) != nullptr)
        return ".cur: the bytes read as an icon and as a cursor";
    return fromMemory ? CheckCursorSet(*fromMemory, JoinPath(folder, "set.cur")) : "";
}

// Lists every group cursor; reads and writes the first kMaxGroupsChecked.
struct CursorGroups : IconListReceiver {
    int AddGroupIcon(const char*, ResKey, std::uint16_t) override { return 0; }
    int AddIconFile(const char*) override { return 0; }
    bool TakesCursors() const override { return true; }
    int AddGroupCursor(const char*, ResKey name, std::uint16_t language) override {
        if (problem.empty() && ++checked <= kMaxGroupsChecked) {
            const auto set = ReadGroupCursorImages(*file, name, language);
            if (set != nullptr)
                problem = CheckCursorSet(*set, path);
        }
        return 1;
    }
    const CPEFile* file = nullptr;
    std::string path;
    std::size_t checked = 0;
    std::string problem;
};

} // namespace

std::string CheckCursorFile(const std::uint8_t* data, std::size_t size, const std::string& folder) {
    if (std::string p = CheckAnimated(data, size, folder); !p.empty())
        return p;
    if (std::string p = CheckCur(data, size, folder); !p.empty())
        return p;
    const CPEFile file(data, size);
    CursorGroups groups;
    groups.file = &file;
    groups.path = JoinPath(folder, "group.cur");
    const int listed = ListGroupCursors(file, "input.exe", groups);
    if (static_cast<std::size_t>(listed) > size / 8)
        return std::to_string(listed) + " cursors listed from " + std::to_string(size) + " bytes";
    if (!groups.problem.empty())
        return "group cursor: " + groups.problem;
    if (const auto left = FilesUnder(folder); !left.empty())
        return "files left behind, first " + left.front();
    return "";
}

} // namespace quarvel::fuzz
