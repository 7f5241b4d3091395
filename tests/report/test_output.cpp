// Page images, printing, PDF files and the GIF pictures.
#include <gif_lib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <QFile>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <gtest/gtest.h>

#include "base/error.h"
#include "report/gifimage.h"
#include "report/reporter.h"
#include "report_test_util.h"
#include "test_support.h"

namespace velmo {
namespace {

// A 4 x 2 GIF: top row red, blue, red, index 2 (transparent unless another index is
// named); bottom row all blue. The frame may sit at (left, top) on a larger screen.
QByteArray MakeGif(bool interlace = false, int screenW = 4, int screenH = 2, int left = 0, int top = 0,
                   int transparent = 2) {
    QByteArray bytes;
    auto write = [](GifFileType* gif, const GifByteType* data, int len) -> int {
        static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), len);
        return len;
    };
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, write, &error);
    if (!gif) return {};
    GifColorType colors[4] = {{255, 0, 0}, {0, 0, 255}, {0, 255, 0}, {0, 0, 0}};
    ColorMapObject* map = GifMakeMapObject(4, colors);
    EGifPutScreenDesc(gif, screenW, screenH, 2, 0, map);
    GraphicsControlBlock gcb{};
    gcb.TransparentColor = transparent;
    gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
    GifByteType ext[4];
    const size_t n = EGifGCBToExtension(&gcb, ext);
    EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(n), ext);
    EGifPutImageDesc(gif, left, top, 4, 2, interlace, nullptr);
    GifPixelType row0[4] = {0, 1, 0, 2};
    GifPixelType row1[4] = {1, 1, 1, 1};
    EGifPutLine(gif, row0, 4);
    EGifPutLine(gif, row1, 4);
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return bytes;
}

TEST(Gif, DecodesTheFirstFrameWithTransparency) {
    const QByteArray bytes = MakeGif();
    ASSERT_FALSE(bytes.isEmpty());
    const QImage image = DecodeGif(bytes);
    ASSERT_EQ(image.size(), QSize(4, 2));
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(1, 0), qRgb(0, 0, 255));
    EXPECT_EQ(qAlpha(image.pixel(3, 0)), 0);
    EXPECT_EQ(image.pixel(2, 1), qRgb(0, 0, 255));
    EXPECT_EQ(image.format(), QImage::Format_ARGB32);
}

TEST(Gif, APictureWithoutTransparentPixelsIsOpaque) {
    // Index 3 is named transparent but never used.
    const QImage image = DecodeGif(MakeGif(false, 4, 2, 0, 0, 3));
    ASSERT_EQ(image.size(), QSize(4, 2));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image.pixel(3, 0), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(0, 1), qRgb(0, 0, 255));
}

TEST(Gif, AFrameOnALargerScreenLeavesTheRestTransparent) {
    const QImage image = DecodeGif(MakeGif(false, 6, 4, 1, 2));
    ASSERT_EQ(image.size(), QSize(6, 4));
    EXPECT_EQ(image.pixel(1, 2), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(4, 3), qRgb(0, 0, 255));
    EXPECT_EQ(qAlpha(image.pixel(4, 2)), 0);  // the transparent index
    EXPECT_TRUE(image.hasAlphaChannel());
    for (QPoint p : {QPoint(0, 0), QPoint(5, 3), QPoint(0, 2), QPoint(3, 1)})
        EXPECT_EQ(image.pixel(p), 0u) << p.x() << "," << p.y();
}

TEST(Gif, RefusesDamagedFilesWithoutCrashing) {
    const QByteArray good = MakeGif();
    for (const QByteArray& bad : {QByteArray(), QByteArray("GIF89a"), QByteArray("not a picture"),
                                   good.left(good.size() / 2), good.left(13)})
        EXPECT_TRUE(DecodeGif(bad).isNull()) << bad.size();
    EXPECT_TRUE(LoadGifResource("NO_SUCH_PICTURE").isNull());
}

TEST(Gif, EmbeddedPicturesLoadByName) {
    for (const char* name : {"Orvane_LOGO2", "Orvane_FOOTER", "SIDE_MOUNT", "TOP_MOUNT", "ANALYSIS",
                             "FMANALYSIS"})
        EXPECT_EQ(LoadGifResource(name).format(), QImage::Format_RGB32) << name;
    EXPECT_EQ(LoadGifResource("Orvane_LOGO2").size(), QSize(953, 63));
}

TEST(Gif, PicturesDecodedAheadAreTheOnesDecodedOnDemand) {
    ForgetGifResources();
    const std::vector<std::string> names{"Orvane_LOGO2", "ANALYSIS", "NO_SUCH_PICTURE", "SIDE_MOUNT"};
    PreloadGifResources(names);
    PreloadGifResources(names);  // nothing new to decode
    QImage elsewhere;
    std::thread other([&] { elsewhere = LoadGifResource("ANALYSIS"); });
    const QImage analysis = LoadGifResource("ANALYSIS");
    other.join();
    QFile file(GifResourcePath("ANALYSIS"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QImage direct = DecodeGif(file.readAll());
    ASSERT_EQ(direct.size(), QSize(1128, 2358));
    EXPECT_TRUE(analysis == direct);
    EXPECT_TRUE(elsewhere == direct);
    EXPECT_TRUE(LoadGifResource("NO_SUCH_PICTURE").isNull());
    EXPECT_EQ(LoadGifResource("SIDE_MOUNT").size(), QSize(574, 841));
    // Forgotten pictures are decoded again when asked for.
    ForgetGifResources();
    EXPECT_TRUE(LoadGifResource("ANALYSIS") == direct);
}

TEST(Gif, RecordedPicturesAreStretchedAndMissingOnesFramed) {
    TReporter r;
    r.StretchDrawDIB(TBasePrint::RealRect(100, 100, 300, 200), DecodeGif(MakeGif()));
    r.DrawFromRes(TBasePrint::RealRect(400, 400, 600, 500), "NO_SUCH_PICTURE");
    r.SetBrush(clBlack, bsSolid);
    r.FillRect(TBasePrint::RealRect(100, 700, 200, 800));  // the report goes on
    const QImage image = test::RenderPage(r, 0);
    // Each picture pixel covers 50 x 50 device pixels; look at their centres.
    // (The picture is smoothed when stretched, so colours are compared loosely.)
    auto near = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) < 8 && std::abs(qGreen(a) - qGreen(b)) < 8 &&
               std::abs(qBlue(a) - qBlue(b)) < 8;
    };
    EXPECT_TRUE(near(image.pixel(125, 125), qRgb(255, 0, 0)));
    EXPECT_TRUE(near(image.pixel(175, 125), qRgb(0, 0, 255)));
    EXPECT_TRUE(near(image.pixel(175, 175), qRgb(0, 0, 255)));
    EXPECT_TRUE(near(image.pixel(275, 125), qRgb(255, 255, 255)));  // transparent: the page shows
    // The placeholder: a thin gray frame and an untouched inside.
    EXPECT_EQ(image.pixel(500, 400), qRgb(128, 128, 128));
    EXPECT_EQ(image.pixel(400, 450), qRgb(128, 128, 128));
    EXPECT_EQ(image.pixel(500, 450), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(150, 750), qRgb(0, 0, 0));
}

TReporter& FivePages(TReporter& r) {
    // Page p (1-based) carries p + 1 items.
    for (int p = 1; p <= 5; ++p) {
        if (p > 1) r.NewPage();
        r.SetFont("Arial", clBlack, 0, 20);
        for (int i = 0; i < p; ++i) r.TextOut(100, 100 + 30 * i, "Page " + std::to_string(p));
    }
    return r;
}

TEST(PageImages, OneVectorImagePerPage) {
    TReporter r;
    FivePages(r);
    r.PrintMetaFiles();
    ASSERT_EQ(r.MetaCount(), 5);
    EXPECT_EQ(r.MetaFile(0).boundingRect(), QRect(0, 0, 850, 1100));
    // Stretched onto a half-size screen image, page 3 shows three lines of text.
    QImage screen(425, 550, QImage::Format_RGB32);
    screen.fill(Qt::white);
    {
        QPainter p(&screen);
        p.scale(0.5, 0.5);
        r.MetaFile(2).Play(p);
    }
    auto rowHasInk = [&](int y0, int y1) {
        for (int y = y0; y < y1; ++y)
            for (int x = 40; x < 150; ++x)
                if (test::IsDark(screen.pixel(x, y))) return true;
        return false;
    };
    EXPECT_TRUE(rowHasInk(50, 62));
    EXPECT_TRUE(rowHasInk(80, 92));
    EXPECT_FALSE(rowHasInk(96, 120));
    r.Clear();
    EXPECT_EQ(r.MetaCount(), 0);
}

// Pictures sit between the drawing before and after them, and the pen set before a
// picture still draws after it.
TEST(PageImages, KeepTheOrderAndStateAroundPictures) {
    TReporter r;
    r.SetBrush(clBlack, bsSolid);
    r.FillRect(TBasePrint::RealRect(100, 100, 300, 300));
    r.SetPen(clBlue, psSolid, 5);
    r.StretchDrawDIB(TBasePrint::RealRect(200, 200, 400, 400), DecodeGif(MakeGif()));
    r.DrawLine(150, 350, 450, 350);
    r.PrintMetaFiles();
    QImage image(850, 1100, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        r.MetaFile(0).Play(p);
    }
    EXPECT_EQ(image.pixel(150, 150), qRgb(0, 0, 0));      // the black square
    EXPECT_GT(qRed(image.pixel(225, 225)), 240);          // the picture covers it
    EXPECT_TRUE(test::IsBlue(image.pixel(170, 350)));     // the line, in the pen set before
    EXPECT_TRUE(test::IsBlue(image.pixel(425, 352)));
    EXPECT_FALSE(test::IsBlue(image.pixel(425, 356)));    // five pixels wide, not more
}

int PdfPages(const std::string& path) {
    const std::string info = test::RunTool("pdfinfo " + test::ShellQuote(path) + " 2>/dev/null");
    const auto at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

TEST(Printing, PageRangeWithCopiesMakesOneJobPerCopy) {
    test::TempDir dir;
    TReporter r;
    FivePages(r);
    r.SetTitle("Azimuth Pattern");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(dir.File("job.pdf")));

    std::vector<int> positions, maxima, jobPages;
    r.SetOnProgress([&](TReporter&, int32_t pos, int32_t max) {
        positions.push_back(pos);
        maxima.push_back(max);
    });
    r.SetOnPrintFinish([&](TReporter&) {
        // Each job has ended and written its file by now.
        jobPages.push_back(PdfPages(dir.File("job.pdf")));
        std::filesystem::remove(dir.File("job.pdf"));
    });
    r.PrintDlg = [&](TPrintDialogData& d) {
        EXPECT_EQ(d.MinPage, 1);
        EXPECT_EQ(d.MaxPage, 5);
        EXPECT_EQ(d.ToPage, 5);
        d.PrintRange = prPageNums;
        d.FromPage = 2;
        d.ToPage = 3;
        d.Copies = 2;
        d.Printer = &printer;
        return true;
    };
    EXPECT_TRUE(r.Print(0));
    EXPECT_EQ(jobPages, (std::vector<int>{2, 2}));
    const int items = 3 + 4;  // pages 2 and 3
    ASSERT_EQ(positions.size(), 2u * items);
    for (int m : maxima) EXPECT_EQ(m, items);
    EXPECT_EQ(positions[items - 1], items);
    EXPECT_EQ(positions[items], 1);  // counted afresh in each job
}

TEST(Printing, CancelledDialogPrintsNothingAndFiresNothing) {
    test::TempDir dir;
    TReporter r;
    FivePages(r);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(dir.File("job.pdf")));
    int events = 0;
    r.SetOnProgress([&](TReporter&, int32_t, int32_t) { ++events; });
    r.SetOnPrintFinish([&](TReporter&) { ++events; });
    r.PrintDlg = [&](TPrintDialogData& d) {
        d.Printer = &printer;
        return false;
    };
    EXPECT_FALSE(r.Print(0));
    r.PrintDlg = nullptr;
    EXPECT_FALSE(r.Print(0));
    EXPECT_EQ(events, 0);
    EXPECT_FALSE(std::filesystem::exists(dir.File("job.pdf")));
}

TEST(Printing, SelectionPrintsTheShownPageAndFitToPageScalesIt) {
    test::TempDir dir;
    TReporter r;
    FivePages(r);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(dir.File("sel.pdf")));
    int finished = 0;
    r.SetOnPrintFinish([&](TReporter&) { ++finished; });
    r.SetFitToPage(true);
    EXPECT_TRUE(r.PrintPages(printer, prSelection, 1, 5, 1, 3));
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(PdfPages(dir.File("sel.pdf")), 1);
    const std::string text = test::RunTool("pdftotext " + test::ShellQuote(dir.File("sel.pdf")) + " -");
    EXPECT_NE(text.find("Page 4"), std::string::npos);
    // A range outside the report prints nothing.
    EXPECT_FALSE(r.PrintPages(printer, prSelection, 1, 5, 1, 7));
    EXPECT_EQ(finished, 1);
}

TEST(Printing, PhysicalOffsetsPutPageUnitZeroOnTheSheetEdge) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageMargins(QMarginsF(10, 20, 10, 20), QPageLayout::Millimeter);
    TReporter r;
    r.InitiateForPrinter(printer, nullptr);
    const double dpi = printer.resolution();
    EXPECT_EQ(r.PPInchX(), dpi);
    // The unprintable margins as the printer reports them (about 10 and 20 mm).
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    EXPECT_NEAR(r.AdjustX(0), -(page.left() - paper.left()), 1);
    EXPECT_NEAR(r.AdjustY(0), -(page.top() - paper.top()), 1);
    EXPECT_NEAR(r.AdjustX(0), -10 / 25.4 * dpi, 0.02 * dpi);
    EXPECT_EQ(r.AdjustX(850) - r.AdjustX(0), static_cast<int>(8.5 * dpi));
    // Fit to page: the 850-unit width fills the printable width, with no offsets.
    r.InitiateFitToPage(printer, nullptr);
    EXPECT_EQ(r.AdjustX(0), 0);
    EXPECT_NEAR(r.AdjustX(850), printer.width(), 1);
}

TEST(Pdf, WritesLetterPagesWithSearchableText) {
    test::TempDir dir;
    TReporter r;
    r.SetFont("Arial", clBlack, fsBold, 16);
    r.TextOutEx(425, 100, "Preliminary Specification", hpCenter, vpTop);
    r.SetPen(clBlack, psSolid, 1);
    r.Rectangle(TBasePrint::RealRect(50, 50, 800, 1050));
    r.NewPage();
    r.SetFont("Arial", clBlack, 0, 12);
    r.TextOutAngleEx(100, 900, 90, "Relative Power, dB", hpLeft, vpCenter);
    const std::string path = dir.File("report.pdf");
    WritePdf(r, path);
    const std::string info = test::RunTool("pdfinfo " + test::ShellQuote(path));
    EXPECT_NE(info.find("Pages:           2"), std::string::npos) << info;
    EXPECT_NE(info.find("612 x 792 pts (letter)"), std::string::npos) << info;
    const std::string text = test::RunTool("pdftotext " + test::ShellQuote(path) + " -");
    EXPECT_NE(text.find("Preliminary Specification"), std::string::npos) << text;
    EXPECT_NE(text.find("Relative Power, dB"), std::string::npos) << text;
}

TEST(Pdf, AFailedWriteThrowsAndKeepsTheOldFile) {
    test::TempDir dir;
    TReporter r;
    r.TextOut(10, 10, "x");
    EXPECT_THROW(WritePdf(r, (dir.Path() / "missing" / "report.pdf").string()), Error);
    const std::string path = dir.Write("old.pdf", "old");
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::owner_exec);
    if (!std::ofstream(dir.File("probe"))) {  // not root: the folder is really read-only
        EXPECT_THROW(WritePdf(r, path), Error);
        EXPECT_EQ(test::ReadAll(path), "old");
    }
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_all);
}

}  // namespace
}  // namespace velmo
