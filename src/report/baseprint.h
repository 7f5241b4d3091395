#pragma once
// The drawing surface of every report page and pattern plot. Coordinates are page
// units (1/100 inch, X to the right, Y downward, an 850 x 1100 page); the surface
// turns them into the pixels of its target painter.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <QImage>
#include <QPoint>

#include "base/types.h"
#include "report/canvas.h"

class QPainter;

namespace velmo {

// Which point of a text's box lies on the given X, and on the given Y.
enum THorizPosition : uint8_t { hpLeft = 0, hpCenter = 1, hpRight = 2 };
enum TVerticalPosition : uint8_t { vpTop = 0, vpCenter = 1, vpBottom = 2 };

using TRealPointArray = std::vector<TRealPoint>;
using PRealPointArray = TRealPointArray*;

// A page in page units.
constexpr double PageWidth = 850;
constexpr double PageHeight = 1100;

class TBasePrint {
public:
    TBasePrint() = default;
    virtual ~TBasePrint() = default;
    TBasePrint(const TBasePrint&) = delete;
    TBasePrint& operator=(const TBasePrint&) = delete;

    // Page-unit offset added to every coordinate before conversion.
    TRealPoint Shift{0, 0};

    // Draws on canvas (which may be null: the surface then converts and measures only)
    // at horzScale x vertScale device pixels per inch, subtracting the offsets (device
    // pixels) after scaling. (canvas, 100, 100, 0, 0) makes one page unit one pixel.
    virtual void Initiate(QPainter* canvas, double horzScale, double vertScale, double leftOffSet,
                          double topOffSet);

    // Page unit to device pixel, rounded ties-to-even.
    virtual int AdjustX(double x) const;
    virtual int AdjustY(double y) const;
    int RelToLogX(double value) const;
    int RelToLogY(double value) const;
    double LogToRelX(double value) const;
    double LogToRelY(double value) const;
    QPoint Point(double x, double y) const { return QPoint(AdjustX(x), AdjustY(y)); }
    TRect DeviceRect(const TRealRect& r) const;

    static TRealRect RealRect(double left, double top, double right, double bottom) {
        return TRealRect{left, top, right, bottom};
    }
    static void OffsetRealRect(TRealRect& r, double dx, double dy);

    void DrawLine(double x1, double y1, double x2, double y2);
    void Circle(double x, double y, double r);
    double GetFontHeight() const { return FFontHeight; }

    double PPInchX() const { return FPPInchX; }
    double PPInchY() const { return FPPInchY; }
    double LeftOffSet() const { return FLeftOffSet; }
    double TopOffSet() const { return FTopOffSet; }

    // A new, empty point array owned by the surface. The caller fills it and hands it to
    // Polyline or Polygon, and must not change it afterwards.
    virtual PRealPointArray NewPointArray();

    virtual void SetFont(const std::string& name, TColor color, TFontStyles style,
                         double height) = 0;
    virtual void SetPen(TColor color, int32_t style, double width) = 0;
    virtual void SetBrush(TColor color, int32_t style) = 0;
    virtual double TextHeight(const std::string& text) = 0;
    virtual double TextWidth(const std::string& text) = 0;
    // Text with its top-left corner at (x, y); the result is the Y of the next line.
    virtual double TextOut(double x, double y, const std::string& text) = 0;
    virtual double TextOutEx(double x, double y, const std::string& text, THorizPosition h,
                             TVerticalPosition v) = 0;
    // Text turned angle degrees counter-clockwise about its anchor.
    virtual void TextOutAngleEx(double x, double y, double angle, const std::string& text,
                                THorizPosition h, TVerticalPosition v) = 0;
    virtual int32_t DrawText(const TRealRect& r, const std::string& text, int32_t format) = 0;
    virtual double WrapText(double x, double y, double width, const std::string& text) = 0;
    virtual void MoveTo(double x, double y) = 0;
    virtual void LineTo(double x, double y) = 0;
    // A bar width long and height thick whose left end's middle is (x, y).
    virtual void DrawFillLine(double x, double y, double width, double height, TColor color) = 0;
    virtual void Rectangle(const TRealRect& r) = 0;
    virtual void FillRect(const TRealRect& r) = 0;
    virtual void Ellipse(const TRealRect& r) = 0;
    virtual void Polyline(PRealPointArray points) = 0;
    virtual void Polygon(PRealPointArray points) = 0;
    virtual void StretchDrawDIB(const TRealRect& r, const QImage& graphic) = 0;

protected:
    // The point array converted to device points.
    QPolygon DevicePoints(const TRealPointArray& points) const;
    // Takes an array out of the owned list (null when it is not one of ours).
    std::unique_ptr<TRealPointArray> ReleasePointArray(PRealPointArray points);
    bool OwnsPointArray(PRealPointArray points) const;

    // Shared by playback and immediate drawing, all in device pixels of FCanvas.
    void CanvasTextOutAngleEx(int x, int y, double angle, const QString& text, THorizPosition h,
                              TVerticalPosition v);
    void CanvasDrawFillLine(double x, double y, double width, double height, TColor color);

    double FLeftOffSet = 0;
    double FTopOffSet = 0;
    TCanvas FCanvas;
    double FPPInchY = 100;
    double FPPInchX = 100;
    double FFontHeight = 0;
    std::vector<std::unique_ptr<TRealPointArray>> FPointsList;
};

}  // namespace velmo
