#pragma once

#include "UpdateList.h"

#include <QList>
#include <QLocale>
#include <QString>

namespace qmv {

struct PendingLibrary
{
    QString name;
    QString sizeText;
    qint64 size = 0;
    // Empty when the list gives no checksum for the library.
    QString sha256;
    // A name that is not a plain file name: shown as failed, never downloaded.
    bool refused = false;
};

struct PendingListResult
{
    QList<PendingLibrary> libraries;
    // Set when a line of an installed library cannot be read; the list is then empty, so that
    // nothing of a faulty update list is installed.
    QString error;

    bool hasDownloads() const;
};

// Compares the libraries of the update list with those installed in `folder`: a library is
// pending when it is installed and its file date (local, to the two seconds of a file date) is
// earlier than the list's date and time, read in `userLocale` (see listDateLocale). Lines of
// libraries that are not installed are passed over unread.
PendingListResult findPendingLibraries(const UpdateList& list, const QString& folder,
                                       const QLocale& userLocale);

} // namespace qmv
