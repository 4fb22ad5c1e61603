// A framebuffer object with colour and depth renderbuffers for off-screen
// frames (images, printing, benchmarks); restores the previous binding and
// viewport when it goes.
#pragma once
#include <GL/gl.h>

#include <cstdint>

namespace tk3d {

class TFramebuffer {
public:
    // Raises ETk3dError when the driver cannot make a complete framebuffer.
    TFramebuffer(int32_t width, int32_t height);
    ~TFramebuffer() { Release(); }
    TFramebuffer(const TFramebuffer&) = delete;
    TFramebuffer& operator=(const TFramebuffer&) = delete;

private:
    void Release();
    GLint fPrevious = 0;
    GLint fViewport[4] = {};
    GLuint fFbo = 0;
    GLuint fBuffers[2] = {};
};

}  // namespace tk3d
