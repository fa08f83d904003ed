// Parsing and matching the filter's words.
#include "IconFilter.h"

#include "TextFold.h"

#include <sstream>

namespace quarvel {

namespace {

// A width typed as digits, 1 or more; -1 when the word is not one.
int WidthOf(const std::string& word) {
    if (word.empty() || word.size() > 5 ||
        word.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    const int width = std::stoi(word);
    return width >= 1 && width <= IconFilter::kMaxWidth ? width : -1;
}

// The words of the folded text: split at spaces, the ideographic space included.
std::vector<std::string> SplitWords(std::string text) {
    const std::string ideographicSpace = "\xE3\x80\x80";
    for (std::size_t at; (at = text.find(ideographicSpace)) != std::string::npos;)
        text.replace(at, ideographicSpace.size(), " ");
    std::istringstream stream(text);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) {
        // ">= 48" typed with a space is one word.
        if (!words.empty() && words.back() == ">=" && WidthOf(word) >= 0)
            words.back() += word;
        else
            words.push_back(word);
    }
    return words;
}

} // namespace

IconFilter::IconFilter(const std::string& text) {
    for (const std::string& word : SplitWords(FoldCase(text))) {
        Word parsed{Kind::Text, 0, word};
        if (WidthOf(word) >= 0) {
            parsed = Word{Kind::Width, WidthOf(word), {}};
        } else if (word.compare(0, 2, ">=") == 0 && WidthOf(word.substr(2)) >= 0) {
            parsed = Word{Kind::MinWidth, WidthOf(word.substr(2)), {}};
        } else if (word == "png") {
            parsed.kind = Kind::Png;
        } else if (word == "icon") {
            parsed.kind = Kind::Icon;
        } else if (word == "cursor") {
            parsed.kind = Kind::Cursor;
        }
        words_.push_back(std::move(parsed));
    }
}

bool IconFilter::Satisfies(const Word& word, const IconFacts& facts) const {
    switch (word.kind) {
    case Kind::Width:
    case Kind::MinWidth:
        for (const ImageFact& image : facts.images) {
            if (image.width == word.width ||
                (word.kind == Kind::MinWidth && image.width > word.width))
                return true;
        }
        return false;
    case Kind::Png:
        return facts.hasPng;
    case Kind::Icon:
        return !facts.isCursor;
    case Kind::Cursor:
        return facts.isCursor;
    case Kind::Text:
        break;
    }
    return ContainsFolded(facts.label, word.text) || ContainsFolded(facts.fileName, word.text) ||
           ContainsFolded(facts.resourceName, word.text);
}

bool IconFilter::Matches(const IconFacts& facts) const {
    for (const Word& word : words_) {
        if (!Satisfies(word, facts))
            return false;
    }
    return true;
}

} // namespace quarvel
