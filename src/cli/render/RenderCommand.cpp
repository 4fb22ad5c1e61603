// tk3d-cli render FILE -o OUT.png: draws the layout off-screen as the 3D
// view would and writes a PNG. Its own EGL context on Mesa's surfaceless
// platform needs no display.
#include <GL/gl.h>

#include <QImage>
#include <charconv>
#include <cmath>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>

#include "Commands.h"
#include "EglContext.h"
#include "OffscreenRender.h"
#include "SceneRenderer.h"
#include "layoutfile/GlobalState.h"
#include "layoutfile/LoadLayout.h"
#include "layoutfile/RailList.h"
#include "obj3d/DocumentScene.h"

namespace tk3d::cli {
namespace {

struct TRenderOptions {
    std::string Input;
    std::string Output;
    int32_t Width = 1600;
    int32_t Height = 1200;
    double Rot[3] = {0, 0, 0};
    std::optional<int32_t> Zoom;
    bool Ties = false;
    bool Landscape = true;
    bool Cross = false;
};

constexpr int32_t kMaxSide = 32768;
constexpr int32_t kMaxZoom = 10000;

template <class T>
bool ParseNumber(std::string_view s, T& out) {
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size();
}

bool ParseSize(std::string_view s, TRenderOptions& o) {
    const size_t x = s.find('x');
    if (x == std::string_view::npos) return false;
    return ParseNumber(s.substr(0, x), o.Width) && ParseNumber(s.substr(x + 1), o.Height) && o.Width >= 1 &&
           o.Height >= 1 && o.Width <= kMaxSide && o.Height <= kMaxSide &&
           int64_t(o.Width) * o.Height <= kMaxImagePixels;
}

bool ParseRotation(std::string_view s, TRenderOptions& o) {
    for (int i = 0; i < 3; ++i) {
        const size_t comma = i < 2 ? s.find(',') : s.size();
        if (comma == std::string_view::npos) return false;
        if (!ParseNumber(s.substr(0, comma), o.Rot[i]) || !std::isfinite(o.Rot[i])) return false;
        s = i < 2 ? s.substr(comma + 1) : std::string_view();
    }
    return true;
}

int Usage(const std::string& problem) {
    if (!problem.empty()) std::cerr << "render: " << problem << '\n';
    std::cerr << "Usage: tk3d-cli render FILE.tkl -o OUT.png [--size WxH] [--rot X,Y,Z] [--zoom N]\n"
                 "                       [--ties] [--landscape|--no-landscape] [--cross]\n";
    return 2;
}

// Empty when the arguments are sound, else what is wrong with them.
std::string ParseArguments(int argc, char** argv, TRenderOptions& o) {
    for (int i = 0; i < argc; ++i) {
        const std::string_view a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "-o" || a == "--output") {
            if (!hasValue) return "-o needs a file name";
            o.Output = argv[++i];
        } else if (a == "--size") {
            if (!hasValue || !ParseSize(argv[++i], o))
                return "--size needs WxH, each side 1 to 32768, at most 268435456 pixels";
        } else if (a == "--rot") {
            if (!hasValue || !ParseRotation(argv[++i], o)) return "--rot needs three angles X,Y,Z in degrees";
        } else if (a == "--zoom") {
            int32_t z = 0;
            if (!hasValue || !ParseNumber(std::string_view(argv[++i]), z) || z < 1 || z > kMaxZoom)
                return "--zoom needs a whole number N from 1 to 10000 (scale 1:N)";
            o.Zoom = z;
        } else if (a == "--ties") {
            o.Ties = true;
        } else if (a == "--landscape") {
            o.Landscape = true;
        } else if (a == "--no-landscape") {
            o.Landscape = false;
        } else if (a == "--cross") {
            o.Cross = true;
        } else if (!a.empty() && a[0] == '-') {
            return "unknown option " + std::string(a);
        } else if (o.Input.empty()) {
            o.Input = a;
        } else {
            return "only one layout file";
        }
    }
    if (o.Input.empty()) return "no layout file";
    if (o.Output.empty()) return "no output file (-o OUT.png)";
    return {};
}

}  // namespace

int RunRender(int argc, char** argv) {
    TRenderOptions o;
    if (const std::string problem = ParseArguments(argc, argv, o); !problem.empty()) return Usage(problem);
    try {
        const std::unique_ptr<TRailList> doc = LoadLayout(o.Input);
        if (o.Ties) GlobalSettings.SetShowTies(true);

        TViewParams view;
        view.ViewWidth = o.Width;
        view.ViewHeight = o.Height;
        view.Overview = !o.Zoom;
        view.Zoom = o.Zoom.value_or(10);
        view.Screen = TScreenMetrics::FromDpi(96);
        view.RotX = o.Rot[0];
        view.RotY = o.Rot[1];
        view.RotZ = o.Rot[2];
        const TSceneExtent extent = DocumentExtent(*doc);
        TFrameSetup frame;
        frame.View = SetupView(view, extent);
        frame.Cross = o.Cross;
        frame.ShowZLabels = ShowZLabels(view.RotX, view.RotY, view.RotZ);
        frame.Width = o.Width;
        frame.Height = o.Height;

        TEglContext context;
        TSceneRenderer renderer;
        std::string glErrors;
        renderer.OnGLError = [&](const std::string& m) { glErrors += m + '\n'; };
        GLint maxTexture = 2048;
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTexture);
        // Line widths and text sizes follow the scale of the view.
        ViewScale = frame.View.ViewScale;
        renderer.SetScene(CompileDocument(*doc, o.Landscape, maxTexture));

        const QImage image = RenderToImage(renderer, frame).convertToFormat(QImage::Format_RGB888);
        if (!image.save(QString::fromStdString(o.Output), "PNG")) {
            std::cerr << "render: cannot write " << o.Output << '\n';
            return 1;
        }
        if (!glErrors.empty()) {
            std::cerr << glErrors;
            return 1;
        }
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    return 0;
}

}  // namespace tk3d::cli
