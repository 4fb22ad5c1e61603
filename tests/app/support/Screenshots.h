// Saves a picture of a widget as PNG into $TK3D_SCREENSHOT_DIR when that is
// set, so that a person can look at what the tests saw.
#pragma once
#include <QImage>
#include <QString>

class QWidget;

namespace tk3dtest {

void SaveScreenshot(QWidget& widget, const QString& name);
void SaveScreenshot(const QImage& image, const QString& name);
// A window under a strip with its title (there is no window manager to
// draw one), with further widgets such as an open menu to its right.
void SaveWindowWithTitle(QWidget& window, const QList<QWidget*>& beside, const QString& name);

}  // namespace tk3dtest
