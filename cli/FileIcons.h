// The icons of one file as a command sees them, with the reason when a named file gives none.
#pragma once

#include "IconCollector.h"

#include <string>

namespace quarvel::cli {

// Lists the icons of `path` into `icons`. For a file named on the command line, answers false
// and reports on stderr when it cannot be read or is neither an image nor an .ico file; files
// met inside folders that are not images simply give no icons.
bool CollectFileIcons(const std::string& path, bool named, IconCollector& icons);

} // namespace quarvel::cli
