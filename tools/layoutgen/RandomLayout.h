// Layouts of many track pieces made from a few parameters, the same bytes
// for the same parameters and seed: for the benchmark, for tests and for
// trying the viewer on large files.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "TrackPlan.h"

namespace tk3d::gen {

struct TRandomLayoutParams {
    int32_t Pieces = 500;
    // Shares of all pieces; the rest are straights.
    double Curves = 0.35;
    double Turnouts = 0.08;
    double Crossings = 0.02;
    double Slopes = 0.1;  // share of straights and curves that rise or fall
    int32_t Layers = 1;   // pieces are spread over layers 0 .. Layers - 1
    double Labels = 0.2;  // share of pieces with article-number and description labels
    double Blocks = 0;    // share of runs of track laid as block track
    uint64_t Seed = 1;
    bool ShowTies = true;
    bool ShowBallast = true;
};

constexpr int32_t kMaxRandomPieces = 2000000;

// Empty when the parameters are usable, else what is wrong with them.
std::string CheckParams(const TRandomLayoutParams& params);

// Runs of joined pieces, one run in each square of a grid that grows with
// the number of pieces. The parameters must pass CheckParams.
TTrackPlan RandomPlan(const TRandomLayoutParams& params);
std::vector<uint8_t> RandomLayoutFile(const TRandomLayoutParams& params);

}  // namespace tk3d::gen
