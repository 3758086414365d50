#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <ostream>

// Readable failure messages for the Qt types the update tests compare.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& texts, std::ostream* out)
{
    *out << '{' << texts.join(QStringLiteral(", ")).toStdString() << '}';
}

inline void PrintTo(const QByteArray& bytes, std::ostream* out)
{
    if (bytes.size() > 64)
        *out << bytes.size() << " bytes";
    else
        *out << '"' << bytes.toStdString() << '"';
}

#include "UpdateFailure.h"

namespace qmv {
inline void PrintTo(UpdateFailure reason, std::ostream* out)
{
    *out << '<' << reasonKey(reason) << '>';
}
} // namespace qmv
