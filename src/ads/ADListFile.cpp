#include "ads/ADListFile.h"

#include "ads/ADDownloadTime.h"
#include "platform/Cp936.h"
#include "platform/StrToIntDef.h"
#include "platform/TextFile.h"

#include <QFileInfo>

namespace quorbel {

namespace {

const QChar Bar = QLatin1Char('|');
const QString EntryMark = QStringLiteral("*");
const QString EndMark = QStringLiteral("$");
constexpr qint32 DefaultInterval = 7;

// Fills the field of `entry` that the line at `position` of its block holds.
void FillEntryField(TADRec &entry, int position, const QString &line)
{
    switch (position) {
    case 0:
        entry.Kind = StrToIntDef(line, 0);
        break;
    case 1:
        if (entry.Kind == 1 || entry.Kind == 3) {
            entry.Caption = line;
        } else if (entry.Kind == 2) {
            const qsizetype bar = line.indexOf(Bar);
            if (bar >= 0) {
                entry.PicFile = line.left(bar);
                entry.PicURL = line.mid(bar + 1);
            }
        }
        break;
    case 2:
        entry.Hint = line;
        break;
    case 3:
        entry.Target = line;
        break;
    default:
        break;
    }
}

} // namespace

TADHeader ParseADHeader(const QString &line, const QLocale &locale)
{
    TADHeader header;
    const qsizetype first = line.indexOf(Bar);
    if (first < 0)
        return header;
    header.Version = line.left(first);
    const QString rest = line.mid(first + 1);
    const qsizetype second = rest.indexOf(Bar);
    if (second < 0)
        return header;
    header.Interval = StrToIntDef(QStringView(rest).left(second), DefaultInterval);
    header.DownloadTime = ParseDownloadTime(rest.mid(second + 1), locale);
    return header;
}

TADHeader ReadADHeader(const QString &cacheFile, const QLocale &locale)
{
    if (!QFileInfo::exists(cacheFile))
        return TADHeader();
    const QStringList lines = LoadTextLines(cacheFile);
    if (lines.isEmpty())
        return TADHeader();
    return ParseADHeader(lines.first(), locale);
}

TADList ParseADEntries(const QStringList &lines)
{
    TADList entries;
    int position = 0;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (line == EntryMark) {
            entries.append(TADRec());
            position = 0;
            continue;
        }
        if (entries.isEmpty())
            continue;
        FillEntryField(entries.last(), position, line);
        ++position;
    }
    return entries;
}

bool IsValidServedList(const QStringList &lines)
{
    return !lines.isEmpty() && lines.last() == EndMark && lines.first().contains(Bar);
}

QString ServedListVersion(const QStringList &lines)
{
    if (lines.isEmpty())
        return QString();
    const QString &header = lines.first();
    return header.left(header.indexOf(Bar));
}

QStringList ServedListToCache(QStringList lines, const QDateTime &now, const QLocale &locale)
{
    if (lines.isEmpty())
        return lines;
    lines.removeLast();
    if (lines.isEmpty())
        return lines;
    QString header = lines.first();
    if (!header.isEmpty() && !header.endsWith(Bar))
        header += Bar;
    lines.first() = header + FormatDownloadTime(now, locale);
    return lines;
}

QByteArray EncodeTextLines(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += EncodeCp936(line);
        bytes += "\r\n";
    }
    return bytes;
}

} // namespace quorbel
