#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace qmv::testing {

// A scratch program folder with libraries of chosen content and file time.
class ProgramFolder
{
public:
    ProgramFolder() { QDir(m_root.path()).mkdir(QStringLiteral("program")); }

    QString path() const { return QDir(m_root.path()).filePath(QStringLiteral("program")); }
    QString file(const QString& relative) const { return QDir(path()).filePath(relative); }

    void put(const QString& relative, const QByteArray& content, const QDateTime& modified = {}) const
    {
        QDir().mkpath(QFileInfo(file(relative)).path());
        QFile out(file(relative));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(out.write(content), content.size());
        // Flushed first, or the buffered write lands after the time is set and moves it.
        ASSERT_TRUE(out.flush());
        if (modified.isValid()) {
            ASSERT_TRUE(out.setFileTime(modified, QFileDevice::FileModificationTime));
        }
    }

    QByteArray read(const QString& relative) const
    {
        QFile in(file(relative));
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

    bool exists(const QString& relative) const { return QFile::exists(file(relative)); }

    // Everything in the scratch area outside the program's folder: where an escaping library name
    // would have written.
    QStringList outside() const
    {
        QStringList names = QDir(m_root.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        names.removeAll(QStringLiteral("program"));
        return names;
    }

private:
    QTemporaryDir m_root;
};

// Content that differs in every byte position, so a short or shuffled copy is noticed.
inline QByteArray libraryBytes(int size, char seed)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 31 + seed) & 0xff);
    return bytes;
}

// The time the tests' update list gives its libraries: "2026/12/8 10:00:00".
inline QDateTime listedTime()
{
    return QDateTime(QDate(2026, 12, 8), QTime(10, 0, 0));
}

} // namespace qmv::testing
