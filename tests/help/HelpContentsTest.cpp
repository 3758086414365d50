#include "HelpContents.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace qmv;

namespace {

QString sourceFile(const QString& relative)
{
    QFile file(QDir(QStringLiteral(QMV718_HELP_SOURCE)).filePath(relative));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << relative.toStdString();
    return QString::fromUtf8(file.readAll());
}

QStringList pagesOf(const QList<HelpTopic>& topics)
{
    QStringList pages;
    for (const HelpTopic& topic : topics)
        pages.append(topic.page);
    return pages;
}

} // namespace

TEST(HelpContents, ReadsEntriesInOrderWithTheirNesting)
{
    const QString toc = QStringLiteral(R"(<HTML><BODY>
<OBJECT type="text/site properties"><param name="ImageType" value="Folder"></OBJECT>
<UL>
  <LI><OBJECT type="text/sitemap"><param name="Name" value="Start"><param name="Local" value="index.html"></OBJECT>
  <LI><OBJECT type="text/sitemap"><param name="Name" value="Keys &amp; areas"></OBJECT>
  <UL>
    <LI><object type="text/sitemap">
        <param name="Name" value="Learning">
        <param name="Local" value="learn.html">
        </object>
    <LI><OBJECT type="text/sitemap"><param name="Name" value="&quot;Quoted&quot;"><param name="Local" value="q.html"></OBJECT>
  </UL>
  <LI><OBJECT type="text/sitemap"><param name="Name" value="Update"><param name="Local" value="update.html"></OBJECT>
</UL></BODY></HTML>)");
    const QList<HelpTopic> topics = readHelpContents(toc);
    const QList<HelpTopic> expected{{QStringLiteral("Start"), QStringLiteral("index.html"), 0},
                                    {QStringLiteral("Learning"), QStringLiteral("learn.html"), 1},
                                    {QStringLiteral("\"Quoted\""), QStringLiteral("q.html"), 1},
                                    {QStringLiteral("Update"), QStringLiteral("update.html"), 0}};
    EXPECT_EQ(topics, expected);
}

TEST(HelpContents, NothingUsableGivesNoEntries)
{
    EXPECT_TRUE(readHelpContents(QString()).isEmpty());
    EXPECT_TRUE(readHelpContents(QStringLiteral("<ul><li>not a sitemap</ul></ul></ul>")).isEmpty());
}

// The window's contents come from the same file the help compiler is given, and every language
// lists the same pages in the same order.
TEST(HelpContents, EveryLanguageListsTheSamePages)
{
    const QList<HelpTopic> chinese = readHelpContents(sourceFile(QStringLiteral("toc.hhc")));
    const QList<HelpTopic> english = readHelpContents(sourceFile(QStringLiteral("en/toc.hhc")));
    ASSERT_GE(chinese.size(), 10);
    EXPECT_EQ(pagesOf(chinese), pagesOf(english));
    EXPECT_EQ(chinese.front().page, QStringLiteral("index.html"));
    for (const HelpTopic& topic : english) {
        EXPECT_FALSE(topic.title.isEmpty());
        EXPECT_TRUE(QFile::exists(QDir(QStringLiteral(QMV718_HELP_SOURCE "/en")).filePath(topic.page)))
            << topic.page.toStdString();
        EXPECT_TRUE(QFile::exists(QDir(QStringLiteral(QMV718_HELP_SOURCE)).filePath(topic.page)))
            << topic.page.toStdString();
    }
}
