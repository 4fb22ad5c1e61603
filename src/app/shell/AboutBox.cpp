#include "shell/AboutBox.h"

#include <QDesktopServices>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "shell/Help.h"
#include "shell/Language.h"

namespace tk3d {

namespace {

// The e-mail label shows the address; the part after its last "." is put
// behind this stem, so that each language may name its own domain ending.
constexpr const char* kMailStem = "tk3d@example.";

QLabel* LinkLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setCursor(Qt::PointingHandCursor);
    QFont f = label->font();
    f.setUnderline(true);
    label->setFont(f);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, QColor(0, 0, 0xcc));
    label->setPalette(p);
    return label;
}

// A label that reacts to a click like a link.
class TClickFilter : public QObject {
public:
    TClickFilter(QObject* parent, std::function<void()> onClick)
        : QObject(parent), fOnClick(std::move(onClick)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease) fOnClick();
        return false;
    }

private:
    std::function<void()> fOnClick;
};

}  // namespace

TInfoForm::TInfoForm(QWidget* parent)
    : TPopUpParentForm(parent),
      fLogo(new QLabel(this)),
      fTitle(new QLabel(this)),
      fFreeware(new QLabel(this)),
      fContact(new QLabel(this)),
      fWeb(LinkLabel(this)),
      fMail(LinkLabel(this)),
      fPicture(new QLabel(this)),
      fOK(new QPushButton(this)),
      fHelp(new QPushButton(this)) {
    setObjectName("InfoForm");
    setProperty("HelpContext", kHelpContextMain);
    setStyleSheet("QDialog#InfoForm { background: white; }");
    fWeb->setObjectName("lblWeb");
    fMail->setObjectName("lblMail");
    fOK->setObjectName("btnOK");
    fHelp->setObjectName("btnHelp");

    const QIcon logo(":/icons/tk3d.svg");
    fLogo->setPixmap(logo.pixmap(96, 96));
    fPicture->setPixmap(logo.pixmap(32, 32));
    QFont big = fTitle->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    fTitle->setFont(big);
    fFreeware->setAlignment(Qt::AlignHCenter);
    fContact->setWordWrap(true);
    fContact->setMinimumWidth(300);

    fOK->setDefault(true);
    connect(fOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(fHelp, &QPushButton::clicked, this, [] { ShowHelpContext(kHelpContextMain); });
    fWeb->installEventFilter(
        new TClickFilter(fWeb, [this] { QDesktopServices::openUrl(QUrl::fromUserInput(fWeb->text())); }));
    fMail->installEventFilter(
        new TClickFilter(fMail, [this] { QDesktopServices::openUrl(QUrl(MailAddress())); }));

    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(fTitle);
    titleRow->addWidget(fPicture);
    titleRow->addStretch();
    auto* text = new QVBoxLayout;
    text->addLayout(titleRow);
    text->addWidget(fFreeware);
    text->addSpacing(8);
    text->addWidget(fContact);
    text->addWidget(fWeb);
    text->addWidget(fMail);
    text->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(fOK);
    buttons->addWidget(fHelp);
    auto* grid = new QGridLayout(this);
    grid->addWidget(fLogo, 0, 0, Qt::AlignTop);
    grid->addLayout(text, 0, 1);
    grid->addLayout(buttons, 1, 0, 1, 2);
    RetranslateUi();
}

void TInfoForm::RetranslateUi() {
    setWindowTitle(tr("Info über 3D-Viewer für Trakona®"));
    fTitle->setText(tr("3D-Viewer für "));
    fFreeware->setText(tr("- Freeware -"));
    fContact->setText(
        tr("tk3d zeigt Gleispläne des Planers Trakona als 3D-Modell. Das Programm ist freie Software; "
           "Fragen, Fehlerberichte und Anregungen sind willkommen.") +
        "\n\n" + tr("Version %1").arg(ProgramVersionText()));
    fWeb->setText(tr("https://example.org/tk3d"));
    fMail->setText(tr("tk3d@example.org"));
    fOK->setText(tr("O&K"));
    fHelp->setText(tr("&Hilfe"));
}

QString TInfoForm::MailAddress() const {
    const QString text = fMail->text();
    return "mailto:" + QString(kMailStem) + text.mid(text.lastIndexOf('.') + 1);
}

void TInfoForm::HideButtons() {
    fOK->hide();
    fHelp->hide();
}

void TInfoForm::changeEvent(QEvent* event) {
    TPopUpParentForm::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) RetranslateUi();
}

}  // namespace tk3d
