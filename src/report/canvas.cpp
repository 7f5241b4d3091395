#include "report/canvas.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QTextLayout>

namespace velmo {

QColor ToQColor(TColor c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

namespace {

QFont BaseFont(const std::string& name, TFontStyles style) {
    QFont f(QString::fromStdString(name));
    f.setBold((style & fsBold) != 0);
    f.setItalic((style & fsItalic) != 0);
    f.setUnderline((style & fsUnderline) != 0);
    f.setStrikeOut((style & fsStrikeOut) != 0);
    // Unhinted outlines keep the advances proportional to the size, so text measured
    // at one resolution lines up at any other.
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// Em size per pixel of cell height (ascent + descent) for a family and style; the
// fonts are asked for by cell height, the painter wants the em size.
double EmPerCell(const std::string& name, TFontStyles style) {
    static std::map<std::pair<std::string, int>, double> cache;
    const auto key = std::make_pair(name, static_cast<int>(style & (fsBold | fsItalic)));
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    QFont probe = BaseFont(name, style);
    probe.setPixelSize(1000);
    const QFontMetricsF fm(probe);
    const double cell = fm.ascent() + fm.descent();
    const double ratio = cell > 0 ? 1000.0 / cell : 1.0;
    cache.emplace(key, ratio);
    return ratio;
}

Qt::PenStyle ToQtPenStyle(int32_t style) {
    switch (style) {
    case psDash: return Qt::DashLine;
    case psDot: return Qt::DotLine;
    case psDashDot: return Qt::DashDotLine;
    case psDashDotDot: return Qt::DashDotDotLine;
    case psClear: return Qt::NoPen;
    default: return Qt::SolidLine;
    }
}

QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top); }

// The outline of a framed shape: a 1-pixel pen covers Left .. Right - 1.
QRect OutlineRect(const TRect& r) {
    return QRect(r.Left, r.Top, r.Right - r.Left - 1, r.Bottom - r.Top - 1);
}

// Widths already measured, by font and text. One per thread, so that reports made side
// by side share nothing.
struct TAdvanceCache {
    std::map<QFont, QHash<QString, double>> Widths;
    size_t Count = 0;
};

TAdvanceCache& AdvanceCache() {
    thread_local TAdvanceCache cache;
    return cache;
}

// Text of one left-to-right run, with no control or format characters, is laid out
// alike by a text layout and by the painter.
bool OneLeftToRightRun(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        switch (c.direction()) {
        case QChar::DirL: case QChar::DirEN: case QChar::DirES: case QChar::DirET:
        case QChar::DirCS: case QChar::DirWS: case QChar::DirON: case QChar::DirNSM:
            return c.category() != QChar::Other_Control && c.category() != QChar::Other_Format;
        default:
            return false;
        }
    });
}

}  // namespace

double TextAdvance(const QFont& font, const QString& text) {
    // A long batch of designs keeps only what it measured lately.
    constexpr size_t kMaxTexts = 50000;
    TAdvanceCache& cache = AdvanceCache();
    if (const auto f = cache.Widths.find(font); f != cache.Widths.end()) {
        if (const auto it = f->second.constFind(text); it != f->second.constEnd()) return *it;
    }
    const double width = QFontMetricsF(font).horizontalAdvance(text);
    if (cache.Count >= kMaxTexts) ForgetTextAdvances();
    cache.Widths[font].insert(text, width);
    ++cache.Count;
    return width;
}

void ForgetTextAdvances() {
    TAdvanceCache& cache = AdvanceCache();
    cache.Widths.clear();
    cache.Count = 0;
}

QFont MakeReportFont(const std::string& name, TFontStyles style, double cellHeightPx) {
    QFont f = BaseFont(name, style);
    const double em = cellHeightPx * EmPerCell(name, style);
    f.setPixelSize(std::max(1, static_cast<int>(std::nearbyint(em))));
    return f;
}

int QtTextFlags(int32_t format) {
    int flags = 0;
    if (format & dtRight)
        flags |= Qt::AlignRight;
    else if (format & dtCenter)
        flags |= Qt::AlignHCenter;
    else
        flags |= Qt::AlignLeft;
    if (format & dtBottom)
        flags |= Qt::AlignBottom;
    else if (format & dtVCenter)
        flags |= Qt::AlignVCenter;
    else
        flags |= Qt::AlignTop;
    if ((format & dtWordBreak) && !(format & dtSingleLine)) flags |= Qt::TextWordWrap;
    if (format & dtSingleLine) flags |= Qt::TextSingleLine;
    return flags;
}

void TCanvas::Attach(QPainter* painter) {
    FPainter = painter;
    FFont = MakeReportFont("Arial", 0, 16);
    FFontColor = clBlack;
    FTextPen = QPen(ToQColor(FFontColor));
    FPen = QPen(ToQColor(clBlack), 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    FBrushColor = clWhite;
    FBrushStyle = bsSolid;
    FPenPos = QPoint(0, 0);
    if (FPainter) {
        FPainter->setRenderHint(QPainter::Antialiasing, false);
        FPainter->setRenderHint(QPainter::TextAntialiasing, true);
        FPainter->setRenderHint(QPainter::SmoothPixmapTransform, true);
        FPainter->setFont(FFont);
        FPainter->setPen(FPen);
        FPainter->setBrush(QBrush(ToQColor(FBrushColor)));
    }
}

void TCanvas::Rebind(QPainter* painter) {
    FPainter = painter;
    if (!FPainter) return;
    FPainter->setRenderHint(QPainter::Antialiasing, false);
    FPainter->setRenderHint(QPainter::TextAntialiasing, true);
    FPainter->setRenderHint(QPainter::SmoothPixmapTransform, true);
    FPainter->setFont(FFont);
    FPainter->setPen(FPen);
    if (FBrushStyle == bsClear)
        FPainter->setBrush(Qt::NoBrush);
    else
        FPainter->setBrush(QBrush(ToQColor(FBrushColor)));
}

void TCanvas::SetFont(const std::string& name, TColor color, TFontStyles style, int cellHeightPx) {
    SetFont(MakeReportFont(name, style, cellHeightPx), color);
}

void TCanvas::SetFont(const QFont& font, TColor color) {
    FFont = font;
    FFontColor = color;
    FTextPen = QPen(ToQColor(color));
    if (FPainter) FPainter->setFont(FFont);
}

void TCanvas::SetPen(TColor color, int32_t style, int widthPx) {
    const int w = std::max(1, widthPx);
    // Thin lines keep square ends like a device's cosmetic pen; thick ones are round.
    FPen = QPen(ToQColor(color), w, ToQtPenStyle(style), w > 1 ? Qt::RoundCap : Qt::SquareCap,
                w > 1 ? Qt::RoundJoin : Qt::MiterJoin);
    if (FPainter) FPainter->setPen(FPen);
}

void TCanvas::SetBrush(TColor color, int32_t style) {
    FBrushColor = color;
    FBrushStyle = style;
    if (FPainter) {
        if (style == bsClear)
            FPainter->setBrush(Qt::NoBrush);
        else
            FPainter->setBrush(QBrush(ToQColor(color)));
    }
}

double TCanvas::TextWidth(const QString& text) const { return TextAdvance(FFont, text); }

double TCanvas::TextHeight(const QString& /*text*/) const {
    const QFontMetricsF fm(FFont);
    return fm.ascent() + fm.descent();
}

void TCanvas::BeginText() {
    // A solid line pen of the text's colour draws text as it is; switching to the text
    // pen and back would only write the same state into the page again.
    FPenSwitched = !(FPen.style() == Qt::SolidLine && FPen.color() == FTextPen.color());
    if (FPenSwitched) FPainter->setPen(FTextPen);
}

void TCanvas::EndText() {
    if (FPenSwitched) FPainter->setPen(FPen);
}

void TCanvas::TextOut(double x, double y, const QString& text) {
    if (!FPainter) return;
    const QFontMetricsF fm(FFont);
    if (FBrushStyle != bsClear)
        FPainter->fillRect(QRectF(x, y, TextAdvance(FFont, text), fm.ascent() + fm.descent()),
                           ToQColor(FBrushColor));
    BeginText();
    FPainter->drawText(QPointF(x, y + fm.ascent()), text);
    EndText();
}

void TCanvas::TextOutAligned(int x, int y, const QString& text, int hPos, int vPos) {
    const auto ceilPx = [](double v) { return static_cast<int>(std::ceil(v - 1e-9)); };
    const QFontMetricsF fm(FFont);
    const int h = vPos == 1 || vPos == 2 ? ceilPx(fm.ascent() + fm.descent()) : 0;
    const int dy = vPos == 1 ? h / 2 : vPos == 2 ? h : 0;
    if (hPos != 1 && hPos != 2) {
        TextOut(x, y - dy, text);
    } else if (!FPainter || FBrushStyle != bsClear || !OneLeftToRightRun(text)) {
        const int w = ceilPx(TextWidth(text));
        TextOut(x - (hPos == 1 ? w / 2 : w), y - dy, text);
    } else {
        // Centred or right-aligned text is shaped once, for its width and its drawing.
        const QTextLine line = LaidOut(text).lineAt(0);
        const int w = ceilPx(line.horizontalAdvance());
        BeginText();
        line.draw(FPainter, QPointF(x - (hPos == 1 ? w / 2 : w), y - dy));
        EndText();
    }
}

const QTextLayout& TCanvas::LaidOut(const QString& text) {
    // Tables repeat their values: each text is laid out once per font and canvas. A
    // canvas that has laid out very many starts afresh.
    constexpr size_t kMaxLayouts = 20000;
    if (const auto f = FLayouts.find(FFont); f != FLayouts.end()) {
        if (const auto it = f->second.find(text); it != f->second.end()) return *it->second;
    }
    if (FLayoutCount >= kMaxLayouts) {
        FLayouts.clear();
        FLayoutCount = 0;
    }
    auto layout = std::make_unique<QTextLayout>(text, FFont);
    QTextOption option;  // laid out as the painter draws a text: left to right
    option.setTextDirection(Qt::LeftToRight);
    option.setAlignment(Qt::AlignLeft);
    layout->setTextOption(option);
    layout->setCacheEnabled(true);  // or drawing shapes the text again
    layout->beginLayout();
    layout->createLine();
    layout->endLayout();
    ++FLayoutCount;
    return *FLayouts[FFont].emplace(text, std::move(layout)).first->second;
}

void TCanvas::TextOutAngle(double x, double y, double angle, const QString& text, int hPos) {
    if (!FPainter) return;
    double dx = 0;
    if (hPos == 1)
        dx = -TextWidth(text) / 2;
    else if (hPos == 2)
        dx = -TextWidth(text);
    FPainter->save();
    FPainter->translate(x, y);
    FPainter->rotate(-angle);  // counter-clockwise on a Y-down device
    TextOut(dx, 0, text);
    FPainter->restore();
}

int TCanvas::DrawText(const TRect& r, const QString& text, int32_t format) {
    const int flags = QtTextFlags(format);
    const QRectF box(ToQRect(r));
    if ((format & dtCalcRect) || !FPainter) {
        const QRectF b = QFontMetricsF(FFont).boundingRect(box, flags, text);
        return static_cast<int>(std::ceil(b.height()));
    }
    QRectF bounding;
    if (FBrushStyle != bsClear) {
        const QRectF b = QFontMetricsF(FFont).boundingRect(box, flags, text);
        FPainter->fillRect(b, ToQColor(FBrushColor));
    }
    BeginText();
    FPainter->drawText(box, flags, text, &bounding);
    EndText();
    return static_cast<int>(std::ceil(bounding.height()));
}

void TCanvas::LineTo(int x, int y) {
    const QPoint to(x, y);
    if (FPainter) FPainter->drawLine(FPenPos, to);
    FPenPos = to;
}

void TCanvas::Rectangle(const TRect& r) {
    if (FPainter) FPainter->drawRect(OutlineRect(r));
}

void TCanvas::FillRect(const TRect& r) {
    if (FPainter && FBrushStyle != bsClear) FPainter->fillRect(ToQRect(r), ToQColor(FBrushColor));
}

void TCanvas::FillRect(const TRect& r, TColor color) {
    if (FPainter) FPainter->fillRect(ToQRect(r), ToQColor(color));
}

void TCanvas::Ellipse(const TRect& r) {
    if (FPainter) FPainter->drawEllipse(OutlineRect(r));
}

void TCanvas::Polyline(const QPolygon& points) {
    if (!FPainter || points.isEmpty()) return;
    FPainter->drawPolyline(points);
}

void TCanvas::Polygon(const QPolygon& points) {
    if (!FPainter || points.isEmpty()) return;
    FPainter->drawPolygon(points, Qt::OddEvenFill);
}

void TCanvas::StretchDraw(const TRect& r, const QImage& image) {
    if (!FPainter) return;
    if (image.isNull()) {
        FPainter->save();
        FPainter->setPen(QPen(ToQColor(clGray), 1));
        FPainter->setBrush(Qt::NoBrush);
        FPainter->drawRect(OutlineRect(r));
        FPainter->restore();
        return;
    }
    FPainter->drawImage(ToQRect(r), image);
}

}  // namespace velmo
