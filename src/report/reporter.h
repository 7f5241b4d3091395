#pragma once
// The page recorder: every drawing call becomes an item of the current page, and the
// recorded pages are played back as often as needed, onto page images for the preview,
// onto a printer, or into a PDF file.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include <QFont>
#include <QImage>
#include <QPicture>
#include <QRect>

#include "report/baseprint.h"

class QPainter;
class QPrinter;

namespace velmo {

enum TPageItemKind : uint8_t {
    ikTextOut = 0,
    ikMoveTo = 1,
    ikLineTo = 2,
    ikSetFont = 3,
    ikSetPen = 4,
    ikSetBrush = 5,
    ikFillRect = 6,
    ikRectangle = 7,
    ikEllipse = 8,
    ikStretchDrawDIB = 9,
    ikTextOutAngleEx = 10,
    ikDrawFillLine = 11,
    ikDrawText = 12,
    ikTextOutEx = 13,
    ikPolyline = 14,
    ikDrawFromRes = 15,
    ikPolygon = 16,
};

struct TextOutInfo {
    double X = 0, Y = 0;
    std::string Text;
};
struct FontInfo {
    std::string Name;
    TColor Color = clBlack;
    TFontStyles Style = 0;
    double Height = 0;
};
struct PenInfo {
    TColor Color = clBlack;
    int32_t Style = psSolid;
    double Width = 0;
};
struct BrushInfo {
    TColor Color = clWhite;
    int32_t Style = bsSolid;
};
struct ImageInfo {
    TRealRect R;
    const QImage* Image = nullptr;  // the recorder's own copy, held by its bitmap list
};
struct TextOutAngleInfo {
    double X = 0, Y = 0, Angle = 0;
    std::string Text;
    THorizPosition H = hpLeft;
    TVerticalPosition V = vpTop;
};
struct FillLineInfo {
    double X = 0, Y = 0, Width = 0, Height = 0;
    TColor Color = clBlack;
};
struct DrawTextInfo {
    TRealRect R;
    std::string Text;
    int32_t Format = 0;
};
struct TextOutExInfo {
    double X = 0, Y = 0;
    std::string Text;
    THorizPosition hPos = hpLeft;
    TVerticalPosition vPos = vpTop;
};
struct DrawFromResInfo {
    TRealRect R;
    std::string ResName;
};
// Polyline and Polygon keep a reference to the recorder-owned point array.
struct PointsInfo {
    PRealPointArray Points = nullptr;
};

// TRealPoint for MoveTo/LineTo; TRealRect for FillRect/Rectangle/Ellipse.
using TPageItemData =
    std::variant<TextOutInfo, TRealPoint, FontInfo, PenInfo, BrushInfo, TRealRect, ImageInfo,
                 TextOutAngleInfo, FillLineInfo, DrawTextInfo, TextOutExInfo, PointsInfo,
                 DrawFromResInfo>;

struct TPageItem {
    TPageItemKind Kind;
    TPageItemData Data;
};
using TPage = std::vector<TPageItem>;

// A vector page image of 850 x 1100 pixels (one pixel per page unit): the drawing
// recorded as QPicture runs, with the pictures of the page kept as images between them
// (a QPicture would re-encode every picture each time the page is rendered).
class TPageImage {
public:
    QRect boundingRect() const { return QRect(0, 0, 850, 1100); }
    // Draws the page with its top-left corner at the painter's origin, in page-image
    // pixels; scale the painter to stretch it.
    void Play(QPainter& painter) const;

private:
    friend class TReporter;
    struct Segment {
        std::unique_ptr<QPicture> Vector;  // or else an image:
        QImage Image;
        QRect Target;
    };
    std::vector<Segment> FSegments;
};

class TReporter;
using TOnProgress = std::function<void(TReporter& sender, int32_t position, int32_t max)>;
using TNotifyEvent = std::function<void(TReporter& sender)>;

enum TPrintRange { prAllPages = 0, prPageNums = 1, prSelection = 2 };

// What the print dialog is given and hands back. The recorder fills Min/Max/From/To
// before it shows the dialog; the dialog sets the rest and the printer to use.
struct TPrintDialogData {
    int32_t MinPage = 1;
    int32_t MaxPage = 1;
    int32_t FromPage = 1;
    int32_t ToPage = 1;
    TPrintRange PrintRange = prAllPages;
    int32_t Copies = 1;
    QPrinter* Printer = nullptr;
};
// Shows the dialog; false when the user cancels.
using TPrintDialogFunc = std::function<bool(TPrintDialogData& data)>;

class TReporter : public TBasePrint {
public:
    TReporter();
    ~TReporter() override;

    // Number of pages created so far; the page builders print it as the page number.
    int32_t PageIndex = 0;
    // The print dialog; the desktop program installs one. Without it Print prints nothing.
    TPrintDialogFunc PrintDlg;

    void NewPage();
    int32_t GetPageCount() const { return static_cast<int32_t>(FPages.size()); }
    const TPage& Page(int32_t index) const { return *FPages.at(static_cast<size_t>(index)); }
    const TPage& CurrentPage() const { return *FPages.back(); }
    // Empties pages, page images, point arrays and images, then starts a new page.
    void Clear();

    bool FitToPage() const { return FFitToPage; }
    void SetFitToPage(bool v) { FFitToPage = v; }
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& v) { FTitle = v; }
    // The document information of a PDF written from these pages: its title (the
    // design's title) and subject (the part number). The creator is always "Velmo".
    const std::string& DocumentTitle() const { return FDocumentTitle; }
    void SetDocumentTitle(const std::string& v) { FDocumentTitle = v; }
    const std::string& Subject() const { return FSubject; }
    void SetSubject(const std::string& v) { FSubject = v; }
    const TOnProgress& OnProgress() const { return FOnProgress; }
    void SetOnProgress(TOnProgress v) { FOnProgress = std::move(v); }
    const TNotifyEvent& OnPrintFinish() const { return FPrintFinish; }
    void SetOnPrintFinish(TNotifyEvent v) { FPrintFinish = std::move(v); }

    PRealPointArray NewPointArray() override;

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
    // Records the call, then runs it on the measuring canvas with r's coordinates rounded
    // and taken as measuring pixels (1/100 page unit); the result is that height + 1.
    int32_t DrawText(const TRealRect& r, const std::string& text, int32_t format) override;
    double WrapText(double x, double y, double width, const std::string& text) override;
    void MoveTo(double x, double y) override;
    void LineTo(double x, double y) override;
    void DrawFillLine(double x, double y, double width, double height, TColor color) override;
    void Rectangle(const TRealRect& r) override;
    void FillRect(const TRealRect& r) override;
    void Ellipse(const TRealRect& r) override;
    void Polyline(PRealPointArray points) override;
    void Polygon(PRealPointArray points) override;
    // Keeps its own copy of the graphic.
    void StretchDrawDIB(const TRealRect& r, const QImage& graphic) override;
    // An embedded picture, loaded by name when the page is played back. Its decoding
    // starts now, on a thread of its own, while the report goes on.
    void DrawFromRes(const TRealRect& r, const std::string& resName);

    // Greedy line breaking at spaces for the measuring font: each line is the longest
    // run of whole words that fits in width page units.
    void BreakString(const std::string& s, std::vector<std::string>& list, double width);

    // Plays one page onto painter at the given device pixels per inch and offsets.
    void PlayPage(int32_t index, QPainter* painter, double horzScale, double vertScale,
                  double leftOffSet = 0, double topOffSet = 0);

    // Renders every page into a new 850 x 1100 vector page image (MetaList).
    void PrintMetaFiles();
    int32_t MetaCount() const { return static_cast<int32_t>(FMetaList.size()); }
    const TPageImage& MetaFile(int32_t index) const { return *FMetaList.at(static_cast<size_t>(index)); }
    void ClearMetaFiles();

    // Shows the preview window on this recorder, modally. The window belongs to the
    // desktop program, which installs it with SetPreviewHandler; without one (the
    // command line) nothing is shown.
    void Preview();
    using TPreviewHandler = std::function<void(TReporter& reporter)>;
    static void SetPreviewHandler(TPreviewHandler handler);

    // Shows the print dialog and prints what it chose; pageIndex (from 0) is the page
    // printed for a selection. False when nothing was printed.
    bool Print(int32_t pageIndex);
    // The print flow after the dialog: each copy is its own job. Throws Error when the
    // printer cannot start a job.
    bool PrintPages(QPrinter& printer, TPrintRange range, int32_t fromPage, int32_t toPage,
                    int32_t copies, int32_t pageIndex);
    void InitiateForPrinter(QPrinter& printer, QPainter* painter);
    void InitiateFitToPage(QPrinter& printer, QPainter* painter);

private:
    template <typename Info>
    void Add(TPageItemKind kind, Info&& info) {
        FCurrentPage->push_back(TPageItem{kind, TPageItemData(std::forward<Info>(info))});
    }
    void RenderItem(const TPageItem& item);
    double MeasureWidth(const QString& text) const;  // measuring pixels

    std::vector<std::unique_ptr<QImage>> FBitmapList;
    std::vector<std::unique_ptr<TPage>> FPages;
    TPage* FCurrentPage = nullptr;
    TCanvas FWorkCanvas;  // measuring only, never painted
    QFont FMeasureFont;
    TOnProgress FOnProgress;
    TNotifyEvent FPrintFinish;
    bool FFitToPage = false;
    std::string FTitle;
    std::string FDocumentTitle;
    std::string FSubject;
    std::vector<std::unique_ptr<TPageImage>> FMetaList;
};

// Writes the recorded pages as a letter-size PDF (vector drawing, real text) whose
// document information holds the reporter's DocumentTitle (its Title when that is
// empty), Subject and the creator "Velmo". The file is replaced only when it was
// written completely; throws Error otherwise.
void WritePdf(TReporter& reporter, const std::string& path);

// Adds `key` (such as "Subject") with a text value to the document information
// dictionary of a complete PDF held in `pdf`, moving the cross-reference offsets
// behind it. Returns false, leaving `pdf` unchanged, when the file has no
// document information dictionary or cross-reference table where they are expected.
bool AddPdfInfoEntry(std::string& pdf, const std::string& key, const std::string& utf8Value);

}  // namespace velmo
