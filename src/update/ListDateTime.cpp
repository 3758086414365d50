#include "ListDateTime.h"

#include <QRegularExpression>

#include <array>

namespace qmv {

namespace {

enum class Field { Year, Month, Day };

struct DateScheme
{
    std::array<Field, 3> order;
    QChar separator;
};

std::optional<DateScheme> schemeOf(const QString& format)
{
    DateScheme scheme{};
    int found = 0;
    QChar last;
    for (const QChar c : format) {
        const bool isField = c == u'y' || c == u'M' || c == u'd';
        if (isField && c != last) {
            if (found == 3)
                return std::nullopt;
            scheme.order[found++] = c == u'y' ? Field::Year : c == u'M' ? Field::Month : Field::Day;
        } else if (!isField && found > 0 && scheme.separator.isNull()) {
            scheme.separator = c;
        }
        last = c;
    }
    // A short format with a month name ("d MMM yyyy") has no numeric form to follow.
    if (found != 3 || scheme.separator.isNull() || scheme.separator.isLetter() ||
        format.contains(QLatin1String("MMM")))
        return std::nullopt;
    return scheme;
}

QChar timeSeparatorOf(const QString& format)
{
    for (const QChar c : format) {
        if (!c.isLetter() && !c.isSpace() && c != u'\'')
            return c;
    }
    return u':';
}

std::optional<int> number(const QString& text)
{
    static const QRegularExpression digits(QStringLiteral("^\\d{1,4}$"));
    if (!digits.match(text).hasMatch())
        return std::nullopt;
    return text.toInt();
}

std::optional<QDate> parseDate(const QString& text, const DateScheme& scheme)
{
    const QStringList parts = text.split(scheme.separator);
    if (parts.size() != 3)
        return std::nullopt;
    int year = 0;
    int month = 0;
    int day = 0;
    for (int i = 0; i < 3; ++i) {
        const std::optional<int> value = number(parts[i]);
        if (!value)
            return std::nullopt;
        switch (scheme.order[static_cast<std::size_t>(i)]) {
        case Field::Year:
            year = *value;
            if (parts[i].size() <= 2)
                year += year < 30 ? 2000 : 1900;
            break;
        case Field::Month:
            month = *value;
            break;
        case Field::Day:
            day = *value;
            break;
        }
    }
    const QDate date(year, month, day);
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

// Takes an AM/PM marker off either end of the time text; returns the hours to add (0 or 12) or
// null when there was no marker.
std::optional<bool> takeMeridiem(QString& text, const QLocale& locale)
{
    const std::array<std::pair<QString, bool>, 4> markers{{{locale.amText(), false},
                                                           {locale.pmText(), true},
                                                           {QStringLiteral("AM"), false},
                                                           {QStringLiteral("PM"), true}}};
    for (const auto& [marker, isPm] : markers) {
        if (marker.isEmpty())
            continue;
        if (text.endsWith(marker, Qt::CaseInsensitive)) {
            text = text.chopped(marker.size()).trimmed();
            return isPm;
        }
        if (text.startsWith(marker, Qt::CaseInsensitive)) {
            text = text.mid(marker.size()).trimmed();
            return isPm;
        }
    }
    return std::nullopt;
}

std::optional<QTime> parseTime(QString text, QChar separator, const QLocale& locale)
{
    const std::optional<bool> isPm = takeMeridiem(text, locale);
    const QStringList parts = text.split(separator);
    if (parts.size() < 2 || parts.size() > 3)
        return std::nullopt;
    std::array<int, 3> values{0, 0, 0};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const std::optional<int> value = number(parts[i]);
        if (!value || parts[i].size() > 2)
            return std::nullopt;
        values[static_cast<std::size_t>(i)] = *value;
    }
    if (isPm) {
        if (values[0] < 1 || values[0] > 12)
            return std::nullopt;
        values[0] = values[0] % 12 + (*isPm ? 12 : 0);
    }
    const QTime time(values[0], values[1], values[2]);
    return time.isValid() ? std::optional<QTime>(time) : std::nullopt;
}

std::optional<QDateTime> parseWith(const QString& text, const DateScheme& scheme, QChar timeSeparator,
                                   const QLocale& locale)
{
    const qsizetype space = text.indexOf(u' ');
    const QString datePart = space < 0 ? text : text.left(space);
    const QString timePart = space < 0 ? QString() : text.mid(space + 1).trimmed();
    const std::optional<QDate> date = parseDate(datePart, scheme);
    if (!date)
        return std::nullopt;
    if (timePart.isEmpty())
        return QDateTime(*date, QTime(0, 0));
    const std::optional<QTime> time = parseTime(timePart, timeSeparator, locale);
    if (!time)
        return std::nullopt;
    return QDateTime(*date, *time);
}

} // namespace

QLocale listDateLocale()
{
    return QLocale::system();
}

std::optional<QDateTime> parseListDateTime(const QString& rawText, const QLocale& locale)
{
    const QString text = rawText.simplified();
    if (text.isEmpty())
        return std::nullopt;
    if (const std::optional<DateScheme> scheme = schemeOf(locale.dateFormat(QLocale::ShortFormat))) {
        const QChar timeSeparator = timeSeparatorOf(locale.timeFormat(QLocale::ShortFormat));
        if (auto result = parseWith(text, *scheme, timeSeparator, locale))
            return result;
    }
    const DateScheme iso{{Field::Year, Field::Month, Field::Day}, u'-'};
    return parseWith(text, iso, u':', locale);
}

} // namespace qmv
