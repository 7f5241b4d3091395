#pragma once
// Radiation pattern plots on any drawing surface: a polar plot for azimuth patterns and
// a rectangular plot for elevation patterns. Every length is in the surface's units.
// The points are drawn as given: a plot in dB takes a converted copy (PlotPoints).
#include <cstdint>

#include "base/types.h"
#include "report/baseprint.h"

class QPainter;

namespace velmo {

struct TIntPoint {
    int32_t X = 0;
    int32_t Y = 0;
};
struct TIntRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
};

// The settings an elevation display keeps.
struct TDrawInfo {
    TRange Range;
    TViewType ViewType = vtPortrait;
    double Offset = 0;
};

// The value axis of a power type.
struct TValueAxis {
    double Min;
    double Max;
    int Divisions;
    double Step;
    int Decimals;
};
TValueAxis ValueAxis(TPowerType powerType);

// The points in the unit of the power type: a copy, converted to dB for ptRP.
void PlotPoints(const TRealPointList& fields, TPowerType powerType, TRealPointList& result);

// CX + R cos(A + 90), CY - R sin(A + 90): with A = -t, compass angle t from the top.
double PolarX(double cx, double r, double a);
double PolarY(double cy, double r, double a);

void DrawPolarGrid(TBasePrint& print, TIntPoint center, int32_t radius, TPowerType powerType);
void DrawPolarTrace(TBasePrint& print, TIntPoint center, int32_t radius, const TRealPointList& points,
                    double min, double max, int32_t angle);
// Angle turns the drawing clockwise; points have X = azimuth in degrees.
void DrawPolarPattern(TBasePrint& print, TIntPoint center, int32_t radius, int32_t angle,
                      TPowerType powerType, const TRealPointList& points);

void DrawRectGrid(TBasePrint& print, TIntRect rect, int32_t fontHeight, bool showMinor,
                  TPowerType powerType, double xMax, double xMin, double min, double max,
                  int32_t increment);
void DrawRectTrace(TBasePrint& print, TIntRect rect, const TRealPointList& points, long double offset,
                   double xMax, double xMin, double min, double max);
// Points have X = angle in degrees (plus offset) between xMin and xMax; the others are
// skipped.
void DrawRectPattern(TBasePrint& print, TIntRect rect, int32_t fontHeight, int32_t increment,
                     double xMin, double xMax, TPowerType powerType, const TRealPointList& points,
                     long double offset, bool showMinor);

// The messages of an empty pattern display, centred in (0, 0, width, height).
void DrawSelectPatternMessage(QPainter& canvas, int width, int height);
void DrawNoPatternMessage(QPainter& canvas, int width, int height);

}  // namespace velmo
