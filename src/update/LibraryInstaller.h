#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QFileDevice;

namespace qmv {

// Puts a checked file in place of an installed library without ever writing into the installed
// file: the new content is written beside it and renamed over it, so a program that has the old
// library mapped keeps running on it and no half-written library can be loaded. The update
// folder's "backup" folder holds the last good copy of each library. The copy that is to become
// the backup is written first, but it replaces the old backup only once the new library is in
// place: a failed write (a full disk) leaves the library and its backup as they were.
class LibraryInstaller
{
public:
    // Writes one block into a file being written, true when all of it was written. The default
    // writes it; a test puts a full disk in its place.
    using BlockWriter = std::function<bool(QFileDevice& file, const QByteArray& block)>;

    // A rejected download is kept only this far: enough to see what the server sent.
    static constexpr qint64 maxRejectedBytes = 256 * 1024;

    explicit LibraryInstaller(const QString& folder, BlockWriter writer = {});

    static QString backupFolder(const QString& folder);
    static QString backupPath(const QString& folder, const QString& fileName);
    // Where a download that failed its checks is kept, so it can be looked at.
    static QString rejectedPath(const QString& download);

    // Installs `source` as `fileName` in the program's folder. With `backUpInstalled` the library
    // it replaces becomes the backup; without, the backup stays as it is. On failure the installed
    // library and the backup are as they were and `error` says why.
    bool install(const QString& source, const QString& fileName, bool backUpInstalled, QString* error) const;

    // Moves a failed download to its rejected name, replacing an older one, and cuts it to
    // `maxRejectedBytes`; returns that name, or an empty text when the download could not be
    // kept (it is then removed, if it can be).
    static QString reject(const QString& download);

private:
    bool copyInto(const QString& source, QFileDevice& out, QString* error) const;
    bool replaceWithCopy(const QString& source, const QString& target, QString* error) const;

    QString m_folder;
    BlockWriter m_write;
};

} // namespace qmv
