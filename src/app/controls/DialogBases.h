// The two dialog bases: TLabelSizeForm measures its free-standing labels anew
// when it is first activated (a language switch may have changed their
// texts); TPopUpParentForm is a dialog that belongs to the main window.
#pragma once
#include <QDialog>

namespace tk3d {

class TLabelSizeForm : public QDialog {
    Q_OBJECT
public:
    explicit TLabelSizeForm(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

    bool WasActivated() const { return fActivated; }

protected:
    bool event(QEvent* event) override;

private:
    bool fActivated = false;
};

class TPopUpParentForm : public TLabelSizeForm {
    Q_OBJECT
public:
    // Without a parent the dialog belongs to the main window, once one exists.
    explicit TPopUpParentForm(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
};

// The application's main window, or null while there is none.
QWidget* ApplicationMainWindow();

}  // namespace tk3d
