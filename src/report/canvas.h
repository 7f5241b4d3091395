#pragma once
// A painter with the drawing state of a classic device canvas: one current font, pen
// and brush, a current pen position for MoveTo/LineTo, rectangles that exclude their
// right and bottom edges, text placed by the top-left corner of its cell, and text
// drawn over an opaque box when the brush is solid. Every size here is in device
// pixels; the surfaces convert page units before they call in.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>

#include <QColor>
#include <QFont>
#include <QPen>
#include <QPoint>
#include <QPolygon>
#include <QString>
#include <QTextLayout>

class QImage;
class QPainter;
class QPaintDevice;

namespace velmo {

// 0x00BBGGRR
using TColor = uint32_t;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clGray = 0x808080;

inline constexpr TColor RGBColor(int r, int g, int b) {
    return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
QColor ToQColor(TColor c);

// A font style is a set of these flags.
using TFontStyles = uint8_t;
constexpr TFontStyles fsBold = 1;
constexpr TFontStyles fsItalic = 2;
constexpr TFontStyles fsUnderline = 4;
constexpr TFontStyles fsStrikeOut = 8;

enum TPenStyle : int32_t {
    psSolid = 0, psDash = 1, psDot = 2, psDashDot = 3, psDashDotDot = 4, psClear = 5, psInsideFrame = 6
};
enum TBrushStyle : int32_t { bsSolid = 0, bsClear = 1 };

// Flags of the formatted-text call.
constexpr int32_t dtLeft = 0;
constexpr int32_t dtCenter = 1;
constexpr int32_t dtRight = 2;
constexpr int32_t dtVCenter = 4;
constexpr int32_t dtBottom = 8;
constexpr int32_t dtWordBreak = 16;
constexpr int32_t dtSingleLine = 32;
constexpr int32_t dtNoClip = 256;
constexpr int32_t dtCalcRect = 1024;

// An integer rectangle in device pixels; Right and Bottom lie just outside it.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

// The report font for a family, style and cell height (ascent + descent) in pixels.
// The size is a pixel size, so the result is the same on every device resolution.
QFont MakeReportFont(const std::string& name, TFontStyles style, double cellHeightPx);

// The advance of text in font, in the font's pixels. Report pages measure the same
// texts again and again (table values, notes broken into lines twice over), so each
// text is shaped once per font and thread and then remembered.
double TextAdvance(const QFont& font, const QString& text);
// Forgets the remembered advances of this thread.
void ForgetTextAdvances();

class TCanvas {
public:
    TCanvas() = default;
    explicit TCanvas(QPainter* painter) { Attach(painter); }

    // Takes the painter over with the default state: Arial 16 pixels in black, a black
    // 1-pixel solid pen, a white solid brush, pen position (0, 0).
    void Attach(QPainter* painter);
    // Moves to another painter keeping font, pen, brush and pen position.
    void Rebind(QPainter* painter);
    QPainter* Painter() const { return FPainter; }
    bool Active() const { return FPainter != nullptr; }

    void SetFont(const std::string& name, TColor color, TFontStyles style, int cellHeightPx);
    void SetFont(const QFont& font, TColor color);
    const QFont& Font() const { return FFont; }
    TColor FontColor() const { return FFontColor; }
    void SetPen(TColor color, int32_t style, int widthPx);
    void SetBrush(TColor color, int32_t style);
    TColor BrushColor() const { return FBrushColor; }
    int32_t BrushStyle() const { return FBrushStyle; }

    double TextWidth(const QString& text) const;
    double TextHeight(const QString& text) const;
    // Text with the top-left corner of its cell at (x, y).
    void TextOut(double x, double y, const QString& text);
    // Text whose left end, middle or right end (hPos 0, 1, 2) and top, middle or bottom
    // (vPos 0, 1, 2) lie at (x, y); the offsets are whole pixels.
    void TextOutAligned(int x, int y, const QString& text, int hPos, int vPos);
    // Text turned angle degrees counter-clockwise about (x, y); (x, y) is the left end,
    // the middle or the right end of the text's top edge by hPos (0, 1, 2).
    void TextOutAngle(double x, double y, double angle, const QString& text, int hPos);
    // The formatted-text call: returns the height of the text; with dtCalcRect it only
    // measures.
    int DrawText(const TRect& r, const QString& text, int32_t format);

    void MoveTo(int x, int y) { FPenPos = QPoint(x, y); }
    void LineTo(int x, int y);
    void Rectangle(const TRect& r);
    void FillRect(const TRect& r);
    void FillRect(const TRect& r, TColor color);
    void Ellipse(const TRect& r);
    void Polyline(const QPolygon& points);
    void Polygon(const QPolygon& points);
    // The whole image stretched into r; a null image draws a thin gray frame instead.
    void StretchDraw(const TRect& r, const QImage& image);

private:
    // Around every text: the text pen in place of the line pen where they differ.
    void BeginText();
    void EndText();
    // The one-line layout of a text in the current font, kept for the next time.
    const QTextLayout& LaidOut(const QString& text);

    QPainter* FPainter = nullptr;
    bool FPenSwitched = false;
    QFont FFont;
    TColor FFontColor = clBlack;
    QPen FPen;
    QPen FTextPen;
    TColor FBrushColor = clWhite;
    int32_t FBrushStyle = bsSolid;
    QPoint FPenPos;
    std::map<QFont, std::unordered_map<QString, std::unique_ptr<QTextLayout>>> FLayouts;
    size_t FLayoutCount = 0;
};

// Formatted-text flags translated to the painter's alignment and wrapping flags.
int QtTextFlags(int32_t format);

}  // namespace velmo
