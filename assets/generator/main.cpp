// Draws every picture of the tool and writes the resource lists from which the build makes the
// picture bundles and the program's built-in pictures, and the program's icon for the desktop's
// icon theme. Run at build time:
//     qmv718_picture_generator <output folder> <icon.svg>

#include "Controls.h"
#include "Caption.h"
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
#include "Theme.h"
#include "ThemeIcons.h"
#include "WindowBackground.h"
#include "WindowGeometry.h"

#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>

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

// Saves pictures into one folder of the output and lists them for one resource bundle.
class BundleWriter
{
public:
    BundleWriter(const QDir& output, QString folder, QString prefix)
        : output_(output)
        , folder_(std::move(folder))
        , list_(std::move(prefix))
    {
        if (!output_.mkpath(folder_))
            fail(QStringLiteral("cannot create %1").arg(output_.filePath(folder_)));
    }

    // Saves as PNG, or as JPEG when `jpeg` is set (JPEG has no transparency: the picture is flattened).
    void add(const QString& name, const QImage& image, bool jpeg = false)
    {
        const QString file =
            folder_ + QLatin1Char('/') + name + (jpeg ? QStringLiteral(".jpg") : QStringLiteral(".png"));
        const bool saved =
            jpeg ? image.convertToFormat(QImage::Format_RGB32).save(output_.filePath(file), "JPG", 92)
                 : image.save(output_.filePath(file), "PNG");
        if (!saved)
            fail(QStringLiteral("cannot write %1").arg(output_.filePath(file)));
        list_.add(name, file);
    }

    // Lists a file written by other means; returns the path to write it to.
    QString addFile(const QString& name, const QString& extension)
    {
        const QString file = folder_ + QLatin1Char('/') + name + QLatin1Char('.') + extension;
        list_.add(name, file);
        return output_.filePath(file);
    }

    void writeQrc(const QString& fileName) const
    {
        const QString error = list_.writeQrc(output_.filePath(fileName));
        if (!error.isEmpty())
            fail(QStringLiteral("cannot write %1: %2").arg(fileName, error));
    }

private:
    QDir output_;
    QString folder_;
    ResourceList list_;
};

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

void writeKeySets(const QDir& output, GeneratedPictures& pictures)
{
    const pictures::Bundle bundles[] = {pictures::notLearnedBundle, pictures::learnedBundle,
                                        pictures::learningBundle, pictures::elsewhereBundle};
    for (int set = 0; set < 4; ++set) {
        const QString root = latin(bundles[set].root);
        BundleWriter writer(output, QStringLiteral("keys/") + root, QStringLiteral("/"));
        QList<QImage> images;
        for (int n = 0; n < pictures::keyPicturesPerSet; ++n) {
            const QImage image = paintKeyPicture(pictures.keypadBody, n, keyPictureLooks[set]);
            writer.add(latin(pictures::keyPicturePrefix) + QString::number(n), image);
            images.append(image);
        }
        writer.writeQrc(root + QStringLiteral(".qrc"));
        pictures.keySets.append(images);
    }
}

void writeNamedBundle(const QDir& output, GeneratedPictures& pictures)
{
    const QImage& canvas = pictures.canvas;
    BundleWriter writer(output, QStringLiteral("named"), QStringLiteral("/"));
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
    const QString gifPath = writer.addFile(latin(pictures::learningAnimation), QStringLiteral("gif"));
    const QString error = writeAnimatedGif(gifPath, images, frames.first().delayCentiseconds);
    if (!error.isEmpty())
        fail(QStringLiteral("cannot write %1: %2").arg(gifPath, error));
    pictures.animationFrame = images.first();
    writer.writeQrc(QStringLiteral("bn1803.qrc"));
}

void writeFormPictures(const QDir& output, GeneratedPictures& pictures)
{
    const QImage& canvas = pictures.canvas;
    BundleWriter writer(output, QStringLiteral("forms"), QStringLiteral("/forms"));
    const auto add = [&](const QString& name, const QImage& image, bool jpeg = false) {
        writer.add(name, image, jpeg);
        pictures.forms.insert(name, image);
    };
    add(formName(pictures::form::splash), paintSplash(composeRemote(pictures)));
    add(formName(pictures::form::background), canvas.copy(QRect(QPoint(0, 0), window::backgroundSize)), true);
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
    for (const auto& tab : tabs) {
        const QString caption = Caption::tr(tab.caption);
        add(tabStem + latin(tab.name), paintAreaTab(canvas, tab.where, caption, false));
        add(tabStem + latin(tab.name) + current, paintAreaTab(canvas, tab.where, caption, true));
    }
    const QString powerStem = formName(pictures::form::powerKeyPrefix);
    for (const KeyDefinition& key : keypad)
        if (key.selectsArea >= 0)
            add(powerStem + QString::fromLatin1(key.code.data(), static_cast<qsizetype>(key.code.size())) +
                    current,
                paintCurrentPowerKey(pictures.keypadBody, key));
    writer.writeQrc(QStringLiteral("forms.qrc"));
}

void writeHelpPictures(const QDir& output, const GeneratedPictures& pictures)
{
    if (!output.mkpath(QStringLiteral("help")))
        fail(QStringLiteral("cannot create the help picture folder"));
    if (!composeLearningWindow(pictures).save(output.filePath(QStringLiteral("help/window.png")), "PNG") ||
        !composeKeyLooks(pictures).save(output.filePath(QStringLiteral("help/keylooks.png")), "PNG"))
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
    const QString error = writeThemeIcons(iconSvg, QDir(output.filePath(QStringLiteral("hicolor"))));
    if (!error.isEmpty())
        fail(error);
}

void generate(const QDir& output, const QString& iconSvg)
{
    if (!chineseFontAvailable())
        fail(QStringLiteral("no Chinese font: install fonts-wqy-zenhei"));
    GeneratedPictures pictures;
    pictures.canvas = paintWindowCanvas();
    pictures.keypadBody = paintKeypadBody(pictures.canvas);
    writeKeySets(output, pictures);
    writeNamedBundle(output, pictures);
    writeFormPictures(output, pictures);
    writeHelpPictures(output, pictures);
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
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <output folder> <icon.svg>\n", argv[0]);
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    if (!output.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    try {
        qmv::art::generate(output, QString::fromLocal8Bit(argv[2]));
    } catch (const qmv::art::GenerationError& error) {
        std::fprintf(stderr, "picture generator: %s\n", error.what());
        return 1;
    }
    return 0;
}
