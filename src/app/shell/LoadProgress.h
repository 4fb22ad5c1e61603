// Opens a layout file for the main window under the busy cursor. Files of a
// few megabytes and more load on a worker thread while a modal progress
// window keeps the screen alive.
#pragma once
#include <QString>
#include <memory>

class QWidget;

namespace tk3d {

class TRailList;

inline constexpr qint64 kProgressFileSize = qint64(4) << 20;

// Raises what the loader raises.
std::unique_ptr<TRailList> LoadLayoutFile(const QString& name, QWidget* parent);

}  // namespace tk3d
