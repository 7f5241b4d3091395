// Printing the recorded pages: kept apart from the rest of the recorder so that a
// program that never prints (velmo-cli) links without the print support library.
#include <algorithm>

#include <QPainter>
#include <QPrinter>

#include "base/error.h"
#include "report/reporter.h"

namespace velmo {

void TReporter::InitiateForPrinter(QPrinter& printer, QPainter* painter) {
    double left = 0, top = 0;
    if (!printer.fullPage()) {
        // The painter's origin is the corner of the printable area: page unit 0 is the
        // edge of the sheet once the unprintable margins are subtracted.
        const QRect paint = printer.pageLayout().paintRectPixels(printer.resolution());
        left = paint.left();
        top = paint.top();
    }
    Initiate(painter, printer.logicalDpiX(), printer.logicalDpiY(), left, top);
}

void TReporter::InitiateFitToPage(QPrinter& printer, QPainter* painter) {
    const double w = printer.width();
    const double h = printer.height();
    const double scale = w < h ? w / PageWidth * 100.0 : h / PageHeight * 100.0;
    Initiate(painter, scale, scale, 0, 0);
}

bool TReporter::Print(int32_t pageIndex) {
    TPrintDialogData data;
    data.MinPage = 1;
    data.MaxPage = GetPageCount();
    data.FromPage = 1;
    data.ToPage = GetPageCount();
    if (!PrintDlg || !PrintDlg(data) || !data.Printer) return false;
    return PrintPages(*data.Printer, data.PrintRange, data.FromPage, data.ToPage, data.Copies,
                      pageIndex);
}

bool TReporter::PrintPages(QPrinter& printer, TPrintRange range, int32_t fromPage, int32_t toPage,
                           int32_t copies, int32_t pageIndex) {
    const int32_t count = GetPageCount();
    int32_t first = 0, lastPage = count - 1;
    if (range == prPageNums) {
        first = std::max(fromPage, 1) - 1;
        lastPage = std::min(toPage, count) - 1;
    } else if (range == prSelection) {
        first = lastPage = pageIndex;
    }
    if (first < 0 || lastPage >= count || first > lastPage || copies < 1) return false;

    int32_t total = 0;
    for (int32_t p = first; p <= lastPage; ++p) total += static_cast<int32_t>(Page(p).size());

    // Copies are separate jobs, so the printer must not multiply them again.
    printer.setCopyCount(1);
    printer.setDocName(QString::fromStdString(FTitle));
    for (int32_t copy = 0; copy < copies; ++copy) {
        QPainter painter;
        if (!painter.begin(&printer)) throw Error("Unable to start the print job.");
        if (FFitToPage)
            InitiateFitToPage(printer, &painter);
        else
            InitiateForPrinter(printer, &painter);
        int32_t n = 0;
        for (int32_t p = first; p <= lastPage; ++p) {
            for (const TPageItem& item : Page(p)) {
                RenderItem(item);
                ++n;
                if (FOnProgress) FOnProgress(*this, n, total);
            }
            // Font, pen and brush carry over to the next sheet, as on any canvas.
            if (p < lastPage) printer.newPage();
        }
        FCanvas.Attach(nullptr);
        painter.end();
        if (FPrintFinish) FPrintFinish(*this);
    }
    return true;
}

}  // namespace velmo
