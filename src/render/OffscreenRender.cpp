#include "OffscreenRender.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "layoutfile/Errors.h"

namespace tk3d {

namespace {

// A framebuffer object with colour and depth renderbuffers; restores the
// previous binding and viewport when it goes.
class TFramebuffer {
public:
    TFramebuffer(int32_t w, int32_t h) {
        glGetIntegerv(GL_FRAMEBUFFER_BINDING, &fPrevious);
        glGetIntegerv(GL_VIEWPORT, fViewport);
        glGenFramebuffers(1, &fFbo);
        glBindFramebuffer(GL_FRAMEBUFFER, fFbo);
        glGenRenderbuffers(2, fBuffers);
        glBindRenderbuffer(GL_RENDERBUFFER, fBuffers[0]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, w, h);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, fBuffers[0]);
        // The deepest depth buffer the driver offers.
        for (GLenum depth :
             {GLenum(GL_DEPTH_COMPONENT32), GLenum(GL_DEPTH_COMPONENT24), GLenum(GL_DEPTH_COMPONENT16)}) {
            glBindRenderbuffer(GL_RENDERBUFFER, fBuffers[1]);
            glRenderbufferStorage(GL_RENDERBUFFER, depth, w, h);
            glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, fBuffers[1]);
            if (glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE) break;
        }
        glBindRenderbuffer(GL_RENDERBUFFER, 0);
        while (glGetError() != GL_NO_ERROR) {
        }  // a refused depth format is not a frame error
        if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
            Release();
            throw ETk3dError("OpenGL: kein Framebuffer für das Bild");
        }
    }
    ~TFramebuffer() { Release(); }

private:
    void Release() {
        glBindFramebuffer(GL_FRAMEBUFFER, GLuint(fPrevious));
        glViewport(fViewport[0], fViewport[1], fViewport[2], fViewport[3]);
        glDeleteRenderbuffers(2, fBuffers);
        glDeleteFramebuffers(1, &fFbo);
        fFbo = 0;
        fBuffers[0] = fBuffers[1] = 0;
    }
    GLint fPrevious = 0;
    GLint fViewport[4] = {};
    GLuint fFbo = 0;
    GLuint fBuffers[2] = {};
};

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
