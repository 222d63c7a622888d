#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QTimer>
#include <functional>

#include "dialogs/CExitDefinitionDlg.h"
#include "dialogs/CKVLEditApp.h"
#include "res/Resource.h"

namespace {

// Runs the Exit Definition dialog for a prefab of nDimX x 1 x 1 sub cells; whileOpen runs
// once the dialog is up, and then the dialog ends.
void RunExitDefinition(int nDimX, const std::function<void(CExitDefinitionDlg&)>& whileOpen) {
    theSettings.m_Definition.m_nDimX = nDimX;
    theSettings.m_Definition.m_nDimY = 1;
    theSettings.m_Definition.m_nDimZ = 1;
    CExitDefinitionDlg dialog;
    QTimer::singleShot(0, &dialog, [&] {
        QApplication::processEvents();  // shown and painted
        whileOpen(dialog);
        dialog.done(IDCANCEL);
    });
    dialog.DoModal();
}

// From construction until the dialog is shown and painted.
void BM_OpenExitDefinition(benchmark::State& state) {
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        RunExitDefinition(static_cast<int>(state.range(0)), [&](CExitDefinitionDlg&) {
            state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
        });
    }
}

// Dropping down the X list of an open dialog until it is painted.
void BM_OpenXList(benchmark::State& state) {
    for (auto _ : state) {
        RunExitDefinition(static_cast<int>(state.range(0)), [&](CExitDefinitionDlg& dialog) {
            auto* pList = static_cast<QComboBox*>(dialog.GetDlgItem(IDC_SUBCELL_X));
            QElapsedTimer timer;
            timer.start();
            pList->showPopup();
            QApplication::processEvents();
            state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
            pList->hidePopup();
        });
    }
}

}  // namespace

// 16 sub cells is the floor; 1,048,576 the largest dimension the editor accepts.
BENCHMARK(BM_OpenExitDefinition)
    ->Arg(16)
    ->Arg(1 << 20)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenXList)->Arg(16)->Arg(1 << 20)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
