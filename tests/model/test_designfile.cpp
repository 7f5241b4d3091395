// The .bcst file: round trips, the reading rules and defaults, update in place,
// encodings, decimal separators and the safe save.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "base/folders.h"
#include "base/numbers.h"
#include "base/textcodec.h"
#include "model/design.h"
#include "model/designfile.h"
#include "test_support.h"

using namespace velmo;

namespace {

class DesignFile : public ::testing::Test {
protected:
    void SetUp() override { InitFolders(test::FixturesDir() + "design/install"); }
    void TearDown() override { InitFolders(test::BinDir()); }
    test::TempDir dir;
};

void FillTV(TBroadcastDesign& d) {
    TDesignInfo& i = d.DesignInfo;
    i.CompanyName = "Caf\u00E9 Radio\u00AE";
    i.Designer = "J. Planner";
    i.Date = 46000.5625;
    i.Notes = {"first note", "", "third = with equals"};
    i.Location = "1 Main Street";
    i.Location2 = "Hilltop";
    i.SpecNo = "SP-7";
    i.SystemType = "TV";
    d.ReportTitle = {"Report line"};
    TOptionsPage& o = d.OptionsPage;
    o.Market = mtAustralia;
    o.Channel = {"34", 590, 596, 593, 593.25, "Channel 34"};  // Frequency, MidFreq
    o.FamilyID = "KVR";
    o.PowerCode = "M";
    o.MountCode = "S";
    o.PolCode = "E";
    o.Service = stDigital;
    o.VerticalComponent = 30;
    o.HighWind = true;
    TAzimuthPage& az = d.AzimuthPage;
    az.HorzPattern.PatternCode = "OC";
    az.HorzPattern.PatternID = "KVR-OC";
    az.HorzPattern.PolCode = "H";
    az.HorzPattern.Desc = "Oval";
    az.HorzPattern.SetGain(1.23);
    az.HorzPattern.FileName = "OVAL.pat";
    az.HorzPattern.Beamwidth = 120;
    az.VertPattern.PatternCode = "OCV";
    az.VertPattern.PolCode = "V";
    az.VertPattern.SetGain(1.1);
    az.SetAngle(45);
    az.PowerType = ptRP;
    TElevationPage& el = d.ElevationPage;
    el.HorzPattern.PolID = "KH16";
    el.HorzPattern.PolCode = "H";
    el.HorzPattern.BaseCose = "KVR16";
    el.HorzPattern.BayCount = 16;
    el.HorzPattern.SetGain(15.5);
    el.HorzPattern.SetDefaultBeamtilt(0.75);
    el.HorzPattern.SetBeamtilt(1.0);
    el.HorzPattern.MaxBeamtilt = 2;
    el.HorzPattern.MinBeamtilt = 0.5;
    el.HorzPattern.BeamWidth = 3.1;
    el.HorzPattern.DetailLabel = "16 bays";
    el.VertPattern.PolID = "KV16";
    el.VertPattern.PolCode = "V";
    el.VertPattern.SetGain(12.25);
    el.VertPattern.Smooth = false;
    el.ViewType = vtStretch;
    el.RangeType = FiveToNinety;
    el.PowerType = ptRP;
    TLinesPage& lp = d.LinesPage;
    lp.VertLength = 800;
    lp.HorzLength = 120;
    lp.PeakPower = 12;
    lp.InputInfo = {itEight, 75.5};
    lp.Line.PartNumber = "HJ9-50";
    lp.Line.Description = "4-inch air line";
    lp.Line.EndFreq = 600;
    lp.Line.BegFreq = 470;
    lp.Line.SetTotalRunLength(920);
    lp.Line.SetAural(12);
    lp.Line.SetAvgPower(58.5);
    lp.Line.SetdBPerFoot(0.155);
    lp.Line.HorzdB = 0.07;
    d.SetInputType("6-1/8 EIA");
    d.InitializeAnalisys();
    TPowerAnalysis& a = d.AnalysisPage.Analysis;
    a.SetTransmitterPowerkW(25.5);
    a.SetIsolationTransformerLossDB(0.1);
    a.SetFilterLossDB(0.2);
    a.SetCirculatorLossDB(0.05);
}

void FillFM(TBroadcastDesign& d) {
    d.DesignInfo.SystemType = "FM";
    d.DesignInfo.CompanyName = "FM Co";
    d.DesignInfo.Date = 45123.25;
    TOptionsPage& o = d.OptionsPage;
    o.Channel = {"251", 98, 98.2, 98.1, 98.1, "98.1 MHz"};
    o.FamilyID = "RNVX";
    o.PowerCode = "";
    o.MountCode = "S";
    o.PolCode = "E";
    o.FeedCode = "C";
    o.Radome = true;
    o.MaxERPkW = 100;
    TFMPattern& fm = d.ElevationPage.FMPattern;
    fm.FamilyID = "RNVX";
    fm.BayCount = 8;
    fm.BaySpacing = 1;
    fm.FeedCode = "C";
    fm.PolCode = "E";
    fm.SetGainFromFile(4.4);
    fm.SetBeamtilt(0.5);
    fm.SetFirstNullFillPercent(10);
    fm.CalculatePattern();
    d.AzimuthPage.FMPattern.PolCode = "E";
    d.AzimuthPage.FMPattern.SetGain(1);
    d.LinesPage.Line.PartNumber = "LDF7";
    d.LinesPage.Line.SetAvgPower(40);
    d.LinesPage.Line.SetdBPerFoot(0.2);
    d.InitializeAnalisys();
    d.AnalysisPage.Analysis.SetTransmitterPowerkW(9);
}

std::string Saved(const TBroadcastDesign& d) {
    TProfile p;
    WriteDesign(d, p);
    return p.Text();
}

// The file of a design with every section and line order shuffled.
std::string Shuffled(const std::string& text, unsigned seed) {
    std::vector<std::vector<std::string>> sections;
    for (const auto& line : SplitLines(text)) {
        if (line.empty()) continue;
        if (line[0] == '[') sections.push_back({line});
        else sections.back().push_back(line);
    }
    std::mt19937 rng(seed);
    for (auto& s : sections) std::shuffle(s.begin() + 1, s.end(), rng);
    std::shuffle(sections.begin(), sections.end(), rng);
    std::string out;
    for (const auto& s : sections)
        for (const auto& l : s) out += l + "\r\n";
    return out;
}

}  // namespace

TEST_F(DesignFile, TVDesignRoundTripsFieldByField) {
    TBroadcastDesign d;
    FillTV(d);
    const std::string path = dir.File("tv.bcst");
    d.SaveToFile(path);
    EXPECT_EQ(d.FileName, "");  // saving changes nothing in the design

    auto back = LoadDesignFile(path);
    EXPECT_EQ(back->FileName, path);
    EXPECT_FALSE(back->Modified());
    EXPECT_EQ(Saved(*back), Saved(d));
    EXPECT_EQ(back->DesignInfo.CompanyName, "Caf\u00E9 Radio\u00AE");
    EXPECT_EQ(back->DesignInfo.Notes, d.DesignInfo.Notes);
    EXPECT_EQ(back->ReportTitle, d.ReportTitle);
    EXPECT_EQ(back->OptionsPage.Channel.MidFreq, 593.25);
    EXPECT_EQ(back->AzimuthPage.VertPattern.PolCode, "V");
    EXPECT_EQ(back->ElevationPage.VertPattern.PolCode, "V");
    EXPECT_EQ(back->ElevationPage.HorzPattern.Beamtilt(), 1.0);
    EXPECT_EQ(back->LinesPage.Line.TotalRunLength(), 920);
    EXPECT_EQ(back->AnalysisPage.Analysis.CirculatorLossDB(), 0.05);
    // The point file is read again and turned by the stored angle.
    const TAzPattern& h = back->AzimuthPage.HorzPattern;
    ASSERT_EQ(h.Points.Count(), 360);
    ASSERT_EQ(h.AdjustedPoints.Count(), 360);
    EXPECT_EQ(h.AdjustedPoints.Point(45).Y, h.Points.Point(0).Y);
    // The rating lookup ran during loading: KVR, power M, 16 bays, elliptical.
    EXPECT_EQ(back->AnalysisPage.Analysis.MaxInputPower, 0);  // the stored value wins
    EXPECT_EQ(back->InputType(), "6-1/8 EIA");

    // The vertical azimuth pattern travels under its own key name.
    const std::string text = ReadTextFile(path);
    EXPECT_NE(text.find("vert_polecode=V\r\n"), std::string::npos);
    EXPECT_EQ(text.find("vert_polcode=V\r\n"), text.rfind("vert_polcode=V\r\n"));
    EXPECT_NE(text.find("vert_polcode=V\r\n"), std::string::npos);  // the elevation one
    EXPECT_EQ(text.rfind("[HEADER]\r\nversion=1\r\ntype=Velmo\r\n", 0), 0u);
}

TEST_F(DesignFile, ShuffledLinesLoadTheSame) {
    TBroadcastDesign d;
    FillTV(d);
    const std::string expected = Saved(d);
    const std::string path = dir.File("o.bcst");
    d.SaveToFile(path);
    const std::string text = ReadTextFile(path);
    for (unsigned seed : {1u, 2u, 3u}) {
        auto back = LoadDesignFile(dir.Write("s.bcst", "\xEF\xBB\xBF" + Shuffled(text, seed)));
        EXPECT_EQ(Saved(*back), expected) << seed;
    }
}

TEST_F(DesignFile, FMDesignKeepsGainAndComputesPointsAgain) {
    TBroadcastDesign d;
    FillFM(d);
    const TFMPattern& fm = d.ElevationPage.FMPattern;
    ASSERT_GT(fm.Points.Count(), 0);
    const double gain = fm.Gain();
    const std::string path = dir.File("fm.bcst");
    d.SaveToFile(path);

    auto back = LoadDesignFile(path);
    const TFMPattern& b = back->ElevationPage.FMPattern;
    // Floats are stored with 15 significant digits.
    EXPECT_NEAR(b.Gain(), gain, gain * 1e-14);
    EXPECT_EQ(b.BayCount, 8);
    EXPECT_EQ(b.BaySpacing, 1);
    EXPECT_EQ(b.Beamtilt(), 0.5);
    EXPECT_EQ(b.FirstNullFillPercent(), 10);
    ASSERT_EQ(b.Points.Count(), fm.Points.Count());
    for (int i = 0; i < b.Points.Count(); i += 97)
        EXPECT_NEAR(b.Points.Point(i).Y, fm.Points.Point(i).Y, 1e-12) << i;
    EXPECT_EQ(Saved(*back), Saved(d));
    // The analysis was prepared from the pages: the FM rating is the largest matching row.
    EXPECT_EQ(back->AnalysisPage.Analysis.ElHorzGain, b.Gain());

    // A copy computes the pattern again (the wizard's working design, the current
    // design after the wizard) without the catalog gain, which the file does not
    // keep: it keeps the stored gain, and the power analysis with it.
    TBroadcastDesign copy;
    copy.Assign(*back);
    EXPECT_EQ(copy.ElevationPage.FMPattern.Gain(), b.Gain());
    EXPECT_EQ(copy.ElevationPage.FMPattern.Points.Count(), b.Points.Count());
    copy.InitializeAnalisys();
    EXPECT_NEAR(copy.AnalysisPage.Analysis.ERPkWHorz(), back->AnalysisPage.Analysis.ERPkWHorz(),
                1e-9 * back->AnalysisPage.Analysis.ERPkWHorz());
}

TEST_F(DesignFile, TVDesignDoesNotComputeItsFMPattern) {
    TBroadcastDesign d;
    FillTV(d);
    d.ElevationPage.FMPattern.SetGain(3.3);
    d.ElevationPage.FMPattern.BayCount = 6;
    d.ElevationPage.FMPattern.BeamWidth = 9.5;
    const std::string path = dir.File("tv.bcst");
    d.SaveToFile(path);
    auto back = LoadDesignFile(path);
    EXPECT_EQ(back->ElevationPage.FMPattern.Gain(), 3.3);
    EXPECT_EQ(back->ElevationPage.FMPattern.BeamWidth, 9.5);
    EXPECT_EQ(back->ElevationPage.FMPattern.BayCount, 6);
}

TEST_F(DesignFile, HeaderOnlyFailsAtTheFirstFloatWithoutDefault) {
    const std::string header = "[HEADER]\r\nversion=1\r\ntype=Velmo\r\n";
    EXPECT_TRUE(CheckDesignHeader(dir.Write("h.bcst", header)));
    TBroadcastDesign d;
    try {
        d.LoadFromFile(dir.File("h.bcst"));
        FAIL() << "loaded";
    } catch (const ConvertError& e) {
        EXPECT_STREQ(e.what(), "'' is not a valid floating point value");
    }
    // Everything before horz_gain took its default: the date is now, the type TV.
    EXPECT_NEAR(d.DesignInfo.Date, NowAsDateTime(), 10.0 / 86400);
    EXPECT_EQ(d.DesignInfo.SystemType, "TV");
    EXPECT_EQ(d.OptionsPage.Channel.MidFreq, 1);
    EXPECT_EQ(d.OptionsPage.FamilyID, "");
    EXPECT_EQ(d.OptionsPage.Service, stAnalog);

    // The failing key is horz_gain: with a bad text there, that text is reported.
    TBroadcastDesign e;
    try {
        e.LoadFromFile(dir.Write("g.bcst", header + "[AZIMUTH]\r\nhorz_gain=abc\r\n"));
        FAIL() << "loaded";
    } catch (const ConvertError& err) {
        EXPECT_STREQ(err.what(), "'abc' is not a valid floating point value");
    }
}

TEST_F(DesignFile, HeaderCheck) {
    EXPECT_TRUE(CheckDesignHeader(dir.Write("a", "[header]\r\nTYPE = \"Velmo\"\r\n")));
    EXPECT_FALSE(CheckDesignHeader(dir.Write("b", "[HEADER]\r\ntype=velmo\r\n")));
    EXPECT_FALSE(CheckDesignHeader(dir.Write("c", "[DESIGN]\r\ntype=Velmo\r\n")));
    EXPECT_FALSE(CheckDesignHeader(dir.Write("d", "")));
    EXPECT_FALSE(CheckDesignHeader(dir.File("missing.bcst")));
    EXPECT_FALSE(CheckDesignHeader(dir.Path().string()));  // a folder
}

TEST_F(DesignFile, MissingKeysTakeTheirDefaults) {
    TBroadcastDesign d;
    FillTV(d);
    const std::string path = dir.File("full.bcst");
    d.SaveToFile(path);
    std::string text;
    for (const auto& line : SplitLines(ReadTextFile(path))) {
        for (const char* drop : {"date=", "system_type=", "input_value=", "power=",
                                 "horz_patterncode=", "vert_smooth=", "horz_smooth=",
                                 "fm_baycount=", "horz_baycount=", "fm_firstnullfillpercent=",
                                 "input_type=", "angle=", "notes_count="})
            if (line.rfind(drop, 0) == 0) goto skip;
        text += line + "\r\n";
    skip:;
    }
    // A TV design from here on: the stored FM parameters are not needed.
    TBroadcastDesign back;
    back.AzimuthPage.HorzPattern.PatternCode = "KEPT";
    back.LoadFromFile(dir.Write("partial.bcst", text));
    EXPECT_NEAR(back.DesignInfo.Date, NowAsDateTime(), 10.0 / 86400);
    EXPECT_EQ(back.DesignInfo.SystemType, "TV");
    EXPECT_TRUE(back.DesignInfo.Notes.empty());
    EXPECT_EQ(back.LinesPage.InputInfo.Value, 100);
    EXPECT_EQ(back.AnalysisPage.Analysis.TransmitterPowerkW(), 1);
    EXPECT_EQ(back.AzimuthPage.HorzPattern.PatternCode, "KEPT");
    EXPECT_TRUE(back.ElevationPage.VertPattern.Smooth);
    EXPECT_FALSE(back.ElevationPage.HorzPattern.Smooth);
    EXPECT_EQ(back.ElevationPage.HorzPattern.BayCount, 16);
    EXPECT_EQ(back.ElevationPage.FMPattern.BayCount, 12);
    EXPECT_EQ(back.ElevationPage.FMPattern.FirstNullFillPercent(), 0);
    EXPECT_EQ(back.AzimuthPage.Angle(), 0);
    // KVR, power M, 16 bays, elliptical: no rating column, but the connector text.
    EXPECT_EQ(back.InputType(), "6-1/8 EIA");
}

TEST_F(DesignFile, NoteAndReportCounts) {
    const std::string base =
        "[AZIMUTH]\r\nhorz_gain=1\r\nhorz_beamwidth=1\r\nvert_gain=1\r\nvert_beamwidth=1\r\n"
        "fm_gain=1\r\nfm_beamwidth=1\r\n";
    struct Case { const char* design; std::vector<std::string> notes; } cases[] = {
        {"notes_count=0\r\nnote_item0=x\r\n", {}},
        {"notes_count=-3\r\nnote_item0=x\r\n", {}},
        {"notes_count=x\r\nnote_item0=x\r\n", {}},
        {"notes_count=3\r\nnote_item0=  padded  \r\nnote_item2=\"quoted\"\r\n",
         {"padded", "", "quoted"}},
        {"notes_count=0x2\r\nnote_item0=a\r\nnote_item1=b\r\nnote_item2=surplus\r\n", {"a", "b"}},
    };
    for (const auto& c : cases) {
        TBroadcastDesign d;
        try {
            d.LoadFromFile(dir.Write("n.bcst", std::string("[DESIGN]\r\n") + c.design + base));
        } catch (const ConvertError&) {
            // stops in [ELEVATION]; the notes were read before
        }
        EXPECT_EQ(d.DesignInfo.Notes, c.notes) << c.design;
    }
    TBroadcastDesign huge;
    try {
        huge.LoadFromFile(dir.Write("n.bcst", "[DESIGN]\r\nnotes_count=2147483647\r\n"));
    } catch (const ConvertError&) {
    }
    EXPECT_EQ(static_cast<int>(huge.DesignInfo.Notes.size()), kMaxDesignListLines);
}

TEST_F(DesignFile, SavingOverAnOlderFileUpdatesInPlace) {
    TBroadcastDesign d;
    FillTV(d);
    d.DesignInfo.Notes = {"a", "b", "c"};
    const std::string path = dir.File("d.bcst");
    d.SaveToFile(path);
    // The user's own lines and an unknown key survive; surplus notes stay in the file
    // but are not read.
    std::string text = ReadTextFile(path);
    text = "; kept comment\r\n" + text;
    text.insert(text.find("[PARAMETERS]"), "custom_key=kept\r\n");
    dir.Write("d.bcst", text);
    d.DesignInfo.Notes = {"only"};
    d.DesignInfo.CompanyName = "Renamed";
    d.SaveToFile(path);
    const std::string after = ReadTextFile(path);
    EXPECT_EQ(after.rfind("; kept comment\r\n", 0), 0u);
    EXPECT_NE(after.find("custom_key=kept\r\n"), std::string::npos);
    EXPECT_NE(after.find("note_item2=c\r\n"), std::string::npos);
    EXPECT_NE(after.find("companyname=Renamed\r\n"), std::string::npos);
    EXPECT_EQ(after.find("companyname=Caf"), std::string::npos);
    auto back = LoadDesignFile(path);
    EXPECT_EQ(back->DesignInfo.Notes, std::vector<std::string>{"only"});
    EXPECT_EQ(Saved(*back), Saved(d));
}

TEST_F(DesignFile, EncodingOfTheFile) {
    TBroadcastDesign d;
    FillTV(d);
    const std::string path = dir.File("e.bcst");
    d.SaveToFile(path);
    std::string bytes = test::ReadAll(path);
    EXPECT_NE(bytes.find("companyname=Caf\xE9 Radio\xAE\r\n"), std::string::npos);  // 1252
    d.DesignInfo.Designer = "\u0141ukasz";  // not in Windows-1252
    d.SaveToFile(path);
    bytes = test::ReadAll(path);
    EXPECT_EQ(bytes.rfind("\xEF\xBB\xBF", 0), 0u);
    auto back = LoadDesignFile(path);
    EXPECT_EQ(back->DesignInfo.Designer, "\u0141ukasz");
    EXPECT_EQ(back->DesignInfo.CompanyName, "Caf\u00E9 Radio\u00AE");
}

TEST_F(DesignFile, CommaDecimalSeparator) {
    TBroadcastDesign d;
    FillTV(d);
    const std::string path = dir.File("comma.bcst");
    {
        ScopedDecimalSeparator comma(',');
        d.SaveToFile(path);
        EXPECT_NE(ReadTextFile(path).find("channel_mid_freq=593,25\r\n"), std::string::npos);
        auto back = LoadDesignFile(path);
        EXPECT_EQ(Saved(*back), Saved(d));
        EXPECT_EQ(back->OptionsPage.Channel.MidFreq, 593.25);
    }
    ScopedDecimalSeparator dot('.');
    TBroadcastDesign other;
    try {
        other.LoadFromFile(path);
        FAIL() << "loaded";
    } catch (const ConvertError& e) {
        // date=46000,5625 is the first float with a fractional part
        EXPECT_STREQ(e.what(), "'46000,5625' is not a valid floating point value");
    }
    // A file written with "." (every shipped sample, any file from a point-decimal
    // desktop) opens under a comma locale to the same design, and is saved back with
    // the locale's comma.
    const std::string pointFile = dir.File("point.bcst");
    d.SaveToFile(pointFile);
    EXPECT_NE(ReadTextFile(pointFile).find("channel_mid_freq=593.25\r\n"), std::string::npos);
    ScopedDecimalSeparator comma(',');
    auto fromPoint = LoadDesignFile(pointFile);
    EXPECT_EQ(Saved(*fromPoint), Saved(d));
    EXPECT_EQ(fromPoint->OptionsPage.Channel.MidFreq, 593.25);
    fromPoint->SaveToFile(pointFile);
    EXPECT_NE(ReadTextFile(pointFile).find("channel_mid_freq=593,25\r\n"), std::string::npos);
}

TEST_F(DesignFile, FailedSaveKeepsTheOldFile) {
    TBroadcastDesign d;
    FillTV(d);
    const std::string missing = dir.File("gone") + "/x/d.bcst";
    try {
        d.SaveToFile(missing);
        FAIL() << "saved";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + missing);
    }
    // A path that is a folder cannot be replaced.
    const std::string folder = dir.File("folder.bcst");
    std::filesystem::create_directories(folder);
    EXPECT_THROW(d.SaveToFile(folder), Error);
    EXPECT_TRUE(std::filesystem::is_directory(folder));
}

TEST_F(DesignFile, FailedLoadLeavesTheCallersDesign) {
    TBroadcastDesign current;
    FillTV(current);
    const std::string before = Saved(current);
    std::unique_ptr<TBroadcastDesign> loaded;
    EXPECT_THROW(loaded = LoadDesignFile(dir.Write("bad.bcst", "[HEADER]\r\ntype=Velmo\r\n")),
                 ConvertError);
    EXPECT_EQ(loaded, nullptr);
    EXPECT_EQ(Saved(current), before);
}

TEST_F(DesignFile, EnumerationsOutOfRangeTakeTheirDefaults) {
    TBroadcastDesign d;
    FillTV(d);
    const std::string path = dir.File("e.bcst");
    d.SaveToFile(path);
    std::string text = ReadTextFile(path);
    auto replace = [&](const std::string& from, const std::string& to) {
        size_t p = text.find(from);
        ASSERT_NE(p, std::string::npos) << from;
        text.replace(p, from.size(), to);
    };
    replace("market=2\r\n", "market=7\r\n");
    replace("service=1\r\n", "service=-1\r\n");
    replace("view_type=1\r\n", "view_type=$10\r\n");
    auto back = LoadDesignFile(dir.Write("e2.bcst", text));
    EXPECT_EQ(back->OptionsPage.Market, mtUS);
    EXPECT_EQ(back->OptionsPage.Service, stAnalog);
    EXPECT_EQ(back->ElevationPage.ViewType, vtPortrait);
}
