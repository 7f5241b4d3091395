// Coordinates, recording, measuring and line breaking of the drawing surfaces.
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QString>
#include <gtest/gtest.h>

#include <cmath>

#include "report/canvas.h"
#include "report/reporter.h"
#include "report/unitprint.h"
#include "report_test_util.h"

namespace velmo {
namespace {

TEST(Coordinates, ConvertPageUnitsToDevicePixels) {
    TReporter r;
    r.Initiate(nullptr, 100, 100, 0, 0);
    EXPECT_EQ(r.AdjustX(12.5), 12);  // ties to even
    EXPECT_EQ(r.AdjustX(13.5), 14);
    EXPECT_EQ(r.AdjustY(-0.5), 0);
    r.Shift = TRealPoint{10, 20};
    EXPECT_EQ(r.AdjustX(5), 15);
    EXPECT_EQ(r.AdjustY(5), 25);
    r.Shift = TRealPoint{0, 0};

    // A 600-dpi printer with unprintable margins of 37 and 50 device pixels: page unit 0
    // is the edge of the sheet, so it falls before the painter's origin.
    r.Initiate(nullptr, 600, 600, 37, 50);
    EXPECT_EQ(r.AdjustX(0), -37);
    EXPECT_EQ(r.AdjustY(100), 550);
    EXPECT_EQ(r.RelToLogX(100), 600);  // lengths ignore the offsets
    EXPECT_DOUBLE_EQ(r.LogToRelY(300), 50);
    const TRect d = r.DeviceRect(TBasePrint::RealRect(10, 20, 30, 40));
    EXPECT_EQ(d.Left, 23);
    EXPECT_EQ(d.Top, 70);
    EXPECT_EQ(d.Right, 143);
    EXPECT_EQ(d.Bottom, 190);

    r.Initiate(nullptr, 96, 96, 0, 0);
    EXPECT_EQ(r.RelToLogY(0.2), 0);
}

TEST(Recorder, CountsPagesAndKeepsPageIndexGrowing) {
    TReporter r;
    EXPECT_EQ(r.GetPageCount(), 1);
    EXPECT_EQ(r.PageIndex, 1);
    EXPECT_TRUE(r.CurrentPage().empty());
    r.NewPage();
    r.NewPage();
    EXPECT_EQ(r.GetPageCount(), 3);
    EXPECT_EQ(r.PageIndex, 3);
    r.TextOut(10, 10, "x");
    r.Clear();
    EXPECT_EQ(r.GetPageCount(), 1);
    EXPECT_TRUE(r.CurrentPage().empty());
    EXPECT_EQ(r.PageIndex, 4);
}

TEST(Recorder, RecordsEveryCallAsAnItemOfItsKind) {
    TReporter r;
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    r.SetFont("Arial", clBlack, fsBold, 12);
    r.SetPen(clBlack, psSolid, 1);
    r.SetBrush(clWhite, bsClear);
    EXPECT_DOUBLE_EQ(r.TextOut(10, 20, "a"), 32);
    EXPECT_DOUBLE_EQ(r.TextOutEx(10, 50, "b", hpRight, vpBottom), 62);  // still Y + height
    r.TextOutAngleEx(10, 20, 90, "c", hpCenter, vpCenter);
    r.DrawLine(1, 2, 3, 4);
    r.FillRect(TBasePrint::RealRect(0, 0, 1, 1));
    r.Rectangle(TBasePrint::RealRect(0, 0, 1, 1));
    r.Circle(5, 5, 2);
    r.StretchDrawDIB(TBasePrint::RealRect(0, 0, 1, 1), picture);
    r.DrawFillLine(0, 0, 10, 1, clRed);
    r.DrawText(TBasePrint::RealRect(0, 0, 100, 10), "d", dtWordBreak);
    PRealPointArray a = r.NewPointArray();
    a->push_back({1, 1});
    r.Polyline(a);
    r.DrawFromRes(TBasePrint::RealRect(0, 0, 1, 1), "Orvane_LOGO2");
    PRealPointArray b = r.NewPointArray();
    b->push_back({1, 1});
    r.Polygon(b);

    const std::vector<TPageItemKind> expected{
        ikSetFont, ikSetPen,    ikSetBrush,       ikTextOut,      ikTextOutEx,
        ikTextOutAngleEx, ikMoveTo, ikLineTo,     ikFillRect,     ikRectangle,
        ikEllipse, ikStretchDrawDIB, ikDrawFillLine, ikDrawText, ikPolyline,
        ikDrawFromRes, ikPolygon};
    const TPage& page = r.CurrentPage();
    ASSERT_EQ(page.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(page[i].Kind, expected[i]) << i;
    EXPECT_EQ(static_cast<int>(ikPolygon), 16);
    EXPECT_DOUBLE_EQ(r.GetFontHeight(), 12);
    const auto& e = std::get<TRealRect>(page[10].Data);
    EXPECT_DOUBLE_EQ(e.Left, 3);
    EXPECT_DOUBLE_EQ(e.Bottom, 7);
    // The recorded picture is the recorder's own copy.
    picture.fill(Qt::green);
    EXPECT_EQ(std::get<ImageInfo>(page[11].Data).Image->pixel(0, 0), QColor(Qt::red).rgb());
}

TEST(Recorder, PreviewGoesToTheInstalledWindow) {
    TReporter r;
    r.Preview();  // nothing installed: nothing happens
    const TReporter* shown = nullptr;
    TReporter::SetPreviewHandler([&](TReporter& rep) { shown = &rep; });
    r.Preview();
    TReporter::SetPreviewHandler(nullptr);
    EXPECT_EQ(shown, &r);
}

TEST(Recorder, PolylineOfAForeignArrayKeepsACopy) {
    TReporter r;
    {
        TRealPointArray mine{{0, 0}, {100, 100}};
        r.Polyline(&mine);
        mine[1] = {5, 5};
    }
    const auto& item = std::get<PointsInfo>(r.CurrentPage().back().Data);
    ASSERT_NE(item.Points, nullptr);
    ASSERT_EQ(item.Points->size(), 2u);
    EXPECT_DOUBLE_EQ((*item.Points)[1].X, 100);
}

// "Arial" must come out as the metric-compatible Liberation Sans, or every measured
// width and every centred text is off by 10 % or more.
TEST(Fonts, ArialIsMeasuredAsLiberationSans) {
    const QFont arial = MakeReportFont("Arial", 0, 1200);
    EXPECT_EQ(QFontInfo(arial).family(), QStringLiteral("Liberation Sans"));
    const QFont liberation = MakeReportFont("Liberation Sans", 0, 1200);
    const QString text = QStringLiteral("Relative Power, dB 0123456789");
    EXPECT_DOUBLE_EQ(QFontMetricsF(arial).horizontalAdvance(text),
                     QFontMetricsF(liberation).horizontalAdvance(text));
    // Liberation Sans: 2048 units per em, advance of "0" 1139 units.
    const QFont em = [] {
        QFont f = MakeReportFont("Arial", 0, 100);
        f.setPixelSize(2048);
        return f;
    }();
    EXPECT_NEAR(QFontMetricsF(em).horizontalAdvance(QStringLiteral("0")), 1139, 1);
}

TEST(Measuring, IsTheSameWhateverTheTarget) {
    TReporter r;
    r.SetFont("Arial", clBlack, 0, 12);
    const double w = r.TextWidth("Antenna Input Power");
    r.Initiate(nullptr, 1200, 1200, 40, 40);
    EXPECT_DOUBLE_EQ(r.TextWidth("Antenna Input Power"), w);
    // The cell height of the font is the height asked for.
    EXPECT_NEAR(r.TextHeight("Hg"), 12, 0.05);
    // Twice the height, twice the width (no hinting at the measuring size).
    r.SetFont("Arial", clBlack, 0, 24);
    EXPECT_NEAR(r.TextWidth("Antenna Input Power"), 2 * w, 0.02 * w);
}

TEST(Measuring, RemembersWidthsByFontAndText) {
    ForgetTextAdvances();
    const QFont small = MakeReportFont("Arial", 0, 100);
    const QFont large = MakeReportFont("Arial", 0, 300);
    const QFont bold = MakeReportFont("Arial", fsBold, 100);
    // Each text in turn in each font: a width remembered for the wrong font shows.
    for (int round = 0; round < 2; ++round)
        for (const QString& text : {QStringLiteral("0.985"), QStringLiteral("-23.82"),
                                    QStringLiteral("AVAILABLE Wattage"), QString()})
            for (const QFont& font : {small, large, bold})
                EXPECT_DOUBLE_EQ(TextAdvance(font, text), QFontMetricsF(font).horizontalAdvance(text))
                    << text.toStdString() << " " << font.key().toStdString() << " round " << round;
    EXPECT_GT(TextAdvance(large, "0.985"), 2.5 * TextAdvance(small, "0.985"));
    EXPECT_GT(TextAdvance(bold, "AVAILABLE Wattage"), TextAdvance(small, "AVAILABLE Wattage"));
}

TEST(Measuring, WrapTextRecordsTheMeasureTheTextAndItsFrame) {
    TReporter r;
    r.SetFont("Arial", clBlack, 0, 10);
    const std::string text = "one two three four five six seven eight nine ten eleven twelve";
    const double y = r.WrapText(100, 200, 120, text);
    const TPage& page = r.CurrentPage();
    ASSERT_EQ(page.size(), 4u);
    EXPECT_EQ(std::get<DrawTextInfo>(page[1].Data).Format, dtWordBreak | dtCalcRect);
    EXPECT_DOUBLE_EQ(std::get<DrawTextInfo>(page[1].Data).R.Right, 100 + 120 * 100);
    EXPECT_EQ(std::get<DrawTextInfo>(page[2].Data).Format, dtWordBreak);
    EXPECT_EQ(page[3].Kind, ikRectangle);
    const auto& frame = std::get<TRealRect>(page[3].Data);
    EXPECT_DOUBLE_EQ(frame.Bottom, y);
    // Several lines of about 10 units each.
    EXPECT_GT(y - 200, 30);
    EXPECT_LT(y - 200, 100);
}

TEST(BreakString, BreaksGreedilyAtSpaces) {
    TReporter r;
    r.SetFont("Arial", clBlack, 0, 12);
    const double two = r.TextWidth("alpha beta");
    const double wide = r.TextWidth("Supercalifragilistic");
    struct Case {
        std::string Text;
        double Width;
        std::vector<std::string> Lines;
    };
    const std::vector<Case> cases{
        {"alpha beta gamma", two + 0.5, {"alpha beta", "gamma "}},
        {"alpha beta gamma", 1000, {"alpha beta gamma "}},
        {"a Supercalifragilistic alpha beta", two + 0.5, {"a", "Supercalifragilistic", "alpha beta "}},
        // A too-wide last word ends the list; no empty line follows it.
        {"alpha Supercalifragilistic", wide / 2, {"alpha", "Supercalifragilistic"}},
        {"", 100, {" "}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines{"left over"};
        r.BreakString(c.Text, lines, c.Width);
        EXPECT_EQ(lines, c.Lines) << c.Text;
    }
}

// Rendering checks: recorded items played back on an image at a chosen resolution.
TEST(Playback, ThinPensAndBarsStayOnePixelWide) {
    TReporter r;
    r.SetPen(clBlack, psSolid, 0.2);
    r.DrawLine(100, 100, 400, 100);
    r.DrawFillLine(100, 300, 300, 0.2, clBlack);
    r.SetPen(clBlack, psSolid, 5);
    r.DrawLine(100, 500, 400, 500);
    const QImage image = test::RenderPage(r, 0, 96);
    auto darkRows = [&](int x, int y0, int y1) {
        int n = 0;
        for (int y = y0; y <= y1; ++y) n += test::IsDark(image.pixel(x, y)) ? 1 : 0;
        return n;
    };
    EXPECT_EQ(darkRows(200, 86, 106), 1);
    EXPECT_EQ(darkRows(200, 278, 298), 1);
    EXPECT_EQ(darkRows(200, 470, 490), 5);  // 5 units at 96 ppi = 4.8 -> 5 pixels
}

TEST(Playback, PlacesTextByItsAnchor) {
    TReporter r;
    r.SetFont("Arial", clBlack, 0, 40);
    r.SetBrush(clWhite, bsClear);
    r.TextOutEx(425, 300, "HHHH", hpCenter, vpBottom);
    r.TextOutAngleEx(200, 700, 90, "HHHHHHHH", hpLeft, vpTop);
    const QImage image = test::RenderPage(r, 0, 100);
    int minX = 10000, maxX = -1, maxY = -1;
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 850; ++x)
            if (test::IsDark(image.pixel(x, y))) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                maxY = std::max(maxY, y);
            }
    ASSERT_GE(maxX, 0);
    EXPECT_NEAR((minX + maxX) / 2.0, 425, 3);  // centred on X
    EXPECT_LE(maxY, 300);                       // the cell's bottom on Y
    EXPECT_GE(maxY, 300 - 12);                  // less the descent
    // Turned text reads upward from its anchor: tall, narrow, above and right of it.
    int tMinX = 10000, tMaxX = -1, tMinY = 10000, tMaxY = -1;
    for (int y = 400; y < 1100; ++y)
        for (int x = 0; x < 850; ++x)
            if (test::IsDark(image.pixel(x, y))) {
                tMinX = std::min(tMinX, x);
                tMaxX = std::max(tMaxX, x);
                tMinY = std::min(tMinY, y);
                tMaxY = std::max(tMaxY, y);
            }
    EXPECT_GT(tMaxY - tMinY, 3 * (tMaxX - tMinX));
    EXPECT_LE(tMaxY, 700);
    EXPECT_GE(tMinX, 200);
    EXPECT_LE(tMaxX, 200 + 40);
}

TEST(Playback, AlignedTextLiesWhereItsMeasuredWidthPutsIt) {
    // Centred and right-aligned text is drawn from one shaping of it, kept for the next
    // time; it must land on the very pixels of text drawn at the anchor less its
    // measured width, the first time and again on another painter.
    for (const QString& text : {QStringLiteral("AVA Wa -23.82 \u00B0"),
                                QStringLiteral("\u05E9\u05DC\u05D5\u05DD Tower 7"),
                                QStringLiteral("\u05E9\u05DC\u05D5\u05DD")})
    for (int32_t brush : {bsClear, bsSolid})
        for (int h : {0, 1, 2})
            for (int v : {0, 1, 2}) {
                auto draw = [&](bool aligned) {
                    QImage image(500, 200, QImage::Format_RGB32);
                    image.fill(Qt::white);
                    QPainter painter(&image);
                    TCanvas canvas(&painter);
                    canvas.SetFont("Arial", clBlack, fsItalic, 47);
                    canvas.SetBrush(clSilver, brush);
                    if (aligned) {
                        QImage before(500, 200, QImage::Format_RGB32);
                        QPainter first(&before);
                        canvas.Rebind(&first);
                        canvas.TextOutAligned(40, 60, text, h, v);
                        first.end();
                        canvas.Rebind(&painter);
                        canvas.TextOutAligned(251, 101, text, h, v);
                    } else {
                        const int w = static_cast<int>(std::ceil(canvas.TextWidth(text) - 1e-9));
                        const int ht = static_cast<int>(std::ceil(canvas.TextHeight(text) - 1e-9));
                        canvas.TextOut(251 - (h == 1 ? w / 2 : h == 2 ? w : 0),
                                       101 - (v == 1 ? ht / 2 : v == 2 ? ht : 0), text);
                    }
                    return image;
                };
                EXPECT_TRUE(draw(true) == draw(false))
                    << text.toStdString() << " brush " << brush << " h " << h << " v " << v;
            }
}

TEST(Playback, TextIsTheSameWhateverTheWidthOfTheLinePen) {
    // Text is drawn with the line pen when that is solid and of the text's colour.
    const QString text = QStringLiteral("Relative Field 0.985");
    auto draw = [&](int penWidth, double angle, bool viaPicture) {
        QImage image(400, 400, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPicture picture;
        QPainter painter;
        if (viaPicture)
            painter.begin(&picture);
        else
            painter.begin(&image);
        TCanvas canvas(&painter);
        canvas.SetFont("Arial", clBlack, fsBold, 30);
        canvas.SetPen(clBlack, psSolid, penWidth);
        canvas.SetBrush(clWhite, bsClear);
        canvas.TextOutAngle(200, 200, angle, text, 1);
        canvas.TextOutAligned(200, 40, text, 2, 0);
        canvas.DrawText(TRect{20, 300, 380, 390}, text, dtCenter | dtWordBreak);
        painter.end();
        if (viaPicture) {
            QPainter onImage(&image);
            onImage.drawPicture(0, 0, picture);
        }
        return image;
    };
    for (bool viaPicture : {false, true})
        for (double angle : {0.0, 90.0, 30.0})
            EXPECT_TRUE(draw(1, angle, viaPicture) == draw(25, angle, viaPicture))
                << "angle " << angle << (viaPicture ? " via a picture" : "");
}

TEST(UnitPrint, DrawsAtOnceAndFreesItsPointArrays) {
    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TUnitPrint u;
    u.Initiate(&painter, 100, 100, 0, 0);
    u.SetPen(clBlue, psSolid, 2);
    PRealPointArray a = u.NewPointArray();
    *a = {{10, 100}, {190, 100}};
    u.Polyline(a);
    u.SetFont("Arial", clBlack, 0, 20);
    // The bottom of the text sits on Y: the next line starts about where the text began.
    EXPECT_NEAR(u.TextOutEx(100, 50, "Hg", hpCenter, vpBottom), 50, 0.5);
    painter.end();
    EXPECT_TRUE(test::IsBlue(image.pixel(100, 100)));
    EXPECT_TRUE(test::IsBlue(image.pixel(20, 100)));
}

}  // namespace
}  // namespace velmo
