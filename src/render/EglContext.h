// An OpenGL context without a window system: EGL on Mesa's surfaceless
// platform, for the command line, tests and benchmarks. Drawing goes to
// framebuffer objects.
#pragma once
#include <string>

namespace tk3d {

class TEglContext {
public:
    // Creates a desktop OpenGL (compatibility) context and makes it current;
    // raises ETk3dError naming the step that failed.
    TEglContext();
    ~TEglContext();
    TEglContext(const TEglContext&) = delete;
    TEglContext& operator=(const TEglContext&) = delete;

    void MakeCurrent();
    // GL_VERSION and GL_RENDERER of the context.
    std::string Description() const;

private:
    void* fDisplay = nullptr;
    void* fContext = nullptr;
};

}  // namespace tk3d
