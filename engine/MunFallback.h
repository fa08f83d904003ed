// Icons moved to .mun files: since Windows 10 1903 the icons of imageres.dll, shell32.dll and
// other system files live in C:\Windows\SystemResources\<name>.mun, and the file in System32
// holds no icon groups at all.
#pragma once

#include "IconGroups.h"

#include <string>

namespace quarvel {

class CPEFile;

// <the file's folder>\..\SystemResources\<its name>.mun when that file exists (with the
// separator the path uses, the ".." resolved in the text); "" otherwise.
std::string MovedIconsPath(const char* path);

// Lists the group icons of an open image file under `path`; when it has none, lists those of
// its .mun file instead (through AddMovedGroupIcon). Only one step: a .mun file's own .mun is
// never looked for. Answers how many were listed.
int ListGroupIconsOrMoved(const CPEFile& file, const char* path, IconListReceiver& receiver);

} // namespace quarvel
