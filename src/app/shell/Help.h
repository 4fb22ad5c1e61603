// The help: HTML pages in a folder beside the executable (tk3d.help, with a
// subfolder per language), or in the folder the planner's settings name.
// Every help request of the application goes through HelpCommand.
#pragma once
#include <QString>
#include <stdexcept>

namespace tk3d {

constexpr int kHelpContextMain = 101;
enum THelpCommand : int { kHelpShowContext = 1, kHelpShowContents = 11 };

// A help request that cannot be served; the message is in the active language.
class EHelpError : public std::runtime_error {
public:
    explicit EHelpError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// Resolves the help location once at start (planner's "HTMLHelpFilePath",
// current user then machine-wide; else beside the executable).
void ResolveHelpFile();
QString HelpFile();
void SetHelpFile(const QString& path);

// The address of a help request: the help file, "::", the topic and
// ".html" for a known context; the help file alone for its contents or an
// unknown context. Raises EHelpError for other commands.
QString HelpUrl(int command, int data);
// The page an address names, in the active language; raises EHelpError
// when the help is missing.
QString HelpPagePath(const QString& url);
// The help hook: shows the request in the help window.
void HelpCommand(int command, int data);
// Shows a context from a command, reporting failures in the error box.
void ShowHelpContext(int context);
// Makes F1 ask for the help context of the active window (its "HelpContext"
// property, or that of a window it belongs to). Installing twice is harmless.
void InstallHelpHook();

}  // namespace tk3d
