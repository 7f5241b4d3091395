// Responsiveness of the FM elevation page: one spin-button step recomputes the bay
// array, refreshes the page's fields and lists, and repaints the plot. Measured over
// the page logic, its widget's refresh and one offscreen repaint of the plot widget.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/elevationviews.h"
#include "app/patternplots.h"
#include "model/design.h"
#include "wizard/elevationpages.h"

namespace {

using namespace velmo;

enum TStepKind { skTilt = 0, skFirstFill = 1, skSecondFill = 2 };

void BM_FMElevationStep(benchmark::State& state) {
    const auto kind = static_cast<TStepKind>(state.range(0));
    const TViewType view = state.range(1) ? vtStretch : vtPortrait;
    TBroadcastDesign& d = WorkingDesign();
    d.DesignInfo.SystemType = "FM";
    d.OptionsPage.FamilyID = "RNVX";
    d.OptionsPage.PolCode = "E";
    d.OptionsPage.FeedCode = "E";
    TWizardButton next;
    TfrmFMElevation page(next);
    page.PageEnter();
    // The largest array of the family and feed.
    int largest = 0;
    for (int i = 0; i < page.FMPatternList.Count(); ++i)
        if (page.FMPatternList.Item(i).BayCount > page.FMPatternList.Item(largest).BayCount) largest = i;
    page.OnFMPatternSelection(largest);
    page.StepBeamtilt(-10);
    page.StepFirstNullFill(5);
    page.StepSecondNullFill(3);
    page.SetPatternView(view);
    auto widget = std::make_unique<TfrmFMElevationView>(page, nullptr);
    const int width = static_cast<int>(state.range(2));
    widget->resize(width, width == 800 ? 520 : 1000);
    widget->show();  // offscreen: lays the page out at its size
    QApplication::processEvents();
    TRectPlotView* plot = widget->Plot();
    QImage image(plot->size(), QImage::Format_ARGB32_Premultiplied);
    int direction = 1;
    for (auto _ : state) {
        switch (kind) {
            case skTilt: page.StepBeamtilt(direction); break;
            case skFirstFill: page.StepFirstNullFill(direction); break;
            case skSecondFill: page.StepSecondNullFill(direction); break;
        }
        direction = -direction;
        QPainter painter(&image);
        plot->render(&painter);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetLabel(page.FMPatternList.Item(largest).PolID + ", plot " + std::to_string(plot->width()) +
                   " x " + std::to_string(plot->height()));
    widget.reset();
    page.Final();
}
BENCHMARK(BM_FMElevationStep)
    ->ArgsProduct({{skTilt, skFirstFill, skSecondFill}, {0, 1}, {800, 1920}})
    ->ArgNames({"step", "stretch", "width"})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
