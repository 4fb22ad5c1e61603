#include "shell/CoreMessages.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace tk3d {

namespace {

// The messages of the core library; %1 stands for a name or number that the
// message carries.
constexpr const char* kCoreMessages[] = {
    QT_TRANSLATE_NOOP("tk3d::CoreMessages", "Stream-Lesefehler"),
    QT_TRANSLATE_NOOP("tk3d::CoreMessages", "Ungültige Typumwandlung"),
    QT_TRANSLATE_NOOP("tk3d::CoreMessages", "Ungültige Gleitkommaoperation"),
    QT_TRANSLATE_NOOP("tk3d::CoreMessages", "Unbekannter Objekttyp! [%1]"),
    QT_TRANSLATE_NOOP("tk3d::CoreMessages", "Unbekannter Objekttyp!"),
    QT_TRANSLATE_NOOP("tk3d::CoreMessages",
                      "Datei %1 ist ungültig oder paßt nicht zu dieser Programmversion!"),
    QT_TRANSLATE_NOOP("tk3d::CoreMessages", "Datei %1 kann nicht geöffnet werden"),
    QT_TRANSLATE_NOOP("tk3d::CoreMessages", "Datei %1 kann nicht erzeugt werden"),
    QT_TRANSLATE_NOOP(
        "tk3d::CoreMessages",
        "Kann Dateien der Vorversion, die eingebettete oder verknüpfte Objekte enthalten, nicht lesen!"),
    QT_TRANSLATE_NOOP("tk3d::CoreMessages", "INCIRCUM - F - Points are coincident !!"),
    QT_TRANSLATE_NOOP("tk3d::CoreMessages", "AlignBMP mit 0 aufgerufen!"),
    QT_TRANSLATE_NOOP("tk3d::CoreMessages", "TPointArrayClass: Index nicht innerhalb des gültigen Bereichs!"),
    QT_TRANSLATE_NOOP("tk3d::CoreMessages",
                      "TExPointArrayClass: Index nicht innerhalb des gültigen Bereichs!"),
    QT_TRANSLATE_NOOP(
        "tk3d::CoreMessages",
        "Es ist ein Problem (vermutlich Resourcen-Mangel) beim Erzeugen einer 3D-Schriftart aufgetreten!"),
    QT_TRANSLATE_NOOP("tk3d::CoreMessages", "OpenGL-Fehler! [$%1]"),
    QT_TRANSLATE_NOOP("tk3d::CoreMessages", "OpenGL 2.1 wird benötigt, vorhanden: %1"),
    QT_TRANSLATE_NOOP("tk3d::CoreMessages", "OpenGL: kein aktueller Kontext"),
    QT_TRANSLATE_NOOP("tk3d::CoreMessages", "OpenGL: kein Framebuffer für das Bild"),
    QT_TRANSLATE_NOOP("tk3d::CoreMessages", "OpenGL: Shader für Texte nicht bindbar"),
    QT_TRANSLATE_NOOP("tk3d::CoreMessages", "Bild zu groß"),
};

QRegularExpression PatternOf(const QString& message) {
    QString pattern = QRegularExpression::escape(message);
    pattern.replace(QRegularExpression::escape("%1"), "(.*)");
    return QRegularExpression("^" + pattern + "$", QRegularExpression::DotMatchesEverythingOption);
}

}  // namespace

QString TranslateCoreMessage(const char* message) {
    const QString text = QString::fromUtf8(message);
    for (const char* source : kCoreMessages) {
        const QString german = QString::fromUtf8(source);
        const QRegularExpressionMatch match = PatternOf(german).match(text);
        if (!match.hasMatch()) continue;
        QString translated = QCoreApplication::translate("tk3d::CoreMessages", source);
        if (match.lastCapturedIndex() >= 1) translated = translated.arg(match.captured(1));
        return translated;
    }
    return text;
}

}  // namespace tk3d
