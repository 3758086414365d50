#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace qmv {

// The languages the tool speaks. Chinese is the language its texts are written in, and the one
// it speaks when nothing asks for another.
enum class Language { Chinese, English };

inline constexpr const char* languageOption = "--lang";
inline constexpr const char* languageVariable = "QMV718_LANG";

// "zh", "zh_CN", "zh-Hans-CN", "en", "en_GB", "en-US", ... (letter case ignored); nothing for any
// other language or for text that names none.
std::optional<Language> languageNamed(const QString& name);
// The short name the tool uses for the language on the command line: "zh" or "en".
QString languageCode(Language language);

// Where the choice of language comes from, strongest first.
struct LanguageRequest
{
    QString option;              // --lang, empty when not given
    QString environment;         // QMV718_LANG, empty when not set
    QStringList systemLanguages; // the system locale's user-interface languages, most wanted first
};

struct LanguageChoice
{
    Language language = Language::Chinese;
    // Set when --lang or QMV718_LANG named a language the tool does not speak; the choice then
    // falls to the next source.
    QString warning;
};

LanguageChoice chooseLanguage(const LanguageRequest& request);

// The value of --lang in a command line ("--lang en" or "--lang=en"); empty when not given.
// Read before the programs build their texts, which must already be in the chosen language.
QString languageOptionValue(int argc, const char* const* argv);

// The request of this process: its command line, its environment and the system locale.
LanguageRequest processLanguageRequest(int argc, const char* const* argv);

} // namespace qmv
