// Compiles and draws a large scene (>= 1M line segments, >= 500k
// triangles) off-screen with the vertex-buffer renderer, and the same
// recording replayed as immediate-mode calls into a GL display list, and
// prints both timings side by side.
//
//   tk3d-scene-bench [objects=20000] [frames=5] [size=1600x1200]
#include <GL/gl.h>
#include <GL/glext.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "EglContext.h"
#include "Framebuffer.h"
#include "OffscreenRender.h"
#include "SceneRenderer.h"
#include "obj3d/CompiledScene.h"
#include "obj3d/GLTools.h"

namespace {

using namespace tk3d;
using TClock = std::chrono::steady_clock;

double Seconds(const std::function<void()>& f) {
    const auto t0 = TClock::now();
    f();
    return std::chrono::duration<double>(TClock::now() - t0).count();
}

// Objects as placeable objects draw them: colour, width, a translated frame
// with 50 separate straight segments and a 13-quad band.
void RecordScene(GL& gl, int objects) {
    const int perRow = int(std::sqrt(double(objects))) + 1;
    for (int i = 0; i < objects; ++i) {
        SetGLColor(gl, TColorRef(0x102030 * (i % 7 + 1)));
        gl.LineWidth(1 + i % 3);
        gl.PushMatrix();
        gl.Translated((i % perRow) * 300.0, -(i / perRow) * 300.0, 0);
        for (int s = 0; s < 50; ++s) {
            gl.Begin(GL::LINES);
            gl.Vertexf(float(s * 5), 0, float(i % 50));
            gl.Vertexf(float(s * 5 + 4), 200, float(i % 50));
            gl.End();
        }
        gl.Begin(GL::QUAD_STRIP);
        for (int k = 0; k < 14; ++k) {
            gl.Normal(0, 0, 1);
            gl.Vertex(k * 18.0, 220, 10);
            gl.Vertex(k * 18.0, 260, 10);
        }
        gl.End();
        gl.PopMatrix();
    }
}

// The recording as the original drew it: immediate-mode calls compiled
// into a GL display list (textures and texts are not part of this scene).
void Replay(const TGLList& list) {
    for (const TGLCall& c : list.Calls()) {
        switch (c.Op) {
            case TGLOp::Begin:
                glBegin(c.A);
                break;
            case TGLOp::End:
                glEnd();
                break;
            case TGLOp::Vertex:
                glVertex3d(c.V[0], c.V[1], c.V[2]);
                break;
            case TGLOp::Normal:
                glNormal3d(c.V[0], c.V[1], c.V[2]);
                break;
            case TGLOp::Color:
                glColor4d(c.V[0], c.V[1], c.V[2], c.V[3]);
                break;
            case TGLOp::Material: {
                const GLfloat v[4] = {float(c.V[0]), float(c.V[1]), float(c.V[2]), float(c.V[3])};
                glMaterialfv(c.A, c.B, v);
                break;
            }
            case TGLOp::LineWidth:
                glLineWidth(float(c.V[0]));
                break;
            case TGLOp::PointSize:
                glPointSize(float(c.V[0]));
                break;
            case TGLOp::PushMatrix:
                glPushMatrix();
                break;
            case TGLOp::PopMatrix:
                glPopMatrix();
                break;
            case TGLOp::Translate:
                glTranslated(c.V[0], c.V[1], c.V[2]);
                break;
            case TGLOp::Rotate:
                glRotated(c.V[0], c.V[1], c.V[2], c.V[3]);
                break;
            case TGLOp::Scale:
                glScaled(c.V[0], c.V[1], c.V[2]);
                break;
            case TGLOp::PushAttrib:
                glPushAttrib(c.A);
                break;
            case TGLOp::PopAttrib:
                glPopAttrib();
                break;
            case TGLOp::Enable:
                glEnable(c.A);
                break;
            case TGLOp::Disable:
                glDisable(c.A);
                break;
            case TGLOp::CullFace:
                glCullFace(c.A);
                break;
            case TGLOp::PolygonMode:
                glPolygonMode(c.A, c.B);
                break;
            case TGLOp::CallList:
                Replay(*list.Lists()[c.A]);
                break;
            default:
                break;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int objects = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20000;
    const int frames = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    int width = 1600, height = 1200;
    if (argc > 3 && std::sscanf(argv[3], "%dx%d", &width, &height) != 2) return 2;

    try {
        TEglContext context;
        std::printf("GL: %s\n", context.Description().c_str());

        GL gl;
        const double recordTime = Seconds([&] { RecordScene(gl, objects); });
        const TGLList list = gl.TakeList();

        TSceneRenderer renderer;
        std::string errors;
        renderer.OnGLError = [&](const std::string& m) { errors += m + "\n"; };
        TCompiledScene scene;
        const double flattenTime = Seconds([&] { scene = CompileScene(list); });
        const double uploadTime = Seconds([&] {
            renderer.SetScene(scene);
            glFinish();
        });
        std::printf("scene: %lld line segments, %lld triangles, %zu calls recorded in %.3f s\n",
                    (long long)scene.LineCount(), (long long)scene.TriangleCount(), list.Calls().size(),
                    recordTime);

        TViewParams view;
        view.ViewWidth = width;
        view.ViewHeight = height;
        view.RotX = 30;
        view.RotZ = 20;
        TSceneExtent extent;
        extent.Exact = {int32_t(scene.Box.Min.X), int32_t(scene.Box.Max.Y), int32_t(scene.Box.Max.X),
                        int32_t(scene.Box.Min.Y)};
        extent.FromOrigin = {0, 0, extent.Exact.Right, extent.Exact.Bottom};
        extent.Top = scene.Box.Max.Z;
        TFrameSetup frame;
        frame.View = SetupView(view, extent);
        frame.Width = width;
        frame.Height = height;

        // Both paths draw into the same framebuffer object.
        const TFramebuffer target(width, height);

        renderer.DrawFrame(frame);  // warm-up
        glFinish();
        const double bufferFrame = Seconds([&] {
                                       for (int i = 0; i < frames; ++i) renderer.DrawFrame(frame);
                                       glFinish();
                                   }) /
                                   frames;

        GLuint displayList = glGenLists(1);
        const double listCompile = Seconds([&] {
            glNewList(displayList, GL_COMPILE);
            Replay(list);
            glEndList();
            glFinish();
        });
        auto listFrame = [&] {
            glViewport(0, 0, width, height);
            glClearColor(1, 1, 1, 0);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            glEnable(GL_DEPTH_TEST);
            glEnable(GL_POLYGON_OFFSET_FILL);
            glPolygonOffset(1, 1);
            glMatrixMode(GL_PROJECTION);
            glLoadMatrixd(frame.View.Projection.Matrix().m.data());
            glMatrixMode(GL_MODELVIEW);
            glLoadMatrixd(frame.View.Scene.m.data());
            glCallList(displayList);
        };
        listFrame();
        glFinish();
        const double displayListFrame = Seconds([&] {
                                            for (int i = 0; i < frames; ++i) listFrame();
                                            glFinish();
                                        }) /
                                        frames;
        if (const GLenum e = glGetError(); e != GL_NO_ERROR) errors += GLErrorMessage(e) + "\n";
        glDeleteLists(displayList, 1);

        const double bufferCompile = flattenTime + uploadTime;
        std::printf("%-28s %14s %14s %8s\n", "", "vertex buffers", "display list", "ratio");
        std::printf("%-28s %12.3f s %12.3f s %8.2f\n", "compile (after recording)", bufferCompile,
                    listCompile, listCompile / bufferCompile);
        std::printf("%-28s %11.1f ms %11.1f ms %8.2f\n", "frame", bufferFrame * 1000, displayListFrame * 1000,
                    displayListFrame / bufferFrame);
        std::printf("(compile = flatten %.3f s + upload %.3f s; frame %dx%d, mean of %d)\n", flattenTime,
                    uploadTime, width, height, frames);
        if (!errors.empty()) {
            std::fprintf(stderr, "%s", errors.c_str());
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
