// CTranslationLoader: the program's translation together with Qt's own for the same
// language, for every offered language (Arabic right to left), and English with a log
// line when the program's file is missing or damaged.
#include "common/cglobalappdata.h"
#include "common/ctranslationloader.h"
#include "catalogue/crecordlistmanage.h"
#include "playback/cdisplaybox.h"
#include "shell/ckorvane.h"
#include "shell/ctitlewidget.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QSlider>
#include <QTemporaryDir>
#include <QToolButton>

namespace {

QStringList g_warnings;

void keepWarnings(QtMsgType type, const QMessageLogContext &, const QString &strText)
{
    if (type == QtWarningMsg) g_warnings << strText;
}

QString qtCancel()
{
    return QCoreApplication::translate("QPlatformTheme", "Cancel");
}

class TranslationLoaderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_warnings.clear();
        m_previous = qInstallMessageHandler(keepWarnings);
    }
    void TearDown() override { qInstallMessageHandler(m_previous); }
    QtMessageHandler m_previous = nullptr;
    QTemporaryDir m_dir;
};

TEST_F(TranslationLoaderTest, EveryOfferedLanguageHasALocale)
{
    for (const QString &strLanguage : CGlobalAppData::languageNames()) {
        const QString strLocale = CTranslationLoader::localeName(strLanguage);
        EXPECT_EQ(strLocale.isEmpty(), strLanguage == "English") << strLanguage.toStdString();
        if (!strLocale.isEmpty()) {
            EXPECT_NE(QLocale(strLocale).language(), QLocale::C) << strLanguage.toStdString();
        }
    }
    EXPECT_EQ(CTranslationLoader::localeName("Arabic"), "ar");
    EXPECT_EQ(QLocale(CTranslationLoader::localeName("Arabic")).textDirection(), Qt::RightToLeft);
}

TEST_F(TranslationLoaderTest, AMissingOrDamagedFileLeavesEnglishWithALogLine)
{
    CTranslationLoader loader;
    EXPECT_FALSE(loader.install("German", m_dir.path() + "/korvane_de.qm"));
    ASSERT_EQ(g_warnings.size(), 1);
    EXPECT_TRUE(g_warnings[0].contains("korvane_de.qm")) << g_warnings[0].toStdString();

    const QString strDamaged = m_dir.path() + "/korvane_ja.qm";
    QFile damaged(strDamaged);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray("\x3c\xb8\x64\x18\xca\xef\x9c\x95\xcd\x21\x1c\xbf\x60\xa1\xbd\xdd", 16) +
                  QByteArray(300, '\x7f'));
    damaged.close();
    EXPECT_FALSE(loader.install("Japanese", strDamaged));
    EXPECT_EQ(g_warnings.size(), 2);
    EXPECT_FALSE(loader.hasQtTranslation()) << "Qt's dialogs stay in English with the program";
    EXPECT_EQ(qtCancel(), "Cancel");
    EXPECT_EQ(QGuiApplication::layoutDirection(), Qt::LeftToRight);

    EXPECT_FALSE(loader.install("English", QString()));
    EXPECT_EQ(g_warnings.size(), 2) << "English needs no file";
}

TEST_F(TranslationLoaderTest, QtsOwnTextsFollowTheProgramsLanguage)
{
    CTranslationLoader loader;
    ASSERT_TRUE(loader.install("SimpChinese", QString(KORVANE_BIN_DIR) + "/language/korvane_zh.qm"));
    EXPECT_EQ(QCoreApplication::translate("CKorvane", "Do you want to close"), QString::fromUtf8("确定要关闭"));
    EXPECT_TRUE(loader.hasQtTranslation()) << "Debian's qttranslations5-l10n provides qt_zh_CN.qm";
    EXPECT_EQ(qtCancel(), QString::fromUtf8("取消"));
    EXPECT_EQ(QLocale().name(), "zh_CN");
    loader.remove();
    EXPECT_EQ(qtCancel(), "Cancel");
    EXPECT_EQ(QCoreApplication::translate("CKorvane", "Do you want to close"), "Do you want to close");
}

// Every offered language: the program's texts, Qt's own (buttons of standard dialogs), the
// default locale, and the layout direction, right to left for Arabic only.
TEST_F(TranslationLoaderTest, EveryOfferedLanguageSpeaksInTheProgramAndInQtsDialogs)
{
    for (const QString &strLanguage : CGlobalAppData::languageNames()) {
        if (strLanguage == "English") continue;
        SCOPED_TRACE(strLanguage.toStdString());
        CTranslationLoader loader;
        ASSERT_TRUE(loader.install(strLanguage, KORVANE_BIN_DIR + CGlobalAppData::languageFileName(strLanguage)));
        EXPECT_NE(QCoreApplication::translate("CTitleWidget", "Settings"), "Settings");
        EXPECT_TRUE(loader.hasQtTranslation()) << "qttranslations5-l10n has no catalogue for it";
        EXPECT_NE(qtCancel(), "Cancel");
        const QLocale expected(CTranslationLoader::localeName(strLanguage));
        EXPECT_EQ(QLocale().language(), expected.language());
        EXPECT_EQ(QGuiApplication::layoutDirection(), strLanguage == "Arabic" ? Qt::RightToLeft : Qt::LeftToRight);
        loader.remove();
        EXPECT_EQ(QGuiApplication::layoutDirection(), Qt::LeftToRight);
        EXPECT_EQ(qtCancel(), "Cancel");
    }
    EXPECT_TRUE(g_warnings.isEmpty()) << g_warnings.join("\n").toStdString();
}

// In Arabic the window reads from the right: the record list stands right of the video wall,
// the calendar's arrows point the Arabic way, and the playback controls stay as they are.
TEST_F(TranslationLoaderTest, ArabicMirrorsTheMainWindow)
{
    QTemporaryDir appDir;
    CGlobalAppData::setAppPathOverride(appDir.path());
    {
        CTranslationLoader loader;
        ASSERT_TRUE(loader.install("Arabic", KORVANE_BIN_DIR + CGlobalAppData::languageFileName("Arabic")));
        CKorvane window;
        window.start();
        const int nListX = window.recordList()->mapTo(&window, QPoint()).x();
        const int nWallX = window.displayBox()->mapTo(&window, QPoint()).x();
        EXPECT_GT(nListX, nWallX);
        EXPECT_GE(nListX, window.displayBox()->width());
        EXPECT_EQ(window.titleWidget()->layoutDirection(), Qt::RightToLeft);
        // The playback controls stay as they are: time runs left to right.
        auto *pSlider = window.displayBox()->findChild<QSlider *>();
        ASSERT_NE(pSlider, nullptr);
        EXPECT_FALSE(pSlider->isRightToLeft());
        // The calendar's "earlier" button stands on the right and points there.
        auto *pEarlier = window.findChild<QToolButton *>("ArrowLeft");
        ASSERT_NE(pEarlier, nullptr);
        EXPECT_TRUE(pEarlier->styleSheet().contains("/ArrowRight.png")) << pEarlier->styleSheet().toStdString();
        window.hide();
    }
    CGlobalAppData::saveAndRelease();
    CGlobalAppData::setAppPathOverride(QString());
}

} // namespace
