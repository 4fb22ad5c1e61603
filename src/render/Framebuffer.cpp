#include "Framebuffer.h"

#include <GL/glext.h>

#include "layoutfile/Errors.h"

namespace tk3d {

TFramebuffer::TFramebuffer(int32_t w, int32_t h) {
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

void TFramebuffer::Release() {
    glBindFramebuffer(GL_FRAMEBUFFER, GLuint(fPrevious));
    glViewport(fViewport[0], fViewport[1], fViewport[2], fViewport[3]);
    glDeleteRenderbuffers(2, fBuffers);
    glDeleteFramebuffers(1, &fFbo);
    fFbo = 0;
    fBuffers[0] = fBuffers[1] = 0;
}

}  // namespace tk3d
