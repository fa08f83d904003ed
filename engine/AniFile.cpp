// Reading .ani files: the RIFF chunks, bounded by the bytes present at every step.
#include "AniFile.h"

#include "IcoDirectory.h"
#include "platform/FileSystem.h"

#include <cstring>

namespace quarvel {

namespace {

constexpr std::uint64_t kChunkHeaderSize = 8; // four-letter id, 32-bit size

bool IdIs(const ByteView& bytes, std::uint64_t at, const char (&id)[5]) {
    return bytes.Readable(at, 4) && std::memcmp(bytes.Data() + at, id, 4) == 0;
}

// Walks the chunks of a RIFF body in order. A chunk whose data would run past the body stops
// the walk as broken; a pad byte missing after the last chunk does not.
class ChunkWalk {
public:
    explicit ChunkWalk(const ByteView& body) : body_(body) {}

    // Moves to the next chunk; false at the end of the body or on a broken chunk.
    bool Next() {
        if (at_ == body_.Size())
            return false;
        std::uint32_t size = 0;
        if (!body_.Readable(at_, kChunkHeaderSize) || !body_.U32(at_ + 4, size) ||
            !body_.Readable(at_ + kChunkHeaderSize, size)) {
            broken_ = true;
            return false;
        }
        id_ = at_;
        data_ = *body_.Slice(at_ + kChunkHeaderSize, size);
        const std::uint64_t next = at_ + kChunkHeaderSize + size + (size & 1u);
        at_ = next < body_.Size() ? next : body_.Size();
        return true;
    }
    bool Is(const char (&id)[5]) const { return IdIs(body_, id_, id); }
    const ByteView& Data() const { return data_; }
    bool Broken() const { return broken_; }

private:
    ByteView body_;
    std::uint64_t at_ = 0;
    std::uint64_t id_ = 0;
    ByteView data_;
    bool broken_ = false;
};

bool Fail(std::string* why, const char* reason) {
    if (why != nullptr)
        *why = reason;
    return false;
}

AniHeader ReadHeader(const ByteView& data) {
    AniHeader h;
    h.frames = data.U32At(4);
    h.steps = data.U32At(8);
    h.width = data.U32At(12);
    h.height = data.U32At(16);
    h.bitCount = data.U32At(20);
    h.planes = data.U32At(24);
    h.displayRate = data.U32At(28);
    h.flags = data.U32At(32);
    return h;
}

bool IsSoundFrame(const ByteView& frame) {
    const auto directory = IcoDirectory::Parse(frame);
    return directory && (directory->IsSoundIcon() || directory->IsSoundCursor());
}

} // namespace

std::optional<AnimatedCursor> AnimatedCursor::Parse(const ByteView& file, std::string* why) {
    std::uint32_t riffSize = 0;
    if (!IdIs(file, 0, "RIFF") || !IdIs(file, 8, "ACON") || !file.U32(4, riffSize) ||
        riffSize < 4) {
        Fail(why, "not an animated cursor");
        return std::nullopt;
    }
    const auto form = file.Slice(kChunkHeaderSize, riffSize);
    if (!form) {
        Fail(why, "the file ends inside its RIFF form");
        return std::nullopt;
    }
    std::optional<ByteView> header, rates, sequence, frames;
    ChunkWalk chunk(*form->Slice(4, form->Size() - 4));
    while (chunk.Next()) {
        std::optional<ByteView>* slot = chunk.Is("anih")   ? &header
                                        : chunk.Is("rate") ? &rates
                                        : chunk.Is("seq ") ? &sequence
                                        : chunk.Is("LIST") && IdIs(chunk.Data(), 0, "fram")
                                            ? &frames
                                            : nullptr;
        if (slot == nullptr)
            continue;
        if (*slot) {
            Fail(why, "a chunk is repeated");
            return std::nullopt;
        }
        *slot = chunk.Data();
    }
    std::uint32_t headerSize = 0;
    if (chunk.Broken()) {
        Fail(why, "a chunk runs past the end of the file");
    } else if (!header || !frames) {
        Fail(why, "the header or the frames are missing");
    } else if (header->Size() != kAniHeaderSize || !header->U32(0, headerSize) ||
               headerSize != kAniHeaderSize) {
        Fail(why, "the header's size is not 36");
    } else {
        AnimatedCursor cursor;
        cursor.header_ = ReadHeader(*header);
        if (cursor.ReadFrames(*frames, why) && cursor.ReadSteps(rates, sequence, why))
            return cursor;
    }
    return std::nullopt;
}

bool AnimatedCursor::ReadFrames(const ByteView& list, std::string* why) {
    ChunkWalk chunk(*list.Slice(4, list.Size() - 4));
    while (chunk.Next()) {
        if (!chunk.Is("icon"))
            continue;
        if (frames_.size() == header_.frames)
            return Fail(why, "more frames than the header counts");
        if (!IsSoundFrame(chunk.Data()))
            return Fail(why, "a frame is not a sound icon or cursor");
        frames_.push_back(chunk.Data());
    }
    if (chunk.Broken())
        return Fail(why, "a frame runs past the end of its list");
    if (frames_.empty() || frames_.size() != header_.frames)
        return Fail(why, "fewer frames than the header counts");
    return true;
}

bool AnimatedCursor::ReadSteps(const std::optional<ByteView>& rates,
                               const std::optional<ByteView>& sequence, std::string* why) {
    const std::uint64_t steps = header_.steps;
    if (steps == 0)
        return Fail(why, "the animation has no steps");
    // Each step takes 4 bytes of each table present; without a sequence, step i shows frame i.
    if ((rates && rates->Size() / 4 < steps) || (sequence && sequence->Size() / 4 < steps))
        return Fail(why, "the rates or the sequence are shorter than the steps");
    if (!sequence && steps > frames_.size())
        return Fail(why, "a step shows a frame past the last");
    steps_.reserve(static_cast<std::size_t>(steps));
    for (std::uint64_t i = 0; i < steps; ++i) {
        const std::size_t at = static_cast<std::size_t>(4 * i);
        const std::uint32_t frame = sequence ? sequence->U32At(at) : static_cast<std::uint32_t>(i);
        if (frame >= frames_.size())
            return Fail(why, "a step shows a frame past the last");
        steps_.push_back(
            AniStep{static_cast<int>(frame), rates ? rates->U32At(at) : header_.displayRate});
    }
    return true;
}

AniFile::AniFile(const char* path) {
    if (path == nullptr || *path == '\0' || !platform::ReadWholeFile(path, bytes_)) {
        error_ = "cannot be read";
        return;
    }
    cursor_ = AnimatedCursor::Parse(ByteView(bytes_.data(), bytes_.size()), &error_);
}

std::unique_ptr<CIconImageSet> ReadAniFrameImages(const AnimatedCursor& cursor, int frame) {
    if (frame < 0 || frame >= cursor.FrameCount())
        return nullptr;
    return ReadIcoOrCurImages(cursor.Frame(frame));
}

} // namespace quarvel
