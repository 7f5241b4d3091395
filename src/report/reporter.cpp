#include "report/reporter.h"

#include <algorithm>
#include <cmath>
#include <string>

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>

#include "base/error.h"
#include "base/fileio.h"
#include "report/gifimage.h"

namespace velmo {

namespace {
int Round(double v) { return static_cast<int>(std::nearbyint(v)); }
QString Q(const std::string& s) { return QString::fromStdString(s); }
// The measuring canvas holds its font at 100 pixels per page unit.
constexpr double MeasureScale = 100.0;
}  // namespace

TReporter::TReporter() {
    FWorkCanvas.Attach(nullptr);
    FMeasureFont = FWorkCanvas.Font();
    NewPage();
}

TReporter::~TReporter() = default;

void TReporter::NewPage() {
    FPages.push_back(std::make_unique<TPage>());
    FCurrentPage = FPages.back().get();
    ++PageIndex;
}

void TReporter::Clear() {
    FPages.clear();
    FMetaList.clear();
    FPointsList.clear();
    FBitmapList.clear();
    NewPage();
}

void TReporter::ClearMetaFiles() { FMetaList.clear(); }

PRealPointArray TReporter::NewPointArray() { return TBasePrint::NewPointArray(); }

// --- recording and measuring ---

void TReporter::SetFont(const std::string& name, TColor color, TFontStyles style, double height) {
    Add(ikSetFont, FontInfo{name, color, style, height});
    FFontHeight = height;
    FMeasureFont = MakeReportFont(name, style, height * MeasureScale);
    FWorkCanvas.SetFont(FMeasureFont, color);
}

void TReporter::SetPen(TColor color, int32_t style, double width) {
    Add(ikSetPen, PenInfo{color, style, width});
}

void TReporter::SetBrush(TColor color, int32_t style) {
    Add(ikSetBrush, BrushInfo{color, style});
    FWorkCanvas.SetBrush(color, style);
}

double TReporter::MeasureWidth(const QString& text) const {
    return TextAdvance(FMeasureFont, text);
}

double TReporter::TextWidth(const std::string& text) { return MeasureWidth(Q(text)) / MeasureScale; }

double TReporter::TextHeight(const std::string& text) {
    return FWorkCanvas.TextHeight(Q(text)) / MeasureScale;
}

double TReporter::TextOut(double x, double y, const std::string& text) {
    Add(ikTextOut, TextOutInfo{x, y, text});
    return y + FFontHeight;
}

double TReporter::TextOutEx(double x, double y, const std::string& text, THorizPosition h,
                            TVerticalPosition v) {
    Add(ikTextOutEx, TextOutExInfo{x, y, text, h, v});
    return y + FFontHeight;
}

void TReporter::TextOutAngleEx(double x, double y, double angle, const std::string& text,
                               THorizPosition h, TVerticalPosition v) {
    Add(ikTextOutAngleEx, TextOutAngleInfo{x, y, angle, text, h, v});
}

int32_t TReporter::DrawText(const TRealRect& r, const std::string& text, int32_t format) {
    Add(ikDrawText, DrawTextInfo{r, text, format});
    const TRect m{Round(r.Left), Round(r.Top), Round(r.Right), Round(r.Bottom)};
    return FWorkCanvas.DrawText(m, Q(text), format | dtCalcRect) + 1;
}

double TReporter::WrapText(double x, double y, double width, const std::string& text) {
    TRealRect r = RealRect(x, y, x + width * MeasureScale, y + FFontHeight);
    const double h = DrawText(r, text, dtWordBreak | dtCalcRect) / MeasureScale;
    r = RealRect(x, y, x + width, y + h);
    DrawText(r, text, dtWordBreak);
    Rectangle(r);
    return y + h;
}

void TReporter::MoveTo(double x, double y) { Add(ikMoveTo, TRealPoint{x, y}); }
void TReporter::LineTo(double x, double y) { Add(ikLineTo, TRealPoint{x, y}); }

void TReporter::DrawFillLine(double x, double y, double width, double height, TColor color) {
    Add(ikDrawFillLine, FillLineInfo{x, y, width, height, color});
}

void TReporter::Rectangle(const TRealRect& r) { Add(ikRectangle, r); }
void TReporter::FillRect(const TRealRect& r) { Add(ikFillRect, r); }
void TReporter::Ellipse(const TRealRect& r) { Add(ikEllipse, r); }

void TReporter::Polyline(PRealPointArray points) {
    if (!points) return;
    // An array that did not come from NewPointArray is copied, so the page never
    // refers to memory the recorder does not own.
    if (!OwnsPointArray(points)) {
        PRealPointArray own = NewPointArray();
        *own = *points;
        points = own;
    }
    Add(ikPolyline, PointsInfo{points});
}

void TReporter::Polygon(PRealPointArray points) {
    if (!points) return;
    if (!OwnsPointArray(points)) {
        PRealPointArray own = NewPointArray();
        *own = *points;
        points = own;
    }
    Add(ikPolygon, PointsInfo{points});
}

void TReporter::StretchDrawDIB(const TRealRect& r, const QImage& graphic) {
    FBitmapList.push_back(std::make_unique<QImage>(graphic.copy()));
    Add(ikStretchDrawDIB, ImageInfo{r, FBitmapList.back().get()});
}

void TReporter::DrawFromRes(const TRealRect& r, const std::string& resName) {
    Add(ikDrawFromRes, DrawFromResInfo{r, resName});
    PreloadGifResources({resName});
}

void TReporter::BreakString(const std::string& s, std::vector<std::string>& list, double width) {
    list.clear();
    const double limit = width * MeasureScale;
    std::string w = s + " ";
    // Positions are 1-based as in the description of the algorithm; 0 means "none".
    auto firstSpace = [&w]() -> size_t {
        const size_t p = w.find(' ');
        return p == std::string::npos ? 0 : p + 1;
    };
    size_t last = firstSpace();
    size_t p = last;
    while (p > 0) {
        if (MeasureWidth(Q(w.substr(0, p - 1))) <= limit) {
            last = p;
            const size_t next = w.find(' ', p);
            p = next == std::string::npos ? 0 : next + 1;
        } else {
            list.push_back(w.substr(0, last - 1));
            w.erase(0, last);
            p = firstSpace();
            last = p;
        }
        // A text that ends in a word too wide for a line leaves nothing behind: no
        // empty line is added after it.
        if (p == 0 && !w.empty()) list.push_back(w);
    }
}

// --- playback ---

void TReporter::RenderItem(const TPageItem& item) {
    switch (item.Kind) {
    case ikTextOut: {
        const auto& i = std::get<TextOutInfo>(item.Data);
        FCanvas.TextOut(AdjustX(i.X), AdjustY(i.Y), Q(i.Text));
        break;
    }
    case ikMoveTo: {
        const auto& p = std::get<TRealPoint>(item.Data);
        FCanvas.MoveTo(AdjustX(p.X), AdjustY(p.Y));
        break;
    }
    case ikLineTo: {
        const auto& p = std::get<TRealPoint>(item.Data);
        FCanvas.LineTo(AdjustX(p.X), AdjustY(p.Y));
        break;
    }
    case ikSetFont: {
        const auto& f = std::get<FontInfo>(item.Data);
        FCanvas.SetFont(f.Name, f.Color, f.Style, RelToLogY(f.Height));
        break;
    }
    case ikSetPen: {
        const auto& p = std::get<PenInfo>(item.Data);
        FCanvas.SetPen(p.Color, p.Style, std::max(1, RelToLogY(p.Width)));
        break;
    }
    case ikSetBrush: {
        const auto& b = std::get<BrushInfo>(item.Data);
        FCanvas.SetBrush(b.Color, b.Style);
        break;
    }
    case ikFillRect: FCanvas.FillRect(DeviceRect(std::get<TRealRect>(item.Data))); break;
    case ikRectangle: FCanvas.Rectangle(DeviceRect(std::get<TRealRect>(item.Data))); break;
    case ikEllipse: FCanvas.Ellipse(DeviceRect(std::get<TRealRect>(item.Data))); break;
    case ikStretchDrawDIB: {
        const auto& i = std::get<ImageInfo>(item.Data);
        FCanvas.StretchDraw(DeviceRect(i.R), i.Image ? *i.Image : QImage());
        break;
    }
    case ikDrawFromRes: {
        const auto& i = std::get<DrawFromResInfo>(item.Data);
        FCanvas.StretchDraw(DeviceRect(i.R), LoadGifResource(i.ResName));
        break;
    }
    case ikTextOutAngleEx: {
        const auto& i = std::get<TextOutAngleInfo>(item.Data);
        CanvasTextOutAngleEx(AdjustX(i.X), AdjustY(i.Y), i.Angle, Q(i.Text), i.H, i.V);
        break;
    }
    case ikDrawFillLine: {
        const auto& i = std::get<FillLineInfo>(item.Data);
        CanvasDrawFillLine(i.X, i.Y, i.Width, i.Height, i.Color);
        break;
    }
    case ikDrawText: {
        const auto& i = std::get<DrawTextInfo>(item.Data);
        if (!(i.Format & dtCalcRect)) FCanvas.DrawText(DeviceRect(i.R), Q(i.Text), i.Format);
        break;
    }
    case ikTextOutEx: {
        const auto& i = std::get<TextOutExInfo>(item.Data);
        FCanvas.TextOutAligned(AdjustX(i.X), AdjustY(i.Y), Q(i.Text), i.hPos, i.vPos);
        break;
    }
    case ikPolyline: {
        const auto& i = std::get<PointsInfo>(item.Data);
        if (i.Points) FCanvas.Polyline(DevicePoints(*i.Points));
        break;
    }
    case ikPolygon: {
        const auto& i = std::get<PointsInfo>(item.Data);
        if (i.Points) FCanvas.Polygon(DevicePoints(*i.Points));
        break;
    }
    }
}

void TReporter::PlayPage(int32_t index, QPainter* painter, double horzScale, double vertScale,
                         double leftOffSet, double topOffSet) {
    Initiate(painter, horzScale, vertScale, leftOffSet, topOffSet);
    for (const TPageItem& item : Page(index)) RenderItem(item);
    FCanvas.Attach(nullptr);
}

void TPageImage::Play(QPainter& painter) const {
    for (const Segment& s : FSegments) {
        if (s.Vector) {
            painter.drawPicture(0, 0, *s.Vector);
        } else {
            painter.save();
            painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
            painter.drawImage(s.Target, s.Image);
            painter.restore();
        }
    }
}

void TReporter::PrintMetaFiles() {
    FMetaList.clear();
    for (int32_t i = 0; i < GetPageCount(); ++i) {
        auto image = std::make_unique<TPageImage>();
        auto vector = std::make_unique<QPicture>();
        auto painter = std::make_unique<QPainter>(vector.get());
        Initiate(painter.get(), 100, 100, 0, 0);
        auto closeVector = [&]() {
            painter->end();
            TPageImage::Segment s;
            s.Vector = std::move(vector);
            image->FSegments.push_back(std::move(s));
        };
        for (const TPageItem& item : Page(i)) {
            QImage picture;
            TRealRect r;
            if (item.Kind == ikStretchDrawDIB) {
                const auto& info = std::get<ImageInfo>(item.Data);
                if (info.Image) picture = *info.Image;
                r = info.R;
            } else if (item.Kind == ikDrawFromRes) {
                const auto& info = std::get<DrawFromResInfo>(item.Data);
                picture = LoadGifResource(info.ResName);
                r = info.R;
            }
            if (picture.isNull()) {  // drawing, or the placeholder of a missing picture
                RenderItem(item);
                continue;
            }
            closeVector();
            TPageImage::Segment s;
            s.Image = picture;  // shared, not copied
            const TRect d = DeviceRect(r);
            s.Target = QRect(d.Left, d.Top, d.Right - d.Left, d.Bottom - d.Top);
            image->FSegments.push_back(std::move(s));
            vector = std::make_unique<QPicture>();
            painter = std::make_unique<QPainter>(vector.get());
            FCanvas.Rebind(painter.get());
        }
        closeVector();
        FCanvas.Attach(nullptr);
        FMetaList.push_back(std::move(image));
    }
}

// --- preview ---

namespace {
TReporter::TPreviewHandler& PreviewHandler() {
    static TReporter::TPreviewHandler handler;
    return handler;
}
}  // namespace

void TReporter::SetPreviewHandler(TPreviewHandler handler) { PreviewHandler() = std::move(handler); }

void TReporter::Preview() {
    if (PreviewHandler()) PreviewHandler()(*this);
}

// --- PDF ---

namespace {

// The unsigned number written at `pos` (after blanks); npos when there is none.
size_t NumberAt(const std::string& s, size_t pos, size_t* end = nullptr) {
    while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\r' || s[pos] == '\n')) ++pos;
    size_t e = pos;
    size_t v = 0;
    while (e < s.size() && s[e] >= '0' && s[e] <= '9' && e - pos < 18) v = v * 10 + static_cast<size_t>(s[e++] - '0');
    if (e == pos) return std::string::npos;
    if (end) *end = e;
    return v;
}

}  // namespace

bool AddPdfInfoEntry(std::string& pdf, const std::string& key, const std::string& utf8Value) {
    // The trailer names the information dictionary (/Info n 0 R) and the last
    // startxref gives the cross-reference table.
    const size_t startxref = pdf.rfind("startxref");
    const size_t infoRef = pdf.rfind("/Info", startxref);
    if (startxref == std::string::npos || infoRef == std::string::npos) return false;
    size_t numEnd = 0;
    const size_t infoObj = NumberAt(pdf, infoRef + 5, &numEnd);
    size_t xrefEnd = 0;
    const size_t xref = NumberAt(pdf, startxref + 9, &xrefEnd);
    if (infoObj == std::string::npos || xref == std::string::npos || xref + 4 > pdf.size() ||
        pdf.compare(xref, 4, "xref") != 0)
        return false;
    const std::string objHead = std::to_string(infoObj) + " 0 obj";
    size_t obj = pdf.find("\n" + objHead);
    if (obj == std::string::npos || obj > xref) return false;
    const size_t dictEnd = pdf.find(">>", obj);
    if (dictEnd == std::string::npos || dictEnd > xref) return false;

    // The value as a hexadecimal UTF-16BE string with its byte-order mark: no escapes.
    static const char hex[] = "0123456789ABCDEF";
    std::string entry = "/" + key + " <FEFF";
    for (const QChar c : QString::fromStdString(utf8Value)) {
        const unsigned u = c.unicode();
        for (int shift = 12; shift >= 0; shift -= 4) entry += hex[(u >> shift) & 0xF];
    }
    entry += ">\n";

    // The cross-reference sections: "first count" lines, then 20-byte entries whose
    // first ten digits are the byte offset of an object.
    std::string out = pdf;
    size_t pos = xref + 4;
    const size_t insertAt = dictEnd;
    for (;;) {
        size_t e = 0;
        const size_t first = NumberAt(out, pos, &e);
        if (first == std::string::npos) break;  // "trailer"
        const size_t count = NumberAt(out, e, &e);
        if (count == std::string::npos) return false;
        while (e < out.size() && (out[e] == ' ' || out[e] == '\r' || out[e] == '\n')) ++e;
        for (size_t i = 0; i < count; ++i, e += 20) {
            if (e + 18 > out.size() || out[e + 17] == 'f') continue;
            size_t digitsEnd = 0;
            const size_t offset = NumberAt(out, e, &digitsEnd);
            if (offset == std::string::npos || digitsEnd != e + 10) return false;
            if (offset > insertAt) {
                std::string moved = std::to_string(offset + entry.size());
                if (moved.size() > 10) return false;
                out.replace(e, 10, std::string(10 - moved.size(), '0') + moved);
            }
        }
        pos = e;
    }
    const size_t xrefDigits = out.find_first_of("0123456789", startxref + 9);
    out.replace(xrefDigits, xrefEnd - xrefDigits, std::to_string(xref + entry.size()));
    out.insert(insertAt, entry);
    pdf = std::move(out);
    return true;
}

void WritePdf(TReporter& reporter, const std::string& path) {
    constexpr int resolution = 1200;
    // The document is made in memory and written by the one output helper: a file that
    // cannot be written completely is reported and the previous one stays, and the
    // name is used as the bytes given (never decoded as text).
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        if (!buffer.open(QIODevice::WriteOnly)) throw Error("Cannot create file \"" + path + "\".");
        QPdfWriter writer(&buffer);
        writer.setResolution(resolution);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0)));
        const std::string& title =
            reporter.DocumentTitle().empty() ? reporter.Title() : reporter.DocumentTitle();
        writer.setTitle(QString::fromStdString(title));
        writer.setCreator(QStringLiteral("Velmo"));
        QPainter painter;
        if (!painter.begin(&writer)) throw Error("Cannot create file \"" + path + "\".");
        for (int32_t i = 0; i < reporter.GetPageCount(); ++i) {
            if (i > 0) writer.newPage();
            reporter.PlayPage(i, &painter, resolution, resolution, 0, 0);
        }
        painter.end();
    }
    std::string pdf = bytes.toStdString();
    if (!reporter.Subject().empty() && !AddPdfInfoEntry(pdf, "Subject", reporter.Subject()))
        throw Error("Cannot create file \"" + path + "\".");
    WriteFileAtomic(path, pdf);
}

}  // namespace velmo
