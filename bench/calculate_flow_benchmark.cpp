// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the whole "計算" flow on the main window, offscreen: from the click until the window
// is painted, with the inputs read, the design calculated, shown and checked, the fatigue
// diagram and the spring view drawn.

#include "app/windows/main_window.h"
#include "diagram/painting/fatigue_diagram.h"
#include "startup/program_start.h"
#include "toolkit/painting/fonts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace hspring {
namespace {

// The window as the program opens it, on the data that ships with the program (the folder is
// empty, so the start-up takes the built-in copies; their notices are not shown), with the
// lower page `page` in front: 0 the history, 1 the spring shape, whose view is painted too.
struct OpenMainWindow {
    QTemporaryDir folder;
    ProgramStart start =
        startProgram(DataFiles::in(folder.path().toStdString()), MissingDataFile::UseBuiltIn);
    MainWindow window{*start.state, folder.path()};
    QAbstractButton* calculate = window.findChild<QAbstractButton*>(QStringLiteral("BitBtn2"));
    QLineEdit* coilDiameter = window.findChild<QLineEdit*>(QStringLiteral("Edit18"));

    explicit OpenMainWindow(int page) {
        window.findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(page);
        window.show();
        QCoreApplication::processEvents();
    }

    // The coil diameter alternates, so that every click calculates and shows a design other
    // than the last.
    void click(std::size_t i) {
        coilDiameter->setText((i & 1) != 0 ? QStringLiteral("11") : QStringLiteral("10"));
        calculate->click();
    }
};

// What the user waits for: the click, then at once the painting the event loop would do next,
// of everything the click changed.
void BM_CalculateFlow(benchmark::State& state) {
    OpenMainWindow open(static_cast<int>(state.range(0)));
    std::size_t i = 0;
    for (auto _ : state) {
        open.click(i++);
        QCoreApplication::sendPostedEvents(&open.window, QEvent::UpdateRequest);
    }
}
BENCHMARK(BM_CalculateFlow)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The same with the whole window repainted after each click, changed or not.
void BM_CalculateFlowFullRepaint(benchmark::State& state) {
    OpenMainWindow open(static_cast<int>(state.range(0)));
    std::size_t i = 0;
    for (auto _ : state) {
        open.click(i++);
        open.window.repaint();
    }
}
BENCHMARK(BM_CalculateFlowFullRepaint)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The parts: the click's handler alone, and the whole window's painting alone.
void BM_CalculateClickOnly(benchmark::State& state) {
    OpenMainWindow open(0);
    std::size_t i = 0;
    for (auto _ : state)
        open.click(i++);
}
BENCHMARK(BM_CalculateClickOnly)->Unit(benchmark::kMicrosecond);

void BM_FullRepaintOnly(benchmark::State& state) {
    OpenMainWindow open(static_cast<int>(state.range(0)));
    for (auto _ : state)
        open.window.repaint();
}
BENCHMARK(BM_FullRepaintOnly)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The fatigue diagram drawn whole, as the first picture of a run is.
void BM_DrawFatigueDiagram(benchmark::State& state) {
    QImage image(kFatigueDiagramWidth, kFatigueDiagramHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        benchmark::DoNotOptimize(drawFatigueDiagram(painter, 0.35, 0.15, 1.25));
    }
}
BENCHMARK(BM_DrawFatigueDiagram)->Unit(benchmark::kMicrosecond);

// What the window does for each further design shown: the kept background and the markers.
void BM_RenderFatigueDiagram(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(renderFatigueDiagram(0.35, 0.15, 1.25));
}
BENCHMARK(BM_RenderFatigueDiagram)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace hspring

int main(int argc, char** argv) {
    // Drawn offscreen unless a platform is asked for; the program's style and fonts.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    application.setStyle(QStringLiteral("Fusion"));
    hspring::installFontSubstitutes();
    application.setFont(hspring::windowFont(12));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
