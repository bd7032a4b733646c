#pragma once

#include "ads/ADListFile.h"

#include <QDateTime>

namespace quorbel {

// Whole days between two local times, in either direction, the fraction
// dropped (6 days 23 hours give 6). Counted on the wall clock, so that a change
// to or from summer time does not cost a day.
qint64 WholeDaysBetween(const QDateTime &a, const QDateTime &b);

// The cached list is fresh when it has a version and a download time, and fewer
// whole days than its interval lie between that time and `now`. A clock set back
// counts like one gone forward.
bool IsADListFresh(const TADHeader &header, const QDateTime &now);

} // namespace quorbel
