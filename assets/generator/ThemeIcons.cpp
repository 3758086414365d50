#include "ThemeIcons.h"

#include <QBuffer>
#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>

namespace qmv::art {

namespace {

// Replaces `target` with a copy of `source`; QFile::copy refuses to overwrite.
bool replaceWithCopy(const QString& source, const QString& target)
{
    QFile::remove(target);
    return QFile::copy(source, target);
}

QImage render(QSvgRenderer& renderer, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, size, size));
    return image;
}

} // namespace

QString writeThemeIcons(const QString& svgFile, const QDir& theme)
{
    QSvgRenderer renderer(svgFile);
    if (!renderer.isValid())
        return QStringLiteral("%1 is not a readable SVG picture").arg(svgFile);
    const QString name = QFileInfo(svgFile).completeBaseName();

    const QString scalable = QStringLiteral("scalable/apps");
    const QString scalableFile = theme.filePath(scalable + QLatin1Char('/') + name + QStringLiteral(".svg"));
    if (!theme.mkpath(scalable) || !replaceWithCopy(svgFile, scalableFile))
        return QStringLiteral("cannot write %1").arg(scalableFile);

    for (const int size : themeIconSizes) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        const QImage image = render(renderer, size);
        const QString file = theme.filePath(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
        if (!theme.mkpath(folder) || !image.save(file, "PNG"))
            return QStringLiteral("cannot write %1").arg(file);
    }
    return {};
}

QString writeWindowsIcon(const QString& svgFile, const QString& icoFile)
{
    QSvgRenderer renderer(svgFile);
    if (!renderer.isValid())
        return QStringLiteral("%1 is not a readable SVG picture").arg(svgFile);
    constexpr int sizes[] = {16, 24, 32, 48, 64, 256};
    QList<QByteArray> pngs;
    for (const int size : sizes) {
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        if (!render(renderer, size).save(&png, "PNG"))
            return QStringLiteral("cannot render the icon at %1 pixels").arg(size);
        pngs.append(png.data());
    }

    // The icon directory, then one 16-byte entry for each image, then the images.
    QByteArray ico;
    QDataStream out(&ico, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    constexpr int directorySize = 6;
    constexpr int entrySize = 16;
    out << quint16(0) << quint16(1) << quint16(pngs.size());
    quint32 offset = directorySize + entrySize * static_cast<quint32>(pngs.size());
    for (qsizetype i = 0; i < pngs.size(); ++i) {
        const auto side = static_cast<quint8>(sizes[i] >= 256 ? 0 : sizes[i]); // 0 stands for 256
        out << side << side << quint8(0) << quint8(0) << quint16(1) << quint16(32)
            << static_cast<quint32>(pngs[i].size()) << offset;
        offset += static_cast<quint32>(pngs[i].size());
    }
    for (const QByteArray& png : pngs)
        out.writeRawData(png.constData(), static_cast<int>(png.size()));

    QSaveFile file(icoFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(ico) != ico.size() || !file.commit())
        return QStringLiteral("cannot write %1").arg(icoFile);
    return {};
}

} // namespace qmv::art
