#pragma once

#include <QString>

namespace qmv {

// Puts a checked file in place of an installed library without ever writing into the installed
// file: the new content is written beside it and renamed over it, so a program that has the old
// library mapped keeps running on it and no half-written library can be loaded. The update
// folder's "backup" folder holds the last good copy of each library; it is only ever replaced by
// a copy that was checked, the same way, so a failed write leaves the old backup whole.
class LibraryInstaller
{
public:
    explicit LibraryInstaller(const QString& folder);

    static QString backupFolder(const QString& folder);
    static QString backupPath(const QString& folder, const QString& fileName);
    // Where a download that failed its checks is kept, so it can be looked at.
    static QString rejectedPath(const QString& download);

    // Installs `source` as `fileName` in the program's folder. With `backUpInstalled` the library
    // it replaces becomes the backup; without, the backup stays as it is. On failure the installed
    // library is as it was and `error` says why.
    bool install(const QString& source, const QString& fileName, bool backUpInstalled, QString* error) const;

    // Moves a failed download to its rejected name, replacing an older one; returns that name, or
    // an empty text when the download could not be moved (it is then removed, if it can be).
    static QString reject(const QString& download);

private:
    QString m_folder;
};

} // namespace qmv
