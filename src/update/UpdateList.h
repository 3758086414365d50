#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace qmv {

class IniDocument;

struct ServerEntry
{
    QString name;
    // The library's file name is appended to it unchanged, so it normally ends with "/".
    QString baseUrl;
};

// One line of the library section: "name|date and time|size", optionally "|sha256".
struct LibraryLine
{
    QString name;
    QString dateText;
    QString sizeText;
    QString sha256;

    // The name runs to the first "|", the date and time to the next; the size is the rest, up to a
    // third "|" after which a checksum may follow.
    static LibraryLine split(const QString& value);
};

// The update list "update.ini": the download servers and the libraries, both in file order.
class UpdateList
{
public:
    static constexpr const char* serverSection = "server";
    static constexpr const char* librarySection = "pt36";

    static UpdateList fromDocument(const IniDocument& document);
    // Null when the file cannot be read.
    static std::optional<UpdateList> readFile(const QString& path);

    const QList<ServerEntry>& servers() const { return m_servers; }
    const QList<LibraryLine>& libraries() const { return m_libraries; }
    // The base URL of the server of that name, or an empty text when the list has no such server.
    QString serverUrl(const QString& name) const;

private:
    QList<ServerEntry> m_servers;
    QList<LibraryLine> m_libraries;
};

} // namespace qmv
