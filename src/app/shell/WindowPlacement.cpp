#include "shell/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QtEndian>

namespace tk3d {

namespace {

void Put(QByteArray& out, int32_t v) {
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

int32_t Take(const QByteArray& in, int& pos) {
    const int32_t v = qFromLittleEndian<int32_t>(in.constData() + pos);
    pos += 4;
    return v;
}

bool OnSomeScreen(const QRect& r) {
    for (QScreen* screen : QGuiApplication::screens())
        if (screen->geometry().intersects(r)) return true;
    return false;
}

}  // namespace

QByteArray TWindowPlacement::Encode() const {
    QByteArray out;
    Put(out, kSize);
    Put(out, int32_t(Flags));
    Put(out, int32_t(ShowCmd));
    Put(out, MinPosition.x());
    Put(out, MinPosition.y());
    Put(out, MaxPosition.x());
    Put(out, MaxPosition.y());
    Put(out, NormalPosition.left());
    Put(out, NormalPosition.top());
    Put(out, NormalPosition.left() + NormalPosition.width());
    Put(out, NormalPosition.top() + NormalPosition.height());
    return out;
}

std::optional<TWindowPlacement> TWindowPlacement::Decode(const QByteArray& bytes) {
    if (bytes.size() != kSize) return std::nullopt;
    int pos = 0;
    if (Take(bytes, pos) != kSize) return std::nullopt;
    TWindowPlacement p;
    p.Flags = uint32_t(Take(bytes, pos));
    p.ShowCmd = uint32_t(Take(bytes, pos));
    const int minX = Take(bytes, pos);
    p.MinPosition = QPoint(minX, Take(bytes, pos));
    const int maxX = Take(bytes, pos);
    p.MaxPosition = QPoint(maxX, Take(bytes, pos));
    const int64_t left = Take(bytes, pos);
    const int64_t top = Take(bytes, pos);
    const int64_t right = Take(bytes, pos);
    const int64_t bottom = Take(bytes, pos);
    // Widths beyond what a window can have are no placement.
    if (right - left > 100000 || bottom - top > 100000) return std::nullopt;
    p.NormalPosition = QRect(int(left), int(top), int(right - left), int(bottom - top));
    return p;
}

TWindowPlacement TWindowPlacement::Of(const QWidget& window) {
    TWindowPlacement p;
    p.ShowCmd = window.isMaximized() ? kShowMaximized : window.isMinimized() ? kShowMinimized : kShowNormal;
    const QRect normal = window.normalGeometry();
    p.NormalPosition = normal.isValid() ? normal : window.geometry();
    return p;
}

void TWindowPlacement::ApplyTo(QWidget& window) const {
    if (NormalPosition.width() <= 0 || NormalPosition.height() <= 0) return;
    if (OnSomeScreen(NormalPosition))
        window.setGeometry(NormalPosition);
    else
        window.resize(NormalPosition.size());
    if (ShowCmd == kShowMaximized)
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    else
        window.setWindowState(window.windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized));
}

}  // namespace tk3d
