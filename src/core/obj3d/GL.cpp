#include "obj3d/GL.h"

#include <algorithm>
#include <utility>

namespace tk3d {

void GL::Vertexf(float x, float y, float z) { Vertex(x, y, z); }

void GL::LineWidth(double width) { Add(TGLOp::LineWidth, 0, 0, float(width)); }

void GL::PointSize(double size) { Add(TGLOp::PointSize, 0, 0, float(size)); }

void GL::Translatef(float x, float y, float z) { Translated(x, y, z); }

void GL::Rotatef(float degrees, float x, float y, float z) { Rotated(degrees, x, y, z); }

void GL::MultMatrix(const TMatrix4& m) {
    if (fStopped) return;
    fList.fMatrices.push_back(m);
    Add(TGLOp::MultMatrix, uint32_t(fList.fMatrices.size() - 1));
}

void GL::RasterText(const TFPoint& pos, const TLogFontW& pixelFont, std::string text, double zPerPixel) {
    if (fStopped) return;
    fList.fTexts.push_back(TGLText{pos, pixelFont, std::move(text), zPerPixel});
    Add(TGLOp::RasterText, uint32_t(fList.fTexts.size() - 1));
}

void GL::TexImage2D(TGLImage image) {
    if (fStopped) return;
    fList.fImages.push_back(std::make_shared<const TGLImage>(std::move(image)));
    Add(TGLOp::TexImage, uint32_t(fList.fImages.size() - 1));
}

void GL::CallList(std::shared_ptr<const TGLList> list) {
    if (!list || fStopped) return;
    fList.fLists.push_back(std::move(list));
    Add(TGLOp::CallList, uint32_t(fList.fLists.size() - 1));
}

void TGLList::Clear() {
    fCalls.clear();
    fTexts.clear();
    fImages.clear();
    fMatrices.clear();
    fLists.clear();
}

void GL::StreamTo(std::function<void(TGLList&)> sink, size_t chunk) {
    fSink = std::move(sink);
    fChunk = fSink ? std::max<size_t>(chunk, 1) : SIZE_MAX;
    fList.fCalls.reserve(fSink ? fChunk : 0);
}

void GL::Flush() {
    if (!fSink || fList.fCalls.empty()) return;
    fSink(fList);
    fList.Clear();
    fList.fCalls.reserve(fChunk);
}

TGLList GL::TakeList() {
    TGLList out = std::move(fList);
    fList = TGLList();
    return out;
}

}  // namespace tk3d
