// The bitmap texts of a compiled scene on the GPU: every text rendered once
// into an atlas texture and drawn as a pixel-aligned quad at its projected
// raster position, so a frame does no work per text on the CPU.
#pragma once
#include <cstdint>
#include <vector>

#include "obj3d/CompiledScene.h"
#include "obj3d/Matrices.h"

namespace tk3d {

class TTextRasterizer;

// Where a frame's pixels lie in the whole image: tiles of a large image
// share the image's raster positions (a text whose anchor lies outside the
// image is not drawn, as with a glRasterPos outside the view volume).
struct TTextViewport {
    TMatrix4 TileMVP;   // projection of this tile times model-view
    TMatrix4 ImageMVP;  // projection of the whole image times model-view
    int32_t Width = 1;  // tile size in pixels
    int32_t Height = 1;
};

class TTextLayer {
public:
    // Needs a current GL context; texts with an empty bitmap are dropped.
    TTextLayer(const std::vector<TSceneText>& texts, TTextRasterizer& rasterizer);
    ~TTextLayer();
    TTextLayer(const TTextLayer&) = delete;
    TTextLayer& operator=(const TTextLayer&) = delete;

    void Draw(const TTextViewport& viewport) const;

private:
    uint32_t fProgram = 0;
    uint32_t fBuffer = 0;
    std::vector<uint32_t> fPages;     // atlas textures
    std::vector<int32_t> fPageFirst;  // first vertex of each page's quads
    std::vector<int32_t> fPageCount;
    int32_t fVertexCount = 0;
};

}  // namespace tk3d
