#include "wheel/design/DesignVerifier.h"

#include "platform/AppError.h"
#include "platform/TextFile.h"
#include "wheel/design/DrawSpace.h"
#include "wheel/design/TextColumns.h"
#include "wheel/design/WheelTargets.h"

#include <QSet>
#include <algorithm>

namespace quorbel {

namespace {

// Positions are checked before anything else uses them, so a bad row cannot index outside.
bool CheckRows(const TSortivo_GS &formula, int n, std::vector<SubsetMask> &masks, QStringList &problems)
{
    bool allValid = true;
    for (int r = 0; r < formula.Rows.size(); ++r) {
        const QVector<qint32> &row = formula.Rows[r];
        SubsetMask mask = 0;
        QStringList rowProblems;
        for (qint32 position : row) {
            if (position < 1 || position > n) {
                rowProblems << QStringLiteral("position %1 outside 1..%2").arg(position).arg(n);
                continue;
            }
            const SubsetMask bit = SubsetMask(1) << (position - 1);
            if (mask & bit)
                rowProblems << QStringLiteral("position %1 twice").arg(position);
            mask |= bit;
        }
        if (row.size() != formula.BetSize)
            rowProblems << QStringLiteral("%1 entries instead of %2").arg(row.size()).arg(formula.BetSize);
        if (rowProblems.isEmpty()) {
            masks.push_back(mask);
        } else {
            allValid = false;
            problems << QStringLiteral("row %1: %2").arg(r + 1).arg(rowProblems.join(QStringLiteral(", ")));
        }
    }
    return allValid;
}

QString PositionsText(const std::vector<int> &positions)
{
    QStringList parts;
    for (int p : positions)
        parts << QString::number(p);
    return parts.join(QLatin1Char(' '));
}

} // namespace

bool FileReport::passed() const
{
    if (!problems.isEmpty())
        return false;
    return std::all_of(formulas.begin(), formulas.end(), [](const FormulaReport &f) { return f.passed(); });
}

FormulaReport VerifyFormula(const TSortivo_GS &formula, int rowLines, const VerifyOptions &options)
{
    FormulaReport report;
    report.name = formula.Name;
    report.rows = static_cast<int>(formula.Rows.size());
    if (!ParseFormulaName(formula.Name, report.key))
        return report; // never looked up by the program: nothing to promise

    const FormulaKey &key = report.key;
    report.lowerBound = BestLowerBound(key);
    report.target = SizeTarget(key);
    if (key.drawSize != 7)
        report.problems << QStringLiteral("draws of %1 numbers; the lottery draws 7").arg(key.drawSize);
    if (key.selection < key.drawSize || key.selection > kMaxDesignPositions)
        report.problems << QStringLiteral("a selection of %1 cannot be checked (%2 to %3)")
                               .arg(key.selection).arg(key.drawSize).arg(kMaxDesignPositions);
    if (key.guarantee < 1 || key.guarantee > key.drawSize)
        report.problems << QStringLiteral("a guarantee of %1 of %2 is meaningless").arg(key.guarantee).arg(key.drawSize);
    if (!report.problems.isEmpty())
        return report;
    report.checked = true;

    const int n = key.selection;
    report.draws = Binomial(n, key.drawSize);
    if (formula.BetSize != key.drawSize)
        report.problems << QStringLiteral("BetSize %1, expected %2").arg(formula.BetSize).arg(key.drawSize);
    if (formula.FullCount != report.draws)
        report.problems << QStringLiteral("FullCount %1, expected C(%2,%3) = %4")
                               .arg(formula.FullCount).arg(n).arg(key.drawSize).arg(report.draws);
    if (rowLines >= 0 && rowLines != report.rows)
        report.problems << QStringLiteral("header counts %1 rows, the file holds %2 row lines").arg(report.rows).arg(rowLines);

    std::vector<SubsetMask> rows;
    CheckRows(formula, n, rows, report.problems);

    // The guarantee, by direct intersection of every draw with the rows.
    const std::vector<SubsetMask> draws = KSubsets(n, key.drawSize);
    for (SubsetMask draw : draws) {
        const bool met = std::any_of(rows.begin(), rows.end(),
                                     [&](SubsetMask row) { return PopCount(row & draw) >= key.guarantee; });
        if (met)
            continue;
        ++report.uncovered;
        if (static_cast<int>(report.uncoveredExamples.size()) < options.examplesKept)
            report.uncoveredExamples.push_back(MaskToPositions(draw));
    }
    if (report.uncovered > 0) {
        QStringList examples;
        for (const auto &draw : report.uncoveredExamples)
            examples << QStringLiteral("{%1}").arg(PositionsText(draw));
        report.problems << QStringLiteral("%1 draws without a row of %2 matches, e.g. %3")
                               .arg(report.uncovered).arg(key.guarantee).arg(examples.join(QStringLiteral(", ")));
    }
    if (report.target > 0 && report.rows > report.target)
        (options.enforceTargets ? report.problems : report.notes)
            << QStringLiteral("%1 rows, above the goal of %2").arg(report.rows).arg(report.target);
    return report;
}

QVector<int> CountRowLines(const QByteArray &bytes)
{
    QVector<int> counts;
    for (const QString &line : SplitTextLines(bytes)) {
        if (line.isEmpty())
            continue;
        if (line.startsWith(QLatin1Char('[')))
            counts.append(0);
        else if (!counts.isEmpty())
            ++counts.last();
    }
    return counts;
}

FileReport VerifyWheelFile(const QByteArray &bytes, const VerifyOptions &options)
{
    FileReport report;
    TGSList formulas;
    try {
        LoadGSFromBytes(bytes, formulas);
    } catch (const AppError &error) {
        report.problems << error.message();
    }
    const QVector<int> rowLines = CountRowLines(bytes);
    QSet<QString> seen;
    for (int i = 0; i < formulas.size(); ++i) {
        FormulaReport formula = VerifyFormula(formulas[i], i < rowLines.size() ? rowLines[i] : -1, options);
        if (seen.contains(formulas[i].Name))
            formula.problems << QStringLiteral("a formula of this name stands earlier; this one is never used");
        seen.insert(formulas[i].Name);
        report.formulas.append(formula);
    }
    if (options.requireShipped)
        for (const FormulaKey &key : ShippedFormulas())
            if (!seen.contains(FormulaName(key)))
                report.problems << QStringLiteral("missing formula %1").arg(FormulaName(key));
    return report;
}

QString FormatReport(const FileReport &report)
{
    QString text = QStringLiteral("%1 %2 %3 %4 %5 %6\n")
                       .arg(QStringLiteral("formula"), -12)
                       .arg(QStringLiteral("rows"), 6)
                       .arg(QStringLiteral("goal"), 6)
                       .arg(QStringLiteral("bound"), 6)
                       .arg(QStringLiteral("verified"), 9)
                       .arg(QStringLiteral("uncovered"), 10);
    for (const FormulaReport &f : report.formulas) {
        const QString name = PadToWidth(f.name, 12);
        text += QStringLiteral("%1 %2 %3 %4 %5 %6\n")
                    .arg(name)
                    .arg(f.rows, 6)
                    .arg(f.target > 0 ? QString::number(f.target) : QStringLiteral("-"), 6)
                    .arg(f.checked ? QString::number(f.lowerBound) : QStringLiteral("-"), 6)
                    .arg(!f.checked && f.passed() ? QStringLiteral("skipped") : f.passed() ? QStringLiteral("yes") : QStringLiteral("NO"), 9)
                    .arg(f.checked ? QString::number(f.uncovered) : QStringLiteral("-"), 10);
        for (const QString &problem : f.problems)
            text += QStringLiteral("    %1\n").arg(problem);
        for (const QString &note : f.notes)
            text += QStringLiteral("    note: %1\n").arg(note);
    }
    for (const QString &problem : report.problems)
        text += problem + QLatin1Char('\n');
    return text;
}

} // namespace quorbel
