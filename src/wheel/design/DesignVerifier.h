#pragma once

#include "wheel/SortivoGS.h"
#include "wheel/design/FormulaName.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

#include <cstdint>
#include <vector>

namespace quorbel {

// What the check of one formula found.
struct FormulaReport
{
    QString name;
    bool checked = false;        // the name has the form 选n中k保t, so the guarantee was checked
    FormulaKey key;
    int rows = 0;
    std::int64_t lowerBound = 0;
    int target = 0;              // size goal of a shipped formula, 0 when none
    std::int64_t draws = 0;      // C(n, k)
    std::int64_t uncovered = 0;  // draws no row meets in t positions
    std::vector<std::vector<int>> uncoveredExamples; // the first few, as positions
    QStringList problems;        // every failed check, in words
    QStringList notes;           // remarks that do not fail the check (a size above its goal)

    bool passed() const { return problems.isEmpty(); }
};

struct VerifyOptions
{
    bool requireShipped = true;  // every formula the program looks up must be present
    bool enforceTargets = false; // a shipped formula above its size goal fails (else a note)
    int examplesKept = 3;
};

struct FileReport
{
    QVector<FormulaReport> formulas;
    QStringList problems;        // problems of the file as a whole

    bool passed() const;
};

// Checks one formula: its name, BetSize, FullCount, its rows (k distinct positions from
// 1 to n each) and the guarantee over all C(n,k) draws. rowLines is the number of row
// lines the file holds for it (-1: not known); it must equal the header's row count.
FormulaReport VerifyFormula(const TSortivo_GS &formula, int rowLines, const VerifyOptions &options);

// Reads the bytes with the program's reader and checks every formula.
FileReport VerifyWheelFile(const QByteArray &bytes, const VerifyOptions &options);

// Row lines after each header, in file order: the header's row count is compared with it.
QVector<int> CountRowLines(const QByteArray &bytes);

// The report as a text table, one formula a line.
QString FormatReport(const FileReport &report);

} // namespace quorbel
