// Choosing the language at start: the stored preference, the language file
// beside the executable (three, then two letters), the version check, and
// what a missing file reports.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include "AppTest.h"
#include "platform/Registry.h"
#include "shell/Language.h"
#include "support/AppFixtures.h"

using namespace tk3d;

namespace {

void StorePreference(TRegRoot root, const char* key, const QString& code) {
    TRegistry reg(root);
    QVERIFY(reg.OpenKey(key, true));
    QVERIFY(reg.WriteString(ProgramPath().toStdString(), code.toStdString()));
}

// A language file that calls itself code and was made for version.
void MakeLanguageFile(const QString& path, const QString& code, const QString& version) {
    const QString ts = path + ".ts";
    QFile file(ts);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(
        QString("<?xml version=\"1.0\" encoding=\"utf-8\"?><!DOCTYPE TS><TS version=\"2.1\" language=\"en\">"
                "<context><name>tk3d::Language</name>"
                "<message><source>deu</source><translation>%1</translation></message>"
                "<message><source>@version</source><translation>%2</translation></message>"
                "</context></TS>")
            .arg(code, version)
            .toUtf8());
    file.close();
    QProcess lrelease;
    lrelease.start(TK3D_LRELEASE, {"-silent", ts, "-qm", path});
    QVERIFY(lrelease.waitForFinished(30000));
    QCOMPARE(lrelease.exitCode(), 0);
}

}  // namespace

class LanguageTest : public QObject {
    Q_OBJECT
private slots:
    void noPreferenceKeepsGermanUnchecked() {
        tk3dtest::TAppEnvironment env;
        QVERIFY(CheckLanguage());
        QCOMPARE(ActiveLanguageCode(), QString("deu"));
        QVERIFY(env.Messages.empty());
        QCOMPARE(ApplicationTitle(), QString("tk3d"));
    }

    void preferenceChoosesLanguage_data() {
        QTest::addColumn<bool>("machineWide");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("preference");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("file");
        const QString emb = "Software\\Embarcadero\\Locales";
        QTest::newRow("English") << false << emb << "enu"
                                 << "enu"
                                 << "tk3d.ENU";
        QTest::newRow("written by the menu") << false << "Software\\Borland\\Locales"
                                             << "NLD"
                                             << "nld"
                                             << "tk3d.NLD";
        QTest::newRow("machine-wide") << true << emb << "enu"
                                      << "enu"
                                      << "tk3d.ENU";
        QTest::newRow("British: two-letter file") << false << emb << "ENG"
                                                  << "enu"
                                                  << "tk3d.EN";
        QTest::newRow("unsupported code") << false << emb << "ITA"
                                          << "deu"
                                          << "";
        QTest::newRow("German") << false << emb << ""
                                << "deu"
                                << "";
    }
    void preferenceChoosesLanguage() {
        QFETCH(bool, machineWide);
        QFETCH(QString, key);
        QFETCH(QString, preference);
        QFETCH(QString, code);
        QFETCH(QString, file);
        tk3dtest::TAppEnvironment env;
        StorePreference(machineWide ? TRegRoot::LocalMachine : TRegRoot::CurrentUser,
                        key.toStdString().c_str(), preference);
        QVERIFY(CheckLanguage());
        QCOMPARE(ActiveLanguageCode(), code);
        if (!file.isEmpty()) QCOMPARE(QFileInfo(LastLanguageFile()).fileName(), file);
        QVERIFY(env.Messages.empty());
    }

    void missingLanguageFileIsReported() {
        tk3dtest::TAppEnvironment env;
        SetProgramPath(env.TempPath("tk3d"));
        QVERIFY(!LoadLanguageLibrary(kLocaleSpanish));
        QCOMPARE(ActiveLanguageCode(), QString("deu"));
        QCOMPARE(env.Messages.size(), size_t(1));
        QCOMPARE(env.Messages[0].Icon, TMessageIcon::Error);
        QCOMPARE(env.Messages[0].Caption, QString("tk3d"));
        QVERIFY2(env.Messages[0].Text.startsWith("Could not load resource module " + env.TempPath("tk3d.ES") +
                                                 "!\nSystemfehler.  Code: 2.\n"),
                 qPrintable(env.Messages[0].Text));
    }

    void versionOfLanguageFileIsChecked_data() {
        QTest::addColumn<QString>("version");
        QTest::addColumn<bool>("fits");
        QTest::newRow("this version") << ProgramVersionText() << true;
        QTest::newRow("another version") << "9.9.9.9" << false;
    }
    void versionOfLanguageFileIsChecked() {
        QFETCH(QString, version);
        QFETCH(bool, fits);
        tk3dtest::TAppEnvironment env;
        SetProgramPath(env.TempPath("tk3d"));
        MakeLanguageFile(env.TempPath("tk3d.ENU"), "enu", version);
        StorePreference(TRegRoot::CurrentUser, "Software\\Embarcadero\\Locales", "ENU");
        QCOMPARE(CheckLanguage(), fits);
        QCOMPARE(ActiveLanguageCode(), QString("enu"));
    }

    void titleFollowsTheTexts() {
        tk3dtest::TAppEnvironment env;
        QVERIFY(LoadLanguageLibrary(kLocaleEnglishUS));
        QCOMPARE(ApplicationTitle(), QString("tk3d"));
        SetApplicationTitleFromTexts();
        QCOMPARE(ApplicationTitle(), QString("3D-Viewer for Trakona®"));
        UseBuiltInTexts();
        SetApplicationTitleFromTexts();
        QCOMPARE(ApplicationTitle(), QString("3D-Viewer für Trakona®"));
    }
};

TK3D_APP_TEST(LanguageTest)
#include "LanguageTest.moc"
