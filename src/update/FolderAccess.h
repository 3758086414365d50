#pragma once

#include "UpdateFailure.h"

#include <QString>

namespace qmv {

// Whether the update can write where it has to: the program's folder (libraries are renamed into
// it) and its update folder (created when missing). A program installed for the whole system
// cannot; the update then says so before it starts instead of failing half-way.
Failure checkFolderWritable(const QString& folder);

// The message for the user that names the folder and what to do instead.
QString folderNotWritableMessage(const Failure& failure);

} // namespace qmv
