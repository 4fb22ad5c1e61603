#include "shell/Messages.h"

#include <QMessageBox>

#include "shell/CoreMessages.h"
#include "shell/Language.h"

namespace tk3d {

namespace {

TMessageHook& Hook() {
    static TMessageHook hook;
    return hook;
}

}  // namespace

void SetMessageHook(TMessageHook hook) { Hook() = std::move(hook); }

void ShowMessageBox(QWidget* owner, TMessageIcon icon, const QString& caption, const QString& text) {
    if (Hook()) {
        Hook()(icon, caption, text);
        return;
    }
    QMessageBox box(icon == TMessageIcon::Error ? QMessageBox::Critical : QMessageBox::Information, caption,
                    text, QMessageBox::Ok, owner);
    box.exec();
}

void ShowErrorBox(QWidget* owner, const std::exception& error) {
    ShowErrorBox(owner, TranslateCoreMessage(error.what()));
}

void ShowErrorBox(QWidget* owner, const QString& text) {
    ShowMessageBox(owner, TMessageIcon::Error, ApplicationTitle(), text);
}

}  // namespace tk3d
