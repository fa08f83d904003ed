// Icon locations as shortcuts, desktop.ini files, DefaultIcon values and ExtractIcon name an
// icon: "path,-ID" for a numbered group, "path,N" for a named one, the bare path for an .ico file.
#pragma once

#include "ResKey.h"

#include <optional>
#include <string>

namespace quarvel {

class CIconItem;
class CPEFile;

// The zero-based place of the group `name` among the entries of the file's group icon
// directory, in stored order (the index ExtractIcon takes); nothing when it is not there.
std::optional<int> GroupIconPosition(const CPEFile& file, ResKey name);

// The location of an icon, under the path it was listed for (a file whose icons moved to a
// .mun file is named, as Windows resolves it); a named group's position is read from the file
// the icon's bytes come from. Nothing when that file no longer holds the named group, and for a
// group cursor; a .cur or .ani file's location is its path.
std::optional<std::string> IconLocation(const CIconItem& item);

} // namespace quarvel
