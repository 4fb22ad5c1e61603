// Logical fonts under small integer keys with reference counts. A document
// stores its fonts as such a table and objects refer to a font by key; the
// process-wide TFontCache holds the fonts of every loaded label and text.
#pragma once
#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/WinTypes.h"

namespace tk3d {

struct TFontCacheData {
    int32_t Version = 2;
    int32_t Key = 0;
    int32_t RefCount = 0;
    TLogFontW LogFont;
};

// Items kept sorted by Key.
class TFontTable {
public:
    // Key of a byte-identical font (its count raised), else a new item.
    int32_t AddFont(const TLogFontW& font);
    // Smallest key >= 1 not in the table; -1 when none is left.
    int32_t NextFreeKey() const;
    // Ignored for keys <= 0 and unknown keys.
    void ReleaseFont(int32_t key);
    // The item's font, or an all-zero font for an unknown key.
    TLogFontW GetLogFont(int32_t key) const;
    // Binary search: the item's position, or the insertion position.
    bool FindKey(int32_t key, size_t& index) const;
    // Inserts an item as read from a file; a key that is already present
    // keeps its first item.
    void Insert(const TFontCacheData& item);

    size_t Count() const { return fItems.size(); }
    const TFontCacheData& Item(size_t i) const { return fItems[i]; }
    void Clear() { fItems.clear(); }

private:
    std::vector<TFontCacheData> fItems;
};

// The table with a lock around every operation.
class TFontCache {
public:
    int32_t AddFont(const TLogFontW& font);
    void ReleaseFont(int32_t key);
    TLogFontW GetLogFont(int32_t key) const;
    size_t Count() const;
    int32_t RefCount(int32_t key) const;
    void Clear();

private:
    mutable std::mutex fLock;
    TFontTable fTable;
};

// The process-wide instance; ResetGlobalState empties it.
TFontCache& FontCache();

}  // namespace tk3d
