#include "ContentCheck.h"
#include "FolderAccess.h"
#include "LibraryRollback.h"
#include "PeImage.h"
#include "ProgramFolder.h"
#include "TestLibraries.h"
#include "UpdateTestEnvironment.h"

#include <QFile>
#include <QTest>

#if !defined(_WIN32)
#include <unistd.h>
#endif

#include <gtest/gtest.h>

namespace qmv {
namespace {

using namespace std::chrono_literals;
using testing::converterLibrary;
using testing::libraryBytes;
using testing::linkLibrary;
using testing::ProgramFolder;

// The bundle with the header of its first GIF picture spoilt.
QByteArray withBrokenPicture(QByteArray bundle)
{
    const auto at = bundle.indexOf("GIF8");
    EXPECT_GT(at, 0) << "the test bundle keeps its pictures unpacked";
    bundle.replace(at, 4, "XXXX");
    return bundle;
}

class ContentCheckTest : public ::testing::Test
{
protected:
    // The verdict on `content` stored under `fileName`.
    Failure verdict(const QString& fileName, const QByteArray& content)
    {
        folder.put("update/" + fileName, content);
        return check.checkNow(folder.file("update/" + fileName));
    }

    ProgramFolder folder;
    ContentCheck check;
};

TEST_F(ContentCheckTest, EachKindOfFileIsTakenOnlyWithTheContentItsNameStandsFor)
{
    struct Case
    {
        const char* fileName;
        QByteArray content;
        bool accepted;
    };
    const QList<Case> cases{
        {"tavrio.dll", linkLibrary(), true},
        {"velquon.dll", converterLibrary(), true},
        {"on1803.dll", testing::keyBundle(), true},
        {"dn1803.dll", testing::keyBundle(), true},
        {"ykqtupian44.dll", testing::animationGif(), true},
        // A library, but not the one the name stands for: the link operations are missing.
        {"tavrio.dll", converterLibrary(), false},
        {"velquon.dll", libraryBytes(4096, 1), false},
        {"velquon.dll", "", false},
        // A bundle without its last key picture.
        {"dn1803.dll", testing::shortKeyBundle(), false},
        {"bn1803.dll", testing::keyBundle(), false},
        {"ykqtupian44.dll", testing::keyBundle(), false},
        // A 32-bit Windows DLL with the right export is still no library for this system.
        {"velquon.dll", testing::PeImage{true, 0x14c, true, {"ConvertCode"}}.bytes(), false},
        // A bundle whose structure is sound but one of whose pictures does not decode.
        {"on1803.dll", withBrokenPicture(testing::keyBundle()), false},
        // A name the program does not use, whatever it holds.
        {"sample.dll", converterLibrary(), false},
    };
    for (const Case& c : cases) {
        const Failure failure = verdict(c.fileName, c.content);
        EXPECT_EQ(failure.failed(), !c.accepted) << c.fileName << " " << failure.detail.toStdString();
        if (!c.accepted) {
            EXPECT_EQ(failure.reason, UpdateFailure::NotALibrary) << c.fileName;
            EXPECT_FALSE(failure.detail.isEmpty()) << c.fileName << ": the reason is named";
        }
    }
}

TEST_F(ContentCheckTest, AVerifierThatIsMissingHangsOrCrashesFailsTheCheck)
{
    folder.put("update/velquon.dll", converterLibrary());
    ContentCheck missing(folder.file("no-such-verifier"), 5s);
    EXPECT_EQ(missing.checkNow(folder.file("update/velquon.dll")).reason, UpdateFailure::NotALibrary);

    ContentCheck hanging(QStringLiteral(QMV718_VERIFIER_STAND_IN), 300ms);
    folder.put("hang.txt", "hang");
    const Failure hung = hanging.checkNow(folder.file("hang.txt"));
    EXPECT_EQ(hung.reason, UpdateFailure::NotALibrary);
    EXPECT_FALSE(hung.detail.isEmpty());

    ContentCheck crashing(QStringLiteral(QMV718_VERIFIER_STAND_IN), 5s);
    folder.put("crash.txt", "crash");
    EXPECT_EQ(crashing.checkNow(folder.file("crash.txt")).reason, UpdateFailure::NotALibrary);
}

TEST_F(ContentCheckTest, ACancelledCheckSaysSo)
{
    ContentCheck slow(QStringLiteral(QMV718_VERIFIER_STAND_IN), 30s);
    folder.put("hang.txt", "hang");
    Failure result{UpdateFailure::None, QStringLiteral("unset")};
    QObject::connect(&slow, &ContentCheck::finished, [&](const Failure& failure) { result = failure; });
    slow.start(folder.file("hang.txt"));
    ASSERT_TRUE(slow.running());
    slow.cancel();
    ASSERT_TRUE(QTest::qWaitFor([&] { return result.detail != "unset"; }, 10000));
    EXPECT_EQ(result.reason, UpdateFailure::Cancelled);
}

class RollbackTest : public ContentCheckTest
{
protected:
    LibraryRollback rollback{folder.path(), check};
};

TEST_F(RollbackTest, PutsTheBackupBackAndKeepsIt)
{
    folder.put("velquon.dll", "");
    folder.put("update/backup/velquon.dll", converterLibrary(1));
    folder.put("tavrio.dll", linkLibrary(2));
    folder.put("update/backup/tavrio.dll", linkLibrary(1));
    EXPECT_EQ(rollback.available(), (QStringList{"tavrio", "velquon"}));

    EXPECT_FALSE(rollback.restore("velquon").failed());
    EXPECT_FALSE(rollback.restore("tavrio.dll").failed());
    EXPECT_EQ(folder.read("velquon.dll"), converterLibrary(1));
    EXPECT_EQ(folder.read("tavrio.dll"), linkLibrary(1));
    EXPECT_EQ(folder.read("update/backup/velquon.dll"), converterLibrary(1));
    EXPECT_EQ(folder.read("update/backup/tavrio.dll"), linkLibrary(1));
}

TEST_F(RollbackTest, ABadMissingOrEscapingBackupIsRefusedAndTheLibraryStays)
{
    folder.put("velquon.dll", converterLibrary(2));
    folder.put("update/backup/velquon.dll", ""); // what an earlier faulty update left
    const Failure bad = rollback.restore("velquon");
    EXPECT_EQ(bad.reason, UpdateFailure::NotALibrary);
    EXPECT_EQ(rollback.restore("tavrio").reason, UpdateFailure::NoBackup);
    EXPECT_EQ(rollback.restore("../velquon").reason, UpdateFailure::RefusedName);
    EXPECT_EQ(folder.read("velquon.dll"), converterLibrary(2));
}

TEST(FolderAccess, AProgramFolderWithoutRoomForTheUpdateIsNamed)
{
    ProgramFolder folder;
    EXPECT_FALSE(checkFolderWritable(folder.path()).failed());
    EXPECT_TRUE(QDir(folder.file("update")).exists());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList()) << "no probe left";

    // An update folder that cannot be made, as good as a folder without write permission.
    ProgramFolder blocked;
    blocked.put("update", "a file where the folder should be");
    const Failure failure = checkFolderWritable(blocked.path());
    EXPECT_EQ(failure.reason, UpdateFailure::NotWritable);
    EXPECT_TRUE(failure.detail.endsWith("/update")) << failure.detail.toStdString();
    EXPECT_TRUE(folderNotWritableMessage(failure).contains(failure.detail));
}

TEST(FolderAccess, AFolderWithoutWritePermissionIsNamed)
{
#if defined(_WIN32)
    GTEST_SKIP() << "Windows folders have no POSIX permission bits";
#else
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
#endif
    ProgramFolder folder;
    ASSERT_TRUE(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
    const Failure failure = checkFolderWritable(folder.path());
    EXPECT_EQ(failure.reason, UpdateFailure::NotWritable);
    EXPECT_EQ(failure.detail, QDir(folder.path()).absolutePath());
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace
} // namespace qmv
