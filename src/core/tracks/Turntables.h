// Turntables and platforms: track pieces with a connection point at every
// track that can join them, and no routes of their own.
#pragma once
#include "tracks/Schiene.h"

namespace tk3d {

// A track piece that never builds or completes track states: its points are
// not joined to each other by routes through the piece.
class TNoAuto : public TSchiene {
public:
    bool EnsureTrackState() override { return true; }
};

class TTurntable : public TNoAuto {};

class TPlatform : public TNoAuto {};

}  // namespace tk3d
