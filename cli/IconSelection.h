// The options that choose which listed icons list and extract take: --unique (each distinct
// icon once: the first listed stands for the others, which are counted) and --min-size N (icons
// with an image at least N pixels wide).
#pragma once

#include "IconCollector.h"
#include "engine/IconIdentity.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace quarvel {
class CPEFile;
}

namespace quarvel::cli {

struct SelectionOptions {
    bool unique = false;
    int minSize = 0; // 0: any size
};

enum class OptionRead { NotMine, Read, Bad };

// Reads args[i] when it is --unique or --min-size N (then i is left on its last word).
OptionRead ReadSelectionOption(const std::vector<std::string>& args, std::size_t& i,
                               SelectionOptions& options);

class IconSelection {
public:
    explicit IconSelection(const SelectionOptions& options);
    IconSelection(const IconSelection&) = delete;
    IconSelection& operator=(const IconSelection&) = delete;
    ~IconSelection();

    // Whether the icon is taken; with --unique, its number among the icons read is `*taken`
    // (for OthersOf). An icon whose images cannot be read is taken as distinct unless a size is
    // asked for.
    bool Take(const ListedIcon& icon, int* taken = nullptr);
    // How many icons taken later had the images of taken icon `taken`.
    int OthersOf(int taken) const { return unique_.OthersOf(taken); }
    // Icons passed over as the same as one taken before.
    int Duplicates() const { return unique_.Count() - unique_.DistinctCount(); }

private:
    std::unique_ptr<CIconImageSet> ReadImages(const ListedIcon& icon);
    bool HasImageOfSize(const ListedIcon& icon, const CIconImageSet* set) const;

    SelectionOptions options_;
    UniqueIcons unique_;
    std::string filePath_; // the image file kept open for the next icons
    std::unique_ptr<CPEFile> file_;
};

} // namespace quarvel::cli
