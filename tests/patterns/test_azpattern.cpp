#include <gtest/gtest.h>

#include <cmath>

#include "base/folders.h"
#include "base/numbers.h"
#include "patterns/azpattern.h"
#include "patterns/patfile.h"
#include "test_support.h"

using namespace velmo;

namespace {
// A 360-point pattern whose value at azimuth i is i / 1000, so every rotation is visible.
void FillRamp(TAzPattern& p, int count = 360) {
    p.Points.Clear();
    for (int i = 0; i < count; ++i) p.Points.AddPoint(i, i / 1000.0);
}
std::vector<double> AdjustedYs(TAzPattern& p) {
    std::vector<double> ys;
    for (const auto& pt : p.AdjustedPoints.Points()) ys.push_back(pt.Y);
    return ys;
}
}  // namespace

TEST(PatternLine, Syntax) {
    struct Case { const char* line; double x, y; };
    const Case cases[] = {{"45 0.7", 45, 0.7}, {"45     0.7", 45, 0.7}, {"45 \t 0.7", 45, 0.7},
                          {"45", 0, 0}, {"45\t0.7", 0, 0}, {"-90.0 1.0", -90, 1},
                          {"abc 0.5", 0, 0.5}, {"10 x", 10, 0}};
    for (const auto& c : cases) {
        TRealPoint p = ParsePatternLine(c.line);
        EXPECT_DOUBLE_EQ(c.x, p.X) << c.line;
        EXPECT_DOUBLE_EQ(c.y, p.Y) << c.line;
    }
}

TEST(PointFile, CommentsBlanksAndLineEnds) {
    TRealPointList pts;
    ParsePointText("! header\r\n  45   0.7  \r\n\r\n10 0.5 ! remark\n  \t\n45\r20 0.25", pts);
    ASSERT_EQ(3, pts.Count());
    EXPECT_DOUBLE_EQ(45, pts.Point(0).X);
    EXPECT_DOUBLE_EQ(0.7, pts.Point(0).Y);
    EXPECT_DOUBLE_EQ(0, pts.Point(1).X);  // the single number 45
    EXPECT_DOUBLE_EQ(0, pts.Point(1).Y);
    EXPECT_DOUBLE_EQ(0.25, pts.Point(2).Y);
}

TEST(PointFile, DecimalPointWhateverTheLocale) {
    ScopedDecimalSeparator comma(',');
    TRealPoint p = ParsePatternLine("1.5 0.25");
    EXPECT_DOUBLE_EQ(1.5, p.X);
    EXPECT_DOUBLE_EQ(0.25, p.Y);
}

TEST(AzPattern, RotationFollowsTheSignOfRem) {
    TAzHorzPattern p;
    FillRamp(p);
    p.Angle = 0;
    p.SetAdjustedPoints();
    ASSERT_EQ(360, p.AdjustedPoints.Count());
    for (int i : {0, 1, 359}) {
        EXPECT_DOUBLE_EQ(i, p.AdjustedPoints.Point(i).X);
        EXPECT_DOUBLE_EQ(i / 1000.0, p.AdjustedPoints.Point(i).Y);
    }
    p.Angle = 90;
    p.SetAdjustedPoints();
    EXPECT_DOUBLE_EQ(0, p.AdjustedPoints.Point(90).Y);        // the file's value at 0
    EXPECT_DOUBLE_EQ(0.270, p.AdjustedPoints.Point(0).Y);     // the file's value at 270
    auto at90 = AdjustedYs(p);
    p.Angle = 450;
    p.SetAdjustedPoints();
    EXPECT_EQ(at90, AdjustedYs(p));
    p.Angle = -90;
    p.SetAdjustedPoints();
    auto atMinus90 = AdjustedYs(p);
    EXPECT_DOUBLE_EQ(0.090, atMinus90[0]);
    p.Angle = 270;
    p.SetAdjustedPoints();
    EXPECT_EQ(atMinus90, AdjustedYs(p));
    p.Angle = -450;
    p.SetAdjustedPoints();
    EXPECT_EQ(atMinus90, AdjustedYs(p));
}

TEST(AzPattern, FileWith361PointsAndShortFiles) {
    TAzHorzPattern p;
    FillRamp(p, 361);
    p.Points.PPoint(360).Y = 0;  // a file that closes the circle repeats azimuth 0
    p.Angle = 30;
    p.SetAdjustedPoints();
    ASSERT_EQ(361, p.AdjustedPoints.Count());
    EXPECT_DOUBLE_EQ(p.AdjustedPoints.Point(0).Y, p.AdjustedPoints.Point(360).Y);
    // Fewer than 360 points do not describe the circle: nothing is read past the end.
    FillRamp(p, 359);
    p.SetAdjustedPoints();
    EXPECT_EQ(0, p.AdjustedPoints.Count());
    FillRamp(p, 0);
    p.SetAdjustedPoints();
    EXPECT_EQ(0, p.AdjustedPoints.Count());
}

TEST(AzPattern, GainAndAssign) {
    TAzFMPattern src;
    src.SetGain(2);
    EXPECT_NEAR(3.0103, src.GaindB, 1e-4);
    src.SetGain(0);
    EXPECT_DOUBLE_EQ(0, src.GaindB);
    src.SetGain(-1);
    EXPECT_DOUBLE_EQ(0, src.GaindB);
    src.SetGain(1.5);
    src.PatternCode = "OC";
    src.PatternID = "ID1";
    src.Desc = "Omni";
    src.Beamwidth = 360;
    src.FileName = "x.pat";
    src.Angle = 30;
    src.PatternType = ptFM;
    src.PolCode = "E";
    FillRamp(src);
    src.SetAdjustedPoints();

    TAzFMPattern dst;
    dst.Assign(src);
    EXPECT_EQ(30, dst.Angle);
    EXPECT_EQ(360, dst.Points.Count());
    EXPECT_EQ(0, dst.AdjustedPoints.Count());
    EXPECT_FALSE(dst.Loaded());
    EXPECT_NEAR(1.7609, dst.GaindB, 1e-4);
    EXPECT_EQ("Circular", dst.Polarization());
    EXPECT_EQ(FMAzimuthCPolPath(), dst.GetPath());
    src.Points.PPoint(0).Y = 9;  // a deep copy
    EXPECT_DOUBLE_EQ(0, dst.Points.Point(0).Y);
}

TEST(AzPattern, KindsFoldersAndWords) {
    TAzHorzPattern h;
    TAzVertPattern v;
    TAzFMPattern fm;
    EXPECT_EQ(AzimuthHPolPath(), h.GetPath());
    EXPECT_EQ("Horizontal", h.Polarization());
    EXPECT_EQ(AzimuthVPolPath(), v.GetPath());
    EXPECT_EQ("Vertical", v.Polarization());
    struct Case { const char* pol; std::string path; const char* word; };
    for (const auto& c : std::vector<Case>{{"H", FMAzimuthHPolPath(), "Horizontal"},
                                           {"V", FMAzimuthVPolPath(), "Vertical"},
                                           {"E", FMAzimuthCPolPath(), "Circular"},
                                           {"h", "", ""}}) {
        fm.PolCode = c.pol;
        EXPECT_EQ(c.path, fm.GetPath()) << c.pol;
        EXPECT_EQ(c.word, fm.Polarization()) << c.pol;
    }
}

TEST(AzPattern, LoadPointsReadsOnceAndMissingFileLeavesNoPoints) {
    test::TempDir dir;
    InitFolders(dir.Path().string());
    struct Restore {
        ~Restore() { InitFoldersFromExecutable(); }
    } restore;
    std::string body;
    for (int i = 0; i < 360; ++i) body += std::to_string(i) + " " + (i == 0 ? "1.0" : "0.5") + "\r\n";
    TAzFMPattern p;
    p.PolCode = "H";
    dir.Write("FM patterns/azimuth/hpol/omni.pat", body);
    p.FileName = "omni.pat";
    p.Angle = 10;
    p.LoadPoints();
    ASSERT_EQ(360, p.Points.Count());
    EXPECT_EQ(360, p.AdjustedPoints.Count());
    EXPECT_DOUBLE_EQ(1.0, p.AdjustedPoints.Point(10).Y);
    dir.Write("FM patterns/azimuth/hpol/other.pat", "0 0.1\r\n");
    p.FileName = "other.pat";
    p.LoadPoints();
    EXPECT_EQ(360, p.Points.Count());

    TAzFMPattern missing;
    missing.PolCode = "H";
    missing.FileName = "absent.pat";
    missing.LoadPoints();
    EXPECT_TRUE(missing.Loaded());
    EXPECT_EQ(0, missing.Points.Count());
}

TEST(AzimuthPage, AngleSetterDoesNotRebuildAndAssignCopiesAll) {
    TAzimuthPage page;
    EXPECT_EQ(ptRF, page.PowerType);
    FillRamp(page.HorzPattern);
    page.HorzPattern.SetAdjustedPoints();
    page.SetAngle(45);
    EXPECT_EQ(45, page.HorzPattern.Angle);
    EXPECT_EQ(45, page.VertPattern.Angle);
    EXPECT_EQ(45, page.FMPattern.Angle);
    EXPECT_DOUBLE_EQ(0.045, page.HorzPattern.AdjustedPoints.Point(45).Y);  // stale until rebuilt
    EXPECT_EQ(&page.VertPattern, &page.Pattern(ptVertical));
    EXPECT_EQ(&page.FMPattern, &page.Pattern(ptFM));

    TAzimuthPage copy;
    page.PowerType = ptRP;
    page.FMPattern.PatternID = "FM1";
    copy.Assign(page);
    EXPECT_EQ(45, copy.Angle());
    EXPECT_EQ(45, copy.FMPattern.Angle);
    EXPECT_EQ("FM1", copy.FMPattern.PatternID);
    EXPECT_EQ(360, copy.HorzPattern.Points.Count());
    EXPECT_EQ(ptRP, copy.PowerType);
}

TEST(ExportText, AzimuthLinesWithTabsAndCrLf) {
    TAzHorzPattern p;
    FillRamp(p);
    p.Points.PPoint(0).Y = 0;
    p.Points.PPoint(15).Y = 0.5;
    std::string text = AzimuthExportText(p);
    EXPECT_EQ(0u, text.find("0\t0.000\t-40.000\r\n"));
    EXPECT_NE(std::string::npos, text.find("\r\n15\t0.500\t-6.021\r\n"));
    EXPECT_EQ("\r\n", text.substr(text.size() - 2));
    EXPECT_EQ(360, std::count(text.begin(), text.end(), '\n'));

    test::TempDir dir;
    std::string written = ExportAzimuthPoints(dir.File("my pattern.txt"), p);
    EXPECT_EQ(dir.File("my pattern.pat"), written);
    EXPECT_EQ(text, test::ReadAll(written));

    ScopedDecimalSeparator comma(',');
    EXPECT_NE(std::string::npos, AzimuthExportText(p).find("15\t0,500\t-6,021\r\n"));
}

TEST(ExportText, ElevationStepRule) {
    auto text = [](std::initializer_list<double> xs) {
        TRealPointList l;
        for (double x : xs) l.AddPoint(x, 1.0);
        return ElevationPointsText(l);
    };
    std::string t = text({-10.25, -10, 9.75, 9.8, 90, 90.5});
    EXPECT_EQ("-10.00\t1.000\t0.000\r\n9.75\t1.000\t0.000\r\n90.00\t1.000\t0.000\r\n", t);
    EXPECT_EQ(std::string::npos, text({9.75, 10, 10.25, 10.5}).find("10.25"));
    EXPECT_NE(std::string::npos, text({9.75, 10, 10.25, 10.5}).find("10.50"));
    EXPECT_NE(std::string::npos, text({9.75, 10.25, 10.5}).find("10.25"));
}
