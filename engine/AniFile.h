// Animated cursors (.ani files): a RIFF "ACON" form holding an "anih" header, optional "rate"
// (each step's display time) and "seq " (each step's frame) chunks, and a "LIST" "fram" of
// "icon" chunks, each frame a whole .ico or .cur file. Only this reader ever reads them: no
// part of an .ani file is handed to the system's readers.
#pragma once

#include "ByteView.h"
#include "IconImageSet.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quarvel {

// The "anih" chunk's size, and the size its first field must state.
constexpr std::uint32_t kAniHeaderSize = 36;
// Display times count jiffies, sixtieths of a second.
constexpr int kJiffiesPerSecond = 60;

struct AniHeader {
    std::uint32_t frames = 0, steps = 0, width = 0, height = 0, bitCount = 0, planes = 0;
    std::uint32_t displayRate = 0; // jiffies per step without a "rate" chunk
    std::uint32_t flags = 0;
};

// One step of the animation: the frame shown and for how many jiffies.
struct AniStep {
    int frame = 0;
    std::uint32_t jiffies = 0;
};

// An animated cursor read from bytes that outlive it.
class AnimatedCursor {
public:
    // The cursor when the bytes are a whole, sound .ani file: every chunk inside the RIFF form
    // and the form inside the bytes, one "anih" of 36 bytes that says so, as many frames as it
    // counts, each a sound .ico or .cur file, and a step for each of its steps, whose frame
    // (from "seq ", else the step's own number) is one of the frames. Otherwise nothing, and
    // `why` (when given) says what is wrong.
    static std::optional<AnimatedCursor> Parse(const ByteView& file, std::string* why = nullptr);

    const AniHeader& Header() const { return header_; }
    int FrameCount() const { return static_cast<int>(frames_.size()); }
    // Frame `index`'s whole .ico or .cur file.
    const ByteView& Frame(int index) const { return frames_[static_cast<std::size_t>(index)]; }
    const std::vector<AniStep>& Steps() const { return steps_; }

private:
    bool ReadFrames(const ByteView& list, std::string* why);
    bool ReadSteps(const std::optional<ByteView>& rates, const std::optional<ByteView>& sequence,
                   std::string* why);

    AniHeader header_;
    std::vector<ByteView> frames_;
    std::vector<AniStep> steps_;
};

// An .ani file read into memory whole, with its cursor. It cannot be copied or moved: the
// cursor points into the bytes.
class AniFile {
public:
    explicit AniFile(const char* path);
    AniFile(const AniFile&) = delete;
    AniFile& operator=(const AniFile&) = delete;

    // Null when the file cannot be read or is not a sound .ani file (Error() says which).
    const AnimatedCursor* Cursor() const { return cursor_ ? &*cursor_ : nullptr; }
    const std::string& Error() const { return error_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::optional<AnimatedCursor> cursor_;
    std::string error_;
};

// The images of one frame, an icon's or a cursor's set as the frame's header says.
std::unique_ptr<CIconImageSet> ReadAniFrameImages(const AnimatedCursor& cursor, int frame);

} // namespace quarvel
