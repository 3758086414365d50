#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <optional>

namespace qmv {

// Reads a date and time of the update list the way Windows reads it under the user's settings:
// a date in the field order and with the separator of the locale's short date format, optionally
// followed by a space and a time with the locale's time separator (hours and minutes, seconds and
// an AM/PM marker optional). Fields need no leading zeros and a two-digit year falls into
// 1930-2029. An ISO date ("2026-12-08 10:00:00") is always taken as well, for locales whose short
// format is not numeric. The result is in local time; null when the text is not a date.
std::optional<QDateTime> parseListDateTime(const QString& text, const QLocale& locale);

// The locale the update list's dates are written in: the user's own settings, whatever language
// the window speaks (the default locale follows the window's language).
QLocale listDateLocale();

} // namespace qmv
