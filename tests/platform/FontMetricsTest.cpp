// Text measurement: the Windows faces resolve to installed metric-compatible
// ones, and the three meanings of a font height.
#include <gtest/gtest.h>

#include "platform/FontMetrics.h"

namespace tk3d {
namespace {

TLogFontW Font(const char* face, int32_t height, int32_t weight = 400) {
    TLogFontW f;
    f.lfHeight = height;
    f.lfWeight = weight;
    SetFaceName(f, face);
    return f;
}

TEST(FontMetrics, ArialMeasuresLikeItsSubstitute) {
    const TTextExtent arial = MeasureText(Font("Arial", -100), "Hello World");
    const TTextExtent liberation = MeasureText(Font("Liberation Sans", -100), "Hello World");
    EXPECT_EQ(arial.cx, liberation.cx);
    EXPECT_EQ(arial.cy, liberation.cy);
    // Arial's advance widths: H 722, e 556, l 222, o 556, space 278, W 944,
    // r 333, d 556 per 1000 em.
    EXPECT_NEAR(arial.cx, 100 * (722 + 556 + 222 + 222 + 556 + 278 + 944 + 556 + 333 + 222 + 556) / 1000.0,
                1);
    // Cell: ascent 0.905 plus descent 0.212 of the em.
    EXPECT_NEAR(arial.cy, 112, 1);
    EXPECT_TRUE(IsScalableFont(Font("Arial", -10)));
}

TEST(FontMetrics, HeightMeanings) {
    const TTextExtent em = MeasureText(Font("Arial", -100), "x");
    const TTextExtent cell = MeasureText(Font("Arial", 100), "x");
    const TTextExtent fallback = MeasureText(Font("Arial", 0), "x");
    EXPECT_EQ(cell.cy, 100);
    EXPECT_EQ(fallback.cy, 16);
    EXPECT_NEAR(double(em.cx) / cell.cx, 112.0 / 100, 0.02);
}

TEST(FontMetrics, WeightAndEdgeCases) {
    EXPECT_GT(MeasureText(Font("Arial", -100, 700), "mmmm").cx, MeasureText(Font("Arial", -100), "mmmm").cx);
    EXPECT_EQ(MeasureText(Font("Arial", -100), "").cx, 0);
    // An unknown face still measures with some installed face.
    EXPECT_GT(MeasureText(Font("No Such Face 123", -50), "abc").cx, 0);
    // Hostile heights saturate instead of overflowing.
    const TTextExtent huge = MeasureText(Font("Arial", INT32_MIN), std::string(1000, 'W'));
    EXPECT_EQ(huge.cx, INT32_MAX);
}

}  // namespace
}  // namespace tk3d
