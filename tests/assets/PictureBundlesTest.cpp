#include "BundleFiles.h"
#include "Keypad.h"
#include "KeypadLayout.h"
#include "PictureNames.h"
#include "QtTestApplication.h"

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QResource>

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

namespace qmv {

namespace pictures {
// Names the bundle in failure messages instead of dumping its bytes.
void PrintTo(const Bundle& bundle, std::ostream* out)
{
    *out << bundle.fileName;
}
} // namespace pictures

namespace {

namespace names = pictures;

QString latin(const char* text)
{
    return QString::fromLatin1(text);
}

// Registers one bundle from the program's folder for the life of the object, the way the main
// window loads it.
class RegisteredBundle
{
public:
    explicit RegisteredBundle(const names::Bundle& bundle)
        : file_(QDir(binDir()).filePath(latin(bundle.fileName)))
        , root_(QLatin1Char('/') + latin(bundle.root))
    {
        registered_ = QResource::registerResource(file_, root_);
    }
    ~RegisteredBundle()
    {
        if (registered_)
            QResource::unregisterResource(file_, root_);
    }
    RegisteredBundle(const RegisteredBundle&) = delete;
    RegisteredBundle& operator=(const RegisteredBundle&) = delete;

    bool registered() const { return registered_; }
    QString path(const QString& name) const { return QLatin1Char(':') + root_ + QLatin1Char('/') + name; }

private:
    QString file_;
    QString root_;
    bool registered_ = false;
};

struct Decoded
{
    QImage image;
    QByteArray format;
};

std::optional<Decoded> decode(const QString& path)
{
    QImageReader reader(path);
    const QByteArray format = reader.format();
    const QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    return Decoded{image, format};
}

std::optional<KeyDefinition> keyWithPicture(int number)
{
    for (const KeyDefinition& key : keypad)
        if (pictureIndex(key.code) == number)
            return key;
    return std::nullopt;
}

QSize expectedKeySize(int number)
{
    if (const std::optional<KeyDefinition> key = keyWithPicture(number)) {
        const KeyRect r = *keyRect(key->code);
        return {r.width, r.height};
    }
    return {spareKeyWidth, spareKeyHeight};
}

QString keyPictureName(int number)
{
    return latin(names::keyPicturePrefix) + QString::number(number);
}

class KeyLook : public ::testing::TestWithParam<names::Bundle>
{
};

TEST_P(KeyLook, HoldsEveryPictureAtItsKeysSize)
{
    RegisteredBundle bundle(GetParam());
    ASSERT_TRUE(bundle.registered()) << GetParam().fileName;
    for (int n = 0; n < names::keyPicturesPerSet; ++n) {
        const std::optional<Decoded> picture = decode(bundle.path(keyPictureName(n)));
        ASSERT_TRUE(picture.has_value()) << GetParam().fileName << " gif" << n;
        EXPECT_EQ(picture->image.size(), expectedKeySize(n)) << GetParam().fileName << " gif" << n;
        const std::optional<Decoded> dense = decode(bundle.path(keyPictureName(n) + QStringLiteral("@2x")));
        ASSERT_TRUE(dense.has_value()) << GetParam().fileName << " gif" << n << "@2x";
        EXPECT_EQ(dense->image.size(), expectedKeySize(n) * 2) << GetParam().fileName << " gif" << n << "@2x";
    }
    EXPECT_FALSE(QResource(bundle.path(keyPictureName(names::keyPicturesPerSet))).isValid())
        << "a picture beyond the last one";
}

INSTANTIATE_TEST_SUITE_P(AllFourSets, KeyLook,
                         ::testing::Values(names::notLearnedBundle, names::learnedBundle,
                                           names::learningBundle, names::elsewhereBundle),
                         [](const ::testing::TestParamInfo<names::Bundle>& bundle) {
                             return std::string(bundle.param.root);
                         });

TEST(KeyPictureSets, ShowEachKeyDifferentlyInEveryLook)
{
    RegisteredBundle notLearned(names::notLearnedBundle);
    RegisteredBundle learned(names::learnedBundle);
    RegisteredBundle learning(names::learningBundle);
    RegisteredBundle elsewhere(names::elsewhereBundle);
    const RegisteredBundle* sets[] = {&notLearned, &learned, &learning, &elsewhere};
    for (const RegisteredBundle* set : sets)
        ASSERT_TRUE(set->registered());
    for (const KeyDefinition& key : keypad) {
        QImage looks[4];
        for (int s = 0; s < 4; ++s)
            looks[s] = QImage(sets[s]->path(keyPictureName(pictureIndex(key.code))))
                           .convertToFormat(QImage::Format_ARGB32);
        for (int a = 0; a < 4; ++a)
            for (int b = a + 1; b < 4; ++b)
                EXPECT_NE(looks[a], looks[b])
                    << "key " << key.code << ": looks " << a << " and " << b << " agree";
    }
}

TEST(KeyPictureSets, DrawDifferentKeysDifferently)
{
    // Keys of the same size must still differ by their faces, not share one picture.
    RegisteredBundle set(names::notLearnedBundle);
    ASSERT_TRUE(set.registered());
    const QImage one(set.path(keyPictureName(pictureIndex("12"))));
    const QImage two(set.path(keyPictureName(pictureIndex("13"))));
    ASSERT_EQ(one.size(), two.size());
    EXPECT_NE(one.convertToFormat(QImage::Format_ARGB32), two.convertToFormat(QImage::Format_ARGB32));
}

TEST(NamedBundle, HoldsTheHintAndButtonPicturesAsJpeg)
{
    RegisteredBundle bundle(names::namedBundle);
    ASSERT_TRUE(bundle.registered());
    const struct
    {
        const char* name;
        QSize size;
    } expected[] = {{names::idleHint, {409, 72}},         {names::learningHint, {409, 72}},
                    {names::deleteButton, {152, 49}},     {names::deleteButtonGrey, {152, 49}},
                    {names::stopDeleteButton, {152, 49}}, {names::clearButton, {150, 49}},
                    {names::clearButtonGrey, {150, 49}}};
    for (const auto& picture : expected) {
        const std::optional<Decoded> decoded = decode(bundle.path(latin(picture.name)));
        ASSERT_TRUE(decoded.has_value()) << picture.name;
        EXPECT_EQ(decoded->format, "jpeg") << picture.name;
        EXPECT_EQ(decoded->image.size(), picture.size) << picture.name;
        const std::optional<Decoded> dense = decode(bundle.path(latin(picture.name) + QStringLiteral("@2x")));
        ASSERT_TRUE(dense.has_value()) << picture.name << "@2x";
        EXPECT_EQ(dense->image.size(), picture.size * 2) << picture.name << "@2x";
    }
}

TEST(NamedBundle, HoldsALoopingLearningAnimation)
{
    RegisteredBundle bundle(names::namedBundle);
    ASSERT_TRUE(bundle.registered());
    QImageReader reader(bundle.path(latin(names::learningAnimation)));
    EXPECT_EQ(reader.format(), "gif");
    EXPECT_EQ(reader.loopCount(), -1) << "the animation must loop for ever";
    int frames = 0;
    QImage first;
    bool moves = false;
    for (QImage frame = reader.read(); !frame.isNull(); frame = reader.read()) {
        EXPECT_EQ(frame.size(), QSize(413, 72));
        EXPECT_GT(reader.nextImageDelay(), 0);
        if (frames == 0)
            first = frame.convertToFormat(QImage::Format_ARGB32);
        else if (frame.convertToFormat(QImage::Format_ARGB32) != first)
            moves = true;
        ++frames;
    }
    EXPECT_GE(frames, 8);
    EXPECT_TRUE(moves) << "every frame shows the same picture";
}

TEST(KeyPictureSets, KeysWithChineseLabelsHaveEnglishOnesAndTheOthersStayAsTheyAre)
{
    for (const names::Bundle& bundle : {names::notLearnedBundle, names::learnedBundle}) {
        RegisteredBundle set(bundle);
        ASSERT_TRUE(set.registered()) << bundle.fileName;
        for (const QString& density : {QString(), QStringLiteral("@2x")})
            expectEnglishPicture(set.path(keyPictureName(pictureIndex("36")) + density)); // 菜单
        const QString digit = set.path(keyPictureName(pictureIndex("12")));
        EXPECT_EQ(pictureIn(QLocale::English, digit), pictureIn(QLocale::Chinese, digit)) << bundle.fileName;
    }
}

TEST(NamedBundle, ButtonsHintsAndTheAnimationHaveEnglishWords)
{
    RegisteredBundle bundle(names::namedBundle);
    ASSERT_TRUE(bundle.registered());
    for (const char* name :
         {names::deleteButton, names::clearButton, names::learningHint, names::learningAnimation})
        for (const QString& density : {QString(), QStringLiteral("@2x")})
            expectEnglishPicture(bundle.path(latin(name) + density));
}

} // namespace
} // namespace qmv
