// The compiled translations as the programs install them.
#include "Translation.h"
#include "Keypad.h"
#include "Text.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLocale>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

using namespace qmv;

namespace {

QString translationsFolder()
{
    const char* bin = std::getenv("QMV718_BIN_DIR");
    return QString::fromLocal8Bit(bin ? bin : ".") + QStringLiteral("/translations");
}

class InstalledTranslation : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "text_tests";
        static char* argv[] = {name, nullptr};
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    static void TearDownTestSuite() { application.reset(); }

    static std::unique_ptr<QCoreApplication> application;
};

std::unique_ptr<QCoreApplication> InstalledTranslation::application;

} // namespace

TEST_F(InstalledTranslation, EnglishReachesTheCoreQtAndTheDefaultLocale)
{
    const Translation english(Language::English, translationsFolder());
    ASSERT_TRUE(english.problem().isEmpty()) << english.problem().toStdString();
    EXPECT_EQ(translate("qmv::Dialogs", "提示"), "Note");
    EXPECT_EQ(QCoreApplication::translate("qmv::MainWindow", "帮助"), QStringLiteral("Help"));
    EXPECT_EQ(english.text("qmv::Dialogs", "否"), QStringLiteral("No"));
    EXPECT_EQ(QLocale().language(), QLocale::English);
    // A text nobody translated is shown as written rather than empty.
    EXPECT_EQ(translate("qmv::Dialogs", "没有这句话"), "没有这句话");
}

TEST_F(InstalledTranslation, KeysAreNamedAndFoundByTheirLabelInTheUsersLanguage)
{
    const Translation english(Language::English, translationsFolder());
    const std::optional<KeyDefinition> digits = findKey("23");
    ASSERT_TRUE(digits);
    EXPECT_EQ(keyLabel(*digits), "-/--");
    EXPECT_EQ(keyLabel(*findKey("30")), "VOL+");
    // Scripts written for either language keep working.
    ASSERT_TRUE(findKey("-/--"));
    EXPECT_EQ(findKey("-/--")->code, "23");
    ASSERT_TRUE(findKey("数位"));
    EXPECT_EQ(findKey("数位")->code, "23");
}

TEST_F(InstalledTranslation, EndingTheTranslationRestoresTheSourceTexts)
{
    {
        const Translation english(Language::English, translationsFolder());
        ASSERT_EQ(translate("qmv::Dialogs", "提示"), "Note");
    }
    EXPECT_EQ(translate("qmv::Dialogs", "提示"), "提示");
    EXPECT_EQ(QCoreApplication::translate("qmv::MainWindow", "帮助"), QStringLiteral("帮助"));
}

TEST_F(InstalledTranslation, ChineseNeedsNoFileAndKeepsTheTexts)
{
    const QTemporaryDir empty;
    const Translation chinese(Language::Chinese, empty.path());
    EXPECT_TRUE(chinese.problem().isEmpty());
    EXPECT_EQ(translate("qmv::Dialogs", "提示"), "提示");
    EXPECT_EQ(QLocale().language(), QLocale::Chinese);
}

TEST_F(InstalledTranslation, AMissingFileIsNamedAndTheTextsStayChinese)
{
    const QTemporaryDir empty;
    const Translation english(Language::English, empty.path());
    EXPECT_TRUE(english.problem().contains(Translation::fileName(Language::English)))
        << english.problem().toStdString();
    EXPECT_EQ(translate("qmv::Dialogs", "提示"), "提示");
}
