#include "ads/ADFreshness.h"

#include <QTimeZone>

namespace quorbel {

namespace {

QDateTime WallClock(const QDateTime &time)
{
    const QDateTime local = time.toLocalTime();
    return QDateTime(local.date(), local.time(), QTimeZone::utc());
}

} // namespace

qint64 WholeDaysBetween(const QDateTime &a, const QDateTime &b)
{
    constexpr qint64 msecsPerDay = 24 * 60 * 60 * 1000;
    const qint64 msecs = WallClock(a).msecsTo(WallClock(b));
    return (msecs < 0 ? -msecs : msecs) / msecsPerDay;
}

bool IsADListFresh(const TADHeader &header, const QDateTime &now)
{
    if (header.Version.isEmpty() || !header.DownloadTime.isValid())
        return false;
    return header.Interval > WholeDaysBetween(header.DownloadTime, now);
}

} // namespace quorbel
