#include "TextLayer.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>

#include "layoutfile/Errors.h"
#include "obj3d/TextBitmap.h"

namespace tk3d {

namespace {

const char* kVertexShader = R"(#version 120
attribute vec3 aAnchor;
attribute vec2 aCorner;
attribute vec2 aUv;
attribute vec4 aColor;
uniform mat4 uTile;
uniform mat4 uImage;
uniform vec2 uSize;
varying vec2 vUv;
varying vec4 vColor;
void main() {
    vUv = aUv;
    vColor = aColor;
    vec4 image = uImage * vec4(aAnchor, 1.0);
    // A raster position outside the view volume is invalid: nothing drawn.
    if (image.w <= 0.0 || any(greaterThan(abs(image.xyz), vec3(image.w)))) {
        gl_Position = vec4(0.0, 0.0, 2.0, 1.0);
        return;
    }
    vec4 c = uTile * vec4(aAnchor, 1.0);
    vec2 window = floor((c.xy / c.w * 0.5 + 0.5) * uSize) + aCorner;
    gl_Position = vec4(window / uSize * 2.0 - 1.0, c.z / c.w, 1.0);
}
)";

const char* kFragmentShader = R"(#version 120
uniform sampler2D uAtlas;
varying vec2 vUv;
varying vec4 vColor;
void main() {
    if (texture2D(uAtlas, vUv).r < 0.5) discard;
    gl_FragColor = vColor;
}
)";

struct TTextVertex {
    float Anchor[3];
    float Corner[2];
    float Uv[2];
    uint8_t Color[4];
};

GLuint CompileShader(GLenum type, const char* source) {
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[1024] = {};
        glGetShaderInfoLog(shader, sizeof log - 1, nullptr, log);
        glDeleteShader(shader);
        throw ETk3dError(std::string("OpenGL: Shader für Texte nicht übersetzbar: ") + log);
    }
    return shader;
}

GLuint LinkTextProgram() {
    const GLuint vs = CompileShader(GL_VERTEX_SHADER, kVertexShader);
    const GLuint fs = CompileShader(GL_FRAGMENT_SHADER, kFragmentShader);
    const GLuint program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glBindAttribLocation(program, 0, "aAnchor");
    glBindAttribLocation(program, 1, "aCorner");
    glBindAttribLocation(program, 2, "aUv");
    glBindAttribLocation(program, 3, "aColor");
    glLinkProgram(program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint ok = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (!ok) {
        glDeleteProgram(program);
        throw ETk3dError("OpenGL: Shader für Texte nicht bindbar");
    }
    return program;
}

// A place in the atlas.
struct TSlot {
    int32_t Page = 0, X = 0, Y = 0, W = 0, H = 0;
};

// Shelf packing of text bitmaps into pages no larger than GL allows.
class TAtlasPacker {
public:
    TAtlasPacker(int32_t pageWidth, int32_t pageHeight) : fW(pageWidth), fH(pageHeight) {}

    TSlot Place(int32_t w, int32_t h) {
        w = std::min(w, fW);
        h = std::min(h, fH);
        if (fX + w > fW) NextShelf();
        if (fY + h > fH) {
            ++fPage;
            fX = fY = fShelf = 0;
            fUsed.push_back(0);
        }
        TSlot s{fPage, fX, fY, w, h};
        fX += w;
        fShelf = std::max(fShelf, h);
        fUsed.back() = std::max(fUsed.back(), fY + h);
        return s;
    }
    int32_t PageWidth() const { return fW; }
    const std::vector<int32_t>& UsedHeights() const { return fUsed; }

private:
    void NextShelf() {
        fY += fShelf;
        fX = fShelf = 0;
    }
    int32_t fW, fH;
    int32_t fX = 0, fY = 0, fShelf = 0, fPage = 0;
    std::vector<int32_t> fUsed{0};
};

}  // namespace

TTextLayer::TTextLayer(const std::vector<TSceneText>& texts, TTextRasterizer& rasterizer) {
    if (texts.empty()) return;
    // Identical labels share one bitmap.
    std::map<std::pair<std::string, std::string>, size_t> known;
    std::vector<TTextBitmap> bitmaps;
    std::vector<size_t> bitmapOf(texts.size());
    int32_t widest = 1;
    for (size_t i = 0; i < texts.size(); ++i) {
        std::string fontKey(sizeof(TLogFontW), '\0');
        std::memcpy(fontKey.data(), &texts[i].Font, sizeof(TLogFontW));
        auto [it, fresh] = known.emplace(std::make_pair(fontKey, texts[i].Text), bitmaps.size());
        if (fresh) {
            bitmaps.push_back(rasterizer.Render(texts[i].Font, texts[i].Text));
            widest = std::max(widest, bitmaps.back().Width);
        }
        bitmapOf[i] = it->second;
    }

    GLint maxTexture = 1024;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTexture);
    const int32_t pageW = std::min<int32_t>(maxTexture, std::max(1024, widest));
    const int32_t pageH = std::min<int32_t>(maxTexture, 4096);
    TAtlasPacker packer(pageW, pageH);
    std::vector<TSlot> slots;
    slots.reserve(bitmaps.size());
    for (const TTextBitmap& b : bitmaps)
        slots.push_back(b.Width > 0 && b.Height > 0 ? packer.Place(b.Width, b.Height) : TSlot{});

    // Page images, then one texture per page.
    const size_t pageCount = packer.UsedHeights().size();
    std::vector<std::vector<uint8_t>> pages(pageCount);
    for (size_t p = 0; p < pageCount; ++p)
        pages[p].assign(size_t(pageW) * size_t(std::max(packer.UsedHeights()[p], 1)), 0);
    for (size_t b = 0; b < bitmaps.size(); ++b) {
        const TSlot& s = slots[b];
        for (int32_t y = 0; y < s.H; ++y)
            for (int32_t x = 0; x < s.W; ++x)
                if (bitmaps[b].Mask[size_t(y) * size_t(bitmaps[b].Width) + size_t(x)])
                    pages[size_t(s.Page)][size_t(s.Y + y) * size_t(pageW) + size_t(s.X + x)] = 255;
    }

    // Quads sorted by page so that each page is one draw call.
    std::vector<std::vector<TTextVertex>> quads(pageCount);
    for (size_t i = 0; i < texts.size(); ++i) {
        const TSlot& s = slots[bitmapOf[i]];
        if (s.W == 0 || s.H == 0) continue;
        const TSceneText& t = texts[i];
        const double raise = double(bitmaps[bitmapOf[i]].Height) + 1;
        const float anchor[3] = {float(t.Anchor.X + t.Up.X * raise), float(t.Anchor.Y + t.Up.Y * raise),
                                 float(t.Anchor.Z + t.Up.Z * raise)};
        const float ph = float(std::max(packer.UsedHeights()[size_t(s.Page)], 1));
        const float u0 = float(s.X) / float(pageW), u1 = float(s.X + s.W) / float(pageW);
        const float v0 = float(s.Y) / ph, v1 = float(s.Y + s.H) / ph;
        // The bitmap hangs from the raster position: its top edge is there.
        const TTextVertex corners[4] = {
            {{anchor[0], anchor[1], anchor[2]}, {0, float(-s.H)}, {u0, v1}, {}},
            {{anchor[0], anchor[1], anchor[2]}, {float(s.W), float(-s.H)}, {u1, v1}, {}},
            {{anchor[0], anchor[1], anchor[2]}, {float(s.W), 0}, {u1, v0}, {}},
            {{anchor[0], anchor[1], anchor[2]}, {0, 0}, {u0, v0}, {}},
        };
        for (int k : {0, 1, 2, 0, 2, 3}) {
            TTextVertex v = corners[k];
            std::memcpy(v.Color, t.Color, 4);
            quads[size_t(s.Page)].push_back(v);
        }
    }
    std::vector<TTextVertex> all;
    for (size_t p = 0; p < pageCount; ++p) {
        fPageFirst.push_back(int32_t(all.size()));
        fPageCount.push_back(int32_t(quads[p].size()));
        all.insert(all.end(), quads[p].begin(), quads[p].end());
    }
    fVertexCount = int32_t(all.size());
    if (fVertexCount == 0) return;

    fProgram = LinkTextProgram();
    glGenBuffers(1, &fBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, fBuffer);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(all.size() * sizeof(TTextVertex)), all.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    GLint oldAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &oldAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    fPages.resize(pageCount);
    glGenTextures(GLsizei(pageCount), fPages.data());
    for (size_t p = 0; p < pageCount; ++p) {
        glBindTexture(GL_TEXTURE_2D, fPages[p]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE, pageW, GLsizei(pages[p].size() / size_t(pageW)), 0,
                     GL_LUMINANCE, GL_UNSIGNED_BYTE, pages[p].data());
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, oldAlignment);
}

TTextLayer::~TTextLayer() {
    if (!fPages.empty()) glDeleteTextures(GLsizei(fPages.size()), fPages.data());
    if (fBuffer) glDeleteBuffers(1, &fBuffer);
    if (fProgram) glDeleteProgram(fProgram);
}

void TTextLayer::Draw(const TTextViewport& viewport) const {
    if (fVertexCount == 0) return;
    float tile[16], image[16];
    for (int i = 0; i < 16; ++i) {
        tile[i] = float(viewport.TileMVP.m[size_t(i)]);
        image[i] = float(viewport.ImageMVP.m[size_t(i)]);
    }
    // Bitmaps are neither culled, offset nor drawn as outlines.
    glPushAttrib(GL_POLYGON_BIT | GL_ENABLE_BIT | GL_TEXTURE_BIT);
    glDisable(GL_CULL_FACE);
    glDisable(GL_POLYGON_OFFSET_FILL);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glUseProgram(fProgram);
    glUniformMatrix4fv(glGetUniformLocation(fProgram, "uTile"), 1, GL_FALSE, tile);
    glUniformMatrix4fv(glGetUniformLocation(fProgram, "uImage"), 1, GL_FALSE, image);
    glUniform2f(glGetUniformLocation(fProgram, "uSize"), float(viewport.Width), float(viewport.Height));
    glUniform1i(glGetUniformLocation(fProgram, "uAtlas"), 0);
    glActiveTexture(GL_TEXTURE0);
    glBindBuffer(GL_ARRAY_BUFFER, fBuffer);
    const GLsizei stride = sizeof(TTextVertex);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<void*>(offsetof(TTextVertex, Anchor)));
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<void*>(offsetof(TTextVertex, Corner)));
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<void*>(offsetof(TTextVertex, Uv)));
    glVertexAttribPointer(3, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                          reinterpret_cast<void*>(offsetof(TTextVertex, Color)));
    for (GLuint a = 0; a < 4; ++a) glEnableVertexAttribArray(a);
    for (size_t p = 0; p < fPages.size(); ++p) {
        if (fPageCount[p] == 0) continue;
        glBindTexture(GL_TEXTURE_2D, fPages[p]);
        glDrawArrays(GL_TRIANGLES, fPageFirst[p], fPageCount[p]);
    }
    for (GLuint a = 0; a < 4; ++a) glDisableVertexAttribArray(a);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glUseProgram(0);
    glPopAttrib();
}

}  // namespace tk3d
