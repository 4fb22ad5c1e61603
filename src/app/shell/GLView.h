// The 3D view of the main window: compiles the document into a scene when
// geometry, scale, layers or a display switch change, and paints frames that
// only set the projection, scroll offset and rotations. Dragging with the
// left button and the mouse wheel are passed to the window, which owns the
// sliders and scroll bars.
#pragma once
#include <QOpenGLWidget>
#include <QPoint>
#include <memory>

#include "obj3d/ViewSetup.h"

namespace tk3d {

class TRailList;
struct TCompiledScene;
class TSceneRenderer;

class TGLView : public QOpenGLWidget {
    Q_OBJECT
public:
    // What the window's controls say about the view.
    struct TViewState {
        bool Overview = true;
        int Zoom = 10;
        int ScrollX = 0;
        int ScrollY = 0;
        int RotX = 0;
        int RotY = 0;
        int RotZ = 0;
        bool ShowCross = true;
        bool Landscape = true;
    };

    explicit TGLView(QWidget* parent = nullptr);
    ~TGLView() override;

    TViewState& State() { return fState; }
    const TViewState& State() const { return fState; }

    // Null deletes the scene; a document is compiled once the view has a
    // size. The view keeps the pointer until it gets another.
    void SetDocument(TRailList* document);
    // Recompiles the scene with the ViewScale of the present size and mode.
    void RebuildScene();
    bool HasScene() const { return fHasScene; }
    // How often the scene was compiled (tests tell a rebuild from a repaint).
    int SceneBuilds() const { return fSceneBuilds; }
    int Paints() const { return fPaints; }

    // Size of the drawing area in device pixels, at least 1 each way.
    int ViewWidth() const;
    int ViewHeight() const;
    // The physical screen the 1:N zoom refers to.
    TScreenMetrics ScreenMetrics() const;
    // The parameters of the next frame.
    TViewParams ViewParams() const;
    const TSceneExtent& Extent() const { return fExtent; }

    QString GLVersion() const { return fGLVersion; }
    QSize MaxViewport() const { return fMaxViewport; }

signals:
    // Degrees to turn about X and about Z while the left button drags.
    void Dragged(int degreesX, int degreesZ);
    // Wheel steps (positive away from the user) and the keys held.
    void WheelTurned(int steps, Qt::KeyboardModifiers modifiers);

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void PaintFrame();
    void ReleaseScene();
    void ReleaseRenderer();
    void ReportError(const QString& text);

    TRailList* fDocument = nullptr;
    TViewState fState;
    TSceneExtent fExtent;
    bool fHasScene = false;
    // A compiled scene waiting for the next paint to upload it.
    std::unique_ptr<TCompiledScene> fPendingScene;
    std::unique_ptr<TSceneRenderer> fRenderer;
    bool fRebuildOnPaint = false;
    // The scene on the GPU is stale and goes with the next paint.
    bool fClearGpuScene = false;
    bool fPainting = false;
    bool fErrorShown = false;
    int fSceneBuilds = 0;
    int fPaints = 0;
    QString fGLVersion;
    QSize fMaxViewport;
    QPoint fDragStart;
    QPoint fDragRest;
    bool fDragging = false;
    int fWheelRest = 0;
};

}  // namespace tk3d
