// The pair of small up/down buttons at the right edge of a numeric field;
// both repeat while held.
#pragma once
#include <QWidget>

class QToolButton;

namespace tk3d {

class TSpinButton : public QWidget {
    Q_OBJECT
public:
    explicit TSpinButton(QWidget* parent);

    QToolButton* UpButton() const { return fUp; }
    QToolButton* DownButton() const { return fDown; }

signals:
    void UpClick();
    void DownClick();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* fUp;
    QToolButton* fDown;
};

}  // namespace tk3d
