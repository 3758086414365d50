#include "Text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace qmv;

namespace {

// Installs a translator for one test and removes it again.
class WithTranslator : public ::testing::Test
{
protected:
    void TearDown() override { setTextTranslator({}); }

    struct Call
    {
        std::string context;
        std::string source;
        std::string disambiguation;
    };
    std::vector<Call> calls;

    void translateTo(std::string translation)
    {
        setTextTranslator(
            [this, translation](const char* context, const char* source, const char* disambiguation) {
                calls.push_back({context, source, disambiguation ? disambiguation : ""});
                return translation;
            });
    }
};

} // namespace

TEST(FormatText, FillsPlaceholdersByNumberWhereverTheyStand)
{
    EXPECT_EQ(formatText("%1键学习成功！", {"VOL+"}), "VOL+键学习成功！");
    EXPECT_EQ(formatText("deleted: %1 in %2", {"26", "TV"}), "deleted: 26 in TV");
    EXPECT_EQ(formatText("已删除：%2 中的 %1", {"26", "TV"}), "已删除：TV 中的 26");
    EXPECT_EQ(formatText("%1 then %1 again", {"x"}), "x then x again");
}

TEST(FormatText, LeavesWhatIsNoPlaceholderOfAValueAlone)
{
    EXPECT_EQ(formatText("%1 and %2", {"one"}), "one and %2");
    EXPECT_EQ(formatText("100% sure, %0, %a", {"x"}), "100% sure, %0, %a");
    EXPECT_EQ(formatText("ends in %", {"x"}), "ends in %");
    EXPECT_EQ(formatText("", {"x"}), "");
}

TEST(FormatText, ValuesAreInsertedOnceAndNeverReadAsPlaceholders)
{
    // A file name or a user's input may well hold "%2".
    EXPECT_EQ(formatText("%1 / %2", {"a%2b", "c"}), "a%2b / c");
}

TEST_F(WithTranslator, WithoutATranslatorEveryTextStaysAsWritten)
{
    setTextTranslator({});
    EXPECT_EQ(translate("qmv::cli", "没有这个按键：%1"), "没有这个按键：%1");
}

TEST_F(WithTranslator, TheTranslatorIsAskedWithContextSourceAndDisambiguation)
{
    translateTo("OPTIONS");
    EXPECT_EQ(translate("qmv::cli", "选项", "usage line"), "OPTIONS");
    EXPECT_EQ(translate("qmv::cli", "选项"), "OPTIONS");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].context, "qmv::cli");
    EXPECT_EQ(calls[0].source, "选项");
    EXPECT_EQ(calls[0].disambiguation, "usage line");
    EXPECT_EQ(calls[1].disambiguation, "");
}

TEST_F(WithTranslator, ATextWithoutTranslationFallsBackToItsSource)
{
    translateTo("");
    EXPECT_EQ(translate("qmv::cli", "学习失败！"), "学习失败！");
}

TEST_F(WithTranslator, TextsFillTheTranslatedPatternNotTheSource)
{
    translateTo("Key %1 learned.");
    constexpr Texts shown{"qmv::LearningController"};
    EXPECT_EQ(shown("%1键学习成功！", {"VOL+"}), "Key VOL+ learned.");
    EXPECT_EQ(shown("学习失败！"), "Key %1 learned.");
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front().context, "qmv::LearningController");
}
