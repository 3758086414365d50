// Draws every picture of the tool and writes the resource lists from which the build makes the
// picture bundles and the program's built-in pictures, and the program's icon for the desktop's
// icon theme. Run at build time:
//     qmv718_picture_generator <output folder> <icon.svg> [<English translation .qm>]
// With the translation it draws every picture with words once more in English; those that differ
// from the Chinese ones are listed for the English locale.

#include "Caption.h"
#include "Controls.h"
#include "GifWriter.h"
#include "Hints.h"
#include "KeyFace.h"
#include "Keypad.h"
#include "KeypadBody.h"
#include "KeypadLayout.h"
#include "Painting.h"
#include "Panels.h"
#include "PictureNames.h"
#include "Preview.h"
#include "ResourceList.h"
#include "Splash.h"
#include "Text.h"
#include "Theme.h"
#include "ThemeIcons.h"
#include "WindowBackground.h"
#include "WindowGeometry.h"

#include <QDir>
#include <QGuiApplication>
#include <QHash>
#include <QSaveFile>
#include <QTranslator>

#include <map>

#include <cstdio>
#include <optional>
#include <stdexcept>

namespace qmv::art {
namespace {

class GenerationError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

[[noreturn]] void fail(const QString& what)
{
    throw GenerationError(what.toStdString());
}

// The resource lists of all bundles, filled by every drawing pass and written at the end.
using ResourceLists = std::map<QString, ResourceList>;

// The name a picture drawn at the current scale goes by: the program asks for "<name>@2x" on
// screens of higher density.
QString scaledName(const QString& name)
{
    return drawingScale() == 1 ? name : name + QStringLiteral("@%1x").arg(drawingScale());
}

// The language being drawn: empty for Chinese, which is drawn first and serves every locale, or
// the code of a translation ("en"), whose pictures are kept only where they differ from the
// Chinese ones.
class LanguagePass
{
public:
    static const QString& language() { return current(); }
    static void begin(const QString& language) { current() = language; }

    // True when the picture drawn now under `key` must be kept: always in Chinese, in another
    // language only when it differs from the Chinese picture of the same key.
    static bool keeps(const QString& key, const QList<QImage>& frames)
    {
        if (language().isEmpty()) {
            chinese().insert(key, frames);
            return true;
        }
        return chinese().value(key) != frames;
    }

private:
    static QString& current()
    {
        static QString language;
        return language;
    }
    static QHash<QString, QList<QImage>>& chinese()
    {
        static QHash<QString, QList<QImage>> pictures;
        return pictures;
    }
};

// Saves pictures into one folder of the output and lists them for one resource bundle; another
// language than Chinese goes into a folder of its own, listed for that language.
class BundleWriter
{
public:
    BundleWriter(const QDir& output, const QString& folder, ResourceLists& lists, const QString& qrcFile,
                 const QString& prefix)
        : output_(output)
        , folder_(folder)
        , languageFolder_(LanguagePass::language().isEmpty() ? folder
                                                             : folder + u'-' + LanguagePass::language())
        , list_(lists.try_emplace(qrcFile, prefix).first->second)
    {
        if (!output_.mkpath(languageFolder_))
            fail(QStringLiteral("cannot create %1").arg(output_.filePath(languageFolder_)));
    }

    // Saves as PNG, or as JPEG when `jpeg` is set (JPEG has no transparency: the picture is flattened).
    void add(const QString& plainName, const QImage& image, bool jpeg = false)
    {
        const QString name = scaledName(plainName);
        if (!LanguagePass::keeps(folder_ + u'/' + name, {image}))
            return;
        const QString file = languageFolder_ + QLatin1Char('/') + name +
                             (jpeg ? QStringLiteral(".jpg") : QStringLiteral(".png"));
        const bool saved =
            jpeg ? image.convertToFormat(QImage::Format_RGB32).save(output_.filePath(file), "JPG", 92)
                 : image.save(output_.filePath(file), "PNG");
        if (!saved)
            fail(QStringLiteral("cannot write %1").arg(output_.filePath(file)));
        list_.add(name, file, LanguagePass::language());
    }

    // Saves an animation as an animated GIF.
    void addAnimation(const QString& plainName, const QList<QImage>& frames, int delayCentiseconds)
    {
        const QString name = scaledName(plainName);
        if (!LanguagePass::keeps(folder_ + u'/' + name, frames))
            return;
        const QString file = languageFolder_ + QLatin1Char('/') + name + QStringLiteral(".gif");
        const QString error = writeAnimatedGif(output_.filePath(file), frames, delayCentiseconds);
        if (!error.isEmpty())
            fail(QStringLiteral("cannot write %1: %2").arg(output_.filePath(file), error));
        list_.add(name, file, LanguagePass::language());
    }

private:
    QDir output_;
    QString folder_;
    QString languageFolder_;
    ResourceList& list_;
};

void writeQrcFiles(const QDir& output, const ResourceLists& lists)
{
    for (const auto& [fileName, list] : lists) {
        const QString error = list.writeQrc(output.filePath(fileName));
        if (!error.isEmpty())
            fail(QStringLiteral("cannot write %1: %2").arg(fileName, error));
    }
}

QString latin(const char* text)
{
    return QString::fromLatin1(text);
}

// The resource name of a built-in picture: its path less ":/forms/".
QString formName(const char* path)
{
    return latin(path).section(QLatin1Char('/'), -1);
}

std::optional<KeyDefinition> keyWithPicture(int number)
{
    for (const KeyDefinition& key : keypad)
        if (pictureIndex(key.code) == number)
            return key;
    return std::nullopt;
}

QImage paintKeyPicture(const QImage& body, int number, KeyLook look)
{
    if (const std::optional<KeyDefinition> key = keyWithPicture(number)) {
        const KeyRect r = *keyRect(key->code);
        QImage image = cutOut(body, QRect(r.x, r.y, r.width, r.height));
        QPainter painter(&image);
        paintKey(painter, QRectF(0, 0, r.width, r.height), *key, look);
        return image;
    }
    QImage image = blankImage(QSize(spareKeyWidth, spareKeyHeight));
    image.fill(colour::caseBottom);
    QPainter painter(&image);
    paintSpareKey(painter, QRectF(0, 0, spareKeyWidth, spareKeyHeight), look);
    return image;
}

void writeKeySets(const QDir& output, ResourceLists& lists, GeneratedPictures& pictures)
{
    const pictures::Bundle bundles[] = {pictures::notLearnedBundle, pictures::learnedBundle,
                                        pictures::learningBundle, pictures::elsewhereBundle};
    for (int set = 0; set < 4; ++set) {
        const QString root = latin(bundles[set].root);
        BundleWriter writer(output, QStringLiteral("keys/") + root, lists, root + QStringLiteral(".qrc"),
                            QStringLiteral("/"));
        QList<QImage> images;
        for (int n = 0; n < pictures::keyPicturesPerSet; ++n) {
            const QImage image = paintKeyPicture(pictures.keypadBody, n, keyPictureLooks[set]);
            writer.add(latin(pictures::keyPicturePrefix) + QString::number(n), image);
            images.append(image);
        }
        pictures.keySets.append(images);
    }
}

void writeNamedBundle(const QDir& output, ResourceLists& lists, GeneratedPictures& pictures)
{
    const QImage& canvas = pictures.canvas;
    BundleWriter writer(output, QStringLiteral("named"), lists, QStringLiteral("bn1803.qrc"),
                        QStringLiteral("/"));
    const auto add = [&](const char* name, const QImage& image) {
        writer.add(latin(name), image, true);
        pictures.named.insert(latin(name), image);
    };
    add(pictures::idleHint, paintIdleHint(canvas));
    add(pictures::learningHint, paintLearningHint(canvas));
    add(pictures::deleteButton,
        paintButton(canvas, window::deleteKey,
                    {Caption::tr("删除"), ButtonSymbol::Trash, ButtonKind::Secondary}));
    add(pictures::deleteButtonGrey,
        paintButton(canvas, window::deleteKey,
                    {Caption::tr("删除"), ButtonSymbol::Trash, ButtonKind::Greyed}));
    add(pictures::stopDeleteButton,
        paintButton(canvas, window::deleteKey,
                    {Caption::tr("停止删除"), ButtonSymbol::Stop, ButtonKind::Stop}));
    add(pictures::clearButton,
        paintButton(canvas, window::clearKeys,
                    {Caption::tr("清空"), ButtonSymbol::Eraser, ButtonKind::Secondary}));
    add(pictures::clearButtonGrey,
        paintButton(canvas, window::clearKeys,
                    {Caption::tr("清空"), ButtonSymbol::Eraser, ButtonKind::Greyed}));

    const QList<AnimationFrame> frames = paintLearningAnimation(canvas);
    QList<QImage> images;
    for (const AnimationFrame& frame : frames)
        images.append(frame.image);
    writer.addAnimation(latin(pictures::learningAnimation), images, frames.first().delayCentiseconds);
    pictures.animationFrame = images.first();
}

void writeFormPictures(const QDir& output, ResourceLists& lists, GeneratedPictures& pictures)
{
    const QImage& canvas = pictures.canvas;
    BundleWriter writer(output, QStringLiteral("forms"), lists, QStringLiteral("forms.qrc"),
                        QStringLiteral("/forms"));
    const auto add = [&](const QString& name, const QImage& image, bool jpeg = false) {
        writer.add(name, image, jpeg);
        pictures.forms.insert(name, image);
    };
    add(formName(pictures::form::splash), paintSplash(composeRemote(pictures)));
    add(formName(pictures::form::background), cutOut(canvas, QRect(QPoint(0, 0), window::backgroundSize)),
        true);
    add(formName(pictures::form::keypad), pictures.keypadBody);
    add(formName(pictures::form::panelHasKeys),
        paintInstructionPanel(canvas, window::panelHasKeys, hasKeysInstructions()));
    add(formName(pictures::form::panelLearning),
        paintInstructionPanel(canvas, window::panelLearning, learningInstructions()));
    add(formName(pictures::form::panelDeleting),
        paintInstructionPanel(canvas, window::panelDeleting, deletingInstructions()));
    add(formName(pictures::form::panelNoKeys),
        paintInstructionPanel(canvas, window::panelNoKeys, noKeysInstructions()));
    add(formName(pictures::form::beginStudy),
        paintButton(canvas, window::beginStudy,
                    {Caption::tr("开始学习"), ButtonSymbol::Play, ButtonKind::Start}));
    add(formName(pictures::form::stopStudy),
        paintButton(canvas, window::beginStudy,
                    {Caption::tr("停止学习"), ButtonSymbol::Stop, ButtonKind::Stop}));
    add(formName(pictures::form::help),
        paintButton(canvas, window::help,
                    {Caption::tr("帮助"), ButtonSymbol::Question, ButtonKind::TitleBar}));
    add(formName(pictures::form::update),
        paintButton(canvas, window::update,
                    {Caption::tr("升级软件"), ButtonSymbol::Upload, ButtonKind::TitleBar}));
    add(formName(pictures::form::minimize),
        paintButton(canvas, window::minimize, {QString(), ButtonSymbol::Minus, ButtonKind::TitleBar}));
    add(formName(pictures::form::close),
        paintButton(canvas, window::close, {QString(), ButtonSymbol::Cross, ButtonKind::Close}));

    const struct
    {
        const char* name;
        QRect where;
        const char* caption;
    } tabs[] = {{"tv", window::tabTv, QT_TRANSLATE_NOOP("qmv::art::Caption", "电视/TV")},
                {"cbl", window::tabCbl, QT_TRANSLATE_NOOP("qmv::art::Caption", "机顶盒/CBL")},
                {"dvd", window::tabDvd, QT_TRANSLATE_NOOP("qmv::art::Caption", "影碟机/DVD")},
                {"amp", window::tabAmp, "AMP"}};
    const QString tabStem = formName(pictures::form::tabPrefix);
    const QString current = latin(pictures::form::currentSuffix);
    QStringList captions;
    int narrowest = window::size.width();
    for (const auto& tab : tabs) {
        captions << Caption::tr(tab.caption);
        narrowest = std::min(narrowest, tab.where.width());
    }
    const qreal textSize = areaTabTextSize(captions, narrowest);
    for (const auto& tab : tabs) {
        const QString caption = Caption::tr(tab.caption);
        add(tabStem + latin(tab.name), paintAreaTab(canvas, tab.where, caption, false, textSize));
        add(tabStem + latin(tab.name) + current, paintAreaTab(canvas, tab.where, caption, true, textSize));
    }
    const QString powerStem = formName(pictures::form::powerKeyPrefix);
    for (const KeyDefinition& key : keypad)
        if (key.selectsArea >= 0)
            add(powerStem + QString::fromLatin1(key.code.data(), static_cast<qsizetype>(key.code.size())) +
                    current,
                paintCurrentPowerKey(pictures.keypadBody, key));
}

// The help pages' pictures: help/ in Chinese, help/<language>/ for the pages of another language.
void writeHelpPictures(const QDir& output, const GeneratedPictures& pictures)
{
    const QString folder = LanguagePass::language().isEmpty()
                               ? QStringLiteral("help")
                               : QStringLiteral("help/") + LanguagePass::language();
    if (!output.mkpath(folder))
        fail(QStringLiteral("cannot create the help picture folder"));
    if (!composeLearningWindow(pictures).save(output.filePath(folder + QStringLiteral("/window.png")),
                                              "PNG") ||
        !composeKeyLooks(pictures).save(output.filePath(folder + QStringLiteral("/keylooks.png")), "PNG"))
        fail(QStringLiteral("cannot write the help pictures"));
}

void writeStamp(const QDir& output)
{
    QSaveFile stamp(output.filePath(QStringLiteral("pictures.stamp")));
    if (!stamp.open(QIODevice::WriteOnly) || stamp.write("done\n") < 0 || !stamp.commit())
        fail(QStringLiteral("cannot write the stamp file"));
}

void writeIconTheme(const QDir& output, const QString& iconSvg)
{
    QString error = writeThemeIcons(iconSvg, QDir(output.filePath(QStringLiteral("hicolor"))));
    if (error.isEmpty())
        error = writeWindowsIcon(iconSvg, output.filePath(QStringLiteral("qmv718.ico")));
    if (!error.isEmpty())
        fail(error);
}

// Every picture at 1x, then again at 2x for screens of higher density; the help pages use 1x.
void drawEveryPicture(const QDir& output, ResourceLists& lists)
{
    for (const int scale : {2, 1}) {
        setDrawingScale(scale);
        GeneratedPictures pictures;
        pictures.canvas = paintWindowCanvas();
        pictures.keypadBody = paintKeypadBody(pictures.canvas);
        writeKeySets(output, lists, pictures);
        writeNamedBundle(output, lists, pictures);
        writeFormPictures(output, lists, pictures);
        if (scale == 1)
            writeHelpPictures(output, pictures);
    }
}

// The words of the pictures, and the key labels of the plain C++ keypad, in another language for
// as long as the object lives.
class TranslatedCaptions
{
public:
    explicit TranslatedCaptions(const QString& qmFile)
    {
        if (!translator_.load(qmFile))
            fail(QStringLiteral("cannot read the translation %1").arg(qmFile));
        QCoreApplication::installTranslator(&translator_);
        setTextTranslator([](const char* context, const char* source, const char* disambiguation) {
            return QCoreApplication::translate(context, source, disambiguation).toStdString();
        });
    }
    ~TranslatedCaptions()
    {
        setTextTranslator({});
        QCoreApplication::removeTranslator(&translator_);
    }
    TranslatedCaptions(const TranslatedCaptions&) = delete;
    TranslatedCaptions& operator=(const TranslatedCaptions&) = delete;

private:
    QTranslator translator_;
};

void generate(const QDir& output, const QString& iconSvg, const QString& englishQm)
{
    if (!chineseFontAvailable())
        fail(QStringLiteral("no Chinese font: install fonts-wqy-zenhei"));
    ResourceLists lists;
    LanguagePass::begin({});
    drawEveryPicture(output, lists);
    if (!englishQm.isEmpty()) {
        const TranslatedCaptions english(englishQm);
        LanguagePass::begin(QStringLiteral("en"));
        drawEveryPicture(output, lists);
        LanguagePass::begin({});
    }
    writeQrcFiles(output, lists);
    writeIconTheme(output, iconSvg);
    writeStamp(output);
}

} // namespace
} // namespace qmv::art

int main(int argc, char* argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: %s <output folder> <icon.svg> [<English translation .qm>]\n", argv[0]);
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    if (!output.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    try {
        qmv::art::generate(output, QString::fromLocal8Bit(argv[2]),
                           argc == 4 ? QString::fromLocal8Bit(argv[3]) : QString());
    } catch (const qmv::art::GenerationError& error) {
        std::fprintf(stderr, "picture generator: %s\n", error.what());
        return 1;
    }
    return 0;
}
