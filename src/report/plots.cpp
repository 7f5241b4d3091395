#include "report/plots.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include <QPainter>

#include "base/numbers.h"

namespace velmo {

namespace {

double Rad(double degrees) { return degrees * std::numbers::pi / 180.0; }
int Round(double v) { return static_cast<int>(std::nearbyint(v)); }

// "%3.*f": fixed decimals, padded with blanks to at least three characters.
std::string FormatLabel(double v, int decimals) {
    std::string s = FormatFixed(v, decimals);
    if (s.size() < 3) s.insert(0, 3 - s.size(), ' ');
    return s;
}

const char* AxisCaption(TPowerType powerType) {
    return powerType == ptRF ? "Relative Field" : "Relative Power, dB";
}

const TColor Silver = RGBColor(192, 192, 192);
const TColor Gray = RGBColor(128, 128, 128);
const TColor Blue = RGBColor(0, 0, 255);
const TColor White = RGBColor(255, 255, 255);
const TColor Black = RGBColor(0, 0, 0);

void DrawMessage(QPainter& canvas, int width, int height, const QString& text) {
    canvas.save();
    canvas.setBrush(Qt::NoBrush);
    canvas.setPen(QColor(0, 0, 0));
    QFont font = MakeReportFont("Arial", 0, 30);
    canvas.setFont(font);
    canvas.drawText(QRect(0, 0, width, height), Qt::AlignCenter | Qt::TextSingleLine, text);
    canvas.restore();
}

}  // namespace

TValueAxis ValueAxis(TPowerType powerType) {
    if (powerType == ptRF) return TValueAxis{0, 1, 10, 0.1, 1};
    return TValueAxis{-40, 0, 8, 5, 0};
}

void PlotPoints(const TRealPointList& fields, TPowerType powerType, TRealPointList& result) {
    result.Assign(fields);
    if (powerType == ptRP) result.ConvertTodB();
}

double PolarX(double cx, double r, double a) { return cx + r * std::cos(Rad(a + 90)); }
double PolarY(double cy, double r, double a) { return cy - r * std::sin(Rad(a + 90)); }

void DrawPolarGrid(TBasePrint& print, TIntPoint c, int32_t radius, TPowerType powerType) {
    const TValueAxis axis = ValueAxis(powerType);
    const double r = radius;
    print.SetBrush(White, bsSolid);
    print.SetPen(Black, psSolid, 1);
    print.Circle(c.X, c.Y, r);
    print.SetPen(Silver, psSolid, 1);
    for (int i = axis.Divisions - 1; i >= 1; --i)
        print.Circle(c.X, c.Y, static_cast<double>(i) / axis.Divisions * r);
    for (int i = 1; i <= 36; ++i)
        print.DrawLine(c.X, c.Y, PolarX(c.X, r, 10.0 * i), Round(PolarY(c.Y, r, 10.0 * i)));
    print.SetBrush(White, bsClear);
    print.SetPen(Black, psSolid, 1);
    print.Circle(c.X, c.Y, r);

    print.SetFont("Arial", Black, 0, Round(r / 16));
    for (int i = 0; i <= 35; ++i)
        print.TextOutEx(PolarX(c.X, 1.1 * r, -10.0 * i), PolarY(c.Y, 1.1 * r, -10.0 * i),
                        FormatInt(10 * i), hpCenter, vpCenter);
    double v = axis.Min;
    for (int i = 1; i <= axis.Divisions; ++i) {
        v += axis.Step;
        print.TextOutEx(c.X, c.Y - static_cast<double>(i) / axis.Divisions * r,
                        FormatLabel(v, axis.Decimals), hpCenter, vpTop);
    }
    print.TextOutAngleEx(c.X, c.Y + 0.95 * r, 90, AxisCaption(powerType), hpLeft, vpCenter);
}

void DrawPolarTrace(TBasePrint& print, TIntPoint c, int32_t radius, const TRealPointList& points,
                    double min, double max, int32_t angle) {
    print.SetBrush(Blue, bsSolid);
    print.SetPen(Blue, psSolid, 2);
    PRealPointArray array = print.NewPointArray();
    array->reserve(static_cast<size_t>(points.Count()));
    for (const TRealPoint& p : points.Points()) {
        const double v = p.Y < min ? min : p.Y;  // values above max are not cut
        const double r = (v - min) / (max - min) * radius;
        const double theta = angle + p.X;
        array->push_back(TRealPoint{PolarX(c.X, r, -theta), PolarY(c.Y, r, -theta)});
    }
    // A pattern round the whole circle (0 ... 359) is closed from its last point back to
    // its first, so the degree before 0 is drawn like every other. A pattern that covers
    // only part of the circle (the step back to its start longer than any step between
    // its points) stays open.
    const auto& pts = points.Points();
    if (pts.size() >= 3) {
        double largestStep = 0;
        for (size_t i = 1; i < pts.size(); ++i)
            largestStep = std::max(largestStep, std::fabs(pts[i].X - pts[i - 1].X));
        const double wrapStep = pts.front().X + 360 - pts.back().X;
        if (wrapStep > 0 && wrapStep <= largestStep + 1e-9) array->push_back(array->front());
    }
    print.Polyline(array);
}

void DrawPolarPattern(TBasePrint& print, TIntPoint center, int32_t radius, int32_t angle,
                      TPowerType powerType, const TRealPointList& points) {
    const TValueAxis axis = ValueAxis(powerType);
    DrawPolarGrid(print, center, radius, powerType);
    DrawPolarTrace(print, center, radius, points, axis.Min, axis.Max, angle);
}

void DrawRectGrid(TBasePrint& print, TIntRect rect, int32_t fontHeight, bool showMinor,
                  TPowerType powerType, double xMax, double xMin, double /*min*/, double /*max*/,
                  int32_t increment) {
    const TValueAxis axis = ValueAxis(powerType);
    const double left = rect.Left, top = rect.Top, right = rect.Right, bottom = rect.Bottom;
    const double w = right - left, h = bottom - top, spanX = xMax - xMin;
    const int d = axis.Divisions;
    auto hLine = [&](int i) {
        const double y = bottom - static_cast<double>(i) / d * h / 5;
        print.DrawLine(left, y, right - 1, y);
    };
    auto vLine = [&](int i, double q) {
        const double x = left + i / (spanX / q) * w;
        print.DrawLine(x, bottom - 1, x, top);
    };

    if (showMinor) {
        print.SetBrush(White, bsSolid);
        print.SetPen(Silver, psSolid, 0.5);
        for (int i = 1; i <= 5 * d - 1; ++i)
            if (i % 5 != 0) hLine(i);
        const int per = increment == 1 ? 4 : 5;
        const double q = static_cast<double>(increment) / per;
        if (q > 0) {
            const int n = Round(spanX / q);
            for (int i = 1; i <= n - 1; ++i)
                if (i % per != 0) vLine(i, q);
        }
    }
    print.SetBrush(White, bsSolid);
    if (showMinor)
        print.SetPen(Gray, psSolid, 1);
    else
        print.SetPen(Silver, psSolid, 1);
    for (int i = 1; i <= 5 * d - 1; ++i)
        if (i % 5 == 0) hLine(i);
    const double q = increment / 4.0;
    if (q > 0) {
        const int n = Round(spanX / q);
        for (int i = 1; i <= n - 1; ++i)
            if (i % 4 == 0) vLine(i, q);
    }

    print.SetBrush(White, bsClear);
    print.SetFont("Arial", Black, 0, fontHeight);
    for (int i = 0; i <= d; ++i)
        print.TextOutEx(left, bottom - static_cast<double>(i) / d * h,
                        FormatLabel(axis.Min + i * axis.Step, axis.Decimals) + " ", hpRight, vpCenter);
    if (increment > 0) {
        const int n = Round(spanX / increment);
        for (int i = 0; i <= n; ++i)
            print.TextOutEx(left + i / (spanX / increment) * w, bottom + 1,
                            FormatFixed(xMin + static_cast<double>(i) * increment, 0), hpCenter, vpTop);
    }
    if (showMinor) {
        print.SetFont("Arial", Black, fsBold, 2.0 * fontHeight);
        print.TextOutAngleEx(left - 0.1 * w, top + h / 2, 90, AxisCaption(powerType), hpCenter,
                             vpCenter);
    }
    print.SetPen(Black, psSolid, 1);
    print.Rectangle(TBasePrint::RealRect(left, top, right, bottom));
}

void DrawRectTrace(TBasePrint& print, TIntRect rect, const TRealPointList& points, long double offset,
                   double xMax, double xMin, double min, double max) {
    const double left = rect.Left, top = rect.Top, right = rect.Right, bottom = rect.Bottom;
    const double w = right - left, h = bottom - top, spanX = xMax - xMin;
    print.SetBrush(Blue, bsSolid);
    print.SetPen(Blue, psSolid, 2);
    bool first = true;
    for (const TRealPoint& p : points.Points()) {
        const double x = static_cast<double>(p.X + offset);
        if (x < xMin || x > xMax) continue;
        const double v = p.Y < min ? min : p.Y;
        const double px = left + (x - xMin) / spanX * w;
        const double py = bottom - (v - min) / (max - min) * h;
        if (first)
            print.MoveTo(px, py);
        else
            print.LineTo(px, py);
        first = false;
    }
}

void DrawRectPattern(TBasePrint& print, TIntRect rect, int32_t fontHeight, int32_t increment,
                     double xMin, double xMax, TPowerType powerType, const TRealPointList& points,
                     long double offset, bool showMinor) {
    const TValueAxis axis = ValueAxis(powerType);
    DrawRectGrid(print, rect, fontHeight, showMinor, powerType, xMax, xMin, axis.Min, axis.Max,
                 increment);
    DrawRectTrace(print, rect, points, offset, xMax, xMin, axis.Min, axis.Max);
}

void DrawSelectPatternMessage(QPainter& canvas, int width, int height) {
    DrawMessage(canvas, width, height, QStringLiteral("Select Pattern"));
}

void DrawNoPatternMessage(QPainter& canvas, int width, int height) {
    DrawMessage(canvas, width, height, QStringLiteral("Contact Orvane for pattern."));
}

}  // namespace velmo
