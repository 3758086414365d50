#include "ResourceBundle.h"

#include "BoundedBytes.h"

#include <QCoreApplication>

#include <array>
#include <optional>

namespace qmv {

namespace {

// Far beyond the bundles the program uses (168 pictures, one level).
constexpr quint64 maxEntries = 4096;
constexpr int maxDepth = 8;
// The largest picture a bundle may unpack to.
constexpr quint64 maxUnpackedBytes = 32 * 1024 * 1024;

constexpr quint64 packedZlib = 0x01;
constexpr quint64 folderFlag = 0x02;
constexpr quint64 packedZstd = 0x04;

QString damaged(const char* part)
{
    return QCoreApplication::translate("qmv::LibraryVerifier", "资源包的结构损坏：%1")
        .arg(QLatin1String(part));
}

// The content size a zstd frame announces in its header, when it announces one.
std::optional<quint64> zstdContentSize(const BoundedBytes& file, quint64 at)
{
    if (file.little(at, 4) != 0xFD2FB528u)
        return std::nullopt;
    const auto descriptor = file.little(at + 4, 1);
    if (!descriptor)
        return std::nullopt;
    const quint64 sizeFlag = *descriptor >> 6;
    const bool singleSegment = (*descriptor & 0x20) != 0;
    constexpr std::array<int, 4> dictionaryWidths{0, 1, 2, 4};
    const quint64 sizeAt = at + 5 + (singleSegment ? 0 : 1) + dictionaryWidths.at(*descriptor & 3);
    switch (sizeFlag) {
    case 0:
        return singleSegment ? file.little(sizeAt, 1) : std::nullopt;
    case 1: {
        const auto size = file.little(sizeAt, 2);
        return size ? std::optional<quint64>(*size + 256) : std::nullopt;
    }
    case 2:
        return file.little(sizeAt, 4);
    default:
        return file.little(sizeAt, 8);
    }
}

class BundleReader
{
public:
    explicit BundleReader(const QByteArray& bytes)
        : m_file(bytes)
    {
    }

    ResourceBundle read()
    {
        ResourceBundle bundle;
        bundle.refusal = readHeader();
        if (bundle.refusal.isEmpty())
            bundle.refusal = readFolder(0, QString(), 0, bundle.files);
        return bundle;
    }

private:
    QString readHeader()
    {
        if (!m_file.slice(0, 4).startsWith("qres"))
            return QCoreApplication::translate("qmv::LibraryVerifier", "不是资源包");
        const auto version = m_file.big(4, 4);
        const auto tree = m_file.big(8, 4);
        const auto data = m_file.big(12, 4);
        const auto names = m_file.big(16, 4);
        if (!version || *version < 1 || *version > 3 || !tree || !data || !names)
            return damaged("header");
        if (*version >= 3 && (m_file.big(20, 4).value_or(~0u) & ~(packedZlib | packedZstd)) != 0)
            return damaged("header");
        m_entrySize = *version >= 2 ? 22 : 14;
        m_tree = *tree;
        m_data = *data;
        m_names = *names;
        return {};
    }

    // The entry's fields; nothing when the entry lies outside the file.
    std::optional<quint64> entryField(quint64 index, quint64 at, int width) const
    {
        if (!m_file.holds(m_tree + index * m_entrySize, m_entrySize))
            return std::nullopt;
        return m_file.big(m_tree + index * m_entrySize + at, width);
    }

    std::optional<QString> name(quint64 index) const
    {
        const auto at = entryField(index, 0, 4);
        if (!at)
            return std::nullopt;
        // The length in UTF-16 units, then a hash, then the name.
        const quint64 start = m_names + *at;
        const quint64 length = m_file.big(start, 2).value_or(0);
        if (length == 0 || !m_file.holds(start + 6, length * 2))
            return std::nullopt;
        QString text;
        for (quint64 i = 0; i < length; ++i)
            text += QChar(static_cast<char16_t>(m_file.big(start + 6 + i * 2, 2).value_or(0)));
        if (text.contains(u'/') || text == QLatin1String(".") || text == QLatin1String(".."))
            return std::nullopt;
        return text;
    }

    // Children of a folder follow it in the tree, so each is read once and no loop can form.
    QString readFolder(quint64 index, const QString& path, int depth, QStringList& files)
    {
        const auto count = entryField(index, 6, 4);
        const auto first = entryField(index, 10, 4);
        if (!count || !first || *first <= index || depth > maxDepth || m_entries + *count > maxEntries)
            return damaged("tree");
        m_entries += *count;
        for (quint64 child = *first; child < *first + *count; ++child) {
            const auto flags = entryField(child, 4, 2);
            const auto childName = name(child);
            if (!flags || !childName)
                return damaged("names");
            const QString childPath = path.isEmpty() ? *childName : path + u'/' + *childName;
            const bool folder = (*flags & folderFlag) != 0;
            QString refusal =
                folder ? readFolder(child, childPath, depth + 1, files) : readFile(child, *flags);
            if (!refusal.isEmpty())
                return refusal;
            if (!folder)
                files << childPath;
        }
        return {};
    }

    QString readFile(quint64 index, quint64 flags) const
    {
        const auto offset = entryField(index, 10, 4);
        if (!offset)
            return damaged("data");
        const auto size = m_file.big(m_data + *offset, 4);
        const quint64 at = m_data + *offset + 4;
        if (!size || !m_file.holds(at, *size))
            return damaged("data");
        std::optional<quint64> unpacked = *size;
        if ((flags & packedZlib) != 0)
            unpacked = m_file.big(at, 4);
        else if ((flags & packedZstd) != 0)
            unpacked = zstdContentSize(m_file, at);
        if (!unpacked || *unpacked > maxUnpackedBytes)
            return damaged("data");
        return {};
    }

    BoundedBytes m_file;
    quint64 m_entrySize = 0;
    quint64 m_tree = 0;
    quint64 m_data = 0;
    quint64 m_names = 0;
    quint64 m_entries = 0;
};

} // namespace

ResourceBundle readResourceBundle(const QByteArray& bytes)
{
    return BundleReader(bytes).read();
}

} // namespace qmv
