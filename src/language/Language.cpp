#include "Language.h"

#include <QLocale>
#include <QRegularExpression>
#include <QtGlobal>

namespace qmv {

std::optional<Language> languageNamed(const QString& name)
{
    // The language is the part before the first separator: "zh-Hans-CN" → "zh".
    const QString language = name.section(QRegularExpression(QStringLiteral("[-_.@]")), 0, 0).toLower();
    if (language == u"zh")
        return Language::Chinese;
    if (language == u"en")
        return Language::English;
    return std::nullopt;
}

QString languageCode(Language language)
{
    return language == Language::English ? QStringLiteral("en") : QStringLiteral("zh");
}

LanguageChoice chooseLanguage(const LanguageRequest& request)
{
    LanguageChoice choice;
    const auto named = [&choice](const QString& value, const char* source) -> std::optional<Language> {
        if (value.isEmpty())
            return std::nullopt;
        if (std::optional<Language> language = languageNamed(value))
            return language;
        if (choice.warning.isEmpty())
            choice.warning = QStringLiteral("%1: unknown language \"%2\" (zh or en)")
                                 .arg(QString::fromLatin1(source), value);
        return std::nullopt;
    };
    if (std::optional<Language> language = named(request.option, languageOption)) {
        choice.language = *language;
        return choice;
    }
    if (std::optional<Language> language = named(request.environment, languageVariable)) {
        choice.language = *language;
        return choice;
    }
    for (const QString& wanted : request.systemLanguages) {
        if (std::optional<Language> language = languageNamed(wanted)) {
            choice.language = *language;
            return choice;
        }
    }
    return choice;
}

QString languageOptionValue(int argc, const char* const* argv)
{
    const QString option = QString::fromLatin1(languageOption);
    const QString withValue = option + u'=';
    QString value;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument == u"--")
            break;
        if (argument == option && i + 1 < argc)
            value = QString::fromLocal8Bit(argv[++i]);
        else if (argument.startsWith(withValue))
            value = argument.mid(withValue.size());
    }
    return value;
}

LanguageRequest processLanguageRequest(int argc, const char* const* argv)
{
    return {languageOptionValue(argc, argv), qEnvironmentVariable(languageVariable),
            QLocale::system().uiLanguages()};
}

} // namespace qmv
