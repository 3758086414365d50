#include "FormPictures.h"
#include "BundleFiles.h"
#include "Keypad.h"
#include "KeypadLayout.h"
#include "PictureNames.h"

#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

namespace qmv {
namespace {

namespace form = pictures::form;

class FormPictures : public ::testing::Test
{
protected:
    void SetUp() override { initFormPictures(); }

    static QImage load(const QString& path)
    {
        QImage image = QImageReader(path).read();
        EXPECT_FALSE(image.isNull()) << path.toStdString();
        return image;
    }
    static QImage load(const char* path) { return load(QString::fromLatin1(path)); }
};

TEST_F(FormPictures, HoldTheWindowPicturesAtTheirControlsSizes)
{
    const struct
    {
        const char* path;
        QSize size;
    } expected[] = {{form::splash, {462, 258}},
                    {form::background, {1016, 729}},
                    {form::panelHasKeys, {408, 165}},
                    {form::panelLearning, {410, 167}},
                    {form::panelDeleting, {409, 168}},
                    {form::panelNoKeys, {411, 165}},
                    {form::beginStudy, {161, 50}},
                    {form::stopStudy, {161, 50}},
                    {form::help, {95, 28}},
                    {form::update, {97, 30}},
                    {form::minimize, {38, 27}},
                    {form::close, {38, 27}},
                    {form::keypad, {keypadBodyWidth, keypadBodyHeight}}};
    for (const auto& picture : expected) {
        EXPECT_EQ(load(picture.path).size(), picture.size) << picture.path;
        // Drawn again at twice the density for screens above 100 %, the same picture in finer pixels.
        const QImage dense = load(QString::fromLatin1(picture.path) + QStringLiteral("@2x"));
        EXPECT_EQ(dense.size(), picture.size * 2) << picture.path;
        EXPECT_EQ(dense.devicePixelRatio(), 2.0) << picture.path;
    }
}

TEST_F(FormPictures, BackgroundIsJpeg)
{
    EXPECT_EQ(QImageReader(QString::fromLatin1(form::background)).format(), "jpeg");
}

TEST_F(FormPictures, EveryAreaTabHasANormalAndACurrentLook)
{
    // Sizes of TV_IBTN, CBL_IBTN, DVD_IBTN and AMP_INTN.
    const struct
    {
        const char* area;
        QSize size;
    } tabs[] = {{"tv", {77, 20}}, {"cbl", {77, 20}}, {"dvd", {79, 20}}, {"amp", {78, 20}}};
    for (const auto& tab : tabs) {
        const QString normal = QString::fromLatin1(form::tabPrefix) + QString::fromLatin1(tab.area);
        const QImage plain = load(normal);
        const QImage current = load(normal + QString::fromLatin1(form::currentSuffix));
        EXPECT_EQ(plain.size(), tab.size) << tab.area;
        EXPECT_EQ(current.size(), tab.size) << tab.area;
        EXPECT_NE(plain.convertToFormat(QImage::Format_ARGB32),
                  current.convertToFormat(QImage::Format_ARGB32))
            << tab.area;
    }
}

TEST_F(FormPictures, EveryPowerKeyHasAHighlightedLookAtItsKeysSize)
{
    int powerKeys = 0;
    for (const KeyDefinition& key : keypad) {
        if (key.selectsArea < 0)
            continue;
        ++powerKeys;
        const QString code = QString::fromLatin1(key.code.data(), static_cast<qsizetype>(key.code.size()));
        const QImage image =
            load(QString::fromLatin1(form::powerKeyPrefix) + code + QString::fromLatin1(form::currentSuffix));
        const KeyRect r = *keyRect(key.code);
        EXPECT_EQ(image.size(), QSize(r.width, r.height)) << key.code;
    }
    EXPECT_EQ(powerKeys, areaCount);
}

TEST_F(FormPictures, StartAndStopPicturesDiffer)
{
    EXPECT_NE(load(form::beginStudy).convertToFormat(QImage::Format_ARGB32),
              load(form::stopStudy).convertToFormat(QImage::Format_ARGB32));
}

// The pictures with words are drawn in English too, at both densities, and found under the same
// names when English is the locale; a picture without words is the one picture of both languages.
TEST_F(FormPictures, PicturesWithWordsHaveAnEnglishLookAtBothDensities)
{
    const QString worded[] = {QString::fromLatin1(form::beginStudy),
                              QString::fromLatin1(form::stopStudy),
                              QString::fromLatin1(form::help),
                              QString::fromLatin1(form::update),
                              QString::fromLatin1(form::panelLearning),
                              QString::fromLatin1(form::panelNoKeys),
                              QString::fromLatin1(form::splash),
                              QString::fromLatin1(form::background),
                              QString::fromLatin1(form::tabPrefix) + QStringLiteral("cbl")};
    for (const QString& path : worded)
        for (const QString& density : {QString(), QStringLiteral("@2x")})
            expectEnglishPicture(path + density);
}

TEST_F(FormPictures, PicturesWithoutWordsAreTheSameInBothLanguages)
{
    // The power keys carry the areas' short names, the same in both languages.
    const QString wordless[] = {QString::fromLatin1(form::close), QString::fromLatin1(form::minimize),
                                QString::fromLatin1(form::powerKeyPrefix) + QStringLiteral("00") +
                                    QString::fromLatin1(form::currentSuffix)};
    for (const QString& path : wordless) {
        const QImage chinese = pictureIn(QLocale::Chinese, path);
        ASSERT_FALSE(chinese.isNull()) << path.toStdString();
        EXPECT_EQ(pictureIn(QLocale::English, path), chinese) << path.toStdString();
    }
}

} // namespace
} // namespace qmv
