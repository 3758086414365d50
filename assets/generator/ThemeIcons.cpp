#include "ThemeIcons.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

namespace qmv::art {

namespace {

// Replaces `target` with a copy of `source`; QFile::copy refuses to overwrite.
bool replaceWithCopy(const QString& source, const QString& target)
{
    QFile::remove(target);
    return QFile::copy(source, target);
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
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            renderer.render(&painter, QRectF(0, 0, size, size));
        }
        const QString file = theme.filePath(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
        if (!theme.mkpath(folder) || !image.save(file, "PNG"))
            return QStringLiteral("cannot write %1").arg(file);
    }
    return {};
}

} // namespace qmv::art
