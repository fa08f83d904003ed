// The system's own cost of a picture, to measure ours against: the icon built from image bytes
// already in memory (CreateIconFromResourceEx) and drawn into a DIB (DrawIconEx), nothing else.
#pragma once

#include "engine/ResKey.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

// One image ready for the system: bytes our own reader has vetted, the side it is built at, the
// side it is drawn at and its own width.
struct FloorImage {
    std::vector<std::uint8_t> bytes;
    int buildSide = 0;
    int drawSide = 0;
    int ownSide = 0;
};

// The image that the system itself picks for a `side` x `side` picture of every group icon in the
// files (LookupIconIdFromDirectoryEx), built and drawn at that side. Each file is mapped once;
// group directories and images that fail the engine's checks are left out.
std::vector<FloorImage> SystemPickedImages(const std::vector<std::string>& files, int side);

// The image the icon list shows at `side` for every group icon in the files (the engine's choice,
// ChooseGroupImageForSide), built at its own size and drawn by the system at the side when
// wider, else at its own size: the system's cost of the same picture as ours.
std::vector<FloorImage> EngineChosenImages(const std::vector<std::string>& files, int side);

// Every image of one group icon, found as the sub-icon view finds them (each in the group's
// language when it has one), built and drawn at its own size; empty when the group is unreadable.
std::vector<FloorImage> GroupImages(const std::string& file, quarvel::ResKey name,
                                    std::uint16_t language);

// The best of `runs` timings, in milliseconds per image, of building each icon and drawing it
// into a DIB section; the destruction of the icons is not counted.
double FloorMillisecondsPerPicture(const std::vector<FloorImage>& images, int runs);

} // namespace bench
