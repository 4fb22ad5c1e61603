#include "shell/GLView.h"

#include <GL/gl.h>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>

#include "layoutfile/GlobalState.h"
#include "layoutfile/RailList.h"
#include "obj3d/CompiledScene.h"
#include "shell/Messages.h"

namespace tk3d {

namespace {

// Degrees the model turns per pixel dragged.
constexpr double kDegreesPerPixel = 0.5;

}  // namespace

class TSceneDrawing {};

TGLView::TGLView(QWidget* parent) : QOpenGLWidget(parent) {
    setMinimumSize(1, 1);
    setFocusPolicy(Qt::ClickFocus);
}

TGLView::~TGLView() { ReleaseScene(); }

int TGLView::ViewWidth() const { return ClampViewSize(int32_t(std::lround(width() * devicePixelRatioF()))); }

int TGLView::ViewHeight() const { return ClampViewSize(int32_t(std::lround(height() * devicePixelRatioF()))); }

TScreenMetrics TGLView::ScreenMetrics() const {
    const QScreen* s = screen();
    if (!s) return TScreenMetrics::FromDpi(96);
    const double dpr = s->devicePixelRatio();
    TScreenMetrics m;
    m.WidthPx = s->geometry().width() * dpr;
    m.HeightPx = s->geometry().height() * dpr;
    m.WidthMm = s->physicalSize().width();
    m.HeightMm = s->physicalSize().height();
    // A screen that does not know its size is taken at 96 dots per inch.
    if (!(m.WidthMm > 0) || !(m.HeightMm > 0)) {
        m.WidthMm = m.WidthPx * 25.4 / 96;
        m.HeightMm = m.HeightPx * 25.4 / 96;
    }
    return m;
}

TViewParams TGLView::ViewParams() const {
    TViewParams p;
    p.ViewWidth = ViewWidth();
    p.ViewHeight = ViewHeight();
    p.Overview = fState.Overview;
    p.Zoom = fState.Zoom;
    p.Screen = ScreenMetrics();
    p.ScrollX = fState.ScrollX;
    p.ScrollY = fState.ScrollY;
    p.RotX = fState.RotX;
    p.RotY = fState.RotY;
    p.RotZ = fState.RotZ;
    return p;
}

void TGLView::SetDocument(const TRailList* document) {
    fDocument = document;
    ReleaseScene();
    if (document && width() > 0) RebuildScene();
}

void TGLView::ReleaseScene() {
    fScene.reset();
    fUploadPending = false;
    if (fDrawing) {
        makeCurrent();
        fDrawing.reset();
        doneCurrent();
    }
}

void TGLView::RebuildScene() {
    ReleaseScene();
    if (!fDocument) return;
    fExtent.Exact = fDocument->GetBounds(false);
    fExtent.FromOrigin = fDocument->GetBounds(true);
    int32_t top = 0, bottom = 0;
    fDocument->GetHeightRange(top, bottom);
    fExtent.Top = top;
    fExtent.Bottom = bottom;
    ViewScale = ViewScaleFor(ViewParams(), fExtent);
    fScene = std::make_unique<TCompiledScene>();
    fUploadPending = true;
    ++fSceneBuilds;
}

void TGLView::initializeGL() {
    fGLVersion = QString::fromLatin1(reinterpret_cast<const char*>(glGetString(GL_VERSION)));
    GLint dims[2] = {0, 0};
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, dims);
    fMaxViewport = QSize(dims[0], dims[1]);
}

void TGLView::resizeGL(int, int) {
    if (fDocument) RebuildScene();
}

void TGLView::paintGL() {
    // A paint requested while one runs (an error box's event loop) is dropped.
    if (fPainting) return;
    fPainting = true;
    ++fPaints;
    glClearColor(1, 1, 1, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ReportGLErrors();
    fPainting = false;
}

void TGLView::ReportGLErrors() {
    GLenum first = GL_NO_ERROR;
    for (GLenum e = glGetError(); e != GL_NO_ERROR; e = glGetError())
        if (e != GL_INVALID_OPERATION && first == GL_NO_ERROR) first = e;
    if (first == GL_NO_ERROR || fErrorShown) return;
    // The box is shown after the frame, and only one at a time.
    fErrorShown = true;
    const QString text = QCoreApplication::translate("tk3d::CoreMessages", "OpenGL-Fehler! [$%1]").arg(uint(first), 4, 16, QChar('0'));
    QTimer::singleShot(0, this, [this, text] {
        ShowErrorBox(this, text);
        fErrorShown = false;
    });
}

void TGLView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QOpenGLWidget::mousePressEvent(event);
    fDragging = true;
    fDragStart = event->position().toPoint();
    fDragRest = QPoint();
}

void TGLView::mouseMoveEvent(QMouseEvent* event) {
    if (!fDragging) return QOpenGLWidget::mouseMoveEvent(event);
    const QPoint pos = event->position().toPoint();
    const QPoint moved = pos - fDragStart + fDragRest;
    fDragStart = pos;
    const int degreesZ = int(moved.x() * kDegreesPerPixel);
    const int degreesX = int(moved.y() * kDegreesPerPixel);
    // Keep what did not make a whole degree for the next move.
    fDragRest = QPoint(moved.x() - int(degreesZ / kDegreesPerPixel), moved.y() - int(degreesX / kDegreesPerPixel));
    if (degreesX || degreesZ) emit Dragged(degreesX, degreesZ);
}

void TGLView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) fDragging = false;
    QOpenGLWidget::mouseReleaseEvent(event);
}

void TGLView::wheelEvent(QWheelEvent* event) {
    // Shift turns some wheels' motion sideways.
    const QPoint delta = event->angleDelta();
    fWheelRest += delta.y() != 0 ? delta.y() : delta.x();
    const int steps = fWheelRest / 120;
    fWheelRest -= steps * 120;
    if (steps) emit WheelTurned(steps, event->modifiers());
    event->accept();
}

}  // namespace tk3d
