// The root of every layout object: version, position, layer, colour, state
// flags, object number, labels, catalogue data and composite-article items.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "layoutfile/Streamable.h"
#include "objects/CompiledItems.h"
#include "objects/Geometry.h"
#include "objects/Labels.h"
#include "platform/WinTypes.h"

namespace tk3d {

class TFontTable;
class GL;
class TTKObjectList;

// Bits of StateFlags.
enum TStateFlag : int32_t {
    sfVisible = 2,
    sfMarked = 4,
    sfMovable = 8,
    sfFilled = 16,
    sfEditable = 32,
    sfCatenaryMarked = 64,
    sfBaseboardOutline = 1024,
};

// Codes answered by ObjectKind.
enum TObjectKind : uint8_t {
    okLibraryObject = 1,
    okTrack = 2,
    okFlexGleis = 3,
    okHelix = 4,
    okOleObject = 5,
    okText = 6,
    okWire = 7,
    okBitmap = 8,
    okMetafile = 9,
    okFlex = 10,
    okDimension = 11,
    okHeightText = 12,
    okShape = 13,
    okCatenaryWire = 14,
    okModule = 15,
};

struct TTextListEntry {
    std::string Text;
    int32_t Value = 0;
};

class TBasicRailObject : public TStreamable {
public:
    // Object versions that change the stream layout.
    static constexpr uint16_t kLabelsInBase = 2598;   // base fields from here on
    static constexpr uint16_t kCompiledItems = 2599;  // composite-article items
    static constexpr uint16_t kSectionEnd = 41002;    // Int64 end of the base part

    std::string Text1;
    std::string Text2;
    int32_t Value1 = 0;
    double Value2 = 0;
    std::vector<TTextListEntry> TextList;
    int32_t Layer = 0;
    TBeschriftungsList Labels;
    int32_t StateFlags = 0;
    TExtPoint Position;
    std::unique_ptr<TCompiledItemsList> CompiledItems;
    uint16_t Version = 0;
    TColorRef Color = 0;
    int32_t LineWidth = 0;
    std::string Text3;
    int32_t Value3 = 0;
    double Price = 0;
    TTKObjectList* Owner = nullptr;
    int32_t Number = 0;

    void Load(TCLStream& stream) override;

    bool HasFlag(int32_t flag) const { return (StateFlags & flag) != 0; }
    void SetFlag(int32_t flag, bool on) { StateFlags = on ? (StateFlags | flag) : (StateFlags & ~flag); }
    // Sets Layer and derives Editable from it.
    void SetLayer(int32_t layer);
    // Visible from VisibleLayers, Editable from ActiveLayers.
    void UpdateFlagsFromLayer();

    virtual bool IsVisible() const { return HasFlag(sfVisible); }
    virtual bool IsMovable() const { return HasFlag(sfMovable); }
    virtual double GetHeight() const = 0;
    virtual void SetHeight(double height) = 0;
    // Anchor of a label relative to Position; anchors a label with Align 0
    // first, keeping its absolute point.
    virtual void GetLabelAnchor(TBeschriftung& label, TPoint& point);
    // Resolves what the file stored as numbers and indices, once the whole
    // document has been read.
    virtual void AfterLoad(const TFontTable& fontTable);
    // Then, for every object, what it works out from its own data alone
    // (caches, routes). Touching no other object, objects of a document do
    // this on several threads.
    virtual void FinishLoad() {}
    virtual void PrepareGL() {}
    virtual void ReleaseGL() {}
    // Draws the object into the recording GL layer (when a scene is compiled).
    virtual void PaintGL(GL& gl) = 0;
    // Draws a module's terrain in the module's frame; other objects have none.
    virtual void PaintTerrainGL(GL& gl) {}
    // Bounds in layout millimetres (Top >= Bottom); with labels they count
    // the shown labels. The empty union rectangle stands for "nothing".
    virtual TRect GetMyRect(bool withLabels);
    virtual bool IsFlex() const { return false; }
    virtual bool IsPolyline() const { return false; }
    // Highest and lowest Z in whole millimetres.
    virtual void GetHeightRange(int32_t& top, int32_t& bottom) = 0;
    virtual bool IsTrack() const { return false; }
    virtual bool IsWendel() const { return false; }
    virtual bool HasVisibleLabels() const;
    virtual bool HasPrice() const { return true; }
    virtual uint8_t ObjectKind() const = 0;
    // Exchanges pure black and pure white in the object's colours (its line
    // colour and its labels' text and background colours).
    virtual void SwapColors();
    virtual double GetLength() const { return 0; }
    virtual std::string LaengeStr() const { return FormatDimension(GetLength()); }

    // Track width of a track piece (0 for other objects): label rectangles
    // of the whole list are widened by that of its first track piece.
    virtual double TrackWidth() const { return 0; }
    // Builds or completes the track states of a track piece after loading.
    virtual bool EnsureTrackState() { return true; }

    TBeschriftung* ArtNrLabel() const { return Labels.ByKind(lkArtNr); }
    TBeschriftung* DescriptionLabel() const { return Labels.ByKind(lkDescription); }
    TBeschriftung* HeightLabel() const { return Labels.ByKind(lkHeight); }
    TBeschriftung* ParamLabel() const { return Labels.ByKind(lkParameter); }
    bool HasArtNrLabel() const { return ArtNrLabel() != nullptr; }
    bool HasDescriptionLabel() const { return DescriptionLabel() != nullptr; }

protected:
    // Reads a label frame (which must hold a label, or nothing) into Labels.
    void ReadLabel(TCLStream& stream);
    // Count, then that many label frames.
    void ReadLabelList(TCLStream& stream);
    void ReadTextList(TCLStream& stream);
};

}  // namespace tk3d
