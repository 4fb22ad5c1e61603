// Reader of the planner's settings: each value is looked up in the current
// user's store, then in the machine-wide store, then in an INI file beside
// the executable. Fills the fonts and pens that 16-bit layout files lack.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Registry.h"
#include "platform/WinTypes.h"

namespace tk3d {

// The planner's base key and its settings key.
inline constexpr const char* kPlannerBaseKey = "Software\\Kestrow\\Trakona\\11.0";
inline constexpr const char* kPlannerSettingsKey = "Settings";

// The path of the running executable.
std::string ExecutablePath();
// The executable's path with its extension replaced by ".ini".
std::string PlannerIniFileName(const std::string& exePath = ExecutablePath());

class TMyRegistry : public TRegistry {
public:
    explicit TMyRegistry(std::string iniFileName = PlannerIniFileName());

    // Upper-cased key path that names the INI section; empty while the root
    // is the current user's.
    std::string SectionPath;

    void CloseAll();
    bool OpenBase(bool canCreate);
    bool OpenSettings(bool canCreate);
    bool OpenSettingsKey(bool canCreate, const std::string& key, const std::string& subKey = {});
    // Opens a key below the current one; in the machine-wide root a key that
    // only the INI file holds (a section beginning with SectionPath) counts.
    bool OpenReadOnlyOrIni(const std::string& key);

    // Each leaves the value unchanged when no source holds it.
    bool ReadIntegerFallback(const std::string& name, int32_t& value);
    // Stores only values 0..255.
    void ReadByteFallback(const std::string& name, uint8_t& value);
    bool ReadStringFallback(const std::string& name, std::string& value);
    void ReadFont(TLogFontW& font, TColorRef& color);
    void ReadPen(TLogPen& pen);

private:
    const TIniFile& IniFile();
    bool OpenPart(bool canCreate, const std::string& key);

    std::string fIniFileName;
    std::unique_ptr<TIniFile> fIniFile;
};

// For files of the 16-bit format: the fonts, colours and pens of the
// settings record and of PlannerPresentation from the planner's settings.
void LoadPlannerFontsAndPens(const std::string& iniFileName = PlannerIniFileName());

}  // namespace tk3d
