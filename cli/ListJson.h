// list --json: one JSON object per listed icon, with the facts of its images.
#pragma once

#include "IconCollector.h"
#include "engine/PEFile.h"

#include <map>
#include <memory>
#include <string>

namespace quarvel::cli {

// The text as a JSON string: quoted, with '"', '\' and control characters escaped. UTF-8 passes
// through; each byte that does not belong to a valid UTF-8 sequence (a file name is only bytes on
// Linux) becomes U+FFFD, so that the line is always valid JSON.
std::string JsonString(const std::string& text);

// Writes the lines of the icons of one file; the image files they name are opened once.
class JsonIconLines {
public:
    // {"path":..,"kind":..,"name":".." or "id":N,"language":N,"location":".." or null,
    //  "images":[{"width":N,"height":N,"depth":N,"png":bool},..] or null}, ending in a line
    // break. Files (ico, cur, ani) have no name, id or language; an .ani file also gives
    // "frames":N and the images of its first frame. `location` "" is written as null; images
    // that cannot be read are null, an image whose size cannot be read has null numbers.
    std::string Line(const ListedIcon& icon, const std::string& location);

private:
    const CPEFile& File(const std::string& path);
    std::string ImagesOf(const ListedIcon& icon);

    std::map<std::string, std::unique_ptr<CPEFile>> files_;
};

} // namespace quarvel::cli
