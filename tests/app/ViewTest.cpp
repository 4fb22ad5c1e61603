// What the 3D view shows: nothing without a document, the layout inside the
// window in overview (also far from the origin), the coordinate cross,
// rotation without recompiling, and no OpenGL error for an empty layout or a
// window without height.
#include <QApplication>
#include <QFile>
#include <QOpenGLWidget>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <cmath>
#include <memory>

#include "AppTest.h"
#include "TrackLayout.h"
#include "controls/ExtEdit.h"
#include "layoutfile/GlobalState.h"
#include "layoutfile/LoadLayout.h"
#include "layoutfile/RailList.h"
#include "shell/GLView.h"
#include "shell/LayerDialog.h"
#include "shell/MainWindow.h"
#include "shell/RotationSlider.h"
#include "support/AppFixtures.h"
#include "support/Screenshots.h"

using namespace tk3d;

namespace {

std::unique_ptr<TTKL3DForm> Open(const QStringList& arguments = {}) {
    auto form = std::make_unique<TTKL3DForm>(arguments);
    form->resize(900, 700);
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get())) return nullptr;
    QCoreApplication::sendPostedEvents(form.get());
    return form;
}

QImage Frame(TGLView& view) {
    view.update();
    QCoreApplication::processEvents();
    return view.grabFramebuffer();
}

bool IsWhite(QRgb c) { return qRed(c) > 245 && qGreen(c) > 245 && qBlue(c) > 245; }
bool IsBlack(QRgb c) { return qRed(c) < 90 && qGreen(c) < 90 && qBlue(c) < 90; }
bool IsRed(QRgb c) { return qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 80; }

// Bounding box of the pixels that pass.
template <class F>
QRect Box(const QImage& image, F pass) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (pass(image.pixel(x, y))) box |= QRect(x, y, 1, 1);
    return box;
}

}  // namespace

class ViewTest : public QObject {
    Q_OBJECT
private slots:
    void withoutDocumentTheViewIsWhite() {
        tk3dtest::TAppEnvironment env;
        auto form = Open();
        QVERIFY(form);
        const QImage image = Frame(*form->View());
        QVERIFY(!image.isNull());
        QVERIFY(Box(image, [](QRgb c) { return !IsWhite(c); }).isNull());
    }

    void overviewShowsTheWholeLayout_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::newRow("near the origin") << 0.0 << -1000.0;
        QTest::newRow("far from the origin") << 60000.0 << -40000.0;
    }
    void overviewShowsTheWholeLayout() {
        QFETCH(double, x);
        QFETCH(double, y);
        tk3dtest::TAppEnvironment env;
        tk3dtest::TLayoutSpec spec{{0, 0, 0, 0}};
        spec.x = x;
        spec.y = y;
        auto form = Open({tk3dtest::WriteLayout(env.TempPath("far.tkl"), spec)});
        QVERIFY(form && form->Document());
        form->sbCoord->click();
        const QImage image = Frame(*form->View());
        const QRect drawn = Box(image, IsBlack);
        QVERIFY(!drawn.isNull());
        // Four objects of 800 x 400 mm, 1000 mm apart: nothing cut off at
        // the window's edges, and the drawing as wide as the layout says.
        QVERIFY2(QRect(1, 1, image.width() - 2, image.height() - 2).contains(drawn) ||
                     QRect(0, 0, image.width(), image.height()).contains(drawn),
                 "drawing leaves the view");
        const TSceneExtent& e = form->View()->Extent();
        const double pxPerMm = std::min(double(image.width()) / (e.FromOrigin.Right - e.FromOrigin.Left),
                                        double(image.height()) / (e.FromOrigin.Top - e.FromOrigin.Bottom));
        const double expectedWidth = 3800 * pxPerMm;
        QVERIFY2(std::abs(drawn.width() - expectedWidth) <= 0.1 * expectedWidth + 3,
                 qPrintable(QString("width %1, expected %2").arg(drawn.width()).arg(expectedWidth)));
        QVERIFY(env.Messages.empty());
        tk3dtest::SaveScreenshot(*form, x == 0 ? "overview" : "overview-far");
    }

    void crossAndRotation() {
        tk3dtest::TAppEnvironment env;
        auto form = Open({tk3dtest::WriteLayout(env.TempPath("a.tkl"), {{0, 0, 0}})});
        QVERIFY(form && form->Document());
        TGLView& view = *form->View();
        const QImage flat = Frame(view);
        QVERIFY(!Box(flat, IsRed).isNull());
        const int builds = view.SceneBuilds();
        form->TrackBar1->setValue(300);
        form->TrackBar3->setValue(20);
        const QImage turned = Frame(view);
        QVERIFY(turned != flat);
        QCOMPARE(view.SceneBuilds(), builds);
        tk3dtest::SaveScreenshot(*form, "rotated");
        form->sbCoord->click();
        QVERIFY(Box(Frame(view), IsRed).isNull());
        QVERIFY(env.Messages.empty());
    }

    void zoomModeShowsTrueScale() {
        tk3dtest::TAppEnvironment env;
        auto form = Open({tk3dtest::WriteLayout(env.TempPath("a.tkl"), {{0, 0, 0}})});
        QVERIFY(form && form->Document());
        form->sbPreview->click();
        form->ExtEdit1->SetValue(20);
        form->ExtEdit1->setModified(true);
        QTest::keyClick(form->ExtEdit1, Qt::Key_Return);
        const QImage image = Frame(*form->View());
        QVERIFY(!Box(image, IsBlack).isNull());
        QVERIFY(env.Messages.empty());
        tk3dtest::SaveScreenshot(*form, "zoom");
    }

    // The sectional-track layout: in overview it fills the view in one
    // direction, turned it still shows, and at 1:20 it shows at true scale.
    void trackLayout() {
        tk3dtest::TAppEnvironment env;
        const std::vector<uint8_t> bytes = tk3dw::TrackLayoutFile(true, true);
        QFile file(env.TempPath("tracks.tkl"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
        file.close();
        auto form = Open({file.fileName()});
        QVERIFY(form && form->Document());
        form->sbCoord->click();
        TGLView& view = *form->View();
        const QImage overview = Frame(view);
        const QRect drawn = Box(overview, [](QRgb c) { return !IsWhite(c); });
        QVERIFY(drawn.width() >= overview.width() * 0.8 || drawn.height() >= overview.height() * 0.8);
        tk3dtest::SaveScreenshot(*form, "tracks-overview");
        form->sbCoord->click();
        form->TrackBar1->setValue(300);
        form->TrackBar3->setValue(20);
        QVERIFY(!Box(Frame(view), [](QRgb c) { return !IsWhite(c); }).isNull());
        tk3dtest::SaveScreenshot(*form, "tracks-rotated");
        form->TrackBar1->setValue(0);
        form->TrackBar3->setValue(0);
        form->sbPreview->click();
        form->ExtEdit1->SetValue(20);
        QTest::keyClick(form->ExtEdit1, Qt::Key_Return);
        QVERIFY(!Box(Frame(view), [](QRgb c) { return !IsWhite(c); }).isNull());
        tk3dtest::SaveScreenshot(*form, "tracks-zoom");
        QVERIFY(env.Messages.empty());
    }

    void degenerateLayoutsAndWindows() {
        tk3dtest::TAppEnvironment env;
        auto form = Open({tk3dtest::WriteLayout(env.TempPath("empty.tkl"), {})});
        QVERIFY(form && form->Document());
        Frame(*form->View());
        QVERIFY(std::isfinite(ViewScale) && ViewScale > 0);
        // A view without room: its sizes count as one pixel.
        TGLView tiny;
        tiny.resize(0, 0);
        QCOMPARE(tiny.ViewWidth(), 1);
        QCOMPARE(tiny.ViewHeight(), 1);
        const auto doc = LoadLayout(tk3dtest::WriteLayout(env.TempPath("a.tkl"), {{0}}).toStdString());
        tiny.SetDocument(doc.get());
        tiny.RebuildScene();
        QVERIFY(std::isfinite(ViewScale) && ViewScale > 0);
        tiny.SetDocument(nullptr);
        QTest::qWait(20);
        QVERIFY2(env.Messages.empty(), env.Messages.empty() ? "" : qPrintable(env.Messages[0].Text));
    }
};

TK3D_APP_TEST(ViewTest)
#include "ViewTest.moc"
