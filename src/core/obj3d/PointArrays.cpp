#include "obj3d/PointArrays.h"

#include <algorithm>

#include "layoutfile/Errors.h"

namespace tk3d {

namespace {

constexpr int32_t kGrowBy = 100;

}  // namespace

TPointArrayClass::TPointArrayClass(int32_t initialCapacity) : fCapacity(std::max(initialCapacity, 0)) {
    fItems.reserve(size_t(fCapacity));
}

void TPointArrayClass::CheckIndex(int32_t index) const {
    if (index < 0 || index >= Count())
        throw ETk3dError("TPointArrayClass: Index nicht innerhalb des gültigen Bereichs!");
}

void TPointArrayClass::SetCount(int32_t count) {
    if (count < 0 || count > Count())
        throw ETk3dError("TPointArrayClass: Index nicht innerhalb des gültigen Bereichs!");
    fItems.resize(size_t(count));
}

void TPointArrayClass::AddPoint(const TPoint& p) {
    if (Count() == fCapacity) fCapacity += kGrowBy;
    // The vector grows geometrically underneath, so adding stays amortised O(1).
    fItems.push_back(p);
}

void TPointArrayClass::AddExtPoint(double x, double y) { AddPoint({RoundToInt(x), RoundToInt(y)}); }

void TPointArrayClass::GetPoint(int32_t index, TPoint& p) const {
    CheckIndex(index);
    p = fItems[size_t(index)];
}

void TPointArrayClass::SetPoint(int32_t index, const TPoint& p) {
    CheckIndex(index);
    fItems[size_t(index)] = p;
}

std::unique_ptr<TPointArrayClass> TPointArrayClass::ClonePoints() const {
    auto copy = std::make_unique<TPointArrayClass>(Count());
    for (const TPoint& p : fItems) copy->AddPoint(p);
    return copy;
}

bool TPointArrayClass::ContainsPoint(const TPoint& p) const {
    return std::find(fItems.begin(), fItems.end(), p) != fItems.end();
}

bool TPointArrayClass::PointInPolygon(int32_t x, int32_t y) const {
    bool inside = false;
    const size_t n = fItems.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const double xi = fItems[i].X, yi = fItems[i].Y;
        const double xj = fItems[j].X, yj = fItems[j].Y;
        if (((yi <= y && y < yj) || (yj <= y && y < yi)) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
            inside = !inside;
    }
    return inside;
}

bool TPointArrayClass::HitPolygon(int32_t x, int32_t y) const {
    const TPoint p{x, y};
    if (ContainsPoint(p) || PointInPolygon(x, y)) return true;
    for (size_t i = 1; i < fItems.size(); ++i)
        if (PointNearSegment(p, fItems[i - 1], fItems[i], 0.5)) return true;
    return false;
}

double TPointArrayClass::PolylineLength() const {
    double sum = 0;
    for (size_t i = 1; i < fItems.size(); ++i) sum += PointDistance(fItems[i - 1], fItems[i]);
    return sum;
}

void TPointArrayClass::AddRectOutline(const TRect& r) {
    AddPoint({r.Left, r.Top});
    AddPoint({r.Right, r.Top});
    AddPoint({r.Right, r.Bottom});
    AddPoint({r.Left, r.Bottom});
    AddPoint({r.Left, r.Top});
}

void TPolyPolyLines::AddPart(int32_t length) {
    if (int32_t(fParts.size()) == fPartCapacity) fPartCapacity += 10;
    fParts.push_back(length);
}

void TPolyPolyLines::AddRectOutline(const TRect& rect) {
    TPointArrayClass::AddRectOutline(rect);
    AddPart(5);
}

TExPointArrayClass::TExPointArrayClass(int32_t initialCapacity) : fCapacity(std::max(initialCapacity, 0)) {
    fItems.reserve(size_t(fCapacity));
}

void TExPointArrayClass::AddPoint(const TExtPoint& p) {
    if (Count() == fCapacity) fCapacity += kGrowBy;
    fItems.push_back(p);
}

void TExPointArrayClass::GetPoint(int32_t index, TExtPoint& p) const {
    if (index < 0 || index >= Count())
        throw ETk3dError("TExPointArrayClass: Index nicht innerhalb des gültigen Bereichs!");
    p = fItems[size_t(index)];
}

}  // namespace tk3d
