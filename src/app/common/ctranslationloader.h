// The chosen language for the whole program: its own translation file and Qt's own
// translations for that language (standard dialogs, message box buttons), the default
// locale, for right-to-left languages the layout direction, and fonts for its script. A translation file that
// is missing or damaged leaves the program in English, with a log line.
#pragma once

#include <QString>
#include <QStringList>
#include <QTranslator>

class CTranslationLoader
{
public:
    CTranslationLoader() = default;
    ~CTranslationLoader();
    CTranslationLoader(const CTranslationLoader &) = delete;
    CTranslationLoader &operator=(const CTranslationLoader &) = delete;

    // The locale of a language name of the settings ("German" -> "de"); empty for English and unknown names.
    static QString localeName(const QString &strLanguage);
    // The font families for a language, in order of preference: first the one for its own
    // script, then those for the scripts of the other languages' names in the settings.
    static QStringList fontFamilies(const QString &strLanguage);
    // A family name that stands for fontFamilies(strLanguage) (each family in turn supplies
    // the characters the ones before it lack).
    static QString fontFamily(const QString &strLanguage);
    // Where Qt's own translations are looked for (Qt's translations folder unless changed; tests).
    static void setQtTranslationsPath(const QString &strPath);

    // True when the program speaks the language now; false means English.
    bool install(const QString &strLanguage, const QString &strFile);
    // Takes the translations out again and returns to English.
    void remove();
    bool hasQtTranslation() const { return m_bQtInstalled; }

private:
    QTranslator m_program;
    QTranslator m_qt;
    bool m_bProgramInstalled = false;
    bool m_bQtInstalled = false;
};
