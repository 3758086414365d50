#pragma once

#include <QList>
#include <QString>

namespace qmv::art {

// The files of one Qt resource bundle and the names they are found by, written out as a .qrc file
// for rcc. File paths are relative to the folder of the .qrc file. A file listed for a language
// ("en") stands in, while that language is the default locale's, for the file of the same name
// listed without one.
class ResourceList
{
public:
    explicit ResourceList(QString prefix);

    void add(const QString& alias, const QString& file, const QString& language = {});
    // Returns an error description, empty on success.
    QString writeQrc(const QString& path) const;

private:
    struct Entry
    {
        QString alias;
        QString file;
        QString language;
    };
    QString prefix_;
    QList<Entry> entries_;
};

} // namespace qmv::art
