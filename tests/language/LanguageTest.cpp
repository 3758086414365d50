#include "Language.h"

#include <gtest/gtest.h>

#include <QtGlobal>

using namespace qmv;

TEST(LanguageNamed, ReadsTheLanguageOfEveryCommonSpelling)
{
    for (const char* name : {"zh", "ZH", "zh_CN", "zh-CN", "zh-Hans-CN", "zh_TW.UTF-8", "zh_CN@cjk"})
        EXPECT_EQ(languageNamed(QString::fromLatin1(name)), Language::Chinese) << name;
    for (const char* name : {"en", "EN", "en_US", "en-GB", "en_US.UTF-8", "en-Latn-US"})
        EXPECT_EQ(languageNamed(QString::fromLatin1(name)), Language::English) << name;
    for (const char* name : {"", "C", "POSIX", "de_DE", "fr", "eng", "zhx", "-en"})
        EXPECT_FALSE(languageNamed(QString::fromLatin1(name))) << name;
}

TEST(LanguageNamed, CodeRoundTrips)
{
    for (Language language : {Language::Chinese, Language::English})
        EXPECT_EQ(languageNamed(languageCode(language)), language);
}

TEST(ChooseLanguage, TheCommandLineWinsOverTheEnvironmentAndTheLocale)
{
    const LanguageChoice choice =
        chooseLanguage({QStringLiteral("en"), QStringLiteral("zh"), {QStringLiteral("zh-CN")}});
    EXPECT_EQ(choice.language, Language::English);
    EXPECT_TRUE(choice.warning.isEmpty());
    EXPECT_EQ(
        chooseLanguage({QStringLiteral("zh"), QStringLiteral("en"), {QStringLiteral("en-US")}}).language,
        Language::Chinese);
}

TEST(ChooseLanguage, TheEnvironmentWinsOverTheLocale)
{
    EXPECT_EQ(chooseLanguage({{}, QStringLiteral("en"), {QStringLiteral("zh-CN")}}).language,
              Language::English);
    EXPECT_EQ(chooseLanguage({{}, QStringLiteral("zh_CN.UTF-8"), {QStringLiteral("en-US")}}).language,
              Language::Chinese);
}

TEST(ChooseLanguage, TheLocaleGivesTheFirstLanguageTheToolSpeaks)
{
    EXPECT_EQ(chooseLanguage({{}, {}, {QStringLiteral("en-US"), QStringLiteral("en")}}).language,
              Language::English);
    EXPECT_EQ(chooseLanguage({{}, {}, {QStringLiteral("zh-CN"), QStringLiteral("zh")}}).language,
              Language::Chinese);
    // A German desktop that also lists English (LANGUAGE=de:en).
    EXPECT_EQ(chooseLanguage({{}, {}, {QStringLiteral("de-DE"), QStringLiteral("en")}}).language,
              Language::English);
}

TEST(ChooseLanguage, ChineseWhenNothingNamesALanguageTheToolSpeaks)
{
    EXPECT_EQ(chooseLanguage({}).language, Language::Chinese);
    EXPECT_EQ(chooseLanguage({{}, {}, {QStringLiteral("C")}}).language, Language::Chinese);
    EXPECT_EQ(chooseLanguage({{}, {}, {QStringLiteral("de-DE"), QStringLiteral("fr")}}).language,
              Language::Chinese);
}

TEST(ChooseLanguage, AnUnknownRequestIsNamedAndTheNextSourceDecides)
{
    LanguageChoice choice =
        chooseLanguage({QStringLiteral("fr"), QStringLiteral("en"), {QStringLiteral("zh")}});
    EXPECT_EQ(choice.language, Language::English);
    EXPECT_TRUE(choice.warning.contains(QStringLiteral("--lang"))) << choice.warning.toStdString();
    EXPECT_TRUE(choice.warning.contains(QStringLiteral("\"fr\""))) << choice.warning.toStdString();

    choice = chooseLanguage({{}, QStringLiteral("klingon"), {QStringLiteral("en-GB")}});
    EXPECT_EQ(choice.language, Language::English);
    EXPECT_TRUE(choice.warning.contains(QStringLiteral("QMV718_LANG"))) << choice.warning.toStdString();
}

TEST(LanguageOptionValue, ReadsBothSpellingsAndStopsAtTheEndOfOptions)
{
    const auto value = [](std::initializer_list<const char*> arguments) {
        const std::vector<const char*> argv(arguments);
        return languageOptionValue(static_cast<int>(argv.size()), argv.data()).toStdString();
    };
    EXPECT_EQ(value({"qmv718-cli", "--lang", "en", "info"}), "en");
    EXPECT_EQ(value({"qmv718-cli", "info", "--lang=zh"}), "zh");
    EXPECT_EQ(value({"qmv718-cli", "--lang", "zh", "--lang=en"}), "en");
    EXPECT_EQ(value({"qmv718-cli", "remote", "send", "--", "--lang=en"}), "");
    EXPECT_EQ(value({"qmv718-cli", "info", "--lang"}), "");
    EXPECT_EQ(value({"qmv718-cli", "--language", "en"}), "");
    EXPECT_EQ(value({"qmv718-cli"}), "");
}

TEST(ProcessLanguageRequest, ReadsTheCommandLineAndTheEnvironment)
{
    const QByteArray saved = qgetenv(languageVariable);
    qputenv(languageVariable, "en_GB");
    const char* argv[] = {"qmv718", "--lang=zh"};
    const LanguageRequest request = processLanguageRequest(2, argv);
    EXPECT_EQ(request.option, QStringLiteral("zh"));
    EXPECT_EQ(request.environment, QStringLiteral("en_GB"));
    qputenv(languageVariable, saved);
}
