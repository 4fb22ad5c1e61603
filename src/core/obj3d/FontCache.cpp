#include "obj3d/FontCache.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace tk3d {

namespace {
bool SameBytes(const TLogFontW& a, const TLogFontW& b) { return std::memcmp(&a, &b, sizeof a) == 0; }
}  // namespace

bool TFontTable::FindKey(int32_t key, size_t& index) const {
    auto it = std::lower_bound(fItems.begin(), fItems.end(), key,
                               [](const TFontCacheData& d, int32_t k) { return d.Key < k; });
    index = size_t(it - fItems.begin());
    return it != fItems.end() && it->Key == key;
}

int32_t TFontTable::AddFont(const TLogFontW& font) {
    for (TFontCacheData& d : fItems) {
        if (SameBytes(d.LogFont, font)) {
            ++d.RefCount;
            return d.Key;
        }
    }
    TFontCacheData d;
    d.Key = NextFreeKey();
    if (d.Key < 1) return -1;
    d.RefCount = 1;
    d.LogFont = font;
    Insert(d);
    return d.Key;
}

int32_t TFontTable::NextFreeKey() const {
    // Items are sorted by key, so the first gap above 0 is the answer.
    int64_t candidate = 1;
    for (const TFontCacheData& d : fItems) {
        if (d.Key < candidate) continue;
        if (d.Key > candidate) break;
        ++candidate;
    }
    return candidate <= INT32_MAX ? int32_t(candidate) : -1;
}

void TFontTable::ReleaseFont(int32_t key) {
    size_t i;
    if (key <= 0 || !FindKey(key, i)) return;
    if (--fItems[i].RefCount <= 0) fItems.erase(fItems.begin() + ptrdiff_t(i));
}

TLogFontW TFontTable::GetLogFont(int32_t key) const {
    size_t i;
    return FindKey(key, i) ? fItems[i].LogFont : TLogFontW{};
}

void TFontTable::Insert(const TFontCacheData& item) {
    size_t i;
    if (FindKey(item.Key, i)) return;
    fItems.insert(fItems.begin() + ptrdiff_t(i), item);
}

int32_t TFontCache::AddFont(const TLogFontW& font) {
    std::lock_guard lock(fLock);
    return fTable.AddFont(font);
}

void TFontCache::ReleaseFont(int32_t key) {
    std::lock_guard lock(fLock);
    fTable.ReleaseFont(key);
}

TLogFontW TFontCache::GetLogFont(int32_t key) const {
    std::lock_guard lock(fLock);
    return fTable.GetLogFont(key);
}

size_t TFontCache::Count() const {
    std::lock_guard lock(fLock);
    return fTable.Count();
}

int32_t TFontCache::RefCount(int32_t key) const {
    std::lock_guard lock(fLock);
    size_t i;
    return fTable.FindKey(key, i) ? fTable.Item(i).RefCount : 0;
}

void TFontCache::Clear() {
    std::lock_guard lock(fLock);
    fTable.Clear();
}

TFontCache& FontCache() {
    static TFontCache cache;
    return cache;
}

}  // namespace tk3d
