#include "support/AppFixtures.h"

#include <QFile>

#include "WriteObjects.h"
#include "WriteSettings.h"
#include "layoutfile/GlobalState.h"
#include "shell/Help.h"
#include "shell/Language.h"

namespace tk3dtest {

TAppEnvironment::TAppEnvironment() {
    qputenv("TK3D_CONFIG_ROOT", fConfig.path().toLocal8Bit());
    tk3d::SetProgramPath(QString(TK3D_APP_DIR) + "/tk3d");
    tk3d::UseBuiltInTexts();
    tk3d::ResetApplicationTitle();
    tk3d::ResolveHelpFile();
    tk3d::ResetGlobalState();
    tk3d::SetMessageHook([this](tk3d::TMessageIcon icon, const QString& caption, const QString& text) {
        Messages.push_back({icon, caption, text});
    });
}

TAppEnvironment::~TAppEnvironment() {
    tk3d::SetMessageHook(nullptr);
    tk3d::UseBuiltInTexts();
    tk3d::ResetApplicationTitle();
    tk3d::SetProgramPath(QString());
    tk3d::ResetGlobalState();
    qunsetenv("TK3D_CONFIG_ROOT");
}

QString WriteLayout(const QString& path, const TLayoutSpec& spec) {
    using namespace tk3dw;
    WDocument doc;
    for (size_t i = 0; i < spec.layers.size(); ++i) {
        WRailObject o;
        o.layer = spec.layers[i];
        o.number = int32_t(i + 2);
        o.x = spec.x + double(i) * spec.width;
        o.y = spec.y;
        WLine line;
        line.x1 = 0;
        line.y1 = 0;
        line.x2 = spec.width * 0.8;
        line.y2 = spec.height;
        o.lines.push_back(line);
        doc.objects.push_back(RailObjectWriter(o));
    }
    WRecord record = DefaultRecord();
    for (int b = 0; b < 32; ++b) record.Byte(52 + b, spec.visible.empty() ? 0xFF : 0);
    for (int layer : spec.visible) record.bytes[size_t(52 + layer / 8)] |= uint8_t(1u << (layer % 8));
    for (int offset : spec.flags) record.Byte(offset, 1);
    TLayoutWriter w;
    WriteVersionedHeader(w, 608);
    WriteCurrentSettings(w, record, spec.layerNames);
    WriteDocument(w, doc);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(reinterpret_cast<const char*>(w.bytes.data()), qsizetype(w.bytes.size()));
    return path;
}

QString WriteInvalidFile(const QString& path) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("This is no layout file at all.\n");
    return path;
}

}  // namespace tk3dtest
