// The help window on the pages built into the program, in both languages.
#include "HelpWindow.h"
#include "HelpPages.h"
#include "QtTestApplication.h"
#include "RecordingOpener.h"

#include <QAbstractTextDocumentLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace qmv {
namespace {

class HelpWindowTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { initHelpPages(); }
    void TearDown() override { QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China)); }

    // Built after the language is chosen, as the program does.
    HelpWindow& open(QLocale::Language language)
    {
        QLocale::setDefault(QLocale(language));
        window = std::make_unique<HelpWindow>(missingHelpFile(), opener);
        window->show();
        return *window;
    }

    QString missingHelpFile() const { return scratch.filePath(QStringLiteral("studyhelp.chm")); }

    template <typename Widget> Widget* part(const char* name) const
    {
        auto* widget = window->findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QStringList contentsTitles() const
    {
        QStringList titles;
        for (QTreeWidgetItemIterator it(part<QTreeWidget>("helpcontents")); *it; ++it)
            titles.append((*it)->text(0));
        return titles;
    }

    QString shownText() const { return part<QTextBrowser>("helppage")->toPlainText(); }

    QTemporaryDir scratch;
    testing::RecordingOpener opener;
    std::unique_ptr<HelpWindow> window;
};

TEST_F(HelpWindowTest, OpensOnTheFirstPageWithTheContentsOfTheHelpFile)
{
    HelpWindow& help = open(QLocale::Chinese);
    ASSERT_TRUE(help.hasPages());
    EXPECT_EQ(help.currentPage(), QStringLiteral("index.html"));
    const QStringList titles = contentsTitles();
    ASSERT_EQ(titles.size(), 10);
    EXPECT_EQ(titles[0], QStringLiteral("QMV-718 自学习软件"));
    EXPECT_TRUE(titles.contains(QStringLiteral("学习按键")));
    EXPECT_TRUE(shownText().contains(QStringLiteral("QMV-718 是一个学习型万能遥控器")));
}

TEST_F(HelpWindowTest, EnglishPagesAndContentsInAnEnglishProgram)
{
    HelpWindow& help = open(QLocale::English);
    ASSERT_TRUE(help.hasPages());
    const QStringList titles = contentsTitles();
    ASSERT_EQ(titles.size(), 10);
    EXPECT_EQ(titles[0], QStringLiteral("QMV-718 learning tool"));
    EXPECT_TRUE(titles.contains(QStringLiteral("Learning keys")));
    EXPECT_TRUE(shownText().contains(QStringLiteral("learning universal remote control")));
    // The pictures and the style sheet are shared with the Chinese pages.
    EXPECT_FALSE(part<QTextBrowser>("helppage")
                     ->loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("images/window.png")))
                     .isNull());
}

TEST_F(HelpWindowTest, ChoosingAnEntryOfTheContentsShowsItsPage)
{
    HelpWindow& help = open(QLocale::Chinese);
    auto* contents = part<QTreeWidget>("helpcontents");
    const QList<QTreeWidgetItem*> found =
        contents->findItems(QStringLiteral("删除单个按键"), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    contents->setCurrentItem(found[0]);
    EXPECT_EQ(help.currentPage(), QStringLiteral("delete.html"));
    EXPECT_TRUE(shownText().contains(QStringLiteral("停止删除")));
}

TEST_F(HelpWindowTest, FollowingALinkSelectsItsPageInTheContents)
{
    HelpWindow& help = open(QLocale::English);
    part<QTextBrowser>("helppage")->setSource(QUrl(QStringLiteral("qrc:/help/update.html")));
    EXPECT_EQ(help.currentPage(), QStringLiteral("update.html"));
    ASSERT_NE(part<QTreeWidget>("helpcontents")->currentItem(), nullptr);
    EXPECT_EQ(part<QTreeWidget>("helpcontents")->currentItem()->text(0), QStringLiteral("Online update"));
}

TEST_F(HelpWindowTest, SearchFindsThePagesAndShowsTheBest)
{
    HelpWindow& help = open(QLocale::Chinese);
    help.search(QStringLiteral("学习失败"));
    auto* results = part<QListWidget>("helpresults");
    ASSERT_GE(results->count(), 2);
    QStringList titles;
    for (int i = 0; i < results->count(); ++i)
        titles.append(results->item(i)->text());
    EXPECT_TRUE(titles.contains(QStringLiteral("学习按键")));
    EXPECT_TRUE(titles.contains(QStringLiteral("提示信息及处理方法")));
    EXPECT_EQ(results->currentRow(), 0);
    EXPECT_TRUE(shownText().contains(QStringLiteral("学习失败")));
    EXPECT_EQ(part<QTextBrowser>("helppage")->textCursor().selectedText(), QStringLiteral("学习失败"));
}

TEST_F(HelpWindowTest, TypingAQueryAndPressingEnterSearches)
{
    HelpWindow& help = open(QLocale::English);
    auto* query = part<QLineEdit>("helpquery");
    QTest::keyClicks(query, QStringLiteral("firmware"));
    QTest::keyClick(query, Qt::Key_Return);
    auto* results = part<QListWidget>("helpresults");
    ASSERT_GE(results->count(), 1);
    EXPECT_EQ(help.currentPage(), results->item(0)->data(Qt::UserRole).toString());
    EXPECT_TRUE(shownText().contains(QStringLiteral("firmware"), Qt::CaseInsensitive));
}

TEST_F(HelpWindowTest, ASearchWithoutResultSaysSoAndKeepsThePage)
{
    HelpWindow& help = open(QLocale::English);
    help.showPage(QStringLiteral("clear.html"));
    help.search(QStringLiteral("zebra"));
    EXPECT_EQ(part<QListWidget>("helpresults")->count(), 0);
    EXPECT_EQ(help.currentPage(), QStringLiteral("clear.html"));
    bool said = false;
    for (const QLabel* label : window->findChildren<QLabel*>())
        said = said || label->text().contains(QStringLiteral("zebra"));
    EXPECT_TRUE(said);
}

TEST_F(HelpWindowTest, TheCompiledHelpFileIsOfferedOnlyWhenItIsThere)
{
    open(QLocale::Chinese);
    EXPECT_TRUE(part<QPushButton>("openhelpfile")->isHidden());

    QFile file(missingHelpFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    window = std::make_unique<HelpWindow>(missingHelpFile(), opener);
    auto* openFile = part<QPushButton>("openhelpfile");
    EXPECT_FALSE(openFile->isHidden());
    opener.openSucceeds = false;
    openFile->click();
    EXPECT_EQ(opener.requests, QStringList{QStringLiteral("open ") + missingHelpFile()});
    EXPECT_TRUE(openFile->text().contains(QStringLiteral("studyhelp.chm")));
    EXPECT_NE(openFile->text(), QStringLiteral("用帮助查看器打开 studyhelp.chm")) << "the failure is said";
}

// Every picture of the pages stands in a paragraph of its own, within the pane's width: no
// sideways scrolling, and nothing of it beyond the pane's right edge.
TEST_F(HelpWindowTest, PicturesStandOnTheirOwnWithinThePanesWidthInBothLanguages)
{
    for (const QLocale::Language language : {QLocale::Chinese, QLocale::English}) {
        HelpWindow& help = open(language);
        help.resize(700, 500);
        auto* page = part<QTextBrowser>("helppage");
        int pictures = 0;
        for (const QString& name : {QStringLiteral("index.html"), QStringLiteral("colours.html")}) {
            help.showPage(name);
            QCoreApplication::processEvents();
            EXPECT_EQ(page->horizontalScrollBar()->maximum(), 0) << name.toStdString();
            const QTextDocument* document = page->document();
            for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
                for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
                    const QTextImageFormat picture = it.fragment().charFormat().toImageFormat();
                    if (!picture.isValid())
                        continue;
                    ++pictures;
                    EXPECT_EQ(block.text(), QString(QChar::ObjectReplacementCharacter)) << name.toStdString();
                    const QRectF place = document->documentLayout()->blockBoundingRect(block);
                    EXPECT_GT(picture.width(), 100.0) << name.toStdString();
                    EXPECT_LE(place.left() + picture.width(), page->viewport()->width())
                        << name.toStdString();
                }
            }
        }
        EXPECT_EQ(pictures, 2);
    }
}

TEST_F(HelpWindowTest, OpensOverTheMiddleOfItsWindow)
{
    QWidget owner;
    owner.setGeometry(300, 200, 200, 100);
    owner.show();
    HelpWindow help(missingHelpFile(), opener, &owner);
    help.resize(400, 300);
    help.showOverParent();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));
    // Within the frame the window system adds once it is shown.
    EXPECT_LE((help.frameGeometry().center() - owner.frameGeometry().center()).manhattanLength(), 4)
        << help.frameGeometry().x() << "," << help.frameGeometry().y();
}

TEST_F(HelpWindowTest, WithoutPagesThereIsNothingToShow)
{
    HelpWindow empty(missingHelpFile(), opener, nullptr, QStringLiteral(":/no-such-help"));
    EXPECT_FALSE(empty.hasPages());
}

TEST_F(HelpWindowTest, EscapeClosesTheHelp)
{
    HelpWindow& help = open(QLocale::Chinese);
    help.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&help));
    QTest::keyClick(&help, Qt::Key_Escape);
    EXPECT_FALSE(help.isVisible());
}

} // namespace
} // namespace qmv
