#include "FolderAccess.h"

#include "UpdateListFetch.h"
#include "UpdateTexts.h"

#include <QDir>
#include <QTemporaryFile>

namespace qmv {

namespace {

// Asking the file system for permissions is not enough (access lists, read-only mounts): the only
// sure answer is to create a file.
bool canCreateIn(const QString& folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".qmv718-write-XXXXXX")));
    return probe.open();
}

} // namespace

Failure checkFolderWritable(const QString& folder)
{
    if (!canCreateIn(folder))
        return {UpdateFailure::NotWritable, QDir(folder).absolutePath()};
    const QString updates = UpdateListFetch::updateFolder(folder);
    if (!QDir().mkpath(updates) || !canCreateIn(updates))
        return {UpdateFailure::NotWritable, QDir(updates).absolutePath()};
    return {};
}

QString folderNotWritableMessage(const Failure& failure)
{
    return QString::fromStdString(updatetext::shown(updatetext::folderNotWritable)).arg(failure.detail);
}

} // namespace qmv
