// The source part of the file names proposed for saving an icon or its images.
#pragma once

#include "Framework.h"

namespace quarvel {

class CIconItem;

// A group icon or cursor: its file's name, "#" and the group's id or name (shell32.dll#3); an
// .ico, .cur or .ani file: its file name without its last extension (tools.ico gives tools). An
// icon read from a .mun file is named after the file it was listed for.
CString IconSourceName(const CIconItem& item);

// The extension of the format an item is saved in as itself: ".ico" for icons, ".cur" for a
// group cursor or .cur file, ".ani" for an .ani file.
const char* OwnFormatExtension(const CIconItem& item);

} // namespace quarvel
