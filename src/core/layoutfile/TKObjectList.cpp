#include "layoutfile/TKObjectList.h"

#include <climits>

#include "layoutfile/LogFonts.h"
#include "obj3d/FontCache.h"
#include "platform/Parallel.h"

namespace tk3d {

namespace {

// Below this many objects a thread costs more than it saves.
constexpr size_t kMinParallelObjects = 2048;

// Version, key and use count, then at least the 60-byte ANSI font.
constexpr int64_t kMinFontEntrySize = 12 + 60;

void ReadFontTable(TCLStream& stream, TFontTable& table) {
    const int32_t count = stream.ReadCount(kMinFontEntrySize);
    for (int32_t i = 0; i < count; ++i) {
        TFontCacheData entry;
        entry.Version = stream.ReadInteger();
        entry.Key = stream.ReadInteger();
        entry.RefCount = stream.ReadInteger();
        entry.LogFont = entry.Version < 2 ? ReadLogFontA(stream) : ReadLogFontW(stream);
        table.Insert(entry);
    }
}

}  // namespace

void TCatenaryList::Load(TCLStream& stream) {
    Version = stream.ReadInteger();
    const int32_t count = stream.ReadCount(2);
    fItems.clear();
    fItems.reserve(size_t(count));
    for (int32_t i = 0; i < count; ++i) fItems.push_back(stream.GetAs<TBasicRailObject>());
}

int TCatenaryList::ADD(std::unique_ptr<TBasicRailObject> item) {
    fItems.push_back(std::move(item));
    return Count() - 1;
}

TTKObjectList::TTKObjectList() = default;
TTKObjectList::~TTKObjectList() = default;

void TTKObjectList::Load(TCLStream& stream) {
    TFontTable fonts;
    TRailCollection::Load(stream);
    if (Version > 4) ReadFontTable(stream, fonts);
    if (Version > 5) Catenary.Load(stream);
    Changed();
    SetOwners();
    ForEach([&](TBasicRailObject& obj) { obj.AfterLoad(fonts); });
    ForEachInParallel([](TBasicRailObject& obj) { obj.FinishLoad(); });
}

void TTKObjectList::ForEachInParallel(const std::function<void(TBasicRailObject&)>& f) const {
    ParallelRanges(fItems.size(), kMinParallelObjects, [&](size_t begin, size_t end) {
        for (size_t i = begin; i < end; ++i)
            if (fItems[i]) f(static_cast<TBasicRailObject&>(*fItems[i]));
    });
}

void TTKObjectList::ForEachObjectInParallel(const std::function<void(TBasicRailObject&)>& f) const {
    ForEachInParallel(f);
    ForEachCatenary(f);
}

void TTKObjectList::FreeItemIdx(int index) {
    TRailCollection::FreeItemIdx(index);
    Changed();
}

void TTKObjectList::ForEachObject(const std::function<void(TBasicRailObject&)>& f) const {
    ForEach(f);
    ForEachCatenary(f);
}

TBasicRailObject* TTKObjectList::FindByNumber(int32_t number) const {
    TBasicRailObject* found = nullptr;
    ForEachObject([&](TBasicRailObject& obj) {
        if (!found && obj.Number == number) found = &obj;
    });
    return found;
}

void TTKObjectList::TNumberIndex::Count(int32_t number) {
    if (counts[number]++ == 0) freed.erase(number);
}

void TTKObjectList::TNumberIndex::Uncount(int32_t number) {
    auto it = counts.find(number);
    if (it == counts.end()) return;
    if (--it->second > 0) return;
    counts.erase(it);
    if (number >= 2 && number < candidate) freed.insert(number);
}

TTKObjectList::TNumberIndex& TTKObjectList::Numbers() const {
    if (!fNumbers.valid) {
        fNumbers = TNumberIndex{};
        ForEachObject([&](TBasicRailObject& obj) { ++fNumbers.counts[obj.Number]; });
        fNumbers.valid = true;
    }
    return fNumbers;
}

int32_t TTKObjectList::MaxNumber() const {
    const TNumberIndex& n = Numbers();
    return n.counts.empty() ? 1 : std::max(1, n.counts.rbegin()->first);
}

int32_t TTKObjectList::NextFreeNumber() const {
    const int32_t max = MaxNumber();
    if (max < INT32_MAX) return max + 1;
    TNumberIndex& n = Numbers();
    if (!n.freed.empty()) return *n.freed.begin();
    while (n.counts.count(n.candidate)) ++n.candidate;
    return n.candidate;
}

void TTKObjectList::AssignNextFreeNumber(TBasicRailObject& object) {
    const int32_t number = NextFreeNumber();
    TNumberIndex& n = Numbers();
    n.Uncount(object.Number);
    object.Number = number;
    n.Count(number);
}

int TTKObjectList::ModuleCount() const {
    int count = 0;
    ForEach([&](const TBasicRailObject& obj) {
        if (obj.ObjectKind() == okModule) ++count;
    });
    return count;
}

void TTKObjectList::SetOwners() {
    ForEachObjectInParallel([this](TBasicRailObject& obj) { obj.Owner = this; });
}

void TTKObjectList::UpdateLayerFlags() {
    ForEachObject([](TBasicRailObject& obj) { obj.UpdateFlagsFromLayer(); });
}

const TBasicRailObject* TTKObjectList::FirstTrackPiece() const {
    if (!fFirstTrackValid) {
        fFirstTrack = nullptr;
        for (int i = 0; i < Count() && !fFirstTrack; ++i)
            if (const TBasicRailObject* obj = Items(i); obj && obj->IsTrack()) fFirstTrack = obj;
        fFirstTrackValid = true;
    }
    return fFirstTrack;
}

void TTKObjectList::Appended(TBasicRailObject& object) {
    if (fNumbers.valid) fNumbers.Count(object.Number);
    if (fFirstTrackValid && !fFirstTrack && object.IsTrack()) fFirstTrack = &object;
}

bool TTKObjectList::IsNumberUsed(int32_t number) const { return Numbers().counts.count(number) > 0; }

void TTKObjectList::Changed() {
    fNumbers.valid = false;
    fFirstTrackValid = false;
}

}  // namespace tk3d
