// The drawing rules of the document, the placeable object's frame and the
// line segments, checked on the recording (no GL context).
#include <gtest/gtest.h>

#include <cmath>

#include "WriteObjects.h"
#include "layoutfile/GlobalState.h"
#include "layoutfile/LoadLayout.h"
#include "layoutfile/RailList.h"
#include "obj3d/DocumentScene.h"
#include "obj3d/GL.h"
#include "objects/RailObject.h"

namespace tk3d {
namespace {

// A 3D shape that records whether it was prepared before it was drawn.
class TProbeShape : public T3DLinie {
public:
    bool Prepared = false;
    bool DrawnPrepared = false;
    int Draws = 0;
    void Load(TCLStream&) override {}
    void PrepareGL() override { Prepared = true; }
    void Draw3D(GL& gl) override {
        ++Draws;
        DrawnPrepared = Prepared;
        gl.Begin(GL::POINTS);
        gl.Vertex(0, 0, 0);
        gl.End();
    }
    void GetZRange(int32_t& top, int32_t& bottom) override { top = bottom = 0; }
};

class TTestTrack : public TRailObject {
public:
    bool IsTrack() const override { return true; }
    double ShapeHeight() const override { return 33; }
};

template <class T = TRailObject>
std::unique_ptr<T> Object(double x, double y, double height) {
    auto o = std::make_unique<T>();
    o->Position = {x, y};
    o->Height = height;
    o->Color = 0x0000FF;
    return o;
}

template <class TLine>
TLine& AddLine(TRailObject& o) {
    auto line = std::make_unique<TLine>();
    line->fOwner = &o;
    TLine& ref = *line;
    o.Lines.ADD(std::move(line));
    return ref;
}

std::vector<TGLOp> Ops(const GL& gl) {
    std::vector<TGLOp> ops;
    for (const TGLCall& c : gl.List().Calls()) ops.push_back(c.Op);
    return ops;
}

std::vector<TGLCall> Calls(const GL& gl, TGLOp op) {
    std::vector<TGLCall> out;
    for (const TGLCall& c : gl.List().Calls())
        if (c.Op == op) out.push_back(c);
    return out;
}

class PaintGLTest : public testing::Test {
protected:
    void SetUp() override { ResetGlobalState(); }
    void TearDown() override { ResetGlobalState(); }
};

TEST_F(PaintGLTest, SegmentsDrawAtTheirOwnersHeight) {
    auto owner = Object(0, 0, 12.5);
    TKreisLinie& circle = AddLine<TKreisLinie>(*owner);
    circle.fRadius = 100;
    GL gl;
    circle.PaintGL(gl);
    const auto v = Calls(gl, TGLOp::Vertex);
    ASSERT_EQ(v.size(), 6284u);
    EXPECT_EQ(Calls(gl, TGLOp::Begin).at(0).A, GL::LINE_STRIP);
    EXPECT_NEAR(v[0].V[0], 0, 1e-12);
    EXPECT_NEAR(v[0].V[1], -100, 1e-12);
    EXPECT_EQ(v[0].V[2], 12.5);

    TBogenLinie& arc = AddLine<TBogenLinie>(*owner);
    arc.fStart = {100, 0};
    arc.fRadius = 50;
    arc.fSweep = kPi / 2;
    arc.fStartAngle = kPi / 2;  // heading north: centre (50, 0)
    GL arcGL;
    arc.PaintGL(arcGL);
    const auto a = Calls(arcGL, TGLOp::Vertex);
    ASSERT_EQ(a.size(), 1572u);
    EXPECT_NEAR(a.back().V[0], 50 + 50 * std::sin(kPi / 2 + 1.571), 1e-9);

    TGeradeLinie& straight = AddLine<TGeradeLinie>(*owner);
    straight.fStart = {0.1, 0};
    straight.fEnd = {10, 20};
    GL lineGL;
    straight.PaintGL(lineGL);
    EXPECT_EQ(Ops(lineGL), (std::vector<TGLOp>{TGLOp::Begin, TGLOp::Vertex, TGLOp::Vertex, TGLOp::End}));
    EXPECT_EQ(Calls(lineGL, TGLOp::Begin)[0].A, GL::LINES);
    EXPECT_EQ(Calls(lineGL, TGLOp::Vertex)[0].V[0], double(0.1f));  // single precision
    EXPECT_EQ(Calls(lineGL, TGLOp::Vertex)[1].V[2], 12.5);
}

TEST_F(PaintGLTest, LinesReadFromAFileDrawAtTheirObjectsHeight) {
    tk3dw::WRailObject o;
    o.x = 1000;
    o.y = -500;
    o.height = 120;
    tk3dw::WLine line;
    line.x2 = 50;
    o.lines = {line};
    tk3dw::WDocument d;
    d.objects = {tk3dw::RailObjectWriter(o)};
    auto doc = LoadLayoutFromMemory(tk3dw::LayoutFile(d), "fixture.tkl");
    const TCompiledScene s = CompileDocument(*doc, false);
    ASSERT_EQ(s.LineCount(), 1);
    EXPECT_EQ(s.Box.Min.Z, 120);
    EXPECT_EQ(s.Box.Max.X, 1050);
    EXPECT_EQ(s.Box.Min.Y, -500);
}

TEST_F(PaintGLTest, ObjectFrameTranslatesDrawsLinesThenLiftsShapes) {
    ViewScale = 4;
    auto o = Object(100, 200, 30);
    o->LineWidth = 2;
    AddLine<TGeradeLinie>(*o).fEnd = {10, 0};
    GL gl;
    o->PaintGL(gl);
    EXPECT_EQ(Ops(gl), (std::vector<TGLOp>{TGLOp::Color, TGLOp::Material, TGLOp::LineWidth, TGLOp::PushMatrix,
                                           TGLOp::Translate, TGLOp::Begin, TGLOp::Vertex, TGLOp::Vertex,
                                           TGLOp::End, TGLOp::Translate, TGLOp::PopMatrix}));
    EXPECT_EQ(Calls(gl, TGLOp::LineWidth)[0].V[0], 8);
    const auto t = Calls(gl, TGLOp::Translate);
    EXPECT_EQ(t[0].V[0], 100);
    EXPECT_EQ(t[0].V[1], 200);
    EXPECT_EQ(t[1].V[2], 30);
    const TCompiledScene s = CompileScene(gl.List());
    EXPECT_EQ(s.Lines.at(0).Width, 8.0f);
    EXPECT_EQ(s.Lines[0].Vertices[1].Pos[0], 110.0f);
    EXPECT_EQ(s.Lines[0].Vertices[1].Pos[2], 30.0f);  // the line's own height

    struct Case {
        int32_t width;
        double expected;
    };
    for (const Case& c : {Case{0, 1}, Case{-3, 1}, Case{1, 4}}) {
        o->LineWidth = c.width;
        GL w;
        o->PaintGL(w);
        EXPECT_EQ(Calls(w, TGLOp::LineWidth)[0].V[0], c.expected) << c.width;
    }
}

TEST_F(PaintGLTest, ObjectWithoutLinesAndShapesLeavesTheMatrixAlone) {
    auto o = Object(100, 200, 30);
    GL gl;
    o->PaintGL(gl);
    EXPECT_EQ(Ops(gl), (std::vector<TGLOp>{TGLOp::Color, TGLOp::Material, TGLOp::LineWidth}));
}

TEST_F(PaintGLTest, ShapesReplaceTheOutlineExceptOnTracks) {
    auto plain = Object(0, 0, 7);
    AddLine<TGeradeLinie>(*plain).fEnd = {10, 0};
    plain->Shapes.Add(std::make_unique<TProbeShape>());
    GL gl;
    plain->PaintGL(gl);
    EXPECT_EQ(CompileScene(gl.List()).LineCount(), 0);
    EXPECT_EQ(Calls(gl, TGLOp::Translate).back().V[2], 7);
    EXPECT_EQ(Calls(gl, TGLOp::PopMatrix).size(), 1u);

    auto track = Object<TTestTrack>(0, 0, 7);
    AddLine<TGeradeLinie>(*track).fEnd = {10, 0};
    track->Shapes.Add(std::make_unique<TProbeShape>());
    GL trackGL;
    track->PaintGL(trackGL);
    const TCompiledScene s = CompileScene(trackGL.List());
    EXPECT_EQ(s.LineCount(), 1);
    EXPECT_EQ(s.Points.at(0).Vertices.at(0).Pos[2], 33.0f);  // shapes at the first connection's height
}

TEST_F(PaintGLTest, DocumentDrawsVisibleLayersCatenaryAndModeBits) {
    TRailList doc;
    auto onLayer7 = Object(0, 0, 0);
    onLayer7->SetLayer(7);
    AddLine<TGeradeLinie>(*onLayer7).fEnd = {10, 0};
    doc.ADD(std::move(onLayer7));
    auto wire = Object(0, 0, 0);
    wire->SetLayer(200);  // catenary objects draw regardless of their layer
    AddLine<TGeradeLinie>(*wire).fEnd = {0, 10};
    doc.Catenary.ADD(std::move(wire));

    struct Case {
        std::vector<int> visible;
        bool catenary;
        int mode;
        int64_t lines;
    };
    const Case cases[] = {
        {{0}, false, 1, 0}, {{7}, false, 1, 1}, {{7}, true, 1, 2},
        {{7}, true, 2, 0},  {{7}, true, 3, 2},  {{0, 6, 8}, true, 1, 1},
    };
    for (const Case& c : cases) {
        TLayerSet layers;
        for (int l : c.visible) layers.Add(l);
        GlobalSettings.SetVisibleLayers(layers);
        GlobalSettings.SetShowCatenary(c.catenary);
        GL gl;
        doc.PaintGL(gl, c.mode);
        EXPECT_EQ(CompileScene(gl.List()).LineCount(), c.lines) << c.mode << " " << c.catenary;
    }
}

TEST_F(PaintGLTest, EveryObjectOfBothListsIsPreparedBeforeRecording) {
    TRailList doc;
    auto hidden = Object(0, 0, 0);
    hidden->SetLayer(9);
    auto* hiddenProbe = new TProbeShape;
    hidden->Shapes.Add(std::unique_ptr<T3DLinie>(hiddenProbe));
    doc.ADD(std::move(hidden));
    auto shown = Object(0, 0, 0);
    auto* shownProbe = new TProbeShape;
    shown->Shapes.Add(std::unique_ptr<T3DLinie>(shownProbe));
    doc.ADD(std::move(shown));
    auto mast = Object(0, 0, 0);
    auto* mastProbe = new TProbeShape;
    mast->Shapes.Add(std::unique_ptr<T3DLinie>(mastProbe));
    doc.Catenary.ADD(std::move(mast));
    GlobalSettings.SetShowCatenary(true);

    const TCompiledScene s = CompileDocument(doc, false);
    EXPECT_TRUE(hiddenProbe->Prepared);
    EXPECT_EQ(hiddenProbe->Draws, 0);
    EXPECT_TRUE(shownProbe->DrawnPrepared);
    EXPECT_TRUE(mastProbe->DrawnPrepared);
    EXPECT_EQ(s.PointCount(), 2);
}

}  // namespace
}  // namespace tk3d
