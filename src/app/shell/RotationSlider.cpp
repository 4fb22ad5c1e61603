#include "shell/RotationSlider.h"

#include <QContextMenuEvent>
#include <QMenu>

namespace tk3d {

TRotationSlider::TRotationSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent), fMenu(new QMenu(this)) {
    setRange(0, 360);
    setPageStep(10);
    setTickInterval(10);
    setTickPosition(QSlider::TicksBelow);
    setValue(0);
    for (int angle = 0; angle <= 360; angle += 45) {
        // Degree texts are the same in every language.
        QAction* action = fMenu->addAction(QString::number(angle) + QChar(0xb0));
        connect(action, &QAction::triggered, this, [this, angle] { setValue(angle); });
    }
    connect(this, &QSlider::valueChanged, this, &TRotationSlider::UpdateHint);
    UpdateHint();
}

void TRotationSlider::UpdateHint() { setToolTip(QString::number(value()) + QChar(0xb0)); }

void TRotationSlider::TurnBy(int degrees) {
    int v = (value() + degrees) % 360;
    if (v < 0) v += 360;
    setValue(v);
}

void TRotationSlider::contextMenuEvent(QContextMenuEvent* event) {
    fMenu->exec(event->globalPos());
    event->accept();
}

}  // namespace tk3d
