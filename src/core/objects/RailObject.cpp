#include "objects/RailObject.h"

#include <algorithm>
#include <cmath>

#include "landscape/FillAreas.h"
#include "layoutfile/ClassRegistry.h"
#include "layoutfile/Errors.h"
#include "layoutfile/Stream.h"
#include "layoutfile/TKObjectList.h"

namespace tk3d {

namespace {

// The label a new object (or an old one without heights) gets for its height.
std::unique_ptr<TBeschriftung> NewHeightLabel(TBasicRailObject& owner) {
    auto label = std::make_unique<TBeschriftung>();
    label->Kind = lkHeight;
    label->Version = TBeschriftung::kCurrentVersion;
    label->Align = kAlignRight | kAlignBelow;
    label->Offset = {0, 3};
    label->Shown = true;
    label->Text = "0.0";
    label->Owner = &owner;
    return label;
}

}  // namespace

TRailObject::~TRailObject() { Detach(); }

void TRailObject::Load(TCLStream& stream) {
    TBasicRailObject::Load(stream);
    if (Version >= kLabelsInBase)
        LoadCurrent(stream);
    else
        LoadOld(stream);
}

void TRailObject::LoadCurrent(TCLStream& stream) {
    ReadLines(stream);
    Angle = stream.ReadExtended();
    TextColor = stream.ReadCardinal();
    ReadFillPoints(stream);
    ReadFillAreas(stream);
    ReadLinks(stream);
    Height = stream.ReadExtended();
    Shapes.Load(stream);
    ReadDocking(stream, true);
}

void TRailObject::LoadOld(TCLStream& stream) {
    const uint16_t v = Version;
    if (v >= kVersionIntegerFields) {
        Number = stream.ReadInteger();
        LineWidth = stream.ReadInteger();
        SetLayer(stream.ReadInteger());
    } else {
        Number = v >= 2 ? stream.ReadInteger() : 0;
        LineWidth = v >= 3 ? stream.ReadSmallInt() : 0;
        SetLayer(v >= 2565 ? stream.ReadSmallInt() : 0);
    }
    Position.X = stream.ReadExtended();
    Position.Y = stream.ReadExtended();
    ReadLines(stream);
    Price = stream.ReadExtended();
    if (v < kVersionLabelList) {
        ReadLabel(stream);  // description
        ReadLabel(stream);  // article number
    }
    Angle = stream.ReadExtended();
    TextColor = stream.ReadCardinal();
    Color = stream.ReadCardinal();
    ReadFillPoints(stream);
    SetFlag(sfFilled, v >= kVersionFillFlag ? stream.ReadBoolean() : true);
    if (v >= kVersionFillAreas)
        ReadFillAreas(stream);
    else
        FillAreas = std::make_unique<TRailCollection>();
    PriceCurrency = v >= kVersionIntegerFields ? stream.ReadString() : NumberFormat().CurrencyString;
    SetFlag(sfMovable, v >= kVersionMovable ? stream.ReadBoolean() : true);
    Value3 = v >= kVersionValue3 ? stream.ReadInteger() : 1;
    if (v >= kVersionLinks) ReadLinks(stream);
    if (v >= kVersionHeight) {
        Height = stream.ReadExtended();
        if (v < kVersionLabelList) ReadLabel(stream);
    } else {
        Labels.Add(NewHeightLabel(*this));
        SetHeight(0);
    }
    if (v >= kVersionShapes) Shapes.Load(stream);
    if (v >= kVersionCatalogue) {
        Text1 = stream.ReadString();
        Text2 = stream.ReadString();
        Value1 = stream.ReadInteger();
        Value2 = stream.ReadExtended();
        ReadTextList(stream);
    }
    if (v >= kVersionDocking) ReadDocking(stream, v >= kVersionDockLine);
    if (v >= kVersionLabelList) ReadLabelList(stream);
}

void TRailObject::ReadLines(TCLStream& stream) {
    Lines.Load(stream);
    // Lines draw at their owner's height.
    Lines.ForEach([this](TGeradeLinie& line) { line.fOwner = this; });
}

void TRailObject::ReadFillPoints(TCLStream& stream) {
    FillPoints = stream.GetAs<TFuellColl>();
    if (!FillPoints) FillPoints = std::make_unique<TFuellColl>();
}

void TRailObject::ReadFillAreas(TCLStream& stream) {
    // Only the plain collection class may stand here: a list subclass (an
    // object list, a document) would run its own loading first.
    const int64_t frame = stream.Position();
    const TStreamClassEntry* entry = StreamClassByID(stream.ReadSmallInt());
    stream.SetPosition(frame);
    if (entry && entry->type != typeid(TRailCollection)) throw EInvalidCast();
    FillAreas = stream.GetAs<TRailCollection>();
    if (!FillAreas) FillAreas = std::make_unique<TRailCollection>();
    for (int i = 0; i < FillAreas->Count(); ++i) {
        TStreamable* item = FillAreas->Item(i);
        if (item && !dynamic_cast<TFuellFlaeche*>(item)) throw EInvalidCast();
    }
}

void TRailObject::ReadLinks(TCLStream& stream) {
    const int32_t count = stream.ReadCount(4);
    StoredLinks.resize(size_t(count));
    for (int32_t& index : StoredLinks) index = stream.ReadInteger();
}

void TRailObject::ReadDocking(TCLStream& stream, bool withLine) {
    StoredDockedTo = stream.ReadInteger();
    DockPos = stream.ReadExtended();
    DockMode = stream.ReadByte();
    StoredDockLine = withLine ? stream.ReadInteger() : -1;
}

void TRailObject::SetHeight(double height) {
    Height = height;
    if (TBeschriftung* label = HeightLabel()) label->Text = FormatLength(height);
}

void TRailObject::AfterLoad(const TFontTable& fontTable) {
    TBasicRailObject::AfterLoad(fontTable);
    if (Owner && (Number <= 1 || Version == 1)) {
        Owner->AssignNextFreeNumber(*this);
        Version = 3;
    }
    ResolveReferences();
}

void TRailObject::FinishLoad() {
    Lines.ForEach([](TGeradeLinie& line) { line.Recalc(); });
}

void TRailObject::ResolveReferences() {
    if (!Owner) return;
    // A stored index that names no placeable object of the list is dropped:
    // following it would reach past the list or into an unrelated class.
    auto target = [this](int32_t index) -> TRailObject* {
        if (index < 0 || index >= Owner->Count()) return nullptr;
        auto* obj = dynamic_cast<TRailObject*>(Owner->Items(index));
        return obj == this ? nullptr : obj;
    };
    for (int32_t index : StoredLinks)
        if (TRailObject* other = target(index)) AddLink(*other);
    if (StoredDockedTo != -1 && !DockedTo) {
        if (TRailObject* dock = target(StoredDockedTo)) {
            DockedTo = dock;
            dock->Docked.push_back(this);
            if (StoredDockLine >= 0 && StoredDockLine < dock->Lines.Count())
                DockLine = dock->Lines.Items(StoredDockLine);
        }
    }
}

void TRailObject::AddLink(TRailObject& other) {
    // Links are mutual; the other side may have stored it as well.
    if (std::find(Links.begin(), Links.end(), &other) == Links.end()) Links.push_back(&other);
    if (std::find(other.Links.begin(), other.Links.end(), this) == other.Links.end())
        other.Links.push_back(this);
}

void TRailObject::Detach() {
    for (TRailObject* other : Links) std::erase(other->Links, this);
    Links.clear();
    if (DockedTo) std::erase(DockedTo->Docked, this);
    DockedTo = nullptr;
    DockLine = nullptr;
    for (TRailObject* d : Docked) {
        d->DockedTo = nullptr;
        d->DockLine = nullptr;
    }
    Docked.clear();
}

TRect TRailObject::GetMyRect(bool withLabels) {
    const TPoint pos = RoundPoint(Position);
    TRect r = EmptyUnionRect();
    if (withLabels || Lines.Count() == 0) {
        r = TBasicRailObject::GetMyRect(withLabels);
        if (!IsEmptyUnionRect(r)) r = OffsetRect(r, -int64_t(pos.X), -int64_t(pos.Y));
    }
    Lines.ForEach([&](const TGeradeLinie& line) {
        if (!withLabels && (line.fSegmentFlags & kSegmentNotInBounds)) return;
        UnionRect(r, NormalizedRect(line.GetMyRect()));
    });
    if (!IsEmptyUnionRect(r)) {
        const int64_t w = LineWidth;
        r = {SatAdd(r.Left, -w), SatAdd(r.Top, w), SatAdd(r.Right, w), SatAdd(r.Bottom, -w)};
    }
    if (withLabels) {
        if (!IsTrack()) {
            if (TBeschriftung* label = HeightLabel()) {
                label->Text = FormatLength(GetHeight());
                UnionRect(r, label->GetRect());
            }
        }
        if (Owner && !IsEmptyUnionRect(r)) {
            const TBasicRailObject* track = Owner->FirstTrackPiece();
            const int64_t t = track ? RoundToInt(track->TrackWidth()) : 30;
            r.Top = SatAdd(r.Top, 2 * t);
            r.Left = SatAdd(r.Left, -(t / 10));
            r.Right = SatAdd(r.Right, t / 10);
        }
    }
    if (IsEmptyUnionRect(r)) return r;
    return OffsetRect(r, pos.X, pos.Y);
}

void TRailObject::GetHeightRange(int32_t& top, int32_t& bottom) {
    // A height that cannot be evaluated counts as 0.
    int32_t base = 0;
    try {
        const double h = GetHeight();
        if (std::isfinite(h)) base = RoundToInt(h);
    } catch (const ETk3dError&) {
    }
    top = bottom = base;
    if (Shapes.Empty() || ObjectKind() == okModule) return;
    int32_t shapesTop = 0, shapesBottom = 0;
    Shapes.GetZRange(base, shapesTop, shapesBottom);
    top = std::max(top, shapesTop);
    bottom = std::min(bottom, shapesBottom);
}

bool TRailObject::HasVisibleLabels() const {
    if (TBasicRailObject::HasVisibleLabels()) return true;
    const TBeschriftung* height = HeightLabel();
    return !IsTrack() && height && height->Shown;
}

}  // namespace tk3d
