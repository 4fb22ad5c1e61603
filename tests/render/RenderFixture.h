// One EGL surfaceless context for every renderer test, and helpers that
// look at rendered images.
#pragma once
#include <gtest/gtest.h>

#include <QImage>
#include <memory>

#include "EglContext.h"
#include "OffscreenRender.h"
#include "SceneRenderer.h"

namespace tk3d::test {

class RenderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    // GL errors reported during the test (each frame is checked).
    std::string fErrors;
    std::unique_ptr<TSceneRenderer> fRenderer;
    static std::unique_ptr<TEglContext> sContext;
};

struct TPixelBox {
    int Left = -1, Top = -1, Right = -1, Bottom = -1;
    bool Empty() const { return Left < 0; }
};

// Bounding box of the pixels that are not white.
TPixelBox NonWhiteBox(const QImage& image);
bool IsWhite(QRgb c);
// Whether a pixel within radius of (x, y) satisfies the predicate.
bool AnyNear(const QImage& image, int x, int y, int radius, bool (*pred)(QRgb));
bool IsReddish(QRgb c);
bool IsBlackish(QRgb c);

}  // namespace tk3d::test
