#include "LibraryRollback.h"

#include "ContentCheck.h"
#include "LibraryInstaller.h"
#include "LibraryName.h"

#include <QDir>
#include <QFile>

namespace qmv {

namespace {
const QString extension = QStringLiteral(".dll");
}

LibraryRollback::LibraryRollback(const QString& folder, ContentCheck& check)
    : m_folder(folder)
    , m_check(check)
{
}

QStringList LibraryRollback::available() const
{
    QStringList names;
    const QDir backups(LibraryInstaller::backupFolder(m_folder));
    for (const QString& file : backups.entryList({QStringLiteral("*") + extension}, QDir::Files, QDir::Name))
        names << file.chopped(extension.size());
    return names;
}

Failure LibraryRollback::restore(const QString& name) const
{
    const QString plain = name.endsWith(extension) ? name.chopped(extension.size()) : name;
    if (!isSafeLibraryName(plain))
        return {UpdateFailure::RefusedName, name};
    const QString fileName = libraryFileName(plain);
    const QString backup = LibraryInstaller::backupPath(m_folder, fileName);
    if (!QFile::exists(backup))
        return {UpdateFailure::NoBackup, QDir::toNativeSeparators(backup)};
    if (Failure check = m_check.checkNow(backup); check.failed())
        return check;
    QString error;
    if (!LibraryInstaller(m_folder).install(backup, fileName, false, &error))
        return {UpdateFailure::NotWritable, error};
    return {};
}

} // namespace qmv
