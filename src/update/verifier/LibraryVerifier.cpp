#include "LibraryVerifier.h"

#include "ConverterLibrary.h"
#include "LibraryImage.h"
#include "LinkFunctions.h"
#include "PictureNames.h"
#include "ResourceBundle.h"
#include "UpdateFileKind.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QResource>
#include <QStringList>

#include <vector>

namespace qmv {

namespace {

QString verifyExports(const QByteArray& bytes, const std::vector<const char*>& functions)
{
    const LibraryImage image = readLibraryImage(bytes);
    if (!image.refusal.isEmpty())
        return image.refusal;
    if (image.format != nativeLibraryFormat())
        return QCoreApplication::translate("qmv::LibraryVerifier", "不是本系统的库：%1")
            .arg(image.format == LibraryFormat::Pe ? QLatin1String("PE") : QLatin1String("ELF"));
    if (!image.nativeMachine)
        return QCoreApplication::translate("qmv::LibraryVerifier", "不是本系统的库：%1")
            .arg(QStringLiteral("%1-bit").arg(image.wordBits));
    for (const char* function : functions) {
        if (image.exports.count(QByteArray(function)) == 0)
            return QCoreApplication::translate("qmv::LibraryVerifier", "缺少函数 %1")
                .arg(QLatin1String(function));
    }
    return {};
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

// Every picture the program takes from the bundle is there, and every file in it decodes. The
// structure is read first, so registering the bytes with the resource system reads nothing beyond
// them.
QString verifyBundle(const QByteArray& bytes, const QStringList& required)
{
    const ResourceBundle bundle = readResourceBundle(bytes);
    if (!bundle.refusal.isEmpty())
        return bundle.refusal;
    for (const QString& picture : required) {
        if (!bundle.files.contains(picture))
            return QCoreApplication::translate("qmv::LibraryVerifier", "缺少图片 %1").arg(picture);
    }
    const QString root = QStringLiteral("/candidate");
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    if (!QResource::registerResource(data, root))
        return QCoreApplication::translate("qmv::LibraryVerifier", "不是资源包");
    QString undecodable;
    for (const QString& file : bundle.files) {
        QImageReader reader(QStringLiteral(":") + root + u'/' + file);
        reader.setDecideFormatFromContent(true);
        if (reader.read().isNull()) {
            undecodable = file;
            break;
        }
    }
    QResource::unregisterResource(data, root);
    return undecodable.isEmpty()
               ? QString()
               : QCoreApplication::translate("qmv::LibraryVerifier", "图片无法解码：%1").arg(undecodable);
}

QString verifyAnimation(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    if (reader.format() != "gif" || reader.read().isNull())
        return QCoreApplication::translate("qmv::LibraryVerifier", "不是 GIF 动画");
    return {};
}

} // namespace

QString verifyLibrary(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const std::optional<UpdateFileKind> kind = updateFileKind(name);
    if (!kind)
        return QCoreApplication::translate("qmv::LibraryVerifier", "%1 不是本程序使用的文件").arg(name);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    const qint64 limit = maxUpdateFileBytes(*kind);
    if (file.size() > limit)
        return QCoreApplication::translate("qmv::LibraryVerifier", "文件超过 %1 字节").arg(limit);
    const QByteArray bytes = file.read(limit);
    if (bytes.isEmpty())
        return QCoreApplication::translate("qmv::LibraryVerifier", "空文件");
    switch (*kind) {
    case UpdateFileKind::LinkLibrary:
        return verifyExports(bytes, {linkname::all.begin(), linkname::all.end()});
    case UpdateFileKind::Converter:
        return verifyExports(bytes, {ConverterLibrary::functionName});
    case UpdateFileKind::KeyBundle:
        return verifyBundle(bytes, keyPictures());
    case UpdateFileKind::NamedBundle:
        return verifyBundle(bytes, namedPictures());
    case UpdateFileKind::Animation:
        return verifyAnimation(bytes);
    }
    return {};
}

} // namespace qmv
