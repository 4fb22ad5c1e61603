// The font table: keys, reference counts, lookups.
#include <gtest/gtest.h>

#include "obj3d/FontCache.h"

namespace tk3d {
namespace {

TLogFontW Font(int32_t height) {
    TLogFontW f;
    f.lfHeight = height;
    return f;
}

TEST(FontTable, AddReleaseAndKeys) {
    TFontTable t;
    EXPECT_EQ(t.NextFreeKey(), 1);
    EXPECT_EQ(t.AddFont(Font(10)), 1);
    EXPECT_EQ(t.AddFont(Font(10)), 1);  // byte-identical: counted
    EXPECT_EQ(t.AddFont(Font(11)), 2);
    EXPECT_EQ(t.GetLogFont(2).lfHeight, 11);
    EXPECT_EQ(t.GetLogFont(3), TLogFontW{});
    t.ReleaseFont(1);
    EXPECT_EQ(t.GetLogFont(1).lfHeight, 10);
    t.ReleaseFont(1);
    EXPECT_EQ(t.GetLogFont(1), TLogFontW{});
    t.ReleaseFont(1);  // ignored
    t.ReleaseFont(0);
    t.ReleaseFont(-3);
    EXPECT_EQ(t.Count(), 1u);
    EXPECT_EQ(t.AddFont(Font(12)), 1);  // the freed key is reused
}

TEST(FontTable, NextFreeKeyFindsTheFirstGap) {
    TFontTable t;
    for (int32_t key : {4, 1, 2, -7}) t.Insert({.Key = key, .RefCount = 1, .LogFont = Font(key)});
    EXPECT_EQ(t.NextFreeKey(), 3);
    size_t index = 0;
    EXPECT_TRUE(t.FindKey(4, index));
    EXPECT_EQ(index, 3u);
    EXPECT_FALSE(t.FindKey(3, index));
    EXPECT_EQ(index, 3u);
    t.Insert({.Key = INT32_MAX});
    EXPECT_EQ(t.NextFreeKey(), 3);
}

TEST(FontCache, IsProcessWideAndCounted) {
    FontCache().Clear();
    const int32_t key = FontCache().AddFont(Font(-20));
    EXPECT_EQ(FontCache().AddFont(Font(-20)), key);
    EXPECT_EQ(FontCache().RefCount(key), 2);
    FontCache().ReleaseFont(key);
    FontCache().ReleaseFont(key);
    EXPECT_EQ(FontCache().Count(), 0u);
}

}  // namespace
}  // namespace tk3d
