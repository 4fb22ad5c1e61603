// Reads fixture bytes back through the reader under test.
#pragma once
#include <memory>

#include "LayoutWriter.h"
#include "WriteObjects.h"
#include "layoutfile/Stream.h"

namespace tk3dtest {

inline void Apply(tk3d::TCLStream& s, const tk3dw::WFormat& f) {
    s.Is32BitFile = f.is32;
    s.IsANSIFile = f.ansi;
}

// One object frame that must hold a T.
template <class T>
std::unique_ptr<T> ReadFramed(const tk3dw::TLayoutWriter& w, const tk3dw::WFormat& f = {},
                              int64_t* endPosition = nullptr) {
    tk3d::TMemoryStream s(w.bytes);
    Apply(s, f);
    std::unique_ptr<T> obj = s.GetAs<T>(false);
    if (endPosition) *endPosition = s.Position();
    return obj;
}

}  // namespace tk3dtest
