#include "layoutfile/Collections.h"

#include "layoutfile/ParallelFrames.h"

namespace tk3d {

void TRailCollection::Load(TCLStream& stream) {
    int32_t count;
    if (stream.Is32BitFile) {
        Version = stream.ReadInteger();
        stream.ReadInteger();  // the stored capacity is no measure of what follows
        count = stream.ReadInteger();
    } else {
        count = stream.ReadSmallInt();
        stream.ReadSmallInt();
        stream.ReadSmallInt();
    }
    stream.CheckCount(count, MinItemSize());
    ReadItems(stream, count);
}

void TRailCollection::ReadItems(TCLStream& stream, int32_t count) {
    if (ReadFramesInParallel(
            stream, count, [this](TCLStream& s) { return GetItem(s); }, fItems))
        return;
    fItems.clear();
    fItems.reserve(size_t(count));
    for (int32_t i = 0; i < count; ++i) fItems.push_back(GetItem(stream));
}

int TRailCollection::ADD(std::unique_ptr<TStreamable> item) {
    fItems.push_back(std::move(item));
    return Count() - 1;
}

void TRailCollection::FreeItemIdx(int index) {
    if (index < 0 || index >= Count()) return;
    fItems.erase(fItems.begin() + index);
}

void TNoFreeCollection::ReadItems(TCLStream& stream, int32_t count) {
    Values.clear();
    Values.reserve(size_t(count));
    for (int32_t i = 0; i < count; ++i) Values.push_back(stream.ReadInteger());
}

void TNoFreeCollection::FreeItemIdx(int index) {
    if (index < 0 || index >= ValueCount()) return;
    Values.erase(Values.begin() + index);
}

}  // namespace tk3d
