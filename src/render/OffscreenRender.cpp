#include "OffscreenRender.h"

#include "Framebuffer.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "layoutfile/Errors.h"

namespace tk3d {

namespace {

int32_t TileLimit(int32_t maxTile) {
    GLint renderbuffer = 4096, viewport[2] = {4096, 4096};
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &renderbuffer);
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
    int32_t limit = std::min({renderbuffer, viewport[0], viewport[1], GLint(4096)});
    if (maxTile > 0) limit = std::min(limit, maxTile);
    return std::max(limit, 1);
}

// Narrows a projection to the window pixels [x0, x0 + tw) x [y0, y0 + th)
// of a w x h image (y from the bottom).
TMatrix4 TileProjection(const TMatrix4& projection, int32_t w, int32_t h, int32_t x0, int32_t y0, int32_t tw,
                        int32_t th) {
    TMatrix4 tile = TMatrix4::Scaling(double(w) / tw, double(h) / th, 1);
    tile(0, 3) = double(w - 2 * x0 - tw) / tw;
    tile(1, 3) = double(h - 2 * y0 - th) / th;
    return tile * projection;
}

}  // namespace

QImage RenderToImage(TSceneRenderer& renderer, const TFrameSetup& frame, int32_t maxTile) {
    const int32_t w = ClampViewSize(frame.Width), h = ClampViewSize(frame.Height);
    if (int64_t(w) * h > kMaxImagePixels) throw ETk3dError("Bild zu groß");
    QImage image(w, h, QImage::Format_RGBA8888);
    if (image.isNull()) throw ETk3dError("Bild zu groß");
    const int32_t limit = TileLimit(maxTile);
    const int32_t tileW = std::min(w, limit), tileH = std::min(h, limit);
    TFramebuffer fbo(tileW, tileH);
    std::vector<uint8_t> pixels(size_t(tileW) * size_t(tileH) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    const TMatrix4 projection = frame.View.Projection.Matrix();
    for (int32_t y0 = 0; y0 < h; y0 += tileH)
        for (int32_t x0 = 0; x0 < w; x0 += tileW) {
            renderer.DrawTile(frame, TileProjection(projection, w, h, x0, y0, tileW, tileH), tileW, tileH);
            glReadPixels(0, 0, tileW, tileH, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
            // GL rows run bottom-up, image rows top-down.
            const int32_t cw = std::min(tileW, w - x0);
            for (int32_t row = 0; row < std::min(tileH, h - y0); ++row) {
                uint8_t* dst = image.scanLine(h - 1 - (y0 + row)) + size_t(x0) * 4;
                std::memcpy(dst, &pixels[size_t(row) * size_t(tileW) * 4], size_t(cw) * 4);
            }
        }
    return image;
}

}  // namespace tk3d
