// The elevation pattern model: property side effects, TV point files and their
// extension, beam-tilt offset, KLX-VHF and KVR special cases, the FM pattern object,
// copies, the page object and the export text.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "base/folders.h"
#include "base/numbers.h"
#include "patterns/elpattern.h"
#include "test_support.h"

namespace velmo {
namespace {

// Lines "X Y" every 0.1 degree from `from` on; Y distinct per line.
std::string PointFileText(int lines, double from = -90.0) {
    std::string text = "! elevation test pattern\r\n";
    for (int k = 0; k < lines; ++k) {
        text += FormatFixed(from + k * 0.1, 1) + " " + FormatFixed((k + 1) / 10000.0, 4) + "\r\n";
    }
    return text;
}

double YAt(int line) { return (line + 1) / 10000.0; }

// Points a temporary installation at the model's folders for the test's lifetime.
class ElevationFolders : public ::testing::Test {
protected:
    void SetUp() override { InitFolders(FDir.Path().string()); }
    void TearDown() override { InitFoldersFromExecutable(); }
    static void WriteFile(const std::string& path, const std::string& text) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    test::TempDir FDir;
};

TEST(ElPattern, GainAtZeroGivesTheHorizonGain) {
    struct Case {
        double gain, atZero, mainLobe, horzdBd, horzNum;
    };
    const Case cases[] = {
        {10, 0.5, 10, 3.9794, 2.5},
        {10, 0, 10, 0, 1},
        {10, -0.2, 10, 0, 1},
        {0, 0.5, 0, -6.0206, 0.25},   // Gain 0: MainLobedBd 0
        {-3, 1, 0, 0, 1},
    };
    for (const Case& c : cases) {
        TElPattern p;
        p.SetGain(c.gain);
        p.SetGainAtZero(c.atZero);
        EXPECT_NEAR(p.MainLobedBd, c.mainLobe, 1e-4);
        EXPECT_NEAR(p.HorzdBd, c.horzdBd, 1e-4);
        EXPECT_NEAR(p.HorzNum, c.horzNum, 1e-4);
    }
}

TEST(ElPattern, SettingGainLeavesTheHorizonValuesUntilGainAtZero) {
    TElPattern p;
    p.SetGain(10);
    p.SetGainAtZero(0.5);
    p.SetGain(100);
    EXPECT_EQ(p.MainLobedBd, 20);
    EXPECT_NEAR(p.HorzdBd, 3.9794, 1e-4);
    EXPECT_NEAR(p.HorzNum, 2.5, 1e-4);
    p.SetGainAtZero(0.5);
    EXPECT_NEAR(p.HorzdBd, 13.9794, 1e-4);
}

TEST(ElPattern, DefaultBeamtiltAlsoSetsBeamtilt) {
    THorzPattern p;
    p.SetDefaultBeamtilt(0.75);
    EXPECT_EQ(p.Beamtilt(), 0.75);
    p.SetBeamtilt(1.25);
    EXPECT_EQ(p.BeamTiltOffSet(), 0.5);
    TFMPattern fm;
    fm.SetBeamtilt(-1);
    EXPECT_EQ(fm.BeamTiltOffSet(), 0);
}

TEST_F(ElevationFolders, KindsTakeTheirFoldersAndWords) {
    THorzPattern h;
    TVertPattern v;
    EXPECT_EQ(h.GetPath(), ElevationHPolPath());
    EXPECT_EQ(v.GetPath(), ElevationVPolPath());
    EXPECT_EQ(h.Polarization(), "Horizontal");
    EXPECT_EQ(v.Polarization(), "Vertical");
    EXPECT_EQ(h.PatternType, ptHorizontal);
    EXPECT_EQ(v.PatternType, ptVertical);
    struct Case {
        const char* code;
        std::string path;
        const char* word;
    };
    const Case cases[] = {{"H", FMElevationHPolPath(), "Horizontal"},
                          {"V", FMElevationVPolPath(), "Vertical"},
                          {"E", FMElevationCPolPath(), "Circular"},
                          {"h", "", ""},
                          {"", "", ""}};
    for (const Case& c : cases) {
        TFMPattern fm;
        fm.PolCode = c.code;
        EXPECT_EQ(fm.GetPath(), c.path) << c.code;
        EXPECT_EQ(fm.Polarization(), c.word) << c.code;
    }
    EXPECT_NE(FMElevationCPolPath().find("FM patterns/elevation/cpol/"), std::string::npos);
}

TEST(ElPattern, FMPatternIsCreatedLoadedAndEmpty) {
    TFMPattern p;
    EXPECT_EQ(p.PatternType, ptFM);
    EXPECT_TRUE(p.Loaded());
    EXPECT_EQ(p.Points.Count(), 0);  // nothing computed during construction
    EXPECT_EQ(p.AdjustedPoints.Count(), 0);
    EXPECT_EQ(p.Beamtilt(), 0);
    EXPECT_EQ(p.FirstNullFillPercent(), 0);
    EXPECT_EQ(p.SecondNullFillPercent(), 0);
    EXPECT_EQ(p.BeamWidth, 0);
    THorzPattern h;
    EXPECT_FALSE(h.Loaded());
}

TEST_F(ElevationFolders, PointFileIsExtendedToTheFullCircle) {
    const int n = TElPattern::kFileLines;
    WriteFile(ElevationHPolPath() + "full.pat", PointFileText(n));
    THorzPattern p;
    p.FileName = "full.pat";
    p.LoadPoints();
    ASSERT_EQ(p.Points.Count(), TElPattern::kExtendedPoints);
    // Below -90: the point at -90.1 - 0.1 i carries the value of line i.
    for (int i = 0; i <= 100; ++i) {
        const TRealPoint q = p.Points.Point(100 - i);
        EXPECT_NEAR(q.X, -90.1 - 0.1 * i, 1e-9);
        EXPECT_EQ(q.Y, YAt(i));
    }
    // The lines as read.
    for (int i : {0, 900, 1800}) {
        EXPECT_NEAR(p.Points.Point(101 + i).X, -90 + 0.1 * i, 1e-9);
        EXPECT_EQ(p.Points.Point(101 + i).Y, YAt(i));
    }
    // Above 90: the values read in reverse order, then the first line's once more.
    for (int m = 0; m < n; ++m) {
        const TRealPoint q = p.Points.Point(101 + n + m);
        EXPECT_EQ(q.Y, YAt(n - 1 - m));
    }
    EXPECT_NEAR(p.Points.Point(101 + n).X, 90.1, 1e-9);
    EXPECT_NEAR(p.Points.Point(TElPattern::kExtendedPoints - 1).X, 270.2, 1e-9);
    EXPECT_EQ(p.Points.Point(TElPattern::kExtendedPoints - 1).Y, YAt(0));
    // The line at 0 degrees gives GainAtZero; every point gets a midpoint.
    EXPECT_EQ(p.GainAtZero(), YAt(900));
    EXPECT_EQ(p.AdjustedPoints.Count(), 2 * TElPattern::kExtendedPoints);

    // Loaded once: a second LoadPoints does not read again.
    p.Points.Clear();
    p.LoadPoints();
    EXPECT_EQ(p.Points.Count(), 0);
}

TEST_F(ElevationFolders, ShortAndMissingFiles) {
    // 101 lines is the shortest file the extension can read: 101 + 101 + 102 points.
    WriteFile(ElevationHPolPath() + "p101.pat", PointFileText(101, -5.0));
    THorzPattern a;
    a.FileName = "p101.pat";
    a.LoadPoints();
    EXPECT_EQ(a.Points.Count(), 304);
    EXPECT_EQ(a.Points.Point(0).Y, YAt(100));

    // Fewer lines: kept as read, unextended, never read past the list.
    WriteFile(ElevationHPolPath() + "p5.pat", PointFileText(5, -0.2));
    THorzPattern b;
    b.FileName = "p5.pat";
    b.LoadPoints();
    ASSERT_EQ(b.Points.Count(), 5);
    EXPECT_NEAR(b.Points.Point(0).X, -0.2, 1e-12);
    EXPECT_EQ(b.GainAtZero(), YAt(2));
    EXPECT_EQ(b.AdjustedPoints.Count(), 10);

    // No file: loaded, no points, no message.
    THorzPattern c;
    c.FileName = "missing.pat";
    c.LoadPoints();
    EXPECT_TRUE(c.Loaded());
    EXPECT_EQ(c.Points.Count(), 0);
    EXPECT_EQ(c.AdjustedPoints.Count(), 0);
}

TEST_F(ElevationFolders, BeamtiltShiftsTheReadPattern) {
    WriteFile(ElevationVPolPath() + "v.pat", PointFileText(TElPattern::kFileLines));
    TVertPattern p;
    p.FileName = "v.pat";
    p.SetDefaultBeamtilt(0.75);
    p.LoadPoints();
    const double atZero = p.GainAtZero();
    EXPECT_EQ(atZero, YAt(900));
    // Offset 0: the read points, each followed by the midpoint to the next.
    for (int i : {0, 500, 3703}) {
        const TRealPoint a = p.AdjustedPoints.Point(2 * i);
        const TRealPoint m = p.AdjustedPoints.Point(2 * i + 1);
        EXPECT_EQ(a.X, p.Points.Point(i).X);
        EXPECT_EQ(a.Y, p.Points.Point(i).Y);
        const TRealPoint next = p.Points.Point(std::min(i + 1, 3703));
        EXPECT_EQ(m.X, (a.X + next.X) / 2);
        EXPECT_EQ(m.Y, (a.Y + next.Y) / 2);
    }
    // 0.75 -> 1.25: every X moves 0.5 down; the horizon now shows the value read at -0.5.
    p.SetBeamtilt(1.25);
    for (int i = 0; i < p.Points.Count(); i += 97)
        EXPECT_EQ(p.AdjustedPoints.Point(2 * i).X, p.Points.Point(i).X + 0.5);
    EXPECT_EQ(p.GainAtZero(), YAt(895));
    // Offset 0.05: the midpoint between -0.1 and 0 lands exactly on the horizon.
    p.SetDefaultBeamtilt(0);
    EXPECT_EQ(p.GainAtZero(), YAt(900));
    p.SetBeamtilt(0.05);
    EXPECT_EQ(p.GainAtZero(), (YAt(899) + YAt(900)) / 2);
    // 0.03: nothing lands exactly on 0; GainAtZero keeps its value.
    p.SetBeamtilt(0.03);
    EXPECT_EQ(p.GainAtZero(), (YAt(899) + YAt(900)) / 2);
}

TEST_F(ElevationFolders, KLXVHFReadsItsFileAgainUnlessTwoBays) {
    WriteFile(ElevationHPolPath() + "klx.pat", PointFileText(200));
    for (int bays : {2, 4}) {
        THorzPattern p;
        p.FamilyID = "KLX-VHF";
        p.BayCount = bays;
        p.FileName = "klx.pat";
        p.LoadPoints();
        ASSERT_EQ(p.Points.Count(), 101 + 200 + 201);
        p.Points.Clear();
        p.SetBeamtilt(0);
        EXPECT_EQ(p.Points.Count(), bays == 2 ? 0 : 502) << bays;
        EXPECT_EQ(p.AdjustedPoints.Count(), bays == 2 ? 0 : 1004) << bays;
    }
}

TEST(ElPattern, KVRTiltCodes) {
    struct Case {
        double tilt;
        const char* code;
    };
    const Case cases[] = {{-1, "1"},   {0, "1"},     {0.25, "1"}, {0.26, "2"},  {0.5, "2"},
                          {0.6, "3"},  {1, "4"},     {1.75, "7"}, {2.01, "9"}, {2.75, "11"},
                          {3, "12"},   {3.1, ""},    {100, ""}};
    for (const Case& c : cases) EXPECT_EQ(TElPattern::TiltCode(c.tilt), c.code) << c.tilt;
    TElPattern p;
    p.BaseCose = "AKVR8";
    EXPECT_TRUE(p.IsKVRBase());
    p.BaseCose = "kvr";
    EXPECT_FALSE(p.IsKVRBase());
}

TEST_F(ElevationFolders, KVRTakesItsFileFromTheBayTable) {
    WriteFile(DataPath() + "kvr_bays.txt",
              "BAY|BEAMTILT|FILENAME\r\n"
              "8|3|kvr8_3.pat\r\n"
              "8|3|second_match.pat\r\n"
              "6|3|kvr6_3.pat\r\n"
              "8|1|kvr8_1.pat\r\n");
    WriteFile(ElevationHPolPath() + "kvr8_3.pat", PointFileText(300, -10.0));
    WriteFile(ElevationHPolPath() + "kvr8_1.pat", PointFileText(120, -5.0));
    WriteFile(ElevationHPolPath() + "own.pat", PointFileText(150));
    THorzPattern p;
    p.BaseCose = "KVR 8 ";  // bay key: from the fourth character on, trimmed
    p.FileName = "own.pat";
    p.SetDefaultBeamtilt(0.2);
    p.LoadPoints();
    ASSERT_EQ(p.Points.Count(), 2 * 150 + 102);  // its own file, untouched by the KVR path
    EXPECT_EQ(p.AdjustedPoints.Count(), 2 * (2 * 120 + 102));  // kvr8_1.pat, tilt key "1"
    EXPECT_EQ(p.GainAtZero(), YAt(50));

    p.SetBeamtilt(0.6);  // key "3": the first matching row, no tilt offset applied
    ASSERT_EQ(p.AdjustedPoints.Count(), 2 * (2 * 300 + 102));
    EXPECT_NEAR(p.AdjustedPoints.Point(2 * 101).X, -10.0, 1e-12);
    EXPECT_EQ(p.GainAtZero(), YAt(100));
    EXPECT_EQ(p.Points.Count(), 402);

    p.SetBeamtilt(3.1);  // empty key: no row
    EXPECT_EQ(p.AdjustedPoints.Count(), 0);
    p.BaseCose = "KVR6";
    p.SetBeamtilt(0.7);  // row found, file missing
    EXPECT_EQ(p.AdjustedPoints.Count(), 0);
}

TEST_F(ElevationFolders, AssignCopiesTVFieldsAndRebuildsTheShift) {
    WriteFile(ElevationHPolPath() + "h.pat", PointFileText(TElPattern::kFileLines));
    THorzPattern s;
    s.FamilyID = "WEN";
    s.PolID = "W1";
    s.PolCode = "H";
    s.BaseCose = "WX";
    s.DetailLabel = "Label";
    s.Smooth = true;
    s.BayCount = 6;
    s.Description = "Desc";
    s.FileName = "h.pat";
    s.BeamWidth = 4.5;
    s.MaxBeamtilt = 2;
    s.MinBeamtilt = 0.5;
    s.SetGain(12);
    s.SetDefaultBeamtilt(0.75);
    s.LoadPoints();
    s.SetBeamtilt(1.25);
    s.VertPatterns.Add(std::make_unique<TVertPattern>());

    THorzPattern t;
    t.Assign(s);
    EXPECT_EQ(t.FamilyID, "WEN");
    EXPECT_EQ(t.PolID, "W1");
    EXPECT_EQ(t.BaseCose, "WX");
    EXPECT_EQ(t.DetailLabel, "Label");
    EXPECT_TRUE(t.Smooth);
    EXPECT_EQ(t.BayCount, 6);
    EXPECT_EQ(t.Description, "Desc");
    EXPECT_EQ(t.BeamWidth, 4.5);
    EXPECT_EQ(t.MaxBeamtilt, 2);
    EXPECT_EQ(t.MinBeamtilt, 0.5);
    EXPECT_EQ(t.MainLobedBd, s.MainLobedBd);
    EXPECT_EQ(t.DefaultBeamtilt(), 0.75);
    EXPECT_EQ(t.Beamtilt(), 1.25);
    EXPECT_EQ(t.Points.Points().size(), s.Points.Points().size());
    EXPECT_EQ(t.AdjustedPoints.Count(), s.AdjustedPoints.Count());
    EXPECT_EQ(t.AdjustedPoints.Point(40).X, s.AdjustedPoints.Point(40).X);
    EXPECT_EQ(t.GainAtZero(), s.GainAtZero());
    EXPECT_EQ(t.HorzdBd, s.HorzdBd);
    EXPECT_FALSE(t.Loaded());
    EXPECT_EQ(t.VertPatterns.Count(), 0);
}

TFMPattern& Configure(TFMPattern& p, const std::string& family, int bays, double spacing,
                      double gain) {
    p.FamilyID = family;
    p.BayCount = bays;
    p.BaySpacing = spacing;
    p.SetGainFromFile(gain);
    return p;
}

TEST(ElPatternFM, CalculatePatternFillsTheFullCircle) {
    TFMPattern p;
    Configure(p, "RNVX", 8, 1, 10).SetBeamtilt(-0.5);
    ASSERT_EQ(p.Points.Count(), TElPattern::kExtendedPoints);
    EXPECT_NEAR(p.Points.Point(0).X, -100.1, 1e-12);
    EXPECT_NEAR(p.Points.Point(3703).X, 270.2, 1e-12);
    auto y = [&](double x) { return p.Points.Point(static_cast<int>(std::lround(x * 10)) + 1001).Y; };
    EXPECT_EQ(y(-95), y(-85));  // mirrored about -90
    EXPECT_EQ(y(95), y(85));    // mirrored about 90
    EXPECT_EQ(y(180), y(0));
    EXPECT_EQ(y(270.1), y(-90));
    EXPECT_EQ(y(270.2), y(-90));
    EXPECT_EQ(y(0.5), 1);  // beam maximum 0.5 degree down
    EXPECT_LT(p.Gain(), p.GainFromFile());
    EXPECT_GT(p.Gain(), 0.95 * p.GainFromFile());
    EXPECT_EQ(p.GainAtZero(), y(0));
    EXPECT_NEAR(p.HorzdBd, p.MainLobedBd + 20 * std::log10(y(0)), 1e-12);
    EXPECT_EQ(p.AdjustedPoints.Count(), 2 * TElPattern::kExtendedPoints);
    EXPECT_GT(p.BeamWidth, 5);
    EXPECT_LT(p.BeamWidth, 8);
}

TEST(ElPatternFM, GainNeverExceedsTheCatalogGain) {
    struct Case {
        const char* family;
        int bays;
        double spacing, tilt;
    };
    const Case cases[] = {{"RNVX", 1, 0, 0}, {"RNVX", 8, 1, 0}, {"BKX", 6, 0.5, 0}, {"240C", 1, 1, 0}};
    for (const Case& c : cases) {
        TFMPattern p;
        Configure(p, c.family, c.bays, c.spacing, 7.5).SetBeamtilt(c.tilt);
        EXPECT_EQ(p.Gain(), 7.5) << c.family << c.bays;
        EXPECT_EQ(p.GainAtZero(), 1);
    }
    // 240C bays take the element constant 0.126: their field straight down.
    TFMPattern p;
    Configure(p, "240C", 1, 1, 1).CalculatePattern();
    EXPECT_NEAR(p.Points.Point(90 * 10 + 1001).Y, 0.126, 1e-12);
}

TEST(ElPatternFM, TiltAndFillSettersComputeAgain) {
    TFMPattern p;
    Configure(p, "RNVX", 12, 1, 10);
    p.CalculatePattern();
    const double plain = p.GainAtZero();
    p.SetBeamtilt(-1);
    EXPECT_LT(p.GainAtZero(), plain);
    const double tilted = p.Gain();
    p.SetFirstNullFillPercent(10);
    EXPECT_NE(p.Gain(), tilted);
    const double filled = p.Gain();
    p.SetSecondNullFillPercent(8);
    EXPECT_NE(p.Gain(), filled);
    // Bay count alone does not compute.
    const double before = p.BeamWidth;
    p.BayCount = 2;
    EXPECT_EQ(p.BeamWidth, before);
    p.CalculatePattern();
    EXPECT_GT(p.BeamWidth, 2 * before);
}

TEST(ElPatternFM, AssignEndsComputedFromTheCopiedParameters) {
    TFMPattern s;
    Configure(s, "RNVX", 16, 1, 10);
    s.PolCode = "E";
    s.SetBeamtilt(-1);
    s.SetFirstNullFillPercent(10);
    s.SetSecondNullFillPercent(5);
    TFMPattern t;
    t.Assign(s);
    EXPECT_TRUE(t.Loaded());
    EXPECT_EQ(t.Gain(), s.Gain());
    EXPECT_EQ(t.BeamWidth, s.BeamWidth);
    EXPECT_EQ(t.GainAtZero(), s.GainAtZero());
    ASSERT_EQ(t.Points.Count(), s.Points.Count());
    for (int i = 0; i < s.Points.Count(); i += 50) EXPECT_EQ(t.Points.Point(i).Y, s.Points.Point(i).Y);
    EXPECT_EQ(t.Polarization(), "Circular");
}

// Every figure and point of two patterns, bit for bit.
void ExpectSameFM(const TElPattern& a, const TElPattern& b, const std::string& what) {
    auto bits = [](double v) {
        uint64_t u;
        std::memcpy(&u, &v, sizeof u);
        return u;
    };
    EXPECT_EQ(a.FamilyID, b.FamilyID) << what;
    EXPECT_EQ(a.BayCount, b.BayCount) << what;
    EXPECT_EQ(bits(a.BaySpacing), bits(b.BaySpacing)) << what;
    for (auto [x, y, name] : {std::tuple{a.Gain(), b.Gain(), "Gain"},
                              {a.GainFromFile(), b.GainFromFile(), "GainFromFile"},
                              {a.GainAtZero(), b.GainAtZero(), "GainAtZero"},
                              {a.MainLobedBd, b.MainLobedBd, "MainLobedBd"},
                              {a.HorzNum, b.HorzNum, "HorzNum"},
                              {a.HorzdBd, b.HorzdBd, "HorzdBd"},
                              {a.BeamWidth, b.BeamWidth, "BeamWidth"},
                              {a.Beamtilt(), b.Beamtilt(), "Beamtilt"},
                              {a.DefaultBeamtilt(), b.DefaultBeamtilt(), "DefaultBeamtilt"},
                              {a.FirstNullFillPercent(), b.FirstNullFillPercent(), "FirstNullFill"},
                              {a.SecondNullFillPercent(), b.SecondNullFillPercent(), "SecondNullFill"}})
        EXPECT_EQ(bits(x), bits(y)) << what << ": " << name;
    EXPECT_EQ(a.BeamtiltLimitReached(), b.BeamtiltLimitReached()) << what;
    for (auto [pa, pb] : {std::pair{&a.Points, &b.Points}, {&a.AdjustedPoints, &b.AdjustedPoints}}) {
        ASSERT_EQ(pa->Count(), pb->Count()) << what;
        for (int i = 0; i < pa->Count(); ++i) {
            ASSERT_EQ(bits(pa->Point(i).X), bits(pb->Point(i).X)) << what << " point " << i;
            ASSERT_EQ(bits(pa->Point(i).Y), bits(pb->Point(i).Y)) << what << " point " << i;
        }
    }
}

TEST(ElPatternFM, AssignCopiesAComputedPatternAndComputesAStaleOne) {
    TFMPattern s;
    Configure(s, "RNVX", 12, 0.9, 10);
    s.PolCode = "E";
    s.SetBeamtilt(-1.25);
    s.SetFirstNullFillPercent(15);
    s.SetSecondNullFillPercent(5);
    // The target held another pattern before.
    TFMPattern t;
    Configure(t, "VOLKA", 3, 1, 4).SetBeamtilt(-0.5);
    t.Assign(s);
    ExpectSameFM(t, s, "computed source");

    // The bay count changed without a computation: the copy is the pattern of the new
    // count, as a computation gives it, not the stale points of the source.
    s.BayCount = 6;
    TFMPattern fresh;
    Configure(fresh, "RNVX", 6, 0.9, 10);
    fresh.SetBeamtilt(-1.25);
    fresh.SetFirstNullFillPercent(15);
    fresh.SetSecondNullFillPercent(5);
    TFMPattern u;
    u.Assign(s);
    ExpectSameFM(u, fresh, "stale source");

    // A gain set after the computation (as a design file sets the stored one) without
    // a catalog gain: the copy computes and keeps the source's gain.
    TFMPattern g;
    Configure(g, "RNVX", 8, 1, 0).SetBeamtilt(-0.75);
    g.SetGain(7.25);
    TFMPattern v;
    v.Assign(g);
    EXPECT_EQ(v.Gain(), 7.25);
    EXPECT_EQ(v.Points.Count(), TElPattern::kExtendedPoints);
    EXPECT_EQ(v.GainAtZero(), g.GainAtZero());
}

TEST(ElPatternFM, TiltLimitIsReportedThroughTheHook) {
    std::vector<std::string> messages;
    TElMessageHandler old = SetElMessageHandler([&](const std::string& m) { messages.push_back(m); });
    TFMPattern p;
    Configure(p, "RNVX", 3, 1.0, 1);
    p.SetBeamtilt(-18);
    EXPECT_TRUE(p.BeamtiltLimitReached());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Max Iterations (100) Reached For Beam Tilt -- Check Result");
    EXPECT_EQ(p.Points.Count(), TElPattern::kExtendedPoints);  // computed with the phase reached
    p.SetBeamtilt(-1);
    EXPECT_FALSE(p.BeamtiltLimitReached());
    EXPECT_EQ(messages.size(), 1u);
    SetElMessageHandler(old);
}

TEST(ElevationPage, CreateAssignAndPattern) {
    TElevationPage page;
    EXPECT_EQ(page.ViewType, vtPortrait);
    EXPECT_EQ(page.RangeType, rtFiveToTen);
    EXPECT_EQ(page.PowerType, ptRF);
    EXPECT_EQ(&page.Pattern(ptHorizontal), &page.HorzPattern);
    EXPECT_EQ(&page.Pattern(ptVertical), &page.VertPattern);
    EXPECT_EQ(&page.Pattern(ptFM), &page.FMPattern);

    TElevationPage src;
    src.ViewType = vtStretch;
    src.RangeType = FiveToNinety;
    src.PowerType = ptRP;
    src.HorzPattern.PolID = "H1";
    src.VertPattern.PolID = "V1";
    Configure(src.FMPattern, "BKX", 6, 1, 5).SetBeamtilt(-0.5);
    page.Assign(src);
    EXPECT_EQ(page.ViewType, vtStretch);
    EXPECT_EQ(page.RangeType, FiveToNinety);
    EXPECT_EQ(page.PowerType, ptRP);
    EXPECT_EQ(page.HorzPattern.PolID, "H1");
    EXPECT_EQ(page.VertPattern.PolID, "V1");
    EXPECT_EQ(page.FMPattern.FamilyID, "BKX");
    EXPECT_EQ(page.FMPattern.Gain(), src.FMPattern.Gain());
    EXPECT_EQ(page.FMPattern.Points.Count(), TElPattern::kExtendedPoints);
}

TEST(ElPatternExport, TextOfTheAdjustedPointsAsTheyStand) {
    TFMPattern p;
    Configure(p, "RNVX", 8, 1, 10).SetBeamtilt(0);
    const std::string text = ElevationExportText(p);
    EXPECT_EQ(text.substr(0, text.find("\r\n")), "-10.00\t" + FormatFixed(p.Points.Point(901).Y, 3) +
                                                    "\t" + FormatFixed(20 * std::log10(p.Points.Point(901).Y), 3));
    p.AdjustedPoints.Clear();
    EXPECT_EQ(ElevationExportText(p), "");  // not rebuilt
    test::TempDir dir;
    p.SetBeamtilt(0);
    const std::string name = ExportElevationPoints(dir.File("pattern.txt"), p);
    EXPECT_EQ(name, dir.File("pattern.pat"));
    EXPECT_EQ(test::ReadAll(name), ElevationExportText(p));
}

}  // namespace
}  // namespace velmo
