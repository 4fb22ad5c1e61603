// Every message box of the application goes through here, so that tests can
// take the messages instead of a modal box.
#pragma once
#include <QString>
#include <exception>
#include <functional>

class QWidget;

namespace tk3d {

enum class TMessageIcon { Error, Information };

using TMessageHook = std::function<void(TMessageIcon icon, const QString& caption, const QString& text)>;
// An empty hook shows real message boxes again.
void SetMessageHook(TMessageHook hook);

void ShowMessageBox(QWidget* owner, TMessageIcon icon, const QString& caption, const QString& text);
// The standard error box: the application title as caption, the message of
// the failure in the active language.
void ShowErrorBox(QWidget* owner, const std::exception& error);
void ShowErrorBox(QWidget* owner, const QString& text);

}  // namespace tk3d
