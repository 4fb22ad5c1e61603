#include "controls/SpinButton.h"

#include <QResizeEvent>
#include <QToolButton>

namespace tk3d {

namespace {

QToolButton* MakeArrow(QWidget* parent, Qt::ArrowType arrow) {
    auto* b = new QToolButton(parent);
    b->setArrowType(arrow);
    b->setAutoRepeat(true);
    // The field keeps the focus while its buttons are pressed.
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRaise(false);
    return b;
}

}  // namespace

TSpinButton::TSpinButton(QWidget* parent)
    : QWidget(parent), fUp(MakeArrow(this, Qt::UpArrow)), fDown(MakeArrow(this, Qt::DownArrow)) {
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
    resize(15, 17);
    connect(fUp, &QToolButton::clicked, this, &TSpinButton::UpClick);
    connect(fDown, &QToolButton::clicked, this, &TSpinButton::DownClick);
}

void TSpinButton::resizeEvent(QResizeEvent* event) {
    const int w = event->size().width();
    const int h = event->size().height();
    fUp->setGeometry(0, 0, w, h / 2);
    fDown->setGeometry(0, h / 2, w, h - h / 2);
}

}  // namespace tk3d
