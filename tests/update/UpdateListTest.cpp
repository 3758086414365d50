#include "UpdateList.h"
#include "IniDocument.h"
#include "LibraryName.h"
#include "ListDateTime.h"
#include "ProgramFolder.h"
#include "UpdateSettings.h"
#include "UpdateTestEnvironment.h"

#include <QStringEncoder>

#include <gtest/gtest.h>

namespace qmv {
namespace {

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QStringList serverNames(const UpdateList& list)
{
    QStringList names;
    for (const ServerEntry& server : list.servers())
        names << server.name;
    return names;
}

TEST(UpdateList, KeepsTheServersInFileOrderWithTheirChineseNames)
{
    const UpdateList list =
        UpdateList::fromDocument(IniDocument::parse(u("[server]\r\n"
                                                      "电信服务器=http://a.example/dl/\r\n"
                                                      "网通服务器=http://b.example/dl/\r\n"
                                                      "Zeta=http://z.example/\r\n"
                                                      "Alpha=http://c.example/\r\n")));
    EXPECT_EQ(serverNames(list), (QStringList{u("电信服务器"), u("网通服务器"), "Zeta", "Alpha"}));
    EXPECT_EQ(list.serverUrl(u("网通服务器")), "http://b.example/dl/");
    EXPECT_EQ(list.serverUrl("alpha"), "http://c.example/") << "key names compare without case";
    EXPECT_EQ(list.serverUrl("missing"), "");
}

TEST(UpdateList, ReadsSectionsWithoutRegardToCaseAndSkipsCommentsAndStrayLines)
{
    const UpdateList list =
        UpdateList::fromDocument(IniDocument::parse(u("orphan=before any section\n"
                                                      "; a comment=not a server\n"
                                                      "[Server]\n"
                                                      "  one = \"http://one.example/\"  \n"
                                                      "no equals sign here\n"
                                                      "[other]\n"
                                                      "two=http://two.example/\n"
                                                      "[SERVER]\n"
                                                      "three=http://x/?a=b;c\n")));
    ASSERT_EQ(list.servers().size(), 2);
    EXPECT_EQ(list.servers()[0].name, "one");
    EXPECT_EQ(list.servers()[0].baseUrl, "http://one.example/");
    EXPECT_EQ(list.servers()[1].baseUrl, "http://x/?a=b;c") << "only the first '=' splits, ';' is text";
}

TEST(UpdateList, KeepsEveryLibraryLineIncludingRepeatedKeysAndLongLines)
{
    const QString longName = QString(300, u'x');
    const UpdateList list = UpdateList::fromDocument(
        IniDocument::parse(u("[pt36]\n1=sample|2026/12/8 10:00:00|40960\n1=sample|2026/12/9|12\n2=") +
                           longName + u("|2026/1/2|7\n")));
    ASSERT_EQ(list.libraries().size(), 3);
    EXPECT_EQ(list.libraries()[1].dateText, "2026/12/9");
    EXPECT_EQ(list.libraries()[2].name, longName);
}

TEST(UpdateList, CutsALibraryLineIntoNameDateSizeAndChecksum)
{
    const LibraryLine plain = LibraryLine::split("sample|2026/12/8 10:00:00|40960");
    EXPECT_EQ(plain.name, "sample");
    EXPECT_EQ(plain.dateText, "2026/12/8 10:00:00");
    EXPECT_EQ(plain.sizeText, "40960");
    EXPECT_TRUE(plain.sha256.isEmpty());

    const LibraryLine withHash = LibraryLine::split("sample|2026/12/8|40960|ABCDEF01 ");
    EXPECT_EQ(withHash.sizeText, "40960");
    EXPECT_EQ(withHash.sha256, "ABCDEF01");

    const LibraryLine nameOnly = LibraryLine::split("sample");
    EXPECT_EQ(nameOnly.name, "sample");
    EXPECT_TRUE(nameOnly.dateText.isEmpty());
    EXPECT_TRUE(nameOnly.sizeText.isEmpty());
}

TEST(UpdateList, DecodesUtf8AndTheChineseWindowsCodePage)
{
    const QString text = u("[server]\n电信=http://a/\n");
    EXPECT_EQ(IniDocument::decode(text.toUtf8()), text);
    EXPECT_EQ(IniDocument::decode(QByteArray("\xEF\xBB\xBF") + text.toUtf8()), text) << "a BOM is dropped";
    const QByteArray windowsBytes("[server]\n\xB5\xE7\xD0\xC5=http://a/\n"); // code page 936 and GB18030
    EXPECT_EQ(IniDocument::decode(windowsBytes), text);
}

TEST(UpdateList, ReadFileFailsOnlyForAFileThatCannotBeRead)
{
    testing::ProgramFolder folder;
    EXPECT_FALSE(UpdateList::readFile(folder.file("none.ini")).has_value());
    folder.put("update.ini", "[server]\na=http://a/\n");
    const std::optional<UpdateList> list = UpdateList::readFile(folder.file("update.ini"));
    ASSERT_TRUE(list.has_value());
    EXPECT_EQ(list->servers().size(), 1);
}

struct DateCase
{
    const char* locale;
    const char* text;
    QDateTime expected;
};

class ListDateTimeTest : public ::testing::TestWithParam<DateCase>
{
};

TEST_P(ListDateTimeTest, ReadsTheLocalesShortDateWithAnOptionalTime)
{
    const DateCase& c = GetParam();
    const std::optional<QDateTime> parsed =
        parseListDateTime(u(c.text), QLocale(QString::fromLatin1(c.locale)));
    ASSERT_TRUE(parsed.has_value()) << c.locale << " " << c.text;
    EXPECT_EQ(*parsed, c.expected) << c.locale << " " << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Locales, ListDateTimeTest,
    ::testing::Values(
        DateCase{"zh_CN", "2026/12/8 10:00:00", QDateTime(QDate(2026, 12, 8), QTime(10, 0))},
        DateCase{"zh_CN", "2026/12/08", QDateTime(QDate(2026, 12, 8), QTime(0, 0))},
        DateCase{"zh_CN", "2026/1/2 9:05", QDateTime(QDate(2026, 1, 2), QTime(9, 5))},
        DateCase{"zh_CN", "2026/1/2 下午3:05:09", QDateTime(QDate(2026, 1, 2), QTime(15, 5, 9))},
        DateCase{"en_US", "12/8/2026 10:00 PM", QDateTime(QDate(2026, 12, 8), QTime(22, 0))},
        DateCase{"en_US", "12/8/26", QDateTime(QDate(2026, 12, 8), QTime(0, 0))},
        DateCase{"en_US", "1/2/45", QDateTime(QDate(1945, 1, 2), QTime(0, 0))},
        DateCase{"de_DE", "8.12.2026 10:00:30", QDateTime(QDate(2026, 12, 8), QTime(10, 0, 30))},
        DateCase{"C", "2026-12-08 10:00:00", QDateTime(QDate(2026, 12, 8), QTime(10, 0))}));

TEST(ListDateTime, RefusesWhatIsNotADateOfTheLocale)
{
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    for (const char* text :
         {"", "   ", "abc", "2026/13/8", "2026/2/30", "2026/12", "2026/12/8/1", "2026/12/8 25:00",
          "2026/12/8 10", "2026/12/8 10:61", "2026/+1/8", "8.12.2026"}) {
        EXPECT_FALSE(parseListDateTime(u(text), chinese).has_value()) << text;
    }
    EXPECT_FALSE(parseListDateTime("12/8/2026 13:00 PM", QLocale(QLocale::English, QLocale::UnitedStates)));
}

TEST(LibraryName, TakesOnlyAPlainFileName)
{
    for (const char* name : {"sample", "tavrio", "on1803", "a.b", "名字"})
        EXPECT_TRUE(isSafeLibraryName(u(name))) << name;
    for (const char* name : {"", "..", "../sample", "..\\sample", "sub/sample", "sub\\sample", "/etc/passwd",
                             "C:sample", "c:\\windows\\sample", "a..b", "line\nbreak"})
        EXPECT_FALSE(isSafeLibraryName(u(name))) << name;
    EXPECT_EQ(libraryFileName("sample"), "sample.dll");
}

TEST(UpdateSettings, DefaultsToOurOwnPlaceholderHost)
{
    testing::ProgramFolder folder;
    const UpdateSettings settings = UpdateSettings::load(folder.path(), QString());
    EXPECT_EQ(settings.listUrl().toString(), "http://update.qmv718.example/keylearn/update.ini");
    EXPECT_EQ(settings.siteRoot.toString(), "http://www.qmv718.example/");
}

TEST(UpdateSettings, TheFileBesideTheProgramOverridesTheDefault)
{
    testing::ProgramFolder folder;
    folder.put(UpdateSettings::fileName,
               "[update]\nurl=https://mirror.example.org:8443/base/\nprobe_timeout_ms=2500\n");
    const UpdateSettings settings = UpdateSettings::load(folder.path(), QString());
    EXPECT_EQ(settings.listUrl().toString(), "https://mirror.example.org:8443/base/keylearn/update.ini");
    EXPECT_EQ(settings.siteRoot.toString(), "https://mirror.example.org:8443/");
    EXPECT_EQ(settings.probeTimeout.count(), 2500);

    folder.put(UpdateSettings::fileName,
               "[update]\nurl=http://lists.example.org\nsite=http://www.example.org/\n");
    const UpdateSettings withSite = UpdateSettings::load(folder.path(), QString());
    EXPECT_EQ(withSite.listUrl().toString(), "http://lists.example.org/keylearn/update.ini");
    EXPECT_EQ(withSite.siteRoot.toString(), "http://www.example.org/");
}

TEST(UpdateSettings, TheEnvironmentOverridesTheFileAndUnusableValuesAreIgnored)
{
    testing::ProgramFolder folder;
    folder.put(UpdateSettings::fileName,
               "[update]\nurl=http://file.example.org\nsite=http://site.example.org/\n");
    const UpdateSettings settings = UpdateSettings::load(folder.path(), "http://127.0.0.1:8080/x");
    EXPECT_EQ(settings.listUrl().toString(), "http://127.0.0.1:8080/x/keylearn/update.ini");
    EXPECT_EQ(settings.siteRoot.toString(), "http://127.0.0.1:8080/");

    const UpdateSettings ignored = UpdateSettings::load(folder.path(), "ftp://elsewhere/");
    EXPECT_EQ(ignored.listUrl().toString(), "http://file.example.org/keylearn/update.ini");

    folder.put(UpdateSettings::fileName, "[update]\nurl=not a url\nprobe_timeout_ms=soon\n");
    const UpdateSettings fallback = UpdateSettings::load(folder.path(), QString());
    EXPECT_EQ(fallback.listUrl().toString(), "http://update.qmv718.example/keylearn/update.ini");
    EXPECT_EQ(fallback.probeTimeout.count(), 10000);
}

TEST(UpdateSettings, ReadsTheVariableFromTheProcessEnvironment)
{
    testing::ProgramFolder folder;
    qputenv(UpdateSettings::environmentVariable, "http://127.0.0.1:9/");
    const UpdateSettings settings = UpdateSettings::load(folder.path());
    qunsetenv(UpdateSettings::environmentVariable);
    EXPECT_EQ(settings.listUrl().toString(), "http://127.0.0.1:9/keylearn/update.ini");
}

} // namespace
} // namespace qmv
