// Serialises resource trees and image headers for the engine tests.
#include "PeBuilder.h"

#include <map>
#include <queue>

namespace quarvel::test {

namespace {

void Put16(Bytes& b, std::size_t at, std::uint32_t v) {
    if (b.size() < at + 2)
        b.resize(at + 2);
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}
std::uint32_t Align(std::uint32_t v, std::uint32_t a) {
    return (v + a - 1) / a * a;
}

ResEntry MakeEntry(const Key& key) {
    ResEntry e;
    e.named = key.named;
    e.id = key.id;
    e.name = key.name;
    return e;
}

bool SameKey(const ResEntry& e, const Key& key) {
    return e.named == key.named && (key.named ? e.name == key.name : e.id == key.id);
}

} // namespace

ResourceTree::ResourceTree() {
    root_ = NewDir();
}

ResDir* ResourceTree::NewDir() {
    dirs_.push_back(std::make_unique<ResDir>());
    return dirs_.back().get();
}

ResDir* ResourceTree::Find(ResDir* parent, Key key) {
    for (ResEntry& e : parent->entries)
        if (e.dir && SameKey(e, key))
            return e.dir;
    return nullptr;
}

ResEntry& ResourceTree::Link(ResDir* parent, Key key, ResDir* child) {
    ResEntry e = MakeEntry(key);
    e.dir = child;
    parent->entries.push_back(std::move(e));
    return parent->entries.back();
}

ResEntry& ResourceTree::AddData(ResDir* parent, Key key, Bytes data) {
    ResEntry e = MakeEntry(key);
    e.data = std::move(data);
    parent->entries.push_back(std::move(e));
    return parent->entries.back();
}

ResEntry& ResourceTree::Add(Key type, Key name, std::uint16_t language, Bytes data) {
    ResDir* typeDir = Find(root_, type);
    if (!typeDir)
        typeDir = Link(root_, type, NewDir()).dir;
    ResDir* nameDir = Find(typeDir, name);
    if (!nameDir)
        nameDir = Link(typeDir, name, NewDir()).dir;
    return AddData(nameDir, Key(language), std::move(data));
}

Bytes ResourceTree::Build(std::uint32_t sectionRva) const {
    // Layout: every directory (breadth first), then name strings, data entries, data bytes.
    std::vector<const ResDir*> order;
    std::map<const ResDir*, std::uint32_t> dirOffset;
    std::queue<const ResDir*> pending;
    pending.push(root_);
    std::uint32_t offset = 0;
    while (!pending.empty()) {
        const ResDir* d = pending.front();
        pending.pop();
        if (dirOffset.count(d))
            continue;
        dirOffset[d] = offset;
        order.push_back(d);
        offset += 16 + 8 * static_cast<std::uint32_t>(d->entries.size());
        for (const ResEntry& e : d->entries)
            if (e.dir && !dirOffset.count(e.dir))
                pending.push(e.dir);
    }
    Bytes out(offset, 0);
    std::vector<std::pair<std::size_t, const ResEntry*>> names, datas;
    for (const ResDir* d : order) {
        const std::uint32_t at = dirOffset[d];
        std::uint32_t named = 0, ids = 0;
        for (const ResEntry& e : d->entries)
            (e.named ? named : ids)++;
        Put16(out, at + 12, d->forcedNamedCount >= 0 ? d->forcedNamedCount : named);
        Put16(out, at + 14, d->forcedIdCount >= 0 ? d->forcedIdCount : ids);
        for (std::size_t i = 0; i < d->entries.size(); ++i) {
            const ResEntry& e = d->entries[i];
            const std::size_t entryAt = at + 16 + 8 * i;
            if (e.named)
                names.push_back({entryAt, &e});
            else
                Put32(out, entryAt, e.id);
            if (e.dir)
                Put32(out, entryAt + 4, 0x80000000u | dirOffset[e.dir]);
            else
                datas.push_back({entryAt, &e});
        }
    }
    for (auto& [entryAt, e] : names) {
        const std::size_t at = out.size();
        Put32(out, entryAt, 0x80000000u | static_cast<std::uint32_t>(at));
        Put16(out, at, static_cast<std::uint32_t>(e->name.size()));
        for (std::size_t i = 0; i < e->name.size(); ++i)
            Put16(out, at + 2 + 2 * i, e->name[i]);
        out.resize(Align(static_cast<std::uint32_t>(out.size()), 4));
    }
    std::vector<std::size_t> dataEntryAt;
    for (auto& [entryAt, e] : datas) {
        const std::size_t at = out.size();
        Put32(out, entryAt + 4, static_cast<std::uint32_t>(at));
        out.resize(at + 16);
        dataEntryAt.push_back(at);
    }
    for (std::size_t i = 0; i < datas.size(); ++i) {
        const ResEntry* e = datas[i].second;
        const std::size_t at = Align(static_cast<std::uint32_t>(out.size()), 8);
        out.resize(at);
        out.insert(out.end(), e->data.begin(), e->data.end());
        Put32(out, dataEntryAt[i],
              e->forceRva ? e->rva : sectionRva + static_cast<std::uint32_t>(at));
        Put32(out, dataEntryAt[i] + 4,
              e->forceSize ? e->size : static_cast<std::uint32_t>(e->data.size()));
    }
    return out;
}

std::uint32_t SectionTableOffset(const ImageLayout& layout) {
    return layout.lfanew + 24 + (layout.pe32Plus ? 240 : 224);
}

Bytes BuildImage(const ImageLayout& layout) {
    const std::uint32_t nt = layout.lfanew;
    const std::uint32_t optionalSize = layout.pe32Plus ? 240 : 224;
    const std::uint32_t table = SectionTableOffset(layout);
    Bytes out(Align(table + 40 * static_cast<std::uint32_t>(layout.sections.size()), 0x200), 0);
    out[0] = 'M';
    out[1] = 'Z';
    Put32(out, 0x3C, nt);
    Put32(out, nt, 0x00004550);
    Put16(out, nt + 4, layout.pe32Plus ? 0x8664 : 0x14C);
    Put16(out, nt + 6, static_cast<std::uint32_t>(layout.sections.size()));
    Put16(out, nt + 20, optionalSize);
    Put16(out, nt + 24, layout.magic ? layout.magic : (layout.pe32Plus ? 0x20B : 0x10B));
    const std::uint32_t directories = nt + 24 + (layout.pe32Plus ? 112 : 96);
    Put32(out, directories - 4, 16); // NumberOfRvaAndSizes
    Put32(out, directories + 2 * 8, layout.resourceRva);
    for (std::size_t i = 0; i < layout.sections.size(); ++i) {
        const Section& s = layout.sections[i];
        const std::uint32_t header = table + 40 * static_cast<std::uint32_t>(i);
        const std::uint32_t raw = static_cast<std::uint32_t>(out.size());
        out.insert(out.end(), s.data.begin(), s.data.end());
        out.resize(Align(static_cast<std::uint32_t>(out.size()), 0x200));
        out[header] = '.';
        out[header + 1] = static_cast<std::uint8_t>('a' + i);
        Put32(out, header + 8, s.virtualSize);
        Put32(out, header + 12, s.virtualAddress);
        Put32(out, header + 16,
              s.forceRaw ? s.rawSize : Align(static_cast<std::uint32_t>(s.data.size()), 0x200));
        Put32(out, header + 20, s.forceRaw ? s.rawPointer : raw);
    }
    return out;
}

Bytes BuildImageWithResources(const ResourceTree& tree, bool pe32Plus) {
    ImageLayout layout;
    layout.pe32Plus = pe32Plus;
    layout.resourceRva = 0x1000;
    Section rsrc;
    rsrc.virtualAddress = 0x1000;
    rsrc.data = tree.Build(0x1000);
    rsrc.virtualSize = static_cast<std::uint32_t>(rsrc.data.size());
    layout.sections.push_back(std::move(rsrc));
    return BuildImage(layout);
}

} // namespace quarvel::test
