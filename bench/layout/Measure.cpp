#include "Measure.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <sstream>
#include <vector>

#include "EglContext.h"
#include "Framebuffer.h"
#include "SceneRenderer.h"
#include "layoutfile/Errors.h"
#include "layoutfile/GlobalState.h"
#include "layoutfile/LoadLayout.h"
#include "layoutfile/RailList.h"
#include "obj3d/DocumentScene.h"

namespace tk3d::bench {

namespace {

using TClock = std::chrono::steady_clock;
constexpr int32_t kWidth = 1600, kHeight = 1200;

double Seconds(const std::function<void()>& f) {
    const auto t0 = TClock::now();
    f();
    return std::chrono::duration<double>(TClock::now() - t0).count();
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) * 1e-6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct TTimes {
    double Wall = 0, Cpu = 0;
};

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Median wall-clock and processor times of a few runs; `clear` runs
// untimed before each, so that freeing the previous run's result is not
// counted.
TTimes MedianOf(
    int runs, const std::function<void()>& f, const std::function<void()>& clear = [] {}) {
    std::vector<double> wall, cpu;
    for (int i = 0; i < runs; ++i) {
        clear();
        const double cpu0 = CpuSeconds();
        wall.push_back(Seconds(f));
        cpu.push_back(CpuSeconds() - cpu0);
    }
    return {Median(wall), Median(cpu)};
}

int64_t PeakRss() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return int64_t(usage.ru_maxrss) * 1024;
}

std::vector<char> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) throw EFileOpenError(path);
    std::vector<char> bytes(size_t(in.tellg()));
    in.seekg(0);
    in.read(bytes.data(), std::streamsize(bytes.size()));
    return bytes;
}

TFrameSetup Frame(const TSceneExtent& extent, double rotX, double rotZ) {
    TViewParams view;
    view.ViewWidth = kWidth;
    view.ViewHeight = kHeight;
    view.Screen = TScreenMetrics::FromDpi(96);
    view.RotX = rotX;
    view.RotZ = rotZ;
    TFrameSetup frame;
    frame.View = SetupView(view, extent);
    frame.ShowZLabels = ShowZLabels(rotX, 0, rotZ);
    frame.Width = kWidth;
    frame.Height = kHeight;
    return frame;
}

double FrameSeconds(TSceneRenderer& renderer, const TFrameSetup& frame, int frames) {
    for (int i = 0; i < 2; ++i) renderer.DrawFrame(frame);  // warm-up
    glFinish();
    std::vector<double> times;
    for (int i = 0; i < frames; ++i)
        times.push_back(Seconds([&] {
            renderer.DrawFrame(frame);
            glFinish();
        }));
    return Median(times);
}

}  // namespace

TMeasures MeasureLayout(const std::string& path, int frames) {
    TMeasures m;
    m.FileBytes = int64_t(ReadBytes(path).size());
    m.ReadSeconds = MedianOf(5, [&] { ReadBytes(path); }).Wall;
    std::unique_ptr<TRailList> doc;
    const TTimes load = MedianOf(
        3, [&] { doc = LoadLayout(path); }, [&] { doc.reset(); });
    m.LoadSeconds = load.Wall;
    m.LoadCpuSeconds = load.Cpu;
    m.Pieces = doc->Count();

    // As the 3D view does: the scene is compiled for the overview's scale.
    TSceneExtent extent;
    TCompiledScene scene;
    const TTimes compile = MedianOf(
        3,
        [&] {
            extent = DocumentExtent(*doc);
            ViewScale = Frame(extent, 0, 0).View.ViewScale;
            scene = CompileDocument(*doc, true);
        },
        [&] { scene = {}; });
    m.CompileSeconds = compile.Wall;
    m.CompileCpuSeconds = compile.Cpu;
    for (const TTriangleBatch& b : scene.Triangles) m.Vertices += int64_t(b.Vertices.size());
    for (const TLineBatch& b : scene.Lines) m.Vertices += int64_t(b.Vertices.size());
    for (const TPointBatch& b : scene.Points) m.Vertices += int64_t(b.Vertices.size());
    m.Batches =
        int64_t(scene.Triangles.size() + scene.Lines.size() + scene.Points.size() + scene.Texts.size());
    m.Truncated = scene.Truncated;
    m.OpenPeakRssBytes = PeakRss();

    TEglContext context;
    TSceneRenderer renderer;
    std::string errors;
    renderer.OnGLError = [&](const std::string& message) { errors += message + '\n'; };
    TFramebuffer target(kWidth, kHeight);
    m.UploadSeconds = Seconds([&] {
        renderer.SetScene(scene);
        glFinish();
    });
    m.FrameOverviewSeconds = FrameSeconds(renderer, Frame(extent, 0, 0), frames);
    m.FrameRotatedSeconds = FrameSeconds(renderer, Frame(extent, 300, 20), frames);
    if (!errors.empty()) throw ETk3dError(errors);
    m.PeakRssBytes = PeakRss();
    return m;
}

std::string FormatMeasures(const TMeasures& m) {
    std::ostringstream s;
    s.precision(17);
    s << m.FileBytes << ' ' << m.ReadSeconds << ' ' << m.LoadSeconds << ' ' << m.CompileSeconds << ' '
      << m.UploadSeconds << ' ' << m.FrameOverviewSeconds << ' ' << m.FrameRotatedSeconds << ' ' << m.Vertices
      << ' ' << m.Batches << ' ' << m.OpenPeakRssBytes << ' ' << m.PeakRssBytes << ' ' << m.Pieces << ' '
      << m.LoadCpuSeconds << ' ' << m.CompileCpuSeconds << ' ' << m.Truncated;
    return s.str();
}

bool ParseMeasures(const std::string& line, TMeasures& m) {
    std::istringstream s(line);
    s >> m.FileBytes >> m.ReadSeconds >> m.LoadSeconds >> m.CompileSeconds >> m.UploadSeconds >>
        m.FrameOverviewSeconds >> m.FrameRotatedSeconds >> m.Vertices >> m.Batches >> m.OpenPeakRssBytes >>
        m.PeakRssBytes >> m.Pieces >> m.LoadCpuSeconds >> m.CompileCpuSeconds >> m.Truncated;
    return bool(s);
}

}  // namespace tk3d::bench
