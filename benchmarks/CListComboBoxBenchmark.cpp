#include <benchmark/benchmark.h>

#include <QApplication>

#include "dialogs/CListComboBox.h"

// Filling a coordinate list as the Exit Definition dialog does, up to the largest dimension
// the editor accepts (1,048,576 entries).
static void BM_FillSortedCoordinateList(benchmark::State& state) {
    QStringList texts;
    for (int64_t i = 0; i < state.range(0); ++i) {
        texts.append(QString::number(i));
    }
    for (auto _ : state) {
        CListComboBox list(true);
        list.AddStrings(texts);
        list.SetCurSel(0);
        benchmark::DoNotOptimize(list.currentText());
    }
}
BENCHMARK(BM_FillSortedCoordinateList)
    ->Arg(12)
    ->Arg(1024)
    ->Arg(1 << 20)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
