#include "tracks/ConnectionPoints.h"

#include <cmath>
#include <string>

#include "layoutfile/GlobalState.h"
#include "layoutfile/Stream.h"
#include "layoutfile/TKObjectList.h"
#include "platform/FontMetrics.h"
#include "tracks/Schiene.h"

namespace tk3d {

namespace {

TExtPoint ReadExtPoint(TCLStream& stream) {
    TExtPoint p;
    p.X = stream.ReadExtended();
    p.Y = stream.ReadExtended();
    return p;
}

// What the planner's default attribute length is for a piece.
int32_t DefaultAttrLength(const TSchiene& owner) { return RoundToInt(owner.fTrackWidth) / 2 - 5; }

}  // namespace

void TAnschlussPunkt::Load(TCLStream& stream) {
    const uint16_t version = stream.ReadWord();
    fVersion = version;
    if (version >= 8)
        LoadCurrent(stream, version);
    else
        LoadOld(stream, version);
    // Heights feed every 3D body; a value that is no number at all counts
    // as the baseboard surface.
    if (!std::isfinite(fHeight) || std::fabs(fHeight) < 1e-8) fHeight = 0;
    fPartner = nullptr;
    fPointFlags &= uint8_t(~kMarkRead);
}

void TAnschlussPunkt::LoadCurrent(TCLStream& stream, uint16_t version) {
    fPosition = ReadExtPoint(stream);
    fDirection = stream.ReadExtended();
    fPartnerPoint = stream.ReadInteger();
    fPartnerObject = stream.ReadInteger();
    fPointColor = stream.ReadCardinal();
    fAttrWidth = stream.ReadInteger();
    fAttrLength = stream.ReadInteger();
    fHeight = stream.ReadExtended();
    fShowHeight = stream.ReadBoolean();
    fAttrByte = stream.ReadByte();
    fLabelOffset.X = stream.ReadInteger();
    fLabelOffset.Y = stream.ReadInteger();
    fAttrValueB = stream.ReadCardinal();
    if (version > 8) fCoupling = stream.ReadByte();
    if (version > 9) fPointFlags = stream.ReadByte();
    fAttrValueA = version > 10 ? stream.ReadCardinal() : kDefaultValueA;
}

void TAnschlussPunkt::LoadOld(TCLStream& stream, uint16_t version) {
    fAttrValueB = kDefaultValueB;
    fPosition = ReadExtPoint(stream);
    fDirection = stream.ReadExtended();
    fPartnerPoint = stream.ReadSmallInt();
    fPartnerObject = stream.ReadSmallInt();
    if (version >= 2) {
        fPointColor = stream.ReadCardinal();
        fAttrWidth = stream.ReadSmallInt();
        fAttrLength = stream.ReadSmallInt();
    } else {
        fPointColor = 0;
        fAttrWidth = 0;
        fAttrLength = -1;
    }
    fHeight = version >= 3 ? stream.ReadExtended() : 0;
    // These versions stored inch layouts in tenths of the display unit.
    if (version < 7 && GlobalSettings.InchUnits()) fHeight /= 10;
    fShowHeight = version >= 4 ? stream.ReadBoolean() : true;
    fAttrByte = version >= 5 ? stream.ReadByte() : 0;
    if (version >= 6) {
        fLabelOffset.X = stream.ReadSmallInt();
        fLabelOffset.Y = stream.ReadSmallInt();
    } else {
        fLabelOffset = {0, -20};
    }
}

void TAnschlussPunkt::ResolvePartner(const TTKObjectList& document) {
    // A stored link names the partner's piece by its list index and the
    // point by its index there; anything else a file may hold there is not
    // a partner.
    TAnschlussPunkt* target = nullptr;
    if (fPartnerObject >= 0 && fPartnerPoint >= 0 && fPartnerObject < document.Count()) {
        if (auto* piece = CastTo<TSchiene>(document.Items(fPartnerObject));
            piece && fPartnerPoint < piece->fConnections.Count())
            target = piece->fConnections.Items(fPartnerPoint);
    }
    if (target && target != this) {
        Unlink();
        target->Unlink();
        fPartner = target;
        target->fPartner = this;
    }
    if (fVersion == 1 && fOwner) {
        fVersion = kCurrentVersion;
        fPointColor = 0;
        fAttrWidth = fOwner->LineWidth;
        fAttrLength = DefaultAttrLength(*fOwner);
    }
}

void TAnschlussPunkt::Unlink() {
    if (!fPartner) return;
    if (fPartner->fPartner == this) fPartner->fPartner = nullptr;
    fPartner = nullptr;
}

TExtPoint TAnschlussPunkt::AbsolutePosition() const {
    if (!fOwner) return fPosition;
    return {fPosition.X + fOwner->Position.X, fPosition.Y + fOwner->Position.Y};
}

std::string TAnschlussPunkt::HeightText() const { return FormatLength(fHeight); }

TRect TAnschlussPunkt::HeightLabelRect() const {
    if (!fShowHeight) return EmptyUnionRect();
    const TTextExtent extent = MeasureText(GlobalSettings.HeightFont(), HeightText());
    const TPoint p = RoundPoint(AbsolutePosition());
    const int32_t left = SatAdd(p.X, fLabelOffset.X), top = SatAdd(p.Y, fLabelOffset.Y);
    return {left, top, SatAdd(left, extent.cx), SatAdd(top, -int64_t(extent.cy))};
}

bool CouplingsMatch(const TAnschlussPunkt& a, const TAnschlussPunkt& b) {
    auto coupled = [](uint8_t k) { return k == kCouplingA || k == kCouplingB; };
    if (a.fCoupling == kCouplingPlain && b.fCoupling == kCouplingPlain) return true;
    return coupled(a.fCoupling) && coupled(b.fCoupling) && a.fCoupling != b.fCoupling;
}

std::unique_ptr<TStreamable> TAnschlussColl::GetItem(TCLStream& stream) {
    // Points are referred to by index; an empty slot would be a point that
    // neither draws nor joins anything.
    return stream.GetAs<TAnschlussPunkt>(false);
}

void TTrackState::Load(TCLStream& stream) {
    fStateVersion = stream.ReadInteger();
    fFromIndex = stream.ReadInteger();
    fToIndex = stream.ReadInteger();
    const int32_t count = stream.ReadCount(4);
    fLines.Values.resize(size_t(count));
    for (int32_t& index : fLines.Values) index = stream.ReadInteger();
}

namespace {

[[noreturn]] void ListIndexError(int32_t index) {
    throw ETk3dError("Listenindex überschreitet das Maximum (" + std::to_string(index) + ")");
}

template <class T, class C>
T* Resolved(const C& collection, int32_t index) {
    if (index < 0) return nullptr;
    if (index >= collection.Count()) ListIndexError(index);
    return collection.Items(index);
}

}  // namespace

void TTrackState::Resolve(TSchiene& owner) {
    fStateOwner = &owner;
    fFrom = Resolved<TAnschlussPunkt>(owner.fConnections, fFromIndex);
    fTo = Resolved<TAnschlussPunkt>(owner.fConnections, fToIndex);
    fLines.Lines.clear();
    fLines.Lines.reserve(fLines.Values.size());
    for (int32_t index : fLines.Values) fLines.Lines.push_back(Resolved<TGeradeLinie>(owner.Lines, index));
}

std::unique_ptr<TStreamable> TStateList::GetItem(TCLStream& stream) {
    return stream.GetAs<TTrackState>(false);
}

}  // namespace tk3d
