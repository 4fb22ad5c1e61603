// The rail lines: straight and curved line segments that carry a track band
// and generate the 3D body of every track (band or block, ties, rails,
// outline, ballast bed).
#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "obj3d/PointArrays.h"
#include "tracks/Lines.h"

namespace tk3d {

class TSchiene;

// Bits of fEdgeFlags. A line of value kEdgeNoLength does not count towards
// its piece's length.
constexpr uint8_t kEdgeStart = 1, kEdgeEnd = 2, kEdgeNoLength = 4;

class TGeradeSchienenLinie : public TGeradeLinie {
public:
    // Bounds on what one line may generate, whatever a file says.
    static constexpr int64_t kMaxTies = 20000;
    // Below this spacing ties would merge into a solid band.
    static constexpr double kMinTieSpacing = 0.5;

    // Corners of the band, and of the outer outline of half width
    // fOuterHalfWidth: start + o, start - o, end - o, end + o. The straight
    // line keeps the band's corners; the curve keeps start, end, centre and
    // the (inner, outer) edge radii.
    std::array<TPoint, 4> fOutline{};
    std::array<TExtPoint, 4> fOutlineExt{};
    std::array<TPoint, 4> fOuterOutline{};
    std::array<TExtPoint, 4> fOuterOutlineExt{};
    uint8_t fEdgeFlags = 0;
    double fWidth = 0;
    double fLineGauge = 0;  // 0: not set
    int32_t fOuterHalfWidth = 0;
    uint8_t fLineFlags = 0;
    double fBaseLength = 0;
    double fHeightOffset = 0;
    std::unique_ptr<TPointArrayClass> fClearance1;
    std::unique_ptr<TPointArrayClass> fClearance2;

    void Load(TCLStream& stream) override;
    // The base operation, then the length as laid.
    void SetEndPoints(const TExtPoint& start, const TExtPoint& end) override;
    TRect GetMyRect() const override;
    void PaintGL(GL& gl) const override;
    void Recalc() override;
    double Length() const override;
    virtual void ComputeBaseLength();

    // The line's gauge, else its piece's, else the standard one for W.
    double RailGauge() const;
    // The track piece that owns the line, or null.
    const TSchiene* Piece() const;

protected:
    // The outer outline for a given half width.
    virtual std::array<TExtPoint, 4> OuterOutlineFor(double halfWidth) const;
    // The outer outline's rectangle, widened to the band when it is
    // narrower than the band.
    TRect OuterOutlineRect() const;
    // Clearance points, when the piece and the settings put them in bounds.
    void AddClearances(TRect& r) const;

private:
    void ReadClearance(TCLStream& stream, std::unique_ptr<TPointArrayClass>& list);
};

class TBogenSchienenLinie : public TGeradeSchienenLinie {
public:
    // Curves follow the arc in one-degree steps; a helix may turn many times
    // but no line draws more turns than this.
    static constexpr double kDegreeStep = 0.017453292519943295;
    static constexpr double kMaxTurns = 100;

    double fSweep = 0;
    double fRadius = 0;
    double fStartAngle = 0;

    void Load(TCLStream& stream) override;
    TRect GetMyRect() const override;
    void PaintGL(GL& gl) const override;
    void Recalc() override;
    double Length() const override { return fBaseLength * fSweep; }
    void ComputeBaseLength() override { fBaseLength = fRadius; }

    TExtPoint Centre() const;

protected:
    std::array<TExtPoint, 4> OuterOutlineFor(double halfWidth) const override;
};

}  // namespace tk3d
