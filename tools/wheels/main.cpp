// quorbel-wheels: makes, checks and describes the wheel designs of the formula file.
#include "platform/AppError.h"
#include "platform/TextFile.h"
#include "wheel/SortivoGS.h"
#include "wheel/design/DesignSearch.h"
#include "wheel/design/DesignStore.h"
#include "wheel/design/DesignVerifier.h"
#include "wheel/design/MatchAnalysis.h"
#include "wheel/design/TextColumns.h"
#include "wheel/design/WheelFileWriter.h"
#include "wheel/design/WheelTargets.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMap>
#include <QStringList>

#include <csignal>
#include <cstdio>

using namespace quorbel;

namespace {

std::atomic<bool> g_stop{false};

void Print(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stdout);
    std::fflush(stdout);
}

void PrintError(const QString &text)
{
    std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), stderr);
}

const char kUsage[] =
    "usage:\n"
    "  quorbel-wheels verify FILE [--enforce-goals] [--partial]\n"
    "      proves every formula 选n中7保t of FILE over all C(n,7) draws and checks its header\n"
    "      and rows; exits 1 on any failure (--enforce-goals: also on a size above its goal;\n"
    "      --partial: formulas the program looks up may be missing)\n"
    "  quorbel-wheels analyse NAME FILE\n"
    "      how the draws inside the selection fall: best match per draw, with shares\n"
    "  quorbel-wheels bounds\n"
    "      sphere-covering bound, best known lower bound and size goal of every formula\n"
    "  quorbel-wheels search [--n N --t T] [--store DIR] [--seconds S] [--per-size S]\n"
    "                        [--seed X] [--target ROWS] [--group C1,C2,..] [--complement] [--fresh]\n"
    "                        [--temperature T0,T1] [--cooling F] [--moves L] [--jump P] [--weighting]\n"
    "                        [--tabu TENURE] [--scratch] [--size ROWS] [--extend] [--keep-smaller]\n"
    "                        [--weights free|exchange]\n"
    "      simulated annealing (or tabu search with --tabu) downwards from the stored (or a\n"
    "      greedy) design, or with --scratch from random rows at each size (--size: the first\n"
    "      size tried); every smaller covering design is checked and kept in the store\n"
    "      (default store: data/wheels); a failed size is tried again with a new seed;\n"
    "      --extend starts from the stored design for n-1 completed greedily (with --fresh);\n"
    "      --keep-smaller also keeps those rows fixed and searches only the added ones;\n"
    "      --complement (n = 14) keeps every row together with its complement;\n"
    "      --weights: row-weighting local search downwards from the start design instead,\n"
    "      putting in any row that covers an uncovered draw (free) or exchanging one\n"
    "      number of a row (exchange, --tabu: steps a row taken out stays out, default 10);\n"
    "      --seconds in all, the annealing options do not apply\n"
    "      without --n/--t all 16 formulas in turn, each stopping at its goal\n"
    "  quorbel-wheels generate [--store DIR] [--out FILE]\n"
    "      writes the formula file (default GS.spt) from the stored designs and verifies it\n";

// --name value pairs and flags after the command.
struct Options
{
    QStringList positional;
    QMap<QString, QString> values;
    QStringList flags;

    QString value(const QString &name, const QString &fallback = QString()) const { return values.value(name, fallback); }
    bool has(const QString &name) const { return flags.contains(name) || values.contains(name); }
};

Options ParseOptions(const QStringList &args, const QStringList &flagNames)
{
    Options options;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (!arg.startsWith(QStringLiteral("--"))) {
            options.positional << arg;
        } else if (flagNames.contains(arg)) {
            options.flags << arg;
        } else if (i + 1 < args.size()) {
            options.values.insert(arg, args[++i]);
        } else {
            throw AppError(QStringLiteral("option %1 needs a value").arg(arg));
        }
    }
    return options;
}

double ToDouble(const QString &text, const QString &what)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok)
        throw AppError(QStringLiteral("%1: \"%2\" is not a number").arg(what, text));
    return value;
}

std::int64_t ToInteger(const QString &text, const QString &what)
{
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok)
        throw AppError(QStringLiteral("%1: \"%2\" is not a whole number").arg(what, text));
    return value;
}

TGSList LoadFormulaFile(const QString &path)
{
    TGSList formulas;
    LoadGS(path, formulas);
    return formulas;
}

int Verify(const Options &options)
{
    if (options.positional.size() != 1)
        throw AppError(QStringLiteral("verify needs one FILE"));
    VerifyOptions verify;
    verify.enforceTargets = options.has(QStringLiteral("--enforce-goals"));
    verify.requireShipped = !options.has(QStringLiteral("--partial"));
    QElapsedTimer clock;
    clock.start();
    const FileReport report = VerifyWheelFile(ReadFileBytes(options.positional[0]), verify);
    Print(FormatReport(report));
    Print(QStringLiteral("%1 formulas, %2 in %3 ms\n")
              .arg(report.formulas.size())
              .arg(report.passed() ? QStringLiteral("all checks passed") : QStringLiteral("FAILED"))
              .arg(clock.elapsed()));
    return report.passed() ? 0 : 1;
}

int Analyse(const Options &options)
{
    if (options.positional.size() != 2)
        throw AppError(QStringLiteral("analyse needs NAME and FILE"));
    const TGSList formulas = LoadFormulaFile(options.positional[1]);
    const int index = FindGS(formulas, options.positional[0]);
    if (index < 0)
        throw AppError(QStringLiteral("%1 has no formula %2").arg(options.positional[1], options.positional[0]));
    Print(FormatProfile(AnalyseFormula(formulas[index])));
    return 0;
}

int Bounds()
{
    Print(QStringLiteral("formula      C(n,7)  ball  sphere  known   goal\n"));
    for (const FormulaKey &key : ShippedFormulas()) {
        Print(QStringLiteral("%1 %2 %3 %4 %5 %6\n")
                  .arg(PadToWidth(FormulaName(key), 10))
                  .arg(Binomial(key.selection, key.drawSize), 7)
                  .arg(BallSize(key.selection, key.drawSize, key.guarantee), 5)
                  .arg(SphereBound(key.selection, key.drawSize, key.guarantee), 7)
                  .arg(BestLowerBound(key), 6)
                  .arg(SizeTarget(key), 6));
    }
    return 0;
}

int Search(const Options &options)
{
    SearchRequest base;
    base.seconds = ToDouble(options.value(QStringLiteral("--seconds"), QStringLiteral("60")), QStringLiteral("--seconds"));
    base.secondsPerSize = ToDouble(options.value(QStringLiteral("--per-size"), QStringLiteral("0")), QStringLiteral("--per-size"));
    base.seed = static_cast<std::uint64_t>(ToInteger(options.value(QStringLiteral("--seed"), QStringLiteral("1")), QStringLiteral("--seed")));
    base.fromStore = !options.has(QStringLiteral("--fresh"));
    base.fromScratch = options.has(QStringLiteral("--scratch")) || options.has(QStringLiteral("--size"));
    base.extend = options.has(QStringLiteral("--extend")) || options.has(QStringLiteral("--keep-smaller"));
    base.keepSmaller = options.has(QStringLiteral("--keep-smaller"));
    if (options.has(QStringLiteral("--size")))
        base.firstRows = static_cast<int>(ToInteger(options.value(QStringLiteral("--size")), QStringLiteral("--size")));
    if (options.has(QStringLiteral("--group")))
        for (const QString &part : options.value(QStringLiteral("--group")).split(QLatin1Char(',')))
            base.cycles.push_back(static_cast<int>(ToInteger(part, QStringLiteral("--group"))));
    base.complement = options.has(QStringLiteral("--complement"));
    if (options.has(QStringLiteral("--weights"))) {
        const QString moves = options.value(QStringLiteral("--weights"));
        if (moves != QStringLiteral("free") && moves != QStringLiteral("exchange"))
            throw AppError(QStringLiteral("--weights takes free or exchange, not \"%1\"").arg(moves));
        base.method = SearchMethod::RowWeighting;
        base.exchange = moves == QStringLiteral("exchange");
    }
    if (options.has(QStringLiteral("--temperature"))) {
        const QStringList parts = options.value(QStringLiteral("--temperature")).split(QLatin1Char(','));
        base.anneal.startTemperature = ToDouble(parts.value(0), QStringLiteral("--temperature"));
        base.anneal.endTemperature = ToDouble(parts.value(1, parts.value(0)), QStringLiteral("--temperature"));
    }
    if (options.has(QStringLiteral("--cooling")))
        base.anneal.coolingFactor = ToDouble(options.value(QStringLiteral("--cooling")), QStringLiteral("--cooling"));
    if (options.has(QStringLiteral("--moves")))
        base.anneal.movesPerTemperature = ToInteger(options.value(QStringLiteral("--moves")), QStringLiteral("--moves"));
    if (options.has(QStringLiteral("--jump")))
        base.anneal.jumpRate = ToDouble(options.value(QStringLiteral("--jump")), QStringLiteral("--jump"));
    base.anneal.weighting = options.has(QStringLiteral("--weighting"));
    if (options.has(QStringLiteral("--tabu")))
        base.anneal.tabuTenure = static_cast<int>(ToInteger(options.value(QStringLiteral("--tabu")), QStringLiteral("--tabu")));
    const DesignStore store(options.value(QStringLiteral("--store"), QStringLiteral("data/wheels")));

    std::vector<FormulaKey> keys;
    if (options.has(QStringLiteral("--n")) || options.has(QStringLiteral("--t"))) {
        FormulaKey key{static_cast<int>(ToInteger(options.value(QStringLiteral("--n")), QStringLiteral("--n"))), 7,
                       static_cast<int>(ToInteger(options.value(QStringLiteral("--t")), QStringLiteral("--t")))};
        if (key.selection < 8 || key.selection > kMaxDesignPositions || key.guarantee < 1 || key.guarantee > 7)
            throw AppError(QStringLiteral("--n must lie in 8..%1 and --t in 1..7").arg(kMaxDesignPositions));
        keys.push_back(key);
    } else {
        keys = ShippedFormulas();
    }
    const bool explicitTarget = options.has(QStringLiteral("--target"));
    const int target = explicitTarget ? static_cast<int>(ToInteger(options.value(QStringLiteral("--target")), QStringLiteral("--target"))) : 0;

    for (const FormulaKey &key : keys) {
        if (g_stop)
            break;
        SearchRequest request = base;
        request.key = key;
        request.targetRows = explicitTarget ? target : SizeTarget(key);
        const SearchReport report = SearchFormula(request, store, [](const QString &line) { Print(line + QLatin1Char('\n')); }, &g_stop);
        Print(QStringLiteral("%1: best %2 rows (goal %3, bound %4) after %5 s\n")
                  .arg(FormulaName(key)).arg(report.bestRows).arg(SizeTarget(key)).arg(BestLowerBound(key))
                  .arg(report.seconds, 0, 'f', 1));
    }
    return 0;
}

int Generate(const Options &options)
{
    const DesignStore store(options.value(QStringLiteral("--store"), QStringLiteral("data/wheels")));
    const QString out = options.value(QStringLiteral("--out"), QStringLiteral("GS.spt"));
    TGSList formulas;
    for (const FormulaKey &key : ShippedFormulas()) {
        WheelDesign design{key, {}};
        if (!store.load(key, design.rows))
            throw AppError(QStringLiteral("the store holds no design for %1 (%2)").arg(FormulaName(key), store.fileFor(key)));
        formulas.append(ToFormula(design));
    }
    WriteWheelFile(out, formulas);
    Print(QStringLiteral("wrote %1\n").arg(out));
    VerifyOptions verify;
    const FileReport report = VerifyWheelFile(ReadFileBytes(out), verify);
    Print(FormatReport(report));
    return report.passed() ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::signal(SIGINT, [](int) { g_stop = true; });
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args[0] == QStringLiteral("--help") || args[0] == QStringLiteral("help")) {
        std::fputs(kUsage, args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? 2 : 0;
    }
    const QString command = args.takeFirst();
    try {
        const Options options = ParseOptions(args, {QStringLiteral("--enforce-goals"), QStringLiteral("--partial"),
                                                    QStringLiteral("--fresh"), QStringLiteral("--weighting"), QStringLiteral("--complement"),
                                                    QStringLiteral("--scratch"), QStringLiteral("--extend"),
                                                    QStringLiteral("--keep-smaller")});
        if (command == QStringLiteral("verify"))
            return Verify(options);
        if (command == QStringLiteral("analyse") || command == QStringLiteral("analyze"))
            return Analyse(options);
        if (command == QStringLiteral("bounds"))
            return Bounds();
        if (command == QStringLiteral("search"))
            return Search(options);
        if (command == QStringLiteral("generate"))
            return Generate(options);
        PrintError(QStringLiteral("unknown command %1").arg(command));
        std::fputs(kUsage, stderr);
        return 2;
    } catch (const AppError &error) {
        PrintError(error.message());
        return 1;
    }
}
