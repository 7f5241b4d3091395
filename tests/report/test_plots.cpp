// The polar and rectangular pattern plots.
#include <cmath>
#include <map>

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include "base/conversions.h"
#include "report/plots.h"
#include "report/reporter.h"
#include "report/unitprint.h"
#include "report_test_util.h"

namespace velmo {
namespace {

constexpr TIntPoint C{425, 640};
constexpr int R = 275;

// The recorded trace of a polar plot: the last polyline of the page.
const TRealPointArray& Trace(const TReporter& r) {
    for (auto it = r.CurrentPage().rbegin(); it != r.CurrentPage().rend(); ++it)
        if (it->Kind == ikPolyline) return *std::get<PointsInfo>(it->Data).Points;
    static const TRealPointArray none;
    return none;
}

TEST(PolarPlot, PutsAzimuthsClockwiseFromTheTopAndTurnsByTheAngle) {
    TRealPointList pts;
    pts.AddPoint(0, 0.5);
    pts.AddPoint(90, 1.0);
    pts.AddPoint(180, 1.2);  // above the axis: beyond the rim, not cut
    pts.AddPoint(270, -3);   // below the axis: at the centre
    struct Case {
        int Angle;
        int Index;
        double X;
        double Y;
    };
    const double s30 = std::sin(30 * std::numbers::pi / 180), c30 = std::cos(30 * std::numbers::pi / 180);
    const std::vector<Case> cases{
        {0, 0, 425.0, 640 - 0.5 * R},
        {0, 1, 425.0 + R, 640.0},
        {0, 2, 425.0, 640 + 1.2 * R},
        {0, 3, 425.0, 640.0},
        {30, 1, C.X + R * c30, C.Y + R * s30},  // compass 120 degrees
        {30, 0, C.X + 0.5 * R * s30, C.Y - 0.5 * R * c30},
    };
    for (const Case& c : cases) {
        TReporter r;
        DrawPolarPattern(r, C, R, c.Angle, ptRF, pts);
        const TRealPointArray& trace = Trace(r);
        // Round the whole circle: closed back to the first point.
        ASSERT_EQ(trace.size(), 5u);
        EXPECT_EQ(trace[4].X, trace[0].X);
        EXPECT_EQ(trace[4].Y, trace[0].Y);
        EXPECT_NEAR(trace[c.Index].X, c.X, 1e-9) << c.Angle << " " << c.Index;
        EXPECT_NEAR(trace[c.Index].Y, c.Y, 1e-9) << c.Angle << " " << c.Index;
    }
}

TEST(PolarPlot, DecibelCopyPutsTheFloorAtTheCentre) {
    TRealPointList fields;
    fields.AddPoint(0, 0.005);
    fields.AddPoint(1, 0.01);
    fields.AddPoint(2, 0.011);
    fields.AddPoint(3, 1.0);
    TRealPointList db;
    PlotPoints(fields, ptRP, db);
    EXPECT_DOUBLE_EQ(fields.Point(0).Y, 0.005);  // the pattern's own list is untouched
    TReporter r;
    DrawPolarPattern(r, C, R, 0, ptRP, db);
    const TRealPointArray& trace = Trace(r);
    ASSERT_EQ(trace.size(), 4u);  // four degrees of the circle: left open
    EXPECT_NEAR(trace[0].Y, C.Y, 1e-9);
    EXPECT_NEAR(trace[1].X, C.X, 1e-9);
    const double r2 = (FieldTodB(0.011) + 40) / 40 * R;
    EXPECT_NEAR(FieldTodB(0.011), -39.17, 0.01);
    EXPECT_NEAR(trace[2].X, C.X + r2 * std::sin(2 * std::numbers::pi / 180), 1e-9);
    EXPECT_NEAR(trace[3].Y, C.Y - R * std::cos(3 * std::numbers::pi / 180), 1e-9);
}

std::vector<std::string> Texts(const TReporter& r, TVerticalPosition v) {
    std::vector<std::string> out;
    for (const TPageItem& item : r.CurrentPage())
        if (item.Kind == ikTextOutEx && std::get<TextOutExInfo>(item.Data).vPos == v)
            out.push_back(std::get<TextOutExInfo>(item.Data).Text);
    return out;
}

TEST(PolarPlot, LabelsTheRingsAndTheCompass) {
    TRealPointList none;
    TReporter rf, rp;
    DrawPolarPattern(rf, C, R, 0, ptRF, none);
    DrawPolarPattern(rp, C, R, 0, ptRP, none);
    EXPECT_EQ(Texts(rf, vpTop), (std::vector<std::string>{"0.1", "0.2", "0.3", "0.4", "0.5", "0.6",
                                                          "0.7", "0.8", "0.9", "1.0"}));
    EXPECT_EQ(Texts(rp, vpTop),
              (std::vector<std::string>{"-35", "-30", "-25", "-20", "-15", "-10", " -5", "  0"}));
    const auto compass = Texts(rf, vpCenter);
    ASSERT_EQ(compass.size(), 36u);
    EXPECT_EQ(compass[9], "90");
    // An empty pattern leaves an empty trace.
    EXPECT_TRUE(Trace(rf).empty());
    std::vector<std::string> captions;
    for (const TPageItem& item : rp.CurrentPage())
        if (item.Kind == ikTextOutAngleEx) captions.push_back(std::get<TextOutAngleInfo>(item.Data).Text);
    EXPECT_EQ(captions, std::vector<std::string>{"Relative Power, dB"});
}

// Drawn for real: a spike of field 1.0 at azimuth 90 reaches the rim at (c.X + R, c.Y).
TEST(PolarPlot, RendersTheTraceWhereItBelongs) {
    auto render = [](int angle, double peak) {
        TRealPointList pts;
        for (int a = 0; a < 360; ++a) pts.AddPoint(a, a >= 85 && a <= 95 ? peak : 0.3);
        QImage image(400, 400, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        TUnitPrint u;
        u.Initiate(&painter, 100, 100, 0, 0);
        DrawPolarPattern(u, TIntPoint{200, 200}, 150, angle, ptRF, pts);
        return image;
    };
    auto blueNear = [](const QImage& im, double x, double y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (test::IsBlue(im.pixel(static_cast<int>(std::lround(x)) + dx,
                                          static_cast<int>(std::lround(y)) + dy)))
                    return true;
        return false;
    };
    const QImage plain = render(0, 1.0);
    EXPECT_TRUE(blueNear(plain, 350, 200));
    EXPECT_FALSE(blueNear(plain, 200 + 150 * std::sin(2 * std::numbers::pi / 3),
                          200 - 150 * std::cos(2 * std::numbers::pi / 3)));
    const QImage turned = render(30, 1.0);
    EXPECT_FALSE(blueNear(turned, 350, 200));
    EXPECT_TRUE(blueNear(turned, 200 + 150 * std::sin(2 * std::numbers::pi / 3),
                         200 - 150 * std::cos(2 * std::numbers::pi / 3)));
    // The last step round the circle, back to 0, is drawn. A pattern every 10 degrees
    // with a spike at 0: the trace climbs from 0.3 at 350 degrees to the rim at the top.
    {
        TRealPointList pts;
        for (int a = 0; a < 360; a += 10) pts.AddPoint(a, a == 0 ? 1.0 : 0.3);
        QImage image(400, 400, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        TUnitPrint u;
        u.Initiate(&painter, 100, 100, 0, 0);
        DrawPolarPattern(u, TIntPoint{200, 200}, 150, 0, ptRF, pts);
        const double a350 = 350 * std::numbers::pi / 180;
        const double x350 = 200 + 45 * std::sin(a350), y350 = 200 - 45 * std::cos(a350);
        EXPECT_TRUE(blueNear(image, (x350 + 200) / 2, (y350 + 50) / 2));
    }
    const QImage beyond = render(0, 1.2);
    EXPECT_TRUE(blueNear(beyond, 200 + 1.2 * 150, 200));  // beyond the rim at 350
}

struct GridLines {
    std::map<TColor, std::vector<double>> Vertical;  // x of each vertical line by pen colour
};

GridLines VerticalLines(const TReporter& r) {
    GridLines g;
    TColor pen = 0;
    TRealPoint from;
    for (const TPageItem& item : r.CurrentPage()) {
        if (item.Kind == ikSetPen) pen = std::get<PenInfo>(item.Data).Color;
        if (item.Kind == ikMoveTo) from = std::get<TRealPoint>(item.Data);
        if (item.Kind == ikLineTo) {
            const auto to = std::get<TRealPoint>(item.Data);
            if (to.X == from.X && pen != clBlue) g.Vertical[pen].push_back(to.X);
        }
    }
    return g;
}

TEST(RectPlot, RangeTypesGiveTheirLabelsAndGrid) {
    struct Case {
        TRangeType Range;
        std::vector<std::string> FirstLabels;
        int Majors, Minors;
        double MajorStep;  // degrees
    };
    const std::vector<Case> cases{
        {FiveToNinety, {"-10", "-5", "0", "5"}, 19, 80, 5},
        {rtFiveToTen, {"-10", "-9", "-8", "-7"}, 19, 60, 1},
    };
    const TIntRect rect{165, 240, 735, 910};
    for (const Case& c : cases) {
        const TRange range = GetRange(c.Range);
        TRealPointList none;
        TReporter r;
        DrawRectPattern(r, rect, 12, range.Increment, range.Min, range.Max, ptRF, none, 0, true);
        const auto labels = Texts(r, vpTop);
        ASSERT_EQ(labels.size(), 21u) << c.Range;
        EXPECT_EQ(std::vector<std::string>(labels.begin(), labels.begin() + 4), c.FirstLabels);
        EXPECT_EQ(labels.back(), c.Range == FiveToNinety ? "90" : "10");
        const GridLines g = VerticalLines(r);
        const auto& majors = g.Vertical.at(clGray);
        ASSERT_EQ(static_cast<int>(majors.size()), c.Majors);
        const double span = range.Max - range.Min;
        EXPECT_NEAR(majors[0], rect.Left + c.MajorStep / span * (rect.Right - rect.Left), 1e-9);
        EXPECT_EQ(static_cast<int>(g.Vertical.at(clSilver).size()), c.Minors);
        const auto values = Texts(r, vpCenter);
        ASSERT_EQ(values.size(), 11u);
        EXPECT_EQ(values.front(), "0.0 ");
        EXPECT_EQ(values.back(), "1.0 ");
    }
    // Without the minor grid: silver majors only, no caption.
    TRealPointList none;
    TReporter r;
    DrawRectPattern(r, rect, 12, 5, -10, 90, ptRP, none, 0, false);
    const GridLines g = VerticalLines(r);
    EXPECT_EQ(g.Vertical.count(clGray), 0u);
    EXPECT_EQ(g.Vertical.at(clSilver).size(), 19u);
    EXPECT_EQ(Texts(r, vpCenter).front(), "-40 ");
    for (const TPageItem& item : r.CurrentPage()) EXPECT_NE(item.Kind, ikTextOutAngleEx);
}

TEST(RectPlot, TraceSkipsPointsOutsideTheAxisAndKeepsValuesAboveIt) {
    TRealPointList pts;
    pts.AddPoint(-13, 0.5);  // skipped
    pts.AddPoint(-12, 0.5);
    pts.AddPoint(-10, 0.5);
    pts.AddPoint(95, 0.9);   // skipped; the line joins its neighbours
    pts.AddPoint(40, 1.5);   // above the frame
    pts.AddPoint(30, -1);    // raised to the floor
    const TIntRect rect{100, 100, 600, 500};
    TReporter r;
    // Offset moves every point: -12 + 2 = -10 is then inside.
    DrawRectPattern(r, rect, 12, 5, -10, 90, ptRF, pts, 2, false);
    std::vector<std::pair<TPageItemKind, TRealPoint>> trace;
    bool inTrace = false;
    for (const TPageItem& item : r.CurrentPage()) {
        if (item.Kind == ikSetPen) inTrace = std::get<PenInfo>(item.Data).Color == clBlue;
        if (inTrace && (item.Kind == ikMoveTo || item.Kind == ikLineTo))
            trace.emplace_back(item.Kind, std::get<TRealPoint>(item.Data));
    }
    ASSERT_EQ(trace.size(), 4u);
    EXPECT_EQ(trace[0].first, ikMoveTo);
    EXPECT_DOUBLE_EQ(trace[0].second.X, 100);
    EXPECT_DOUBLE_EQ(trace[0].second.Y, 300);
    EXPECT_EQ(trace[1].first, ikLineTo);
    EXPECT_DOUBLE_EQ(trace[1].second.X, 110);
    EXPECT_EQ(trace[2].first, ikLineTo);
    EXPECT_DOUBLE_EQ(trace[2].second.X, 100 + 52.0 / 100 * 500);
    EXPECT_DOUBLE_EQ(trace[2].second.Y, 500 - 1.5 * 400);  // above the frame's top (100)
    EXPECT_DOUBLE_EQ(trace[3].second.Y, 500);

    TReporter empty;
    TRealPointList none;
    DrawRectPattern(empty, rect, 12, 5, -10, 90, ptRF, none, 0, false);
    EXPECT_EQ(empty.CurrentPage().back().Kind, ikSetPen);  // nothing after the trace pen
}

TEST(PlotMessages, AreCentredInTheBox) {
    QImage image(400, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawNoPatternMessage(painter, 400, 100);
    painter.end();
    int minX = 1000, maxX = -1, minY = 1000, maxY = -1;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 400; ++x)
            if (test::IsDark(image.pixel(x, y))) {
                minX = std::min(minX, x), maxX = std::max(maxX, x);
                minY = std::min(minY, y), maxY = std::max(maxY, y);
            }
    ASSERT_GE(maxX, 0);
    EXPECT_NEAR((minX + maxX) / 2.0, 200, 4);
    EXPECT_NEAR((minY + maxY) / 2.0, 50, 6);
}

}  // namespace
}  // namespace velmo
