#include "LibraryInstaller.h"

#include "UpdateListFetch.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace qmv {

namespace {

// Copies `source` to `target` through a temporary beside the target, keeping the target's
// permissions; the target is either the old file or the whole new one.
bool replaceWithCopy(const QString& source, const QString& target, QString* error)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = source + QStringLiteral(": ") + in.errorString();
        return false;
    }
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) {
        *error = target + QStringLiteral(": ") + out.errorString();
        return false;
    }
    const QFileDevice::Permissions permissions = QFile::permissions(target);
    while (!in.atEnd()) {
        const QByteArray block = in.read(64 * 1024);
        if (block.isEmpty() || out.write(block) != block.size()) {
            *error = in.error() != QFileDevice::NoError ? source + QStringLiteral(": ") + in.errorString()
                                                        : target + QStringLiteral(": ") + out.errorString();
            out.cancelWriting();
            return false;
        }
    }
    if (permissions != QFileDevice::Permissions())
        out.setPermissions(permissions);
    if (!out.commit()) {
        *error = target + QStringLiteral(": ") + out.errorString();
        return false;
    }
    return true;
}

} // namespace

LibraryInstaller::LibraryInstaller(const QString& folder)
    : m_folder(folder)
{
}

QString LibraryInstaller::backupFolder(const QString& folder)
{
    return QDir(UpdateListFetch::updateFolder(folder)).filePath(QStringLiteral("backup"));
}

QString LibraryInstaller::backupPath(const QString& folder, const QString& fileName)
{
    return QDir(backupFolder(folder)).filePath(fileName);
}

QString LibraryInstaller::rejectedPath(const QString& download)
{
    return download + QStringLiteral(".rejected");
}

bool LibraryInstaller::install(const QString& source, const QString& fileName, bool backUpInstalled,
                               QString* error) const
{
    const QString installed = QDir(m_folder).filePath(fileName);
    if (backUpInstalled && QFile::exists(installed)) {
        if (!QDir().mkpath(backupFolder(m_folder))) {
            *error = backupFolder(m_folder);
            return false;
        }
        if (!replaceWithCopy(installed, backupPath(m_folder, fileName), error))
            return false;
    }
    return replaceWithCopy(source, installed, error);
}

QString LibraryInstaller::reject(const QString& download)
{
    QString rejected = rejectedPath(download);
    QFile::remove(rejected);
    if (QFile::rename(download, rejected))
        return rejected;
    QFile::remove(download);
    return {};
}

} // namespace qmv
