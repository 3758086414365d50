#include "IniDocument.h"

#include <QStringDecoder>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace qmv {

namespace {

// Qt reads GB18030 through ICU, which its Windows build here lacks; Windows has the code page.
QString decodeGb18030(const QByteArray& bytes)
{
#if defined(_WIN32)
    // GBK, the code page of Chinese Windows, is the part of GB18030 such lists use; Wine knows only it.
    const int size = static_cast<int>(bytes.size());
    for (const UINT codePage : {54936U, 936U}) {
        const int length = ::MultiByteToWideChar(codePage, 0, bytes.constData(), size, nullptr, 0);
        if (length == 0)
            continue;
        QString text(length, Qt::Uninitialized);
        ::MultiByteToWideChar(codePage, 0, bytes.constData(), size, reinterpret_cast<wchar_t*>(text.data()),
                              length);
        return text;
    }
    return QString::fromLatin1(bytes);
#else
    QStringDecoder chinese("GB18030");
    return chinese.isValid() ? chinese.decode(bytes) : QString::fromLatin1(bytes);
#endif
}

QString unquoted(const QString& value)
{
    if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
        return value.mid(1, value.size() - 2);
    return value;
}

} // namespace

IniDocument IniDocument::parse(const QString& text)
{
    IniDocument document;
    Section* current = nullptr;
    const QStringList lines = text.split(u'\n');
    for (const QString& rawLine : lines) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            const QString name = line.mid(1, close < 0 ? -1 : close - 1).trimmed();
            document.m_sections.append(Section{name, {}});
            current = &document.m_sections.last();
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (current == nullptr || equals < 0)
            continue;
        current->entries.append(
            IniEntry{line.left(equals).trimmed(), unquoted(line.mid(equals + 1).trimmed())});
    }
    return document;
}

QString IniDocument::decode(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return decodeGb18030(bytes);
}

QList<IniEntry> IniDocument::section(const QString& name) const
{
    QList<IniEntry> entries;
    for (const Section& section : m_sections) {
        if (section.name.compare(name, Qt::CaseInsensitive) == 0)
            entries.append(section.entries);
    }
    return entries;
}

QString IniDocument::value(const QString& sectionName, const QString& key) const
{
    for (const IniEntry& entry : section(sectionName)) {
        if (entry.key.compare(key, Qt::CaseInsensitive) == 0)
            return entry.value;
    }
    return {};
}

} // namespace qmv
