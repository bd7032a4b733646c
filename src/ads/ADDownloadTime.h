#pragma once

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>

namespace quorbel {

// The download time of the cached list, as local wall-clock time in the user's
// own notation: the short date format and, unless the time of day is exactly
// midnight, a blank and the long time format. Callers pass QLocale::system().
QString FormatDownloadTime(const QDateTime &time, const QLocale &locale);

// Reads text written by FormatDownloadTime with the same locale. Text that does
// not read gives an invalid QDateTime, which stands for "no time at all". A year
// written with two digits is placed within 50 years before and 49 after
// `currentYear`.
QDateTime ParseDownloadTime(const QString &text, const QLocale &locale,
                            int currentYear = QDate::currentDate().year());

// The locale's long time format without its time-zone field: the stored time is
// local time, and zone abbreviations do not read back reliably ("CST", "IST").
QString LongTimeFormatWithoutZone(const QLocale &locale);

} // namespace quorbel
