// A compiled scene uploaded once into vertex buffers and textures; drawing
// it binds the buffers and issues one call per batch.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "TextLayer.h"
#include "obj3d/CompiledScene.h"

namespace tk3d {

class TGpuScene {
public:
    // Needs a current GL context, which must also be current when the
    // scene is drawn and destroyed.
    TGpuScene(const TCompiledScene& scene, TTextRasterizer& rasterizer);
    ~TGpuScene();
    TGpuScene(const TGpuScene&) = delete;
    TGpuScene& operator=(const TGpuScene&) = delete;

    // Draws with the projection and model-view matrices that are current.
    void Draw(const TTextViewport& textViewport) const;

private:
    struct TRange {
        int32_t First = 0;
        int32_t Count = 0;
    };
    struct TTriangleDraw {
        TTriangleState State;
        TRange Range;
    };
    struct TLineDraw {
        float Size;
        TRange Range;
    };
    void DrawTriangles() const;
    void DrawLines(uint32_t buffer, const std::vector<TLineDraw>& draws, bool points) const;

    uint32_t fTriangleBuffer = 0, fLineBuffer = 0, fPointBuffer = 0;
    std::vector<TTriangleDraw> fTriangles;
    std::vector<TLineDraw> fLines, fPoints;
    std::vector<uint32_t> fTextures;
    std::unique_ptr<TTextLayer> fTexts;
};

}  // namespace tk3d
