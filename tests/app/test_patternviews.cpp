// The pattern page widgets offscreen: the plots put the trace where the plot geometry
// says, the widgets forward user actions to the page logic, and each page renders at
// 800 x 600 and 1920 x 1080 (pictures written to the build folder).
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

#include <QApplication>
#include <QDoubleSpinBox>
#include <QImage>
#include <QLineEdit>
#include <QRadioButton>
#include <QTreeWidget>

#include "app/pageviews.h"
#include "app/patternplots.h"
#include "base/folders.h"
#include "model/design.h"
#include "patterns/azpattern.h"
#include "patterns/elpattern.h"
#include "scripted_ui.h"
#include "test_support.h"
#include "wizard/azimuthpages.h"
#include "wizard/custompages.h"
#include "wizard/elevationpages.h"
#include "wizard/wizardflags.h"

namespace velmo {
namespace {

bool IsTrace(QRgb c) { return qBlue(c) > 200 && qRed(c) < 120 && qGreen(c) < 120; }

// A trace pixel within `radius` pixels of (x, y).
bool TraceNear(const QImage& image, double x, double y, int radius = 2) {
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const int px = static_cast<int>(std::lround(x)) + dx, py = static_cast<int>(std::lround(y)) + dy;
            if (image.valid(px, py) && IsTrace(image.pixel(px, py))) return true;
        }
    return false;
}

QImage Render(QWidget& w, int width, int height) {
    w.resize(width, height);
    return w.grab().toImage();
}

TEST(PatternPlots, PolarTraceLiesWhereTheGeometryPutsIt) {
    // 0.5 everywhere, 1.0 at azimuth 90: the spike's tip lies on the rim.
    TAzHorzPattern p;
    for (int a = 0; a < 360; ++a) p.Points.AddPoint(a, a == 90 ? 1.0 : 0.5);
    TPolarPlotView view;
    const int w = 500, h = 400;
    const TPolarGeometry g = PolarPlotGeometry(w, h);
    EXPECT_EQ(g.Center.X, 250);
    EXPECT_EQ(g.Center.Y, 200);
    EXPECT_EQ(g.Radius, 160);
    const double pi = std::numbers::pi;
    auto at = [&](double compass, double r) {
        return std::pair{g.Center.X + r * std::sin(compass * pi / 180), g.Center.Y - r * std::cos(compass * pi / 180)};
    };
    struct Case {
        int Angle;
        TPowerType Unit;
        double Tip, Ring;  // radius fraction of the spike and of the rest
    } cases[] = {
        {0, ptRF, 1.0, 0.5},
        {30, ptRF, 1.0, 0.5},
        {-90, ptRF, 1.0, 0.5},
        {30, ptRP, 1.0, (20 * std::log10(0.5) + 40) / 40},
    };
    for (const Case& c : cases) {
        p.Angle = c.Angle;
        view.SetPattern(&p, c.Unit);
        const QImage image = Render(view, w, h);
        auto [tx, ty] = at(90 + c.Angle, c.Tip * g.Radius);
        EXPECT_TRUE(TraceNear(image, tx, ty)) << c.Angle << " tip";
        // Without rotation the tip would be elsewhere.
        if (c.Angle != 0) {
            auto [ux, uy] = at(90, g.Radius);
            EXPECT_FALSE(TraceNear(image, ux, uy)) << c.Angle << " unrotated tip";
        }
        for (double compass : {0.0 + c.Angle, 180.0}) {
            auto [rx, ry] = at(compass, c.Ring * g.Radius);
            EXPECT_TRUE(TraceNear(image, rx, ry)) << c.Angle << " ring at " << compass;
        }
        EXPECT_FALSE(TraceNear(image, g.Center.X, g.Center.Y, 3));
    }
    // No pattern: the message, no trace.
    view.SetPattern(nullptr, ptRF);
    const QImage empty = Render(view, w, h);
    bool anyTrace = false;
    for (int y = 0; y < h && !anyTrace; y += 2)
        for (int x = 0; x < w; x += 2) anyTrace = anyTrace || IsTrace(empty.pixel(x, y));
    EXPECT_FALSE(anyTrace);
}

TEST(PatternPlots, PolarTraceIsClosedAtZero) {
    // 1.0 at azimuth 0, 0.5 elsewhere: the closing segment joins 359 degrees at half the
    // radius to 0 degrees on the rim.
    TAzHorzPattern p;
    for (int a = 0; a < 360; ++a) p.Points.AddPoint(a, a == 0 ? 1.0 : 0.5);
    TPolarPlotView view;
    view.SetPattern(&p, ptRF);
    const QImage image = Render(view, 1000, 1000);
    const TPolarGeometry g = PolarPlotGeometry(1000, 1000);
    const double pi = std::numbers::pi;
    auto x = [&](double compass, double r) { return g.Center.X + r * g.Radius * std::sin(compass * pi / 180); };
    auto y = [&](double compass, double r) { return g.Center.Y - r * g.Radius * std::cos(compass * pi / 180); };
    // The middle of the closing segment, and of the first one (0 to 1 degree).
    EXPECT_TRUE(TraceNear(image, (x(359, 0.5) + x(0, 1)) / 2, (y(359, 0.5) + y(0, 1)) / 2, 1));
    EXPECT_TRUE(TraceNear(image, (x(1, 0.5) + x(0, 1)) / 2, (y(1, 0.5) + y(0, 1)) / 2, 1));
}

TEST(PatternPlots, RectTraceLiesWhereTheGeometryPutsIt) {
    TVertPattern p;
    for (int i = -400; i <= 1000; ++i) p.AdjustedPoints.AddPoint(i / 10.0, i <= 0 ? 0.5 : 0.8);
    TRectPlotView view;
    const int w = 600, h = 500;
    struct Case {
        TViewType View;
        TRangeType Range;
        TRange Axis;
    } cases[] = {
        {vtPortrait, rtFiveToTen, {-10, 10, 1}},
        {vtStretch, rtFiveToTen, {-10, 10, 1}},
        {vtStretch, FiveToNinety, {-10, 90, 10}},
    };
    for (const Case& c : cases) {
        view.SetPattern(&p, c.Axis, c.View, ptRF);
        const QImage image = Render(view, w, h);
        const TIntRect f = RectPlotFrame(w, h, c.View);
        if (c.View == vtStretch) {
            EXPECT_EQ(f.Left, 30);
            EXPECT_EQ(f.Right, w - 20);
        } else {
            EXPECT_EQ(f.Right - f.Left, 322);  // 0.7 of the height less 40, centred
            EXPECT_EQ(f.Left, 300 - 161);
        }
        const double span = c.Axis.Max - c.Axis.Min;
        auto px = [&](double x) { return f.Left + (x - c.Axis.Min) / span * (f.Right - f.Left); };
        auto py = [&](double v) { return f.Bottom - v * (f.Bottom - f.Top); };
        EXPECT_TRUE(TraceNear(image, px(-5), py(0.5))) << c.View << c.Range;
        EXPECT_TRUE(TraceNear(image, px(c.Axis.Max - 1), py(0.8))) << c.View << c.Range;
        EXPECT_FALSE(TraceNear(image, px(-5), py(0.8))) << c.View << c.Range;
        // Nothing outside the frame (points beyond the range are skipped).
        EXPECT_FALSE(TraceNear(image, f.Left - 6, py(0.5)));
        EXPECT_FALSE(TraceNear(image, f.Right + 6, py(0.8)));
    }
}

TEST(PatternPlots, FontHeightFollowsTheScreenUnlessLabelsCollide) {
    EXPECT_EQ(RectPlotFontHeight(600, {0, 0, 1000, 400}, {-10, 10, 1}), 12);
    EXPECT_EQ(RectPlotFontHeight(1080, {0, 0, 1000, 400}, {-10, 10, 1}), 22);
    EXPECT_EQ(RectPlotFontHeight(1080, {0, 0, 336, 400}, {-10, 10, 1}), 10);
    EXPECT_EQ(RectPlotFontHeight(1080, {0, 0, 100, 400}, {-10, 10, 1}), 8);
    EXPECT_EQ(RectPlotFontHeight(1080, {0, 0, 300, 400}, {-10, 90, 10}), 17);
}

class PatternViews : public ::testing::Test {
protected:
    void SetUp() override {
        InitFolders(test::BinDir());
        TBroadcastDesign fresh;
        WorkingDesign().Assign(fresh);
        CustomElevationEntered() = LinesPageEntered() = false;
    }
    void TearDown() override {
        TBroadcastDesign fresh;
        WorkingDesign().Assign(fresh);
    }
    static void Options(const char* system, const char* family, const char* pol, const char* feed = "") {
        TBroadcastDesign& d = WorkingDesign();
        d.DesignInfo.SystemType = system;
        d.OptionsPage.FamilyID = family;
        d.OptionsPage.PolCode = pol;
        d.OptionsPage.FeedCode = feed;
    }
    template <typename Page>
    Page& Enter() {
        auto page = std::make_unique<Page>(Next);
        page->PageEnter();
        Page& ref = *page;
        FView.reset();  // the widget goes before its logic
        FPage = std::move(page);
        FView.reset(CreatePageView(ref, nullptr));
        return ref;
    }
    template <typename W>
    W* Find(const char* name) {
        W* w = FView->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // Writes the page at both sizes into the build folder.
    void Snapshot(const std::string& name) {
        for (QSize size : {QSize(800, 520), QSize(1920, 1000)}) {
            FView->resize(size);
            FView->grab().save(QString::fromStdString(test::BinDir() + "../shot_" + name + "_") +
                               QString::number(size.width()) + ".png");
        }
    }

    TWizardButton Next;
    test::ScriptedUI UI;
    std::unique_ptr<TWizardPage> FPage;
    std::unique_ptr<QWidget> FView;
};

TEST_F(PatternViews, AzimuthWidgetForwardsToTheLogic) {
    Options("TV", "KLX-UHF", "E");
    TfrmAzimuth& page = Enter<TfrmAzimuth>();
    auto* horz = Find<QTreeWidget>("lstHorzPatterns");
    auto* vert = Find<QTreeWidget>("lstVertPatterns");
    ASSERT_EQ(horz->topLevelItemCount(), page.HorzPatternList.Count());
    EXPECT_EQ(horz->currentItem(), horz->topLevelItem(0));
    EXPECT_FALSE(vert->isHidden());
    horz->setCurrentItem(horz->topLevelItem(1));
    EXPECT_EQ(page.HorzIndex(), 1);
    EXPECT_EQ(WorkingDesign().AzimuthPage.HorzPattern.PatternID, "KLX-CD");
    Find<QDoubleSpinBox>("spnRotation")->setValue(30);
    EXPECT_EQ(WorkingDesign().AzimuthPage.Angle(), 30);
    Find<QRadioButton>("rbdB")->click();
    EXPECT_EQ(WorkingDesign().AzimuthPage.PowerType, ptRP);
    EXPECT_EQ(Find<QLineEdit>("txtGain")->text().toStdString(), page.GainText());
    Snapshot("azimuth_tv");
}

TEST_F(PatternViews, FMElevationWidgetStepsThroughTheLogic) {
    Options("FM", "RNVX", "E", "E");
    TfrmFMElevation& page = Enter<TfrmFMElevation>();
    Find<QTreeWidget>("lstFMPatterns")->setCurrentItem(Find<QTreeWidget>("lstFMPatterns")->topLevelItem(3));
    auto* gain = Find<QLineEdit>("txtGain");
    const QString before = gain->text();
    auto* tilt = Find<QDoubleSpinBox>("spnBeamtilt");
    tilt->stepBy(-10);
    EXPECT_DOUBLE_EQ(page.Beamtilt(), -0.5);
    EXPECT_DOUBLE_EQ(tilt->value(), -0.5);
    EXPECT_NE(gain->text(), before);
    tilt->findChild<QLineEdit*>()->setText("-1");  // no typing
    EXPECT_TRUE(tilt->findChild<QLineEdit*>()->isReadOnly());
    Find<QDoubleSpinBox>("spnFirstNullFill")->stepBy(5);
    Find<QDoubleSpinBox>("spnSecondNullFill")->stepBy(3);
    EXPECT_DOUBLE_EQ(page.FirstNullFill(), 5);
    EXPECT_DOUBLE_EQ(page.SecondNullFill(), 3);
    Find<QRadioButton>("rbStretch")->click();
    EXPECT_EQ(page.ViewType(), vtStretch);
    Snapshot("elevation_fm");
}

TEST_F(PatternViews, EveryPatternPageRenders) {
    Options("TV", "KLX-UHF", "E");
    WorkingDesign().AzimuthPage.HorzPattern.PatternID = "KLX-OC";
    Enter<TfrmElevation>();
    EXPECT_TRUE(Find<QDoubleSpinBox>("spnBeamtilt")->findChild<QLineEdit*>()->isReadOnly());
    Snapshot("elevation_tv");
    Options("FM", "RNVX", "E", "C");
    Enter<TfrmFMAzimuth>();
    Snapshot("azimuth_fm");
    Options("TV", "CTM", "E");
    Enter<TfrmCustomAzimuth>();
    auto* entry = Find<QLineEdit>("txtHorzGain");
    entry->setText("2");
    emit entry->textEdited("2");
    EXPECT_DOUBLE_EQ(WorkingDesign().AzimuthPage.HorzPattern.Gain(), 2);
    EXPECT_EQ(Find<QLineEdit>("txtHorzGaindB")->text(), "3.01");
    EXPECT_FALSE(Find<QWidget>("pnlVertical")->isHidden());
    Snapshot("custom_azimuth_tv");
    Enter<TfrmCustomElevation>();
    Snapshot("custom_elevation_tv");
    Options("FM", "CTM", "H");
    Enter<TfrmFMCustomAzimuth>();
    Enter<TfrmFMCustomElevation>();
    Snapshot("custom_elevation_fm");
}

}  // namespace
}  // namespace velmo
