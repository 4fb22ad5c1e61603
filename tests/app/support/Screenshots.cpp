#include "support/Screenshots.h"

#include <QDir>
#include <QPainter>
#include <QPixmap>
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

void SaveWindowWithTitle(QWidget& window, const QList<QWidget*>& beside, const QString& name) {
    if (qEnvironmentVariableIsEmpty("TK3D_SCREENSHOT_DIR")) return;
    constexpr int kStrip = 28;
    const QPixmap main = window.grab();
    QList<QPixmap> others;
    int width = main.width();
    for (QWidget* w : beside) {
        others << w->grab();
        width += others.back().width() + 8;
    }
    QImage image(width, main.height() + kStrip, QImage::Format_RGB32);
    image.fill(QColor(60, 60, 70));
    QPainter p(&image);
    p.setPen(Qt::white);
    p.drawText(QRect(8, 0, width - 16, kStrip), Qt::AlignVCenter, window.windowTitle());
    p.drawPixmap(0, kStrip, main);
    int x = main.width() + 8;
    for (const QPixmap& other : others) {
        p.drawPixmap(x, kStrip, other);
        x += other.width() + 8;
    }
    p.end();
    SaveScreenshot(image, name);
}

}  // namespace tk3dtest
