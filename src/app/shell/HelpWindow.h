// The help window: one per application, showing the pages of the help with
// back, forward and contents buttons. A language switch shows the same page
// in the new language.
#pragma once
#include <QWidget>

class QTextBrowser;
class QToolButton;

namespace tk3d {

class THelpWindow : public QWidget {
    Q_OBJECT
public:
    static THelpWindow& Instance();
    // The window while it exists, else null (tests look at it).
    static THelpWindow* Existing();

    // url as HelpUrl gives it; the page must exist.
    void ShowUrl(const QString& url);
    QString CurrentUrl() const { return fUrl; }
    QString CurrentPage() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    THelpWindow();
    void RetranslateUi();

    QTextBrowser* fBrowser;
    QToolButton* fBack;
    QToolButton* fForward;
    QToolButton* fContents;
    QString fUrl;
};

}  // namespace tk3d
