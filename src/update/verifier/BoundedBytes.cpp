#include "BoundedBytes.h"

#include <algorithm>

namespace qmv {

std::optional<quint64> BoundedBytes::little(quint64 offset, int width) const
{
    if (!holds(offset, static_cast<quint64>(width)))
        return std::nullopt;
    quint64 value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(m_bytes[static_cast<qsizetype>(offset) + i]);
    return value;
}

std::optional<quint64> BoundedBytes::big(quint64 offset, int width) const
{
    if (!holds(offset, static_cast<quint64>(width)))
        return std::nullopt;
    quint64 value = 0;
    for (int i = 0; i < width; ++i)
        value = (value << 8) | static_cast<unsigned char>(m_bytes[static_cast<qsizetype>(offset) + i]);
    return value;
}

std::optional<QByteArray> BoundedBytes::text(quint64 offset, quint64 limit) const
{
    if (offset >= size())
        return std::nullopt;
    const quint64 span = std::min(limit, size() - offset);
    const auto begin = m_bytes.constBegin() + static_cast<qsizetype>(offset);
    const auto end = begin + static_cast<qsizetype>(span);
    const auto terminator = std::find(begin, end, '\0');
    if (terminator == end)
        return std::nullopt;
    return QByteArray(begin, terminator - begin);
}

QByteArray BoundedBytes::slice(quint64 offset, quint64 count) const
{
    return m_bytes.mid(static_cast<qsizetype>(offset), static_cast<qsizetype>(count));
}

} // namespace qmv
