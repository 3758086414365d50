#pragma once

#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QLocale>
#include <QString>
#include <QtGlobal>

#include <gtest/gtest.h>

// Where the build put the program's run-time files.
inline QString binDir()
{
    const QByteArray dir = qgetenv("QMV718_BIN_DIR");
    EXPECT_FALSE(dir.isEmpty()) << "QMV718_BIN_DIR is not set";
    return QString::fromLocal8Bit(dir);
}

// The picture a resource path gives while `language` is the default locale's, as the program
// finds it once it has chosen its language.
inline QImage pictureIn(QLocale::Language language, const QString& path)
{
    const QLocale before;
    QLocale::setDefault(QLocale(language));
    const QImage image = QImageReader(path).read().convertToFormat(QImage::Format_ARGB32);
    QLocale::setDefault(before);
    return image;
}

// Checks that `path` gives an English picture of the Chinese one's size that differs from it.
inline void expectEnglishPicture(const QString& path)
{
    const QImage chinese = pictureIn(QLocale::Chinese, path);
    const QImage english = pictureIn(QLocale::English, path);
    ASSERT_FALSE(chinese.isNull()) << path.toStdString();
    ASSERT_FALSE(english.isNull()) << path.toStdString();
    EXPECT_EQ(english.size(), chinese.size()) << path.toStdString();
    EXPECT_NE(english, chinese) << path.toStdString() << " has no English words";
}
