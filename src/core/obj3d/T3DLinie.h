// Root of the 3D primitives of library articles, as far as the list that
// holds them needs it; the primitives themselves derive from it.
#pragma once
#include <cstdint>

#include "layoutfile/Streamable.h"

namespace tk3d {

class GL;

class T3DLinie : public TStreamable {
public:
    // Draws the primitive in the owner's frame.
    virtual void Draw3D(GL& gl) {}
    // Builds caches (meshes, glyphs) before a scene is compiled.
    virtual void PrepareGL() {}
    // Frees what PrepareGL built.
    virtual void ReleaseGL() {}
    // Highest and lowest Z in whole millimetres, relative to the owner's base.
    virtual void GetZRange(int32_t& top, int32_t& bottom) = 0;
};

}  // namespace tk3d
