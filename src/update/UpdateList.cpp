#include "UpdateList.h"

#include "IniDocument.h"

#include <QFile>

namespace qmv {

LibraryLine LibraryLine::split(const QString& value)
{
    const QStringList fields = value.split(u'|');
    LibraryLine line;
    line.name = fields.value(0);
    line.dateText = fields.value(1);
    line.sizeText = fields.value(2);
    if (fields.size() > 3)
        line.sha256 = fields.mid(3).join(u'|').trimmed();
    return line;
}

UpdateList UpdateList::fromDocument(const IniDocument& document)
{
    UpdateList list;
    for (const IniEntry& entry : document.section(QLatin1String(serverSection)))
        list.m_servers.append(ServerEntry{entry.key, entry.value});
    for (const IniEntry& entry : document.section(QLatin1String(librarySection)))
        list.m_libraries.append(LibraryLine::split(entry.value));
    return list;
}

std::optional<UpdateList> UpdateList::readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return fromDocument(IniDocument::parse(IniDocument::decode(file.readAll())));
}

QString UpdateList::serverUrl(const QString& name) const
{
    for (const ServerEntry& server : m_servers) {
        if (server.name.compare(name, Qt::CaseInsensitive) == 0)
            return server.baseUrl;
    }
    return {};
}

} // namespace qmv
