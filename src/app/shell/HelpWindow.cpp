#include "shell/HelpWindow.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

#include "shell/Help.h"

namespace tk3d {

namespace {

THelpWindow*& InstancePtr() {
    static THelpWindow* window = nullptr;
    return window;
}

}  // namespace

THelpWindow& THelpWindow::Instance() {
    if (!InstancePtr()) {
        InstancePtr() = new THelpWindow;
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, [] {
            delete InstancePtr();
            InstancePtr() = nullptr;
        });
    }
    return *InstancePtr();
}

THelpWindow* THelpWindow::Existing() { return InstancePtr(); }

THelpWindow::THelpWindow()
    : fBrowser(new QTextBrowser(this)),
      fBack(new QToolButton(this)),
      fForward(new QToolButton(this)),
      fContents(new QToolButton(this)) {
    setObjectName("HelpWindow");
    fBrowser->setOpenExternalLinks(true);
    fBack->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    fForward->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    fContents->setIcon(style()->standardIcon(QStyle::SP_DirHomeIcon));
    for (QToolButton* b : {fBack, fForward, fContents}) b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    fBack->setEnabled(false);
    fForward->setEnabled(false);
    connect(fBack, &QToolButton::clicked, fBrowser, &QTextBrowser::backward);
    connect(fForward, &QToolButton::clicked, fBrowser, &QTextBrowser::forward);
    connect(fBrowser, &QTextBrowser::backwardAvailable, fBack, &QToolButton::setEnabled);
    connect(fBrowser, &QTextBrowser::forwardAvailable, fForward, &QToolButton::setEnabled);
    connect(fContents, &QToolButton::clicked, this, [] { HelpCommand(kHelpShowContents, 0); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(fBack);
    buttons->addWidget(fForward);
    buttons->addWidget(fContents);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(fBrowser);
    resize(720, 600);
    RetranslateUi();
}

void THelpWindow::RetranslateUi() {
    setWindowTitle(tr("Hilfe"));
    fBack->setText(tr("Zurück"));
    fForward->setText(tr("Vor"));
    fContents->setText(tr("Inhalt"));
}

QString THelpWindow::CurrentPage() const { return fBrowser->source().toLocalFile(); }

void THelpWindow::ShowUrl(const QString& url) {
    const QString page = HelpPagePath(url);
    fUrl = url;
    fBrowser->setSource(QUrl::fromLocalFile(page));
    show();
    raise();
    activateWindow();
}

void THelpWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::LanguageChange) return;
    RetranslateUi();
    if (fUrl.isEmpty()) return;
    try {
        fBrowser->setSource(QUrl::fromLocalFile(HelpPagePath(fUrl)));
    } catch (const EHelpError&) {
        // The help of the old language stays on screen.
    }
}

}  // namespace tk3d
