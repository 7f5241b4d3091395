// Recording a typical ten-page report and playing it back onto page images and into a
// PDF file.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <string>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "base/numbers.h"
#include "report/canvas.h"
#include "report/plots.h"
#include "report/reporter.h"

using namespace velmo;

namespace {

void Frame(TReporter& r, const std::string& title) {
    r.SetPen(clBlack, psSolid, 1);
    r.SetBrush(clWhite, bsClear);
    r.Rectangle(TBasePrint::RealRect(25, 25, 825, 1075));
    r.DrawFromRes(TBasePrint::RealRect(50, 40, 800, 90), "Orvane_LOGO2");
    r.DrawFromRes(TBasePrint::RealRect(50, 1000, 800, 1050), "Orvane_FOOTER");
    r.SetFont("Arial", clBlack, fsBold | fsItalic, 18);
    r.TextOutEx(425, 110, title, hpCenter, vpTop);
    r.SetFont("Arial", clBlack, fsItalic, 10);
    r.TextOutEx(800, 980, "Page " + FormatInt(r.PageIndex), hpRight, vpBottom);
}

void TextPage(TReporter& r, const std::string& title) {
    Frame(r, title);
    r.SetFont("Arial", clBlack, 0, 12);
    double y = 180;
    for (int i = 0; i < 40; ++i) {
        r.TextOutEx(100, y, "Characteristic " + FormatInt(i) + ":", hpLeft, vpTop);
        r.TextOutEx(455, y, "Hor Pol:", hpRight, vpTop);
        y = r.TextOutEx(625, y, FormatFixed(12.345 * i, 2) + " dBd", hpCenter, vpTop);
    }
    std::vector<std::string> lines;
    r.BreakString("Notes: the values shown are preliminary and depend on the final mounting, "
                  "the tower and the transmission line chosen for the station.", lines, 650);
    for (const auto& l : lines) y = r.TextOut(100, y, l);
}

void TablePage(TReporter& r, const std::string& title) {
    Frame(r, title);
    r.SetFont("Arial", clBlack, 0, 4.5);
    for (int row = 0; row < 180; ++row) {
        const double y = 150 + row * 4.6;
        for (int col = 0; col < 4; ++col) {
            r.TextOutEx(120 + col * 170, y, FormatInt(row + col * 180), hpRight, vpTop);
            r.TextOutEx(200 + col * 170, y, FormatFixed(0.5 + 0.5 * std::cos(row * 0.05 + col), 3),
                        hpRight, vpTop);
        }
    }
}

void PolarPage(TReporter& r) {
    Frame(r, "Azimuth Pattern");
    TRealPointList pts, db;
    for (int a = 0; a < 360; ++a)
        pts.AddPoint(a, 0.55 + 0.45 * std::cos(2 * a * std::numbers::pi / 180));
    PlotPoints(pts, ptRP, db);
    DrawPolarPattern(r, TIntPoint{425, 640}, 275, 30, ptRP, db);
}

void RectPage(TReporter& r) {
    Frame(r, "Elevation Pattern");
    TRealPointList pts;
    for (int i = -100; i <= 900; ++i) {
        const double x = (i / 10.0 - 1) * std::numbers::pi / 15;
        pts.AddPoint(i / 10.0, std::fabs(x) < 1e-9 ? 1 : std::fabs(std::sin(x) / x));
    }
    DrawRectPattern(r, TIntRect{165, 240, 735, 910}, 12, 5, -10, 90, ptRF, pts, 0, true);
}

void AnalysisPage(TReporter& r) {
    Frame(r, "Power Analysis");
    r.DrawFromRes(TBasePrint::RealRect(100, 200, 750, 700), "ANALYSIS");
    r.SetFont("Arial", clBlack, 0, 12);
    for (int i = 0; i < 20; ++i) {
        r.TextOutEx(150 + (i % 4) * 150, 720 + (i / 4) * 40, FormatFixed(i * 1.25, 2) + " kW", hpCenter,
                    vpCenter);
        r.DrawFillLine(120 + (i % 4) * 150, 740 + (i / 4) * 40, 100, 2, clRed);
    }
}

void BuildReport(TReporter& r) {
    TextPage(r, "Preliminary Specification");
    r.NewPage();
    TextPage(r, "Electrical Characteristics");
    r.NewPage();
    TextPage(r, "Mechanical Characteristics");
    r.NewPage();
    AnalysisPage(r);
    r.NewPage();
    PolarPage(r);
    r.NewPage();
    TablePage(r, "Azimuth Pattern Tabulation");
    r.NewPage();
    RectPage(r);
    r.NewPage();
    TablePage(r, "Elevation Pattern Tabulation");
    r.NewPage();
    PolarPage(r);
    r.NewPage();
    TablePage(r, "Tabulated Azimuth Pattern");
}

void BM_RecordTenPages(benchmark::State& state) {
    for (auto _ : state) {
        ForgetTextAdvances();  // each run measures its texts afresh
        TReporter r;
        BuildReport(r);
        benchmark::DoNotOptimize(r.GetPageCount());
    }
}
BENCHMARK(BM_RecordTenPages)->Unit(benchmark::kMillisecond);

void BM_PlayTenPagesToPageImages(benchmark::State& state) {
    TReporter r;
    BuildReport(r);
    for (auto _ : state) {
        ForgetTextAdvances();
        r.PrintMetaFiles();
        benchmark::DoNotOptimize(r.MetaCount());
    }
}
BENCHMARK(BM_PlayTenPagesToPageImages)->Unit(benchmark::kMillisecond);

// What the preview shows: a page image stretched onto a screen-sized image.
void BM_ShowPageImageOnScreen(benchmark::State& state) {
    TReporter r;
    BuildReport(r);
    r.PrintMetaFiles();
    QImage screen(772, 1000, QImage::Format_RGB32);
    int page = 0;
    for (auto _ : state) {
        screen.fill(Qt::white);
        QPainter p(&screen);
        p.scale(772.0 / 850, 1000.0 / 1100);
        r.MetaFile(page).Play(p);
        page = (page + 1) % r.MetaCount();
    }
}
BENCHMARK(BM_ShowPageImageOnScreen)->Unit(benchmark::kMillisecond);

void BM_WriteTenPagesPdf(benchmark::State& state) {
    TReporter r;
    BuildReport(r);
    const std::string path =
        (std::filesystem::temp_directory_path() / "velmo_bench_report.pdf").string();
    for (auto _ : state) {
        ForgetTextAdvances();
        WritePdf(r, path);
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_WriteTenPagesPdf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
