#include "PictureLibrary.h"
#include "Keypad.h"
#include "PictureNames.h"
#include "QtTestApplication.h"
#include "TestBundles.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <gtest/gtest.h>

namespace qmv {
namespace {

using testing::BundleFolder;

QColor colourOf(const QPixmap& picture)
{
    return picture.toImage().pixelColor(0, 0);
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

bool anyBundleMapped()
{
    for (const char* root : {"on1803", "sn1803", "fn1803", "bn1803", "dn1803"})
        if (QFile::exists(QStringLiteral(":/%1/gif0").arg(QString::fromUtf8(root))) ||
            QFile::exists(QStringLiteral(":/%1/gifkorvix").arg(QString::fromUtf8(root))))
            return true;
    return false;
}

TEST(PictureLibrary, LoadsEachKeySetFromItsOwnBundle)
{
    BundleFolder folder;
    folder.withComplete();
    const std::unique_ptr<WindowPictures> pictures = PictureLibrary::load(folder.path());
    ASSERT_NE(pictures, nullptr);
    EXPECT_EQ(colourOf(pictures->key(KeyLook::NotLearned, 0)), QColor(255, 0, 0));
    EXPECT_EQ(colourOf(pictures->key(KeyLook::Learned, 18)), QColor(0, 255, 0));
    EXPECT_EQ(colourOf(pictures->key(KeyLook::BeingLearned, 113)), QColor(0, 0, 255));
    EXPECT_EQ(colourOf(pictures->key(KeyLook::Elsewhere, 167)), QColor(255, 255, 0));
}

TEST(PictureLibrary, KeyIndexesOutsideTheSetsGiveNoPicture)
{
    BundleFolder folder;
    folder.withComplete();
    const std::unique_ptr<WindowPictures> pictures = PictureLibrary::load(folder.path());
    ASSERT_NE(pictures, nullptr);
    EXPECT_FALSE(pictures->key(KeyLook::NotLearned, 167).isNull());
    EXPECT_TRUE(pictures->key(KeyLook::NotLearned, 168).isNull());
    EXPECT_TRUE(pictures->key(KeyLook::NotLearned, -1).isNull());
}

TEST(PictureLibrary, LoadsAllSevenNamedPictures)
{
    BundleFolder folder;
    folder.withComplete();
    const std::unique_ptr<WindowPictures> pictures = PictureLibrary::load(folder.path());
    ASSERT_NE(pictures, nullptr);
    for (NamedPicture name :
         {NamedPicture::IdleHint, NamedPicture::LearningHint, NamedPicture::Delete, NamedPicture::DeleteGrey,
          NamedPicture::StopDelete, NamedPicture::Clear, NamedPicture::ClearGrey})
        EXPECT_EQ(colourOf(pictures->named(name)), QColor(255, 0, 255)) << static_cast<int>(name);
}

TEST(PictureLibrary, AnimationGoesToAPrivateTemporaryFileRemovedWithThePictures)
{
    BundleFolder folder;
    folder.withComplete();
    std::unique_ptr<WindowPictures> pictures = PictureLibrary::load(folder.path());
    ASSERT_NE(pictures, nullptr);
    const QString file = pictures->animationFile();
    ASSERT_FALSE(file.isEmpty());
    EXPECT_EQ(fileBytes(file),
              fileBytes(QString::fromLocal8Bit(qgetenv("QMV718_TEST_DATA")) + "/app/animation.gif"));
    EXPECT_TRUE(QFileInfo(file).absolutePath() == QFileInfo(QDir::tempPath()).absoluteFilePath());
    // Two loads never share a file.
    const std::unique_ptr<WindowPictures> second = PictureLibrary::load(folder.path());
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second->animationFile(), file);
    pictures.reset();
    EXPECT_FALSE(QFileInfo::exists(file));
}

TEST(PictureLibrary, MissingAnimationIsNoFailure)
{
    BundleFolder folder;
    folder.withComplete().replacedBy(QStringLiteral("still"), QStringLiteral("bn1803.dll"));
    const std::unique_ptr<WindowPictures> pictures = PictureLibrary::load(folder.path());
    ASSERT_NE(pictures, nullptr);
    EXPECT_TRUE(pictures->animationFile().isEmpty());
}

TEST(PictureLibrary, BundlesAreMappedOnlyWhileBeingRead)
{
    BundleFolder folder;
    folder.withComplete();
    ASSERT_NE(PictureLibrary::load(folder.path()), nullptr);
    EXPECT_FALSE(anyBundleMapped());
}

class PictureLibraryFailure : public ::testing::TestWithParam<QString>
{
};

TEST_P(PictureLibraryFailure, AnyMissingBundleFailsTheLoad)
{
    BundleFolder folder;
    folder.withComplete().without(GetParam());
    EXPECT_EQ(PictureLibrary::load(folder.path()), nullptr);
    EXPECT_FALSE(anyBundleMapped());
}

INSTANTIATE_TEST_SUITE_P(EachBundle, PictureLibraryFailure, ::testing::ValuesIn(testing::bundleFiles));

TEST(PictureLibrary, MissingKeyPictureFailsTheLoad)
{
    BundleFolder folder;
    folder.withComplete().replacedBy(QStringLiteral("short"), QStringLiteral("dn1803.dll"));
    EXPECT_EQ(PictureLibrary::load(folder.path()), nullptr);
    EXPECT_FALSE(anyBundleMapped());
}

TEST(PictureLibrary, BundleThatIsNoResourceFileFailsTheLoad)
{
    for (const QByteArray& content : {QByteArray("not a resource file"), QByteArray()}) {
        BundleFolder folder;
        folder.withComplete()
            .without(QStringLiteral("sn1803.dll"))
            .withFile(QStringLiteral("sn1803.dll"), content);
        EXPECT_EQ(PictureLibrary::load(folder.path()), nullptr) << content.size();
    }
}

// The bundles the program ships, as built into its folder.
// Run at 100 % and, as a test of its own, at 200 %: the pictures keep their sizes in the window's
// pixels and take the screen's density.
TEST(PictureDensity, PicturesComeAtTheScreensDensityAndTheirSizeInTheWindow)
{
    ensureFormPictures();
    const int scale = qGuiApp->devicePixelRatio() > 1.0 ? 2 : 1;
    EXPECT_EQ(pictureScale(), scale);
    const QPixmap help = scaledPicture(QString::fromUtf8(pictures::form::help));
    EXPECT_EQ(help.devicePixelRatio(), scale);
    EXPECT_EQ(help.size(), QSize(95, 28) * scale);
    EXPECT_EQ(help.deviceIndependentSize(), QSizeF(95, 28));

    const QString binDir = QString::fromLocal8Bit(qgetenv("QMV718_BIN_DIR"));
    ASSERT_FALSE(binDir.isEmpty());
    const std::unique_ptr<WindowPictures> loaded = PictureLibrary::load(binDir + u'/');
    ASSERT_NE(loaded, nullptr);
    const QPixmap& key = loaded->key(KeyLook::Learned, pictureIndex("26"));
    EXPECT_EQ(key.devicePixelRatio(), scale);
    EXPECT_EQ(loaded->named(NamedPicture::IdleHint).deviceIndependentSize(), QSizeF(409, 72));
    EXPECT_EQ(loaded->named(NamedPicture::IdleHint).devicePixelRatio(), scale);
}

TEST(PictureDensity, APictureWithoutADenseVersionIsTakenAsItIs)
{
    BundleFolder folder;
    folder.withComplete();
    const std::unique_ptr<WindowPictures> loaded = PictureLibrary::load(folder.path());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->named(NamedPicture::Delete).devicePixelRatio(), 1.0);
    EXPECT_FALSE(loaded->named(NamedPicture::Delete).isNull());
}

TEST(PictureLibrary, LoadsTheProgramsOwnBundles)
{
    const QString binDir = QString::fromLocal8Bit(qgetenv("QMV718_BIN_DIR"));
    ASSERT_FALSE(binDir.isEmpty()) << "QMV718_BIN_DIR is not set";
    const std::unique_ptr<WindowPictures> pictures = PictureLibrary::load(binDir + u'/');
    ASSERT_NE(pictures, nullptr) << "bundles in " << binDir.toStdString();
    for (int set = 0; set < keyPictureSetCount; ++set)
        for (int index : {0, 18, 113, 167})
            EXPECT_FALSE(pictures->key(static_cast<KeyLook>(set), index).isNull()) << set << " " << index;
    EXPECT_FALSE(pictures->named(NamedPicture::IdleHint).isNull());
    EXPECT_FALSE(pictures->animationFile().isEmpty());
}

} // namespace
} // namespace qmv
