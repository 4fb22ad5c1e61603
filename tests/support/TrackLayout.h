// A layout of sectional track for tests and pictures: an oval of curves and
// straights with a turnout, a branch rising over a ramp to a turntable, a
// crossing inside the oval and a block track above it.
#pragma once
#include <cstdint>
#include <vector>

#include "RepresentativeLayouts.h"
#include "WriteTracks.h"

namespace tk3dw {

// Indices of the parts in the document list.
struct WTrackLayoutIndex {
    int32_t turnout = 0;     // on the oval's lower straight
    int32_t firstCurve = 0;  // the right half circle starts here
    int32_t rising = 0;      // two rising straights from the turnout's branch
    int32_t turntable = 0;   // at the end of the branch, at the branch's height
    int32_t ramp = 0;        // a ramp object beside the rising straights
    int32_t crossing = 0;
    int32_t block = 0;  // a block straight, then a block curve
    int32_t count = 0;
};

// The document, and which index holds what.
WDocument TrackLayoutDocument(WTrackLayoutIndex* index = nullptr);

// A whole file with the settings' tie and ballast switches as given.
std::vector<uint8_t> TrackLayoutFile(bool showTies, bool showBallast);

// Small files that take the reader through every kind of track object:
// pieces of old and current versions (16-bit ones too), points and rail
// lines of every layout, stored states, blocks, turntables and platforms.
// The hostile-input sweeps cut and overwrite them; with the layout above
// they seed the fuzzer.
std::vector<WNamedLayout> TrackSeedLayouts();

}  // namespace tk3dw
