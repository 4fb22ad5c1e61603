// The list every layout object belongs to: the main objects, the catenary
// objects kept beside them, and the font table the file stores with them.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "layoutfile/Collections.h"
#include "objects/BasicRailObject.h"

namespace tk3d {

class TFontTable;
class GL;

// The catenary objects: a version, a count and that many object frames
// (not the collection layout).
class TCatenaryList {
public:
    int32_t Version = 0;

    void Load(TCLStream& stream);
    int Count() const { return int(fItems.size()); }
    TBasicRailObject* Items(int i) const { return fItems[size_t(i)].get(); }
    int ADD(std::unique_ptr<TBasicRailObject> item);
    void Clear() { fItems.clear(); }

private:
    std::vector<std::unique_ptr<TBasicRailObject>> fItems;
};

class TTKObjectList : public TTypedCollection<TBasicRailObject> {
public:
    TTKObjectList();
    ~TTKObjectList() override;

    TCatenaryList Catenary;
    // Called before objects are dropped from the list.
    std::function<void()> OnChange;

    void Load(TCLStream& stream) override;
    void FreeItemIdx(int index) override;

    // Every object of the main list, then of the catenary list; empty slots
    // are skipped.
    void ForEachObject(const std::function<void(TBasicRailObject&)>& f) const;
    // The same, with a long main list split over the processors: f must
    // change no object but the one it is given.
    void ForEachObjectInParallel(const std::function<void(TBasicRailObject&)>& f) const;
    template <class F>
    void ForEachCatenary(F&& f) const {
        for (int i = 0; i < Catenary.Count(); ++i)
            if (TBasicRailObject* obj = Catenary.Items(i)) f(*obj);
    }

    // Main list first, then the catenary list.
    TBasicRailObject* FindByNumber(int32_t number) const;
    // The largest number of both lists, at least 1.
    int32_t MaxNumber() const;
    // MaxNumber + 1, or the smallest free number from 2 up when the largest
    // Integer is taken.
    int32_t NextFreeNumber() const;
    // Gives the object NextFreeNumber and records it.
    void AssignNextFreeNumber(TBasicRailObject& object);
    int ModuleCount() const;
    void SetOwners();
    void UpdateLayerFlags();
    // Draws the layout: with mode bit 1 the objects of the visible layers
    // (and the catenary when shown), with bit 2 also every module's terrain.
    void PaintGL(GL& gl, int mode) const;
    // The first object of the main list that is a track piece, or null.
    const TBasicRailObject* FirstTrackPiece() const;

    // Drops the caches derived from the objects (numbers, first track piece,
    // bounds); call after changing the list or its objects.
    virtual void Changed();
    // Keeps the caches up to date after an object was appended.
    virtual void Appended(TBasicRailObject& object);

protected:
    bool IsNumberUsed(int32_t number) const;

private:
    // Numbers in use with their counts, kept while valid so that numbering
    // many objects costs O(log n) each instead of a scan of the list.
    struct TNumberIndex {
        bool valid = false;
        std::map<int32_t, int32_t> counts;
        // Every number from 2 below it is taken, except those in freed.
        int32_t candidate = 2;
        std::set<int32_t> freed;
        void Count(int32_t number);
        void Uncount(int32_t number);
    };
    TNumberIndex& Numbers() const;
    // f on every object of the main list, split over the processors.
    void ForEachInParallel(const std::function<void(TBasicRailObject&)>& f) const;

    mutable TNumberIndex fNumbers;
    mutable bool fFirstTrackValid = false;
    mutable const TBasicRailObject* fFirstTrack = nullptr;
};

}  // namespace tk3d
