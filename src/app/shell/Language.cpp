#include "shell/Language.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTranslator>
#include <QWidget>
#include <cerrno>
#include <cstring>
#include <memory>

#include "platform/Registry.h"
#include "shell/Messages.h"

namespace tk3d {

namespace {

struct TLanguageRow {
    const char* code;
    int locale;
};
constexpr TLanguageRow kLanguages[] = {
    {"DEU", kLocaleGerman}, {"ENU", kLocaleEnglishUS}, {"ENG", kLocaleEnglishGB},
    {"NLD", kLocaleDutch},  {"ESP", kLocaleSpanish},
};

// Where the preference is looked up: the keys the platform's resource loader
// consults at start, in its order, then the program's own.
constexpr const char* kPreferenceKeys[] = {
    "Software\\Embarcadero\\Locales",
    "Software\\CodeGear\\Locales",
    "Software\\Borland\\Locales",
    "Software\\Borland\\Delphi\\Locales",
};
constexpr const char* kPreferenceWriteKey = "Software\\Borland\\Locales";

QString& ProgramPathRef() {
    static QString path;
    return path;
}

std::unique_ptr<QTranslator>& ActiveLibrary() {
    static std::unique_ptr<QTranslator> library;
    return library;
}

QString& LastFile() {
    static QString file;
    return file;
}

std::optional<QString>& Title() {
    static std::optional<QString> title;
    return title;
}

// The language file's name: the executable's extension replaced by the
// abbreviation, or the abbreviation appended when it has none.
QString LibraryFileName(const QString& program, const QString& abbreviation) {
    const QFileInfo info(program);
    const QString suffix = info.suffix();
    QString name = suffix.isEmpty() ? info.fileName() : info.fileName().chopped(suffix.size() + 1);
    return info.dir().filePath(name + "." + abbreviation);
}

std::unique_ptr<QTranslator> TryLoad(const QString& file, int& error) {
    const int fd = ::open(QFile::encodeName(file).constData(), O_RDONLY);
    if (fd < 0) {
        error = errno;
        return nullptr;
    }
    ::close(fd);
    auto library = std::make_unique<QTranslator>();
    if (!library->load(file)) {
        // Readable, but no language file.
        error = ENOEXEC;
        return nullptr;
    }
    return library;
}

bool Activate(std::unique_ptr<QTranslator> library) {
    UseBuiltInTexts();
    if (!QCoreApplication::installTranslator(library.get())) return false;
    ActiveLibrary() = std::move(library);
    return true;
}

}  // namespace

int LocaleOfCode(const QString& code) {
    for (const TLanguageRow& row : kLanguages)
        if (code == QLatin1String(row.code)) return row.locale;
    return 0;
}

QString LanguageAbbreviation(int locale) {
    for (const TLanguageRow& row : kLanguages)
        if (row.locale == locale) return QString::fromLatin1(row.code);
    return QString();
}

QString ProgramPath() {
    if (ProgramPathRef().isEmpty()) return QCoreApplication::applicationFilePath();
    return ProgramPathRef();
}

void SetProgramPath(const QString& path) { ProgramPathRef() = path; }

QString ActiveLanguageCode() { return QCoreApplication::translate("tk3d::Language", "deu"); }

QString ProgramVersionText() {
    QStringList parts = QString(TK3D_VERSION_TEXT).split('.');
    while (parts.size() < 4) parts << "0";
    QStringList numbers;
    for (int i = 0; i < 4; ++i) numbers << QString::number(parts[i].toInt());
    return numbers.join('.');
}

QString ActiveTextsVersion() {
    if (!ActiveLibrary()) return ProgramVersionText();
    // The translation of this marker is the version the file was made for.
    return QCoreApplication::translate("tk3d::Language", "@version");
}

std::optional<QString> ReadLanguagePreference() {
    const std::string name = ProgramPath().toStdString();
    for (TRegRoot root : {TRegRoot::CurrentUser, TRegRoot::LocalMachine}) {
        TRegistry reg(root);
        for (const char* key : kPreferenceKeys) {
            if (!reg.OpenKeyReadOnly(key)) continue;
            std::optional<std::string> code = reg.ReadString(name);
            reg.CloseKey();
            if (code) return QString::fromStdString(*code);
        }
    }
    return std::nullopt;
}

void WriteLanguagePreference(const QString& code) {
    TRegistry reg(TRegRoot::CurrentUser);
    if (reg.OpenKey(kPreferenceWriteKey, true))
        reg.WriteString(ProgramPath().toStdString(), code.toStdString());
}

bool CheckLanguage() {
    const std::optional<QString> preference = ReadLanguagePreference();
    if (preference && preference->compare(ActiveLanguageCode(), Qt::CaseInsensitive) != 0) {
        const int locale = LocaleOfCode(preference->toUpper());
        if (locale != 0 && LoadLanguageLibrary(locale)) ReloadForms();
    }
    if (ActiveLanguageCode().toUpper() == "DEU") return true;
    return ActiveTextsVersion() == ProgramVersionText();
}

bool LoadLanguageLibrary(int locale) {
    const QString abbreviation = LanguageAbbreviation(locale);
    std::unique_ptr<QTranslator> library;
    int error = 0;
    QString file;
    if (!abbreviation.isEmpty()) {
        file = LibraryFileName(ProgramPath(), abbreviation);
        library = TryLoad(file, error);
        if (!library) {
            file = LibraryFileName(ProgramPath(), abbreviation.left(2));
            library = TryLoad(file, error);
        }
    }
    LastFile() = file;
    if (library) {
        if (Activate(std::move(library))) return true;
        ShowMessageBox(nullptr, TMessageIcon::Error, ApplicationTitle(),
                       QCoreApplication::translate("tk3d::Language", "SetResourceHInstance failed!"));
        return false;
    }
    const QString systemError = QCoreApplication::translate("tk3d::Language", "Systemfehler.  Code: %1.\n%2")
                                    .arg(error)
                                    .arg(QString::fromLocal8Bit(std::strerror(error)));
    ShowMessageBox(
        nullptr, TMessageIcon::Error, ApplicationTitle(),
        QCoreApplication::translate("tk3d::Language", "Could not load resource module %1!").arg(file) + "\n" +
            systemError);
    return false;
}

void UseBuiltInTexts() {
    if (!ActiveLibrary()) return;
    QCoreApplication::removeTranslator(ActiveLibrary().get());
    ActiveLibrary().reset();
}

QString LastLanguageFile() { return LastFile(); }

void ReloadForms() {
    // Installing a language posts the change to every window; deliver it now
    // so that the windows read their texts before anything else happens.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
}

QString ApplicationTitle() {
    if (Title()) return *Title();
    return QFileInfo(ProgramPath()).completeBaseName();
}

void SetApplicationTitleFromTexts() {
    Title() = QCoreApplication::translate("tk3d::Language", "3D-Viewer für %1").arg("Trakona") +
              QString::fromUtf8("®");
}

void ResetApplicationTitle() { Title().reset(); }

QString VersionMismatchText() {
    return "The version of the executable file doesn't match the version of the language resource file "
           "(.eng, .enu, .nld or .esp). Please re-install Trakona!";
}

}  // namespace tk3d
