// The power analysis page: every figure in its place with the model's numbers, the
// elliptical variant, the FM chain of boxes and the pictures under them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "base/conversions.h"
#include "base/numbers.h"
#include "model/design.h"
#include "report/analysispage.h"
#include "report/reporter.h"
#include "report_test_util.h"
#include "test_support.h"

namespace velmo {
namespace {

struct TItem {
    double X, Y;
    std::string Text;
    THorizPosition H;
    TVerticalPosition V;
    FontInfo Font;
};

std::vector<TItem> Items(const TReporter& r, int page = 0) {
    std::vector<TItem> out;
    FontInfo font;
    for (const TPageItem& item : r.Page(page)) {
        if (item.Kind == ikSetFont) font = std::get<FontInfo>(item.Data);
        if (item.Kind == ikTextOutEx) {
            const auto& t = std::get<TextOutExInfo>(item.Data);
            out.push_back({t.X, t.Y, t.Text, t.hPos, t.vPos, font});
        }
    }
    return out;
}

const TItem* Find(const std::vector<TItem>& items, const std::string& text) {
    for (const TItem& t : items)
        if (t.Text == text) return &t;
    return nullptr;
}

constexpr TFontStyles kHeading = fsBold | fsItalic | fsUnderline;
constexpr TFontStyles kLabel = fsItalic;
constexpr TFontStyles kValue = fsItalic | fsUnderline;

// Expected text: bottom-aligned at (x, y) in a 16-high style unless stated.
struct TExpect {
    double X, Y;
    std::string Text;
    THorizPosition H;
    TFontStyles Style;
    double Height = 16;
};

void ExpectTexts(const std::vector<TItem>& items, const std::vector<TExpect>& expected) {
    for (const TExpect& e : expected) {
        const TItem* t = Find(items, e.Text);
        ASSERT_NE(t, nullptr) << "missing: " << e.Text;
        EXPECT_EQ(t->X, e.X) << e.Text;
        EXPECT_EQ(t->Y, e.Y) << e.Text;
        EXPECT_EQ(t->H, e.H) << e.Text;
        EXPECT_EQ(t->V, vpBottom) << e.Text;
        EXPECT_EQ(t->Font.Style, e.Style) << e.Text;
        EXPECT_EQ(t->Font.Height, e.Height) << e.Text;
        EXPECT_EQ(t->Font.Name, "Arial") << e.Text;
    }
}

std::string F(double v) { return FormatFixed(v, 2); }

// The transmission line rows: labels left at x, each value on its label's line in one
// column at least x + 140 and clear of the widest label. Returns the values by line.
std::map<double, std::string> LineValues(const std::vector<TItem>& items, double x) {
    TReporter measure;
    measure.SetFont("Arial", clBlack, kLabel, 16);
    double column = -1;
    std::map<double, std::string> values;
    for (const TItem& label : items) {
        if (label.X != x || label.Font.Style != kLabel) continue;
        for (const TItem& v : items)
            if (v.Y == label.Y && v.Font.Style == kValue && v.H == hpLeft && v.X < 450) {
                EXPECT_GE(v.X, x + 140) << v.Text;
                EXPECT_GE(v.X, x + measure.TextWidth(label.Text) + 4) << label.Text;
                if (column < 0) column = v.X;
                EXPECT_EQ(v.X, column) << v.Text;
                values[v.Y] = v.Text;
            }
    }
    return values;
}

// A design whose analysis figures are distinct and round enough to read.
void FillTV(TBroadcastDesign& d, const std::string& pol) {
    d.DesignInfo.SystemType = "TV";
    d.DesignInfo.CompanyName = "Northwind Broadcasting";
    d.DesignInfo.Location2 = "Mount Harlan";
    d.DesignInfo.SpecNo = "VS-1024";
    d.OptionsPage.Channel = {"32", 578, 584, 581, 581, "578 - 584 MHz"};
    d.OptionsPage.FamilyID = "KLX-UHF";
    d.OptionsPage.PolCode = pol;
    d.OptionsPage.VerticalComponent = 25;
    d.AzimuthPage.HorzPattern.SetGain(2.5773);
    d.AzimuthPage.HorzPattern.GaindB = 4.1117;
    d.AzimuthPage.VertPattern.SetGain(1.8778);
    d.AzimuthPage.VertPattern.GaindB = 2.7365;
    d.ElevationPage.HorzPattern.SetGain(17.722);
    d.ElevationPage.VertPattern.SetGain(17.102);
    d.LinesPage.VertLength = 100;
    d.LinesPage.HorzLength = 0;
    d.LinesPage.Line.PartNumber = "OAC400-50";
    d.LinesPage.Line.SetdBPerFoot(0.96910013);  // line efficiency 0.8 over 100 ft
    d.LinesPage.Line.SetAvgPower(1000);
    d.InitializeAnalisys();
    d.AnalysisPage.Analysis.SetERPkWHorz(100);
}

void FillFM(TBroadcastDesign& d, const std::string& pol) {
    d.DesignInfo.SystemType = "FM";
    d.DesignInfo.CompanyName = "Lakeside FM";
    d.DesignInfo.Location2 = "Cedar Ridge";
    d.OptionsPage.Channel = {"251", 98, 98.2, 98.1, 98.1, "98.1 MHz"};
    d.OptionsPage.FamilyID = "RNVX";
    d.OptionsPage.PolCode = pol;
    d.OptionsPage.FeedCode = "C";
    d.OptionsPage.MaxERPkW = 100;
    d.AzimuthPage.FMPattern.SetGain(1.7201);
    TFMPattern& fm = d.ElevationPage.FMPattern;
    fm.FamilyID = "RNVX";
    fm.PolCode = pol;
    fm.BayCount = 8;
    fm.BaySpacing = 1;
    fm.FeedCode = "C";
    fm.SetGainFromFile(4.2744);  // the catalog gain of the plain array
    fm.SetBeamtilt(-0.5);
    d.LinesPage.VertLength = 300;
    d.LinesPage.HorzLength = 40;
    d.LinesPage.Line.PartNumber = "OFC158-50";
    d.LinesPage.Line.SetdBPerFoot(0.2);
    d.LinesPage.Line.SetAvgPower(40);
    d.InitializeAnalisys();
    d.AnalysisPage.Analysis.SetTransmitterPowerkW(12);
}

// A keep-folder for the rendered pages when VELMO_PAGES_OUT is set.
std::string PdfPath(const test::TempDir& dir, const std::string& name) {
    const char* keep = std::getenv("VELMO_PAGES_OUT");
    return keep ? std::string(keep) + "/" + name : dir.File(name);
}

}  // namespace

TEST(AnalysisPage, TVPageWithOnePolarization) {
    TBroadcastDesign d;
    FillTV(d, "H");
    const TPowerAnalysis& a = d.AnalysisPage.Analysis;
    TReporter r;
    DrawAnalysisPage(r, d);
    const std::vector<TItem> items = Items(r);

    // Frame first (part number and page in the header), then the picture.
    EXPECT_EQ(items.front().Text, d.BuildPartNumber());
    bool picture = false;
    for (const TPageItem& item : r.Page(0))
        if (item.Kind == ikDrawFromRes && std::get<DrawFromResInfo>(item.Data).ResName != "Orvane_LOGO2") {
            const auto& info = std::get<DrawFromResInfo>(item.Data);
            EXPECT_EQ(info.ResName, "ANALYSIS");
            EXPECT_EQ(info.R.Left, 390);
            EXPECT_EQ(info.R.Top, 200);
            EXPECT_EQ(info.R.Right, 735);
            EXPECT_EQ(info.R.Bottom, 950);
            picture = true;
        }
    EXPECT_TRUE(picture);

    const TItem* title = Find(items, "Broadcast Antenna System");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->X, 425);
    EXPECT_EQ(title->Y, 125);
    EXPECT_EQ(title->H, hpCenter);
    EXPECT_EQ(title->V, vpTop);
    EXPECT_EQ(title->Font.Height, 24);
    const TItem* sub = Find(items, "Power Analysis");
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->Y, 150);
    EXPECT_EQ(sub->Font.Height, 18);

    ASSERT_NEAR(a.Efficiency(), 0.8, 1e-9);
    ExpectTexts(items, {
        // Right column.
        {500, 305, "ERP:", hpLeft, kHeading},
        {625, 321, F(a.ERPkWHorz()), hpLeft, kValue},
        {610, 337, "dBk:", hpRight, kLabel},
        {625, 337, "20.00", hpLeft, kValue},
        {500, 408, "POWER GAIN:", hpLeft, kHeading},
        {610, 424, "Ratio:", hpRight, kLabel},
        {625, 424, F(a.PowerGainRatioHorz()), hpLeft, kValue},
        {625, 440, F(a.PowerGaindBdHorz()), hpLeft, kValue},
        {500, 511, "ANTENNA INPUT:", hpLeft, kHeading},
        {625, 527, F(a.AntennaInputkW), hpLeft, kValue},
        {625, 543, F(a.AntennaInputdBk()), hpLeft, kValue},
        {500, 614, "LINE LOSS:", hpLeft, kHeading},
        {625, 630, F(a.LineLosskW()), hpLeft, kValue},
        {610, 646, "dB:", hpRight, kLabel},
        {625, 646, F(a.LineLossdB()), hpLeft, kValue},
        // Transmitter.
        {555, 845, "TRANSMITTER", hpLeft, kHeading},
        {555, 861, "POWER:", hpLeft, kHeading},
        {665, 905, F(a.TransmitterPowerkW()), hpLeft, kValue},
        {665, 921, F(a.TransmitterPowerdBk()), hpLeft, kValue},
        // Left column.
        {105, 205, "Northwind Broadcasting", hpLeft, fsBold | fsItalic, 24},
        {105, 229, "Mount Harlan", hpLeft, fsBold | fsItalic, 24},
        {105, 297, "ANTENNA PARAMETERS", hpLeft, kHeading},
        {105, 343, "Azimuth Directivity:", hpLeft, fsBold | fsItalic},
        {255, 359, "2.58", hpLeft, kValue},
        {255, 375, "4.11", hpLeft, kValue},
        {105, 431, "Elevation Directivity:", hpLeft, fsBold | fsItalic},
        {255, 447, "17.72", hpLeft, kValue},
        {255, 463, F(d.ElevationPage.HorzPattern.MainLobedBd), hpLeft, kValue},
        {105, 519, "TRANSMISSION LINE:", hpLeft, kHeading},
        {105, 565, "VERTICAL RUN:", hpLeft, kHeading},
        {105, 581, "Type:", hpLeft, kLabel},
        {105, 613, "Attenuation, dB/100 ft:", hpLeft, kLabel},
        {105, 659, "HORIZONTAL RUN:", hpLeft, kHeading},
        {105, 753, "Line Efficiency:", hpLeft, kLabel},
    });
    EXPECT_EQ(LineValues(items, 105),
              (std::map<double, std::string>{{581, "OAC400-50"}, {597, "100 ft."},
                                             {613, "0.969 dB/100 ft."}, {675, "OAC400-50"},
                                             {691, "0 ft."}, {707, "0.969 dB/100 ft."},
                                             {753, "80.00 %"}}));
    // The design line's channel follows the company name at its measured width.
    const TItem* channel = Find(items, "   Channel  32");
    ASSERT_NE(channel, nullptr);
    EXPECT_GT(channel->X, 105 + 100);
    EXPECT_EQ(channel->Y, 205);
    const TItem* part = Find(items, d.BuildPartNumber());
    // Both runs show the one line's type and attenuation; only the lengths differ.
    int types = 0, attenuations = 0;
    for (const TItem& t : items) {
        if (t.Text == "OAC400-50") ++types;
        if (t.Text == "0.969 dB/100 ft.") ++attenuations;
    }
    EXPECT_EQ(types, 2);
    EXPECT_EQ(attenuations, 2);
    EXPECT_NE(part, nullptr);
    EXPECT_EQ(Find(items, "Hor. Pol:")->X, 245);  // the azimuth directivity row
    EXPECT_EQ(Find(items, "Ver. Pol:"), nullptr);
}

TEST(AnalysisPage, TVPageWithBothPolarizations) {
    TBroadcastDesign d;
    FillTV(d, "E");
    const TPowerAnalysis& a = d.AnalysisPage.Analysis;
    ASSERT_DOUBLE_EQ(a.ERPkWHorz(), 100);
    ASSERT_GT(a.ERPkWVert(), 0);
    TReporter r;
    DrawAnalysisPage(r, d);
    const std::vector<TItem> items = Items(r);
    ExpectTexts(items, {
        {500, 285, "ERP:", hpLeft, kHeading},
        {560, 301, "100.00 kW  (20.00 dBk)", hpLeft, kValue},
        {560, 317, F(a.ERPkWVert()) + " kW  (" + F(a.ERPdBkVert()) + " dBk)", hpLeft, kValue},
        {500, 388, "POWER GAIN:", hpLeft, kHeading},
        {560, 404, F(a.PowerGainRatioHorz()) + " (" + F(a.PowerGaindBdHorz()) + " dBd)", hpLeft, kValue},
        {560, 420, F(a.PowerGainRatioVert()) + " (" + F(a.PowerGaindBdVert()) + " dBd)", hpLeft, kValue},
        {500, 491, "ANTENNA INPUT:", hpLeft, kHeading},
        {560, 507, F(a.AntennaInputkW), hpLeft, kValue},
        {500, 594, "LINE LOSS:", hpLeft, kHeading},
        {560, 626, F(a.LineLossdB()), hpLeft, kValue},
        {255, 359, "2.58 (4.11 dBd)", hpLeft, kValue},
        {255, 375, "1.88 (2.74 dBd)", hpLeft, kValue},
        {255, 447, "17.72 (" + F(d.ElevationPage.HorzPattern.MainLobedBd) + " dBd)", hpLeft, kValue},
        {255, 463, "17.10 (" + F(d.ElevationPage.VertPattern.MainLobedBd) + " dBd)", hpLeft, kValue},
        {105, 753, "Line Efficiency:", hpLeft, kLabel},
    });
    // Labels of the right column right-aligned at 535; of the directivities at 245.
    int right = 0, left = 0;
    for (const TItem& t : items)
        if (t.Text == "Hor. Pol:" || t.Text == "Ver. Pol:") {
            EXPECT_EQ(t.H, hpRight);
            (t.X == 535 ? right : left) += 1;
            EXPECT_TRUE(t.X == 535 || t.X == 245) << t.X;
        }
    EXPECT_EQ(right, 4);
    EXPECT_EQ(left, 4);
    EXPECT_EQ(Find(items, "Ratio:"), nullptr);
}

TEST(AnalysisPage, FMPageChainOfBoxes) {
    struct Case {
        const char* pol;
        const char* word;
    } cases[] = {{"H", "Hor Pol:"}, {"V", "Ver Pol:"}, {"E", "Hor or Ver Pol:"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pol);
        TBroadcastDesign d;
        FillFM(d, c.pol);
        const TPowerAnalysis& a = d.AnalysisPage.Analysis;
        ASSERT_GT(a.ERPkWHorz(), 0);
        TReporter r;
        DrawAnalysisPage(r, d);
        const std::vector<TItem> items = Items(r);
        ExpectTexts(items, {
            {500, 305, "ERP:", hpLeft, kHeading},
            {575, 305, c.word, hpLeft, kHeading},
            {625, 321, F(a.ERPkWHorz()), hpLeft, kValue},
            {625, 337, F(a.ERPdBkHorz()), hpLeft, kValue},
            {500, 408, "POWER GAIN:", hpLeft, kHeading},
            {500, 511, "ANTENNA INPUT:", hpLeft, kHeading},
            {500, 614, "LINE LOSS:", hpLeft, kHeading},
            {675, 850, "Transmitter Power", hpCenter, kHeading},
            {710, 900, F(a.TransmitterPowerkW()), hpLeft, kValue},
            {710, 916, F(a.TransmitterPowerdBk()), hpLeft, kValue},
            {216, 850, "Circulator Loss", hpCenter, kHeading},
            {358, 850, "Filter Loss", hpCenter, kHeading},
            {500, 850, "Isol Trans Loss", hpCenter, kHeading},
            {165, 220, "Lakeside FM", hpLeft, fsBold | fsItalic, 24},
            {165, 244, "Cedar Ridge", hpLeft, fsBold | fsItalic, 24},
            {135, 490, "TRANSMISSION LINE:", hpLeft, kHeading},
            {135, 536, "VERTICAL RUN:", hpLeft, kHeading},
            {135, 630, "HORIZONTAL RUN:", hpLeft, kHeading},
        });
        const TItem* sub = Find(items, "Power Analysis");
        ASSERT_NE(sub, nullptr);
        EXPECT_EQ(sub->Font.Height, 20);
        const std::map<double, std::string> run = LineValues(items, 135);
        EXPECT_EQ(run.size(), 7u);
        EXPECT_EQ(run.at(568), "300 ft.");
        EXPECT_EQ(run.at(662), "40 ft.");
        EXPECT_EQ(run.at(724), F(a.Efficiency() * 100) + " %");
        EXPECT_NE(Find(items, "FM Broadcast Antenna System"), nullptr);
        // No directivity entries on the FM page.
        EXPECT_EQ(Find(items, "ANTENNA PARAMETERS"), nullptr);

        // All losses are 0: every box still shows its rows.
        int zeros = 0, kW = 0;
        for (const TItem& t : items) {
            if (t.Text == "0.00" && t.Y >= 900) ++zeros;
            if (t.Text == "kW:" && t.Y == 900) ++kW;
        }
        EXPECT_EQ(zeros, 6);
        EXPECT_EQ(kW, 4);

        // Four silver boxes and six connectors, in black, one chain from x 150 to 575.
        std::vector<TRealRect> boxes;
        std::vector<std::pair<TRealPoint, TRealPoint>> lines;
        PenInfo pen;
        TRealPoint from{};
        for (const TPageItem& item : r.Page(0)) {
            if (item.Kind == ikSetPen) pen = std::get<PenInfo>(item.Data);
            if (item.Kind == ikRectangle && pen.Color == RGBColor(192, 192, 192)) {
                EXPECT_EQ(pen.Width, 2);
                boxes.push_back(std::get<TRealRect>(item.Data));
            }
            if (item.Kind == ikMoveTo) from = std::get<TRealPoint>(item.Data);
            if (item.Kind == ikLineTo) {
                const TRealPoint to = std::get<TRealPoint>(item.Data);
                if (from.Y > 870 && from.Y < 900 && pen.Color == clBlack) lines.push_back({from, to});
            }
        }
        ASSERT_EQ(boxes.size(), 4u);
        const double lefts[4] = {575, 150, 292, 434}, rights[4] = {775, 282, 424, 566};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(boxes[i].Left, lefts[i]);
            EXPECT_EQ(boxes[i].Right, rights[i]);
            EXPECT_EQ(boxes[i].Top, 825);
            EXPECT_EQ(boxes[i].Bottom, 950);
        }
        ASSERT_EQ(lines.size(), 6u);
        for (size_t i = 0; i < 6; ++i) {
            const double right = rights[1 + i / 2];
            EXPECT_EQ(lines[i].first.X, right);
            EXPECT_EQ(lines[i].second.X, right + 10);
            EXPECT_EQ(lines[i].first.Y, i % 2 == 0 ? 895.5 : 879.5);
            EXPECT_EQ(lines[i].second.Y, lines[i].first.Y);
        }
    }
}

// The rendered page: the text a reader extracts carries the model's figures. With
// VELMO_PAGES_OUT set the PDFs stay there for a look at the pages.
TEST(AnalysisPage, PdfCarriesTheFigures) {
    if (test::RunTool("command -v pdftotext").empty()) GTEST_SKIP() << "pdftotext missing";
    test::TempDir dir;
    struct Case {
        const char* system;
        const char* pol;
        const char* file;
    } cases[] = {{"TV", "H", "analysis_tv_h.pdf"}, {"TV", "E", "analysis_tv_e.pdf"},
                 {"FM", "E", "analysis_fm_e.pdf"}};
    for (const Case& c : cases) {
        TBroadcastDesign d;
        if (std::string(c.system) == "TV")
            FillTV(d, c.pol);
        else
            FillFM(d, c.pol);
        TReporter r;
        DrawAnalysisPage(r, d);
        const std::string pdf = PdfPath(dir, c.file);
        WritePdf(r, pdf);
        const std::string text = test::RunTool("pdftotext -layout " + test::ShellQuote(pdf) + " -");
        const TPowerAnalysis& a = d.AnalysisPage.Analysis;
        for (const std::string& want :
             {F(a.TransmitterPowerkW()), F(a.AntennaInputkW), F(a.LineLosskW()),
              d.BuildPartNumber(), std::string("Power Analysis"), std::string("VERTICAL RUN:")})
            EXPECT_NE(text.find(want), std::string::npos) << c.file << ": " << want;
    }
}

}  // namespace velmo
