#include "controls/InchLabel.h"

#include <QPainter>
#include <QStyle>

#include "layoutfile/GlobalState.h"

namespace tk3d {

TInchLabel::TInchLabel(QWidget* parent) : QLabel(parent) {}

QString TInchLabel::UnitText() {
    return GlobalSettings.InchUnits() ? QStringLiteral("\"") : QStringLiteral("mm");
}

QSize TInchLabel::sizeHint() const {
    const QMargins m = contentsMargins();
    return fontMetrics().size(Qt::TextSingleLine, UnitText()) +
           QSize(m.left() + m.right(), m.top() + m.bottom());
}

void TInchLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    style()->drawItemText(&painter, contentsRect(), int(alignment()), palette(), isEnabled(), UnitText(),
                          foregroundRole());
}

}  // namespace tk3d
