// The track piece: a placeable object whose rail lines carry the track's 3D
// body, with its connection points, track states, colours, ballast bed and
// the flags that switch ties, ballast and clearance outlines.
#pragma once
#include <cstdint>
#include <memory>

#include "objects/RailObject.h"
#include "tracks/ConnectionPoints.h"

namespace tk3d {

class TSchiene : public TRailObject {
public:
    // Object versions that change the track section.
    static constexpr uint16_t kVersionSlope16 = 2564;
    static constexpr uint16_t kVersionBallast = 2567;
    static constexpr uint16_t kVersionFillColor = 2569;
    static constexpr uint16_t kVersionSlopeExtended = 2571;
    static constexpr uint16_t kVersionBallast32 = 2573;
    static constexpr uint16_t kVersionTies = 2574;
    static constexpr uint16_t kVersionStates = 2583;
    static constexpr uint16_t kVersionClearance = 2593;
    static constexpr uint16_t kVersionBallastHeight = 2600;
    static constexpr uint16_t kVersionDivisor = 2601;
    static constexpr uint16_t kVersionGaugeSkipped = 41006;

    // Bits of fFlags.
    static constexpr uint8_t kBallastFlag = 1;
    static constexpr uint8_t kOldPieceFlag = 2;
    static constexpr uint8_t kTieFlag = 4;
    static constexpr uint8_t kClearanceFlag = 16;
    static constexpr uint8_t kNoTiesFlag = 64;

    // Defaults for what old files lack.
    static constexpr int32_t kDefaultBallastWidth = 1;
    // Height of a block track's solid body above its connection points.
    static constexpr double kBlockHeight = 12;

    double fTrackWidth = 0;
    TAnschlussColl fConnections;
    double fSlope = 0;  // per mille
    int32_t fBallastWidth = 0;
    TColorRef fFillColor = 0;
    TColorRef fTieColor = 0;
    double fGauge = 0;  // 0: not set
    std::unique_ptr<TStateList> fStates;
    uint8_t fFlags = 0;
    int32_t fBallastHeight = 0;
    int32_t fLengthDivisor = 0;

    void Load(TCLStream& stream) override;
    // Links the points to their partners once the whole document is read.
    void AfterLoad(const TFontTable& fontTable) override;
    // Completes the states and, for a track piece, its routes.
    void FinishLoad() override;

    // Point 0's height, or the mean of both ends of a two-ended piece; 0
    // for a piece without points.
    double GetHeight() const override;
    // Pieces that are not two-ended move all their points along.
    void SetHeight(double height) override;
    double ShapeHeight() const override { return PointHeight(0); }
    TRect GetMyRect(bool withLabels) override;
    void GetHeightRange(int32_t& top, int32_t& bottom) override;
    bool IsTrack() const override { return true; }
    bool HasVisibleLabels() const override;
    uint8_t ObjectKind() const override { return okTrack; }
    // Sum of the line lengths, divided by a divisor of 2 or more.
    double GetLength() const override;
    double TrackWidth() const override { return fTrackWidth; }
    // Also the points', band's and ties' colours.
    void SwapColors() override;
    bool EnsureTrackState() override;

    int ConnectionCount() const { return fConnections.Count(); }
    TAnschlussPunkt& Point(int i) const { return *fConnections.Items(i); }
    // Height of point i, 0 when the piece has no such point.
    double PointHeight(int i) const;
    bool IsTwoEnded() const { return ConnectionCount() == 2; }
    bool HasTrackFlag(uint8_t flag) const { return (fFlags & flag) != 0; }
    // Some point is coupled: the piece draws as a solid block.
    bool IsBlockTrack() const;
    // The layer is visible and the settings, flag and width ask for a bed.
    bool BallastShown() const;
    // Ties and rails are drawn (globally switched on, not suppressed here).
    bool TiesShown() const;
    // fGauge when above 1, else the standard gauge for the track width.
    double PieceGauge() const;

private:
    void ReadTrackSection(TCLStream& stream);
    void DropGreyFillSeeds();
};

}  // namespace tk3d
