#include <gtest/gtest.h>

#include "layoutfile/Errors.h"
#include "obj3d/PointArrays.h"

namespace tk3d {
namespace {

TPointArrayClass Rect(int l, int b, int r, int t) {
    TPointArrayClass a(4);
    a.AddPoint({l, b});
    a.AddPoint({r, b});
    a.AddPoint({r, t});
    a.AddPoint({l, t});
    return a;
}

TEST(PointArrays, PointInPolygonIsHalfOpenAndHitPolygonIsNot) {
    const TPointArrayClass a = Rect(0, 0, 10, 10);
    struct Case {
        int x, y;
        bool inside, hit;
    };
    const Case cases[] = {
        {5, 5, true, true},    {5, 0, true, true},    // lower edge counts
        {5, 10, false, true},                         // upper edge does not, but is hit
        {0, 5, true, true},    {10, 5, false, true},  // left in, right out
        {11, 5, false, false}, {10, 10, false, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(a.PointInPolygon(c.x, c.y), c.inside) << c.x << "," << c.y;
        EXPECT_EQ(a.HitPolygon(c.x, c.y), c.hit) << c.x << "," << c.y;
    }
    EXPECT_FALSE(TPointArrayClass().PointInPolygon(0, 0));
}

TEST(PointArrays, GrowthIndexChecksAndCopies) {
    TPointArrayClass a(0);
    EXPECT_EQ(a.Capacity(), 0);
    a.AddExtPoint(2.5, -3.5);  // halves to even
    EXPECT_EQ(a.Capacity(), 100);
    for (int i = 0; i < 100; ++i) a.AddPoint({i, 0});
    EXPECT_EQ(a.Capacity(), 200);
    TPoint p;
    a.GetPoint(0, p);
    EXPECT_EQ(p, (TPoint{2, -4}));
    for (int bad : {-1, 101}) {
        EXPECT_THROW(a.GetPoint(bad, p), ETk3dError);
        EXPECT_THROW(a.SetPoint(bad, p), ETk3dError);
    }
    try {
        a.GetPoint(500, p);
    } catch (const ETk3dError& e) {
        EXPECT_STREQ(e.what(), "TPointArrayClass: Index nicht innerhalb des gültigen Bereichs!");
    }
    a.SetCount(3);
    EXPECT_EQ(a.Count(), 3);
    EXPECT_THROW(a.SetCount(4), ETk3dError);
    auto copy = a.ClonePoints();
    EXPECT_EQ(copy->Items(), a.Items());
    EXPECT_EQ(copy->Capacity(), 3);
    EXPECT_TRUE(copy->ContainsPoint({1, 0}));

    TExPointArrayClass ex(1);
    ex.AddPoint({1.25, 2.5});
    TExtPoint e;
    ex.GetPoint(0, e);
    EXPECT_EQ(e.X, 1.25);
    EXPECT_THROW(ex.GetPoint(1, e), ETk3dError);
}

TEST(PointArrays, LengthsAndRectangleOutlines) {
    TPointArrayClass a;
    EXPECT_EQ(a.PolylineLength(), 0);
    a.AddRectOutline({0, 4, 3, 0});
    EXPECT_EQ(a.Count(), 5);
    EXPECT_EQ(a.PolylineLength(), 14);

    TPolyPolyLines pp;
    pp.AddRectOutline({0, 4, 3, 0});
    pp.AddRectOutline({10, 4, 13, 0});
    EXPECT_EQ(pp.Count(), 10);
    EXPECT_EQ(pp.Parts(), (std::vector<int32_t>{5, 5}));
    EXPECT_EQ(pp.PolylineLength(), 0);
    for (int i = 0; i < 9; ++i) pp.AddPart(1);
    EXPECT_EQ(pp.PartCapacity(), 20);
}

}  // namespace
}  // namespace tk3d
