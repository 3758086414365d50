#pragma once

#include <QByteArray>
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
