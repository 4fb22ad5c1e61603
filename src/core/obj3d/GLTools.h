// The drawing toolbox every PaintGL relies on: colours, face normals, the
// fixed-step arc, bitmap text, texture upload, box projection and the GL
// error check. Drawing goes to the recording GL layer.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "obj3d/GL.h"
#include "obj3d/Records3D.h"
#include "objects/Geometry.h"
#include "platform/WinTypes.h"

namespace tk3d {

// Colour and ambient/diffuse material from a 0x00BBGGRR colour.
void SetGLColor(GL& gl, TColorRef color);

// Normal b x a of two edge vectors, not normalised; negated with invert.
bool SetFaceNormal(GL& gl, const TFPoint& a, const TFPoint& b, bool invert);
// Normal of the triangle P, Q, R (counter-clockwise faces the viewer).
bool NormalFromCoords(GL& gl, bool invert, double ax, double ay, double az, double bx, double by, double bz,
                      double cx, double cy, double cz);
bool NormalFromVertices(GL& gl, const TDPoint& p, const TDPoint& q, const TDPoint& r, bool invert);
bool NormalFromVertices(GL& gl, const T3DVertex& p, const T3DVertex& q, const T3DVertex& r, bool invert);
bool NormalFromFPoints(GL& gl, const TFPoint& p, const TFPoint& q, const TFPoint& r, bool invert);

// Line strip of Round(sweep / 0.001) + 1 points turning left from start,
// whose direction of travel is startAngle. A negative step count draws an
// empty Begin/End pair. Sweeps beyond a full turn are cut to one turn and
// non-finite input draws nothing, so a hostile arc stays bounded.
void DrawGLArc(GL& gl, const TExtPoint& start, double radius, double sweep, double startAngle, double z);
constexpr double kArcStep = 0.001;

// Text hanging from pos in the given colour. The font's height is in
// millimetres and becomes pixels by the current ViewScale.
void GLTextOut(GL& gl, const TFPoint& pos, TColorRef color, const TLogFontW& logFont,
               const std::string& text);

// Largest power of two not above min(size, maxTextureSize); raises
// "AlignBMP mit 0 aufgerufen!" when that minimum is 0 or less.
int32_t AlignBMP(int32_t size, int32_t maxTextureSize);

// Uploads the image (rows bottom-up, RGB) stretched to power-of-two sides
// as a new texture bound to GL_TEXTURE_2D. An empty image does nothing and
// leaves textureName unchanged.
void BitmapToTexture(GL& gl, const TGLImage& image, uint32_t& textureName);

// Window rectangle (Y top-down) of the eight corners of rect at heights z1
// and z2 under the given matrices and viewport (x, y, width, height).
// Corners that do not project (w = 0) are left out; coordinates are
// clamped to 32 bits.
TRect ProjectBoxToWindow(const TRect& rect, int32_t z1, int32_t z2, const TMatrix4& modelView,
                         const TMatrix4& projection, const std::array<int32_t, 4>& viewport);

// "OpenGL-Fehler! [$0501]" for the code.
std::string GLErrorMessage(uint32_t code);
// Reads the first error from getError; reports every code other than 0 and
// GL_INVALID_OPERATION through report, then drains the pending errors.
// True when the first code was 0.
bool CheckGLError(const std::function<uint32_t()>& getError,
                  const std::function<void(const std::string&)>& report);

}  // namespace tk3d
