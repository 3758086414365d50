#pragma once

#include "Language.h"

#include <QString>
#include <QTranslator>

#include <memory>

namespace qmv {

// The tool's texts in one language for the whole process, installed for as long as the object
// lives: its own translations (for Qt's tr() and for the plain C++ core), Qt's translations of
// its standard dialogs where the system has them, and the default locale, through which picture
// bundles and help pages of that language are found.
class Translation
{
public:
    // `folder` holds the tool's compiled translations (qmv718_<code>.qm).
    Translation(Language language, const QString& folder);
    ~Translation();
    Translation(const Translation&) = delete;
    Translation& operator=(const Translation&) = delete;

    Language language() const { return m_language; }
    // Empty, or why the tool's texts stay in Chinese although another language was chosen.
    const QString& problem() const { return m_problem; }

    // The translation of a marked text; the source text when there is none.
    QString text(const char* context, const char* source) const;

    static QString fileName(Language language);

private:
    Language m_language;
    QString m_problem;
    QTranslator m_own;
    QTranslator m_qt;
    bool m_ownInstalled = false;
    bool m_qtInstalled = false;
};

// Chooses this process's language from its command line, QMV718_LANG and the system locale and
// installs it; what could not be done is said on standard error. The translations are looked for
// in the folder "translations" of `programFolder`.
std::unique_ptr<Translation> useProcessLanguage(int argc, const char* const* argv,
                                                const QString& programFolder);

} // namespace qmv
