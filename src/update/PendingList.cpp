#include "PendingList.h"

#include "LibraryName.h"
#include "ListDateTime.h"
#include "UpdateTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace qmv {

namespace {

// The file's date as a library's date is kept: local time in steps of two seconds, an odd second
// counting as the even one before it.
std::optional<QDateTime> installedTime(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QDateTime time = file.fileTime(QFileDevice::FileModificationTime).toLocalTime();
    const QTime exact = time.time();
    time.setTime(QTime(exact.hour(), exact.minute(), exact.second() - exact.second() % 2));
    return time;
}

std::optional<qint64> wholeNumber(const QString& text)
{
    bool isNumber = false;
    const qint64 value = text.trimmed().toLongLong(&isNumber);
    if (!isNumber || value < 0)
        return std::nullopt;
    return value;
}

} // namespace

bool PendingListResult::hasDownloads() const
{
    return std::any_of(libraries.begin(), libraries.end(),
                       [](const PendingLibrary& library) { return !library.refused; });
}

PendingListResult findPendingLibraries(const UpdateList& list, const QString& folder, const QLocale& locale)
{
    PendingListResult result;
    const QDir dir(folder);
    for (const LibraryLine& line : list.libraries()) {
        if (!isSafeLibraryName(line.name)) {
            result.libraries.append(PendingLibrary{line.name, line.sizeText, 0, {}, true});
            continue;
        }
        const std::optional<QDateTime> local = installedTime(dir.filePath(libraryFileName(line.name)));
        if (!local)
            continue;
        const std::optional<QDateTime> listed = parseListDateTime(line.dateText, locale);
        if (!listed)
            return {
                {},
                QString::fromStdString(updatetext::shown(updatetext::badDate)).arg(line.name, line.dateText)};
        if (*local >= *listed)
            continue;
        const std::optional<qint64> size = wholeNumber(line.sizeText);
        if (!size)
            return {
                {},
                QString::fromStdString(updatetext::shown(updatetext::badSize)).arg(line.name, line.sizeText)};
        result.libraries.append(PendingLibrary{line.name, line.sizeText, *size, line.sha256, false});
    }
    return result;
}

} // namespace qmv
