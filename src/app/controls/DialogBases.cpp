#include "controls/DialogBases.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>

namespace tk3d {

namespace {

// Labels inside a layout are sized by it; only the others size themselves.
bool SizesItself(const QLabel* label) {
    const QWidget* parent = label->parentWidget();
    return !parent || !parent->layout() || parent->layout()->indexOf(label) < 0;
}

}  // namespace

TLabelSizeForm::TLabelSizeForm(QWidget* parent, Qt::WindowFlags flags) : QDialog(parent, flags) {}

bool TLabelSizeForm::event(QEvent* event) {
    const bool result = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate && !fActivated) {
        fActivated = true;
        for (QLabel* label : findChildren<QLabel*>())
            if (!label->text().isEmpty() && SizesItself(label)) label->adjustSize();
    }
    return result;
}

TPopUpParentForm::TPopUpParentForm(QWidget* parent, Qt::WindowFlags flags)
    : TLabelSizeForm(parent ? parent : ApplicationMainWindow(), flags) {}

QWidget* ApplicationMainWindow() {
    if (!qApp) return nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(w)) return w;
    return nullptr;
}

}  // namespace tk3d
