#pragma once

#include "UpdateFailure.h"

#include <QString>

#include <functional>

namespace qmv {

// The bytes free for this user on the file system that holds `path`.
using FreeSpace = std::function<qint64(const QString& path)>;
qint64 freeSpaceOf(const QString& path);

// Whether a library may be fetched at all, asked before anything is requested: a file the program
// uses, announced with a size within its kind's largest (so a lying list cannot fill the disk),
// and room for everything the update then writes: the download, the new library beside the
// installed one and the installed one's copy for the backup, with a margin. The program folder
// and its update folder are normally on one file system; each must have room for all of it.
Failure admitDownload(const QString& folder, const QString& name, qint64 announced,
                      const FreeSpace& freeSpace);

} // namespace qmv
