// The help: where it is looked for, how a context becomes a page, the error
// texts, the pages of every language, and F1.
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include "AppTest.h"
#include "platform/Registry.h"
#include "shell/Help.h"
#include "shell/HelpWindow.h"
#include "shell/Language.h"
#include "support/AppFixtures.h"

using namespace tk3d;

namespace {

const QString kHelpDir = QString(TK3D_APP_DIR) + "/tk3d.help";

void StoreHelpPath(TRegRoot root, const QString& folder) {
    TRegistry reg(root);
    QVERIFY(reg.OpenKey("Software\\Kestrow\\Trakona\\11.0\\Settings", true));
    QVERIFY(reg.WriteString("HTMLHelpFilePath", folder.toStdString()));
}

}  // namespace

class HelpTest : public QObject {
    Q_OBJECT
private slots:
    void contextsBecomeAddresses_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("data");
        QTest::addColumn<QString>("url");
        QTest::newRow("main page") << int(kHelpShowContext) << 101 << kHelpDir + "::mainpage.html";
        QTest::newRow("unknown context") << int(kHelpShowContext) << 5 << kHelpDir;
        QTest::newRow("contents") << int(kHelpShowContents) << 0 << kHelpDir;
    }
    void contextsBecomeAddresses() {
        QFETCH(int, command);
        QFETCH(int, data);
        QFETCH(QString, url);
        tk3dtest::TAppEnvironment env;
        QCOMPARE(HelpUrl(command, data), url);
    }

    void otherCommandsAreRefused() {
        tk3dtest::TAppEnvironment env;
        try {
            HelpUrl(2, 101);
            QFAIL("no error");
        } catch (const EHelpError& e) {
            QCOMPARE(QString::fromStdString(e.what()), QString("Wrong help command!"));
        }
    }

    void plannerSettingsMoveTheHelp_data() {
        QTest::addColumn<bool>("machineWide");
        QTest::addColumn<QString>("folder");
        QTest::newRow("without separator") << false << "/opt/planner/help";
        QTest::newRow("with separator") << false << "/opt/planner/help/";
        QTest::newRow("machine-wide") << true << "/opt/planner/help";
    }
    void plannerSettingsMoveTheHelp() {
        QFETCH(bool, machineWide);
        QFETCH(QString, folder);
        tk3dtest::TAppEnvironment env;
        StoreHelpPath(machineWide ? TRegRoot::LocalMachine : TRegRoot::CurrentUser, folder);
        ResolveHelpFile();
        QCOMPARE(HelpFile(), QString("/opt/planner/help/tk3d.help"));
    }

    void pagesFollowTheLanguage_data() {
        QTest::addColumn<int>("locale");
        QTest::addColumn<QString>("folder");
        QTest::newRow("German") << 0 << "de";
        QTest::newRow("English") << int(kLocaleEnglishUS) << "en";
        QTest::newRow("Dutch") << int(kLocaleDutch) << "nl";
    }
    void pagesFollowTheLanguage() {
        QFETCH(int, locale);
        QFETCH(QString, folder);
        tk3dtest::TAppEnvironment env;
        if (locale) QVERIFY(LoadLanguageLibrary(locale));
        QCOMPARE(HelpPagePath(HelpUrl(kHelpShowContext, kHelpContextMain)),
                 kHelpDir + "/" + folder + "/mainpage.html");
        QCOMPARE(HelpPagePath(HelpUrl(kHelpShowContents, 0)), kHelpDir + "/" + folder + "/index.html");
    }

    void missingHelpIsReported() {
        tk3dtest::TAppEnvironment env;
        SetHelpFile(env.TempPath("tk3d.help"));
        ShowHelpContext(kHelpContextMain);
        QCOMPARE(env.Messages.size(), size_t(1));
        QCOMPARE(env.Messages[0].Text,
                 QString("Die Hilfedatei %1 konnte nicht gefunden werden!").arg(env.TempPath("tk3d.help")));
    }

    // Every language has the same pages, and every link leads to a page and
    // an anchor that exist.
    void pagesAndLinksAreComplete() {
        const QStringList german = QDir(kHelpDir + "/de").entryList({"*.html"}, QDir::Files, QDir::Name);
        QVERIFY(german.contains("index.html") && german.contains("mainpage.html"));
        const QRegularExpression link("href=\"([^\"#:]+)(?:#([^\"]+))?\"");
        for (const QString lang : {"de", "en", "nl"}) {
            const QDir dir(kHelpDir + "/" + lang);
            QCOMPARE(dir.entryList({"*.html"}, QDir::Files, QDir::Name), german);
            for (const QString& page : german) {
                QFile file(dir.filePath(page));
                QVERIFY(file.open(QIODevice::ReadOnly));
                const QString html = QString::fromUtf8(file.readAll());
                for (auto it = link.globalMatch(html); it.hasNext();) {
                    const QRegularExpressionMatch m = it.next();
                    const QString where = lang + "/" + page + " -> " + m.captured(0);
                    QFile target(dir.filePath(m.captured(1)));
                    QVERIFY2(target.open(QIODevice::ReadOnly), qPrintable(where));
                    if (!m.captured(2).isEmpty())
                        QVERIFY2(QString::fromUtf8(target.readAll()).contains("id=\"" + m.captured(2) + "\""),
                                 qPrintable(where));
                }
            }
        }
    }

    void f1AsksForTheWindowsContext() {
        tk3dtest::TAppEnvironment env;
        InstallHelpHook();
        QDialog dialog;
        dialog.setProperty("HelpContext", kHelpContextMain);
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QTest::keyClick(&dialog, Qt::Key_F1);
        QVERIFY(THelpWindow::Existing());
        QCOMPARE(THelpWindow::Existing()->CurrentUrl(), kHelpDir + "::mainpage.html");
        QCOMPARE(THelpWindow::Existing()->CurrentPage(), kHelpDir + "/de/mainpage.html");
        QVERIFY(env.Messages.empty());
        THelpWindow::Existing()->close();
    }
};

TK3D_APP_TEST(HelpTest)
#include "HelpTest.moc"
