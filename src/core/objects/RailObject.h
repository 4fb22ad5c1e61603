// The placeable layout object: height, angle, 2D outline lines, fill data,
// 3D shapes, links to other objects and docking to another object's line.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "layoutfile/Collections.h"
#include "obj3d/T3DList.h"
#include "objects/BasicRailObject.h"
#include "tracks/FillPoints.h"
#include "tracks/Lines.h"

namespace tk3d {

class TRailObject : public TBasicRailObject {
public:
    // Object versions that change the older stream layout.
    static constexpr uint16_t kVersionFillFlag = 2568;
    static constexpr uint16_t kVersionFillAreas = 2569;
    static constexpr uint16_t kVersionIntegerFields = 2573;
    static constexpr uint16_t kVersionMovable = 2575;
    static constexpr uint16_t kVersionValue3 = 2577;
    static constexpr uint16_t kVersionLinks = 2578;
    static constexpr uint16_t kVersionHeight = 2579;
    static constexpr uint16_t kVersionShapes = 2580;
    static constexpr uint16_t kVersionCatalogue = 2581;
    static constexpr uint16_t kVersionDocking = 2590;
    static constexpr uint16_t kVersionDockLine = 2591;
    static constexpr uint16_t kVersionLabelList = 2595;

    TRailObject() = default;
    ~TRailObject() override;
    TRailObject(const TRailObject&) = delete;
    TRailObject& operator=(const TRailObject&) = delete;

    double Height = 0;
    double Angle = 0;
    TColorRef TextColor = 0;
    std::string PriceCurrency;
    double DockPos = 0;
    uint8_t DockMode = 0;
    // Owned parts; Load creates every one of them.
    TLinienColl Lines;
    std::unique_ptr<TFuellColl> FillPoints;
    std::unique_ptr<TRailCollection> FillAreas;
    T3DList Shapes;

    // References resolved by AfterLoad from the stored indices below.
    std::vector<TRailObject*> Links;
    TRailObject* DockedTo = nullptr;
    TGeradeLinie* DockLine = nullptr;
    std::vector<TRailObject*> Docked;

    // As stored: indices into the owner list and into DockedTo's lines.
    std::vector<int32_t> StoredLinks;
    int32_t StoredDockedTo = -1;
    int32_t StoredDockLine = -1;

    void Load(TCLStream& stream) override;
    double GetHeight() const override { return Height; }
    // Also sets the height label's text.
    void SetHeight(double height) override;
    void AfterLoad(const TFontTable& fontTable) override;
    void FinishLoad() override;
    void PrepareGL() override { Shapes.PrepareAll(); }
    void ReleaseGL() override { Shapes.ReleaseAll(); }
    // Colour, line width, the lines, then the shapes at ShapeHeight.
    void PaintGL(GL& gl) override;
    // The base height of the 3D shapes: GetHeight; track pieces answer the
    // height of their first connection point.
    virtual double ShapeHeight() const { return GetHeight(); }
    TRect GetMyRect(bool withLabels) override;
    // Rounded height, widened by the shapes' range (0 for a height that
    // cannot be evaluated).
    void GetHeightRange(int32_t& top, int32_t& bottom) override;
    uint8_t ObjectKind() const override { return okLibraryObject; }
    bool HasVisibleLabels() const override;

private:
    void LoadCurrent(TCLStream& stream);
    void LoadOld(TCLStream& stream);
    void ReadLines(TCLStream& stream);
    void ReadFillPoints(TCLStream& stream);
    void ReadFillAreas(TCLStream& stream);
    void ReadLinks(TCLStream& stream);
    void ReadDocking(TCLStream& stream, bool withLine);
    void ResolveReferences();
    void AddLink(TRailObject& other);
    // Removes every reference between this object and others.
    void Detach();
};

// A ramp: a placeable object without fields of its own.
class TRampe : public TRailObject {};

}  // namespace tk3d
