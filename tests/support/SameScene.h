// Whether two compiled scenes are the same: batches of the same state with
// byte-identical vertices, the same texts, textures, box and limit flag.
// For tests that compile one recording in two ways.
#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "obj3d/CompiledScene.h"

namespace tk3dw {

template <class TBatch>
std::string BatchDifference(const std::vector<TBatch>& a, const std::vector<TBatch>& b, const char* kind) {
    if (a.size() != b.size())
        return std::string(kind) + " batches " + std::to_string(a.size()) + " vs " + std::to_string(b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        const auto &va = a[i].Vertices, &vb = b[i].Vertices;
        if (va.size() != vb.size() ||
            std::memcmp(va.data(), vb.data(), va.size() * sizeof(va.front())) != 0)
            return std::string(kind) + " batch " + std::to_string(i) + " differs";
    }
    return {};
}

inline ::testing::AssertionResult SameScene(const tk3d::TCompiledScene& a, const tk3d::TCompiledScene& b) {
    std::string why = BatchDifference(a.Triangles, b.Triangles, "triangle");
    for (size_t i = 0; why.empty() && i < a.Triangles.size(); ++i)
        if (!(a.Triangles[i].State == b.Triangles[i].State)) why = "state of triangle batch " + std::to_string(i);
    if (why.empty()) why = BatchDifference(a.Lines, b.Lines, "line");
    if (why.empty()) why = BatchDifference(a.Points, b.Points, "point");
    if (why.empty() && a.Texts.size() != b.Texts.size()) why = "text count";
    for (size_t i = 0; why.empty() && i < a.Texts.size(); ++i)
        if (a.Texts[i].Text != b.Texts[i].Text || a.Texts[i].Anchor.X != b.Texts[i].Anchor.X ||
            a.Texts[i].Anchor.Y != b.Texts[i].Anchor.Y)
            why = "text " + std::to_string(i);
    if (why.empty() && a.Textures.size() != b.Textures.size()) why = "texture count";
    if (why.empty() && (a.Box.Min.X != b.Box.Min.X || a.Box.Max.X != b.Box.Max.X || a.Box.Min.Y != b.Box.Min.Y ||
                        a.Box.Max.Y != b.Box.Max.Y || a.Box.Max.Z != b.Box.Max.Z))
        why = "box";
    if (why.empty() && a.Truncated != b.Truncated) why = "limit flag";
    if (why.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << why;
}

}  // namespace tk3dw
