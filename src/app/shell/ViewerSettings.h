// The viewer's own values in the registry store: the last folder of the
// Open dialog and the window placement, read at start and written at close.
// Without a folder of its own the viewer offers the planner's.
#pragma once
#include <QByteArray>
#include <QString>

namespace tk3d {

struct TViewerSettings {
    QString DefFileDir;
    // Exactly 44 bytes, or empty when none was stored (or another size).
    QByteArray Placement;

    static TViewerSettings Read();
    // Creates the key when needed; false when the store cannot be written.
    bool Write() const;
};

}  // namespace tk3d
