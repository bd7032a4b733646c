#include "wheel/SortivoGS.h"

#include "platform/AppError.h"
#include "platform/StrToIntDef.h"
#include "platform/TextFile.h"

namespace quorbel {

namespace {

qint32 cutInt(QString &rest, QChar delimiter)
{
    QString head;
    CutToken(rest, delimiter, head);
    return StrToIntDef(head, 0);
}

// What the table already holds, against the limits above.
struct TableSize
{
    qint64 rows = 0;
    qint64 entries = 0;
};

void checkHeader(const TSortivo_GS &formula, qint32 rowCount, const TableSize &used)
{
    if (rowCount < 0 || (rowCount > 0 && formula.BetSize < 0))
        throw AppError(QStringLiteral("Range check error"));
    if (rowCount == 0)
        return;
    if (formula.BetSize > MaxFormulaBetSize)
        throw AppError(QStringLiteral("Range check error: the formula \"%1\" declares %2 numbers a bet; at most %3 are accepted")
                           .arg(formula.Name)
                           .arg(formula.BetSize)
                           .arg(MaxFormulaBetSize));
    if (used.rows + rowCount > MaxTableRows || used.entries + qint64(rowCount) * formula.BetSize > MaxTableEntries)
        throw AppError(QStringLiteral("Range check error: the formula \"%1\" declares %2 rows; the formula table holds at most %3 rows and %4 numbers in all")
                           .arg(formula.Name)
                           .arg(rowCount)
                           .arg(MaxTableRows)
                           .arg(MaxTableEntries));
}

void readRow(const QString &line, TSortivo_GS &formula, int rowIndex)
{
    // Lines beyond the declared row count have no row to fill.
    if (rowIndex >= formula.Rows.size())
        return;
    QVector<qint32> &row = formula.Rows[rowIndex];
    QString rest = line;
    for (qint32 k = 0; k < formula.BetSize; ++k)
        row[k] = cutInt(rest, QLatin1Char(' '));
}

} // namespace

void CutToken(QString &rest, QChar delimiter, QString &head)
{
    const qsizetype at = rest.indexOf(delimiter);
    if (at < 0) {
        head = rest;
        rest.clear();
        return;
    }
    head = rest.left(at);
    rest.remove(0, at + 1);
}

void LoadGSFromBytes(const QByteArray &bytes, TGSList &list)
{
    const QStringList lines = SplitTextLines(bytes);
    TableSize used;
    for (const TSortivo_GS &formula : list) {
        used.rows += formula.Rows.size();
        used.entries += qint64(formula.Rows.size()) * qMax(formula.BetSize, 0);
    }
    TSortivo_GS *current = nullptr;
    int rowCounter = 0;
    for (const QString &line : lines) {
        if (line.isEmpty())
            continue;
        if (line.front() == QLatin1Char('[')) {
            // A header that cannot be used stops loading; it never enters the table.
            TSortivo_GS formula;
            QString rest = line.mid(1, line.size() - 2);
            CutToken(rest, QLatin1Char('/'), formula.Name);
            formula.Value1 = cutInt(rest, QLatin1Char('/'));
            formula.BetSize = cutInt(rest, QLatin1Char('/'));
            formula.Value3 = cutInt(rest, QLatin1Char('/'));
            const qint32 rowCount = cutInt(rest, QLatin1Char('/'));
            checkHeader(formula, rowCount, used);
            if (rowCount > 0)
                formula.Rows = QVector<QVector<qint32>>(rowCount, QVector<qint32>(formula.BetSize, 0));
            used.rows += rowCount;
            used.entries += qint64(rowCount) * qMax(formula.BetSize, 0);
            formula.FullCount = cutInt(rest, QLatin1Char('/'));
            list.append(std::move(formula));
            current = &list.last();
            rowCounter = 0;
            continue;
        }
        if (!current)
            continue;
        readRow(line, *current, rowCounter);
        ++rowCounter;
    }
}

void LoadGS(const QString &fileName, TGSList &list)
{
    LoadGSFromBytes(ReadFileBytes(fileName), list);
}

int FindGS(const TGSList &list, const QString &name)
{
    for (int i = 0; i < list.size(); ++i) {
        if (list[i].Name == name)
            return i;
    }
    return -1;
}

} // namespace quorbel
