#include "support/Screenshots.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tk3dtest {

void SaveScreenshot(const QImage& image, const QString& name) {
    const QString dir = qEnvironmentVariable("TK3D_SCREENSHOT_DIR");
    if (dir.isEmpty()) return;
    QDir().mkpath(dir);
    image.save(QDir(dir).filePath(name + ".png"));
}

void SaveScreenshot(QWidget& widget, const QString& name) {
    if (qEnvironmentVariableIsEmpty("TK3D_SCREENSHOT_DIR")) return;
    SaveScreenshot(widget.grab().toImage(), name);
}

}  // namespace tk3dtest

namespace tk3dtest {

void SaveScreenArea(QWidget& window, const QString& name) {
    if (qEnvironmentVariableIsEmpty("TK3D_SCREENSHOT_DIR")) return;
    const QRect area = window.frameGeometry().adjusted(-10, -10, 10, 40);
    SaveScreenshot(QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                       .toImage(),
                   name);
}

}  // namespace tk3dtest
