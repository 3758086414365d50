#include "LibraryInstaller.h"

#include "UpdateListFetch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <filesystem>

namespace qmv {

namespace {

QString failedAt(const QFileDevice& file)
{
    return file.fileName() + QStringLiteral(": ") + file.errorString();
}

bool writeBlock(QFileDevice& file, const QByteArray& block)
{
    return file.write(block) == block.size();
}

// Renames `from` over `to`, replacing it in one step.
bool renameOver(const QString& from, const QString& to, QString* error)
{
    std::error_code failure;
    std::filesystem::rename(from.toStdU16String(), to.toStdU16String(), failure);
    if (failure)
        *error = to + QStringLiteral(": ") + QString::fromLocal8Bit(failure.message().c_str());
    return !failure;
}

} // namespace

LibraryInstaller::LibraryInstaller(const QString& folder, BlockWriter writer)
    : m_folder(folder)
    , m_write(writer ? std::move(writer) : BlockWriter(writeBlock))
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

bool LibraryInstaller::copyInto(const QString& source, QFileDevice& out, QString* error) const
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = failedAt(in);
        return false;
    }
    while (!in.atEnd()) {
        const QByteArray block = in.read(64 * 1024);
        if (block.isEmpty()) {
            *error = failedAt(in);
            return false;
        }
        if (!m_write(out, block)) {
            *error = failedAt(out);
            return false;
        }
    }
    if (!out.flush()) {
        *error = failedAt(out);
        return false;
    }
    return true;
}

// The target is either the old file or the whole new one, with the old one's permissions.
bool LibraryInstaller::replaceWithCopy(const QString& source, const QString& target, QString* error) const
{
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) {
        *error = failedAt(out);
        return false;
    }
    const QFileDevice::Permissions permissions = QFile::permissions(target);
    if (!copyInto(source, out, error)) {
        out.cancelWriting();
        return false;
    }
    if (permissions != QFileDevice::Permissions())
        out.setPermissions(permissions);
    if (!out.commit()) {
        *error = failedAt(out);
        return false;
    }
    return true;
}

bool LibraryInstaller::install(const QString& source, const QString& fileName, bool backUpInstalled,
                               QString* error) const
{
    const QString installed = QDir(m_folder).filePath(fileName);
    if (!backUpInstalled || !QFile::exists(installed))
        return replaceWithCopy(source, installed, error);

    if (!QDir().mkpath(backupFolder(m_folder))) {
        *error = backupFolder(m_folder);
        return false;
    }
    // The library about to be replaced, written whole beside the old backup first. The temporary
    // file keeps its handle open until it is destroyed, and Windows renames no open file, so the
    // copy is closed before anything is renamed.
    QString oldCopy;
    {
        QTemporaryFile backup(backupPath(m_folder, fileName) + QStringLiteral(".XXXXXX"));
        if (!backup.open()) {
            *error = failedAt(backup);
            return false;
        }
        if (!copyInto(installed, backup, error))
            return false;
        backup.setAutoRemove(false);
        oldCopy = backup.fileName();
    }
    const bool replaced = replaceWithCopy(source, installed, error);
    if (replaced && renameOver(oldCopy, backupPath(m_folder, fileName), error))
        return true;
    // The new library is in, but the old one could not become the backup: put the old one back,
    // so the update is all or nothing.
    if (replaced) {
        QString restoreError;
        replaceWithCopy(oldCopy, installed, &restoreError);
    }
    QFile::remove(oldCopy);
    return false;
}

QString LibraryInstaller::reject(const QString& download)
{
    QString rejected = rejectedPath(download);
    QFile::remove(rejected);
    if (QFile::rename(download, rejected) &&
        (QFileInfo(rejected).size() <= maxRejectedBytes || QFile::resize(rejected, maxRejectedBytes)))
        return rejected;
    QFile::remove(download);
    QFile::remove(rejected);
    return {};
}

} // namespace qmv
