#pragma once
// The surface that draws each call at once on its painter; the wizard pages draw their
// pattern plots through it with one page unit per pixel.
#include "report/baseprint.h"

namespace velmo {

class TUnitPrint : public TBasePrint {
public:
    void SetFont(const std::string& name, TColor color, TFontStyles style, double height) override;
    void SetPen(TColor color, int32_t style, double width) override;
    void SetBrush(TColor color, int32_t style) override;
    double TextHeight(const std::string& text) override;
    double TextWidth(const std::string& text) override;
    double TextOut(double x, double y, const std::string& text) override;
    double TextOutEx(double x, double y, const std::string& text, THorizPosition h,
                     TVerticalPosition v) override;
    void TextOutAngleEx(double x, double y, double angle, const std::string& text, THorizPosition h,
                        TVerticalPosition v) override;
    int32_t DrawText(const TRealRect& r, const std::string& text, int32_t format) override;
    double WrapText(double x, double y, double width, const std::string& text) override;
    void MoveTo(double x, double y) override;
    void LineTo(double x, double y) override;
    void DrawFillLine(double x, double y, double width, double height, TColor color) override;
    void Rectangle(const TRealRect& r) override;
    void FillRect(const TRealRect& r) override;
    void Ellipse(const TRealRect& r) override;
    // Draws the array, then frees it.
    void Polyline(PRealPointArray points) override;
    void Polygon(PRealPointArray points) override;
    void StretchDrawDIB(const TRealRect& r, const QImage& graphic) override;
};

}  // namespace velmo
