#include "LibraryInstaller.h"

#include "UpdateListFetch.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace qmv {

LibraryInstaller::LibraryInstaller(const QString& folder)
    : m_folder(folder)
{
}

QString LibraryInstaller::backupFolder(const QString& folder)
{
    return QDir(UpdateListFetch::updateFolder(folder)).filePath(QStringLiteral("backup"));
}

bool LibraryInstaller::install(const QString& download, const QString& fileName, QString* error) const
{
    const QString installed = QDir(m_folder).filePath(fileName);
    if (QFile::exists(installed) && !backUp(installed, fileName, error))
        return false;

    QFile source(download);
    if (!source.open(QIODevice::ReadOnly)) {
        *error = source.errorString();
        return false;
    }
    QSaveFile target(installed);
    if (!target.open(QIODevice::WriteOnly)) {
        *error = target.errorString();
        return false;
    }
    const QFileDevice::Permissions permissions = QFile::permissions(installed);
    while (!source.atEnd()) {
        const QByteArray block = source.read(64 * 1024);
        if (block.isEmpty() || target.write(block) != block.size()) {
            *error = source.error() != QFileDevice::NoError ? source.errorString() : target.errorString();
            target.cancelWriting();
            return false;
        }
    }
    if (permissions != QFileDevice::Permissions())
        target.setPermissions(permissions);
    if (!target.commit()) {
        *error = target.errorString();
        return false;
    }
    return true;
}

bool LibraryInstaller::backUp(const QString& installed, const QString& fileName, QString* error) const
{
    const QString folder = backupFolder(m_folder);
    const QString backup = QDir(folder).filePath(fileName);
    if (!QDir().mkpath(folder) || (QFile::exists(backup) && !QFile::remove(backup)) ||
        !QFile::copy(installed, backup)) {
        *error = QStringLiteral("cannot keep a copy of %1 in %2").arg(installed, folder);
        return false;
    }
    return true;
}

} // namespace qmv
