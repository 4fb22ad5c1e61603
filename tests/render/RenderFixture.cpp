#include "RenderFixture.h"

#include "layoutfile/GlobalState.h"

namespace tk3d::test {

std::unique_ptr<TEglContext> RenderTest::sContext;

void RenderTest::SetUpTestSuite() {
    if (!sContext) sContext = std::make_unique<TEglContext>();
}

void RenderTest::TearDownTestSuite() {}

void RenderTest::SetUp() {
    ResetGlobalState();
    sContext->MakeCurrent();
    fRenderer = std::make_unique<TSceneRenderer>();
    fRenderer->OnGLError = [this](const std::string& m) { fErrors += m; };
}

bool IsWhite(QRgb c) { return qRed(c) == 255 && qGreen(c) == 255 && qBlue(c) == 255; }
bool IsReddish(QRgb c) { return qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 80; }
bool IsBlackish(QRgb c) { return qRed(c) < 60 && qGreen(c) < 60 && qBlue(c) < 60; }

TPixelBox NonWhiteBox(const QImage& image) {
    TPixelBox b;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (IsWhite(image.pixel(x, y))) continue;
            if (b.Empty()) {
                b = {x, y, x, y};
                continue;
            }
            b.Left = std::min(b.Left, x);
            b.Right = std::max(b.Right, x);
            b.Top = std::min(b.Top, y);
            b.Bottom = std::max(b.Bottom, y);
        }
    return b;
}

bool AnyNear(const QImage& image, int x, int y, int radius, bool (*pred)(QRgb)) {
    for (int yy = y - radius; yy <= y + radius; ++yy)
        for (int xx = x - radius; xx <= x + radius; ++xx)
            if (xx >= 0 && yy >= 0 && xx < image.width() && yy < image.height() && pred(image.pixel(xx, yy)))
                return true;
    return false;
}

}  // namespace tk3d::test
