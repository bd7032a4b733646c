#pragma once

#include "ads/ADRec.h"

#include <QByteArray>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace quorbel {

// The header of the cached list: "version|interval|download time".
struct TADHeader
{
    QString Version;          // "" marks the cache as unusable
    qint32 Interval = 7;      // days the stored list stays fresh
    QDateTime DownloadTime;   // invalid: no time at all
};

// Reads a header line. Without a first "|" everything keeps its default; without
// a second one the version is read and the rest keeps its default.
TADHeader ParseADHeader(const QString &line, const QLocale &locale);

// The header of the cache file; a missing or empty file gives the defaults. A
// file that exists but cannot be read raises AppError.
TADHeader ReadADHeader(const QString &cacheFile, const QLocale &locale);

// The entries of the cache's lines. The first line is the header and is never
// read here; every line that is exactly "*" opens an entry, whose following
// lines are, by position, kind, caption (or "file|address" for a picture),
// hint and target.
TADList ParseADEntries(const QStringList &lines);

// A served list is valid when its last line is exactly "$" and its first line
// holds a "|".
bool IsValidServedList(const QStringList &lines);

// The version of a valid served list: its first line up to the first "|".
QString ServedListVersion(const QStringList &lines);

// The cache form of a valid served list: without the "$" line, the header closed
// with "|" and followed by the download time `now`.
QStringList ServedListToCache(QStringList lines, const QDateTime &now, const QLocale &locale);

// The bytes of a text file of the program: code page 936, every line followed by
// CR LF.
QByteArray EncodeTextLines(const QStringList &lines);

} // namespace quorbel
