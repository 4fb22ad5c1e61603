#include "shell/GLView.h"

#include <GL/gl.h>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QScreen>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>

#include "SceneRenderer.h"
#include "layoutfile/GlobalState.h"
#include "layoutfile/RailList.h"
#include "obj3d/CompiledScene.h"
#include "obj3d/DocumentScene.h"
#include "shell/CoreMessages.h"
#include "shell/Messages.h"

namespace tk3d {

namespace {

// Degrees the model turns per pixel dragged.
constexpr double kDegreesPerPixel = 0.5;

}  // namespace

TGLView::TGLView(QWidget* parent) : QOpenGLWidget(parent) {
    setMinimumSize(1, 1);
    setFocusPolicy(Qt::ClickFocus);
}

TGLView::~TGLView() { ReleaseRenderer(); }

int TGLView::ViewWidth() const { return ClampViewSize(int32_t(std::lround(width() * devicePixelRatioF()))); }

int TGLView::ViewHeight() const {
    return ClampViewSize(int32_t(std::lround(height() * devicePixelRatioF())));
}

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

void TGLView::SetDocument(TRailList* document) {
    fDocument = document;
    ReleaseScene();
    if (document && width() > 0) RebuildScene();
}

void TGLView::ReleaseScene() {
    // The scene on the GPU goes with the next paint, which has the context.
    fPendingScene.reset();
    fHasScene = false;
    fRebuildOnPaint = false;
    fClearGpuScene = true;
    if (!fPainting) update();
}

void TGLView::ReleaseRenderer() {
    fPendingScene.reset();
    fHasScene = false;
    if (!fRenderer) return;
    makeCurrent();
    fRenderer.reset();
    doneCurrent();
}

void TGLView::RebuildScene() {
    ReleaseScene();
    if (!fDocument) return;
    fExtent = DocumentExtent(*fDocument);
    ViewScale = ViewScaleFor(ViewParams(), fExtent);
    fHasScene = true;
    ++fSceneBuilds;
    // Without objects only the landscape could show anything.
    if (fDocument->Count() == 0 && !fState.Landscape) return;
    try {
        fPendingScene = std::make_unique<TCompiledScene>(CompileDocument(*fDocument, fState.Landscape));
    } catch (const std::exception& e) {
        ReportError(TranslateCoreMessage(e.what()));
    }
    if (!fPainting) update();
}

void TGLView::initializeGL() {
    // A new context (the widget moved to another window) needs the scene
    // uploaded again.
    fRenderer.reset();
    fGLVersion = QString::fromLatin1(reinterpret_cast<const char*>(glGetString(GL_VERSION)));
    GLint dims[2] = {0, 0};
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, dims);
    fMaxViewport = QSize(dims[0], dims[1]);
    try {
        fRenderer = std::make_unique<TSceneRenderer>();
    } catch (const std::exception& e) {
        ReportError(TranslateCoreMessage(e.what()));
        return;
    }
    fRenderer->OnGLError = [this](const std::string& message) {
        ReportError(TranslateCoreMessage(message.c_str()));
    };
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &TGLView::ReleaseRenderer,
            Qt::UniqueConnection);
    if (fHasScene && !fPendingScene) RebuildScene();
}

void TGLView::resizeGL(int, int) {
    // Line widths and text sizes in the scene depend on the view's size; the
    // next paint compiles once for a burst of size changes.
    if (fDocument) fRebuildOnPaint = true;
}

void TGLView::paintGL() {
    // A paint requested while one runs (an error box's event loop) is dropped.
    if (fPainting) return;
    fPainting = true;
    ++fPaints;
    try {
        PaintFrame();
    } catch (const std::exception& e) {
        ReportError(TranslateCoreMessage(e.what()));
    }
    fPainting = false;
}

void TGLView::PaintFrame() {
    if (!fRenderer) {
        glClearColor(1, 1, 1, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        return;
    }
    if (fRebuildOnPaint) RebuildScene();
    if (fClearGpuScene) {
        fRenderer->ClearScene();
        fClearGpuScene = false;
    }
    if (fPendingScene) {
        // Uploaded once; frames only set matrices.
        const std::unique_ptr<TCompiledScene> scene = std::move(fPendingScene);
        fRenderer->SetScene(*scene);
    }
    TFrameSetup frame;
    frame.View = SetupView(ViewParams(), fExtent);
    // With no document the view stays white, without the cross.
    frame.Cross = fHasScene && fState.ShowCross;
    frame.ShowZLabels = ShowZLabels(fState.RotX, fState.RotY, fState.RotZ);
    frame.Width = ViewWidth();
    frame.Height = ViewHeight();
    fRenderer->DrawFrame(frame);
}

void TGLView::ReportError(const QString& text) {
    // Once per frame, after the frame, and never a second box while one is
    // open.
    if (fErrorShown) return;
    fErrorShown = true;
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
    fDragRest =
        QPoint(moved.x() - int(degreesZ / kDegreesPerPixel), moved.y() - int(degreesX / kDegreesPerPixel));
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
