#pragma once
// The pattern plots of the wizard pages: the report's own plot procedures drawn on the
// widget through a surface of one unit per pixel, antialiased, following the widget's
// size.
#include <QWidget>

#include "base/types.h"
#include "report/plots.h"

namespace velmo {

class TAzPattern;
class TElPattern;

// Where a polar plot of a w x h display lies: centre and radius 0.8 of the smaller
// half-size.
struct TPolarGeometry {
    TIntPoint Center;
    int32_t Radius = 0;
};
TPolarGeometry PolarPlotGeometry(int width, int height);
// The frame of a rectangular plot: a centred portrait box, or the display less its
// margins for the stretched view.
TIntRect RectPlotFrame(int width, int height, TViewType view);
// The label height of a rectangular plot: 12 pixels per 600 of screen height, made
// smaller when the angle labels would not fit side by side in the frame.
int32_t RectPlotFontHeight(int screenHeight, const TIntRect& frame, const TRange& range);

// The polar plot of an azimuth pattern's Points turned by its Angle; the trace is
// closed at 0 degrees. No pattern, or one without points: "Contact Orvane for
// pattern.".
class TPolarPlotView : public QWidget {
public:
    explicit TPolarPlotView(QWidget* parent = nullptr);
    void SetPattern(const TAzPattern* pattern, TPowerType unit);
    QSize sizeHint() const override { return {360, 360}; }
    QSize minimumSizeHint() const override { return {160, 160}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const TAzPattern* FPattern = nullptr;
    TPowerType FUnit = ptRF;
};

// The rectangular plot of an elevation pattern's AdjustedPoints over the angle range.
// No pattern: "Select Pattern"; a pattern without points: "Contact Orvane for
// pattern.".
class TRectPlotView : public QWidget {
public:
    explicit TRectPlotView(QWidget* parent = nullptr);
    void SetPattern(const TElPattern* pattern, const TRange& range, TViewType view, TPowerType unit);
    QSize sizeHint() const override { return {360, 400}; }
    QSize minimumSizeHint() const override { return {180, 200}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const TElPattern* FPattern = nullptr;
    TRange FRange{-10, 10, 1};
    TViewType FView = vtPortrait;
    TPowerType FUnit = ptRF;
};

}  // namespace velmo
