#include "obj3d/CompiledScene.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace tk3d {

void TBox3::Add(double x, double y, double z) {
    if (IsEmpty()) {
        Min = Max = {x, y, z};
        return;
    }
    Min = {std::min(Min.X, x), std::min(Min.Y, y), std::min(Min.Z, z)};
    Max = {std::max(Max.X, x), std::max(Max.Y, y), std::max(Max.Z, z)};
}

int64_t TCompiledScene::TriangleCount() const {
    int64_t n = 0;
    for (const auto& b : Triangles) n += int64_t(b.Vertices.size() / 3);
    return n;
}

int64_t TCompiledScene::LineCount() const {
    int64_t n = 0;
    for (const auto& b : Lines) n += int64_t(b.Vertices.size() / 2);
    return n;
}

int64_t TCompiledScene::PointCount() const {
    int64_t n = 0;
    for (const auto& b : Points) n += int64_t(b.Vertices.size());
    return n;
}

namespace {

// OpenGL's guaranteed minimum depths; deeper pushes are errors there.
constexpr size_t kMaxMatrixDepth = 32;
constexpr size_t kMaxAttribDepth = 16;
constexpr int kMaxListNesting = 64;

uint8_t ToByte(double c) {
    if (!(c > 0)) return 0;
    if (c >= 1) return 255;
    return uint8_t(std::lround(c * 255.0));
}

// The part of the GL state that PushAttrib saves.
struct TAttribState {
    double Color[4] = {1, 1, 1, 1};
    double Tex[2] = {0, 0};
    float LineWidth = 1;
    float PointSize = 1;
    bool Cull = false;
    bool Texture2D = false;
    bool Normalize = false;
    uint32_t CullFace = GL::BACK;
    uint32_t FrontMode = GL::FILL;
    uint32_t BackMode = GL::FILL;
    uint32_t TexEnv = GL::MODULATE;
    uint32_t BoundTexture = 0;
};

void RestoreMasked(TAttribState& s, const TAttribState& saved, uint32_t mask) {
    if (mask & GL::CURRENT_BIT) {
        std::copy(std::begin(saved.Color), std::end(saved.Color), s.Color);
        s.Tex[0] = saved.Tex[0];
        s.Tex[1] = saved.Tex[1];
    }
    if (mask & GL::POINT_BIT) s.PointSize = saved.PointSize;
    if (mask & GL::LINE_BIT) s.LineWidth = saved.LineWidth;
    if (mask & GL::POLYGON_BIT) {
        s.Cull = saved.Cull;
        s.CullFace = saved.CullFace;
        s.FrontMode = saved.FrontMode;
        s.BackMode = saved.BackMode;
    }
    if (mask & GL::ENABLE_BIT) {
        s.Cull = saved.Cull;
        s.Texture2D = saved.Texture2D;
        s.Normalize = saved.Normalize;
    }
    if (mask & GL::TEXTURE_BIT) {
        s.Texture2D = saved.Texture2D;
        s.TexEnv = saved.TexEnv;
        s.BoundTexture = saved.BoundTexture;
    }
}

// Vertex arrays of large scenes run to hundreds of megabytes. Growing one
// array copies every vertex already written into memory the system must
// first supply, so a batch that reaches this many vertices goes on in a new
// batch of the same state placed right after it (drawn next, so the order
// of the triangles is unchanged), allocated at its full size at once.
constexpr size_t kSegmentVertices = size_t(1) << 20;

// A vertex of the primitive being built: its world position for the
// bounding box, and the vertex as it is emitted (the edge flag is set per
// triangle).
struct TPrimVertex {
    TDPoint Pos;
    TTriangleVertex Out;
};

// A texture object of the recording. Names are local to their list; the
// parts of a streamed recording share one name space.
struct TTextureObject {
    std::shared_ptr<const TGLImage> Image;
    TSceneTexture Params;
    int32_t SceneIndex = -1;  // entry made for the current image and params
};

class TCompiler {
public:
    TCompiledScene Scene;

    explicit TCompiler(size_t maxBytes = kMaxSceneBytes) : fBytesLeft(maxBytes) {}

    bool Full() const { return fBytesLeft == 0; }

    // `space` is the name space of the list's texture names.
    void Run(const TGLList& list, int depth, const void* space) {
        if (depth > kMaxListNesting) return;
        // Past the limit the rest of the recording is left out whole, texts
        // included, so what is drawn is the recording's beginning (the
        // primitive that reached it may overshoot).
        for (const TGLCall& c : list.Calls()) {
            if (Full()) return;
            Execute(list, c, depth, space);
        }
    }

private:
    TAttribState fState;
    std::vector<std::pair<uint32_t, TAttribState>> fAttribStack;
    std::vector<TMatrix4> fMatrices{TMatrix4::Identity()};
    bool fInBegin = false;
    uint32_t fMode = 0;
    std::vector<TPrimVertex> fPrim;
    std::map<std::pair<const void*, uint32_t>, TTextureObject> fTextures;
    const void* fBoundSpace = nullptr;  // name space BoundTexture is in
    std::map<float, size_t> fLineBatch, fPointBatch;
    std::vector<TTriangleState> fTriangleStates;
    // What every vertex takes from the current state (texture coordinate,
    // colour), worked out again only after the state changed.
    TTriangleVertex fVertexState{};
    bool fVertexStateStale = true;
    // Vertex memory the scene may still take (see kMaxSceneBytes).
    size_t fBytesLeft;

    const TMatrix4& Top() const { return fMatrices.back(); }

    void Execute(const TGLList& list, const TGLCall& c, int depth, const void* space) {
        // Inside Begin/End GL accepts only per-vertex calls (and lists).
        if (fInBegin) {
            switch (c.Op) {
                case TGLOp::Vertex:
                case TGLOp::Normal:
                case TGLOp::Color:
                case TGLOp::TexCoord:
                case TGLOp::Material:
                case TGLOp::End:
                case TGLOp::CallList:
                    break;
                default:
                    return;
            }
        }
        switch (c.Op) {
            case TGLOp::Begin:
                if (c.A <= GL::POLYGON) {
                    fInBegin = true;
                    fMode = c.A;
                    fPrim.clear();
                }
                break;
            case TGLOp::End:
                if (fInBegin) FlushPrimitive();
                fInBegin = false;
                break;
            case TGLOp::Vertex:
                if (fInBegin) AddVertex(c.V[0], c.V[1], c.V[2]);
                break;
            case TGLOp::Color:
                std::copy(c.V, c.V + 4, fState.Color);
                fVertexStateStale = true;
                break;
            case TGLOp::TexCoord:
                fState.Tex[0] = c.V[0];
                fState.Tex[1] = c.V[1];
                fVertexStateStale = true;
                break;
            case TGLOp::Normal:  // the views draw without lighting
            case TGLOp::Material:
                break;
            case TGLOp::LineWidth:
                if (c.V[0] > 0) fState.LineWidth = float(c.V[0]);
                break;
            case TGLOp::PointSize:
                if (c.V[0] > 0) fState.PointSize = float(c.V[0]);
                break;
            case TGLOp::PushMatrix:
                if (fMatrices.size() < kMaxMatrixDepth) fMatrices.push_back(Top());
                break;
            case TGLOp::PopMatrix:
                if (fMatrices.size() > 1) fMatrices.pop_back();
                break;
            case TGLOp::Translate:
                fMatrices.back() = Top() * TMatrix4::Translation(c.V[0], c.V[1], c.V[2]);
                break;
            case TGLOp::Rotate:
                fMatrices.back() = Top() * TMatrix4::Rotation(c.V[0], c.V[1], c.V[2], c.V[3]);
                break;
            case TGLOp::Scale:
                fMatrices.back() = Top() * TMatrix4::Scaling(c.V[0], c.V[1], c.V[2]);
                break;
            case TGLOp::MultMatrix:
                if (c.A < list.Matrices().size()) fMatrices.back() = Top() * list.Matrices()[c.A];
                break;
            case TGLOp::PushAttrib:
                if (fAttribStack.size() < kMaxAttribDepth) fAttribStack.emplace_back(c.A, fState);
                break;
            case TGLOp::PopAttrib:
                if (!fAttribStack.empty()) {
                    RestoreMasked(fState, fAttribStack.back().second, fAttribStack.back().first);
                    fAttribStack.pop_back();
                    fVertexStateStale = true;
                }
                break;
            case TGLOp::Enable:
            case TGLOp::Disable:
                SetCapability(c.A, c.Op == TGLOp::Enable);
                break;
            case TGLOp::CullFace:
                if (c.A == GL::FRONT || c.A == GL::BACK || c.A == GL::FRONT_AND_BACK) fState.CullFace = c.A;
                break;
            case TGLOp::PolygonMode:
                SetPolygonMode(c.A, c.B);
                break;
            case TGLOp::RasterText:
                if (c.A < list.Texts().size()) AddText(list.Texts()[c.A]);
                break;
            case TGLOp::BindTexture:
                fState.BoundTexture = c.A;
                fBoundSpace = space;
                break;
            case TGLOp::TexImage:
                if (c.A < list.Images().size() && fState.BoundTexture != 0) {
                    TTextureObject& t = BoundTextureObject();
                    t.Image = list.Images()[c.A];
                    t.SceneIndex = -1;
                }
                break;
            case TGLOp::TexParameter:
                if (fState.BoundTexture != 0) SetTexParameter(BoundTextureObject(), c.B, c.A);
                break;
            case TGLOp::TexEnv:
                fState.TexEnv = c.A;
                break;
            case TGLOp::DeleteTexture:
                fTextures.erase({space, c.A});
                if (fBoundSpace == space && fState.BoundTexture == c.A) fState.BoundTexture = 0;
                break;
            case TGLOp::CallList:
                if (c.A < list.Lists().size()) {
                    const TGLList& called = *list.Lists()[c.A];
                    Run(called, depth + 1, &called);
                }
                break;
        }
    }

    TTextureObject& BoundTextureObject() { return fTextures[{fBoundSpace, fState.BoundTexture}]; }

    void SetCapability(uint32_t cap, bool on) {
        if (cap == GL::CULL_FACE) fState.Cull = on;
        if (cap == GL::TEXTURE_2D) fState.Texture2D = on;
        if (cap == GL::NORMALIZE) fState.Normalize = on;
    }

    void SetPolygonMode(uint32_t face, uint32_t mode) {
        if (mode != GL::POINT && mode != GL::LINE && mode != GL::FILL) return;
        if (face == GL::FRONT || face == GL::FRONT_AND_BACK) fState.FrontMode = mode;
        if (face == GL::BACK || face == GL::FRONT_AND_BACK) fState.BackMode = mode;
    }

    static void SetTexParameter(TTextureObject& t, uint32_t pname, uint32_t value) {
        if (pname == GL::TEXTURE_MIN_FILTER) t.Params.MinFilter = value;
        if (pname == GL::TEXTURE_MAG_FILTER) t.Params.MagFilter = value;
        if (pname == GL::TEXTURE_WRAP_S) t.Params.WrapS = value;
        if (pname == GL::TEXTURE_WRAP_T) t.Params.WrapT = value;
        t.SceneIndex = -1;
    }

    // Index of the texture a textured primitive uses now, or -1 when
    // texturing is off or the texture is incomplete (no image, or a
    // mipmapping filter without mipmaps).
    int32_t ActiveTexture() {
        if (!fState.Texture2D || fState.BoundTexture == 0 || !fBoundSpace) return -1;
        auto it = fTextures.find({fBoundSpace, fState.BoundTexture});
        if (it == fTextures.end()) return -1;
        TTextureObject& t = it->second;
        const TGLImage* img = t.Image.get();
        if (!img || img->Width <= 0 || img->Height <= 0 ||
            img->Rgb.size() != size_t(img->Width) * size_t(img->Height) * 3)
            return -1;
        if (t.Params.MinFilter != GL::NEAREST && t.Params.MinFilter != GL::LINEAR) return -1;
        if (t.SceneIndex < 0) {
            TSceneTexture st = t.Params;
            st.Image = t.Image;
            Scene.Textures.push_back(std::move(st));
            t.SceneIndex = int32_t(Scene.Textures.size() - 1);
        }
        return t.SceneIndex;
    }

    void UpdateVertexState() {
        TTriangleVertex& v = fVertexState;
        v = {};
        v.Tex[0] = float(fState.Tex[0]);
        v.Tex[1] = float(fState.Tex[1]);
        for (int i = 0; i < 4; ++i) v.Color[i] = ToByte(fState.Color[i]);
        fVertexStateStale = false;
    }

    void AddVertex(double x, double y, double z) {
        if (fVertexStateStale) UpdateVertexState();
        TPrimVertex& v = fPrim.emplace_back();
        v.Pos = Top().TransformPoint({x, y, z});
        v.Out = fVertexState;
        v.Out.Pos[0] = float(v.Pos.X);
        v.Out.Pos[1] = float(v.Pos.Y);
        v.Out.Pos[2] = float(v.Pos.Z);
    }

    void AddText(const TGLText& t) {
        TSceneText st;
        st.Anchor = Top().TransformPoint({t.Pos.X, t.Pos.Y, t.Pos.Z});
        st.Up = Top().TransformVector({0, 0, t.ZPerPixel});
        for (int i = 0; i < 4; ++i) st.Color[i] = ToByte(fState.Color[i]);
        st.Font = t.Font;
        st.Text = t.Text;
        Scene.Box.Add(st.Anchor.X, st.Anchor.Y, st.Anchor.Z);
        Scene.Texts.push_back(std::move(st));
    }

    // The batch of the current line width (point size) with room for
    // `count` more vertices; the index maps each size to its last batch.
    template <class TBatch>
    std::vector<TLineVertex>& LineBatch(std::vector<TBatch>& batches, std::map<float, size_t>& index,
                                        float size, size_t count) {
        auto it = index.find(size);
        if (it == index.end()) {
            index[size] = batches.size();
            batches.push_back({size, {}});
            return batches.back().Vertices;
        }
        const size_t at = it->second;
        if (HasRoom(batches[at].Vertices, count)) return batches[at].Vertices;
        batches.insert(batches.begin() + std::ptrdiff_t(at + 1), TBatch{size, {}});
        for (auto& [other, i] : index) i += i > at ? 1 : 0;
        it->second = at + 1;
        batches[at + 1].Vertices.reserve(kSegmentVertices);
        return batches[at + 1].Vertices;
    }

    template <class T>
    static bool HasRoom(const std::vector<T>& v, size_t count) {
        return v.empty() || v.size() + count <= kSegmentVertices;
    }

    // The batch of the current state with room for `count` more vertices.
    std::vector<TTriangleVertex>& TriangleBatch(size_t count) {
        TTriangleState s;
        s.CullEnabled = fState.Cull;
        s.CullFace = fState.CullFace;
        s.FrontMode = fState.FrontMode;
        s.BackMode = fState.BackMode;
        const bool lines = s.FrontMode == GL::LINE || s.BackMode == GL::LINE;
        const bool points = s.FrontMode == GL::POINT || s.BackMode == GL::POINT;
        s.LineWidth = lines ? fState.LineWidth : 0;
        s.PointSize = points ? fState.PointSize : 0;
        s.Texture = ActiveTexture();
        s.TexEnv = s.Texture >= 0 ? fState.TexEnv : GL::MODULATE;
        auto it = std::find(fTriangleStates.begin(), fTriangleStates.end(), s);
        if (it == fTriangleStates.end()) {
            fTriangleStates.push_back(s);
            Scene.Triangles.push_back({s, {}});
            return Scene.Triangles.back().Vertices;
        }
        // The last batch of this state, or a new one after it.
        size_t at = size_t(it - fTriangleStates.begin());
        while (at + 1 < fTriangleStates.size() && fTriangleStates[at + 1] == s) ++at;
        if (HasRoom(Scene.Triangles[at].Vertices, count)) return Scene.Triangles[at].Vertices;
        fTriangleStates.insert(fTriangleStates.begin() + std::ptrdiff_t(at + 1), s);
        Scene.Triangles.insert(Scene.Triangles.begin() + std::ptrdiff_t(at + 1), TTriangleBatch{s, {}});
        Scene.Triangles[at + 1].Vertices.reserve(kSegmentVertices);
        return Scene.Triangles[at + 1].Vertices;
    }

    void EmitLine(std::vector<TLineVertex>& out, const TPrimVertex& v) {
        TLineVertex lv{{v.Out.Pos[0], v.Out.Pos[1], v.Out.Pos[2]}, {}};
        std::copy(v.Out.Color, v.Out.Color + 4, lv.Color);
        out.push_back(lv);
        Spend(sizeof lv);
    }

    void EmitTriangle(std::vector<TTriangleVertex>& out, size_t a, size_t b, size_t c, bool ea, bool eb,
                      bool ec) {
        for (const auto& [k, edge] : {std::pair{a, ea}, std::pair{b, eb}, std::pair{c, ec}}) {
            out.push_back(fPrim[k].Out);
            out.back().Edge = edge ? 1 : 0;
        }
        Spend(3 * sizeof(TTriangleVertex));
    }

    void Spend(size_t bytes) {
        fBytesLeft -= std::min(bytes, fBytesLeft);
        if (Full()) Scene.Truncated = true;
    }

    // The vertices a primitive of n uses: whole lines, triangles and quads;
    // the rest are left out as GL leaves them out.
    size_t UsedVertices(size_t n) const {
        switch (fMode) {
            case GL::POINTS:
                return n;
            case GL::LINES:
                return n < 2 ? 0 : n - n % 2;
            case GL::LINE_STRIP:
            case GL::LINE_LOOP:
                return n < 2 ? 0 : n;
            case GL::TRIANGLES:
                return n < 3 ? 0 : n - n % 3;
            case GL::QUADS:
                return n < 4 ? 0 : n - n % 4;
            case GL::QUAD_STRIP:
                return n < 4 ? 0 : n - n % 2;
            default:  // strips, fans, polygons
                return n < 3 ? 0 : n;
        }
    }

    // A quad a, b, c, d as two triangles whose shared diagonal is hidden.
    void EmitQuad(std::vector<TTriangleVertex>& out, size_t a, size_t b, size_t c, size_t d) {
        EmitTriangle(out, a, b, c, true, true, false);
        EmitTriangle(out, a, c, d, false, true, true);
    }

    void FlushPrimitive() {
        const size_t n = fPrim.size();
        for (size_t i = 0, used = UsedVertices(n); i < used; ++i)
            Scene.Box.Add(fPrim[i].Pos.X, fPrim[i].Pos.Y, fPrim[i].Pos.Z);
        switch (fMode) {
            case GL::POINTS: {
                if (n == 0) break;
                auto& out = LineBatch(Scene.Points, fPointBatch, fState.PointSize, n);
                for (const auto& v : fPrim) EmitLine(out, v);
                break;
            }
            case GL::LINES:
            case GL::LINE_STRIP:
            case GL::LINE_LOOP: {
                if (n < 2) break;
                const size_t count = fMode == GL::LINES        ? n - n % 2
                                     : fMode == GL::LINE_STRIP ? 2 * (n - 1)
                                                               : 2 * n;
                auto& out = LineBatch(Scene.Lines, fLineBatch, fState.LineWidth, count);
                if (fMode == GL::LINES) {
                    for (size_t i = 0; i + 1 < n; i += 2) {
                        EmitLine(out, fPrim[i]);
                        EmitLine(out, fPrim[i + 1]);
                    }
                    break;
                }
                for (size_t i = 1; i < n; ++i) {
                    EmitLine(out, fPrim[i - 1]);
                    EmitLine(out, fPrim[i]);
                }
                if (fMode == GL::LINE_LOOP) {
                    EmitLine(out, fPrim[n - 1]);
                    EmitLine(out, fPrim[0]);
                }
                break;
            }
            case GL::TRIANGLES: {
                if (n < 3) break;
                auto& out = TriangleBatch(n - n % 3);
                for (size_t i = 0; i + 2 < n; i += 3) EmitTriangle(out, i, i + 1, i + 2, true, true, true);
                break;
            }
            case GL::TRIANGLE_STRIP: {
                if (n < 3) break;
                auto& out = TriangleBatch(3 * (n - 2));
                for (size_t i = 0; i + 2 < n; ++i) {
                    if (i % 2 == 0)
                        EmitTriangle(out, i, i + 1, i + 2, true, true, true);
                    else
                        EmitTriangle(out, i + 1, i, i + 2, true, true, true);
                }
                break;
            }
            case GL::TRIANGLE_FAN: {
                if (n < 3) break;
                auto& out = TriangleBatch(3 * (n - 2));
                for (size_t i = 2; i < n; ++i) EmitTriangle(out, 0, i - 1, i, true, true, true);
                break;
            }
            case GL::QUADS: {
                if (n < 4) break;
                auto& out = TriangleBatch(6 * (n / 4));
                for (size_t i = 0; i + 3 < n; i += 4) EmitQuad(out, i, i + 1, i + 2, i + 3);
                break;
            }
            case GL::QUAD_STRIP: {
                if (n < 4) break;
                auto& out = TriangleBatch(6 * ((n - 2) / 2));
                for (size_t i = 0; i + 3 < n; i += 2) EmitQuad(out, i, i + 1, i + 3, i + 2);
                break;
            }
            case GL::POLYGON: {
                if (n < 3) break;
                auto& out = TriangleBatch(3 * (n - 2));
                for (size_t i = 2; i < n; ++i) EmitTriangle(out, 0, i - 1, i, i == 2, true, i == n - 1);
                break;
            }
        }
        fPrim.clear();
    }
};

}  // namespace

TCompiledScene CompileScene(const TGLList& list) {
    TCompiler compiler;
    compiler.Run(list, 0, &list);
    return std::move(compiler.Scene);
}

struct TSceneCompiler::TState {
    explicit TState(size_t maxBytes) : Compiler(maxBytes) {}
    TCompiler Compiler;
    // Called lists stay alive while the compilation runs: texture names
    // are keyed by their list's address, which must not be reused.
    std::vector<std::shared_ptr<const TGLList>> CalledLists;
};

TSceneCompiler::TSceneCompiler(size_t maxBytes) : fState(std::make_unique<TState>(maxBytes)) {}

TSceneCompiler::~TSceneCompiler() = default;

void TSceneCompiler::Add(const TGLList& part) {
    fState->Compiler.Run(part, 0, fState.get());
    fState->CalledLists.insert(fState->CalledLists.end(), part.Lists().begin(), part.Lists().end());
}

bool TSceneCompiler::Full() const { return fState->Compiler.Full(); }

TCompiledScene TSceneCompiler::Finish() { return std::move(fState->Compiler.Scene); }

}  // namespace tk3d
