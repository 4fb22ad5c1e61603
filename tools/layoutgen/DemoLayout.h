// The demo layout: a double-track oval with a station, a crossover, goods
// sidings inside the oval, and a branch that climbs behind the oval to an
// engine yard with a turntable on an upper level.
#pragma once
#include <cstdint>
#include <vector>

#include "TrackPlan.h"

namespace tk3d::gen {

TTrackPlan DemoPlan();
std::vector<uint8_t> DemoLayoutFile();

}  // namespace tk3d::gen
