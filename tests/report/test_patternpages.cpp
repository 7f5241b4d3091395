// The pattern pages: page sequences, the data blocks, the tabulated azimuth, FCC and
// elevation tables against the model's numbers, and their bounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/conversions.h"
#include "base/numbers.h"
#include "model/design.h"
#include "report/analysispage.h"
#include "report/patternpages.h"
#include "report/reporter.h"
#include "report_test_util.h"
#include "test_support.h"

namespace velmo {
namespace {

// A recorded text with the font it was drawn in.
struct TText {
    double X, Y;
    std::string Text;
    THorizPosition H;
    TVerticalPosition V;
    FontInfo Font;
    bool Turned = false;  // drawn turned (TextOutAngleEx)
};

std::vector<TText> Texts(const TReporter& r, int page) {
    std::vector<TText> out;
    FontInfo font;
    for (const TPageItem& item : r.Page(page)) {
        if (item.Kind == ikSetFont) font = std::get<FontInfo>(item.Data);
        if (item.Kind == ikTextOutEx) {
            const auto& t = std::get<TextOutExInfo>(item.Data);
            out.push_back({t.X, t.Y, t.Text, t.hPos, t.vPos, font});
        }
        if (item.Kind == ikTextOutAngleEx) {
            const auto& t = std::get<TextOutAngleInfo>(item.Data);
            out.push_back({t.X, t.Y, t.Text, t.H, t.V, font, true});
        }
    }
    return out;
}

bool HasText(const TReporter& r, int page, const std::string& text) {
    for (const TText& t : Texts(r, page))
        if (t.Text == text) return true;
    return false;
}

// The text drawn at (x, y) on the page, "" when none.
std::string TextAt(const TReporter& r, int page, double x, double y) {
    for (const TText& t : Texts(r, page))
        if (std::abs(t.X - x) < 1e-6 && std::abs(t.Y - y) < 1e-6) return t.Text;
    return "";
}

// The data texts of a table page: the regular-font cells of the given height.
std::vector<TText> Cells(const TReporter& r, int page, double fontHeight) {
    std::vector<TText> out;
    for (const TText& t : Texts(r, page))
        if (t.Font.Style == 0 && t.Font.Height == fontHeight && t.H == hpCenter && t.V == vpCenter)
            out.push_back(t);
    return out;
}

// A TV design from the sample installation's catalogs and point files.
void FillTV(TBroadcastDesign& d, const std::string& family, const std::string& pol) {
    d.DesignInfo.SystemType = "TV";
    d.DesignInfo.CompanyName = "Northwind Broadcasting";
    d.DesignInfo.Location2 = "Mount Harlan";
    d.DesignInfo.SpecNo = "VS-1024";
    TOptionsPage& o = d.OptionsPage;
    o.Channel = {"32", 578, 584, 581, 581, "578 - 584 MHz"};
    o.FamilyID = family;
    o.PolCode = pol;
    o.PowerCode = "N";
    o.Service = stDigital;
    o.VerticalComponent = 30;

    TAzimuthPage& az = d.AzimuthPage;
    az.HorzPattern.PatternID = "KLX-CD";
    az.HorzPattern.PatternCode = "CD";
    az.HorzPattern.FileName = "az_cd.pat";
    az.HorzPattern.SetGain(2.5773);
    az.HorzPattern.GaindB = PowerTodB(2.5773);
    az.VertPattern.PatternID = "KLX-CD-V";
    az.VertPattern.PatternCode = "CD";
    az.VertPattern.FileName = "az_cd_v.pat";
    az.VertPattern.SetGain(1.8778);
    az.VertPattern.GaindB = PowerTodB(1.8778);
    az.SetAngle(30);
    az.HorzPattern.LoadPoints();
    az.VertPattern.LoadPoints();

    auto el = [&](TElPattern& p, const std::string& id, const std::string& file, double gain) {
        p.FamilyID = family;
        p.PolID = id;
        p.BaseCose = "KLX16";
        p.DetailLabel = id + " 16 BAY";
        p.BayCount = 16;
        p.FileName = file;
        p.SetGain(gain);
        p.SetDefaultBeamtilt(0.75);
        p.LoadPoints();
    };
    el(d.ElevationPage.HorzPattern, "KLX16", "klx16.pat", 17.722);
    el(d.ElevationPage.VertPattern, "KLX16V", "klx16v.pat", 17.102);

    d.LinesPage.Line.PartNumber = "OAC400-50";
    d.LinesPage.Line.SetdBPerFoot(0.2);
    d.LinesPage.Line.SetAvgPower(200);
    d.InitializeAnalisys();
    d.AnalysisPage.Analysis.SetTransmitterPowerkW(20);
}

void FillFM(TBroadcastDesign& d) {
    d.DesignInfo.SystemType = "FM";
    d.DesignInfo.CompanyName = "Lakeside FM";
    d.DesignInfo.Location2 = "Cedar Ridge";
    d.OptionsPage.Channel = {"251", 98, 98.2, 98.1, 98.1, "98.1 MHz"};
    d.OptionsPage.FamilyID = "RNVX";
    d.OptionsPage.PolCode = "E";
    d.OptionsPage.FeedCode = "C";
    d.OptionsPage.MaxERPkW = 100;
    TAzFMPattern& az = d.AzimuthPage.FMPattern;
    az.PatternID = "RNVX-ST";
    az.PolCode = "E";
    az.FileName = "fm_side24.pat";
    az.SetGain(1.7201);
    az.LoadPoints();
    TFMPattern& fm = d.ElevationPage.FMPattern;
    fm.FamilyID = "RNVX";
    fm.PolCode = "E";
    fm.DetailLabel = "8 BAY, CENTER FED";
    fm.BayCount = 8;
    fm.BaySpacing = 1;
    fm.FeedCode = "C";
    fm.SetGainFromFile(4.2744);  // the catalog gain of the plain array
    fm.SetBeamtilt(-0.5);
    d.LinesPage.Line.PartNumber = "OFC158-50";
    d.LinesPage.Line.SetdBPerFoot(0.25);
    d.LinesPage.Line.SetAvgPower(40);
    d.InitializeAnalisys();
    d.AnalysisPage.Analysis.SetTransmitterPowerkW(10);
}

// Page title and polarization word of every page.
std::vector<std::string> PageSummary(const TReporter& r) {
    static const char* titles[] = {"FCC FILING FORMAT", "TABULATED DATA FOR AZIMUTH PATTERN",
                                   "TABULATED DATA FOR ELEVATION PATTERN", "AZIMUTH PATTERN",
                                   "ELEVATION PATTERN"};
    std::vector<std::string> out;
    for (int p = 0; p < r.GetPageCount(); ++p) {
        std::string title = "?", pol = "?";
        for (const char* t : titles)
            if (HasText(r, p, t)) {
                title = t;
                break;
            }
        for (const char* w : {"Horizontal", "Vertical", "Circular"})
            if (HasText(r, p, w)) pol = w;
        out.push_back(title + " / " + pol);
    }
    return out;
}

// Every text anchor lies inside the page border (65, 40)-(780, 1015).
void ExpectInsideFrame(const TReporter& r, int page) {
    for (const TText& t : Texts(r, page)) {
        EXPECT_GT(t.X, 65) << t.Text;
        EXPECT_LT(t.X, 780) << t.Text;
        EXPECT_GT(t.Y, 40) << t.Text;
        EXPECT_LT(t.Y, 1015) << t.Text;
    }
}

}  // namespace

TEST(PatternPages, PageSequencesFollowSystemPolarizationAndFamily) {
    const std::string azH = "AZIMUTH PATTERN / Horizontal", tabH = "TABULATED DATA FOR AZIMUTH PATTERN / Horizontal",
                      fccH = "FCC FILING FORMAT / Horizontal", azV = "AZIMUTH PATTERN / Vertical",
                      tabV = "TABULATED DATA FOR AZIMUTH PATTERN / Vertical", fccV = "FCC FILING FORMAT / Vertical",
                      elH = "ELEVATION PATTERN / Horizontal", etH = "TABULATED DATA FOR ELEVATION PATTERN / Horizontal",
                      elV = "ELEVATION PATTERN / Vertical", etV = "TABULATED DATA FOR ELEVATION PATTERN / Vertical";
    struct Case {
        const char* system;
        const char* family;
        const char* pol;
        bool full;
        std::vector<std::string> azimuth, elevation;
    } cases[] = {
        {"TV", "KLX-UHF", "E", true, {azH, tabH, fccH, azV, tabV, fccV}, {elH, etH, elV, etV}},
        {"TV", "QD-MAX", "E", true, {azH, tabH, fccH, azV, tabV, fccV}, {elH, etH, elV, etV}},
        {"TV", "KVR", "E", true, {azH, tabH, fccH}, {elH, etH}},
        {"TV", "KLX-UHF", "H", false, {azH, tabH}, {elH, etH}},
        {"TV", "KLX-UHF", "E", false, {azH, tabH, azV, tabV}, {elH, etH, elV, etV}},
        {"FM", "RNVX", "E", true,
         {"AZIMUTH PATTERN / Circular", "TABULATED DATA FOR AZIMUTH PATTERN / Circular",
          "FCC FILING FORMAT / Circular"},
         {"ELEVATION PATTERN / Circular", "TABULATED DATA FOR ELEVATION PATTERN / Circular"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.system) + " " + c.family + " " + c.pol);
        TBroadcastDesign d;
        if (std::string(c.system) == "TV")
            FillTV(d, c.family, c.pol);
        else
            FillFM(d);
        TReporter az;
        DrawAzimuthPages(az, d, c.full);
        EXPECT_EQ(PageSummary(az), c.azimuth);
        TReporter el;
        DrawElevationPages(el, d);
        EXPECT_EQ(PageSummary(el), c.elevation);
        for (int p = 0; p < az.GetPageCount(); ++p) ExpectInsideFrame(az, p);
        for (int p = 0; p < el.GetPageCount(); ++p) ExpectInsideFrame(el, p);
    }
}

TEST(PatternPages, AzimuthTableListsTheRotatedPatternEveryTwoDegrees) {
    TBroadcastDesign d;
    FillTV(d, "KLX-UHF", "H");
    d.AzimuthPage.PowerType = ptRP;  // dB rings on the plot, field and dB in the table
    TAzPattern& p = d.AzimuthPage.HorzPattern;
    p.AdjustedPoints.Clear();
    TReporter r;
    DrawAzimuthPatternPages(r, d, ptHorizontal, true);
    ASSERT_EQ(r.GetPageCount(), 3);

    // The printing rebuilt the rotated list: azimuth n carries the value of n - 30.
    ASSERT_EQ(p.AdjustedPoints.Count(), 360);
    EXPECT_EQ(p.AdjustedPoints.Point(40).Y, p.Points.Point(10).Y);

    EXPECT_TRUE(HasText(r, 0, "Relative Power, dB"));
    EXPECT_TRUE(HasText(r, 0, "-35"));

    const std::vector<TText> cells = Cells(r, 1, 14);
    ASSERT_EQ(cells.size(), 180u * 3);
    const double c = 600.0 / 11;
    std::map<int, int> perGroup;
    for (int i = 0; i < 180; ++i) {
        const int g = i / 46, row = i % 46;
        ++perGroup[g];
        const TRealPoint pt = p.AdjustedPoints.Point(2 * i);
        const double x = 125 + 3 * g * c, y = 188.25 + 16.5 * (row + 1);
        const TText* t = &cells[3 * static_cast<size_t>(i)];
        EXPECT_EQ(t[0].Text, FormatInt(2 * i));
        EXPECT_EQ(t[1].Text, FormatFixed(pt.Y, 3));
        EXPECT_EQ(t[2].Text, FormatFixed(static_cast<double>(FieldTodBExt(pt.Y)), 2));
        EXPECT_NEAR(t[0].X, x, 1e-9);
        EXPECT_NEAR(t[1].X, x + c, 1e-9);
        EXPECT_NEAR(t[2].X, x + 2 * c, 1e-9);
        EXPECT_NEAR(t[0].Y, y, 1e-9);
    }
    EXPECT_EQ(perGroup, (std::map<int, int>{{0, 46}, {1, 46}, {2, 46}, {3, 42}}));
    // Headings of every group, in the bold font.
    int headings = 0;
    for (const TText& t : Texts(r, 1))
        if (t.Text == "ANGLE" && t.Font.Style == fsBold && t.Y == 188.25) ++headings;
    EXPECT_EQ(headings, 4);
}

TEST(PatternPages, FCCTableMultipliesTheERPOfTheKindByTheFieldSquared) {
    TBroadcastDesign d;
    FillTV(d, "KLX-UHF", "E");
    const TPowerAnalysis& a = d.AnalysisPage.Analysis;
    ASSERT_GT(a.ERPkWHorz(), 0);
    ASSERT_GT(a.ERPkWVert(), 0);
    ASSERT_NE(a.ERPkWHorz(), a.ERPkWVert());
    TReporter r;
    DrawAzimuthPages(r, d, true);
    ASSERT_EQ(r.GetPageCount(), 6);
    struct Page {
        int page;
        const TAzPattern& pattern;
        double erp;
    } pages[] = {{2, d.AzimuthPage.HorzPattern, a.ERPkWHorz()},
                 {5, d.AzimuthPage.VertPattern, a.ERPkWVert()}};
    for (const Page& pg : pages) {
        const std::vector<TText> cells = Cells(r, pg.page, 15);
        ASSERT_EQ(cells.size(), 36u * 4);
        for (int k = 0; k < 36; ++k) {
            const TRealPoint pt = pg.pattern.AdjustedPoints.Point(10 * k);
            const double erp = pg.erp * pt.Y * pt.Y;
            const TText* t = &cells[4 * static_cast<size_t>(k)];
            EXPECT_EQ(t[0].Text, FormatInt(10 * k));
            EXPECT_EQ(t[1].Text, FormatFixed(pt.Y, 3));
            EXPECT_EQ(t[2].Text, FormatFixed(erp, 3));
            EXPECT_EQ(t[3].Text, FormatFixed(PowerTodB(erp), 3));
            EXPECT_EQ(t[0].X, 187.5);
            EXPECT_EQ(t[3].X, 487.5);
            EXPECT_EQ(t[0].Y, 225 + 20 * (k + 1));
        }
        EXPECT_EQ(TextAt(r, pg.page, 487.5, 225), "ERP (dBk)");
    }
}

TEST(PatternPages, FCCTableOfAShortListPrintsOnlyTheRowsItHas) {
    TBroadcastDesign d;
    FillTV(d, "KLX-UHF", "H");
    struct Case {
        int points, rows;
    } cases[] = {{0, 0}, {1, 1}, {10, 1}, {11, 2}, {125, 13}, {350, 35}, {351, 36}, {720, 36}};
    for (const Case& c : cases) {
        TRealPointList list;
        for (int i = 0; i < c.points; ++i) list.AddPoint(i, 0.5);
        TReporter r;
        DrawFCCTable(r, d, list, ptHorizontal, 100);
        const std::vector<TText> cells = Cells(r, 0, 15);
        EXPECT_EQ(cells.size(), 4u * static_cast<size_t>(c.rows)) << c.points;
        if (c.rows > 0) {
            EXPECT_EQ(cells[2].Text, "25.000");  // 100 kW x 0.5^2
        }
        EXPECT_TRUE(HasText(r, 0, "ERP (kW)"));
        EXPECT_EQ(r.GetPageCount(), 1);
    }
}

TEST(PatternPages, AzimuthPatternWithoutPointsGetsItsPagesWithHeadingsOnly) {
    TBroadcastDesign d;
    FillTV(d, "KLX-UHF", "H");
    d.AzimuthPage.HorzPattern.Points.Clear();
    TReporter r;
    DrawAzimuthPatternPages(r, d, ptHorizontal, true);
    ASSERT_EQ(r.GetPageCount(), 3);
    EXPECT_TRUE(HasText(r, 0, "AZIMUTH PATTERN"));
    EXPECT_TRUE(Cells(r, 1, 14).empty());
    EXPECT_TRUE(HasText(r, 1, "FIELD"));
    EXPECT_TRUE(Cells(r, 2, 15).empty());
    EXPECT_TRUE(HasText(r, 2, "ERP (kW)"));
}

TEST(PatternPages, ElevationRowSelection) {
    auto rows = [](const std::vector<double>& xs) {
        TRealPointList list;
        for (double x : xs) list.AddPoint(x, 1);
        std::vector<double> out;
        for (int i : ElevationTableRows(list)) out.push_back(list.Point(i).X);
        return out;
    };
    EXPECT_EQ(rows({-10.000001, -10.0, -9.9, -9.75, 0, 0.1, 0.5}),
              (std::vector<double>{-10.0, -9.75, 0, 0.5}));
    // The half-degree step starts at a point exactly on 10 and holds from there on.
    EXPECT_EQ(rows({9.5, 9.75, 10, 10.25, 10.5, 90, 90.5}), (std::vector<double>{9.5, 9.75, 10, 10.5, 90}));
    // Without a point on 10 the quarter-degree step holds to 90.
    EXPECT_EQ(rows({9.75, 10.0000001, 10.25, 10.5, 89.75}), (std::vector<double>{9.75, 10.25, 10.5, 89.75}));
}

TEST(PatternPages, ElevationTableListsTheAdjustedPoints) {
    TBroadcastDesign d;
    FillTV(d, "KLX-UHF", "H");
    const TElPattern& p = d.ElevationPage.HorzPattern;
    const std::vector<int> rows = ElevationTableRows(p.AdjustedPoints);
    ASSERT_EQ(rows.size(), 80u + 161u);  // -10 ... 9.75 by 0.25, 10 ... 90 by 0.5
    TReporter r;
    DrawElevationPatternPages(r, ptHorizontal, d);
    ASSERT_EQ(r.GetPageCount(), 2);
    const std::vector<TText> cells = Cells(r, 1, 15);
    ASSERT_EQ(cells.size(), rows.size() * 3);
    const double c = 605.0 / 14;
    for (size_t i = 0; i < rows.size(); ++i) {
        const TRealPoint pt = p.AdjustedPoints.Point(rows[i]);
        const int g = static_cast<int>(i / 49), row = static_cast<int>(i % 49);
        const TText* t = &cells[3 * i];
        EXPECT_EQ(t[0].Text, FormatFixed(pt.X, 2));
        EXPECT_EQ(t[1].Text, FormatFixed(pt.Y, 3));
        EXPECT_EQ(t[2].Text, FormatFixed(static_cast<double>(FieldTodBExt(pt.Y)), 2));
        EXPECT_NEAR(t[0].X, 120 + 3 * g * c, 1e-9);
        EXPECT_NEAR(t[0].Y, 187.75 + 15.5 * (row + 1), 1e-9);
    }
    EXPECT_EQ(cells.front().Text, "-10.00");
    EXPECT_EQ(cells[3 * 80].Text, "10.00");
    EXPECT_EQ(cells.back().Text, FormatFixed(static_cast<double>(FieldTodBExt(p.AdjustedPoints.Point(rows.back()).Y)), 2));
}

TEST(PatternPages, ElevationTableBeyondFiveGroupsContinuesOnANewPage) {
    TBroadcastDesign d;
    FillTV(d, "KLX-UHF", "H");
    // Quarter degrees from -10 to 90 with no point exactly on 10: 400 rows.
    TRealPointList list;
    for (int i = 0; i <= 400; ++i) list.AddPoint(i == 80 ? 10.0000001 : -10 + 0.25 * i, 0.5);
    ASSERT_EQ(ElevationTableRows(list).size(), 400u);
    TReporter r;
    DrawElevationTable(r, d, ptHorizontal, list);
    ASSERT_EQ(r.GetPageCount(), 2);
    const std::vector<TText> first = Cells(r, 0, 15), second = Cells(r, 1, 15);
    EXPECT_EQ(first.size(), 245u * 3);
    EXPECT_EQ(second.size(), 155u * 3);
    EXPECT_EQ(second.front().Text, FormatFixed(-10 + 0.25 * 246, 2));  // row 246 (point 246)
    EXPECT_EQ(second.back().Text, "-6.02");
    for (int p = 0; p < 2; ++p) {
        EXPECT_TRUE(HasText(r, p, "TABULATED DATA FOR ELEVATION PATTERN"));
        ExpectInsideFrame(r, p);
        double maxX = 0, maxY = 0;
        for (const TText& t : Cells(r, p, 15)) {
            maxX = std::max(maxX, t.X);
            maxY = std::max(maxY, t.Y);
        }
        EXPECT_LE(maxX, 725 + 1e-9);
        EXPECT_LE(maxY, 187.75 + 15.5 * 49 + 1e-9);
    }
    // The page frame numbers the continuation page.
    EXPECT_TRUE(HasText(r, 1, "VS-1024  Page 2"));

    // A real case: the 16-bay pattern tilted 0.15 degrees past its default has no
    // adjusted point exactly on 10, so the quarter-degree rows run on past the page.
    d.ElevationPage.HorzPattern.SetBeamtilt(0.9);
    const size_t tilted = ElevationTableRows(d.ElevationPage.HorzPattern.AdjustedPoints).size();
    EXPECT_GT(tilted, 245u);
    TReporter t;
    DrawElevationPatternPages(t, ptHorizontal, d);
    EXPECT_EQ(t.GetPageCount(), 3);
    EXPECT_EQ(Cells(t, 1, 15).size() + Cells(t, 2, 15).size(), 3 * tilted);
}

TEST(PatternPages, AzimuthTableBeyondFourGroupsContinuesOnANewPage) {
    TBroadcastDesign d;
    FillTV(d, "KLX-UHF", "H");
    TRealPointList list;
    for (int i = 0; i < 400; ++i) list.AddPoint(i, 1);  // 200 even angles
    TReporter r;
    DrawAzimuthTable(r, d, list, ptHorizontal);
    ASSERT_EQ(r.GetPageCount(), 2);
    EXPECT_EQ(Cells(r, 0, 14).size(), 184u * 3);
    EXPECT_EQ(Cells(r, 1, 14).size(), 16u * 3);
    EXPECT_EQ(Cells(r, 1, 14).front().Text, "368");
    ExpectInsideFrame(r, 0);
    ExpectInsideFrame(r, 1);
}

TEST(PatternPages, DataBlocksShowThePatternAndTheDesign) {
    TBroadcastDesign d;
    FillTV(d, "KLX-UHF", "E");
    TReporter r;
    DrawAzimuthPatternPages(r, d, ptVertical, false);
    const TAzPattern& az = d.AzimuthPage.VertPattern;
    EXPECT_EQ(TextAt(r, 0, 422.5, 130), "AZIMUTH PATTERN");
    EXPECT_EQ(TextAt(r, 0, 345, 180), "KLX-CD-V");
    EXPECT_EQ(TextAt(r, 0, 665, 180), "32");
    EXPECT_EQ(TextAt(r, 0, 665, 195), "Mount Harlan");
    EXPECT_EQ(TextAt(r, 0, 290, 210), FormatFixed(az.Gain(), 2));
    EXPECT_EQ(TextAt(r, 0, 400, 210), FormatFixed(az.GaindB, 2));
    EXPECT_EQ(TextAt(r, 0, 665, 210), "Vertical");
    EXPECT_EQ(TextAt(r, 0, 485, 225), "Note: Pattern shape and directivity may vary with");
    EXPECT_EQ(TextAt(r, 0, 115, 115), "");
    EXPECT_EQ(TextAt(r, 1, 115, 115), "TABULATED DATA FOR AZIMUTH PATTERN");
    EXPECT_EQ(TextAt(r, 1, 115, 139), "Type:");
    EXPECT_EQ(TextAt(r, 1, 115, 155), "Polarization:");

    // Elevation block: the pattern name by family.
    struct Case {
        const char* family;
        TPatternType kind;
        std::string expected;
    } cases[] = {
        {"KLX-UHF", ptHorizontal, "KLX16H" + TBroadcastDesign::GetBeamtiltCode(0.75) + "H"},
        {"KLX-UHF", ptVertical, "KLX16H" + TBroadcastDesign::GetBeamtiltCode(0.75) + "V"},
        {"KVR", ptHorizontal, ""},  // BuildHorzKVRElId
        {"KVR", ptVertical, ""},    // BuildVertKVRElId
        {"QD-MAX", ptVertical, "KLX16V 16 BAY"},
    };
    for (const Case& c : cases) {
        TBroadcastDesign e;
        FillTV(e, c.family, "E");
        std::string expected = c.expected;
        if (expected.empty())
            expected = c.kind == ptHorizontal ? e.BuildHorzKVRElId() : e.BuildVertKVRElId();
        EXPECT_EQ(ElevationTypeText(e, c.kind), expected) << c.family << c.kind;
        TReporter er;
        DrawElevationPatternPages(er, c.kind, e);
        EXPECT_EQ(TextAt(er, 0, 330, 142), expected) << c.family;
        const TElPattern& p = e.ElevationPage.Pattern(c.kind);
        EXPECT_EQ(TextAt(er, 0, 285, 172), FormatFixed(p.Gain(), 2));
        EXPECT_EQ(TextAt(er, 0, 375, 172), FormatFixed(p.MainLobedBd, 2));
        EXPECT_EQ(TextAt(er, 0, 285, 187), FormatFixed(p.HorzNum, 2));
        EXPECT_EQ(TextAt(er, 0, 375, 187), FormatFixed(p.HorzdBd, 2));
        EXPECT_EQ(TextAt(er, 0, 640, 172), FormatFixed(p.Beamtilt(), 2));
        EXPECT_EQ(TextAt(er, 0, 640, 187), c.kind == ptHorizontal ? "Horizontal" : "Vertical");
        EXPECT_EQ(TextAt(er, 0, 640, 157), "Mount Harlan");
    }
}

TEST(PatternPages, TableHeaderValuesStayClearOfTheirLabels) {
    // A short value is centred 30 after its label; one wide enough to reach back into
    // the label moves right and keeps a gap.
    struct Case {
        std::string label;
        std::string detail;
        bool centred;
    } cases[] = {{"Type:", "QD8", true},
                 {"Type:", "KLX16 16 BAY SMOOTH VPOL, 25% NULL FILL", false},
                 {"Polarization:", "Horizontal", false}};
    for (const Case& c : cases) {
        TBroadcastDesign d;
        FillTV(d, "QD-MAX", "H");
        d.ElevationPage.HorzPattern.DetailLabel = c.detail;
        TReporter r;
        DrawElevationTableHeader(r, d, ptHorizontal);
        const std::string value = c.label == "Type:" ? c.detail : "Horizontal";
        const std::vector<TText> texts = Texts(r, 0);
        const TText* label = nullptr;
        const TText* v = nullptr;
        for (const TText& t : texts) {
            if (t.Text == c.label) label = &t;
            if (t.Text == value) v = &t;
        }
        ASSERT_TRUE(label && v) << c.label;
        EXPECT_EQ(v->Y, label->Y);
        TReporter m;
        m.SetFont("Arial", clBlack, fsBold | fsItalic, 16);
        const double labelRight = 115 + m.TextWidth(c.label);
        if (c.centred) {
            EXPECT_DOUBLE_EQ(v->X, labelRight + 30) << c.label;
        } else {
            EXPECT_GT(v->X, labelRight + 30) << c.label;
        }
        EXPECT_GE(v->X - m.TextWidth(value) / 2, labelRight + 4) << c.label;
    }
}

// The pages as a PDF: the text a reader extracts carries the model's numbers. With
// VELMO_PAGES_OUT set, the PDF is also kept there for a look at the pages.
TEST(PatternPages, PdfCarriesTheTablesNumbers) {
    if (test::RunTool("command -v pdftotext").empty()) GTEST_SKIP() << "pdftotext missing";
    struct Case {
        const char* file;
        bool fm;
        TPatternType kind;
        int pages;
        const char* type;
    } cases[] = {{"patternpages_tv.pdf", false, ptVertical, 10, "KLX-CD-V"},
                 {"patternpages_fm.pdf", true, ptFM, 5, "RNVX-ST"}};
    test::TempDir dir;
    for (const Case& c : cases) {
        TBroadcastDesign d;
        if (c.fm) {
            FillFM(d);
            d.ElevationPage.RangeType = FiveToNinety;
        } else {
            FillTV(d, "KLX-UHF", "E");
        }
        TReporter r;
        DrawAzimuthPages(r, d, true);
        r.NewPage();
        DrawElevationPages(r, d);
        const char* keep = std::getenv("VELMO_PAGES_OUT");
        const std::string pdf = keep ? std::string(keep) + "/" + c.file : dir.File(c.file);
        WritePdf(r, pdf);
        const std::string text = test::RunTool("pdftotext -layout " + test::ShellQuote(pdf) + " -");
        EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), c.pages) << c.file;
        const TAzPattern& p = d.AzimuthPage.Pattern(c.kind);
        const double erp = FieldERP(FCCPageERP(d, c.kind), p.AdjustedPoints.Point(120).Y);
        for (const std::string& want :
             {std::string("FCC FILING FORMAT"), FormatFixed(erp, 3),
              std::string("TABULATED DATA FOR ELEVATION PATTERN"), std::string(c.type)})
            EXPECT_NE(text.find(want), std::string::npos) << c.file << ": " << want;
    }
}

// Every sample design: its analysis and pattern pages keep every text inside the page
// border (measured in the font it is drawn in). With VELMO_PAGES_OUT set, each design's
// pages are kept there as a PDF.
TEST(PatternPages, SampleDesignsStayInsideTheFrame) {
    const std::filesystem::path samples = test::BinDir() + "samples";
    if (!std::filesystem::exists(samples)) GTEST_SKIP() << "no sample designs";
    const char* keep = std::getenv("VELMO_PAGES_OUT");
    int designs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(samples)) {
        if (entry.path().extension() != ".bcst") continue;
        SCOPED_TRACE(entry.path().filename().string());
        ++designs;
        std::unique_ptr<TBroadcastDesign> d = LoadDesignFile(entry.path().string());
        TReporter r;
        DrawAnalysisPage(r, *d);
        r.NewPage();
        DrawAzimuthPages(r, *d, true);
        r.NewPage();
        DrawElevationPages(r, *d);
        std::vector<TPatternType> kinds = {ptFM};
        if (d->DesignInfo.SystemType == "TV") {
            kinds = {ptHorizontal};
            if (d->OptionsPage.PolCode == "E" && d->OptionsPage.FamilyID != "KVR")
                kinds.push_back(ptVertical);
        }
        // Analysis page; per pattern plot, table(s), FCC page, plot, table(s).
        auto pages = [](size_t rows, size_t perPage) { return std::max<size_t>(1, (rows + perPage - 1) / perPage); };
        size_t expected = 1;
        for (TPatternType k : kinds)
            expected += 3 + pages(AzimuthTableRows(d->AzimuthPage.Pattern(k).AdjustedPoints).size(), 184) +
                        pages(ElevationTableRows(d->ElevationPage.Pattern(k).AdjustedPoints).size(), 245);
        EXPECT_EQ(static_cast<size_t>(r.GetPageCount()), expected);
        TReporter measure;
        for (int p = 0; p < r.GetPageCount(); ++p)
            for (const TText& t : Texts(r, p)) {
                if (t.Turned) continue;
                measure.SetFont(t.Font.Name, t.Font.Color, t.Font.Style, t.Font.Height);
                const double w = measure.TextWidth(t.Text);
                const double left = t.H == hpLeft ? t.X : t.H == hpCenter ? t.X - w / 2 : t.X - w;
                EXPECT_GT(left, 65) << "page " << p + 1 << ": " << t.Text;
                EXPECT_LT(left + w, 780) << "page " << p + 1 << ": " << t.Text;
                EXPECT_GT(t.Y, 40) << t.Text;
                EXPECT_LT(t.Y, 1015) << t.Text;
                // No negative zero ("-0.00", "-0.000") in any table or label.
                const bool negativeZero = t.Text.size() > 1 && t.Text[0] == '-' &&
                                          t.Text.find_first_not_of("0.,", 1) == std::string::npos;
                EXPECT_FALSE(negativeZero) << "page " << p + 1 << ": " << t.Text;
            }
        if (keep)
            WritePdf(r, std::string(keep) + "/sample_" + entry.path().stem().string() + ".pdf");
    }
    EXPECT_GT(designs, 0);
}

}  // namespace velmo
