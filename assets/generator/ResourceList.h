#pragma once

#include <QList>
#include <QString>

namespace qmv::art {

// The files of one Qt resource bundle and the names they are found by, written out as a .qrc file
// for rcc. File paths are relative to the folder of the .qrc file.
class ResourceList
{
public:
    explicit ResourceList(QString prefix);

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
    QList<Entry> entries_;
};

} // namespace qmv::art
