// The about box as dialog and as splash screen, its links, and its texts in
// the active language.
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "AppTest.h"
#include "shell/AboutBox.h"
#include "shell/Language.h"
#include "support/AppFixtures.h"
#include "support/Screenshots.h"

using namespace tk3d;

class AboutBoxTest : public QObject {
    Q_OBJECT
private slots:
    void dialogAndSplash() {
        tk3dtest::TAppEnvironment env;
        TInfoForm info;
        info.show();
        QVERIFY(QTest::qWaitForWindowExposed(&info));
        QCOMPARE(info.windowTitle(), QString("Info über 3D-Viewer für Trakona®"));
        auto* ok = info.findChild<QPushButton*>("btnOK");
        auto* help = info.findChild<QPushButton*>("btnHelp");
        QVERIFY(ok && help);
        QCOMPARE(ok->text(), QString("O&K"));
        QCOMPARE(help->text(), QString("&Hilfe"));
        QVERIFY(ok->isVisible() && help->isVisible());
        tk3dtest::SaveScreenshot(info, "about-de");
        info.HideButtons();
        QVERIFY(!ok->isVisible() && !help->isVisible());
    }

    void mailAddressTakesTheLabelsEnding() {
        tk3dtest::TAppEnvironment env;
        TInfoForm info;
        QCOMPARE(info.findChild<QLabel*>("lblMail")->text(), QString("tk3d@example.org"));
        QCOMPARE(info.MailAddress(), QString("mailto:tk3d@example.org"));
        QVERIFY(info.findChild<QLabel*>("lblWeb")->text().startsWith("https://"));
    }

    void textsFollowTheLanguage() {
        tk3dtest::TAppEnvironment env;
        TInfoForm info;
        QVERIFY(LoadLanguageLibrary(kLocaleEnglishUS));
        ReloadForms();
        QCOMPARE(info.windowTitle(), QString("About 3D-Viewer for Trakona®"));
        QCOMPARE(info.findChild<QPushButton*>("btnHelp")->text(), QString("&Help"));
        info.show();
        QVERIFY(QTest::qWaitForWindowExposed(&info));
        tk3dtest::SaveScreenshot(info, "about-en");
    }
};

TK3D_APP_TEST(AboutBoxTest)
#include "AboutBoxTest.moc"
