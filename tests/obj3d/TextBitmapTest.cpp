#include <gtest/gtest.h>

#include <numeric>

#include "obj3d/TextBitmap.h"

namespace tk3d {
namespace {

TLogFontW Arial(int32_t height) {
    TLogFontW f;
    f.lfHeight = height;
    SetFaceName(f, "Arial");
    return f;
}

int Ink(const TTextBitmap& b) { return std::accumulate(b.Mask.begin(), b.Mask.end(), 0); }

TEST(TextBitmap, SizedByAdvanceAndCellHeight) {
    TTextRasterizer r;
    const TTextBitmap a = r.Render(Arial(-20), "+X");
    ASSERT_GT(a.Width, 10);
    EXPECT_GE(a.Height, 20);
    EXPECT_LE(a.Height, 26);  // the cell adds ascent and descent to 20 px
    EXPECT_EQ(a.Mask.size(), size_t(a.Width) * size_t(a.Height));
    EXPECT_GT(Ink(a), 20);
    // A positive height is the whole cell.
    EXPECT_EQ(r.Render(Arial(30), "X").Height, 30);
    // Height 0 falls back to the default cell.
    EXPECT_EQ(r.Render(Arial(0), "X").Height, TTextRasterizer::kDefaultCellHeight);
    EXPECT_EQ(r.Render(Arial(-20), "").Width, 0);
}

TEST(TextBitmap, HugeFontsAndTextsStayBounded) {
    TTextRasterizer r;
    const TTextBitmap b = r.Render(Arial(-2000000000), "WWWWWWWWWWWWWWWWWWWWWWWWWW");
    EXPECT_LE(b.Height, TTextRasterizer::kMaxCellHeight);
    EXPECT_LE(b.Width, TTextRasterizer::kMaxWidth);
    EXPECT_GT(b.Width, 0);
}

}  // namespace
}  // namespace tk3d
