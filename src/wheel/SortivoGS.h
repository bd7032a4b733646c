#pragma once

#include <QString>
#include <QVector>

namespace quorbel {

// One wheel formula: a name such as "选10中7保6", four header numbers and rows
// of 1-based positions in the player's selection.
struct TSortivo_GS
{
    QString Name;
    qint32 Value1 = 0;
    qint32 BetSize = 0;
    qint32 Value3 = 0;
    qint32 FullCount = 0;
    QVector<QVector<qint32>> Rows;
};

using TGSList = QVector<TSortivo_GS>;

// Limits that keep a damaged file from exhausting memory: a bet cannot hold
// more numbers than the board has, and the whole table stays far above any
// real wheel (the full combination of 16 numbers has 11440 rows of 7) while
// its size stays below a few tens of megabytes.
constexpr qint32 MaxFormulaBetSize = 40;
constexpr qint64 MaxTableRows = 1000000;
constexpr qint64 MaxTableEntries = 8000000;

// Appends the formulas of the file to `list`. A file that cannot be opened
// raises AppError "Cannot open file ..." and adds nothing; a header whose row
// count or bet size cannot be used raises AppError "Range check error..."
// and keeps the formulas read before it.
void LoadGS(const QString &fileName, TGSList &list);
void LoadGSFromBytes(const QByteArray &bytes, TGSList &list);

// Index of the first formula named exactly `name`, or -1.
int FindGS(const TGSList &list, const QString &name);

// Cuts `rest` at the first `delimiter`: `head` takes the text before it and
// `rest` the text after it; without a delimiter `head` takes all of `rest`.
void CutToken(QString &rest, QChar delimiter, QString &head);

} // namespace quorbel
