#include "ResourceList.h"

#include <QSaveFile>
#include <QXmlStreamWriter>

namespace qmv::art {

ResourceList::ResourceList(QString prefix)
    : prefix_(std::move(prefix))
{
}

void ResourceList::add(const QString& alias, const QString& file, const QString& language)
{
    entries_.append({alias, file, language});
}

QString ResourceList::writeQrc(const QString& path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    QXmlStreamWriter xml(&file);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDTD(QStringLiteral("<!DOCTYPE RCC>"));
    xml.writeStartElement(QStringLiteral("RCC"));
    QStringList languages{QString()};
    for (const Entry& entry : entries_)
        if (!languages.contains(entry.language))
            languages.append(entry.language);
    for (const QString& language : languages) {
        xml.writeStartElement(QStringLiteral("qresource"));
        xml.writeAttribute(QStringLiteral("prefix"), prefix_);
        if (!language.isEmpty())
            xml.writeAttribute(QStringLiteral("lang"), language);
        for (const Entry& entry : entries_) {
            if (entry.language != language)
                continue;
            xml.writeStartElement(QStringLiteral("file"));
            xml.writeAttribute(QStringLiteral("alias"), entry.alias);
            xml.writeCharacters(entry.file);
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    if (!file.commit())
        return file.errorString();
    return {};
}

} // namespace qmv::art
