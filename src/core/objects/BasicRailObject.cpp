#include "objects/BasicRailObject.h"

#include <algorithm>
#include <optional>

#include "layoutfile/GlobalState.h"
#include "layoutfile/Stream.h"
#include "obj3d/FontCache.h"

namespace tk3d {

namespace {
int32_t Clamp32(int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }
}  // namespace

void TBasicRailObject::Load(TCLStream& stream) {
    Labels.Clear();
    Version = stream.ReadWord();
    std::optional<TCLStream::TSectionGuard> section;
    if (Version >= kSectionEnd) section.emplace(stream, stream.ReadInt64());
    TextList.clear();
    if (Version >= kLabelsInBase) {
        ReadLabelList(stream);
        StateFlags = stream.ReadInteger();
        Layer = stream.ReadInteger();
        Text1 = stream.ReadString();
        Text2 = stream.ReadString();
        Value1 = stream.ReadInteger();
        Value2 = stream.ReadExtended();
        ReadTextList(stream);
        Color = stream.ReadCardinal();
        LineWidth = stream.ReadInteger();
        Text3 = stream.ReadString();
        Value3 = stream.ReadInteger();
        Position.X = stream.ReadExtended();
        Position.Y = stream.ReadExtended();
        Price = stream.ReadExtended();
        Number = stream.ReadInteger();
    }
    if (Version >= kCompiledItems) {
        const int32_t count = stream.ReadCount(TCompiledItem::kMinSize);
        if (count > 0) {
            CompiledItems = std::make_unique<TCompiledItemsList>(size_t(count));
            for (TCompiledItem& item : *CompiledItems) item.Load(stream);
        }
    }
    if (section) {
        // An end before the fields just read would read them again.
        if (stream.Position() > section->End()) throw EReadError();
        section->Finish();
    }
}

void TBasicRailObject::ReadLabel(TCLStream& stream) {
    std::unique_ptr<TBeschriftung> label = stream.GetAs<TBeschriftung>();
    if (!label) return;
    label->Owner = this;
    Labels.Add(std::move(label));
}

void TBasicRailObject::ReadLabelList(TCLStream& stream) {
    const int32_t count = stream.ReadCount(2);
    for (int32_t i = 0; i < count; ++i) ReadLabel(stream);
}

void TBasicRailObject::ReadTextList(TCLStream& stream) {
    const int32_t count = stream.ReadCount(8);
    TextList.reserve(size_t(count));
    for (int32_t i = 0; i < count; ++i) {
        TTextListEntry e;
        e.Text = stream.ReadString();
        e.Value = stream.ReadInteger();
        TextList.push_back(std::move(e));
    }
}

void TBasicRailObject::SetLayer(int32_t layer) {
    Layer = layer;
    SetFlag(sfEditable, GlobalSettings.ActiveLayers().Contains(layer));
}

void TBasicRailObject::UpdateFlagsFromLayer() {
    SetFlag(sfVisible, GlobalSettings.VisibleLayers().Contains(Layer));
    SetFlag(sfEditable, GlobalSettings.ActiveLayers().Contains(Layer));
}

void TBasicRailObject::GetLabelAnchor(TBeschriftung& label, TPoint& point) {
    const TPoint pos = RoundPoint(Position);
    if (label.Align == 0) {
        label.Align = kAlignLeft | kAlignBelow;
        const TRect r = GetMyRect(false);
        const int64_t px = int64_t(label.Offset.X) + pos.X, py = int64_t(label.Offset.Y) + pos.Y;
        int64_t ox, oy;
        if (label.Align & kAlignLeft)
            ox = r.Left - px;
        else if (label.Align & kAlignRight)
            ox = px - r.Right;
        else
            ox = px - r.Left - (int64_t(r.Right) - r.Left) / 2;
        if (label.Align & kAlignAbove)
            oy = py - r.Top;
        else if (label.Align & kAlignBelow)
            oy = r.Bottom - py;
        else
            oy = r.Top + (int64_t(r.Bottom) - r.Top) / 2 - py;
        label.Offset = {Clamp32(ox), Clamp32(oy)};
    }
    const TRect r = GetMyRect(false);
    int64_t x, y;
    if (label.Align & kAlignLeft)
        x = int64_t(r.Left) - label.Offset.X;
    else if (label.Align & kAlignRight)
        x = int64_t(r.Right) + label.Offset.X;
    else
        x = r.Left + (int64_t(r.Right) - r.Left) / 2 + label.Offset.X;
    if (label.Align & kAlignAbove)
        y = int64_t(r.Top) + label.Offset.Y;
    else if (label.Align & kAlignBelow)
        y = int64_t(r.Bottom) - label.Offset.Y;
    else
        y = r.Top + (int64_t(r.Bottom) - r.Top) / 2 - label.Offset.Y;
    point = {Clamp32(x - pos.X), Clamp32(y - pos.Y)};
}

void TBasicRailObject::AfterLoad(const TFontTable& fontTable) {
    for (size_t i = 0; i < Labels.Count(); ++i)
        if (Labels.Item(i).FontData) Labels.Item(i).FontData->Resolve(fontTable);
}

TRect TBasicRailObject::GetMyRect(bool withLabels) {
    const TPoint pos = RoundPoint(Position);
    if (!withLabels) return {pos.X, pos.Y, pos.X, pos.Y};
    TRect r = EmptyUnionRect();
    for (size_t i = 0; i < Labels.Count(); ++i) {
        TBeschriftung& label = Labels.Item(i);
        if (label.Kind != lkHeight) UnionRect(r, label.GetRect());
    }
    // An object without shown labels has no rectangle here; shifting the
    // empty one would turn it into a real one far away.
    if (IsEmptyUnionRect(r)) return r;
    return OffsetRect(r, pos.X, pos.Y);
}

void TBasicRailObject::SwapColors() {
    Color = SwapBlackWhite(Color);
    for (size_t i = 0; i < Labels.Count(); ++i) {
        if (TFontData* font = Labels.Item(i).FontData.get()) {
            font->TextColor = SwapBlackWhite(font->TextColor);
            font->BackColor = SwapBlackWhite(font->BackColor);
        }
    }
}

bool TBasicRailObject::HasVisibleLabels() const {
    for (size_t i = 0; i < Labels.Count(); ++i) {
        const TBeschriftung& label = Labels.Item(i);
        if (label.Kind != lkHeight && label.Shown) return true;
    }
    return false;
}

}  // namespace tk3d
