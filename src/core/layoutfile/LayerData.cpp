#include "layoutfile/LayerData.h"

#include <algorithm>
#include <cmath>

#include "layoutfile/Stream.h"

namespace tk3d {
namespace {

// Bytes of an entry of version 1 (no tie colour): the least any entry takes.
constexpr int64_t kMinEntrySize = 35;

}  // namespace

TLayerData::TLayerData(int32_t layer)
    : fLayer(layer),
      flineColor(NewObjectDefaults.LineColor),
      fLineWidth(NewObjectDefaults.LineWidth),
      fFillColor(NewObjectDefaults.FillColor),
      fDoFill(NewObjectDefaults.DoFill),
      fHoehe(NewObjectDefaults.Hoehe),
      fTieColor(NewObjectDefaults.TieColor) {}

void TLayerData::Assign(const TLayerData& source) {
    fLayer = source.fLayer;
    flineColor = source.flineColor;
    fLineWidth = source.fLineWidth;
    fFillColor = source.fFillColor;
    fDoFill = source.fDoFill;
    fHoehe = source.fHoehe;
    fTieColor = source.fTieColor;
}

std::unique_ptr<TLayerData> TLayerData::CopyObject() const {
    auto copy = std::make_unique<TLayerData>(fLayer);
    copy->Assign(*this);
    return copy;
}

void TLayerData::ReadFromStream(TCLStream& stream) {
    const int64_t end = stream.ReadInteger();
    TCLStream::TSectionGuard section(stream, end);
    const int32_t version = stream.ReadInteger();
    fLayer = stream.ReadInteger();
    flineColor = stream.ReadCardinal();
    fLineWidth = stream.ReadInteger();
    fFillColor = stream.ReadCardinal();
    fDoFill = stream.ReadBoolean();
    // Only a default for new objects: a non-finite height becomes 0.
    const double hoehe = stream.ReadExtended();
    fHoehe = std::isfinite(hoehe) ? hoehe : 0.0;
    if (version > 1) fTieColor = stream.ReadCardinal();
    // An end inside the fields would step back and re-read them.
    if (stream.Position() > end) throw EReadError();
    section.Finish();
}

void TLayerDataList::Clear() {
    fByLayer.clear();
    fItems.clear();
}

void TLayerDataList::Assign(const TLayerDataList& source) {
    if (&source == this) return;
    Clear();
    for (const auto& item : source.fItems) Add(item->CopyObject());
}

void TLayerDataList::ReadFromStream(TCLStream& stream) {
    const int64_t headerEnd = stream.ReadInteger();
    stream.ReadInteger();  // list format version, not interpreted
    const int32_t count = stream.ReadInteger();
    stream.CheckEnd(headerEnd);
    stream.SetPosition(headerEnd);
    stream.CheckCount(count, kMinEntrySize);
    for (int32_t i = 0; i < count; ++i) {
        auto entry = std::make_unique<TLayerData>(0);
        entry->ReadFromStream(stream);
        if (!HasLayerData(entry->fLayer)) Add(std::move(entry));
    }
}

TLayerData& TLayerDataList::Add(std::unique_ptr<TLayerData> entry) {
    DeleteLayerData(entry->fLayer);
    TLayerData& added = *entry;
    fItems.push_back(std::move(entry));
    fByLayer[added.fLayer] = &added;
    return added;
}

TLayerData* TLayerDataList::GetLayerData(int32_t layer) {
    if (layer < 0 || layer > 255) return nullptr;
    const auto it = fByLayer.find(layer);
    if (it != fByLayer.end()) return it->second;
    return &Add(std::make_unique<TLayerData>(layer));
}

void TLayerDataList::DeleteLayerData(int32_t layer) {
    const auto it = fByLayer.find(layer);
    if (it == fByLayer.end()) return;
    const TLayerData* old = it->second;
    fByLayer.erase(it);
    fItems.erase(std::find_if(fItems.begin(), fItems.end(), [old](const auto& p) { return p.get() == old; }));
}

}  // namespace tk3d
