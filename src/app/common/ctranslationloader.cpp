#include "ctranslationloader.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFont>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMap>

namespace {
QString g_strQtPath;

QString qtTranslationsPath()
{
    return g_strQtPath.isEmpty() ? QLibraryInfo::location(QLibraryInfo::TranslationsPath) : g_strQtPath;
}
} // namespace

CTranslationLoader::~CTranslationLoader()
{
    remove();
}

QString CTranslationLoader::localeName(const QString &strLanguage)
{
    // Qt's own texts exist for Brazilian Portuguese only.
    static const QMap<QString, QString> locales = {
        {"SimpChinese", "zh_CN"}, {"TradChinese", "zh_TW"}, {"Russian", "ru"}, {"Arabic", "ar"},
        {"Portuguese", "pt_BR"},  {"Spanish", "es"},        {"Japanese", "ja"}, {"German", "de"},
        {"Turkish", "tr"},
    };
    return locales.value(strLanguage);
}

// The families come from the Debian packages of scripts/setup: fonts-wqy-microhei (Chinese, and
// Latin, Cyrillic and Turkish letters), fonts-ipafont-gothic (Japanese forms of the kanji) and
// fonts-noto-ui-core (Arabic); DejaVu Sans catches anything else.
QStringList CTranslationLoader::fontFamilies(const QString &strLanguage)
{
    if (strLanguage == "Japanese")
        return {"IPAPGothic", "WenQuanYi Micro Hei", "Noto Sans Arabic UI", "DejaVu Sans"};
    if (strLanguage == "Arabic")
        return {"Noto Sans Arabic UI", "WenQuanYi Micro Hei", "DejaVu Sans"};
    return {"WenQuanYi Micro Hei", "Noto Sans Arabic UI", "IPAPGothic", "DejaVu Sans"};
}

QString CTranslationLoader::fontFamily(const QString &strLanguage)
{
    const QString strFamily = "Korvane " + (localeName(strLanguage).isEmpty() ? QString("English") : strLanguage);
    if (QFont::substitutes(strFamily).isEmpty())
        QFont::insertSubstitutions(strFamily, fontFamilies(strLanguage));
    return strFamily;
}

void CTranslationLoader::setQtTranslationsPath(const QString &strPath)
{
    g_strQtPath = strPath;
}

bool CTranslationLoader::install(const QString &strLanguage, const QString &strFile)
{
    remove();
    const QString strLocale = localeName(strLanguage);
    if (strLocale.isEmpty() || strFile.isEmpty())
        return false;
    if (!m_program.load(strFile)) {
        qWarning().noquote() << "The translation" << strFile << "for" << strLanguage
                             << "is missing or damaged; Korvane stays in English";
        return false;
    }
    m_bProgramInstalled = QCoreApplication::installTranslator(&m_program);
    const QLocale locale(strLocale);
    QLocale::setDefault(locale);
    // "qt_<locale>" gathers Qt's own catalogues (qtbase and the rest) of that language.
    if (m_qt.load(locale, "qt", "_", qtTranslationsPath()))
        m_bQtInstalled = QCoreApplication::installTranslator(&m_qt);
    else
        qInfo().noquote() << "Qt's own translation for" << strLocale << "was not found in" << qtTranslationsPath();
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        QGuiApplication::setLayoutDirection(locale.textDirection());
    qDebug().noquote() << QString("Language %1: %2, Qt's own texts %3, %4")
                              .arg(strLanguage, strFile, m_bQtInstalled ? m_qt.filePath() : QString("not found"),
                                   locale.textDirection() == Qt::RightToLeft ? "right to left" : "left to right");
    return m_bProgramInstalled;
}

void CTranslationLoader::remove()
{
    if (m_bProgramInstalled)
        QCoreApplication::removeTranslator(&m_program);
    if (m_bQtInstalled)
        QCoreApplication::removeTranslator(&m_qt);
    if (m_bProgramInstalled) {
        QLocale::setDefault(QLocale::system());
        if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    }
    m_bProgramInstalled = false;
    m_bQtInstalled = false;
}
