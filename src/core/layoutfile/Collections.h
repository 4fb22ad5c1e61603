// The streamable collections of layout files: an owning list of framed
// objects, its typed forms, and the list of plain 32-bit values.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "layoutfile/Stream.h"

namespace tk3d {

// Owns its items; an item slot may be empty (a -1 frame), and indices stay
// as read because other objects refer to items by index.
class TRailCollection : public TStreamable {
public:
    static constexpr int32_t kWrittenVersion = 12;

    int32_t Version = 0;

    // 32-bit files: version, capacity (ignored), count; 16-bit files: a
    // SmallInt count and two skipped SmallInts. Then count items.
    void Load(TCLStream& stream) override;

    int Count() const { return int(fItems.size()); }
    TStreamable* Item(int i) const { return fItems[size_t(i)].get(); }
    // Appends and returns the index.
    int ADD(std::unique_ptr<TStreamable> item);
    // Frees and removes; ignored for an index outside 0..Count-1.
    virtual void FreeItemIdx(int index);

protected:
    // Reads one item; subclasses require their item class here.
    virtual std::unique_ptr<TStreamable> GetItem(TCLStream& stream) { return stream.Get(); }
    // Reads count items in place.
    virtual void ReadItems(TCLStream& stream, int32_t count);
    // Bytes an item takes at least, for the count check.
    virtual int64_t MinItemSize() const { return 2; }

    std::vector<std::unique_ptr<TStreamable>> fItems;
};

// A collection whose items must all be T (or empty slots).
template <class T>
class TTypedCollection : public TRailCollection {
public:
    T* Items(int i) const { return static_cast<T*>(Item(i)); }
    int ADD(std::unique_ptr<T> item) { return TRailCollection::ADD(std::move(item)); }

    template <class F>
    void ForEach(F&& f) const {
        for (const auto& item : fItems)
            if (item) f(static_cast<T&>(*item));
    }

protected:
    std::unique_ptr<TStreamable> GetItem(TCLStream& stream) override { return stream.GetAs<T>(); }
};

// Plain 32-bit values, stored as Integers instead of frames.
class TNoFreeCollection : public TRailCollection {
public:
    std::vector<int32_t> Values;

    int ValueCount() const { return int(Values.size()); }
    void FreeItemIdx(int index) override;

protected:
    void ReadItems(TCLStream& stream, int32_t count) override;
    int64_t MinItemSize() const override { return 4; }
};

}  // namespace tk3d
