#include "shell/Help.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QWidget>

#include "platform/MyRegistry.h"
#include "shell/HelpWindow.h"
#include "shell/Language.h"
#include "shell/Messages.h"

namespace tk3d {

namespace {

// Topic map: one line per topic, "topic=context".
constexpr const char* kHelpTopics[] = {"mainpage=101"};
constexpr const char* kHelpSuffix = ".help";
// The page a help folder opens with when no topic is asked for.
constexpr const char* kContentsPage = "index.html";

QString& HelpFileRef() {
    static QString file;
    return file;
}

// Sends F1 anywhere in the application to the help.
class THelpKeyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1)
            return false;
        // Only the window that receives the key answers it, not every widget
        // the event passes on its way up.
        if (!watched->isWidgetType() ||
            static_cast<QWidget*>(watched)->window() != QApplication::activeWindow())
            return false;
        int context = 0;
        for (QWidget* w = static_cast<QWidget*>(watched); w && !context; w = w->parentWidget())
            context = w->property("HelpContext").toInt();
        ShowHelpContext(context);
        return true;
    }
};

QString HelpFileName() { return QFileInfo(ProgramPath()).completeBaseName() + kHelpSuffix; }

QString HelpFolderFromSettings(TMyRegistry& reg, TRegRoot root) {
    reg.CloseAll();
    reg.SetRootKey(root);
    if (!reg.OpenSettings(false)) return QString();
    const std::optional<std::string> folder = reg.ReadString("HTMLHelpFilePath");
    if (!folder) return QString();
    QString path = QString::fromStdString(*folder);
    // The planner writes Windows paths; a trailing separator is optional.
    if (!path.endsWith('/') && !path.endsWith('\\')) path += '/';
    return path;
}

// Subfolder of the help for the active language; German when the pages of
// that language are missing.
QString LanguageFolder(const QString& helpFile) {
    const QString code = ActiveLanguageCode().toLower();
    QString folder = "de";
    if (code == "enu" || code == "eng") folder = "en";
    if (code == "nld") folder = "nl";
    if (!QFileInfo(QDir(helpFile).filePath(folder)).isDir()) folder = "de";
    return folder;
}

}  // namespace

void ResolveHelpFile() {
    HelpFileRef() = QFileInfo(ProgramPath()).dir().filePath(HelpFileName());
    TMyRegistry reg;
    for (TRegRoot root : {TRegRoot::CurrentUser, TRegRoot::LocalMachine}) {
        const QString folder = HelpFolderFromSettings(reg, root);
        if (!folder.isEmpty()) {
            HelpFileRef() = folder + HelpFileName();
            return;
        }
    }
}

QString HelpFile() { return HelpFileRef(); }

void SetHelpFile(const QString& path) { HelpFileRef() = path; }

QString HelpUrl(int command, int data) {
    if (command == kHelpShowContents) return HelpFile();
    if (command != kHelpShowContext)
        throw EHelpError(QCoreApplication::translate("tk3d::Help", "Wrong help command!"));
    const QString wanted = "=" + QString::number(data);
    for (const char* line : kHelpTopics) {
        const QString entry = QString::fromLatin1(line);
        const int eq = int(entry.indexOf('='));
        if (eq >= 0 && entry.mid(eq) == wanted) return HelpFile() + "::" + entry.left(eq) + ".html";
    }
    return HelpFile();
}

QString HelpPagePath(const QString& url) {
    const int sep = int(url.indexOf("::"));
    const QString file = sep < 0 ? url : url.left(sep);
    const QString page = sep < 0 ? QString(kContentsPage) : url.mid(sep + 2);
    const QString path = QDir(QDir(file).filePath(LanguageFolder(file))).filePath(page);
    if (!QFileInfo(path).isFile())
        throw EHelpError(
            QCoreApplication::translate("tk3d::Help", "Die Hilfedatei %1 konnte nicht gefunden werden!")
                .arg(file));
    return path;
}

void HelpCommand(int command, int data) { THelpWindow::Instance().ShowUrl(HelpUrl(command, data)); }

void ShowHelpContext(int context) {
    try {
        HelpCommand(kHelpShowContext, context);
    } catch (const std::exception& e) {
        ShowErrorBox(nullptr, e);
    }
}

void InstallHelpHook() {
    static THelpKeyFilter* filter = nullptr;
    if (filter || !qApp) return;
    filter = new THelpKeyFilter(qApp);
    qApp->installEventFilter(filter);
}

}  // namespace tk3d
