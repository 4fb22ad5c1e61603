#include "objects/Labels.h"

#include <algorithm>
#include <cstdlib>

#include "layoutfile/GlobalState.h"
#include "layoutfile/Stream.h"
#include "obj3d/FontCache.h"
#include "objects/BasicRailObject.h"
#include "objects/Geometry.h"
#include "platform/FontMetrics.h"
#include "platform/TextCodec.h"

namespace tk3d {

TFontData::~TFontData() {
    if (fResolved) FontCache().ReleaseFont(Font);
}

void TFontData::Resolve(const TFontTable& table) {
    if (fResolved) return;
    Font = FontCache().AddFont(table.GetLogFont(Font));
    fResolved = true;
}

TLogFontW TFontData::LogFont() const { return fResolved ? FontCache().GetLogFont(Font) : TLogFontW{}; }

std::string EmptyLabelText() { return "(leer)"; }

void TBeschriftung::Load(TCLStream& stream) {
    Version = stream.ReadWord();
    if (Version < 4) {
        Text = stream.StrRead();
        Shown = stream.ReadBoolean();
        Offset.X = stream.ReadSmallInt();
        Offset.Y = stream.ReadSmallInt();
        Kind = stream.ReadByte();
        if (Version > 1) {
            Angle = stream.ReadSmallInt();
            Align = stream.ReadWord();
        }
        if (Version > 2) {
            RotatePosition = stream.ReadBoolean();
            RotateText = stream.ReadBoolean();
        }
    } else {
        Text = Version > 5 ? stream.ReadString() : stream.StrRead();
        Shown = stream.ReadBoolean();
        Offset.X = stream.ReadInteger();
        Offset.Y = stream.ReadInteger();
        Kind = stream.ReadByte();
        Angle = stream.ReadInteger();
        Align = stream.ReadWord();
        RotatePosition = stream.ReadBoolean();
        RotateText = stream.ReadBoolean();
        if (Version > 4) {
            int32_t size = stream.ReadInteger();
            if (size > 16) {
                FontData = std::make_unique<TFontData>();
                FontData->Version = stream.ReadInteger();
                FontData->Font = stream.ReadInteger();
                FontData->TextColor = stream.ReadCardinal();
                FontData->BackColor = stream.ReadCardinal();
                FontData->Opaque = stream.ReadBoolean();
                size -= 17;
            }
            if (size > 0) stream.Skip(size);
        }
    }
    Version = kCurrentVersion;
}

std::string TBeschriftung::GetText() {
    if (Kind == lkParameter && Owner) Text = Owner->LaengeStr();
    return Text.empty() ? EmptyLabelText() : Text;
}

namespace {

std::string WithoutArtNrPrefix(const std::string& s) {
    if (!GlobalSettings.ArtNrWithoutPrefix()) return s;
    const size_t dash = s.find('-');
    return dash == std::string::npos ? s : s.substr(dash + 1);
}

// Case folding for comparing article texts: ASCII and Latin-1 letters.
std::u16string Folded(const std::string& s) {
    std::u16string u = Utf8ToUtf16(s);
    for (char16_t& c : u) {
        if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) c = char16_t(c + 32);
    }
    return u;
}

}  // namespace

std::string TBeschriftung::ComposedText() {
    std::string t = GetText();
    if (Kind == lkArtNr) t = WithoutArtNrPrefix(t);
    if ((Kind != lkDescription && Kind != lkArtNr) || !Owner || !Owner->CompiledItems) return t;

    struct TDistinct {
        std::string text;
        std::u16string key;
        int count;
    };
    std::vector<TDistinct> distinct;
    for (const TCompiledItem& item : *Owner->CompiledItems) {
        std::string text = Align != 0 ? WithoutArtNrPrefix(item.ArtNr) : item.Description;
        std::u16string key = Folded(text);
        auto it =
            std::find_if(distinct.begin(), distinct.end(), [&](const TDistinct& d) { return d.key == key; });
        if (it != distinct.end())
            ++it->count;
        else
            distinct.push_back({std::move(text), std::move(key), 1});
    }
    for (const TDistinct& d : distinct) {
        t += "+";
        if (d.count > 1) t += std::to_string(d.count) + "*";
        t += d.text;
    }
    return t;
}

bool TBeschriftung::KindShown() const {
    switch (Kind) {
        case lkDescription:
            return GlobalSettings.ShowDescription();
        case lkArtNr:
            return GlobalSettings.ShowArtNr();
        case lkHeight:
            return GlobalSettings.ShowHeights();
        case lkTextInElements:
            return GlobalSettings.ShowElementTexts();
        case lkParameter:
            return GlobalSettings.ShowParamLabels();
        default:
            return false;
    }
}

TLogFontW TBeschriftung::KindFont() const {
    switch (Kind) {
        case lkDescription:
            return GlobalSettings.DescriptionFont();
        case lkArtNr:
            return GlobalSettings.ArtNrFont();
        case lkHeight:
            return GlobalSettings.HeightFont();
        case lkTextInElements:
            return FontData && FontData->IsResolved() ? FontData->LogFont()
                                                      : GlobalSettings.TextInElementsFont();
        default:
            return GlobalSettings.ParamLabelFont();
    }
}

TRect TBeschriftung::GetRect() {
    if (!Shown || !Owner || !KindShown()) return EmptyUnionRect();
    if (GetText().empty()) return EmptyUnionRect();
    const TLogFontW font = KindFont();
    const TTextExtent extent = MeasureText(font, ComposedText());
    TPoint anchor;
    Owner->GetLabelAnchor(*this, anchor);
    TRect r{anchor.X, anchor.Y, SatAdd(anchor.X, extent.cx), SatAdd(anchor.Y, -int64_t(extent.cy))};
    if (Angle != 0 && IsScalableFont(font)) RotateRectBounds(r, anchor, DegToRad((3600.0 - Angle) / 10));
    return r;
}

void TBeschriftungsList::Add(std::unique_ptr<TBeschriftung> label) {
    if (!label) return;
    std::erase_if(fItems, [&](const auto& l) { return l->Kind == label->Kind; });
    fItems.push_back(std::move(label));
}

TBeschriftung* TBeschriftungsList::ByKind(uint8_t kind) const {
    for (const auto& l : fItems)
        if (l->Kind == kind) return l.get();
    return nullptr;
}

}  // namespace tk3d
