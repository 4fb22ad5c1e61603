#include "obj3d/T3DList.h"

#include <algorithm>

#include "layoutfile/Stream.h"
#include "platform/WinTypes.h"

namespace tk3d {

void T3DList::Load(TCLStream& stream) {
    Version = stream.ReadInteger();
    const int32_t count = stream.ReadCount(2);  // an empty frame is its 2-byte ID
    fItems.clear();
    fItems.reserve(size_t(count));
    for (int32_t i = 0; i < count; ++i) {
        std::unique_ptr<T3DLinie> item = stream.GetAs<T3DLinie>();
        if (item) fItems.push_back(std::move(item));
    }
}

void T3DList::PrepareAll() {
    for (auto& item : fItems) item->PrepareGL();
}

void T3DList::ReleaseAll() {
    for (auto& item : fItems) item->ReleaseGL();
}

void T3DList::GetZRange(int32_t baseHeight, int32_t& top, int32_t& bottom) const {
    top = 0;
    bottom = 0;
    for (const auto& item : fItems) {
        int32_t t = 0, b = 0;
        item->GetZRange(t, b);
        top = std::max(top, SatAdd(t, baseHeight));
        bottom = std::min(bottom, SatAdd(b, baseHeight));
    }
}

}  // namespace tk3d
