// The owned list of 3D primitives of a placeable object.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "obj3d/T3DLinie.h"

namespace tk3d {

class TCLStream;

class T3DList {
public:
    int32_t Version = 0;

    // List version, count, then count frames that must hold primitives;
    // empty frames are dropped.
    void Load(TCLStream& stream);

    size_t Count() const { return fItems.size(); }
    bool Empty() const { return fItems.empty(); }
    T3DLinie& Item(size_t i) const { return *fItems[i]; }
    void Add(std::unique_ptr<T3DLinie> item) { fItems.push_back(std::move(item)); }

    void PrepareAll();
    void DrawAll(GL& gl) const {
        for (const auto& item : fItems) item->Draw3D(gl);
    }
    void ReleaseAll();
    // Starts at (0, 0) and widens by every item's range plus baseHeight.
    void GetZRange(int32_t baseHeight, int32_t& top, int32_t& bottom) const;

private:
    std::vector<std::unique_ptr<T3DLinie>> fItems;
};

}  // namespace tk3d
