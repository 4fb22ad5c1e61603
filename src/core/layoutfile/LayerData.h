// Per-layer presentation defaults that the planner gives new objects, and
// the list of them that a layout file's settings block carries.
#pragma once
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/WinTypes.h"

namespace tk3d {

class TCLStream;

// The program's defaults for new objects; a new layer entry starts from them.
struct TNewObjectDefaults {
    TColorRef LineColor = 0x000000;
    int32_t LineWidth = 0;
    TColorRef FillColor = 0xC0C0C0;
    bool DoFill = true;
    double Hoehe = 0;
    TColorRef TieColor = 0x004080;
};
inline constexpr TNewObjectDefaults NewObjectDefaults{};

class TLayerData {
public:
    // Create(layer): format version 3 and the defaults for new objects.
    explicit TLayerData(int32_t layer);

    int32_t fVersion = 3;
    int32_t fLayer = 0;
    TColorRef flineColor = 0;
    int32_t fLineWidth = 0;
    TColorRef fFillColor = 0;
    bool fDoFill = false;
    double fHoehe = 0;
    TColorRef fTieColor = 0;

    // Copies every field but fVersion.
    void Assign(const TLayerData& source);
    std::unique_ptr<TLayerData> CopyObject() const;
    // One entry: end position, version, the fields; continues at the end.
    void ReadFromStream(TCLStream& stream);
};

// Owns its entries; at most one entry per layer.
class TLayerDataList {
public:
    int32_t fVersion = 1;

    int Count() const { return int(fItems.size()); }
    const TLayerData& operator[](int index) const { return *fItems[size_t(index)]; }

    void Clear();
    // Clear, then a copy of every entry of the source in order.
    void Assign(const TLayerDataList& source);
    // Appends the entries of the stream; an entry for a layer the list
    // already has is dropped (the present one wins).
    void ReadFromStream(TCLStream& stream);

    // Appends the entry; it replaces any entry of the same layer.
    TLayerData& Add(std::unique_ptr<TLayerData> entry);
    bool HasLayerData(int32_t layer) const { return fByLayer.count(layer) != 0; }
    // None for layers outside 0..255; else the entry, created when missing.
    TLayerData* GetLayerData(int32_t layer);
    void DeleteLayerData(int32_t layer);

private:
    std::vector<std::unique_ptr<TLayerData>> fItems;
    // Reading may meet many entries; the index keeps the duplicate test cheap.
    std::unordered_map<int32_t, TLayerData*> fByLayer;
};

}  // namespace tk3d
