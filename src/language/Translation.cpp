#include "Translation.h"

#include "Text.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>

#include <cstdio>

namespace qmv {

namespace {

QLocale localeOf(Language language)
{
    return language == Language::English ? QLocale(QLocale::English, QLocale::UnitedStates)
                                         : QLocale(QLocale::Chinese, QLocale::China);
}

} // namespace

QString Translation::fileName(Language language)
{
    return QStringLiteral("qmv718_%1.qm").arg(languageCode(language));
}

Translation::Translation(Language language, const QString& folder)
    : m_language(language)
{
    const QLocale locale = localeOf(language);
    // The default locale chooses the pictures and help pages of the window's language (resources
    // tagged with a language). What the user's own settings format, such as the update list's
    // dates, is read in QLocale::system(), which this leaves alone.
    QLocale::setDefault(locale);
    // Chinese is the texts' own language: only another language needs a file.
    if (language != Language::Chinese) {
        const QString path = QDir(folder).filePath(fileName(language));
        if (!m_own.load(path))
            m_problem = QStringLiteral("%1 cannot be read: the texts stay in Chinese").arg(path);
    }
    const bool haveOwn = !m_own.isEmpty();
    if (haveOwn)
        setTextTranslator([this](const char* context, const char* source, const char* disambiguation) {
            return m_own.translate(context, source, disambiguation).toStdString();
        });
    // Qt's own texts (standard buttons, edit menus) in the same language, where installed.
    const bool haveQt = m_qt.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                                  QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (QCoreApplication::instance()) {
        m_ownInstalled = haveOwn && QCoreApplication::installTranslator(&m_own);
        m_qtInstalled = haveQt && QCoreApplication::installTranslator(&m_qt);
    }
}

Translation::~Translation()
{
    if (m_ownInstalled)
        QCoreApplication::removeTranslator(&m_own);
    if (m_qtInstalled)
        QCoreApplication::removeTranslator(&m_qt);
    if (!m_own.isEmpty())
        setTextTranslator({});
    QLocale::setDefault(QLocale::system());
}

std::unique_ptr<Translation> useProcessLanguage(int argc, const char* const* argv,
                                                const QString& programFolder)
{
    const LanguageChoice choice = chooseLanguage(processLanguageRequest(argc, argv));
    auto translation = std::make_unique<Translation>(
        choice.language, QDir(programFolder).filePath(QStringLiteral("translations")));
    for (const QString& problem : {choice.warning, translation->problem()})
        if (!problem.isEmpty())
            std::fprintf(stderr, "%s\n", problem.toLocal8Bit().constData());
    // The helper programs this process starts (the update's verifier) speak the same language.
    qputenv(languageVariable, languageCode(choice.language).toUtf8());
    return translation;
}

QString Translation::text(const char* context, const char* source) const
{
    const QString translation = m_own.translate(context, source);
    return translation.isEmpty() ? QString::fromUtf8(source) : translation;
}

} // namespace qmv
