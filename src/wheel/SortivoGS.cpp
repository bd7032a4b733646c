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

void checkHeader(const TSortivo_GS &formula, qint32 rowCount)
{
    if (rowCount < 0 || (rowCount > 0 && formula.BetSize < 0))
        throw AppError(QStringLiteral("Range check error"));
    if (rowCount > MaxFormulaRows)
        throw AppError(QStringLiteral("Range check error: the formula \"%1\" declares %2 rows; at most %3 are accepted")
                           .arg(formula.Name)
                           .arg(rowCount)
                           .arg(MaxFormulaRows));
    if (rowCount > 0 && formula.BetSize > MaxFormulaBetSize)
        throw AppError(QStringLiteral("Range check error: the formula \"%1\" declares %2 numbers a bet; at most %3 are accepted")
                           .arg(formula.Name)
                           .arg(formula.BetSize)
                           .arg(MaxFormulaBetSize));
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
            checkHeader(formula, rowCount);
            formula.Rows = QVector<QVector<qint32>>(rowCount, QVector<qint32>(qMax(formula.BetSize, 0), 0));
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
