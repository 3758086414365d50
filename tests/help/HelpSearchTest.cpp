#include "HelpSearch.h"

#include <gtest/gtest.h>

using namespace qmv;

namespace {

QString page(const char* title, const char* body)
{
    return QStringLiteral("<html><head><title>%1</title><link rel=\"stylesheet\" href=\"style.css\"></head>"
                          "<body>%2</body></html>")
        .arg(QString::fromUtf8(title), QString::fromUtf8(body));
}

QStringList pagesOf(const QList<HelpHit>& hits)
{
    QStringList pages;
    for (const HelpHit& hit : hits)
        pages.append(hit.page);
    return pages;
}

class HelpSearchTest : public ::testing::Test
{
protected:
    HelpSearchTest()
    {
        search.addPage(
            QStringLiteral("learn.html"),
            page("Learning keys", "<p>Click <b>Start learning</b>. Learning failed? Try again.</p>"));
        search.addPage(QStringLiteral("delete.html"),
                       page("Deleting single keys", "<p>Click <span class=\"button\">Delete</span>; a key "
                                                    "not learned cannot be deleted.</p>"));
        search.addPage(QStringLiteral("messages.html"),
                       page("消息", "<table><tr><td>学习失败！</td><td>调整距离</td></tr></table>"));
    }
    HelpSearch search;
};

} // namespace

TEST_F(HelpSearchTest, EveryWordMustOccurLetterCaseIgnored)
{
    EXPECT_EQ(pagesOf(search.find(QStringLiteral("LEARNING failed"))),
              QStringList{QStringLiteral("learn.html")});
    EXPECT_EQ(pagesOf(search.find(QStringLiteral("deleted key"))),
              QStringList{QStringLiteral("delete.html")});
    EXPECT_TRUE(search.find(QStringLiteral("learning nowhere")).isEmpty());
}

TEST_F(HelpSearchTest, ChineseIsSearchedAsWrittenWithoutSpaces)
{
    EXPECT_EQ(pagesOf(search.find(QStringLiteral("学习失败"))), QStringList{QStringLiteral("messages.html")});
    EXPECT_EQ(pagesOf(search.find(QStringLiteral("  调整距离 "))),
              QStringList{QStringLiteral("messages.html")});
}

TEST_F(HelpSearchTest, MarkupIsNotText)
{
    for (const char* markup : {"span", "button", "class", "stylesheet", "style.css", "title", "td"})
        EXPECT_TRUE(search.find(QString::fromLatin1(markup)).isEmpty()) << markup;
}

TEST_F(HelpSearchTest, TitlesRankFirstAndRepeatedWordsRankHigher)
{
    // learn.html has the word in its title and twice in its text, delete.html once in its text.
    const QList<HelpHit> hits = search.find(QStringLiteral("learn"));
    ASSERT_EQ(pagesOf(hits), (QStringList{QStringLiteral("learn.html"), QStringLiteral("delete.html")}));
    EXPECT_GT(hits[0].score, hits[1].score);
    EXPECT_EQ(hits[0].title, QStringLiteral("Learning keys"));
}

TEST_F(HelpSearchTest, AnEmptyQueryFindsNothing)
{
    EXPECT_TRUE(search.find(QString()).isEmpty());
    EXPECT_TRUE(search.find(QStringLiteral("   ")).isEmpty());
}

TEST(HelpSearchText, ReadsTitleAndTextOfAPage)
{
    const QString html = page("A &amp; B", "<h1>Head</h1><p>one&nbsp;two &lt;three&gt;</p>");
    EXPECT_EQ(HelpSearch::titleOf(html), QStringLiteral("A & B"));
    const QString text = HelpSearch::plainText(html);
    EXPECT_TRUE(text.contains(QStringLiteral("<three>")));
    EXPECT_TRUE(text.contains(QStringLiteral("Head")));
    EXPECT_FALSE(text.contains(QStringLiteral("A & B"))) << "the title is not part of the page's text";
}
