// Growable point arrays of the 2D geometry: integer points (with polygon
// tests), poly-polylines made of parts, and exact extended points.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "objects/Geometry.h"
#include "platform/WinTypes.h"

namespace tk3d {

class TPointArrayClass {
public:
    explicit TPointArrayClass(int32_t initialCapacity = 0);
    virtual ~TPointArrayClass() = default;

    int32_t Count() const { return int32_t(fItems.size()); }
    // Capacity grows in steps of 100 items.
    int32_t Capacity() const { return fCapacity; }
    // Truncates to count (0 <= count <= Count); raises the index error otherwise.
    void SetCount(int32_t count);
    const std::vector<TPoint>& Items() const { return fItems; }

    void AddPoint(const TPoint& p);
    // Each coordinate rounded to nearest, halves to even.
    void AddExtPoint(double x, double y);
    // Both raise "TPointArrayClass: Index nicht innerhalb des gültigen Bereichs!".
    void GetPoint(int32_t index, TPoint& p) const;
    void SetPoint(int32_t index, const TPoint& p);
    std::unique_ptr<TPointArrayClass> ClonePoints() const;
    bool ContainsPoint(const TPoint& p) const;

    // Even-odd rule, half-open: on a lower horizontal edge inside, on an
    // upper one outside.
    bool PointInPolygon(int32_t x, int32_t y) const;
    // An item, inside, or within 0.5 of the open polyline.
    bool HitPolygon(int32_t x, int32_t y) const;

    virtual double PolylineLength() const;
    // Appends (Left,Top), (Right,Top), (Right,Bottom), (Left,Bottom), (Left,Top).
    virtual void AddRectOutline(const TRect& rect);

private:
    void CheckIndex(int32_t index) const;
    std::vector<TPoint> fItems;
    int32_t fCapacity;
};

// A concatenation of parts: part i covers the next PartLength(i) points.
class TPolyPolyLines : public TPointArrayClass {
public:
    explicit TPolyPolyLines(int32_t initialCapacity = 0) : TPointArrayClass(initialCapacity) {}

    void AddPart(int32_t length);
    const std::vector<int32_t>& Parts() const { return fParts; }
    // Grows in steps of 10 parts, starting at 10.
    int32_t PartCapacity() const { return fPartCapacity; }

    double PolylineLength() const override { return 0; }
    // The five outline points, then one part of length 5.
    void AddRectOutline(const TRect& rect) override;

private:
    std::vector<int32_t> fParts;
    int32_t fPartCapacity = 10;
};

class TExPointArrayClass {
public:
    explicit TExPointArrayClass(int32_t initialCapacity = 0);

    int32_t Count() const { return int32_t(fItems.size()); }
    int32_t Capacity() const { return fCapacity; }
    void AddPoint(const TExtPoint& p);
    // Raises "TExPointArrayClass: Index nicht innerhalb des gültigen Bereichs!".
    void GetPoint(int32_t index, TExtPoint& p) const;

private:
    std::vector<TExtPoint> fItems;
    int32_t fCapacity;
};

}  // namespace tk3d
