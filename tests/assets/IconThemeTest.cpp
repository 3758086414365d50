#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QSet>

#include <gtest/gtest.h>

// The program's icon as the build lays it out for the desktop's icon theme: the SVG as the
// scalable icon and renderings of it at the usual sizes.
namespace {

QDir iconTheme()
{
    return QDir(QStringLiteral(QMV718_ICON_THEME));
}

QString iconName()
{
    return QStringLiteral(QMV718_APP_ID);
}

TEST(IconTheme, HoldsTheScalableIconAndTheUsualSizes)
{
    const QDir theme = iconTheme();
    const QFileInfo svg(
        theme.filePath(QStringLiteral("scalable/apps/") + iconName() + QStringLiteral(".svg")));
    EXPECT_TRUE(svg.isFile()) << svg.filePath().toStdString();
    EXPECT_GT(svg.size(), 0);

    const QStringList folders = theme.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        EXPECT_TRUE(folders.contains(QStringLiteral("%1x%1").arg(size))) << size;
}

TEST(IconTheme, EveryRenderingHasItsFolderSizeAndShowsThePicture)
{
    const QDir theme = iconTheme();
    int renderings = 0;
    for (const QString& folder : theme.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (folder == QLatin1String("scalable"))
            continue;
        SCOPED_TRACE(folder.toStdString());
        const int size = folder.section(QLatin1Char('x'), 0, 0).toInt();
        ASSERT_EQ(folder, QStringLiteral("%1x%1").arg(size));
        const QImage icon(
            theme.filePath(folder + QStringLiteral("/apps/") + iconName() + QStringLiteral(".png")));
        ASSERT_FALSE(icon.isNull());
        EXPECT_EQ(icon.size(), QSize(size, size));
        // The tile's rounded corners stay transparent; the remote in the middle is opaque.
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255);
        // A drawing, not a flat fill: the tile, the remote and its keys differ in colour.
        QSet<QRgb> colours;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                colours.insert(icon.pixel(x, y));
        EXPECT_GT(colours.size(), 8);
        ++renderings;
    }
    EXPECT_GE(renderings, 5);
}

} // namespace
