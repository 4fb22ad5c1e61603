// The numeric field: limits, hint and length, key filter, units, spin steps
// and the events a user's commit fires.
#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QSignalSpy>
#include <QTest>

#include "AppTest.h"
#include "controls/ExtEdit.h"
#include "controls/InchLabel.h"
#include "layoutfile/GlobalState.h"

using tk3d::TExtEdit;

namespace {

void Leave(TExtEdit& e) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&e, &out);
}

// The zoom field of the main window.
void MakeZoomField(TExtEdit& e) {
    e.SetMaxValue(100);
    e.SetMinValue(1);
    e.SetValue(10);
}

// The overlap field: 0 ... 100 mm.
void MakeOverlapField(TExtEdit& e) {
    e.SetMaxValue(100);
    e.SetMinValue(0);
    e.SetValue(0);
}

}  // namespace

class ExtEditTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    void hintLengthAndSigns() {
        TExtEdit e;
        QCOMPARE(e.toolTip(), QString());
        MakeZoomField(e);
        QCOMPARE(e.toolTip(), QString("1 ... 100"));
        QCOMPARE(e.maxLength(), 3);
        e.clear();
        QTest::keyClicks(&e, "-+5.x");
        QCOMPARE(e.text(), QString("+5"));
    }

    void leavingClampsAndRepairsText_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("paste");
        QTest::addColumn<QString>("shown");
        QTest::newRow("above maximum") << "250" << false << "100";
        QTest::newRow("below minimum") << "0" << false << "1";
        QTest::newRow("letters pasted") << "abc" << true << "1";
        QTest::newRow("empty") << "" << false << "1";
    }
    void leavingClampsAndRepairsText() {
        QFETCH(QString, typed);
        QFETCH(bool, paste);
        QFETCH(QString, shown);
        TExtEdit e;
        MakeZoomField(e);
        e.selectAll();
        QTest::keyClick(&e, Qt::Key_Backspace);
        if (paste) {
            QApplication::clipboard()->setText(typed);
            QTest::keyClick(&e, Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClicks(&e, typed);
        }
        QCOMPARE(e.text(), typed);
        QSignalSpy changed(&e, &TExtEdit::ValueChanged);
        Leave(e);
        QCOMPARE(e.text(), shown);
        QCOMPARE(changed.count(), 1);
    }

    void lettersCannotBeTyped() {
        TExtEdit e;
        MakeZoomField(e);
        QTest::keyClicks(&e, "abc");
        QCOMPARE(e.text(), QString("10"));
    }

    void leavingUnchangedFiresNoValueChange() {
        TExtEdit e;
        MakeZoomField(e);
        QSignalSpy changed(&e, &TExtEdit::ValueChanged);
        QSignalSpy exited(&e, &TExtEdit::Exited);
        Leave(e);
        QCOMPARE(exited.count(), 1);
        QCOMPARE(changed.count(), 0);
    }

    void inchDisplayOfOverlapField() {
        TExtEdit e;
        MakeOverlapField(e);
        e.SetInchDisplay(true);
        QCOMPARE(e.Decimals(), 1);
        QCOMPARE(e.Increment(), 0.1);
        QCOMPARE(e.maxLength(), 3);
        QCOMPARE(e.toolTip(), QString("0.0 ... 3.9"));
        e.setText("3.0");
        QCOMPARE(e.ValueAsInteger(), 76);
        e.setText("9.9");
        Leave(e);
        QCOMPARE(e.text(), QString("3.9"));
        e.setText("9.9");
        QCOMPARE(e.ValueAsInteger(), 100);
        QCOMPARE(e.MaxValue(), 100.0);
        e.SetInchDisplay(false);
        QCOMPARE(e.Decimals(), 0);
        QCOMPARE(e.Increment(), 1.0);
        QCOMPARE(e.toolTip(), QString("0 ... 100"));
    }

    void hintUsesLocaleDecimalSeparator() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        TExtEdit e;
        MakeOverlapField(e);
        e.SetInchDisplay(true);
        QCOMPARE(e.toolTip(), QString("0,0 ... 3,9"));
        e.clear();
        QTest::keyClicks(&e, "1.,5");
        QCOMPARE(e.text(), QString("1,5"));
    }

    void spinSteps() {
        TExtEdit e;
        MakeZoomField(e);
        QSignalSpy changed(&e, &TExtEdit::ValueChanged);
        QSignalSpy exited(&e, &TExtEdit::Exited);
        e.UpClick();
        QCOMPARE(e.text(), QString("11"));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(exited.count(), 1);
        QTest::keyClick(&e, Qt::Key_Down);
        QTest::keyClick(&e, Qt::Key_Down);
        QCOMPARE(e.text(), QString("9"));
        e.SetValue(100);
        changed.clear();
        e.UpClick();
        QCOMPARE(e.text(), QString("100"));
        QCOMPARE(changed.count(), 0);
        e.setReadOnly(true);
        e.DownClick();
        QCOMPARE(e.text(), QString("100"));
    }

    void decimalStepsReachTheLimit() {
        TExtEdit e;
        e.SetDecimals(1);
        e.SetMaxValue(0.3);
        e.SetMinValue(0);
        e.SetIncrement(0.1);
        e.SetValue(0.2);
        e.UpClick();
        QCOMPARE(e.text(), QString("0.3"));
    }

    void readingReformatsAndKeepsSelection() {
        TExtEdit e;
        e.SetDecimals(2);
        e.SetMaxValue(1000);
        e.SetMinValue(0);
        e.setText("7");
        e.setModified(true);
        e.setSelection(0, 1);
        QCOMPARE(e.Value(), 7.0);
        QCOMPARE(e.text(), QString("7.00"));
        QCOMPARE(e.selectionStart(), 0);
        QCOMPARE(e.selectedText(), QString("7"));
        QVERIFY(!e.isModified());
    }

    void enterCommits() {
        TExtEdit e;
        MakeZoomField(e);
        e.setText("050");
        QSignalSpy changed(&e, &TExtEdit::ValueChanged);
        QTest::keyClick(&e, Qt::Key_Return);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(e.text(), QString("50"));
    }

    void editorDisabledRefusesEditing() {
        TExtEdit e;
        MakeZoomField(e);
        e.SetEditorEnabled(false);
        e.setCursorPosition(2);
        QTest::keyClicks(&e, "5");
        QTest::keyClick(&e, Qt::Key_Backspace);
        QApplication::clipboard()->setText("7");
        QTest::keyClick(&e, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(e.text(), QString("10"));
        e.UpClick();
        QCOMPARE(e.text(), QString("11"));
    }

    void inchLabelShowsUnitNotCaption() {
        tk3d::ResetGlobalState();
        tk3d::TInchLabel label;
        label.setText("caption");
        QCOMPARE(tk3d::TInchLabel::UnitText(), QString("mm"));
        const int mmWidth = label.sizeHint().width();
        tk3d::GlobalSettings.SetInchUnits(true);
        QCOMPARE(tk3d::TInchLabel::UnitText(), QString("\""));
        QVERIFY(label.sizeHint().width() < mmWidth);
        tk3d::ResetGlobalState();
    }
};

TK3D_APP_TEST(ExtEditTest)
#include "ExtEditTest.moc"
