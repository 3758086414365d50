#pragma once

#include <QByteArray>

#include <optional>

namespace qmv {

// Reads numbers and strings out of a file's bytes at offsets that come from the file itself. Every
// read is checked against the end of the bytes, so an offset or a count from a hostile file never
// reaches past it: such a read gives nothing.
class BoundedBytes
{
public:
    explicit BoundedBytes(const QByteArray& bytes)
        : m_bytes(bytes)
    {
    }

    quint64 size() const { return static_cast<quint64>(m_bytes.size()); }
    // Whether `count` bytes from `offset` lie within, without overflowing on the way.
    bool holds(quint64 offset, quint64 count) const { return offset <= size() && count <= size() - offset; }

    // An unsigned number of `width` bytes (1, 2, 4 or 8) at `offset`.
    std::optional<quint64> little(quint64 offset, int width) const;
    std::optional<quint64> big(quint64 offset, int width) const;
    // The zero-terminated text at `offset`, which must end within `limit` bytes and within the file.
    std::optional<QByteArray> text(quint64 offset, quint64 limit) const;
    // The bytes from `offset`; only for a range `holds` accepts.
    QByteArray slice(quint64 offset, quint64 count) const;

private:
    const QByteArray& m_bytes;
};

} // namespace qmv
