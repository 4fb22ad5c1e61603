#include "obj3d/GLTools.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

#include "layoutfile/Errors.h"
#include "layoutfile/GlobalState.h"

namespace tk3d {

void SetGLColor(GL& gl, TColorRef color) {
    const float r = float(color & 0xFF) / 255.0f;
    const float g = float((color >> 8) & 0xFF) / 255.0f;
    const float b = float((color >> 16) & 0xFF) / 255.0f;
    gl.Color(r, g, b);
    gl.Material(GL::FRONT_AND_BACK, GL::AMBIENT_AND_DIFFUSE, r, g, b, 1.0f);
}

bool SetFaceNormal(GL& gl, const TFPoint& a, const TFPoint& b, bool invert) {
    float x = a.Z * b.Y - a.Y * b.Z;
    float y = a.X * b.Z - a.Z * b.X;
    float z = a.Y * b.X - a.X * b.Y;
    if (invert) {
        x = -x;
        y = -y;
        z = -z;
    }
    gl.Normal(x, y, z);
    return true;
}

bool NormalFromCoords(GL& gl, bool invert, double ax, double ay, double az, double bx, double by, double bz,
                      double cx, double cy, double cz) {
    const TFPoint pq{float(ax - bx), float(ay - by), float(az - bz)};
    const TFPoint rq{float(cx - bx), float(cy - by), float(cz - bz)};
    return SetFaceNormal(gl, pq, rq, invert);
}

bool NormalFromVertices(GL& gl, const TDPoint& p, const TDPoint& q, const TDPoint& r, bool invert) {
    return NormalFromCoords(gl, invert, p.X, p.Y, p.Z, q.X, q.Y, q.Z, r.X, r.Y, r.Z);
}

bool NormalFromVertices(GL& gl, const T3DVertex& p, const T3DVertex& q, const T3DVertex& r, bool invert) {
    return NormalFromCoords(gl, invert, p.X, p.Y, p.Z, q.X, q.Y, q.Z, r.X, r.Y, r.Z);
}

bool NormalFromFPoints(GL& gl, const TFPoint& p, const TFPoint& q, const TFPoint& r, bool invert) {
    return NormalFromCoords(gl, invert, p.X, p.Y, p.Z, q.X, q.Y, q.Z, r.X, r.Y, r.Z);
}

void DrawGLArc(GL& gl, const TExtPoint& start, double radius, double sweep, double startAngle, double z) {
    gl.Begin(GL::LINE_STRIP);
    const bool finite = std::isfinite(start.X) && std::isfinite(start.Y) && std::isfinite(radius) &&
                        std::isfinite(sweep) && std::isfinite(startAngle) && std::isfinite(z);
    if (finite) {
        const double cx = start.X - radius * std::sin(startAngle);
        const double cy = start.Y + radius * std::cos(startAngle);
        // Negative sweeps draw nothing, however large: the step count must
        // stay a number an int64_t holds.
        const double n = std::nearbyint(std::clamp(sweep, -kArcStep, 2 * kPi) / kArcStep);
        for (int64_t k = 0; k <= int64_t(n); ++k) {
            const double a = startAngle + kArcStep * double(k);
            gl.Vertex(cx + radius * std::sin(a), cy - radius * std::cos(a), z);
        }
    }
    gl.End();
}

void GLTextOut(GL& gl, const TFPoint& pos, TColorRef color, const TLogFontW& logFont,
               const std::string& text) {
    if (text.empty()) return;
    TLogFontW font = logFont;
    font.lfHeight = RoundToInt(double(logFont.lfHeight) * ViewScale);
    gl.PushAttrib(GL::CURRENT_BIT);
    SetGLColor(gl, color);
    gl.RasterText(pos, font, text, ViewScale > 0 ? 1.0 / ViewScale : 0.0);
    gl.PopAttrib();
}

int32_t AlignBMP(int32_t size, int32_t maxTextureSize) {
    const int32_t m = std::min(size, maxTextureSize);
    if (m <= 0) throw ETk3dError("AlignBMP mit 0 aufgerufen!");
    int32_t p = 1;
    while (p <= m / 2) p *= 2;
    return p;
}

void BitmapToTexture(GL& gl, const TGLImage& image, uint32_t& textureName) {
    if (image.Width <= 0 || image.Height <= 0) return;
    if (image.Rgb.size() != size_t(image.Width) * size_t(image.Height) * 3) return;
    TGLImage tex;
    tex.Width = AlignBMP(image.Width, gl.MaxTextureSize);
    tex.Height = AlignBMP(image.Height, gl.MaxTextureSize);
    tex.Rgb.resize(size_t(tex.Width) * size_t(tex.Height) * 3);
    // Nearest-neighbour stretch sampling pixel centres, so that both edges
    // of the image reach the texture's edges.
    for (int32_t y = 0; y < tex.Height; ++y) {
        const size_t sy = size_t((2 * int64_t(y) + 1) * image.Height / (2 * int64_t(tex.Height)));
        for (int32_t x = 0; x < tex.Width; ++x) {
            const size_t sx = size_t((2 * int64_t(x) + 1) * image.Width / (2 * int64_t(tex.Width)));
            const uint8_t* src = &image.Rgb[(sy * size_t(image.Width) + sx) * 3];
            std::copy(src, src + 3, &tex.Rgb[(size_t(y) * size_t(tex.Width) + size_t(x)) * 3]);
        }
    }
    textureName = gl.GenTexture();
    gl.BindTexture(textureName);
    gl.TexImage2D(std::move(tex));
}

TRect ProjectBoxToWindow(const TRect& rect, int32_t z1, int32_t z2, const TMatrix4& modelView,
                         const TMatrix4& projection, const std::array<int32_t, 4>& viewport) {
    TRect out{INT32_MAX, INT32_MAX, -2147483646, -2147483646};
    const TMatrix4 m = projection * modelView;
    const int32_t xs[2] = {rect.Left, rect.Right};
    const int32_t ys[2] = {rect.Top, rect.Bottom};
    const int32_t zs[2] = {z1, z2};
    auto clampRound = [](double v) {
        return int32_t(std::clamp(std::nearbyint(v), double(INT32_MIN), double(INT32_MAX)));
    };
    for (int32_t x : xs)
        for (int32_t y : ys)
            for (int32_t z : zs) {
                const auto h = m.TransformHomogeneous({double(x), double(y), double(z)});
                if (h[3] == 0) continue;
                const double wx = viewport[0] + viewport[2] * (h[0] / h[3] + 1) / 2;
                const double wy = viewport[1] + viewport[3] * (h[1] / h[3] + 1) / 2;
                if (!std::isfinite(wx) || !std::isfinite(wy)) continue;
                const int32_t ix = clampRound(wx);
                const int32_t iy = clampRound(double(viewport[3]) - wy);
                out.Left = std::min(out.Left, ix);
                out.Right = std::max(out.Right, ix);
                out.Top = std::min(out.Top, iy);
                out.Bottom = std::max(out.Bottom, iy);
            }
    return out;
}

std::string GLErrorMessage(uint32_t code) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "OpenGL-Fehler! [$%.4x]", code);
    return buf;
}

bool CheckGLError(const std::function<uint32_t()>& getError,
                  const std::function<void(const std::string&)>& report) {
    constexpr uint32_t kInvalidOperation = 0x0502;
    const uint32_t first = getError();
    if (first != 0 && first != kInvalidOperation && report) report(GLErrorMessage(first));
    // A lost context may keep reporting; a real one runs dry after a few.
    for (int i = 0; i < 64 && getError() != 0; ++i) {
    }
    return first == 0;
}

}  // namespace tk3d
