#include "BundleFiles.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

QByteArray helpFile()
{
    QFile file(QDir(binDir()).filePath(QStringLiteral("studyhelp.chm")));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << "studyhelp.chm is missing";
    return file.readAll();
}

TEST(HelpFile, IsACompiledHelpFile)
{
    const QByteArray chm = helpFile();
    ASSERT_GE(chm.size(), 96);
    EXPECT_TRUE(chm.startsWith("ITSF"));
    // Format version 3 and the Simplified Chinese language id (0x0804) in the header.
    EXPECT_EQ(static_cast<unsigned char>(chm[4]), 3);
    EXPECT_EQ(static_cast<unsigned char>(chm[20]), 0x04);
    EXPECT_EQ(static_cast<unsigned char>(chm[21]), 0x08);
}

TEST(HelpFile, HoldsContentsIndexAndPages)
{
    // The directory of a compiled help file names every file it holds.
    const QByteArray chm = helpFile();
    for (const char* name :
         {"/toc.hhc", "/index.hhk", "/index.html", "/learn.html", "/delete.html", "/clear.html",
          "/colours.html", "/messages.html", "/update.html", "/images/window.png"})
        EXPECT_TRUE(chm.contains(name)) << name;
}

} // namespace
