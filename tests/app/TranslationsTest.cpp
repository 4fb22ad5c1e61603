// The language files: every text of the program translated in English and
// Dutch, placeholders kept, and the files made for this program version.
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>
#include <map>

#include "AppTest.h"
#include "shell/CoreMessages.h"
#include "shell/Language.h"

namespace {

struct TMessage {
    QString translation;
    bool finished = false;
};
// (context, source) -> translation
using TCatalogue = std::map<std::pair<QString, QString>, TMessage>;

TCatalogue ReadTs(const QString& path) {
    TCatalogue result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return result;
    QXmlStreamReader xml(&file);
    QString context, source;
    TMessage message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        if (xml.name() == u"name") context = xml.readElementText();
        if (xml.name() == u"source") source = xml.readElementText();
        if (xml.name() == u"translation") {
            const QString type = xml.attributes().value("type").toString();
            message.finished = type.isEmpty();
            message.translation = xml.readElementText();
            result[{context, source}] = message;
        }
    }
    return result;
}

QStringList Placeholders(const QString& text) {
    QStringList found;
    QRegularExpressionMatchIterator it = QRegularExpression("%\\d").globalMatch(text);
    while (it.hasNext()) found << it.next().captured();
    found.sort();
    return found;
}

const QString kSourceDir = TK3D_SOURCE_DIR;

}  // namespace

class TranslationsTest : public QObject {
    Q_OBJECT
private slots:
    void everyTextIsTranslated_data() {
        QTest::addColumn<QString>("ts");
        QTest::newRow("English") << kSourceDir + "/translations/tk3d_en.ts";
        QTest::newRow("Dutch") << kSourceDir + "/translations/tk3d_nl.ts";
    }
    void everyTextIsTranslated() {
        QFETCH(QString, ts);
        // What the sources hold now, so that a text added without a
        // translation is found.
        QTemporaryDir dir;
        const QString fresh = dir.filePath("fresh.ts");
        QProcess lupdate;
        lupdate.start(TK3D_LUPDATE, {"-silent", "-locations", "none", "-source-language", "de",
                                     kSourceDir + "/src/app", "-ts", fresh});
        QVERIFY(lupdate.waitForFinished(60000));
        QCOMPARE(lupdate.exitCode(), 0);
        const TCatalogue sources = ReadTs(fresh);
        QVERIFY(sources.size() > 50);
        const TCatalogue shipped = ReadTs(ts);
        for (const auto& [key, unused] : sources) {
            const QString what = key.first + ": " + key.second;
            const auto it = shipped.find(key);
            QVERIFY2(it != shipped.end(), qPrintable("not in the language file: " + what));
            QVERIFY2(it->second.finished && !it->second.translation.isEmpty(),
                     qPrintable("untranslated: " + what));
            QVERIFY2(Placeholders(it->second.translation) == Placeholders(key.second),
                     qPrintable("placeholders differ: " + what));
        }
    }

    // The reader and the renderer raise German messages; each must reach the
    // user in the active language. Messages put together at run time are
    // matched by their templates and are not found here.
    void coreMessagesAreTranslated() {
        QTranslator dutch;
        QVERIFY(dutch.load(QString(TK3D_APP_DIR) + "/tk3d.NLD"));
        QVERIFY(QCoreApplication::installTranslator(&dutch));
        const QRegularExpression raise(
            "(?:ETk3dError|TStreamEx)\\(\\s*((?:\"(?:[^\"\\\\]|\\\\.)*\"\\s*)+)\\)");
        const QRegularExpression piece("\"((?:[^\"\\\\]|\\\\.)*)\"");
        int found = 0;
        for (const QString folder : {"/src/core", "/src/render"}) {
            QDirIterator it(kSourceDir + folder, {"*.cpp", "*.h"}, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                QFile file(it.next());
                QVERIFY(file.open(QIODevice::ReadOnly));
                const QString code = QString::fromUtf8(file.readAll());
                for (auto m = raise.globalMatch(code); m.hasNext();) {
                    QString message;
                    for (auto p = piece.globalMatch(m.next().captured(1)); p.hasNext();)
                        message += p.next().captured(1);
                    ++found;
                    QVERIFY2(tk3d::TranslateCoreMessage(message.toUtf8().constData()) != message,
                             qPrintable(it.filePath() + ": " + message));
                }
            }
        }
        QCoreApplication::removeTranslator(&dutch);
        QVERIFY(found >= 5);
    }

    void messagesWithNamesAndNumbers() {
        QTranslator english;
        QVERIFY(english.load(QString(TK3D_APP_DIR) + "/tk3d.ENU"));
        QVERIFY(QCoreApplication::installTranslator(&english));
        QCOMPARE(tk3d::TranslateCoreMessage("Unbekannter Objekttyp! [10099]"),
                 QString("Unknown object type! [10099]"));
        QCOMPARE(tk3d::TranslateCoreMessage(
                     "Datei /a b/c.tkl ist ungültig oder paßt nicht zu dieser Programmversion!"),
                 QString("File /a b/c.tkl is invalid or does not match this program version!"));
        QCOMPARE(tk3d::TranslateCoreMessage("OpenGL-Fehler! [$0501]"), QString("OpenGL error! [$0501]"));
        QCOMPARE(tk3d::TranslateCoreMessage("something else"), QString("something else"));
        QCoreApplication::removeTranslator(&english);
    }

    void languageFilesFitThisVersion_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("code");
        QTest::newRow("ENU") << "tk3d.ENU"
                             << "enu";
        QTest::newRow("EN") << "tk3d.EN"
                            << "enu";
        QTest::newRow("NLD") << "tk3d.NLD"
                             << "nld";
    }
    void languageFilesFitThisVersion() {
        QFETCH(QString, file);
        QFETCH(QString, code);
        QTranslator translator;
        QVERIFY(translator.load(QString(TK3D_APP_DIR) + "/" + file));
        QCOMPARE(translator.translate("tk3d::Language", "deu"), code);
        QCOMPARE(translator.translate("tk3d::Language", "@version"), tk3d::ProgramVersionText());
    }
};

TK3D_APP_TEST(TranslationsTest)
#include "TranslationsTest.moc"
