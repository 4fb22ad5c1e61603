// A label that shows the current length unit: the inch sign when the layout
// counts in inches, else "mm". Its own caption is never shown.
#pragma once
#include <QLabel>

namespace tk3d {

class TInchLabel : public QLabel {
    Q_OBJECT
public:
    explicit TInchLabel(QWidget* parent = nullptr);

    static QString UnitText();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tk3d
