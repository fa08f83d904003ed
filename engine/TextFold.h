// A portable case fold of UTF-8 text, for matching typed text against names in any script.
#pragma once

#include <string>

namespace quarvel {

// The text with each capital letter made small: ASCII and the rest of Latin-1, Latin
// Extended-A and Latin Extended Additional (Vietnamese), Greek (final sigma folds to sigma),
// Cyrillic with its supplement, and Armenian. Full-width ASCII forms fold to their ASCII small
// forms, so "ＩＣＯＮ" and "icon" match. One character folds to one character (no "ß" to "ss");
// other scripts, and bytes that are not UTF-8, are kept as they are.
std::string FoldCase(const std::string& text);

// `text` contains `folded` (already folded) once `text` is folded.
bool ContainsFolded(const std::string& text, const std::string& folded);

} // namespace quarvel
