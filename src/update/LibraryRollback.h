#pragma once

#include "UpdateFailure.h"

#include <QString>
#include <QStringList>

namespace qmv {

class ContentCheck;

// Puts back the last good copy of a library, as kept in the update folder's backup folder. The
// copy is checked again before it goes in, since a backup left by an older version of the program
// may not have been checked; the backup itself stays, so it can be put back again.
class LibraryRollback
{
public:
    LibraryRollback(const QString& folder, ContentCheck& check);

    // The libraries (names without ".dll") that have a backup, sorted.
    QStringList available() const;
    // `name` with or without ".dll".
    Failure restore(const QString& name) const;

private:
    QString m_folder;
    ContentCheck& m_check;
};

} // namespace qmv
