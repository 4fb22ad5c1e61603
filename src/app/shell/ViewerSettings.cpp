#include "shell/ViewerSettings.h"

#include "platform/Registry.h"
#include "shell/WindowPlacement.h"

namespace tk3d {

namespace {

constexpr const char* kViewerKey = "Software\\Kestrow\\Trakona\\11.0\\Viewer";
constexpr const char* kPlannerSettingsKey = "Software\\Kestrow\\Trakona\\11.0\\Settings";

QString ReadFolder(TRegistry& reg, const char* key) {
    QString folder;
    if (reg.OpenKeyReadOnly(key)) {
        if (std::optional<std::string> v = reg.ReadString("DefFileDir")) folder = QString::fromStdString(*v);
        reg.CloseKey();
    }
    return folder;
}

}  // namespace

TViewerSettings TViewerSettings::Read() {
    TViewerSettings s;
    TRegistry reg(TRegRoot::CurrentUser);
    s.DefFileDir = ReadFolder(reg, kViewerKey);
    if (reg.OpenKeyReadOnly(kViewerKey)) {
        if (std::optional<TRegBinary> v = reg.ReadBinary("Placement");
            v && v->size() == TWindowPlacement::kSize)
            s.Placement = QByteArray(reinterpret_cast<const char*>(v->data()), qsizetype(v->size()));
        reg.CloseKey();
    }
    if (s.DefFileDir.isEmpty()) s.DefFileDir = ReadFolder(reg, kPlannerSettingsKey);
    return s;
}

bool TViewerSettings::Write() const {
    TRegistry reg(TRegRoot::CurrentUser);
    if (!reg.OpenKey(kViewerKey, true)) return false;
    const TRegBinary placement(Placement.begin(), Placement.end());
    const bool ok =
        reg.WriteString("DefFileDir", DefFileDir.toStdString()) && reg.WriteBinary("Placement", placement);
    reg.CloseKey();
    return ok;
}

}  // namespace tk3d
