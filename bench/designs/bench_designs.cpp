// Speed of the checks on the shipped formula file (goal: the whole verify well under a second).
#include "platform/TextFile.h"
#include "wheel/SortivoGS.h"
#include "wheel/design/DesignVerifier.h"
#include "wheel/design/DrawSpace.h"
#include "wheel/design/MatchAnalysis.h"

#include <benchmark/benchmark.h>

using namespace quorbel;

namespace {

const QByteArray &ShippedBytes()
{
    static const QByteArray bytes = ReadFileBytes(QStringLiteral(QUORBEL_GS_FILE));
    return bytes;
}

// Everything `quorbel-wheels verify` does after reading the file.
void BM_VerifyShippedFile(benchmark::State &state)
{
    const QByteArray &bytes = ShippedBytes();
    for (auto _ : state) {
        const FileReport report = VerifyWheelFile(bytes, VerifyOptions{});
        if (!report.passed())
            state.SkipWithError("the shipped file does not verify");
        benchmark::DoNotOptimize(report);
    }
}
BENCHMARK(BM_VerifyShippedFile)->Unit(benchmark::kMillisecond);

// The largest single check: all 11440 draws of 16 numbers against the 6-of-7 formula.
void BM_AnalyseLargestFormula(benchmark::State &state)
{
    TGSList formulas;
    LoadGSFromBytes(ShippedBytes(), formulas);
    const int index = FindGS(formulas, QStringLiteral("选16中7保6"));
    if (index < 0) {
        state.SkipWithError("no 选16中7保6 in the shipped file");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(AnalyseFormula(formulas[index]));
}
BENCHMARK(BM_AnalyseLargestFormula)->Unit(benchmark::kMillisecond);

// Setting up a search: the coverage lists of 16 numbers, 5 of 7 (11440 lists of 820).
void BM_CoverageListsSixteenFiveOfSeven(benchmark::State &state)
{
    const DrawSpace space(16, 7);
    for (auto _ : state)
        benchmark::DoNotOptimize(CoverageLists(space, 5));
}
BENCHMARK(BM_CoverageListsSixteenFiveOfSeven)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
