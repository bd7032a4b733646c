#include "ads/ADDownloadTime.h"

namespace quorbel {

namespace {

bool IsFieldLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

// Splits a Qt date/time format into fields (runs of one letter), quoted
// literals and the separator text between them.
struct FormatPart
{
    QString text;
    bool field = false;
};

QVector<FormatPart> SplitFormat(const QString &format)
{
    QVector<FormatPart> parts;
    const qsizetype n = format.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = format[i];
        qsizetype end = i + 1;
        if (IsFieldLetter(c)) {
            while (end < n && format[end] == c)
                ++end;
            parts.append({format.mid(i, end - i), true});
        } else {
            // Separator text up to the next field letter; quoted text may hold letters.
            bool quoted = false;
            end = i;
            while (end < n && (quoted || !IsFieldLetter(format[end]))) {
                if (format[end] == QLatin1Char('\''))
                    quoted = !quoted;
                ++end;
            }
            parts.append({format.mid(i, end - i), false});
        }
        i = end;
    }
    return parts;
}

bool HasTwoDigitYearOnly(const QString &format)
{
    bool twoDigits = false;
    for (const FormatPart &part : SplitFormat(format)) {
        if (!part.field || part.text[0] != QLatin1Char('y'))
            continue;
        if (part.text.size() != 2)
            return false;
        twoDigits = true;
    }
    return twoDigits;
}

QString DateTimeFormat(const QLocale &locale)
{
    return locale.dateFormat(QLocale::ShortFormat) + QLatin1Char(' ') + LongTimeFormatWithoutZone(locale);
}

} // namespace

QString LongTimeFormatWithoutZone(const QLocale &locale)
{
    const QVector<FormatPart> parts = SplitFormat(locale.timeFormat(QLocale::LongFormat));
    QString format;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const FormatPart &part = parts[i];
        if (!part.field || part.text[0] != QLatin1Char('t')) {
            format += part.text;
            continue;
        }
        // Drop the zone with the separator that ties it to its neighbour:
        // "HH:mm:ss t", "t HH:mm:ss", "H:mm:ss (t)", "h:mm:ss AP, t".
        if (i > 0 && !parts[i - 1].field && !parts[i - 1].text.contains(QLatin1Char('\''))) {
            format.chop(parts[i - 1].text.size());
            if (i + 1 < parts.size() && !parts[i + 1].field && parts[i + 1].text.trimmed() == QLatin1String(")"))
                ++i;
        } else if (i + 1 < parts.size() && !parts[i + 1].field && !parts[i + 1].text.contains(QLatin1Char('\''))) {
            ++i;
        }
    }
    return format.trimmed();
}

QString FormatDownloadTime(const QDateTime &time, const QLocale &locale)
{
    const QDateTime local = time.toLocalTime();
    if (local.time() == QTime(0, 0))
        return locale.toString(local.date(), locale.dateFormat(QLocale::ShortFormat));
    return locale.toString(local, DateTimeFormat(locale));
}

QDateTime ParseDownloadTime(const QString &text, const QLocale &locale, int currentYear)
{
    const QString dateFormat = locale.dateFormat(QLocale::ShortFormat);
    QDateTime time = locale.toDateTime(text, DateTimeFormat(locale));
    if (!time.isValid()) {
        const QDate date = locale.toDate(text, dateFormat);
        if (!date.isValid())
            return QDateTime();
        time = QDateTime(date, QTime(0, 0));
    }
    if (HasTwoDigitYearOnly(dateFormat)) {
        // Qt reads "yy" as 19yy; place it in the window around the current year.
        const int pivot = currentYear - 50;
        int year = pivot - pivot % 100 + time.date().year() % 100;
        if (year < pivot)
            year += 100;
        time = QDateTime(QDate(year, time.date().month(), time.date().day()), time.time());
        if (!time.isValid())
            return QDateTime();
    }
    return time;
}

} // namespace quorbel
