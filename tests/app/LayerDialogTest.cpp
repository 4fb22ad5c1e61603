// The layer dialog: names, which layers it lists, the OK rule and what
// confirming or cancelling does to the visible layers.
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "AppTest.h"
#include "layoutfile/GlobalState.h"
#include "layoutfile/LoadLayout.h"
#include "layoutfile/RailList.h"
#include "shell/LayerDialog.h"
#include "support/AppFixtures.h"
#include "support/Screenshots.h"

using namespace tk3d;

namespace {

std::unique_ptr<TRailList> Load(const tk3dtest::TAppEnvironment& env, const tk3dtest::TLayoutSpec& spec) {
    return LoadLayout(tk3dtest::WriteLayout(env.TempPath("layers.tkl"), spec).toStdString());
}

QStringList Entries(const TLayerForm& form) {
    QStringList entries;
    for (int i = 0; i < form.CheckListBox1->count(); ++i) {
        const QListWidgetItem* item = form.CheckListBox1->item(i);
        entries << QString("%1=%2%3")
                       .arg(item->data(Qt::UserRole).toInt())
                       .arg(item->text())
                       .arg(item->checkState() == Qt::Checked ? "+" : "-");
    }
    return entries;
}

// Runs ShowLayerDialog while act works the dialog as a user would.
bool RunDialog(const TRailList& document, std::function<void(TLayerForm&)> act) {
    QTimer::singleShot(0, [act] {
        auto* form = qobject_cast<TLayerForm*>(QApplication::activeModalWidget());
        QVERIFY(form);
        act(*form);
    });
    return ShowLayerDialog(document);
}

}  // namespace

class LayerDialogTest : public QObject {
    Q_OBJECT
private slots:
    void displayNames() {
        tk3dtest::TAppEnvironment env;
        LayerNames[3] = "Gleise";
        QCOMPARE(LayerDisplayName(3), QString("Gleise"));
        QCOMPARE(LayerDisplayName(12), QString("012"));
        QCOMPARE(LayerDisplayName(0), QString("000"));
        QCOMPARE(LayerDisplayName(255), QString("255"));
    }

    void listsUsedLayersInOrder() {
        tk3dtest::TAppEnvironment env;
        const auto doc = Load(env, {{200, 3, 0, 3, 300}, {{3, "Gleise"}}, {0, 200, 5}});
        TLayerForm form;
        QVERIFY(!form.Button1->isEnabled());
        form.Fill(*doc);
        QCOMPARE(Entries(form), QStringList({"0=000+", "3=Gleise-", "200=200+"}));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        tk3dtest::SaveScreenshot(form, "layer-dialog");
        QVERIFY(LayerInUse(*doc, 200));
        QVERIFY(!LayerInUse(*doc, 5));
        QVERIFY(!LayerInUse(*doc, 300));
    }

    void okNeedsACheckedEntry() {
        tk3dtest::TAppEnvironment env;
        const auto doc = Load(env, {{1, 2}, {}, {1}});
        TLayerForm form;
        form.Fill(*doc);
        form.UpdateOKButton();
        QVERIFY(form.Button1->isEnabled());
        form.CheckListBox1->item(0)->setCheckState(Qt::Unchecked);
        QVERIFY(!form.Button1->isEnabled());
        form.CheckListBox1->item(1)->setCheckState(Qt::Checked);
        QVERIFY(form.Button1->isEnabled());
    }

    void confirmingReplacesVisibleLayers() {
        tk3dtest::TAppEnvironment env;
        const auto doc = Load(env, {{0, 3, 200}, {}, {0, 3, 7, 200}});
        QVERIFY(GlobalSettings.VisibleLayers().Contains(7));
        const bool confirmed = RunDialog(*doc, [](TLayerForm& form) {
            form.CheckListBox1->item(0)->setCheckState(Qt::Unchecked);
            form.CheckListBox1->item(2)->setCheckState(Qt::Unchecked);
            QTest::mouseClick(form.Button1, Qt::LeftButton);
        });
        QVERIFY(confirmed);
        QCOMPARE(GlobalSettings.VisibleLayers().Layers(), std::vector<int>({3}));
    }

    void cancellingChangesNothing() {
        tk3dtest::TAppEnvironment env;
        const auto doc = Load(env, {{0, 3}, {}, {0, 3, 7}});
        const TLayerSet before = GlobalSettings.VisibleLayers();
        const bool confirmed = RunDialog(*doc, [](TLayerForm& form) {
            form.CheckListBox1->item(0)->setCheckState(Qt::Unchecked);
            QTest::mouseClick(form.Button2, Qt::LeftButton);
        });
        QVERIFY(!confirmed);
        QVERIFY(GlobalSettings.VisibleLayers() == before);
    }

    void emptyDocumentCanOnlyBeCancelled() {
        tk3dtest::TAppEnvironment env;
        const auto doc = Load(env, {{}, {}, {}});
        const TLayerSet before = GlobalSettings.VisibleLayers();
        const bool confirmed = RunDialog(*doc, [](TLayerForm& form) {
            QCOMPARE(form.CheckListBox1->count(), 0);
            QVERIFY(!form.Button1->isEnabled());
            QTest::keyClick(&form, Qt::Key_Return);
            QVERIFY(form.isVisible());
            QTest::mouseClick(form.Button2, Qt::LeftButton);
        });
        QVERIFY(!confirmed);
        QVERIFY(GlobalSettings.VisibleLayers() == before);
    }
};

TK3D_APP_TEST(LayerDialogTest)
#include "LayerDialogTest.moc"
