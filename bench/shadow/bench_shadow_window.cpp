// One move of a 630 x 460 borderless form through Qt, with and without its
// shadow attached: the difference is what following the form costs (two
// placements, no drawing). Runs on the offscreen platform unless told otherwise.
#include "shadow/ufrmShadowFrame.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

class Form : public QWidget
{
public:
    Form() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) { setFixedSize(630, 460); }
};

void Move(benchmark::State &state, bool withShadow)
{
    Form form;
    TFormShadow *shadow = withShadow ? new TFormShadow(qApp) : nullptr;
    if (shadow) {
        shadow->Attach(&form);
        shadow->SetShowing(true);
    }
    form.show();
    QCoreApplication::processEvents();
    int step = 0;
    for (auto _ : state) {
        step ^= 1;
        form.move(100 + step, 80);
    }
    delete shadow;
}

void BM_MoveForm(benchmark::State &state) { Move(state, false); }
void BM_MoveFormWithShadow(benchmark::State &state) { Move(state, true); }

} // namespace

BENCHMARK(BM_MoveForm)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MoveFormWithShadow)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
