// Labels: the stream layouts of every label version, composed texts, anchors
// and rectangles.
#include <gtest/gtest.h>

#include "ReadBack.h"
#include "layoutfile/GlobalState.h"
#include "objects/Labels.h"
#include "objects/RailObject.h"
#include "platform/FontMetrics.h"

namespace tk3d {
namespace {

using tk3dtest::ReadFramed;
using tk3dw::WLabel;

std::unique_ptr<TBeschriftung> ReadLabel(const WLabel& l, const tk3dw::WFormat& f, int64_t* end) {
    tk3dw::TLayoutWriter w;
    tk3dw::WriteLabel(w, l, f);
    return ReadFramed<TBeschriftung>(w, f, end);
}

struct TLabelLayoutCase {
    const char* name;
    WLabel label;
    int64_t size;  // bytes after the 2-byte class ID (16-bit file: no frame end)
    int32_t angle;
    uint16_t align;
    bool rotate;
    bool font;
};

class LabelLayouts : public testing::TestWithParam<TLabelLayoutCase> {};

TEST_P(LabelLayouts, ReadExactlyTheirFields) {
    const TLabelLayoutCase& c = GetParam();
    int64_t end = 0;
    auto l = ReadLabel(c.label, {.is32 = false}, &end);
    EXPECT_EQ(end, 2 + c.size);
    EXPECT_EQ(l->Text, c.label.text);
    EXPECT_EQ(l->Shown, c.label.shown);
    EXPECT_EQ(l->Offset, (TPoint{c.label.offsetX, c.label.offsetY}));
    EXPECT_EQ(l->Kind, c.label.kind);
    EXPECT_EQ(l->Angle, c.angle);
    EXPECT_EQ(l->Align, c.align);
    EXPECT_EQ(l->RotateText, c.rotate);
    EXPECT_EQ(l->Version, 6);
    EXPECT_EQ(l->Owner, nullptr);
    ASSERT_EQ(l->FontData != nullptr, c.font);
    if (c.font) {
        EXPECT_EQ(l->FontData->Font, 7);
        EXPECT_EQ(l->FontData->TextColor, 0x112233u);
        EXPECT_EQ(l->FontData->BackColor, 0x445566u);
        EXPECT_TRUE(l->FontData->Opaque);
    }
}

WLabel Label(uint16_t version, bool withFont = false, int32_t extra = 0) {
    return {.version = version,
            .text = "Abc",
            .offsetX = -4,
            .offsetY = 9,
            .kind = 1,
            .angle = 450,
            .align = 18,
            .rotateText = true,
            .withFont = withFont,
            .fontKey = 7,
            .textColor = 0x112233,
            .backColor = 0x445566,
            .opaque = true,
            .extraBytes = extra};
}

// Version word 2; text: 2-byte length (16-bit StrRead) + 3 or a 4-byte
// UTF-16 count + 6; shown 1; offset 4 (SmallInts) or 8; kind 1; ...
INSTANTIATE_TEST_SUITE_P(
    All, LabelLayouts,
    testing::Values(
        TLabelLayoutCase{"v1_no_angle_no_align", Label(1), 2 + 5 + 1 + 4 + 1, 0, 0, false, false},
        TLabelLayoutCase{"v2_small_angle", Label(2), 2 + 5 + 1 + 4 + 1 + 2 + 2, 450, 18, false, false},
        TLabelLayoutCase{"v3_rotation_flags", Label(3), 2 + 5 + 1 + 4 + 1 + 2 + 2 + 2, 450, 18, true, false},
        TLabelLayoutCase{"v4_integers", Label(4), 2 + 5 + 1 + 8 + 1 + 4 + 2 + 2, 450, 18, true, false},
        TLabelLayoutCase{"v5_no_extension_bytes", Label(5), 2 + 5 + 1 + 8 + 1 + 4 + 2 + 2 + 4, 450, 18, true,
                         false},
        TLabelLayoutCase{"v5_extension_skipped", Label(5, false, 10), 2 + 5 + 1 + 8 + 1 + 4 + 2 + 2 + 4 + 10,
                         450, 18, true, false},
        TLabelLayoutCase{"v6_font_record", Label(6, true), 2 + 10 + 1 + 8 + 1 + 4 + 2 + 2 + 4 + 17, 450, 18,
                         true, true},
        TLabelLayoutCase{"v6_font_and_3_more", Label(6, true, 3), 2 + 10 + 1 + 8 + 1 + 4 + 2 + 2 + 4 + 17 + 3,
                         450, 18, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Labels, ExtensionBeyondTheFileFails) {
    WLabel l = Label(6, false, 5);
    tk3dw::TLayoutWriter w;
    tk3dw::WriteLabel(w, l, {.is32 = false});
    w.bytes.resize(w.bytes.size() - 1);
    TMemoryStream s(w.bytes);
    s.Is32BitFile = false;
    EXPECT_THROW(s.Get(), EReadError);
}

// An object at (1000, 500) whose outline runs from (0, 0) to (100, 50).
class LabelGeometry : public testing::Test {
protected:
    void SetUp() override {
        ResetGlobalState();
        obj.Position = {1000, 500};
        auto line = std::make_unique<TGeradeLinie>();
        line->fEnd = {100, 50};
        obj.Lines.ADD(std::move(line));
        TLogFontW font;
        font.lfHeight = -10;
        font.lfWeight = 400;
        SetFaceName(font, "Arial");
        for (auto set : {&TGlobalSettings::SetArtNrFont, &TGlobalSettings::SetDescriptionFont,
                         &TGlobalSettings::SetHeightFont, &TGlobalSettings::SetParamLabelFont})
            (GlobalSettings.*set)(font);
        labelFont = font;
    }
    void TearDown() override { ResetGlobalState(); }

    TBeschriftung& Add(uint8_t kind, uint16_t align, TPoint offset, std::string text = "Text") {
        auto l = std::make_unique<TBeschriftung>();
        l->Kind = kind;
        l->Align = align;
        l->Offset = offset;
        l->Text = std::move(text);
        l->Shown = true;
        l->Owner = &obj;
        TBeschriftung& ref = *l;
        obj.Labels.Add(std::move(l));
        return ref;
    }
    TPoint Anchor(TBeschriftung& l) {
        TPoint p;
        obj.GetLabelAnchor(l, p);
        return p;
    }

    TRailObject obj;
    TLogFontW labelFont;
};

TEST_F(LabelGeometry, AnchorsFollowTheAlignBits) {
    struct {
        uint16_t align;
        TPoint offset;
        TPoint anchor;  // relative to the position
    } cases[] = {
        {kAlignLeft | kAlignBelow, {0, 53}, {0, -53}},
        {kAlignRight | kAlignAbove, {5, 3}, {105, 53}},
        {kAlignLeft | kAlignAbove, {7, 1}, {-7, 51}},
        {4096, {2, 4}, {52, 21}},  // centred both ways
    };
    for (const auto& c : cases) {
        TBeschriftung& l = Add(lkDescription, c.align, c.offset);
        EXPECT_EQ(Anchor(l), c.anchor) << c.align;
    }
}

TEST_F(LabelGeometry, UnanchoredLabelKeepsItsAbsolutePoint) {
    TBeschriftung& l = Add(lkDescription, 0, {-10, 20});
    EXPECT_EQ(Anchor(l), (TPoint{-10, 20}));
    EXPECT_EQ(l.Align, 17);
    EXPECT_EQ(l.Offset, (TPoint{10, -20}));
}

TEST_F(LabelGeometry, RectangleRunsDownFromTheAnchor) {
    GlobalSettings.SetShowArtNr(true);
    TBeschriftung& l = Add(lkArtNr, kAlignRight | kAlignAbove, {5, 3}, "12345");
    const TTextExtent e = MeasureText(labelFont, "12345");
    ASSERT_GT(e.cx, 0);
    EXPECT_EQ(l.GetRect(), (TRect{105, 53, 105 + e.cx, 53 - e.cy}));

    // Turned by 90 degrees: a TrueType font turns the rectangle about the anchor.
    l.Angle = 900;
    const TRect r = l.GetRect();
    EXPECT_NEAR(r.Right - r.Left, e.cy, 1);
    EXPECT_NEAR(r.Top - r.Bottom, e.cx, 1);
    EXPECT_EQ(r.Left, 105 - e.cy);
}

TEST_F(LabelGeometry, HiddenLabelsHaveNoRectangle) {
    TBeschriftung& l = Add(lkDescription, 17, {0, 0});
    GlobalSettings.SetShowDescription(false);
    EXPECT_TRUE(IsEmptyUnionRect(l.GetRect()));
    GlobalSettings.SetShowDescription(true);
    EXPECT_FALSE(IsEmptyUnionRect(l.GetRect()));
    l.Shown = false;
    EXPECT_TRUE(IsEmptyUnionRect(l.GetRect()));
}

TEST_F(LabelGeometry, HeightLabelsNeverWidenTheBaseRectangle) {
    GlobalSettings.SetShowHeights(true);
    Add(lkHeight, 17, {0, 0}, "120");
    EXPECT_TRUE(IsEmptyUnionRect(obj.TBasicRailObject::GetMyRect(true)));
    GlobalSettings.SetShowDescription(true);
    Add(lkDescription, 17, {0, 0});
    EXPECT_FALSE(IsEmptyUnionRect(obj.TBasicRailObject::GetMyRect(true)));
}

TEST_F(LabelGeometry, OneLabelPerKind) {
    Add(lkArtNr, 17, {0, 0}, "first");
    Add(lkArtNr, 17, {0, 0}, "second");
    Add(lkDescription, 17, {0, 0}, "other");
    ASSERT_EQ(obj.Labels.Count(), 2u);
    EXPECT_EQ(obj.ArtNrLabel()->Text, "second");
}

TEST_F(LabelGeometry, ComposedTexts) {
    TBeschriftung& art = Add(lkArtNr, 17, {0, 0}, "ABC-1234");
    EXPECT_EQ(art.ComposedText(), "ABC-1234");
    GlobalSettings.SetArtNrWithoutPrefix(true);
    EXPECT_EQ(art.ComposedText(), "1234");
    art.Text = "1234";
    EXPECT_EQ(art.ComposedText(), "1234");

    obj.CompiledItems = std::make_unique<TCompiledItemsList>();
    for (const char* a : {"P-x", "P-y", "P-X"})
        obj.CompiledItems->push_back({.ArtNr = a, .Description = "d"});
    art.Text = "S";
    EXPECT_EQ(art.ComposedText(), "S+2*x+y");
    // Unanchored labels list descriptions.
    TBeschriftung& desc = Add(lkDescription, 0, {0, 0}, "");
    EXPECT_EQ(desc.ComposedText(), "(leer)+3*d");
    // Other kinds take no items.
    EXPECT_EQ(Add(lkHeight, 17, {0, 0}, "7").ComposedText(), "7");
}

TEST_F(LabelGeometry, ParameterLabelShowsTheLength) {
    TBeschriftung& p = Add(lkParameter, 17, {0, -15}, "stale");
    EXPECT_EQ(p.GetText(), "0 mm");
    EXPECT_EQ(p.Text, "0 mm");
}

}  // namespace
}  // namespace tk3d
