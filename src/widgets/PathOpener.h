#pragma once

#include <QString>

namespace qmv {

// What a button or a window does to hand a file to the desktop: change the process's current
// directory and ask the desktop to open a path. An interface so that tests can watch the
// requests without launching anything.
class PathOpener
{
public:
    virtual ~PathOpener() = default;
    virtual bool changeDirectory(const QString& folder) = 0;
    // True when the desktop accepted the request.
    virtual bool open(const QString& path) = 0;
};

// The desktop's own opener (QDesktopServices), shared by every user that is given no other.
PathOpener& desktopOpener();

// Parts of a path as the Windows-style tools read them: the extension runs from the last dot
// to the end provided no separator ('\\', '/' or ':') follows that dot; the folder is the text
// up to and including the last separator.
QString pathExtension(const QString& path);
QString pathFolder(const QString& path);

} // namespace qmv
