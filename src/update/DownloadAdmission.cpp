#include "DownloadAdmission.h"

#include "LibraryName.h"
#include "UpdateFileKind.h"
#include "UpdateListFetch.h"
#include "UpdateTexts.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <optional>

namespace qmv {

namespace {

// For the file system's own records and the files written beside the update's.
constexpr qint64 margin = 1024 * 1024;

QString text(const char* source)
{
    return QString::fromStdString(updatetext::shown(source));
}

} // namespace

qint64 freeSpaceOf(const QString& path)
{
    // A folder the update has yet to create lies on the file system of its nearest existing parent.
    QString existing = QDir::cleanPath(QDir(path).absolutePath());
    while (!QFileInfo::exists(existing) && QFileInfo(existing).path() != existing)
        existing = QFileInfo(existing).path();
    const QStorageInfo storage(existing);
    return storage.isValid() ? storage.bytesAvailable() : 0;
}

Failure admitDownload(const QString& folder, const QString& name, qint64 announced,
                      const FreeSpace& freeSpace)
{
    const QString fileName = libraryFileName(name);
    const std::optional<UpdateFileKind> kind = updateFileKind(fileName);
    if (!kind)
        return {UpdateFailure::RefusedName, text(updatetext::notUsedByProgram).arg(fileName)};
    if (announced <= 0)
        return {UpdateFailure::WrongSize, text(updatetext::sizeAnnouncedZero)};
    const qint64 limit = maxUpdateFileBytes(*kind);
    if (announced > limit)
        return {UpdateFailure::WrongSize, text(updatetext::sizeAboveLimit).arg(announced).arg(limit)};

    const qint64 installed = QFileInfo(QDir(folder).filePath(fileName)).size();
    const qint64 needed = 2 * announced + installed + margin;
    for (const QString& where : {UpdateListFetch::updateFolder(folder), folder}) {
        const qint64 available = freeSpace(where);
        if (available < needed)
            return {UpdateFailure::NoSpace, text(updatetext::spaceNeeded)
                                                .arg(needed)
                                                .arg(QDir::toNativeSeparators(where))
                                                .arg(available)};
    }
    return {};
}

} // namespace qmv
