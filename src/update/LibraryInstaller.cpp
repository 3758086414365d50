#include "LibraryInstaller.h"

#include "UpdateListFetch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>
#include <QUuid>

#include <filesystem>
#include <optional>

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

#if defined(_WIN32)
// Windows replaces no file that a running program has mapped (the running program's own link
// library) but lets it be renamed. Such a file moves aside into the update folder before the new
// one takes its name, and goes at a later install, once nothing holds it any more.
QString setAsideFolder(const QString& folder)
{
    return QDir(UpdateListFetch::updateFolder(folder)).filePath(QStringLiteral("replaced"));
}

void removeSetAside(const QString& folder)
{
    const QDir setAside(setAsideFolder(folder));
    for (const QString& file : setAside.entryList(QDir::Files))
        QFile::remove(setAside.filePath(file)); // one still mapped stays until a later install
}

// Moves `target` aside; returns where it went, an empty text when there was no target, or nothing
// when it could not be moved.
std::optional<QString> setAside(const QString& folder, const QString& target, QString* error)
{
    if (!QFile::exists(target))
        return QString();
    const QString asideFolder = setAsideFolder(folder);
    if (!QDir().mkpath(asideFolder)) {
        *error = asideFolder;
        return std::nullopt;
    }
    const QString aside =
        QDir(asideFolder)
            .filePath(QFileInfo(target).fileName() + u'.' + QUuid::createUuid().toString(QUuid::Id128));
    if (!renameOver(target, aside, error))
        return std::nullopt;
    return aside;
}
#endif

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
#if defined(_WIN32)
    const std::optional<QString> aside = setAside(m_folder, target, error);
    if (!aside) {
        out.cancelWriting();
        return false;
    }
#endif
    if (!out.commit()) {
        *error = failedAt(out);
#if defined(_WIN32)
        QString restoreError;
        if (!aside->isEmpty())
            renameOver(*aside, target, &restoreError);
#endif
        return false;
    }
    return true;
}

bool LibraryInstaller::install(const QString& source, const QString& fileName, bool backUpInstalled,
                               QString* error) const
{
    const QString installed = QDir(m_folder).filePath(fileName);
#if defined(_WIN32)
    removeSetAside(m_folder);
#endif
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
