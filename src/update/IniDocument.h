#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace qmv {

struct IniEntry
{
    QString key;
    QString value;
};

// A Windows initialisation file read the way the Windows profile functions read it: section and
// key names compare without regard to case, only lines starting with ";" are comments, a value is
// everything after the first "=" (trimmed, one pair of surrounding double quotes dropped) and there
// is no line-length limit. Keys keep the order of the file, duplicates included.
class IniDocument
{
public:
    static IniDocument parse(const QString& text);

    // Update lists come from servers that may write UTF-8 or the Chinese Windows code page, so
    // anything that is not valid UTF-8 is read as GB18030.
    static QString decode(const QByteArray& bytes);

    // The entries of every section of that name, in file order.
    QList<IniEntry> section(const QString& name) const;
    // The value of the first entry of that key in the section, or an empty text.
    QString value(const QString& section, const QString& key) const;

private:
    struct Section
    {
        QString name;
        QList<IniEntry> entries;
    };
    QList<Section> m_sections;
};

} // namespace qmv
