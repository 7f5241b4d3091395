#include "report/unitprint.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velmo {

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

void TUnitPrint::SetFont(const std::string& name, TColor color, TFontStyles style, double height) {
    FCanvas.SetFont(name, color, style, RelToLogY(height));
    FFontHeight = height;
}

void TUnitPrint::SetPen(TColor color, int32_t style, double width) {
    FCanvas.SetPen(color, style, std::max(1, RelToLogY(width)));
}

void TUnitPrint::SetBrush(TColor color, int32_t style) { FCanvas.SetBrush(color, style); }

double TUnitPrint::TextHeight(const std::string& text) { return LogToRelY(FCanvas.TextHeight(Q(text))); }
double TUnitPrint::TextWidth(const std::string& text) { return LogToRelX(FCanvas.TextWidth(Q(text))); }

double TUnitPrint::TextOut(double x, double y, const std::string& text) {
    FCanvas.TextOut(AdjustX(x), AdjustY(y), Q(text));
    return y + FFontHeight;
}

double TUnitPrint::TextOutEx(double x, double y, const std::string& text, THorizPosition h,
                             TVerticalPosition v) {
    const QString t = Q(text);
    const double w = FCanvas.TextWidth(t);
    const double th = FCanvas.TextHeight(t);
    const double dx = LogToRelX(h == hpCenter ? w / 2 : h == hpRight ? w : 0);
    const double dy = LogToRelY(v == vpCenter ? th / 2 : v == vpBottom ? th : 0);
    TextOut(x - dx, y - dy, text);
    return (y - dy) + FFontHeight;
}

void TUnitPrint::TextOutAngleEx(double x, double y, double angle, const std::string& text,
                                THorizPosition h, TVerticalPosition v) {
    const QString t = Q(text);
    const double th = FCanvas.TextHeight(t);
    const double phi = (angle + 90.0) * std::numbers::pi / 180.0;
    const double k = v == vpCenter ? 0.5 : v == vpBottom ? 1.0 : 0.0;
    const double dx = LogToRelX(k * th * std::cos(phi));
    const double dy = LogToRelY(k * th * std::sin(phi));
    FCanvas.TextOutAngle(AdjustX(x + dx), AdjustY(y - dy), std::nearbyint(angle * 10.0) / 10.0, t,
                         static_cast<int>(h));
}

int32_t TUnitPrint::DrawText(const TRealRect& r, const std::string& text, int32_t format) {
    return FCanvas.DrawText(DeviceRect(r), Q(text), format);
}

double TUnitPrint::WrapText(double x, double y, double width, const std::string& text) {
    TRealRect r = RealRect(x, y, x + width, y + FFontHeight);
    const double h = LogToRelY(DrawText(r, text, dtWordBreak | dtCalcRect));
    r.Bottom = y + h;
    DrawText(r, text, dtWordBreak);
    return y + h;
}

void TUnitPrint::MoveTo(double x, double y) { FCanvas.MoveTo(AdjustX(x), AdjustY(y)); }
void TUnitPrint::LineTo(double x, double y) { FCanvas.LineTo(AdjustX(x), AdjustY(y)); }

void TUnitPrint::DrawFillLine(double x, double y, double width, double height, TColor color) {
    CanvasDrawFillLine(x, y, width, height, color);
}

void TUnitPrint::Rectangle(const TRealRect& r) { FCanvas.Rectangle(DeviceRect(r)); }
void TUnitPrint::FillRect(const TRealRect& r) { FCanvas.FillRect(DeviceRect(r)); }
void TUnitPrint::Ellipse(const TRealRect& r) { FCanvas.Ellipse(DeviceRect(r)); }

void TUnitPrint::Polyline(PRealPointArray points) {
    if (!points) return;
    FCanvas.Polyline(DevicePoints(*points));
    ReleasePointArray(points);
}

void TUnitPrint::Polygon(PRealPointArray points) {
    if (!points) return;
    FCanvas.Polygon(DevicePoints(*points));
    ReleasePointArray(points);
}

void TUnitPrint::StretchDrawDIB(const TRealRect& r, const QImage& graphic) {
    FCanvas.StretchDraw(DeviceRect(r), graphic);
}

}  // namespace velmo
