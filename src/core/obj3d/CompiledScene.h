// A recorded display list flattened into world-space batches grouped by GL
// state, ready for vertex buffers: a renderer uploads it once and a frame
// only sets the view matrices and draws the batches.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "obj3d/GL.h"

namespace tk3d {

// Vertex of a triangle. Edge is false on the inner edges that splitting
// quads and polygons into triangles adds, so outline modes show the edges
// GL would show. The views draw without lighting, so normals would not
// change a pixel: they are not kept, which saves a third of the memory of
// a large scene.
struct TTriangleVertex {
    float Pos[3];
    float Tex[2];
    uint8_t Color[4];
    uint8_t Edge;
    uint8_t Padding[3];
};
static_assert(sizeof(TTriangleVertex) == 28);

// Vertex of a line or point.
struct TLineVertex {
    float Pos[3];
    uint8_t Color[4];
};
static_assert(sizeof(TLineVertex) == 16);

// The state a triangle batch is drawn with. Line width and point size only
// matter when a face is drawn as outline or points; they are 0 otherwise so
// that filled batches merge.
struct TTriangleState {
    bool CullEnabled = false;
    uint32_t CullFace = GL::BACK;
    uint32_t FrontMode = GL::FILL;
    uint32_t BackMode = GL::FILL;
    float LineWidth = 0;
    float PointSize = 0;
    int32_t Texture = -1;  // index into TCompiledScene::Textures, -1 = none
    uint32_t TexEnv = GL::MODULATE;
    bool operator==(const TTriangleState&) const = default;
};

struct TTriangleBatch {
    TTriangleState State;
    std::vector<TTriangleVertex> Vertices;  // three per triangle
};

struct TLineBatch {
    float Width = 1;
    std::vector<TLineVertex> Vertices;  // two per segment
};

struct TPointBatch {
    float Size = 1;
    std::vector<TLineVertex> Vertices;
};

// A bitmap text in world space: its raster position is Anchor raised by
// Up * (bitmap height + 1).
struct TSceneText {
    TDPoint Anchor;
    TDPoint Up;
    uint8_t Color[4];
    TLogFontW Font;  // lfHeight in pixels
    std::string Text;
};

struct TSceneTexture {
    std::shared_ptr<const TGLImage> Image;
    uint32_t MinFilter = GL::NEAREST_MIPMAP_LINEAR;
    uint32_t MagFilter = GL::LINEAR;
    uint32_t WrapS = GL::REPEAT;
    uint32_t WrapT = GL::REPEAT;
    bool operator==(const TSceneTexture&) const = default;
};

struct TBox3 {
    TDPoint Min{1, 1, 1};
    TDPoint Max{0, 0, 0};
    bool IsEmpty() const { return Min.X > Max.X; }
    void Add(double x, double y, double z);
};

// One batch per state, drawn in order; a state with more than about a
// million vertices continues in further batches of the same state right
// after its first, so that no array has to grow by copying.
struct TCompiledScene {
    std::vector<TTriangleBatch> Triangles;
    std::vector<TLineBatch> Lines;
    std::vector<TPointBatch> Points;
    std::vector<TSceneText> Texts;
    std::vector<TSceneTexture> Textures;
    TBox3 Box;
    // The scene reached its size limit: what came after was left out.
    bool Truncated = false;

    int64_t TriangleCount() const;
    int64_t LineCount() const;
    int64_t PointCount() const;
    int64_t TextCount() const { return int64_t(Texts.size()); }
};

// The most vertex memory a scene takes. A file can make every one of its
// objects draw its most (thousands of ties per rail line, thousands of
// points per arc), so a small file could ask for gigabytes: once a scene
// holds this much, later primitives are left out and Truncated is set.
// A layout of 50,000 track pieces with ties needs about 570 MB.
inline constexpr size_t kMaxSceneBytes = size_t(2) << 30;

// Flattens a recording as OpenGL would execute it from an identity
// model-view matrix and the initial GL state. Calls that GL rejects
// (state changes between Begin and End, stack overflow and underflow,
// nesting beyond 64 lists) are ignored as GL ignores them.
TCompiledScene CompileScene(const TGLList& list);

// The same for a recording handed over in parts (GL::StreamTo): the GL
// state and the texture names carry on from one part to the next, so the
// result is the scene CompileScene makes of the whole recording.
class TSceneCompiler {
public:
    explicit TSceneCompiler(size_t maxBytes = kMaxSceneBytes);
    ~TSceneCompiler();
    TSceneCompiler(const TSceneCompiler&) = delete;
    TSceneCompiler& operator=(const TSceneCompiler&) = delete;

    void Add(const TGLList& part);
    // The scene holds its limit: further parts would be left out.
    bool Full() const;
    TCompiledScene Finish();

private:
    struct TState;
    std::unique_ptr<TState> fState;
};

}  // namespace tk3d
