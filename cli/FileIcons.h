// The icons of one file as a command sees them, with the reason when a named file gives none.
#pragma once

#include "IconCollector.h"

#include <string>

namespace quarvel::cli {

// Lists the icons (and the cursors, when `icons` takes them) of `path` into `icons`. For a file
// named on the command line, answers false and reports on stderr when it cannot be read or is
// neither an image nor a file of a kind listed; files met inside folders that are not images
// simply give nothing. An image file is opened once.
bool CollectFileIcons(const std::string& path, bool named, IconCollector& icons);

} // namespace quarvel::cli
