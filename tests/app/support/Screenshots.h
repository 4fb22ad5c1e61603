// Saves a picture of a widget as PNG into $TK3D_SCREENSHOT_DIR when that is
// set, so that a person can look at what the tests saw.
#pragma once
#include <QImage>
#include <QString>

class QWidget;

namespace tk3dtest {

void SaveScreenshot(QWidget& widget, const QString& name);
void SaveScreenshot(const QImage& image, const QString& name);
// The screen around a window, with its menus and tooltips.
void SaveScreenArea(QWidget& window, const QString& name);

}  // namespace tk3dtest
