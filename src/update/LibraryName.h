#pragma once

#include <QString>

namespace qmv {

// A library name from the update list becomes a file name in the program's folder and in its
// update folder. Only a plain name is taken: anything that could lead elsewhere (a separator of
// either system, "..", a drive, an absolute path, control characters) or nothing at all is refused.
bool isSafeLibraryName(const QString& name);

// The library's file, as the list names it on the server and in the program's folder.
QString libraryFileName(const QString& name);

} // namespace qmv
