#include "EglContext.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstdio>

#include "layoutfile/Errors.h"

namespace tk3d {

namespace {

[[noreturn]] void Fail(const char* step) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%04x", unsigned(eglGetError()));
    throw ETk3dError(std::string("EGL: ") + step + " fehlgeschlagen (" + code + ")");
}

}  // namespace

TEglContext::TEglContext() {
    auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay) Fail("eglGetPlatformDisplayEXT");
    EGLDisplay display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY) Fail("surfaceless display");
    if (!eglInitialize(display, nullptr, nullptr)) Fail("eglInitialize");
    fDisplay = display;
    if (!eglBindAPI(EGL_OPENGL_API)) Fail("eglBindAPI");
    // Drawing goes to framebuffer objects: any configuration serves, and
    // the surfaceless platform offers pbuffer configurations only.
    const EGLint configAttribs[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                    EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    if (!eglChooseConfig(display, configAttribs, &config, 1, &count) || count < 1) Fail("eglChooseConfig");
    const EGLint contextAttribs[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                     EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttribs);
    if (context == EGL_NO_CONTEXT) Fail("eglCreateContext");
    fContext = context;
    MakeCurrent();
}

TEglContext::~TEglContext() {
    if (fDisplay) {
        eglMakeCurrent(fDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        // The display stays initialised: it is shared by every context of
        // the process, and terminating it would end the others.
        if (fContext) eglDestroyContext(fDisplay, fContext);
    }
}

void TEglContext::MakeCurrent() {
    if (!eglMakeCurrent(fDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, fContext)) Fail("eglMakeCurrent");
}

std::string TEglContext::Description() const {
    auto str = [](GLenum name) {
        const GLubyte* s = glGetString(name);
        return s ? std::string(reinterpret_cast<const char*>(s)) : std::string("?");
    };
    return str(GL_VERSION) + " / " + str(GL_RENDERER);
}

}  // namespace tk3d
