#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

namespace qmv::testing {

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

inline QString testData(const QString& relative)
{
    return QString::fromLocal8Bit(qgetenv("QMV718_TEST_DATA")) + QLatin1Char('/') + relative;
}

// Real files of every kind the update installs, built with the project. A "version" differs from
// the build in its bytes and still loads: the loader ignores what follows the library's image.
inline QByteArray linkLibrary(int version = 1)
{
    return fileBytes(QStringLiteral(QMV718_LINK_LIBRARY)) + "\n-- test version " +
           QByteArray::number(version);
}

inline QByteArray converterLibrary(int version = 1)
{
    return fileBytes(QStringLiteral(QMV718_CONVERTER_LIBRARY)) + "\n-- test version " +
           QByteArray::number(version);
}

// A bundle of all 168 key pictures, and one that lacks the last.
inline QByteArray keyBundle()
{
    return fileBytes(QStringLiteral(QMV718_KEY_BUNDLE));
}

inline QByteArray shortKeyBundle()
{
    return fileBytes(QStringLiteral(QMV718_SHORT_KEY_BUNDLE));
}

inline QByteArray animationGif()
{
    return fileBytes(testData(QStringLiteral("app/animation.gif")));
}

} // namespace qmv::testing
