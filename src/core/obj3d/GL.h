// The recording GL layer: objects draw by calling a faithful subset of
// OpenGL 1.1 on a GL recorder, and the recording (a TGLList) is the display
// list. Tests inspect it; CompileScene turns it into world-space batches for
// vertex buffers; a renderer may also replay it into real GL.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "obj3d/Matrices.h"
#include "obj3d/Records3D.h"
#include "platform/WinTypes.h"

namespace tk3d {

enum class TGLOp : uint8_t {
    Begin,  // A = mode
    End,
    Vertex,     // V = x, y, z
    Normal,     // V = x, y, z
    Color,      // V = r, g, b, a
    TexCoord,   // V = s, t
    Material,   // A = face, B = pname, V = r, g, b, a
    LineWidth,  // V[0]
    PointSize,  // V[0]
    PushMatrix,
    PopMatrix,
    Translate,   // V = x, y, z
    Rotate,      // V = degrees, x, y, z
    Scale,       // V = x, y, z
    MultMatrix,  // A = index into Matrices()
    PushAttrib,  // A = mask
    PopAttrib,
    Enable,         // A = capability
    Disable,        // A = capability
    CullFace,       // A = face
    PolygonMode,    // A = face, B = mode
    RasterText,     // A = index into Texts()
    BindTexture,    // A = texture name (0 = none)
    TexImage,       // A = index into Images(); loads the bound texture
    TexParameter,   // B = pname, A = value
    TexEnv,         // A = environment mode
    DeleteTexture,  // A = texture name
    CallList,       // A = index into Lists()
};

// One recorded call: 40 bytes, so that a million segments stay compact.
struct TGLCall {
    TGLOp Op{};
    uint16_t B = 0;
    uint32_t A = 0;
    double V[4] = {};
};

// A texture image as GL receives it: RGB bytes, rows from the bottom up.
struct TGLImage {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint8_t> Rgb;
};

// Bitmap text hanging from a raster position. Font.lfHeight is in pixels
// (already scaled by the view scale); the raster position is raised along Z
// by (bitmap height + 1) * ZPerPixel once the bitmap's height is known.
struct TGLText {
    TFPoint Pos;
    TLogFontW Font;
    std::string Text;  // UTF-8
    double ZPerPixel = 0;
};

class TGLList {
public:
    const std::vector<TGLCall>& Calls() const { return fCalls; }
    const std::vector<TGLText>& Texts() const { return fTexts; }
    const std::vector<std::shared_ptr<const TGLImage>>& Images() const { return fImages; }
    const std::vector<TMatrix4>& Matrices() const { return fMatrices; }
    const std::vector<std::shared_ptr<const TGLList>>& Lists() const { return fLists; }
    bool Empty() const { return fCalls.empty(); }
    // Empties the list and keeps its memory for the next recording.
    void Clear();

private:
    friend class GL;
    std::vector<TGLCall> fCalls;
    std::vector<TGLText> fTexts;
    std::vector<std::shared_ptr<const TGLImage>> fImages;
    std::vector<TMatrix4> fMatrices;
    std::vector<std::shared_ptr<const TGLList>> fLists;
};

// The recorder. Method names and semantics follow OpenGL 1.1; the constants
// carry OpenGL's values so that a replay can pass them on unchanged.
class GL {
public:
    // Primitive modes.
    static constexpr uint32_t POINTS = 0, LINES = 1, LINE_LOOP = 2, LINE_STRIP = 3, TRIANGLES = 4,
                              TRIANGLE_STRIP = 5, TRIANGLE_FAN = 6, QUADS = 7, QUAD_STRIP = 8, POLYGON = 9;
    // Faces and polygon modes.
    static constexpr uint32_t FRONT = 0x0404, BACK = 0x0405, FRONT_AND_BACK = 0x0408;
    static constexpr uint32_t POINT = 0x1B00, LINE = 0x1B01, FILL = 0x1B02;
    // Capabilities.
    static constexpr uint32_t CULL_FACE = 0x0B44, NORMALIZE = 0x0BA1, TEXTURE_2D = 0x0DE1;
    // Attribute groups.
    static constexpr uint32_t CURRENT_BIT = 0x1, POINT_BIT = 0x2, LINE_BIT = 0x4, POLYGON_BIT = 0x8,
                              ENABLE_BIT = 0x2000, TEXTURE_BIT = 0x40000;
    static constexpr uint32_t AMBIENT_AND_DIFFUSE = 0x1602;
    // Texture parameters and environment.
    static constexpr uint32_t TEXTURE_MAG_FILTER = 0x2800, TEXTURE_MIN_FILTER = 0x2801,
                              TEXTURE_WRAP_S = 0x2802, TEXTURE_WRAP_T = 0x2803, NEAREST = 0x2600,
                              LINEAR = 0x2601, NEAREST_MIPMAP_LINEAR = 0x2702, CLAMP = 0x2900,
                              REPEAT = 0x2901, MODULATE = 0x2100, REPLACE = 0x1E01, DECAL = 0x2101;

    // The largest texture side the target GL accepts (hosts with a context
    // set it from GL_MAX_TEXTURE_SIZE before recording).
    int32_t MaxTextureSize = 2048;

    void Begin(uint32_t mode) { Add(TGLOp::Begin, mode); }
    void End() { Add(TGLOp::End); }
    void Vertex(double x, double y, double z) { Add(TGLOp::Vertex, 0, 0, x, y, z); }
    void Vertex(const TDPoint& p) { Vertex(p.X, p.Y, p.Z); }
    // Single-precision calls keep their rounding. They are out of line
    // because GCC 12's SLP vectoriser drops a double->float->double round
    // trip of neighbouring values when it can see both conversions.
    void Vertexf(float x, float y, float z);
    void Normal(double x, double y, double z) { Add(TGLOp::Normal, 0, 0, x, y, z); }
    void Color(float r, float g, float b, float a = 1) { Add(TGLOp::Color, 0, 0, r, g, b, a); }
    void TexCoord(double s, double t) { Add(TGLOp::TexCoord, 0, 0, s, t); }
    void Material(uint32_t face, uint32_t pname, float r, float g, float b, float a) {
        Add(TGLOp::Material, face, uint16_t(pname), r, g, b, a);
    }
    // GL keeps widths and sizes as singles.
    void LineWidth(double width);
    void PointSize(double size);

    void PushMatrix() { Add(TGLOp::PushMatrix); }
    void PopMatrix() { Add(TGLOp::PopMatrix); }
    void Translated(double x, double y, double z) { Add(TGLOp::Translate, 0, 0, x, y, z); }
    void Translatef(float x, float y, float z);
    void Rotated(double degrees, double x, double y, double z) { Add(TGLOp::Rotate, 0, 0, degrees, x, y, z); }
    void Rotatef(float degrees, float x, float y, float z);
    void Scaled(double x, double y, double z) { Add(TGLOp::Scale, 0, 0, x, y, z); }
    void MultMatrix(const TMatrix4& m);

    void PushAttrib(uint32_t mask) { Add(TGLOp::PushAttrib, mask); }
    void PopAttrib() { Add(TGLOp::PopAttrib); }
    void Enable(uint32_t cap) { Add(TGLOp::Enable, cap); }
    void Disable(uint32_t cap) { Add(TGLOp::Disable, cap); }
    void CullFace(uint32_t face) { Add(TGLOp::CullFace, face); }
    void PolygonMode(uint32_t face, uint32_t mode) { Add(TGLOp::PolygonMode, face, uint16_t(mode)); }

    // Bitmap text at the raster position pos (see TGLText).
    void RasterText(const TFPoint& pos, const TLogFontW& pixelFont, std::string text, double zPerPixel);

    // Texture names are local to the recording.
    uint32_t GenTexture() { return ++fLastTexture; }
    void BindTexture(uint32_t name) { Add(TGLOp::BindTexture, name); }
    void TexImage2D(TGLImage image);
    void TexParameteri(uint32_t pname, uint32_t value) { Add(TGLOp::TexParameter, value, uint16_t(pname)); }
    void TexEnvMode(uint32_t mode) { Add(TGLOp::TexEnv, mode); }
    void DeleteTexture(uint32_t name) { Add(TGLOp::DeleteTexture, name); }

    // Calls a list recorded earlier (glyphs, shared shapes).
    void CallList(std::shared_ptr<const TGLList> list);

    const TGLList& List() const { return fList; }
    // Hands the recording over and starts an empty one.
    TGLList TakeList();

    // Streams the recording instead of keeping it: whenever `chunk` calls
    // have been recorded they are handed over to the sink as a part of their
    // own, so a large scene never holds its whole call list. A part carries
    // the texts, images, matrices and lists its calls refer to, indexed
    // within the part. Flush hands over what was recorded since the last
    // part. The sink takes the part out of the list it is given; the list
    // it leaves there is emptied and recorded into next, so a sink may leave
    // the memory of a part it is done with.
    void StreamTo(std::function<void(TGLList&)> sink, size_t chunk = size_t(1) << 16);
    void Flush();
    // Ignores every later call: a sink whose scene is full says so, and the
    // rest of the drawing costs no more than running through it.
    void StopRecording() { fStopped = true; }

private:
    void Add(TGLOp op, uint32_t a = 0, uint16_t b = 0, double v0 = 0, double v1 = 0, double v2 = 0,
             double v3 = 0) {
        if (fStopped) return;
        fList.fCalls.push_back(TGLCall{op, b, a, {v0, v1, v2, v3}});
        if (fList.fCalls.size() >= fChunk) Flush();
    }
    bool fStopped = false;
    TGLList fList;
    uint32_t fLastTexture = 0;
    std::function<void(TGLList&)> fSink;
    size_t fChunk = SIZE_MAX;
};

}  // namespace tk3d
