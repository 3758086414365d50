#pragma once

#include <QString>

namespace qmv {

// Puts a checked download in place of an installed library without ever writing into the
// installed file: the new content is written beside it and renamed over it, so a program that
// has the old library mapped keeps running on it and no half-written library can be loaded.
// The replaced library is kept in the update folder's "backup" folder.
class LibraryInstaller
{
public:
    explicit LibraryInstaller(const QString& folder);

    static QString backupFolder(const QString& folder);

    // Installs `download` as `fileName` in the program's folder. On failure the installed library
    // is as it was and `error` says why.
    bool install(const QString& download, const QString& fileName, QString* error) const;

private:
    bool backUp(const QString& installed, const QString& fileName, QString* error) const;

    QString m_folder;
};

} // namespace qmv
