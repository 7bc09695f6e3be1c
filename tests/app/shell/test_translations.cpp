// The translations: every language the settings offer has its file beside the program, built
// from a source that holds every text of the program translated (nothing unfinished, nothing
// missing, nothing left over), each translation keeps its placeholders and file patterns, the
// map pages' own texts go through the same files, and the fonts draw every translated text.
#include "catalogue/cdiskmanagepage.h"
#include "common/cglobalappdata.h"
#include "common/ctranslationloader.h"
#include "export/ccutfiledlg.h"
#include "export/cexportdialog.h"
#include "map/cmapwebview.h"
#include "shell/cconfigdlg.h"
#include "widgets/cmessagebox.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QProcess>
#include <QRawFont>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTextLayout>
#include <QTranslator>
#include <QXmlStreamReader>

#include <map>

namespace {

const QString binDir = QStringLiteral(KORVANE_BIN_DIR);
const QString sourceDir = QStringLiteral(KORVANE_SOURCE_DIR);

struct TsMessage {
    QString strContext;
    QString strSource;
    bool bNumerus = false;
    QString strType; // "unfinished", "vanished", "obsolete" or empty
    QStringList translations; // one, or one per numerus form
    QString key() const { return strContext + "|" + strSource + (bNumerus ? "|n" : ""); }
};

struct TsFile {
    QString strLanguage;
    QList<TsMessage> messages;
};

TsFile readTs(const QString &strPath)
{
    TsFile ts;
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << strPath.toStdString();
        return ts;
    }
    QXmlStreamReader xml(&file);
    QString strContext;
    TsMessage message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == QLatin1String("message")) ts.messages << message;
        if (!xml.isStartElement()) continue;
        if (xml.name() == QLatin1String("TS")) {
            ts.strLanguage = xml.attributes().value("language").toString();
        } else if (xml.name() == QLatin1String("name")) {
            strContext = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            message = TsMessage();
            message.strContext = strContext;
            message.bNumerus = xml.attributes().value("numerus") == QLatin1String("yes");
        } else if (xml.name() == QLatin1String("source")) {
            message.strSource = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            message.strType = xml.attributes().value("type").toString();
            if (!message.bNumerus) message.translations << xml.readElementText();
        } else if (xml.name() == QLatin1String("numerusform")) {
            message.translations << xml.readElementText();
        }
    }
    EXPECT_FALSE(xml.hasError()) << strPath.toStdString() << ": " << xml.errorString().toStdString();
    return ts;
}

// The translation sources by their language ("ar", "pt_BR", ...).
std::map<QString, TsFile> translationSources()
{
    std::map<QString, TsFile> files;
    QDirIterator it(sourceDir + "/resources/language", {"*.ts"}, QDir::Files);
    while (it.hasNext()) {
        TsFile ts = readTs(it.next());
        EXPECT_EQ(files.count(ts.strLanguage), 0u) << "two files for " << ts.strLanguage.toStdString();
        files[ts.strLanguage] = ts;
    }
    return files;
}

QStringList offeredTranslations()
{
    QStringList languages = CGlobalAppData::languageNames();
    languages.removeAll("English"); // the program's own texts
    return languages;
}

// Every text the program passes through the translation functions today, as lupdate finds it.
QSet<QString> programTexts()
{
    QTemporaryDir dir;
    const QString strTs = dir.path() + "/all.ts";
    QProcess lupdate;
    lupdate.start(KORVANE_LUPDATE, {"-silent", "-locations", "none", sourceDir + "/src/app", sourceDir + "/src/core", "-ts", strTs});
    EXPECT_TRUE(lupdate.waitForFinished(120000)) << "lupdate did not finish";
    EXPECT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();
    QSet<QString> keys;
    for (const TsMessage &message : readTs(strTs).messages) keys << message.key();
    return keys;
}

QStringList placeholders(const QString &strText, bool bWithCount)
{
    QStringList found;
    QRegularExpressionMatchIterator it = QRegularExpression("%(L?\\d+|n)").globalMatch(strText);
    while (it.hasNext()) {
        const QString strMatch = it.next().captured(0);
        if (bWithCount || strMatch != "%n") found << strMatch;
    }
    found.sort();
    return found;
}

// The file patterns of a file-dialog filter: "(*.img *.dd)" and the ";;" between filters.
QStringList filePatterns(const QString &strText)
{
    QStringList found;
    QRegularExpressionMatchIterator it = QRegularExpression("\\(([^()]*\\*[^()]*)\\)").globalMatch(strText);
    while (it.hasNext()) found << it.next().captured(1);
    return found << QString::number(strText.count(";;"));
}

// The families the font of a language draws a text with, lower case.
QStringList drawingFamilies(const QString &strLanguage, const QString &strText)
{
    QTextLayout layout(strText, QFont(CTranslationLoader::fontFamily(strLanguage), 9));
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QStringList families;
    for (const QGlyphRun &run : layout.glyphRuns()) families << run.rawFont().familyName().toLower();
    return families;
}

TEST(Translations, EveryOfferedLanguageHasItsFileBesideTheProgram)
{
    const std::map<QString, TsFile> sources = translationSources();
    EXPECT_EQ(sources.size(), size_t(offeredTranslations().size())) << "one source per offered language, no other";
    for (const QString &strLanguage : offeredTranslations()) {
        SCOPED_TRACE(strLanguage.toStdString());
        const QString strFile = CGlobalAppData::languageFileName(strLanguage);
        ASSERT_FALSE(strFile.isEmpty());
        QTranslator translator;
        ASSERT_TRUE(translator.load(binDir + strFile)) << strFile.toStdString();
        const QString strLocale = CTranslationLoader::localeName(strLanguage);
        EXPECT_EQ(translator.language(), strLocale) << "the file holds another language";
        EXPECT_EQ(sources.count(strLocale), 1u) << "no source for " << strLocale.toStdString();
        const std::pair<const char *, const char *> samples[] = {
            {"CKorvane", "Do you want to close"}, {"CTitleWidget", "Settings"}, {"CDisplayBox", "Play"},
            {"main", "Loading"}, {"CConfigDlg", "The change will take effect after a restart of Korvane."}};
        for (const auto &sample : samples) {
            const QString strText = translator.translate(sample.first, sample.second);
            EXPECT_FALSE(strText.isEmpty()) << sample.second;
            EXPECT_NE(strText, sample.second);
        }
    }
}

TEST(Translations, EveryFileHoldsEveryTextOfTheProgramTranslated)
{
    const QSet<QString> program = programTexts();
    ASSERT_GT(program.size(), 200) << "lupdate found too few texts";
    for (const auto &entry : translationSources()) {
        const TsFile &ts = entry.second;
        SCOPED_TRACE(ts.strLanguage.toStdString());
        QSet<QString> held;
        for (const TsMessage &message : ts.messages) {
            held << message.key();
            const std::string strWhat = message.key().toStdString();
            EXPECT_TRUE(message.strType.isEmpty()) << message.strType.toStdString() << ": " << strWhat;
            EXPECT_FALSE(message.translations.isEmpty()) << strWhat;
            for (const QString &strTranslation : message.translations)
                EXPECT_FALSE(strTranslation.trimmed().isEmpty()) << "empty translation: " << strWhat;
        }
        for (const QString &strKey : program - held) ADD_FAILURE() << "missing: " << strKey.toStdString();
        for (const QString &strKey : held - program) ADD_FAILURE() << "no longer in the program: " << strKey.toStdString();
    }
}

TEST(Translations, TranslationsKeepPlaceholdersAndFilePatterns)
{
    for (const auto &entry : translationSources()) {
        SCOPED_TRACE(entry.first.toStdString());
        for (const TsMessage &message : entry.second.messages) {
            const std::string strWhat = message.key().toStdString();
            bool bCountShown = false;
            for (const QString &strTranslation : message.translations) {
                // A numerus form may say "one" or "two" in words instead of %n; all others keep it.
                EXPECT_EQ(placeholders(strTranslation, !message.bNumerus).join(' ').toStdString(),
                          placeholders(message.strSource, !message.bNumerus).join(' ').toStdString()) << strWhat;
                EXPECT_EQ(filePatterns(strTranslation).join(" | ").toStdString(),
                          filePatterns(message.strSource).join(" | ").toStdString()) << strWhat;
                bCountShown = bCountShown || strTranslation.contains("%n");
            }
            if (message.bNumerus && message.strSource.contains("%n")) {
                EXPECT_TRUE(bCountShown) << "no form shows the count: " << strWhat;
            }
        }
    }
}

TEST(Translations, TheFontsDrawEveryTranslatedText)
{
    const QStringList installed = QFontDatabase().families();
    const std::map<QString, TsFile> sources = translationSources();
    for (const QString &strLanguage : offeredTranslations()) {
        SCOPED_TRACE(strLanguage.toStdString());
        const QStringList families = CTranslationLoader::fontFamilies(strLanguage);
        ASSERT_FALSE(families.isEmpty());
        for (const QString &strFamily : families)
            EXPECT_TRUE(installed.contains(strFamily)) << strFamily.toStdString() << " is not installed (scripts/setup)";
        QList<QRawFont> fonts;
        for (const QString &strFamily : families)
            if (installed.contains(strFamily)) fonts << QRawFont::fromFont(QFont(strFamily, 9));

        const auto source = sources.find(CTranslationLoader::localeName(strLanguage));
        ASSERT_NE(source, sources.end());
        QSet<uint> missing;
        for (const TsMessage &message : source->second.messages) {
            for (const QString &strTranslation : message.translations) {
                for (uint ch : strTranslation.toUcs4()) {
                    if (QChar::isSpace(ch) || QChar::category(ch) == QChar::Other_Format) continue;
                    const bool bShown = std::any_of(fonts.begin(), fonts.end(),
                                                    [ch](const QRawFont &font) { return font.supportsCharacter(ch); });
                    if (!bShown) missing << ch;
                }
            }
        }
        for (uint ch : missing) ADD_FAILURE() << "no font draws U+" << QString::number(ch, 16).toStdString();

        // The language's own script is drawn by its first family, not by whatever the system falls back to.
        QTranslator translator;
        ASSERT_TRUE(translator.load(binDir + CGlobalAppData::languageFileName(strLanguage)));
        const QString strSample = translator.translate("CConfigDlg", "Settings");
        const QStringList drawn = drawingFamilies(strLanguage, strSample);
        ASSERT_FALSE(drawn.isEmpty());
        EXPECT_EQ(drawn.first(), families.first().toLower()) << strSample.toStdString();
    }
}

// The map pages show a few texts of their own (a notice when the map cannot load, the Follow
// button); they look each up among the texts the program hands them, translated.
TEST(Translations, MapPageTextsGoThroughTheTranslations)
{
    const QStringList texts = CMapWebView::pageTexts();
    QDirIterator it(sourceDir + "/resources/map", {"*.html", "*.js"}, QDir::Files);
    int nUsed = 0;
    while (it.hasNext()) {
        QFile page(it.next());
        ASSERT_TRUE(page.open(QIODevice::ReadOnly));
        const QString strPage = QString::fromUtf8(page.readAll());
        QRegularExpressionMatchIterator calls = QRegularExpression("korvaneTr\\('([^']*)'").globalMatch(strPage);
        for (; calls.hasNext(); ++nUsed) {
            const QString strText = calls.next().captured(1);
            EXPECT_TRUE(texts.contains(strText)) << "not handed to the page: " << strText.toStdString();
        }
        EXPECT_FALSE(strPage.contains("textContent = '")) << "a text shown without korvaneTr in " << it.fileName().toStdString();
        EXPECT_FALSE(strPage.contains("korvaneFail('")) << "a notice shown without korvaneTr in " << it.fileName().toStdString();
    }
    EXPECT_GE(nUsed, texts.size());

    EXPECT_TRUE(CMapWebView::textsScript().contains("\"Follow\":\"Follow\"")) << "English without a translation";
    QTranslator german;
    ASSERT_TRUE(german.load(binDir + CGlobalAppData::languageFileName("German")));
    QCoreApplication::installTranslator(&german);
    const QString strScript = CMapWebView::textsScript();
    QCoreApplication::removeTranslator(&german);
    EXPECT_TRUE(strScript.startsWith("window.korvaneTexts = {")) << strScript.toStdString();
    EXPECT_TRUE(strScript.contains("\"Follow\":\"Folgen\"")) << strScript.toStdString();
    EXPECT_TRUE(strScript.contains("\"The Baidu map could not be started: %1\":\"Die Baidu-Karte konnte nicht "
                                   "gestartet werden: %1\""));
}

// A button of a fixed size shows its translated text whole; a message box's buttons widen for
// a long one (the restart question in Russian, Arabic or Turkish).
TEST(Translations, ButtonsHoldTheirTranslatedTexts)
{
    QTemporaryDir appDir;
    CGlobalAppData::setAppPathOverride(appDir.path());
    const QFont previous = QApplication::font();
    for (const QString &strLanguage : offeredTranslations()) {
        SCOPED_TRACE(strLanguage.toStdString());
        CTranslationLoader loader;
        ASSERT_TRUE(loader.install(strLanguage, binDir + CGlobalAppData::languageFileName(strLanguage)));
        QFont font = previous;
        font.setPointSize(9); // as the program sets it
        font.setFamily(CTranslationLoader::fontFamily(strLanguage));
        QApplication::setFont(font);

        const auto tr = [](const char *pContext, const char *pText) { return QCoreApplication::translate(pContext, pText); };
        CConfigDlg settings;
        CCutFileDlg cut(appDir.path() + "/10.00.00-10.30.00[R][@1][0].h264");
        CExportDialog exportDialog(CDiskManagePage::LevelDate, nullptr);
        CMessageBox restart(nullptr, tr("CMessageBox", "Prompt"), tr("CConfigDlg", "The change will take effect after a restart of Korvane."),
                            {tr("CConfigDlg", "Restart"), tr("CConfigDlg", "Later")});
        CMessageBox close(nullptr, tr("CMessageBox", "Prompt"), tr("CKorvane", "Do you want to close") + "?",
                          {tr("CKorvane", "Yes"), tr("CKorvane", "No")});
        CMessageBox cancelExport(nullptr, tr("CMessageBox", "Prompt"), tr("CExportDialog", "Whether to cancel export recording"),
                                 {tr("CExportDialog", "OK"), tr("CExportDialog", "NO")});
        int nChecked = 0;
        for (QWidget *pWindow : std::initializer_list<QWidget *>{&settings, &cut, &exportDialog, &restart, &close, &cancelExport}) {
            for (QAbstractButton *pButton : pWindow->findChildren<QAbstractButton *>()) {
                if (pButton->text().isEmpty() || pButton->minimumWidth() != pButton->maximumWidth()) continue;
                const int nText = pButton->fontMetrics().horizontalAdvance(pButton->text());
                EXPECT_LE(nText + 6, pButton->width()) << pButton->text().toStdString();
                ++nChecked;
            }
        }
        EXPECT_GE(nChecked, 15);
    }
    QApplication::setFont(previous);
    CGlobalAppData::saveAndRelease();
    CGlobalAppData::setAppPathOverride(QString());
}

} // namespace
