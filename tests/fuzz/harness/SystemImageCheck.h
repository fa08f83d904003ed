// What may happen to an image that passes the engine's image check: the system reads it as its
// header says. The check runs it through a reader that does exactly that, on a copy of exactly
// the image's size, so a read past the image is a sanitizer report (and, in the Windows build,
// through the system's own icon builder).
#pragma once

#include "engine/ByteView.h"

#include <string>

namespace quarvel::fuzz {

// "" when the image fails the check, or passes it and is read within its bytes; else what broke.
std::string CheckImageForSystem(const ByteView& image);

} // namespace quarvel::fuzz
