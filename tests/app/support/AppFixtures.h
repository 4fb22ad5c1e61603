// Fixtures of the application tests: a private registry store, the program
// path of the built viewer (its language files and help lie beside it),
// message boxes taken instead of shown, and small layout files.
#pragma once
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "shell/Messages.h"

namespace tk3dtest {

// Points the registry store at a fresh folder, the program path at the
// built viewer and collects message boxes; undone on destruction.
class TAppEnvironment {
public:
    TAppEnvironment();
    ~TAppEnvironment();

    QString ConfigRoot() const { return fConfig.path(); }
    QString TempPath(const QString& name) const { return fFiles.filePath(name); }

    struct TMessage {
        tk3d::TMessageIcon Icon;
        QString Caption;
        QString Text;
    };
    std::vector<TMessage> Messages;

private:
    QTemporaryDir fConfig;
    QTemporaryDir fFiles;
};

// A layout of the current format with one small placeable object per entry
// of layers (on that layer), spread along X.
struct TLayoutSpec {
    TLayoutSpec(std::vector<int> layers_ = {}, std::map<int, std::string> layerNames_ = {},
                std::vector<int> visible_ = {})
        : layers(std::move(layers_)), layerNames(std::move(layerNames_)), visible(std::move(visible_)) {}

    std::vector<int> layers;
    std::map<int, std::string> layerNames;
    // Visible layers of the settings block; all when empty.
    std::vector<int> visible;
    // Offsets of flags set in the settings record (504: ties shown).
    std::vector<int> flags;
    // Offset of every object, millimetres.
    double x = 0, y = -1000;
    double width = 1000, height = 400;
};
// Writes the file and returns its path.
QString WriteLayout(const QString& path, const TLayoutSpec& spec);
// A file that is no layout at all.
QString WriteInvalidFile(const QString& path);

}  // namespace tk3dtest
