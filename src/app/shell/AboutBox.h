// The about box: shown modally by the main window's info button, and without
// its buttons as the splash screen while the program starts.
#pragma once
#include "controls/DialogBases.h"

class QLabel;
class QPushButton;

namespace tk3d {

class TInfoForm : public TPopUpParentForm {
    Q_OBJECT
public:
    explicit TInfoForm(QWidget* parent = nullptr);

    // The splash screen has no buttons.
    void HideButtons();
    // The address the e-mail label opens.
    QString MailAddress() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void RetranslateUi();

    QLabel* fLogo;
    QLabel* fTitle;
    QLabel* fFreeware;
    QLabel* fContact;
    QLabel* fWeb;
    QLabel* fMail;
    QLabel* fPicture;
    QPushButton* fOK;
    QPushButton* fHelp;
};

}  // namespace tk3d
