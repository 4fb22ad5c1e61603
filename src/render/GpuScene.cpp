#include "GpuScene.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstddef>

namespace tk3d {

namespace {

// Concatenates the batches' vertices into one buffer and notes each range.
template <class TBatch, class TDraw, class TKey>
uint32_t UploadBatches(const std::vector<TBatch>& batches, std::vector<TDraw>& draws, TKey key) {
    size_t total = 0;
    for (const auto& b : batches) total += b.Vertices.size();
    if (total == 0) return 0;
    using TVertex = typename decltype(TBatch::Vertices)::value_type;
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(total * sizeof(TVertex)), nullptr, GL_STATIC_DRAW);
    size_t first = 0;
    for (const auto& b : batches) {
        if (b.Vertices.empty()) continue;
        glBufferSubData(GL_ARRAY_BUFFER, GLintptr(first * sizeof(TVertex)),
                        GLsizeiptr(b.Vertices.size() * sizeof(TVertex)), b.Vertices.data());
        draws.push_back({key(b), {int32_t(first), int32_t(b.Vertices.size())}});
        first += b.Vertices.size();
    }
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    return buffer;
}

void* Offset(size_t bytes) { return reinterpret_cast<void*>(bytes); }

}  // namespace

TGpuScene::TGpuScene(const TCompiledScene& scene, TTextRasterizer& rasterizer) {
    fTriangleBuffer =
        UploadBatches(scene.Triangles, fTriangles, [](const TTriangleBatch& b) { return b.State; });
    fLineBuffer = UploadBatches(scene.Lines, fLines, [](const TLineBatch& b) { return b.Width; });
    fPointBuffer = UploadBatches(scene.Points, fPoints, [](const TPointBatch& b) { return b.Size; });

    GLint oldAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &oldAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    fTextures.resize(scene.Textures.size());
    if (!fTextures.empty()) glGenTextures(GLsizei(fTextures.size()), fTextures.data());
    for (size_t i = 0; i < fTextures.size(); ++i) {
        const TSceneTexture& t = scene.Textures[i];
        glBindTexture(GL_TEXTURE_2D, fTextures[i]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GLint(t.MinFilter));
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GLint(t.MagFilter));
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GLint(t.WrapS));
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GLint(t.WrapT));
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, t.Image->Width, t.Image->Height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                     t.Image->Rgb.data());
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, oldAlignment);

    fTexts = std::make_unique<TTextLayer>(scene.Texts, rasterizer);
}

TGpuScene::~TGpuScene() {
    for (GLuint b : {fTriangleBuffer, fLineBuffer, fPointBuffer})
        if (b) glDeleteBuffers(1, &b);
    if (!fTextures.empty()) glDeleteTextures(GLsizei(fTextures.size()), fTextures.data());
}

void TGpuScene::DrawTriangles() const {
    if (fTriangles.empty()) return;
    glBindBuffer(GL_ARRAY_BUFFER, fTriangleBuffer);
    const GLsizei stride = sizeof(TTriangleVertex);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_EDGE_FLAG_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, stride, Offset(offsetof(TTriangleVertex, Pos)));
    glColorPointer(4, GL_UNSIGNED_BYTE, stride, Offset(offsetof(TTriangleVertex, Color)));
    glEdgeFlagPointer(stride, Offset(offsetof(TTriangleVertex, Edge)));
    glTexCoordPointer(2, GL_FLOAT, stride, Offset(offsetof(TTriangleVertex, Tex)));
    for (const TTriangleDraw& d : fTriangles) {
        const TTriangleState& s = d.State;
        if (s.CullEnabled)
            glEnable(GL_CULL_FACE);
        else
            glDisable(GL_CULL_FACE);
        glCullFace(s.CullFace);
        glPolygonMode(GL_FRONT, s.FrontMode);
        glPolygonMode(GL_BACK, s.BackMode);
        if (s.LineWidth > 0) glLineWidth(s.LineWidth);
        if (s.PointSize > 0) glPointSize(s.PointSize);
        const bool textured = s.Texture >= 0 && size_t(s.Texture) < fTextures.size();
        if (textured) {
            glEnable(GL_TEXTURE_2D);
            glBindTexture(GL_TEXTURE_2D, fTextures[size_t(s.Texture)]);
            glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GLint(s.TexEnv));
        }
        glDrawArrays(GL_TRIANGLES, d.Range.First, d.Range.Count);
        if (textured) {
            glBindTexture(GL_TEXTURE_2D, 0);
            glDisable(GL_TEXTURE_2D);
        }
    }
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_EDGE_FLAG_ARRAY);
    glDisable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}

void TGpuScene::DrawLines(uint32_t buffer, const std::vector<TLineDraw>& draws, bool points) const {
    if (draws.empty()) return;
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    const GLsizei stride = sizeof(TLineVertex);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, stride, Offset(offsetof(TLineVertex, Pos)));
    glColorPointer(4, GL_UNSIGNED_BYTE, stride, Offset(offsetof(TLineVertex, Color)));
    for (const TLineDraw& d : draws) {
        if (points)
            glPointSize(d.Size);
        else
            glLineWidth(d.Size);
        glDrawArrays(points ? GL_POINTS : GL_LINES, d.Range.First, d.Range.Count);
    }
}

void TGpuScene::Draw(const TTextViewport& textViewport) const {
    glPushAttrib(GL_POLYGON_BIT | GL_ENABLE_BIT | GL_LINE_BIT | GL_POINT_BIT | GL_TEXTURE_BIT |
                 GL_CURRENT_BIT);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    DrawTriangles();
    DrawLines(fLineBuffer, fLines, false);
    DrawLines(fPointBuffer, fPoints, true);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glPopClientAttrib();
    glPopAttrib();
    fTexts->Draw(textViewport);
}

}  // namespace tk3d
