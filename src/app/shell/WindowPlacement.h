// The window placement as the platform stores it: a 44-byte record (length,
// flags, show state, minimised and maximised positions, normal rectangle),
// little-endian. The normal rectangle is the window's normal geometry.
#pragma once
#include <QByteArray>
#include <QRect>
#include <optional>

class QWidget;

namespace tk3d {

struct TWindowPlacement {
    static constexpr int kSize = 44;
    enum : uint32_t { kShowNormal = 1, kShowMinimized = 2, kShowMaximized = 3 };

    uint32_t Flags = 0;
    uint32_t ShowCmd = kShowNormal;
    QPoint MinPosition{-1, -1};
    QPoint MaxPosition{-1, -1};
    QRect NormalPosition;

    QByteArray Encode() const;
    // None unless the record is exactly 44 bytes and says so itself.
    static std::optional<TWindowPlacement> Decode(const QByteArray& bytes);

    static TWindowPlacement Of(const QWidget& window);
    // A rectangle without area is ignored; one that lies on no screen keeps
    // only its size. A minimised window comes back normal.
    void ApplyTo(QWidget& window) const;
};

}  // namespace tk3d
