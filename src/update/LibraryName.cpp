#include "LibraryName.h"

#include <QDir>

namespace qmv {

bool isSafeLibraryName(const QString& name)
{
    if (name.isEmpty() || name.contains(QLatin1String("..")) || QDir::isAbsolutePath(name))
        return false;
    for (const QChar c : name) {
        if (c == u'/' || c == u'\\' || c == u':' || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

QString libraryFileName(const QString& name)
{
    return name + QLatin1String(".dll");
}

} // namespace qmv
