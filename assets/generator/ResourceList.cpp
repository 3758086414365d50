#include "ResourceList.h"

#include <QSaveFile>
#include <QXmlStreamWriter>

namespace qmv::art {

ResourceList::ResourceList(QString prefix, QString language)
    : prefix_(std::move(prefix))
    , language_(std::move(language))
{
}

void ResourceList::add(const QString& alias, const QString& file)
{
    entries_.append({alias, file});
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
    xml.writeStartElement(QStringLiteral("qresource"));
    xml.writeAttribute(QStringLiteral("prefix"), prefix_);
    if (!language_.isEmpty())
        xml.writeAttribute(QStringLiteral("lang"), language_);
    for (const Entry& entry : entries_) {
        xml.writeStartElement(QStringLiteral("file"));
        xml.writeAttribute(QStringLiteral("alias"), entry.alias);
        xml.writeCharacters(entry.file);
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    if (!file.commit())
        return file.errorString();
    return {};
}

} // namespace qmv::art
