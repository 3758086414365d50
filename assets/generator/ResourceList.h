#pragma once

#include <QList>
#include <QString>

namespace qmv::art {

// The files of one Qt resource bundle and the names they are found by, written out as a .qrc file
// for rcc. File paths are relative to the folder of the .qrc file. A list for a language ("en") is
// tagged with it: at run time its files stand in for the untagged ones of the same names while
// that language is the default locale's.
class ResourceList
{
public:
    explicit ResourceList(QString prefix, QString language = {});

    void add(const QString& alias, const QString& file);
    // Returns an error description, empty on success.
    QString writeQrc(const QString& path) const;

private:
    struct Entry
    {
        QString alias;
        QString file;
    };
    QString prefix_;
    QString language_;
    QList<Entry> entries_;
};

} // namespace qmv::art
