#include "PendingList.h"
#include "IniDocument.h"
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

TEST(PendingList, ListsOnlyInstalledLibrariesOlderThanTheListToTheSecond)
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
