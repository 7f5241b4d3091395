#include "app/patternplots.h"

#include <algorithm>
#include <cmath>

#include <QPainter>
#include <QScreen>

#include "patterns/azpattern.h"
#include "patterns/elpattern.h"
#include "report/unitprint.h"

namespace velmo {

namespace {

int32_t Round(double v) { return static_cast<int32_t>(std::nearbyint(v)); }

// The surface of one unit per pixel over the widget's painter, antialiased.
void BeginPlot(QPainter& painter, TUnitPrint& print) {
    print.Initiate(&painter, 100, 100, 0, 0);
    painter.setRenderHint(QPainter::Antialiasing, true);
}

}  // namespace

TPolarGeometry PolarPlotGeometry(int width, int height) {
    TPolarGeometry g;
    g.Center = {width / 2, height / 2};
    g.Radius = Round(0.8 * std::min(width / 2, height / 2));
    return g;
}

TIntRect RectPlotFrame(int width, int height, TViewType view) {
    if (view == vtStretch) return {30, 30, width - 20, height - 30};
    const int e = Round((height - 40) * 0.7);
    return {width / 2 - e / 2, 20, width / 2 + e / 2, height - 20};
}

int32_t RectPlotFontHeight(int screenHeight, const TIntRect& frame, const TRange& range) {
    const int32_t wanted = Round(screenHeight * 12.0 / 600.0);
    if (range.Increment <= 0) return wanted;
    // An angle label ("-10") is about 1.3 label heights wide; keep a gap between them.
    const int labels = (range.Max - range.Min) / range.Increment + 1;
    const double room = static_cast<double>(frame.Right - frame.Left) / labels;
    const int32_t fits = static_cast<int32_t>(room / 1.6);
    return std::max<int32_t>(8, std::min(wanted, fits));
}

TPolarPlotView::TPolarPlotView(QWidget* parent) : QWidget(parent) {
    setObjectName("pbPattern");
    setAccessibleName("Azimuth pattern plot");
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPolarPlotView::SetPattern(const TAzPattern* pattern, TPowerType unit) {
    FPattern = pattern;
    FUnit = unit;
    update();
}

void TPolarPlotView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const int w = width(), h = height();
    if (!FPattern || FPattern->Points.Empty()) {
        DrawNoPatternMessage(painter, w, h);
        return;
    }
    TRealPointList points;
    PlotPoints(FPattern->Points, FUnit, points);
    // The polar trace closes itself when the pattern goes round the whole circle (and
    // stays open when it covers only part of it), as in the report.
    TUnitPrint print;
    BeginPlot(painter, print);
    const TPolarGeometry g = PolarPlotGeometry(w, h);
    DrawPolarPattern(print, g.Center, g.Radius, FPattern->Angle, FUnit, points);
}

TRectPlotView::TRectPlotView(QWidget* parent) : QWidget(parent) {
    setObjectName("pbPattern");
    setAccessibleName("Elevation pattern plot");
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TRectPlotView::SetPattern(const TElPattern* pattern, const TRange& range, TViewType view,
                               TPowerType unit) {
    FPattern = pattern;
    FRange = range;
    FView = view;
    FUnit = unit;
    update();
}

void TRectPlotView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const int w = width(), h = height();
    if (!FPattern) {
        DrawSelectPatternMessage(painter, w, h);
        return;
    }
    if (FPattern->AdjustedPoints.Empty()) {
        DrawNoPatternMessage(painter, w, h);
        return;
    }
    TRealPointList points;
    PlotPoints(FPattern->AdjustedPoints, FUnit, points);
    TUnitPrint print;
    BeginPlot(painter, print);
    const TIntRect frame = RectPlotFrame(w, h, FView);
    const int screenHeight = screen() ? screen()->geometry().height() : 600;
    DrawRectPattern(print, frame, RectPlotFontHeight(screenHeight, frame, FRange), FRange.Increment,
                    FRange.Min, FRange.Max, FUnit, points, 0, false);
}

}  // namespace velmo
