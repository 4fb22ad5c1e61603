// Languages of the user interface. German is built in; English and Dutch
// come as language files beside the executable, named after it with the
// language's abbreviation appended (tk3d.ENU, then tk3d.EN; tk3d.NLD). A
// loaded file replaces the active texts of every window in place.
#pragma once
#include <QString>
#include <optional>

namespace tk3d {

// Windows locale identifiers of the supported languages.
enum TLocale : int {
    kLocaleGerman = 1031,
    kLocaleEnglishUS = 1033,
    kLocaleEnglishGB = 2057,
    kLocaleDutch = 1043,
    kLocaleSpanish = 1034,
};

// The locale of a language code such as "ENU"; 0 for an unsupported code.
int LocaleOfCode(const QString& code);
// The three-letter abbreviation of a locale ("ENU"); empty when unknown.
QString LanguageAbbreviation(int locale);

// The executable's full path; tests point it at the built program.
QString ProgramPath();
void SetProgramPath(const QString& path);

// The code of the active texts: "deu" built in, "enu", "nld" ...
QString ActiveLanguageCode();
// "%d.%d.%d.%d" of this program's version.
QString ProgramVersionText();
// The version the active language file was made for; the program's own for
// the built-in texts.
QString ActiveTextsVersion();

// The stored preference (value named after the executable's path), looked
// up where the platform's loader and the program look, current user first.
std::optional<QString> ReadLanguagePreference();
// Written for the current user; an empty code stands for German.
void WriteLanguagePreference(const QString& code);

// Applies the stored preference and checks that a loaded language file fits
// this program; false means the program must end.
bool CheckLanguage();
// Finds and activates the language file of a locale; reports a file that
// cannot be loaded and returns false, keeping the present texts.
bool LoadLanguageLibrary(int locale);
// Back to the built-in German texts, unloading a language file.
void UseBuiltInTexts();
// The file name last tried or loaded (for messages and tests).
QString LastLanguageFile();
// Re-reads every window's texts in place from the active language.
void ReloadForms();

// The executable's name until a language is switched, then "3D-Viewer für
// Trakona®" of the active language.
QString ApplicationTitle();
void SetApplicationTitleFromTexts();
void ResetApplicationTitle();

// The message shown when the version check fails (always English: it must
// be readable whatever texts are broken).
QString VersionMismatchText();

}  // namespace tk3d
