// A rotation slider of the main window: 0 to 360 degrees, its hint the
// position ("135°"), a context menu that sets it to a multiple of 45°.
#pragma once
#include <QSlider>

class QMenu;

namespace tk3d {

class TRotationSlider : public QSlider {
    Q_OBJECT
public:
    explicit TRotationSlider(QWidget* parent = nullptr);

    // The menu the slider shows on a right click (PopupMenu1).
    QMenu* ContextMenu() const { return fMenu; }
    // Turns by a number of degrees, wrapping round within 0 ... 360.
    void TurnBy(int degrees);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void UpdateHint();

    QMenu* fMenu;
};

}  // namespace tk3d
