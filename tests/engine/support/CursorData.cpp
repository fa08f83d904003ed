// Building cursor files and resources for the tests.
#include "CursorData.h"

#include <cstring>

namespace quarvel::test {

namespace {

void Put16(Bytes& out, std::size_t at, std::uint32_t value) {
    out[at] = static_cast<std::uint8_t>(value);
    out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void Append32(Bytes& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void AppendChunk(Bytes& out, const char* id, const Bytes& data, std::vector<std::size_t>* starts) {
    if (starts != nullptr)
        starts->push_back(out.size());
    out.insert(out.end(), id, id + 4);
    Append32(out, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    if (data.size() % 2 != 0)
        out.push_back(0);
}

Bytes Words(const std::vector<std::uint32_t>& values) {
    Bytes out;
    for (std::uint32_t value : values)
        Append32(out, value);
    return out;
}

} // namespace

Bytes MakeCurFile(const std::vector<int>& widths, const std::vector<HotSpot>& hotSpots) {
    std::vector<GroupEntrySpec> entries;
    std::vector<Bytes> images;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        images.push_back(MakeBmpImage(widths[i], 1, static_cast<std::uint8_t>(i + 1)));
        GroupEntrySpec entry = EntryFor(images.back(), widths[i], 1, 0);
        entry.planes = hotSpots[i].x;
        entry.bitCount = hotSpots[i].y;
        entries.push_back(entry);
    }
    Bytes file = MakeIcoFile(entries, images);
    Put16(file, 2, 2);
    return file;
}

std::vector<Bytes> AddCursorGroup(ResourceTree& tree, Key name, std::uint16_t language,
                                  const std::vector<int>& widths,
                                  const std::vector<HotSpot>& hotSpots, std::uint16_t firstId) {
    Bytes group(6 + 14 * widths.size());
    Put16(group, 2, 2);
    Put16(group, 4, static_cast<std::uint32_t>(widths.size()));
    std::vector<Bytes> stored;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        Bytes resource(4);
        Put16(resource, 0, hotSpots[i].x);
        Put16(resource, 2, hotSpots[i].y);
        const Bytes image = MakeBmpImage(widths[i], 1, static_cast<std::uint8_t>(firstId + i));
        resource.insert(resource.end(), image.begin(), image.end());
        const std::uint16_t id = static_cast<std::uint16_t>(firstId + i);
        const std::size_t at = 6 + 14 * i;
        Put16(group, at, static_cast<std::uint32_t>(widths[i]));
        Put16(group, at + 2, static_cast<std::uint32_t>(2 * widths[i]));
        Put16(group, at + 4, 1);
        Put16(group, at + 6, 1);
        Put16(group, at + 8, static_cast<std::uint32_t>(resource.size()));
        Put16(group, at + 10, static_cast<std::uint32_t>(resource.size() >> 16));
        Put16(group, at + 12, id);
        tree.Add(1, id, language, resource);
        stored.push_back(resource);
    }
    tree.Add(12, name, language, group);
    return stored;
}

AniParts MakeAniParts(int frames) {
    AniParts parts;
    parts.frames = static_cast<std::uint32_t>(frames);
    parts.steps = static_cast<std::uint32_t>(frames);
    for (int i = 0; i < frames; ++i) {
        const std::uint16_t spot = static_cast<std::uint16_t>(i + 1);
        parts.frameFiles.push_back(MakeCurFile({32}, {{spot, spot}}));
    }
    return parts;
}

Bytes BuildAni(const AniParts& parts, std::vector<std::size_t>* chunkStarts) {
    Bytes body = {'A', 'C', 'O', 'N'};
    Bytes header = Words({parts.headerSizeField, parts.frames, parts.steps, 32, 32, 0, 1,
                          parts.displayRate, parts.flags});
    header.resize(parts.headerSize, 0);
    // Chunk offsets are counted in the whole file: the RIFF header comes first.
    std::vector<std::size_t> starts;
    AppendChunk(body, "anih", header, &starts);
    if (!parts.rates.empty())
        AppendChunk(body, "rate", Words(parts.rates), &starts);
    if (!parts.sequence.empty())
        AppendChunk(body, "seq ", Words(parts.sequence), &starts);
    Bytes list = {'f', 'r', 'a', 'm'};
    std::vector<std::size_t> frameStarts;
    for (const Bytes& frame : parts.frameFiles)
        AppendChunk(list, "icon", frame, &frameStarts);
    const std::size_t listAt = body.size();
    AppendChunk(body, "LIST", list, &starts);
    Bytes file = {'R', 'I', 'F', 'F'};
    Append32(file, static_cast<std::uint32_t>(body.size()));
    file.insert(file.end(), body.begin(), body.end());
    if (chunkStarts != nullptr) {
        for (std::size_t at : starts)
            chunkStarts->push_back(8 + at);
        for (std::size_t at : frameStarts)
            chunkStarts->push_back(8 + listAt + 8 + at);
    }
    return file;
}

} // namespace quarvel::test
