// Reading a listed icon's images to choose it.
#include "IconSelection.h"

#include "engine/AniFile.h"
#include "engine/GroupCursor.h"
#include "engine/IconFacts.h"
#include "engine/PEFile.h"

namespace quarvel::cli {

namespace {

// A --min-size value: 1 to 65535 pixels; 0 when it is not one.
int ParseMinSize(const std::string& text) {
    if (text.empty() || text.size() > 5 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    const int size = std::stoi(text);
    return size <= 65535 ? size : 0;
}

bool AnyImageOfSize(const CIconImageSet& set, int minSize) {
    IconFacts facts;
    SetImageFacts(set, facts);
    return facts.Largest().width >= minSize;
}

// An animated cursor has the size when one of its frames has.
bool AnyFrameOfSize(const std::string& path, int minSize) {
    const AniFile file(path.c_str());
    if (file.Cursor() == nullptr)
        return false;
    for (int frame = 0; frame < file.Cursor()->FrameCount(); ++frame) {
        const auto set = ReadAniFrameImages(*file.Cursor(), frame);
        if (set && AnyImageOfSize(*set, minSize))
            return true;
    }
    return false;
}

} // namespace

OptionRead ReadSelectionOption(const std::vector<std::string>& args, std::size_t& i,
                               SelectionOptions& options) {
    if (args[i] == "--unique") {
        options.unique = true;
        return OptionRead::Read;
    }
    if (args[i] != "--min-size")
        return OptionRead::NotMine;
    if (i + 1 >= args.size())
        return OptionRead::Bad;
    options.minSize = ParseMinSize(args[++i]);
    return options.minSize != 0 ? OptionRead::Read : OptionRead::Bad;
}

IconSelection::IconSelection(const SelectionOptions& options) : options_(options) {}

IconSelection::~IconSelection() = default;

std::unique_ptr<CIconImageSet> IconSelection::ReadImages(const ListedIcon& icon) {
    const char* path = icon.source.c_str();
    switch (icon.kind) {
    case ListedKind::IconFile:
        return ReadIcoFileImages(path);
    case ListedKind::CursorFile:
        return ReadCurFileImages(path);
    case ListedKind::AnimatedCursor:
        return ReadAnimatedCursorIdentity(icon.source.c_str());
    case ListedKind::IconGroup:
    case ListedKind::CursorGroup:
        break;
    }
    if (!file_ || filePath_ != icon.source) {
        file_ = std::make_unique<CPEFile>(path);
        filePath_ = icon.source;
    }
    return icon.kind == ListedKind::IconGroup
               ? ReadGroupImages(*file_, icon.Key(), icon.language)
               : ReadGroupCursorImages(*file_, icon.Key(), icon.language);
}

bool IconSelection::HasImageOfSize(const ListedIcon& icon, const CIconImageSet* set) const {
    if (icon.kind == ListedKind::AnimatedCursor)
        return AnyFrameOfSize(icon.source, options_.minSize);
    return set != nullptr && AnyImageOfSize(*set, options_.minSize);
}

bool IconSelection::Take(const ListedIcon& icon, int* taken) {
    if (!options_.unique && options_.minSize == 0)
        return true;
    std::unique_ptr<CIconImageSet> set = ReadImages(icon);
    if (options_.minSize != 0 && !HasImageOfSize(icon, set.get()))
        return false;
    if (!options_.unique)
        return true;
    const int number = unique_.Count();
    if (unique_.Add(std::move(set)) != number)
        return false;
    if (taken != nullptr)
        *taken = number;
    return true;
}

} // namespace quarvel::cli
