#include "LibraryVerifier.h"

#include "CodeConverter.h"
#include "LinkLibrary.h"
#include "PictureNames.h"
#include "SharedLibrary.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QResource>
#include <QStringList>

#include <array>

namespace qmv {

namespace {

// The animation the update wizard has always been shipped with.
constexpr const char* wizardAnimation = "ykqtupian44.dll";
constexpr const char* converterFunction = "ConvertCode";

QString folderOf(const QString& path)
{
    return QFileInfo(path).absolutePath() + QLatin1Char('/');
}

QString verifyLink(const QString& path)
{
    std::string error;
    return LinkLibrary::load(folderOf(path).toStdString(), &error) ? QString()
                                                                   : QString::fromStdString(error);
}

QString verifyConverter(const QString& path)
{
    std::string error;
    const auto library = SharedLibrary::open(path.toStdString(), &error);
    if (!library)
        return QString::fromStdString(error);
    if (!library->symbol(converterFunction))
        return QCoreApplication::translate("qmv::LibraryVerifier", "缺少函数 %1")
            .arg(QLatin1String(converterFunction));
    return {};
}

QString verifyBundle(const QString& path, const QStringList& pictures)
{
    const QString root = QStringLiteral("/candidate");
    if (!QResource::registerResource(path, root))
        return QCoreApplication::translate("qmv::LibraryVerifier", "不是资源包");
    QString missing;
    for (const QString& picture : pictures) {
        if (QImage(QStringLiteral(":") + root + QLatin1Char('/') + picture).isNull()) {
            missing = picture;
            break;
        }
    }
    QResource::unregisterResource(path, root);
    return missing.isEmpty()
               ? QString()
               : QCoreApplication::translate("qmv::LibraryVerifier", "缺少图片 %1").arg(missing);
}

QStringList keyPictures()
{
    QStringList names;
    for (int n = 0; n < pictures::keyPicturesPerSet; ++n)
        names << QString::fromLatin1(pictures::keyPicturePrefix) + QString::number(n);
    return names;
}

QStringList namedPictures()
{
    using namespace pictures;
    QStringList names;
    for (const char* name : {idleHint, learningHint, deleteButton, deleteButtonGrey, stopDeleteButton,
                             clearButton, clearButtonGrey})
        names << QString::fromLatin1(name);
    return names;
}

QString verifyAnimation(const QString& path)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    if (reader.format() != "gif" || reader.read().isNull())
        return QCoreApplication::translate("qmv::LibraryVerifier", "不是 GIF 动画");
    return {};
}

} // namespace

QString verifyLibrary(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    if (QFileInfo(path).size() <= 0)
        return QCoreApplication::translate("qmv::LibraryVerifier", "空文件");
    if (name == QLatin1String(LinkLibrary::fileName))
        return verifyLink(path);
    if (name == QLatin1String(CodeConverter::fileName))
        return verifyConverter(path);
    if (name == QLatin1String(wizardAnimation))
        return verifyAnimation(path);
    using namespace pictures;
    const std::array keyBundles{notLearnedBundle, learnedBundle, learningBundle, elsewhereBundle};
    for (const Bundle& bundle : keyBundles) {
        if (name == QLatin1String(bundle.fileName))
            return verifyBundle(path, keyPictures());
    }
    if (name == QLatin1String(namedBundle.fileName))
        return verifyBundle(path, namedPictures());
    return QCoreApplication::translate("qmv::LibraryVerifier", "%1 不是本程序使用的文件").arg(name);
}

} // namespace qmv
