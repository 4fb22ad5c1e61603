// The track pieces of a generated layout in document order, the points
// where they are joined, and the layout file that holds them.
#pragma once
#include <cstdint>
#include <vector>

#include "WriteSettings.h"
#include "WriteTracks.h"

namespace tk3d::gen {

// An end of laid track: a piece (its index in the document) and one of its
// connection points.
struct TTrackEnd {
    int32_t Piece = -1;
    int32_t Point = 0;
};

class TTrackPlan {
public:
    // Adds a piece, with a route along each of its rail lines as the
    // planner stores them (turntables and platforms have none). When `from`
    // names an end, the piece's point `entry` is joined to it. Answers the
    // piece's end at point `exit`.
    TTrackEnd Lay(tk3dw::WTrack piece, TTrackEnd from = {}, int32_t entry = 0, int32_t exit = 1);
    // Where track laid on from an end starts: the point, the direction
    // pointing away from the piece, the height, and the rise asked for.
    tk3dw::WPlacement Beyond(TTrackEnd end, double rise = 0) const;
    // Joins two ends that were laid to meet. A gap, a kink or a step
    // between them is a fault of the plan and raises std::logic_error.
    void Close(TTrackEnd a, TTrackEnd b);

    int32_t Count() const { return int32_t(fPieces.size()); }
    const tk3dw::WTrack& Piece(int32_t i) const { return fPieces.at(size_t(i)); }
    tk3dw::WTrack& Piece(int32_t i) { return fPieces.at(size_t(i)); }

private:
    std::vector<tk3dw::WTrack> fPieces;
};

// A turnout of sectional track: the straight route's length, and the radius
// and angle (radians) of the diverging one.
struct TTurnoutShape {
    double Length = 230;
    double Radius = 500;
    double Angle = 0.2617993877991494;  // 15 degrees
};

// Turnouts laid at a placement, travelling in its direction; side +1 puts
// the branch to the left of the direction of travel, -1 to the right.
// A facing turnout is entered at point 0 and left at point 1; a trailing
// one is entered at point 1 and left at point 0. Point 2 is the branch.
tk3dw::WTrack FacingTurnout(const TTurnoutShape& shape, const tk3dw::WPlacement& at, int side,
                            const tk3dw::WTrackStyle& style);
tk3dw::WTrack TrailingTurnout(const TTurnoutShape& shape, const tk3dw::WPlacement& at, int side,
                              const tk3dw::WTrackStyle& style);

// How the file's settings show the plan.
struct TPlanLook {
    bool ShowTies = true;
    bool ShowBallast = true;
    int32_t Layers = 1;  // layers 0 .. Layers - 1 are visible and active
    tk3dw::WLayerNames LayerNames;
};

// The whole file: the current header, a settings block, and a document of
// the plan's pieces followed by the further objects.
std::vector<uint8_t> PlanFile(const TTrackPlan& plan, const TPlanLook& look,
                              const std::vector<tk3dw::WObjectWriter>& more = {});

}  // namespace tk3d::gen
