// The main window: controls and their first state, the commands and what
// they write and rebuild, opening files (command line, drop, dialog, bad
// files), window placement and folder in the registry store, and the
// language switch in place.
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

#include "AppTest.h"
#include "controls/ExtEdit.h"
#include "layoutfile/GlobalState.h"
#include "layoutfile/RailList.h"
#include "platform/Registry.h"
#include "shell/GLView.h"
#include "shell/Language.h"
#include "shell/LoadProgress.h"
#include "shell/MainWindow.h"
#include "shell/RotationSlider.h"
#include "shell/WindowPlacement.h"
#include "support/AppFixtures.h"
#include "support/Screenshots.h"

using namespace tk3d;

namespace {

constexpr const char* kViewerKey = "Software\\Kestrow\\Trakona\\11.0\\Viewer";

// A shown window that has handled its start message.
std::unique_ptr<TTKL3DForm> Open(const QStringList& arguments = {}) {
    auto form = std::make_unique<TTKL3DForm>(arguments);
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get())) return nullptr;
    QCoreApplication::sendPostedEvents(form.get());
    return form;
}

QString Layout(const tk3dtest::TAppEnvironment& env, const QString& name,
               tk3dtest::TLayoutSpec spec = {{0, 1}}) {
    return tk3dtest::WriteLayout(env.TempPath(name), spec);
}

void Drop(QWidget& target, const QStringList& files) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& f : files) urls << QUrl::fromLocalFile(f);
    data.setUrls(urls);
    const QPointF at(target.width() / 2.0, target.height() / 2.0);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &drop);
}

std::optional<std::string> ReadString(const char* key, const char* name) {
    TRegistry reg;
    if (!reg.OpenKeyReadOnly(key)) return std::nullopt;
    return reg.ReadString(name);
}

// A picture of the window with its title and the language menu.
void ShowCaptions(TTKL3DForm& form, const QString& name) {
    if (qEnvironmentVariableIsEmpty("TK3D_SCREENSHOT_DIR")) return;
    QTest::qWait(50);
    form.PopupMenu3->popup(form.Panel1->mapToGlobal(QPoint(600, 10)));
    QTest::qWait(100);
    tk3dtest::SaveWindowWithTitle(form, {form.PopupMenu3}, name);
    form.PopupMenu3->hide();
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void controlsStartAsDefined_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<bool>("toggle");
        QTest::addColumn<bool>("down");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("sbFile") << "sbFile"
                                << "Datei öffnen" << false << false << true;
        QTest::newRow("SpeedButton2") << "SpeedButton2"
                                      << "Programm beenden" << false << false << true;
        QTest::newRow("sbLandschaft") << "sbLandschaft"
                                      << "Landschaft anzeigen/verbergen" << true << true << true;
        QTest::newRow("sbArtNr") << "sbArtNr"
                                 << "Artikelnummern anzeigen/verbergen" << true << false << true;
        QTest::newRow("sbBez") << "sbBez"
                               << "Bezeichnungen anzeigen/verbergen" << true << false << true;
        QTest::newRow("sbHoehe") << "sbHoehe"
                                 << "Höhe anzeigen/verbergen" << true << false << true;
        QTest::newRow("sbSchwellen") << "sbSchwellen"
                                     << "Schwellen anzeigen/verbergen" << true << false << true;
        QTest::newRow("sbCoord") << "sbCoord"
                                 << "Koordinatenkreuz anzeigen/verbergen" << true << true << true;
        QTest::newRow("sbPageNums") << "sbPageNums"
                                    << "Seitenränder anzeigen/verbergen" << true << false << true;
        QTest::newRow("sbLayer") << "sbLayer"
                                 << "Layer wählen" << false << false << false;
        QTest::newRow("SpeedButton1") << "SpeedButton1"
                                      << "Info" << false << false << true;
        QTest::newRow("sbPreview") << "sbPreview"
                                   << "Gesamtansicht ein/aus" << true << true << true;
        QTest::newRow("SpeedButton3") << "SpeedButton3"
                                      << "Hilfe" << false << false << true;
        QTest::newRow("sbPrint") << "sbPrint"
                                 << "Datei drucken" << false << false << false;
        QTest::newRow("sbPageSetup") << "sbPageSetup"
                                     << "Seite einrichten" << false << false << false;
        QTest::newRow("sbCopy") << "sbCopy"
                                << "In Druckerauflösung in die Zwischenablage kopieren" << false << false
                                << false;
    }
    void controlsStartAsDefined() {
        QFETCH(QString, name);
        QFETCH(QString, hint);
        QFETCH(bool, toggle);
        QFETCH(bool, down);
        QFETCH(bool, enabled);
        tk3dtest::TAppEnvironment env;
        auto form = Open();
        QVERIFY(form);
        auto* button = form->findChild<QToolButton*>(name);
        QVERIFY(button);
        QCOMPARE(button->toolTip(), hint);
        QCOMPARE(button->isCheckable(), toggle);
        QCOMPARE(button->isChecked(), down);
        QCOMPARE(button->isEnabled(), enabled);
        QVERIFY(!button->icon().isNull() || !button->text().isEmpty());
    }

    void windowStartsWithoutDocument() {
        tk3dtest::TAppEnvironment env;
        auto form = Open();
        QVERIFY(form);
        QCOMPARE(form->windowTitle(), QString("tk3d"));
        QVERIFY(!form->Document());
        QCOMPARE(form->sbArtNr->text(), QString("A"));
        QCOMPARE(form->lblZoom->text(), QString("Zoom: 1:"));
        QVERIFY(!form->lblZoom->isEnabled());
        QVERIFY(!form->ExtEdit1->isEnabled());
        QCOMPARE(form->ExtEdit1->text(), QString("10"));
        QCOMPARE(form->ExtEdit1->toolTip(), QString("1 ... 100"));
        QCOMPARE(form->ExtEdit1->maxLength(), 3);
        for (TRotationSlider* s : {form->TrackBar1, form->TrackBar2, form->TrackBar3}) {
            QCOMPARE(s->minimum(), 0);
            QCOMPARE(s->maximum(), 360);
            QCOMPARE(s->pageStep(), 10);
            QCOMPARE(s->tickInterval(), 10);
            QCOMPARE(s->value(), 0);
        }
        QCOMPARE(form->sbH->singleStep(), 100);
        QCOMPARE(form->sbV->pageStep(), 1000);
        QVERIFY(!form->miEnglishGB->isVisible());
        QVERIFY(!form->View()->HasScene());
    }

    void commandLineFileOpensOnStartMessage() {
        tk3dtest::TAppEnvironment env;
        const QString file = Layout(env, "garden.tkl");
        TTKL3DForm form({file});
        QVERIFY(!form.Document());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCoreApplication::sendPostedEvents(&form);
        QVERIFY(form.Document());
        QCOMPARE(form.FileName(), file);
        QCOMPARE(form.windowTitle(), QString("tk3d - garden"));
        for (QToolButton* b : {form.sbLayer, form.sbPrint, form.sbPageSetup, form.sbCopy})
            QVERIFY(b->isEnabled());
        QVERIFY(form.View()->HasScene());
    }

    void togglesWriteSettingsAndRebuild() {
        tk3dtest::TAppEnvironment env;
        auto form = Open({Layout(env, "a.tkl")});
        QVERIFY(form && form->Document());
        TGLView* view = form->View();
        struct TToggle {
            QToolButton* button;
            bool (TGlobalSettings::*setting)() const;
        };
        for (const TToggle& t : {TToggle{form->sbArtNr, &TGlobalSettings::ShowArtNr},
                                 TToggle{form->sbBez, &TGlobalSettings::ShowDescription},
                                 TToggle{form->sbHoehe, &TGlobalSettings::ShowHeights},
                                 TToggle{form->sbSchwellen, &TGlobalSettings::ShowTies}}) {
            const int builds = view->SceneBuilds();
            const bool before = (GlobalSettings.*t.setting)();
            t.button->click();
            QCOMPARE((GlobalSettings.*t.setting)(), !before);
            QCOMPARE(t.button->isChecked(), !before);
            QCOMPARE(view->SceneBuilds(), builds + 1);
            t.button->click();
            QCOMPARE((GlobalSettings.*t.setting)(), before);
        }
        int builds = view->SceneBuilds();
        form->sbLandschaft->click();
        QVERIFY(!view->State().Landscape);
        QCOMPARE(view->SceneBuilds(), builds + 1);

        // Only repaints: the cross, page borders, sliders, scroll bars.
        builds = view->SceneBuilds();
        form->sbCoord->click();
        QVERIFY(!view->State().ShowCross);
        form->sbPageNums->click();
        form->TrackBar1->setValue(30);
        form->sbH->setValue(form->sbH->maximum());
        QCOMPARE(view->State().RotX, 30);
        QCOMPARE(view->State().ScrollX, form->sbH->maximum());
        QCOMPARE(view->SceneBuilds(), builds);
    }

    void buttonsFollowTheOpenedFile() {
        tk3dtest::TAppEnvironment env;
        tk3dtest::TLayoutSpec spec{{0}};
        spec.flags = {1, 504};  // article numbers and ties shown
        auto form = Open({Layout(env, "ties.tkl", spec)});
        QVERIFY(form && form->Document());
        QVERIFY(form->sbArtNr->isChecked());
        QVERIFY(form->sbSchwellen->isChecked());
        QVERIFY(!form->sbBez->isChecked());
    }

    void sliderHintsAndMenus() {
        tk3dtest::TAppEnvironment env;
        auto form = Open();
        QVERIFY(form);
        form->TrackBar1->setValue(135);
        QCOMPARE(form->TrackBar1->toolTip(), QString("135°"));
        QMenu* menu = form->TrackBar2->ContextMenu();
        QStringList texts;
        for (QAction* a : menu->actions()) texts << a->text();
        QCOMPARE(texts, QStringList({"0°", "45°", "90°", "135°", "180°", "225°", "270°", "315°", "360°"}));
        menu->actions()[2]->trigger();
        QCOMPARE(form->TrackBar2->value(), 90);
        QCOMPARE(form->TrackBar1->value(), 135);
        QCOMPARE(form->TrackBar3->value(), 0);
        QCOMPARE(form->TrackBar2->toolTip(), QString("90°"));
    }

    void overviewAndZoom() {
        tk3dtest::TAppEnvironment env;
        auto form = Open({Layout(env, "a.tkl")});
        QVERIFY(form && form->Document());
        TGLView* view = form->View();
        const double overviewScale = ViewScale;
        int builds = view->SceneBuilds();
        form->sbPreview->click();
        QVERIFY(form->ExtEdit1->isEnabled());
        QVERIFY(form->lblZoom->isEnabled());
        QVERIFY(!view->State().Overview);
        QCOMPARE(view->SceneBuilds(), builds + 1);
        const TScreenMetrics screen = view->ScreenMetrics();
        QCOMPARE(ViewScale, screen.WidthPx / (screen.WidthMm * 10));
        QVERIFY(ViewScale != overviewScale);

        builds = view->SceneBuilds();
        form->ExtEdit1->selectAll();
        QTest::keyClicks(form->ExtEdit1, "20");
        QTest::keyClick(form->ExtEdit1, Qt::Key_Return);
        QCOMPARE(view->State().Zoom, 20);
        QVERIFY(view->SceneBuilds() > builds);
        QCOMPARE(ViewScale, screen.WidthPx / (screen.WidthMm * 20));

        form->sbPreview->click();
        QVERIFY(!form->ExtEdit1->isEnabled());
        QVERIFY(!form->lblZoom->isEnabled());
        QCOMPARE(ViewScale, overviewScale);
    }

    void droppingThreeFilesOpensTheFirst() {
        tk3dtest::TAppEnvironment env;
        auto form = Open();
        QVERIFY(form);
        const QString first = Layout(env, "first.tkl");
        Drop(*form, {first, Layout(env, "second.tkl"), Layout(env, "third.tkl")});
        QCOMPARE(form->FileName(), first);
        QCOMPARE(form->windowTitle(), QString("tk3d - first"));
    }

    void invalidFileAfterValidLeavesNoDocument() {
        tk3dtest::TAppEnvironment env;
        auto form = Open({Layout(env, "good.tkl")});
        QVERIFY(form && form->Document());
        const QString bad = tk3dtest::WriteInvalidFile(env.TempPath("bad.tkl"));
        form->OpenFile(bad);
        QVERIFY(!form->Document());
        QVERIFY(form->FileName().isEmpty());
        QCOMPARE(form->windowTitle(), QString("tk3d"));
        for (QToolButton* b : {form->sbLayer, form->sbPrint, form->sbPageSetup, form->sbCopy})
            QVERIFY(!b->isEnabled());
        QVERIFY(!form->View()->HasScene());
        QCOMPARE(env.Messages.size(), size_t(1));
        QCOMPARE(env.Messages[0].Icon, TMessageIcon::Error);
        QCOMPARE(env.Messages[0].Text,
                 QString("Datei %1 ist ungültig oder paßt nicht zu dieser Programmversion!").arg(bad));
    }

    // Files of a few megabytes load on a worker thread; the document and the
    // errors arrive as with small files.
    void bigFilesLoadBehindAProgressWindow() {
        tk3dtest::TAppEnvironment env;
        auto form = Open();
        QVERIFY(form);
        const QString good = Layout(env, "big.tkl");
        const QString bad = tk3dtest::WriteInvalidFile(env.TempPath("bigbad.tkl"));
        for (const QString& file : {good, bad}) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::Append));
            f.write(QByteArray(int(kProgressFileSize), '\0'));
        }
        form->OpenFile(good);
        QVERIFY(form->Document());
        QCOMPARE(form->windowTitle(), QString("tk3d - big"));
        form->OpenFile(bad);
        QVERIFY(!form->Document());
        QCOMPARE(env.Messages.size(), size_t(1));
        QVERIFY(env.Messages[0].Text.contains("ist ungültig"));
        QVERIFY(!QApplication::overrideCursor());
    }

    void scrollRangesAreSymmetric() {
        tk3dtest::TAppEnvironment env;
        tk3dtest::TLayoutSpec spec{{0}};
        spec.x = -8000;
        spec.y = -3000;
        auto form = Open({Layout(env, "west.tkl", spec)});
        QVERIFY(form && form->Document());
        const TRect r = form->Document()->GetBounds(false);
        QVERIFY(r.Right < 0);
        QCOMPARE(form->sbH->maximum(), std::abs(r.Right));
        QCOMPARE(form->sbH->minimum(), -std::abs(r.Right));
        QCOMPARE(form->sbV->maximum(), std::abs(r.Bottom));
        QCOMPARE(form->sbV->minimum(), -std::abs(r.Bottom));
        QCOMPARE(form->sbH->value(), 0);
    }

    void placementAndFolderRoundTrip() {
        tk3dtest::TAppEnvironment env;
        {
            TRegistry reg;
            QVERIFY(reg.OpenKey(kViewerKey, true));
            QVERIFY(reg.WriteString("DefFileDir", "/layouts/"));
        }
        QRect placed;
        {
            auto form = Open();
            QVERIFY(form);
            QCOMPARE(form->DefFileDir(), QString("/layouts/"));
            form->setGeometry(130, 140, 820, 610);
            QTest::qWait(50);
            placed = form->normalGeometry();
            form->close();
        }
        TRegistry reg;
        QVERIFY(reg.OpenKeyReadOnly(kViewerKey));
        QCOMPARE(reg.ReadBinary("Placement")->size(), size_t(TWindowPlacement::kSize));
        QCOMPARE(ReadString(kViewerKey, "DefFileDir"), std::optional<std::string>("/layouts/"));
        auto again = Open();
        QVERIFY(again);
        QCOMPARE(again->normalGeometry(), placed);
    }

    void openDialogRemembersTheFolder() {
        tk3dtest::TAppEnvironment env;
        const QString file = Layout(env, "chosen.tkl");
        auto form = Open();
        QVERIFY(form);
        QTimer::singleShot(0, [file] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(dialog->nameFilters(), QStringList({"Trakona-Dateien (*.tkl)", "Alle dateien (*)"}));
            dialog->selectFile(file);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        form->sbFile->click();
        QCOMPARE(form->FileName(), file);
        QCOMPARE(form->DefFileDir(), QFileInfo(file).absolutePath() + "/");
        form->close();
        QCOMPARE(ReadString(kViewerKey, "DefFileDir"),
                 std::optional<std::string>(form->DefFileDir().toStdString()));
    }

    void storedValuesThatDoNotFitAreIgnored() {
        tk3dtest::TAppEnvironment env;
        {
            TRegistry reg;
            QVERIFY(reg.OpenKey(kViewerKey, true));
            TWindowPlacement p;
            p.NormalPosition = QRect(10, 10, 300, 200);
            const QByteArray bytes = p.Encode().left(40);
            QVERIFY(reg.WriteBinary("Placement", TRegBinary(bytes.begin(), bytes.end())));
            QVERIFY(reg.OpenKey("\\Software\\Kestrow\\Trakona\\11.0\\Settings", true));
            QVERIFY(reg.WriteString("DefFileDir", "/planner/"));
        }
        auto form = Open();
        QVERIFY(form);
        QCOMPARE(form->size(), QSize(1000, 720));
        // Without a folder of its own the viewer takes the planner's.
        QCOMPARE(form->DefFileDir(), QString("/planner/"));
    }

    void placementRecordLayout() {
        TWindowPlacement p;
        p.ShowCmd = TWindowPlacement::kShowMaximized;
        p.NormalPosition = QRect(-20, 30, 640, 480);
        const QByteArray bytes = p.Encode();
        QCOMPARE(bytes.size(), 44);
        QCOMPARE(bytes.left(12), QByteArray("\x2c\0\0\0\0\0\0\0\x03\0\0\0", 12));
        // left, top, right, bottom
        QCOMPARE(bytes.right(16), QByteArray("\xec\xff\xff\xff\x1e\0\0\0\x6c\x02\0\0\xfe\x01\0\0", 16));
        const auto back = TWindowPlacement::Decode(bytes);
        QVERIFY(back);
        QCOMPARE(back->NormalPosition, p.NormalPosition);
        QCOMPARE(back->ShowCmd, p.ShowCmd);
        QByteArray wrongLength = bytes;
        wrongLength[0] = 40;
        QVERIFY(!TWindowPlacement::Decode(wrongLength));
    }

    void languageSwitchInPlace() {
        tk3dtest::TAppEnvironment env;
        auto form = Open({Layout(env, "garden.tkl")});
        QVERIFY(form && form->Document());
        TTKL3DForm* const window = form.get();
        const std::string valueName = ProgramPath().toStdString();

        form->miEnglish->trigger();
        QCOMPARE(form->sbFile->toolTip(), QString("Open file"));
        QCOMPARE(form->sbBez->text(), QString("D"));
        QCOMPARE(form->windowTitle(), QString("3D-Viewer for Trakona® - garden"));
        QCOMPARE(form->miDutch->text(), QString("D&utch"));
        QVERIFY(form->Document());
        QVERIFY(form->isVisible());
        QCOMPARE(ReadString("Software\\Borland\\Locales", valueName.c_str()),
                 std::optional<std::string>("ENU"));
        ShowCaptions(*form, "captions-en");

        form->miDutch->trigger();
        QCOMPARE(form->sbFile->toolTip(), QString("Bestand openen"));
        QCOMPARE(form->lblRotation->text(), QString("Rotatie"));
        QCOMPARE(form->windowTitle(), QString("3D-viewer voor Trakona® - garden"));
        QCOMPARE(ReadString("Software\\Borland\\Locales", valueName.c_str()),
                 std::optional<std::string>("NLD"));
        ShowCaptions(*form, "captions-nl");

        form->miDeutsch->trigger();
        QCOMPARE(form->sbFile->toolTip(), QString("Datei öffnen"));
        QCOMPARE(form->windowTitle(), QString("3D-Viewer für Trakona® - garden"));
        QCOMPARE(ActiveLanguageCode(), QString("deu"));
        QCOMPARE(ReadString("Software\\Borland\\Locales", valueName.c_str()), std::optional<std::string>(""));
        QCOMPARE(form.get(), window);
        QCOMPARE(form->ExtEdit1->toolTip(), QString("1 ... 100"));
        QVERIFY(env.Messages.empty());
    }

    void failedSwitchKeepsTextsAndPreference() {
        tk3dtest::TAppEnvironment env;
        auto form = Open();
        QVERIFY(form);
        SetProgramPath(env.TempPath("tk3d"));
        form->miEnglish->trigger();
        QCOMPARE(env.Messages.size(), size_t(1));
        QCOMPARE(form->sbFile->toolTip(), QString("Datei öffnen"));
        QCOMPARE(form->windowTitle(), QString("tk3d"));
        QVERIFY(!ReadString("Software\\Borland\\Locales", ProgramPath().toStdString().c_str()));
    }

    void wheelAndDragMoveTheControls() {
        tk3dtest::TAppEnvironment env;
        tk3dtest::TLayoutSpec spec{{0, 0, 0, 0, 0, 0}};
        spec.y = -3000;
        auto form = Open({Layout(env, "a.tkl", spec)});
        QVERIFY(form && form->Document());
        TGLView* view = form->View();
        const QPointF centre(view->width() / 2.0, view->height() / 2.0);
        auto wheel = [&](int delta, Qt::KeyboardModifiers mods) {
            QWheelEvent e(centre, view->mapToGlobal(centre), QPoint(), QPoint(0, delta), Qt::NoButton, mods,
                          Qt::NoScrollPhase, false);
            QApplication::sendEvent(view, &e);
        };
        wheel(-120, Qt::NoModifier);
        QCOMPARE(form->sbV->value(), 100);
        wheel(120, Qt::ShiftModifier);
        QCOMPARE(form->sbH->value(), -100);
        wheel(120, Qt::ControlModifier);  // overview: no zoom
        QCOMPARE(form->ExtEdit1->text(), QString("10"));
        form->sbPreview->click();
        wheel(120, Qt::ControlModifier);
        QCOMPARE(form->ExtEdit1->text(), QString("9"));
        QCOMPARE(view->State().Zoom, 9);
        wheel(-240, Qt::ControlModifier);
        QVERIFY(form->ExtEdit1->ValueAsInteger() > 9);

        const int builds = view->SceneBuilds();
        QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, centre.toPoint());
        QTest::mouseMove(view, centre.toPoint() + QPoint(40, -20));
        QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, centre.toPoint() + QPoint(40, -20));
        QCOMPARE(form->TrackBar3->value(), 20);
        QCOMPARE(form->TrackBar1->value(), 350);
        QCOMPARE(view->SceneBuilds(), builds);
    }
};

TK3D_APP_TEST(MainWindowTest)
#include "MainWindowTest.moc"
