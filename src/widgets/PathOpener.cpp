#include "PathOpener.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace qmv {

namespace {

bool isSeparator(QChar c)
{
    return c == u'\\' || c == u'/' || c == u':';
}

class DesktopOpener final : public PathOpener
{
public:
    bool changeDirectory(const QString& folder) override { return QDir::setCurrent(folder); }
    bool open(const QString& path) override
    {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    }
};

} // namespace

PathOpener& desktopOpener()
{
    static DesktopOpener opener;
    return opener;
}

QString pathExtension(const QString& path)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        if (isSeparator(path[i]))
            return {};
        if (path[i] == u'.')
            return path.mid(i);
    }
    return {};
}

QString pathFolder(const QString& path)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i)
        if (isSeparator(path[i]))
            return path.left(i + 1);
    return {};
}

} // namespace qmv
