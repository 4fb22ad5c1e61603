// Labels of layout objects (article number, description, height, text in
// elements, parameter), their own font record and the per-object list.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "layoutfile/Streamable.h"
#include "platform/WinTypes.h"

namespace tk3d {

class TBasicRailObject;
class TFontTable;

// A label's own font. Font holds a key of the document's font table until
// Resolve enters that font into the process-wide font cache.
class TFontData {
public:
    TFontData() = default;
    ~TFontData();
    TFontData(const TFontData&) = delete;
    TFontData& operator=(const TFontData&) = delete;

    int32_t Version = 0;
    int32_t Font = 0;
    TColorRef TextColor = 0;
    TColorRef BackColor = 0;
    bool Opaque = false;

    // Replaces the stored table key by a font-cache handle (an unknown key
    // gives an all-zero font).
    void Resolve(const TFontTable& table);
    bool IsResolved() const { return fResolved; }
    TLogFontW LogFont() const;

private:
    bool fResolved = false;
};

enum TLabelKind : uint8_t {
    lkDescription = 0,
    lkArtNr = 1,
    lkHeight = 2,
    lkTextInElements = 3,
    lkParameter = 4,
};

// Align bits.
constexpr uint16_t kAlignLeft = 1, kAlignRight = 2, kAlignAbove = 8, kAlignBelow = 16;

class TBeschriftung : public TStreamable {
public:
    static constexpr uint16_t kCurrentVersion = 6;

    uint16_t Align = 0;
    uint16_t Version = 0;
    uint8_t Kind = 0;
    bool RotatePosition = false;
    bool RotateText = false;
    std::string Text;
    std::unique_ptr<TFontData> FontData;
    TPoint Offset;
    bool Shown = false;
    int32_t Angle = 0;
    int32_t AnchorX = 0;
    int32_t AnchorY = 0;
    TBasicRailObject* Owner = nullptr;

    void Load(TCLStream& stream) override;

    // The text shown: kind 4 takes (and stores) the owner's length text;
    // an empty text shows as "(leer)".
    std::string GetText();
    // GetText with the article-number prefix rule and the texts of the
    // owner's composite-article items appended.
    std::string ComposedText();
    // Whether the settings show labels of this kind.
    bool KindShown() const;
    // The font the label is drawn with.
    TLogFontW KindFont() const;
    // Rectangle relative to the owner's position (Top >= Bottom); the empty
    // union rectangle when the label shows nothing.
    TRect GetRect();
};

// Owns its labels; holds at most one label of each kind.
class TBeschriftungsList {
public:
    // Removes a label of the same kind first; sets nothing else.
    void Add(std::unique_ptr<TBeschriftung> label);
    TBeschriftung* ByKind(uint8_t kind) const;
    size_t Count() const { return fItems.size(); }
    TBeschriftung& Item(size_t i) const { return *fItems[i]; }
    void Clear() { fItems.clear(); }

private:
    std::vector<std::unique_ptr<TBeschriftung>> fItems;
};

// The user-interface text of an empty label.
std::string EmptyLabelText();

}  // namespace tk3d
