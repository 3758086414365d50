#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace qmv::testing {

inline const QStringList bundleFiles{"on1803.dll", "sn1803.dll", "fn1803.dll", "bn1803.dll", "dn1803.dll"};

// A program folder holding the complete test bundles, with named files replaced by the ones of
// another variant ("short": a key set one picture short; "still": no animation) or left out.
class BundleFolder
{
public:
    BundleFolder() { EXPECT_TRUE(m_dir.isValid()); }

    QString path() const { return m_dir.path() + u'/'; }

    BundleFolder& withComplete()
    {
        for (const QString& file : bundleFiles)
            copy(QStringLiteral("complete"), file);
        return *this;
    }
    BundleFolder& replacedBy(const QString& variant, const QString& file)
    {
        QFile::remove(m_dir.filePath(file));
        copy(variant, file);
        return *this;
    }
    BundleFolder& without(const QString& file)
    {
        EXPECT_TRUE(QFile::remove(m_dir.filePath(file)));
        return *this;
    }
    BundleFolder& withFile(const QString& name, const QByteArray& content = "text")
    {
        QFile file(m_dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_EQ(file.write(content), content.size());
        return *this;
    }

private:
    void copy(const QString& variant, const QString& file)
    {
        const QString source = QStringLiteral(QMV718_TEST_BUNDLES "/") + variant + u'/' + file;
        EXPECT_TRUE(QFile::copy(source, m_dir.filePath(file))) << source.toStdString();
    }

    QTemporaryDir m_dir;
};

} // namespace qmv::testing
