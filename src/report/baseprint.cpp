#include "report/baseprint.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velmo {

namespace {
int Round(double v) { return static_cast<int>(std::nearbyint(v)); }
}  // namespace

void TBasePrint::Initiate(QPainter* canvas, double horzScale, double vertScale, double leftOffSet,
                          double topOffSet) {
    FCanvas.Attach(canvas);
    FPPInchX = horzScale;
    FPPInchY = vertScale;
    FLeftOffSet = leftOffSet;
    FTopOffSet = topOffSet;
}

int TBasePrint::AdjustX(double x) const { return Round((x + Shift.X) / 100.0 * FPPInchX - FLeftOffSet); }
int TBasePrint::AdjustY(double y) const { return Round((y + Shift.Y) / 100.0 * FPPInchY - FTopOffSet); }
int TBasePrint::RelToLogX(double value) const { return Round(value / 100.0 * FPPInchX); }
int TBasePrint::RelToLogY(double value) const { return Round(value / 100.0 * FPPInchY); }
double TBasePrint::LogToRelX(double value) const { return value / FPPInchX * 100.0; }
double TBasePrint::LogToRelY(double value) const { return value / FPPInchY * 100.0; }

TRect TBasePrint::DeviceRect(const TRealRect& r) const {
    return TRect{AdjustX(r.Left), AdjustY(r.Top), AdjustX(r.Right), AdjustY(r.Bottom)};
}

void TBasePrint::OffsetRealRect(TRealRect& r, double dx, double dy) {
    r.Left += dx;
    r.Right += dx;
    r.Top += dy;
    r.Bottom += dy;
}

void TBasePrint::DrawLine(double x1, double y1, double x2, double y2) {
    MoveTo(x1, y1);
    LineTo(x2, y2);
}

void TBasePrint::Circle(double x, double y, double r) { Ellipse(RealRect(x - r, y - r, x + r, y + r)); }

PRealPointArray TBasePrint::NewPointArray() {
    FPointsList.push_back(std::make_unique<TRealPointArray>());
    return FPointsList.back().get();
}

QPolygon TBasePrint::DevicePoints(const TRealPointArray& points) const {
    QPolygon poly(static_cast<int>(points.size()));
    for (size_t i = 0; i < points.size(); ++i)
        poly.setPoint(static_cast<int>(i), AdjustX(points[i].X), AdjustY(points[i].Y));
    return poly;
}

bool TBasePrint::OwnsPointArray(PRealPointArray points) const {
    // Arrays are nearly always handed over right after they were made: search from the end.
    for (auto it = FPointsList.rbegin(); it != FPointsList.rend(); ++it)
        if (it->get() == points) return true;
    return false;
}

std::unique_ptr<TRealPointArray> TBasePrint::ReleasePointArray(PRealPointArray points) {
    for (auto it = FPointsList.end(); it != FPointsList.begin();) {
        --it;
        if (it->get() == points) {
            std::unique_ptr<TRealPointArray> owned = std::move(*it);
            FPointsList.erase(it);
            return owned;
        }
    }
    return nullptr;
}

void TBasePrint::CanvasTextOutAngleEx(int x, int y, double angle, const QString& text,
                                      THorizPosition h, TVerticalPosition v) {
    const double th = FCanvas.TextHeight(text);
    const double phi = (angle + 90.0) * std::numbers::pi / 180.0;
    double dx = 0, dy = 0;
    if (v == vpCenter) {
        dx = th / 2 * std::cos(phi);
        dy = th / 2 * std::sin(phi);
    } else if (v == vpBottom) {
        dx = th * std::cos(phi);
        dy = th * std::sin(phi);
    }
    // The turned font of a device comes in whole tenths of a degree.
    const double tenths = std::nearbyint(angle * 10.0) / 10.0;
    FCanvas.TextOutAngle(x + Round(dx), y - Round(dy), tenths, text, static_cast<int>(h));
}

void TBasePrint::CanvasDrawFillLine(double x, double y, double width, double height, TColor color) {
    const int t = std::max(1, RelToLogY(height));
    TRect r;
    r.Left = AdjustX(x);
    r.Right = r.Left + RelToLogX(width);
    r.Top = AdjustY(y) - t / 2;
    r.Bottom = r.Top + t;
    FCanvas.FillRect(r, color);
}

}  // namespace velmo
