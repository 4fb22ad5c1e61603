// The settings block: both record layouts, the old-record mapping, layer
// names, and what state a failure leaves behind.
#include <gtest/gtest.h>

#include <cstring>

#include "WriteSettings.h"
#include "layoutfile/GlobalState.h"
#include "layoutfile/LayerData.h"
#include "layoutfile/SettingsBlock.h"
#include "layoutfile/Stream.h"

namespace tk3d {
namespace {

using tk3dw::TLayoutWriter;
using tk3dw::WFont;
using tk3dw::WPen;
using tk3dw::WRecord;

class SettingsBlock : public testing::Test {
protected:
    void SetUp() override { ResetGlobalState(); }
    void TearDown() override { ResetGlobalState(); }

    // Reads the block and checks that the stream stopped exactly after it.
    int32_t Read(const TLayoutWriter& w) {
        TLayoutWriter withTail = w;
        withTail.SmallInt(-1);
        TMemoryStream stream(withTail.bytes);
        const int32_t version = ReadSettingsBlock(stream);
        EXPECT_EQ(stream.Position(), int64_t(w.bytes.size()));
        return version;
    }

    static void ExpectReadError(const TLayoutWriter& w) {
        TMemoryStream stream(w.bytes);
        try {
            ReadSettingsBlock(stream);
            ADD_FAILURE() << "no error";
        } catch (const EReadError& e) {
            EXPECT_STREQ(e.what(), "Stream-Lesefehler");
        }
    }
};

TEST_F(SettingsBlock, DefaultsMatchTheFormatTable) {
    const WRecord expected = tk3dw::DefaultRecord();
    ASSERT_EQ(expected.bytes.size(), size_t(TGlobalSettings::kSize));
    EXPECT_EQ(0, std::memcmp(DefaultSettings.raw, expected.bytes.data(), expected.bytes.size()));
    EXPECT_EQ(DefaultSettings.ActiveLayers(), DefaultSettings.VisibleLayers());
}

TEST_F(SettingsBlock, CurrentRecordNamesAndLayerData) {
    WRecord r = tk3dw::DefaultRecord();
    r.Byte(504, 1);  // ShowTies
    r.Int(12, 2500);
    r.Layers(52, {0, 3, 255});
    WFont font;
    font.height = -30;
    font.weight = 700;
    font.bytes[0] = 1;
    font.face = "Times New Roman";
    r.FontW(288, font);
    r.Pen(488, WPen{1, 3, 0x00336699});
    TLayoutWriter w;
    tk3dw::WriteCurrentSettings(
        w, r, {{0, "Grund"}, {7, "Brücke"}, {255, "日本"}},
        {{.layer = 7, .lineColor = 0xFF, .doFill = true, .height = 12.5, .tieColor = 1}});
    EXPECT_EQ(Read(w), 0xABD1);

    EXPECT_TRUE(GlobalSettings.ShowTies());
    EXPECT_EQ(GlobalSettings.BoardWidth(), 2500);
    EXPECT_EQ(GlobalSettings.VisibleLayers().Layers(), (std::vector<int>{0, 3, 255}));
    EXPECT_EQ(FaceName(GlobalSettings.HeightFont()), "Times New Roman");
    EXPECT_EQ(GlobalSettings.HeightFont().lfWeight, 700);
    EXPECT_EQ(GlobalSettings.SlopePenColor(), 0x00336699u);
    EXPECT_EQ(LayerNames[0], "Grund");
    EXPECT_EQ(LayerNames[7], "Brücke");
    EXPECT_EQ(LayerNames[255], "日本");
    EXPECT_EQ(LayerNames[1], "");
    ASSERT_EQ(LayerDataList().Count(), 1);
    EXPECT_EQ(LayerDataList()[0].fLayer, 7);
    EXPECT_EQ(LayerDataList()[0].fHoehe, 12.5);
}

TEST_F(SettingsBlock, RecordLongerOrShorterThanTheRecord) {
    WRecord r = tk3dw::DefaultRecord();
    r.Int(12, 1234);  // BoardWidth, inside the first 100 bytes
    r.Int(817, 77);   // OverlapX, beyond them
    r.bytes.resize(900, 0xEE);
    {
        TLayoutWriter w;
        tk3dw::WriteCurrentSettings(w, r, {{5, "Fünf"}});
        Read(w);
        EXPECT_EQ(GlobalSettings.BoardWidth(), 1234);
        EXPECT_EQ(GlobalSettings.OverlapX(), 77);
        EXPECT_EQ(LayerNames[5], "Fünf");  // the 43 extra bytes were skipped
    }
    {
        TLayoutWriter w;
        tk3dw::WriteCurrentSettings(w, r, {}, {}, 0xABD0, 100);
        Read(w);
        EXPECT_EQ(GlobalSettings.BoardWidth(), 1234);
        EXPECT_EQ(0, std::memcmp(GlobalSettings.raw + 100, DefaultSettings.raw + 100, 857 - 100));
    }
}

TEST_F(SettingsBlock, UnknownVersionMeansNoBlock) {
    GlobalSettings.SetShowTies(true);
    LayerNames[3] = "bleibt";
    TLayoutWriter w;
    w.Integer(0xABD2);
    EXPECT_EQ(Read(w), 0xABD2);
    EXPECT_FALSE(GlobalSettings.ShowTies());  // reset from the defaults all the same
    EXPECT_EQ(LayerNames[3], "bleibt");
}

TEST_F(SettingsBlock, WideLayerNameLengthZeroOrNegativeIsEmpty) {
    LayerNames[1] = LayerNames[2] = "alt";
    TLayoutWriter w;
    w.Integer(0xABD1);
    w.Integer(0);
    for (int n = 0; n < 256; ++n) w.Integer(n == 2 ? -1 : 0);
    tk3dw::WriteLayerDataList(w, {});
    Read(w);
    EXPECT_EQ(LayerNames[1], "");
    EXPECT_EQ(LayerNames[2], "");
}

TEST_F(SettingsBlock, CurrentBlockAddsToPresentLayerData) {
    TLayoutWriter first, second;
    tk3dw::WriteCurrentSettings(first, tk3dw::DefaultRecord(), {}, {{.layer = 4, .lineWidth = 1}});
    tk3dw::WriteCurrentSettings(second, tk3dw::DefaultRecord(), {},
                                {{.layer = 4, .lineWidth = 2}, {.layer = 9, .lineWidth = 3}});
    Read(first);
    Read(second);
    ASSERT_EQ(LayerDataList().Count(), 2);
    EXPECT_EQ(LayerDataList()[0].fLineWidth, 1);  // the first file's layer 4 stays
    EXPECT_EQ(LayerDataList()[1].fLayer, 9);
}

// Old record with distinct values in the fields the viewer reads.
WRecord OldRecordWithValues() {
    WRecord old = tk3dw::OldRecord();
    for (int off = 0; off <= 11; ++off) old.Byte(off, uint8_t(off % 2));
    old.Byte(6, 1);
    old.Byte(7, 0);
    old.Byte(20, 9);
    old.Byte(102, 9);
    old.Int(12, 3100);
    old.Int(16, 1700);
    old.Int(36, 0x010203);
    old.Int(48, 0x040506);
    old.Layers(52, {1, 2, 200});
    WFont font;
    font.height = -33;
    font.weight = 400;
    font.bytes[0] = 1;
    font.face = "Courier New";
    old.FontA(164, font);  // DescriptionFont
    font.face =
        "Stra\xDF"
        "enbahn";          // code page 1252
    old.FontA(505, font);  // ParamLabelFont
    old.Pen(344, WPen{2, 5, 0x0000FF});
    old.Pen(385, WPen{3, 6, 0x00FF00});
    old.Byte(376, 1);  // ShowTies
    old.Int(401, 87);  // PrintScale
    old.Byte(428, 0);  // ShowElementTexts
    old.Int(490, 0x0A0B0C);
    old.Byte(498, 0);  // ShowCatenary
    old.Int(499, 12);
    old.Byte(503, 1);  // ShowParamLabels
    old.Int(625, 15);  // OverlapX
    old.Int(629, 16);  // OverlapY
    return old;
}

TEST_F(SettingsBlock, OldRecordMapsOntoTheCurrentOne) {
    TLayoutWriter w;
    tk3dw::WriteOldSettings(w, 0xABCF, OldRecordWithValues(),
                            {{2,
                              "Stra\xDF"
                              "e"}},
                            {{.layer = 1}});
    EXPECT_EQ(Read(w), 0xABCF);
    const TGlobalSettings& s = GlobalSettings;
    EXPECT_FALSE(s.InchUnits());
    EXPECT_TRUE(s.ShowArtNr());
    EXPECT_TRUE(s.ShowDescription());
    EXPECT_EQ(s.raw[6], 1);
    EXPECT_TRUE(s.TextBackgroundDefault());  // old byte 6 again; old byte 7 is dropped
    EXPECT_FALSE(s.ShowHeights());
    EXPECT_TRUE(s.ShowBallast());
    EXPECT_TRUE(s.OutlinesInRect());
    EXPECT_EQ(s.raw[20], 9);  // kept from 0xABCF on
    EXPECT_EQ(s.raw[102], 9);
    EXPECT_EQ(s.BoardWidth(), 3100);
    EXPECT_EQ(s.BoardDepth(), 1700);
    EXPECT_EQ(s.ArtNrColor(), 0x010203u);
    EXPECT_EQ(s.PageNoColor(), 0x040506u);
    EXPECT_EQ(s.VisibleLayers().Layers(), (std::vector<int>{1, 2, 200}));
    EXPECT_EQ(s.ActiveLayers(), DefaultSettings.ActiveLayers());  // no old counterpart
    EXPECT_EQ(FaceName(s.DescriptionFont()), "Courier New");
    EXPECT_EQ(s.DescriptionFont().lfHeight, -33);
    EXPECT_EQ(s.DescriptionFont().lfItalic, 1);
    EXPECT_EQ(FaceName(s.ParamLabelFont()), "Straßenbahn");
    EXPECT_EQ(FaceName(s.ArtNrFont()), "");  // the old record held none
    EXPECT_EQ(s.GridPen(), (TLogPen{2, {5, 0}, 0x0000FF}));
    EXPECT_EQ(s.ClearancePen(), (TLogPen{3, {6, 0}, 0x00FF00}));
    EXPECT_TRUE(s.ShowTies());
    EXPECT_EQ(s.PrintScale(), 87);
    EXPECT_FALSE(s.ShowElementTexts());
    EXPECT_EQ(s.TextInElementsColor(), 0x0A0B0Cu);
    EXPECT_FALSE(s.ShowCatenary());
    EXPECT_EQ(s.CatenaryTolerance(), 12);
    EXPECT_TRUE(s.ShowParamLabels());
    EXPECT_EQ(s.OverlapX(), 15);
    EXPECT_EQ(s.OverlapY(), 16);
    EXPECT_EQ(LayerNames[2], "Straße");
    ASSERT_EQ(LayerDataList().Count(), 1);
}

TEST_F(SettingsBlock, OldVersionsBeforeLayerData) {
    struct TCase {
        int32_t version;
        bool outlinesInRect;
    };
    for (const TCase c : {TCase{0xABCD, true}, TCase{0xABCE, false}}) {
        SCOPED_TRACE(c.version);
        ResetGlobalState();
        LayerDataList().GetLayerData(3);
        WRecord old = OldRecordWithValues();
        old.Byte(11, 0);
        TLayoutWriter w;
        tk3dw::WriteOldSettings(w, c.version, old, {}, {{.layer = 99}});  // no list is written
        Read(w);
        EXPECT_EQ(GlobalSettings.OutlinesInRect(), c.outlinesInRect);
        EXPECT_EQ(GlobalSettings.PrintScale(), 10);
        EXPECT_EQ(GlobalSettings.raw[20], 0);
        EXPECT_EQ(GlobalSettings.raw[102], 0);
        EXPECT_EQ(LayerDataList().Count(), 0);  // replaced by the block's (empty) list
    }
}

TEST_F(SettingsBlock, OldRecordLongerThan633IsSkipped) {
    WRecord old = OldRecordWithValues();
    old.bytes.resize(700, 0xEE);
    TLayoutWriter w;
    tk3dw::WriteOldSettings(w, 0xABCE, old, {{0, "null"}});
    Read(w);
    EXPECT_EQ(GlobalSettings.OverlapY(), 16);
    EXPECT_EQ(LayerNames[0], "null");
}

TEST_F(SettingsBlock, CutShortOrImpossibleLengths) {
    TLayoutWriter current, old;
    tk3dw::WriteCurrentSettings(current, tk3dw::DefaultRecord(), {{9, "neun"}}, {{.layer = 9}});
    tk3dw::WriteOldSettings(old, 0xABCF, OldRecordWithValues(), {{9, "neun"}}, {{.layer = 9}});
    for (const TLayoutWriter* full : {&current, &old}) {
        for (size_t cut = 0; cut < full->bytes.size(); ++cut) {
            TLayoutWriter w;
            w.bytes.assign(full->bytes.begin(), full->bytes.begin() + long(cut));
            ExpectReadError(w);
        }
    }
    for (int32_t length : {-1, 0x7FFFFFFF}) {
        SCOPED_TRACE(length);
        TLayoutWriter w;
        w.Integer(0xABD1);
        w.Integer(length);
        w.Zeros(64);
        ExpectReadError(w);
    }
    TLayoutWriter hugeName;
    hugeName.Integer(0xABD0);
    hugeName.Integer(0);
    hugeName.Integer(0x40000000);
    hugeName.Zeros(16);
    ExpectReadError(hugeName);
}

TEST_F(SettingsBlock, FailureKeepsWhatWasReadBefore) {
    // Current block: the record and the first names are in place.
    LayerNames[200] = "vorher";
    TLayoutWriter current;
    WRecord r = tk3dw::DefaultRecord();
    r.Byte(504, 1);
    tk3dw::WriteCurrentSettings(current, r, {{0, "null"}, {200, "neu"}});
    current.bytes.resize(current.bytes.size() - 20);  // inside the layer data
    ExpectReadError(current);
    EXPECT_TRUE(GlobalSettings.ShowTies());
    EXPECT_EQ(LayerNames[0], "null");
    EXPECT_EQ(LayerNames[200], "neu");

    // Old block: nothing is converted before the whole block is read.
    ResetGlobalState();
    GlobalSettings.SetBoardWidth(1);
    LayerNames[5] = "vorher";
    LayerDataList().GetLayerData(5);
    TLayoutWriter old;
    tk3dw::WriteOldSettings(old, 0xABCF, OldRecordWithValues(), {{5, "neu"}}, {{.layer = 1}});
    old.bytes.resize(old.bytes.size() - 1);
    ExpectReadError(old);
    EXPECT_EQ(GlobalSettings.BoardWidth(), DefaultSettings.BoardWidth());
    EXPECT_EQ(LayerNames[5], "vorher");
    ASSERT_EQ(LayerDataList().Count(), 1);
    EXPECT_EQ(LayerDataList()[0].fLayer, 5);
}

}  // namespace
}  // namespace tk3d
