// The plain line segments of a placeable object's 2D outline: the straight
// segment, the circular arc and the full circle. Rail lines derive from the
// straight segment and override the virtual operations.
#pragma once
#include <cstdint>

#include "layoutfile/Collections.h"
#include "objects/Geometry.h"
#include "platform/WinTypes.h"

namespace tk3d {

class TRailObject;
class GL;

// Bits of fSegmentFlags.
constexpr uint8_t kSegmentBackward = 1;
// Left out of the owner's rectangle without labels.
constexpr uint8_t kSegmentNotInBounds = 2;

class TGeradeLinie : public TStreamable {
public:
    static constexpr uint16_t kWrittenVersion = 8;

    TRailObject* fOwner = nullptr;
    uint16_t fVersion = 0;
    uint8_t fSegmentFlags = 0;
    TExtPoint fStart;
    TExtPoint fEnd;

    void Load(TCLStream& stream) override;
    // Copies both points, then Recalc.
    virtual void SetEndPoints(const TExtPoint& start, const TExtPoint& end);
    // Rectangle relative to the owner (Top is the larger Y); not sorted.
    virtual TRect GetMyRect() const;
    // Turns both points about the centre, then Recalc.
    virtual void Rotate(const TExtPoint& centre, double angle);
    // Draws the segment at its owner's height in the current GL colour and
    // line width.
    virtual void PaintGL(GL& gl) const;
    // Recomputes what derives from the points (rail lines: their outlines).
    virtual void Recalc() {}
    virtual void SetOuterHalfWidth(double value) {}
    // Mirrors at the vertical line x = axisX; a and b are the owner's
    // horizontal positions before and after (X becomes 2 axisX - a - b - X).
    virtual void Mirror(double axisX, double a, double b);
    virtual double Length() const { return 0; }
    virtual void Scale(double factor);

    bool IsBackward() const { return (fSegmentFlags & kSegmentBackward) != 0; }
};

// An arc turning left from fStart to fEnd; its centre lies at fStart +
// fRadius * (-sin fStartAngle, cos fStartAngle).
class TBogenLinie : public TGeradeLinie {
public:
    double fSweep = 0;
    double fRadius = 0;
    double fStartAngle = 0;

    void Load(TCLStream& stream) override;
    TRect GetMyRect() const override;
    void Rotate(const TExtPoint& centre, double angle) override;
    void Mirror(double axisX, double a, double b) override;
    void Scale(double factor) override;
    void PaintGL(GL& gl) const override;

    TExtPoint Centre() const;
};

// A full circle about fStart with radius fRadius.
class TKreisLinie : public TBogenLinie {
public:
    TRect GetMyRect() const override;
    void Mirror(double axisX, double a, double b) override;
    void PaintGL(GL& gl) const override;
    void SetBogen(double radius) { fRadius = radius; }
};

// The line collection of a placeable object.
using TLinienColl = TTypedCollection<TGeradeLinie>;

}  // namespace tk3d
