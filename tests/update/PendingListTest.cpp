#include "PendingList.h"
#include "IniDocument.h"
#include "ListDateTime.h"
#include "ProgramFolder.h"
#include "UpdateTestEnvironment.h"

#include <gtest/gtest.h>

namespace qmv {
namespace {

using testing::listedTime;
using testing::ProgramFolder;

UpdateList listOf(const QString& libraryLines)
{
    return UpdateList::fromDocument(
        IniDocument::parse(QStringLiteral("[server]\na=http://a/\n[pt36]\n") + libraryLines));
}

PendingListResult pendingIn(const ProgramFolder& folder, const QString& libraryLines)
{
    return findPendingLibraries(listOf(libraryLines), folder.path(),
                                QLocale(QLocale::Chinese, QLocale::China));
}

QStringList names(const PendingListResult& result)
{
    QStringList found;
    for (const PendingLibrary& library : result.libraries)
        found << library.name;
    return found;
}

TEST(PendingList, ListsOnlyInstalledLibrariesOlderThanTheList)
{
    ProgramFolder folder;
    folder.put("older.dll", "x", listedTime().addSecs(-1));
    folder.put("same.dll", "x", listedTime().addMSecs(900));
    folder.put("newer.dll", "x", listedTime().addSecs(1));
    const PendingListResult result = pendingIn(folder, "1=older|2026/12/8 10:00:00|40960\n"
                                                       "2=same|2026/12/8 10:00:00|1\n"
                                                       "3=newer|2026/12/8 10:00:00|1\n"
                                                       "4=absent|2026/12/8 10:00:00|1\n");
    ASSERT_TRUE(result.error.isEmpty()) << result.error.toStdString();
    ASSERT_EQ(names(result), QStringList{"older"});
    EXPECT_EQ(result.libraries[0].sizeText, "40960");
    EXPECT_EQ(result.libraries[0].size, 40960);
    EXPECT_FALSE(result.libraries[0].refused);
    EXPECT_TRUE(result.hasDownloads());
}

TEST(PendingList, ReadsAFileDateToItsTwoSeconds)
{
    ProgramFolder folder;
    const QDate day(2026, 12, 8);
    folder.put("odd.dll", "x", QDateTime(day, QTime(10, 0, 1)));
    folder.put("even.dll", "x", QDateTime(day, QTime(10, 0, 2, 900)));
    const PendingListResult result =
        pendingIn(folder, "1=odd|2026/12/8 10:00:01|1\n2=even|2026/12/8 10:00:02|1\n");
    ASSERT_TRUE(result.error.isEmpty()) << result.error.toStdString();
    EXPECT_EQ(names(result), QStringList{"odd"}) << "10:00:01 is dated 10:00:00";
}

// Dates written in the user's own short format, read so under either window language: "a" is a
// little older than the line, "b" exactly as old.
TEST(PendingList, ReadsTheDatesInTheUsersShortFormatWhateverLanguageTheWindowSpeaks)
{
    ProgramFolder folder;
    const QDateTime listed(QDate(2026, 12, 8), QTime(10, 0));
    folder.put("a.dll", "x", listed.addSecs(-2));
    folder.put("b.dll", "x", listed);
    const struct
    {
        const char* locale;
        const char* text;
    } userFormats[] = {
        {"de_DE", "08.12.26 10:00"}, {"en_GB", "08/12/2026 10:00"}, {"zh_CN", "2026/12/8 10:00"}};
    for (const QLocale& window :
         {QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::Chinese, QLocale::China)}) {
        QLocale::setDefault(window);
        for (const auto& user : userFormats) {
            const PendingListResult result =
                findPendingLibraries(listOf(QStringLiteral("1=a|%1|1\n2=b|%1|1\n").arg(user.text)),
                                     folder.path(), QLocale(QString::fromLatin1(user.locale)));
            EXPECT_TRUE(result.error.isEmpty()) << user.locale << ": " << result.error.toStdString();
            EXPECT_EQ(names(result), QStringList{"a"})
                << user.locale << " under " << window.name().toStdString();
        }
        // The program reads them in the system's locale, not in the window's.
        EXPECT_EQ(listDateLocale(), QLocale::system()) << "under " << window.name().toStdString();
    }
    QLocale::setDefault(QLocale::system());
}

TEST(PendingList, KeepsFileOrderAndRepeatedNames)
{
    ProgramFolder folder;
    folder.put("b.dll", "x", listedTime().addDays(-1));
    folder.put("a.dll", "x", listedTime().addDays(-1));
    const PendingListResult result =
        pendingIn(folder, "k1=b|2026/12/8|1\nk2=a|2026/12/8|2|00ff\nk3=b|2026/12/8|3\n");
    EXPECT_EQ(names(result), (QStringList{"b", "a", "b"}));
    EXPECT_EQ(result.libraries[1].sha256, "00ff");
    EXPECT_EQ(result.libraries[2].size, 3);
}

TEST(PendingList, PassesOverTheUnreadableLinesOfLibrariesThatAreNotInstalled)
{
    ProgramFolder folder;
    const PendingListResult result = pendingIn(folder, "1=absent|not a date|not a size\n");
    EXPECT_TRUE(result.error.isEmpty());
    EXPECT_TRUE(result.libraries.isEmpty());
    EXPECT_FALSE(result.hasDownloads());
}

TEST(PendingList, AnUnreadableDateOrSizeOfAnInstalledLibraryIsReportedAndNothingIsPending)
{
    ProgramFolder folder;
    folder.put("good.dll", "x", listedTime().addDays(-1));
    folder.put("bad.dll", "x", listedTime().addDays(-1));

    const PendingListResult badDate = pendingIn(folder, "1=good|2026/12/8|1\n2=bad|2026-13-45|1\n");
    EXPECT_TRUE(badDate.libraries.isEmpty()) << "a faulty list installs nothing";
    EXPECT_TRUE(badDate.error.contains("bad")) << badDate.error.toStdString();
    EXPECT_TRUE(badDate.error.contains("2026-13-45"));

    for (const char* size : {"40k", "", "-1", "1.5"}) {
        const PendingListResult badSize =
            pendingIn(folder, QStringLiteral("1=good|2026/12/8|1\n2=bad|2026/12/8|%1\n").arg(size));
        EXPECT_TRUE(badSize.libraries.isEmpty()) << size;
        EXPECT_FALSE(badSize.error.isEmpty()) << size;
    }
}

TEST(PendingList, AnUpToDateLibraryNeedsNeitherDateNorSizeBeyondTheComparison)
{
    ProgramFolder folder;
    folder.put("current.dll", "x", listedTime().addDays(1));
    const PendingListResult result = pendingIn(folder, "1=current|2026/12/8|oops\n");
    EXPECT_TRUE(result.error.isEmpty());
    EXPECT_TRUE(result.libraries.isEmpty());
}

TEST(PendingList, NamesThatLeadOutOfTheFolderAreRefusedWhetherOrNotTheyExist)
{
    ProgramFolder folder;
    folder.put("sample.dll", "x", listedTime().addDays(-1));
    const PendingListResult result = pendingIn(folder, "1=../program/sample|2026/12/8|1\n"
                                                       "2=|2026/12/8|1\n"
                                                       "3=sample|2026/12/8|1\n"
                                                       "4=/tmp/sample|bad|bad\n");
    ASSERT_EQ(result.libraries.size(), 4);
    EXPECT_TRUE(result.libraries[0].refused);
    EXPECT_TRUE(result.libraries[1].refused);
    EXPECT_FALSE(result.libraries[2].refused);
    EXPECT_TRUE(result.libraries[3].refused);
    EXPECT_TRUE(result.hasDownloads());

    const PendingListResult onlyRefused = pendingIn(folder, "1=..\\sample|2026/12/8|1\n");
    ASSERT_EQ(onlyRefused.libraries.size(), 1);
    EXPECT_FALSE(onlyRefused.hasDownloads());
}

} // namespace
} // namespace qmv
