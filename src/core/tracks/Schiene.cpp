#include "tracks/Schiene.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "layoutfile/GlobalState.h"
#include "layoutfile/LayerData.h"
#include "layoutfile/Stream.h"
#include "layoutfile/TKObjectList.h"
#include "tracks/TrackHelpers.h"

namespace tk3d {

void TSchiene::Load(TCLStream& stream) {
    TRailObject::Load(stream);
    std::optional<TCLStream::TSectionGuard> section;
    if (Version >= kSectionEnd) section.emplace(stream, stream.ReadInt64());
    ReadTrackSection(stream);
    if (section) {
        // An end before the fields just read would read them again.
        if (stream.Position() > section->End()) throw EReadError();
        section->Finish();
    }
}

void TSchiene::ReadTrackSection(TCLStream& stream) {
    const uint16_t v = Version;
    fConnections.Load(stream);
    fConnections.ForEach([this](TAnschlussPunkt& p) { p.fOwner = this; });
    fTrackWidth = ReadFiniteOrZero(stream);
    if (v < kVersionSlope16)
        fSlope = 0;
    else if (v < kVersionSlopeExtended)
        fSlope = stream.ReadSmallInt();
    else
        fSlope = ReadFiniteOrZero(stream);
    auto readFlag = [&](uint8_t flag) { fFlags = stream.ReadBoolean() ? (fFlags | flag) : (fFlags & ~flag); };
    if (v >= kVersionBallast) {
        fBallastWidth = v >= kVersionBallast32 ? stream.ReadInteger() : stream.ReadSmallInt();
        readFlag(kBallastFlag);
    } else {
        fBallastWidth = kDefaultBallastWidth;
        fFlags |= kBallastFlag;
    }
    if (v >= kVersionFillColor) {
        fFillColor = stream.ReadCardinal();
    } else {
        DropGreyFillSeeds();
        fFillColor = NewObjectDefaults.FillColor;
    }
    if (v >= kVersionBallast32)
        readFlag(kOldPieceFlag);
    else
        fFlags |= kOldPieceFlag;
    if (v >= kVersionTies) {
        readFlag(kTieFlag);
        fTieColor = stream.ReadCardinal();
    } else {
        fFlags |= kTieFlag;
        fTieColor = NewObjectDefaults.TieColor;
    }
    if (v >= kVersionStates) fStates = stream.GetAs<TStateList>();
    if (v >= kVersionClearance) readFlag(kClearanceFlag);
    if (v >= kVersionBallastHeight) fBallastHeight = stream.ReadInteger();
    if (v >= kVersionDivisor) {
        fLengthDivisor = stream.ReadInteger();
        readFlag(kNoTiesFlag);
    } else {
        fLengthDivisor = 1;
    }
    if (v == kVersionGaugeSkipped)
        stream.Skip(4);
    else if (v > kVersionGaugeSkipped)
        fGauge = ReadFiniteOrZero(stream);
    SetFlag(sfMarked, false);
}

void TSchiene::DropGreyFillSeeds() {
    // Before the fill colour existed, light-grey seeds stood for the band.
    if (!FillPoints) return;
    for (int i = FillPoints->Count() - 1; i >= 0; --i) {
        const TFuellPunkt* seed = FillPoints->Items(i);
        if (seed && seed->fBrush == TFuellPunkt::kBrushLightGrey) FillPoints->FreeItemIdx(i);
    }
}

void TSchiene::AfterLoad(const TFontTable& fontTable) {
    TRailObject::AfterLoad(fontTable);
    fConnections.ForEach([this](TAnschlussPunkt& p) {
        p.fOwner = this;
        if (Owner) p.ResolvePartner(*Owner);
    });
}

void TSchiene::FinishLoad() {
    TRailObject::FinishLoad();
    if (fStates) {
        fStates->ForEach([this](TTrackState& s) {
            s.Resolve(*this);
            s.fProcessed = false;
        });
    }
    fConnections.ForEach([](TAnschlussPunkt& p) { p.fPointFlags &= uint8_t(~TAnschlussPunkt::kMarkPiece); });
    if (IsTrack()) EnsureTrackState();
}

double TSchiene::PointHeight(int i) const {
    if (i < 0 || i >= ConnectionCount()) return 0;
    return Point(i).fHeight;
}

double TSchiene::GetHeight() const {
    const double h0 = SnapZero(PointHeight(0));
    if (!IsTwoEnded()) return h0;
    return (h0 + SnapZero(PointHeight(1))) / 2;
}

void TSchiene::SetHeight(double height) {
    TRailObject::SetHeight(height);
    if (IsTwoEnded()) return;
    fConnections.ForEach([height](TAnschlussPunkt& p) { p.fHeight = height; });
}

TRect TSchiene::GetMyRect(bool withLabels) {
    TRect r = TRailObject::GetMyRect(withLabels);
    if (withLabels) {
        if (GlobalSettings.ShowHeights())
            fConnections.ForEach([&](const TAnschlussPunkt& p) { UnionRect(r, p.HeightLabelRect()); });
        if (HasTrackFlag(kBallastFlag) && !IsEmptyUnionRect(r)) {
            const int64_t b = fBallastWidth / 2;
            r = {SatAdd(r.Left, -b), SatAdd(r.Top, b), SatAdd(r.Right, b), SatAdd(r.Bottom, -b)};
        }
    }
    fConnections.ForEach([&](const TAnschlussPunkt& p) {
        if (p.fCoupling != kCouplingB) return;
        const TExtPoint a = p.AbsolutePosition();
        WidenByPoint(r, RoundPoint({a.X + kCouplingReserve * std::cos(p.fDirection),
                                    a.Y + kCouplingReserve * std::sin(p.fDirection)}));
    });
    return r;
}

void TSchiene::GetHeightRange(int32_t& top, int32_t& bottom) {
    top = bottom = RoundToInt(PointHeight(0));
    fConnections.ForEach([&](const TAnschlussPunkt& p) {
        top = std::max(top, RoundToInt(p.fHeight));
        bottom = std::min(bottom, RoundToInt(p.fHeight));
    });
    if (!Shapes.Empty()) {
        int32_t shapesTop = 0, shapesBottom = 0;
        Shapes.GetZRange(RoundToInt(GetHeight()), shapesTop, shapesBottom);
        top = std::max(top, shapesTop);
        bottom = std::min(bottom, shapesBottom);
    }
    if (IsBlockTrack()) top = SatAdd(top, int64_t(kBlockHeight));
}

bool TSchiene::HasVisibleLabels() const {
    if (TRailObject::HasVisibleLabels()) return true;
    bool shown = false;
    fConnections.ForEach([&](const TAnschlussPunkt& p) { shown = shown || p.fShowHeight; });
    return shown;
}

double TSchiene::GetLength() const {
    double sum = 0;
    Lines.ForEach([&](const TGeradeLinie& line) { sum += line.Length(); });
    return fLengthDivisor >= 2 ? sum / fLengthDivisor : sum;
}

void TSchiene::SwapColors() {
    TRailObject::SwapColors();
    fConnections.ForEach([](TAnschlussPunkt& p) { p.fPointColor = SwapBlackWhite(p.fPointColor); });
    fFillColor = SwapBlackWhite(fFillColor);
    fTieColor = SwapBlackWhite(fTieColor);
}

bool TSchiene::IsBlockTrack() const {
    bool coupled = false;
    fConnections.ForEach([&](const TAnschlussPunkt& p) {
        coupled = coupled || p.fCoupling == kCouplingA || p.fCoupling == kCouplingB;
    });
    return coupled;
}

bool TSchiene::BallastShown() const {
    return GlobalSettings.ShowBallast() && HasTrackFlag(kBallastFlag) && fBallastWidth > 0 &&
           GlobalSettings.VisibleLayers().Contains(Layer);
}

bool TSchiene::TiesShown() const { return GlobalSettings.ShowTies() && HasTrackFlag(kTieFlag); }

double TSchiene::PieceGauge() const { return fGauge > 1 ? fGauge : fTrackWidth / 30 * 16.5; }

}  // namespace tk3d
