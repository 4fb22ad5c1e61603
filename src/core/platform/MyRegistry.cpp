#include "platform/MyRegistry.h"

#include <unistd.h>

#include <algorithm>
#include <climits>

#include "layoutfile/GlobalState.h"

namespace tk3d {
namespace {

// The system's window-text colour on a default desktop.
constexpr TColorRef kWindowTextColor = 0x000000;

std::string UpperAscii(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return s;
}

void ReadFontInto(TMyRegistry& reg, TLogFontW& font, TColorRef& color) {
    color = kWindowTextColor;
    reg.ReadFont(font, color);
}

// A pen starts from zero, with the window-text colour where the row says so.
void ReadPenInto(TMyRegistry& reg, TLogPen& target, bool colourDefault) {
    TLogPen pen;
    if (colourDefault) pen.lopnColor = kWindowTextColor;
    reg.ReadPen(pen);
    target = pen;
}

void SettingsFont(TMyRegistry& reg, int fontOffset, int colorOffset) {
    TLogFontW font = GlobalSettings.Get<TLogFontW>(fontOffset);
    TColorRef color = GlobalSettings.Get<TColorRef>(colorOffset);
    ReadFontInto(reg, font, color);
    GlobalSettings.Set(fontOffset, font);
    GlobalSettings.Set(colorOffset, color);
}

void SettingsPen(TMyRegistry& reg, int penOffset, bool colourDefault) {
    TLogPen pen = GlobalSettings.Get<TLogPen>(penOffset);
    ReadPenInto(reg, pen, colourDefault);
    GlobalSettings.Set(penOffset, pen);
}

using S = TGlobalSettings;
struct TPlannerRow {
    const char* key;
    const char* subKey;
    void (*read)(TMyRegistry&);
};

constexpr TPlannerRow kPlannerRows[] = {
    {"Fonts", "ArtNrFont", [](TMyRegistry& r) { SettingsFont(r, S::off_ArtNrFont, S::off_ArtNrColor); }},
    {"Fonts", "DescriptionFont",
     [](TMyRegistry& r) { SettingsFont(r, S::off_DescriptionFont, S::off_DescriptionColor); }},
    {"Fonts", "HeightFont", [](TMyRegistry& r) { SettingsFont(r, S::off_HeightFont, S::off_HeightColor); }},
    {"Fonts", "PageNoFont", [](TMyRegistry& r) { SettingsFont(r, S::off_PageNoFont, S::off_PageNoColor); }},
    {"Pens", "Grid pen", [](TMyRegistry& r) { SettingsPen(r, S::off_GridPen, true); }},
    {"Pens", "Slope pen", [](TMyRegistry& r) { SettingsPen(r, S::off_SlopePen, true); }},
    {"Pens", "Clearance Pen", [](TMyRegistry& r) { SettingsPen(r, S::off_ClearancePen, false); }},
    {"Fonts", "Text in Elements",
     [](TMyRegistry& r) { SettingsFont(r, S::off_TextInElementsFont, S::off_TextInElementsColor); }},
    {"Pens", "Benchwork pen",
     [](TMyRegistry& r) { ReadPenInto(r, PlannerPresentation.BenchworkPen, false); }},
    {"Fonts", "DefTextFont",
     [](TMyRegistry& r) {
         ReadFontInto(r, PlannerPresentation.DefTextFont, PlannerPresentation.DefTextColor);
     }},
    {"Fonts", "HelixFont",
     [](TMyRegistry& r) { ReadFontInto(r, PlannerPresentation.HelixFont, PlannerPresentation.HelixColor); }},
    {"Fonts", "MassFont",
     [](TMyRegistry& r) { ReadFontInto(r, PlannerPresentation.MassFont, PlannerPresentation.MassColor); }},
};

}  // namespace

std::string ExecutablePath() {
    char buf[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, size_t(n)) : std::string();
}

std::string PlannerIniFileName(const std::string& exePath) {
    const size_t slash = exePath.rfind('/');
    const size_t dot = exePath.rfind('.');
    const bool hasExt = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExt ? exePath.substr(0, dot) : exePath) + ".ini";
}

TMyRegistry::TMyRegistry(std::string iniFileName) : fIniFileName(std::move(iniFileName)) {}

const TIniFile& TMyRegistry::IniFile() {
    if (!fIniFile) fIniFile = std::make_unique<TIniFile>(fIniFileName);
    return *fIniFile;
}

void TMyRegistry::CloseAll() {
    CloseKey();
    SectionPath.clear();
}

bool TMyRegistry::OpenReadOnlyOrIni(const std::string& key) {
    const std::string path = ResolvePath(key);
    const bool inStore = Store(RootKey()).KeyExists(path);
    if (inStore) SetCurrent(path, true);
    if (RootKey() != TRegRoot::LocalMachine) {
        SectionPath.clear();
        return inStore;
    }
    if (SectionPath.empty() || SectionPath.back() != '\\') SectionPath += '\\';
    SectionPath = UpperAscii(SectionPath + key);
    if (inStore) return true;
    const std::vector<std::string> sections = IniFile().SectionNames();
    const bool inIni = std::any_of(sections.begin(), sections.end(), [&](const std::string& s) {
        return UpperAscii(s).compare(0, SectionPath.size(), SectionPath) == 0;
    });
    // Later keys are resolved below this one, but values come from the INI.
    if (inIni) SetCurrent(path, false);
    return inIni;
}

bool TMyRegistry::OpenBase(bool canCreate) {
    if (canCreate) return OpenKey(kPlannerBaseKey, true);
    if (OpenReadOnlyOrIni(kPlannerBaseKey)) return true;
    SetRootKey(TRegRoot::LocalMachine);
    if (OpenReadOnlyOrIni(kPlannerBaseKey)) return true;
    SetRootKey(TRegRoot::CurrentUser);
    return false;
}

bool TMyRegistry::OpenPart(bool canCreate, const std::string& key) {
    return canCreate ? OpenKey(key, true) : OpenReadOnlyOrIni(key);
}

bool TMyRegistry::OpenSettings(bool canCreate) {
    if (OpenBase(canCreate) && OpenPart(canCreate, kPlannerSettingsKey)) return true;
    if (canCreate) return false;
    CloseAll();
    SetRootKey(TRegRoot::LocalMachine);
    if (OpenBase(false) && OpenReadOnlyOrIni(kPlannerSettingsKey)) return true;
    SetRootKey(TRegRoot::CurrentUser);
    return false;
}

bool TMyRegistry::OpenSettingsKey(bool canCreate, const std::string& key, const std::string& subKey) {
    const auto sequence = [&] {
        return OpenSettings(canCreate) && OpenPart(canCreate, key) &&
               (subKey.empty() || OpenPart(canCreate, subKey));
    };
    if (sequence()) return true;
    if (canCreate) return false;
    CloseAll();
    SetRootKey(TRegRoot::LocalMachine);
    if (sequence()) return true;
    SetRootKey(TRegRoot::CurrentUser);
    return false;
}

bool TMyRegistry::ReadIntegerFallback(const std::string& name, int32_t& value) {
    if (const std::optional<int32_t> v = ReadInteger(name)) {
        value = *v;
        return true;
    }
    if (RootKey() == TRegRoot::CurrentUser) {
        const std::optional<TRegValue> v = Store(TRegRoot::LocalMachine).Value(CurrentPath(), name);
        if (v && std::holds_alternative<int32_t>(*v)) {
            value = std::get<int32_t>(*v);
            return true;
        }
    }
    value = IniFile().ReadInteger(SectionPath, name, value);
    return true;
}

void TMyRegistry::ReadByteFallback(const std::string& name, uint8_t& value) {
    int32_t v = value;
    ReadIntegerFallback(name, v);
    if (v >= 0 && v < 256) value = uint8_t(v);
}

bool TMyRegistry::ReadStringFallback(const std::string& name, std::string& value) {
    if (const std::optional<std::string> v = ReadString(name)) {
        value = *v;
        return true;
    }
    if (RootKey() == TRegRoot::CurrentUser) {
        const std::optional<TRegValue> v = Store(TRegRoot::LocalMachine).Value(CurrentPath(), name);
        if (v && std::holds_alternative<std::string>(*v)) {
            value = std::get<std::string>(*v);
            return true;
        }
    }
    if (const std::optional<std::string> v = IniFile().ReadString(SectionPath, name)) value = *v;
    return true;
}

void TMyRegistry::ReadFont(TLogFontW& font, TColorRef& color) {
    ReadIntegerFallback("Height", font.lfHeight);
    ReadIntegerFallback("Width", font.lfWidth);
    ReadIntegerFallback("Escapement", font.lfEscapement);
    ReadIntegerFallback("Orientation", font.lfOrientation);
    ReadIntegerFallback("Weight", font.lfWeight);
    ReadByteFallback("Italic", font.lfItalic);
    ReadByteFallback("Underline", font.lfUnderline);
    ReadByteFallback("Strikeout", font.lfStrikeOut);
    ReadByteFallback(" Charset", font.lfCharSet);
    ReadByteFallback("Outprecision", font.lfOutPrecision);
    ReadByteFallback("Clipprecision", font.lfClipPrecision);
    ReadByteFallback("Quality", font.lfQuality);
    ReadByteFallback("PitchAndFamily", font.lfPitchAndFamily);
    const std::string face = FaceName(font);
    std::string read = face;
    ReadStringFallback("FaceName", read);
    if (read != face) SetFaceName(font, read);
    int32_t c = int32_t(color);
    ReadIntegerFallback("Color", c);
    color = TColorRef(c);
}

void TMyRegistry::ReadPen(TLogPen& pen) {
    int32_t style = int32_t(pen.lopnStyle);
    ReadIntegerFallback("Style", style);
    pen.lopnStyle = uint32_t(style);
    ReadIntegerFallback("Width", pen.lopnWidth.X);
    int32_t color = int32_t(pen.lopnColor);
    ReadIntegerFallback("Color", color);
    pen.lopnColor = TColorRef(color);
}

void LoadPlannerFontsAndPens(const std::string& iniFileName) {
    TMyRegistry reg(iniFileName);
    reg.CloseAll();
    for (const TPlannerRow& row : kPlannerRows) {
        // Every row starts its lookup at the current user, whichever root
        // the previous row was found in.
        reg.SetRootKey(TRegRoot::CurrentUser);
        if (reg.OpenSettingsKey(false, row.key, row.subKey)) {
            row.read(reg);
            reg.CloseAll();
        }
    }
    reg.CloseAll();
}

}  // namespace tk3d
