// The dialog bases: a pop-up dialog belongs to the main window, and labels
// are measured anew when a dialog is first activated.
#include <QLabel>
#include <QMainWindow>
#include <QTest>

#include "AppTest.h"
#include "controls/DialogBases.h"

using namespace tk3d;

class DialogBasesTest : public QObject {
    Q_OBJECT
private slots:
    void popUpBelongsToTheMainWindow() {
        TPopUpParentForm alone;
        QVERIFY(!alone.parentWidget());
        QMainWindow main;
        TPopUpParentForm owned;
        QCOMPARE(owned.parentWidget(), &main);
        QVERIFY(owned.isWindow());
    }

    void labelsAreMeasuredOnFirstActivation() {
        TLabelSizeForm form;
        form.resize(400, 200);
        auto* label = new QLabel("short", &form);
        label->adjustSize();
        const int shortWidth = label->width();
        // A language switch gives the label a longer text before the dialog
        // is first shown.
        label->setText("a much longer text than before");
        QCOMPARE(label->width(), shortWidth);
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QVERIFY(form.WasActivated());
        QVERIFY(label->width() > shortWidth);
    }
};

TK3D_APP_TEST(DialogBasesTest)
#include "DialogBasesTest.moc"
