#include "PathOpener.h"

#include <gtest/gtest.h>

namespace qmv {
namespace {

TEST(PathParts, ExtensionRunsFromTheLastDotUnlessASeparatorFollows)
{
    EXPECT_EQ(pathExtension(QStringLiteral("C:\\tools\\run.exe")), QStringLiteral(".exe"));
    EXPECT_EQ(pathExtension(QStringLiteral("archive.tar.gz")), QStringLiteral(".gz"));
    EXPECT_EQ(pathExtension(QStringLiteral("C:\\v1.2\\run")), QString());
    EXPECT_EQ(pathExtension(QStringLiteral("/opt/v1.2/run")), QString());
    EXPECT_EQ(pathExtension(QStringLiteral("a.b:c")), QString());
    EXPECT_EQ(pathExtension(QStringLiteral("POWER/TV")), QString());
    EXPECT_EQ(pathExtension(QString()), QString());
}

TEST(PathParts, FolderRunsUpToAndIncludingTheLastSeparator)
{
    EXPECT_EQ(pathFolder(QStringLiteral("C:\\tools\\run.exe")), QStringLiteral("C:\\tools\\"));
    EXPECT_EQ(pathFolder(QStringLiteral("C:run.exe")), QStringLiteral("C:"));
    EXPECT_EQ(pathFolder(QStringLiteral("/opt/tools/run.exe")), QStringLiteral("/opt/tools/"));
    EXPECT_EQ(pathFolder(QStringLiteral("run.exe")), QString());
}

} // namespace
} // namespace qmv
