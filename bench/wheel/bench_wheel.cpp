// Expanding and formatting the largest formula for 16 numbers. The full
// combination of 16 numbers in bets of 7 (11440 rows) bounds every reduced
// wheel of that size; the largest "选16..." formula of data/GS.spt is measured
// too when the file is there.

#include "wheel/BetExpansion.h"
#include "wheel/BetFile.h"

#include <benchmark/benchmark.h>

#include <QFile>

using namespace quorbel;

namespace {

const QVector<qint32> Selection16{12, 3, 25, 7, 30, 18, 9, 21, 14, 40, 1, 33, 27, 16, 5, 38};

TSortivo_GS fullCombination(int n, int k)
{
    TSortivo_GS formula;
    formula.Name = QStringLiteral("选%1全组合").arg(n);
    formula.BetSize = k;
    QVector<qint32> row(k);
    for (int i = 0; i < k; ++i)
        row[i] = i + 1;
    for (;;) {
        formula.Rows.append(row);
        int i = k - 1;
        while (i >= 0 && row[i] == n - k + i + 1)
            --i;
        if (i < 0)
            break;
        ++row[i];
        for (int j = i + 1; j < k; ++j)
            row[j] = row[j - 1] + 1;
    }
    formula.FullCount = qint32(formula.Rows.size());
    return formula;
}

void expandAndFormat(benchmark::State &state, const TSortivo_GS &formula)
{
    for (auto _ : state) {
        QStringList lines = GenerateBetLines(formula, Selection16);
        benchmark::DoNotOptimize(lines);
    }
    state.SetItemsProcessed(state.iterations() * formula.Rows.size());
    state.counters["rows"] = double(formula.Rows.size());
}

void BM_ExpandAndFormat_Full16of7(benchmark::State &state)
{
    static const TSortivo_GS formula = fullCombination(16, 7);
    expandAndFormat(state, formula);
}
BENCHMARK(BM_ExpandAndFormat_Full16of7)->Unit(benchmark::kMillisecond);

void BM_ExpandFormatAndEncode_Full16of7(benchmark::State &state)
{
    static const TSortivo_GS formula = fullCombination(16, 7);
    for (auto _ : state) {
        QByteArray bytes = BetFileBytes(GenerateBetLines(formula, Selection16));
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * formula.Rows.size());
}
BENCHMARK(BM_ExpandFormatAndEncode_Full16of7)->Unit(benchmark::kMillisecond);

// The largest formula for 16 numbers in the shipped formula file, if any.
void registerShippedFormula()
{
    if (!QFile::exists(QStringLiteral(QUORBEL_GS_FILE)))
        return;
    TGSList list;
    LoadGS(QStringLiteral(QUORBEL_GS_FILE), list);
    const TSortivo_GS *largest = nullptr;
    for (const TSortivo_GS &formula : list) {
        if (formula.Name.startsWith(QStringLiteral("选16")) && (!largest || formula.Rows.size() > largest->Rows.size()))
            largest = &formula;
    }
    if (!largest || FindPositionFault(*largest, 16))
        return;
    static const TSortivo_GS shipped = *largest;
    benchmark::RegisterBenchmark("BM_ExpandAndFormat_Shipped16",
                                 [](benchmark::State &state) { expandAndFormat(state, shipped); })
        ->Unit(benchmark::kMicrosecond);
}

} // namespace

int main(int argc, char **argv)
{
    registerShippedFormula();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
