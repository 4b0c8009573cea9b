// SPDX-License-Identifier: GPL-3.0-or-later
// Generate in the field editor, as a click on the button: the random fleet,
// the progress panel and the repaint of the own board.
//   QT_QPA_PLATFORM=offscreen build/bench/ui/bench_ui
#include "match/gamestate.h"
#include "ui/mainwindow.h"
#include "ui/resources.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace tw;

static MainWindow *window = nullptr;

static void BM_GenerateButton(benchmark::State &state)
{
    window->applyAreaSize(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        window->findChild<QPushButton *>(QStringLiteral("generateButton"))->click();
        QCoreApplication::processEvents(); // the board repaint
    }
}
BENCHMARK(BM_GenerateButton)->Arg(10)->Arg(15)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    // Static, so that they outlive the windows that use them.
    static QTemporaryDir data, runtime;
    qputenv("TARNWAKE_DATA_DIR", data.path().toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    qputenv("TARNWAKE_SILENT", "1");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    initResources();
    Feedback feedback;
    MainWindow main(feedback);
    main.restoreSession();
    main.createCompanions();
    window = &main;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
