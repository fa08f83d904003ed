// The filter of an icon list: typed words that an icon must all satisfy.
//   256      an image exactly 256 pixels wide        >=48   an image at least 48 wide
//   png      an image stored as PNG                  icon / cursor   that kind
//   any other word: contained in the label, the file name or the resource name, compared
//   case-insensitively (FoldCase). Words are separated by spaces; ">= 48" is read as ">=48".
#pragma once

#include "IconFacts.h"

#include <string>
#include <vector>

namespace quarvel {

class IconFilter {
public:
    // The filter of typed text; empty text keeps every icon.
    explicit IconFilter(const std::string& text = std::string());

    bool IsEmpty() const { return words_.empty(); }
    bool Matches(const IconFacts& facts) const;

    // Widths typed are at most this (a longer number is text to look for).
    static constexpr int kMaxWidth = 65535;

private:
    enum class Kind { Width, MinWidth, Png, Icon, Cursor, Text };
    struct Word {
        Kind kind;
        int width = 0;
        std::string text; // folded
    };
    bool Satisfies(const Word& word, const IconFacts& facts) const;

    std::vector<Word> words_;
};

} // namespace quarvel
