#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "analysis/lines.h"
#include "base/folders.h"
#include "base/numbers.h"
#include "refdata/texttable.h"
#include "test_support.h"

using namespace velmo;

namespace {

// --- the line model ----------------------------------------------------------------------

TEST(TransmissionLine, DefaultsAndInvariants) {
    TTransmissionLine line;
    EXPECT_EQ(line.TotalRunLength(), 0);
    EXPECT_EQ(line.Aural(), 10);
    EXPECT_EQ(line.AvgPower(), 0);
    EXPECT_EQ(line.TotaldB(), 0);
    EXPECT_EQ(line.PeakPower(), 0);

    line.SetdBPerFoot(0.15);
    line.SetTotalRunLength(1100);
    EXPECT_NEAR(line.TotaldB(), 1.65, 1e-12);
    EXPECT_NEAR(line.Efficiency(), 68.391, 1e-3);
    line.SetdBPerFoot(0.5);
    EXPECT_NEAR(line.TotaldB(), 5.5, 1e-12);

    line.SetAvgPower(60);
    EXPECT_NEAR(line.PeakPower(), 85.714286, 1e-6);
    line.SetAural(20);
    EXPECT_NEAR(line.PeakPower(), 75.0, 1e-12);
    line.SetAvgPower(30);
    EXPECT_NEAR(line.PeakPower(), 37.5, 1e-12);
}

TEST(TransmissionLine, SettingTheAttenuationAlreadyHeldDoesNothing) {
    TTransmissionLine line;
    line.SetTotalRunLength(1000);
    line.SetdBPerFoot(0.2);
    line.SetTotaldB(99);  // a stored value that no longer follows the attenuation
    line.SetdBPerFoot(0.2);
    EXPECT_EQ(line.TotaldB(), 99);
    line.SetdBPerFoot(0.3);
    EXPECT_NEAR(line.TotaldB(), 3.0, 1e-12);
}

TEST(TransmissionLine, MinusSixtyPercentAuralGivesNoInfinitePeakPower) {
    TTransmissionLine line;
    line.SetAvgPower(60);
    line.SetAural(-60);
    EXPECT_EQ(line.PeakPower(), 0);
    line.SetAural(10);
    EXPECT_NEAR(line.PeakPower(), 85.714286, 1e-6);
}

void ExpectSameLine(const TTransmissionLine& a, const TTransmissionLine& b) {
    EXPECT_EQ(a.TotalRunLength(), b.TotalRunLength());
    EXPECT_EQ(a.Aural(), b.Aural());
    EXPECT_EQ(a.AvgPower(), b.AvgPower());
    EXPECT_EQ(a.dBPerFoot(), b.dBPerFoot());
    EXPECT_EQ(a.PartNumber, b.PartNumber);
    EXPECT_EQ(a.Description, b.Description);
    EXPECT_EQ(a.EndFreq, b.EndFreq);
    EXPECT_EQ(a.BegFreq, b.BegFreq);
    EXPECT_EQ(a.TotaldB(), b.TotaldB());
    EXPECT_EQ(a.HorzLength, b.HorzLength);
    EXPECT_EQ(a.VertLength, b.VertLength);
    EXPECT_EQ(a.HorzdB, b.HorzdB);
    EXPECT_EQ(a.PeakPower(), b.PeakPower());
}

TEST(TransmissionLine, AssignGivesAnEqualLine) {
    TTransmissionLine src;
    src.PartNumber = "HJ9-50";
    src.Description = "4-1/2 in. foam";
    src.BegFreq = 470;
    src.EndFreq = 860;
    src.SetTotalRunLength(1250);
    src.SetAural(20);
    src.SetAvgPower(42.5);
    src.SetdBPerFoot(0.37);
    src.HorzLength = 3;
    src.VertLength = 4;
    src.HorzdB = 0.05;

    TTransmissionLine dst;
    dst.SetdBPerFoot(0.9);
    dst.SetTotalRunLength(10);
    dst.Assign(src);
    ExpectSameLine(dst, src);

    // Derived values stored directly still come across unchanged, also when the
    // attenuation differs from the target's (its setter would recompute TotaldB).
    src.SetTotaldB(7.25);
    src.SetPeakPower(11);
    TTransmissionLine other;
    other.Assign(src);
    ExpectSameLine(other, src);
}

TEST(TransmissionLineList, AddInsertAndApplyToEveryLine) {
    TTransmissionLineList list;
    TLineInfo a{"A", "first", 54, 88, 60, 0.5, 200};
    TLineInfo b{"B", "second", 470, 860, 30, 0.25, 0};
    list.AddLine(a);
    list.InsertLine(0, b);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Line(0).PartNumber, "B");
    const TTransmissionLine& la = list.Line(1);
    EXPECT_EQ(la.Description, "first");
    EXPECT_EQ(la.BegFreq, 54);
    EXPECT_EQ(la.EndFreq, 88);
    EXPECT_EQ(la.TotalRunLength(), 200);
    EXPECT_NEAR(la.TotaldB(), 1.0, 1e-12);
    EXPECT_NEAR(la.PeakPower(), 85.714286, 1e-6);
    EXPECT_THROW(list.InsertLine(5, a), ListIndexError);

    list.SetTotalRunLength(1100);
    list.SetAural(20);
    EXPECT_EQ(list.TotalRunLength(), 1100);
    EXPECT_EQ(list.Aural(), 20);
    for (int i = 0; i < list.Count(); ++i) {
        EXPECT_EQ(list.Line(i).TotalRunLength(), 1100);
        EXPECT_EQ(list.Line(i).Aural(), 20);
    }
    EXPECT_NEAR(list.Line(0).TotaldB(), 2.75, 1e-12);
    EXPECT_NEAR(list.Line(1).PeakPower(), 75.0, 1e-12);
}

TEST(LinesPage, DefaultsAndAssign) {
    TLinesPage page;
    EXPECT_EQ(page.VertLength, 1000);
    EXPECT_EQ(page.HorzLength, 100);
    EXPECT_EQ(page.PeakPower, 10);
    EXPECT_EQ(page.InputInfo.Input, itSix);
    EXPECT_EQ(page.InputInfo.Value, 0);
    EXPECT_EQ(page.Line.PartNumber, "");

    TLinesPage src;
    src.VertLength = 800;
    src.HorzLength = 50;
    src.PeakPower = 20;
    src.InputInfo = {itEight, 123.5};
    src.Line.PartNumber = "Custom";
    src.Line.SetAvgPower(25);
    src.Line.SetdBPerFoot(0.5);
    src.Line.SetTotalRunLength(850);
    page.Assign(src);
    EXPECT_EQ(page.VertLength, 800);
    EXPECT_EQ(page.HorzLength, 50);
    EXPECT_EQ(page.PeakPower, 20);
    EXPECT_EQ(page.InputInfo.Input, itEight);
    EXPECT_EQ(page.InputInfo.Value, 123.5);
    ExpectSameLine(page.Line, src.Line);
    // The copy is the page's own line.
    src.Line.SetAvgPower(1);
    EXPECT_EQ(page.Line.AvgPower(), 25);
}

// --- the catalog -------------------------------------------------------------------------

const char* const kLines =
    "FAMILY|BEG_FREQUENCY|END_FREQUENCY|PART_NUMBER|DESCRIPTION|E1|E2|E3|E4\n"
    "FOAM|54|216|COAX50|capped by E4|0.1|0.001|100|50\n"
    "FOAM|54|216|COAX200|capped by E3|0.1|0.001|100|200\n"
    "FOAM|97|103|EXACT|band touches the channel|0.2|0|10|40\n"
    "FOAM|98|216|LOWSTRADDLE|band starts inside the channel|0.1|0|1|1\n"
    "FOAM|54|102|HIGHSTRADDLE|band ends inside the channel|0.1|0|1|1\n"
    "FOAM|470|860|UHFONLY|other band|0.1|0|1|1\n"
    "SOLDRIFT|54|900|HBR675B|rigid 6-1/8|0|0|0|300\n"
    "WAVEGUIDE|54|900|WR975|waveguide with a row|0|0|0|400\n"
    "WAVEGUIDE|54|900|WR1800|waveguide without a row|0|0|0|700\n";

const char* const kdB =
    "LINE|CHANNEL|DB_100\n"
    "HBR675B|7|0.9\n"
    "HBR675B|6|0.2\n"
    "HBR675B|6|0.8\n"
    "WR975|6|0.04\n"
    "WR1500|13|0.99\n"
    "WR1150|14|0.98\n"
    "WR1500|14|0.05\n"
    "WR1500|50|0.06\n"
    "WR1150|13|0.07\n"
    "WR1150|51|0.08\n";

// A small installation in a temporary folder; the process's folders point there
// while the object lives.
class LineTables : public ::testing::Test {
protected:
    void SetUp() override { Write(kLines, kdB); }
    void TearDown() override { InitFoldersFromExecutable(); }
    void Write(const std::string& lines, const std::string& dB) {
        dir.Write("data/tblTransmissionLines.txt", lines);
        dir.Write("data/tbldbPer100.txt", dB);
        InitFolders(dir.Path().string());
    }
    static TChannel Channel6() {
        TChannel c;
        c.ChannelNumber = "6";
        c.BegFreq = 97;
        c.EndFreq = 103;
        c.Frequency = 100;
        return c;
    }
    static std::vector<std::string> Parts(const TTransmissionLineList& list) {
        std::vector<std::string> out;
        for (int i = 0; i < list.Count(); ++i) out.push_back(list.Line(i).PartNumber);
        return out;
    }
    test::TempDir dir;
};

TEST_F(LineTables, CatalogForAUSChannel) {
    TTransmissionLineList list;
    list.AddLine({"OLD", "", 0, 0, 0, 0, 0});
    LoadTransmissionList(list, mtUS, Channel6());
    EXPECT_EQ(Parts(list),
              (std::vector<std::string>{"Custom", "COAX50", "COAX200", "EXACT", "HBR675B", "WR975"}));

    const TTransmissionLine& custom = list.Line(0);
    EXPECT_EQ(custom.Description, "Double-click to edit custom line.");
    EXPECT_EQ(custom.AvgPower(), 60.0);
    EXPECT_EQ(custom.dBPerFoot(), 0.15);
    EXPECT_EQ(custom.TotalRunLength(), 0);

    EXPECT_NEAR(list.Line(1).dBPerFoot(), 1.1, 1e-12);
    EXPECT_NEAR(list.Line(1).AvgPower(), 50.0, 1e-12);
    EXPECT_NEAR(list.Line(2).AvgPower(), 90.909091, 1e-6);
    EXPECT_EQ(list.Line(2).Description, "capped by E3");
    EXPECT_EQ(list.Line(2).BegFreq, 54);
    EXPECT_EQ(list.Line(2).EndFreq, 216);
    EXPECT_NEAR(list.Line(3).dBPerFoot(), 2.0, 1e-12);
    EXPECT_NEAR(list.Line(3).AvgPower(), 5.0, 1e-12);
    // Rigid line and waveguide: the first attenuation row of the line and channel,
    // the rating from E4.
    EXPECT_EQ(list.Line(4).dBPerFoot(), 0.2);
    EXPECT_EQ(list.Line(4).AvgPower(), 300);
    EXPECT_EQ(list.Line(5).dBPerFoot(), 0.04);
    EXPECT_EQ(list.Line(5).AvgPower(), 400);
    for (int i = 0; i < list.Count(); ++i) EXPECT_EQ(list.Line(i).TotalRunLength(), 0);
}

TEST_F(LineTables, OnlyCoaxialLinesOutsideTheUS) {
    for (TMarketType market : {mtEurope, mtAustralia}) {
        TTransmissionLineList list;
        LoadTransmissionList(list, market, Channel6());
        EXPECT_EQ(Parts(list), (std::vector<std::string>{"Custom", "COAX50", "COAX200", "EXACT"}))
            << market;
    }
}

TEST_F(LineTables, ChannelOutsideEveryBandGivesOnlyTheCustomLine) {
    TChannel c = Channel6();
    c.ChannelNumber = "1";
    c.BegFreq = 10;
    c.EndFreq = 16;
    c.Frequency = 13;
    TTransmissionLineList list;
    LoadTransmissionList(list, mtUS, c);
    EXPECT_EQ(Parts(list), (std::vector<std::string>{"Custom"}));
}

TEST_F(LineTables, NumbersFollowTheDecimalSeparator) {
    ScopedDecimalSeparator comma(',');
    Write("FAMILY|BEG_FREQUENCY|END_FREQUENCY|PART_NUMBER|DESCRIPTION|E1|E2|E3|E4\n"
          "FOAM|96,5|103,5|C1|comma|0,1|0,001|100|50\n"
          "SOLDRIFT|54|900|HBR675B|rigid|0|0|0|300,5\n",
          "LINE|CHANNEL|DB_100\nHBR675B|6|0,25\nX|1|1\n");
    TTransmissionLineList list;
    LoadTransmissionList(list, mtUS, Channel6());
    ASSERT_EQ(Parts(list), (std::vector<std::string>{"Custom", "C1", "HBR675B"}));
    EXPECT_NEAR(list.Line(1).dBPerFoot(), 1.1, 1e-12);
    EXPECT_EQ(list.Line(2).dBPerFoot(), 0.25);
    EXPECT_EQ(list.Line(2).AvgPower(), 300.5);
}

TEST_F(LineTables, LosslessCoaxialLineIsRatedByItsMaximumPower) {
    Write("FAMILY|BEG_FREQUENCY|END_FREQUENCY|PART_NUMBER|DESCRIPTION|E1|E2|E3|E4\n"
          "FOAM|54|216|IDEAL|no loss|0|0|100|50\n"
          "FOAM|54|216|IDEAL0|no loss, no E3|0|0|0|50\n",
          kdB);
    TTransmissionLineList list;
    LoadTransmissionList(list, mtUS, Channel6());
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Line(1).AvgPower(), 50);
    EXPECT_EQ(list.Line(2).AvgPower(), 50);
    EXPECT_EQ(list.Line(1).dBPerFoot(), 0);
}

TEST_F(LineTables, NegativeChannelFrequencyIsAnErrorNotANaNAttenuation) {
    TChannel c = Channel6();
    c.BegFreq = -10;
    c.EndFreq = 100;
    c.Frequency = -5;
    Write("FAMILY|BEG_FREQUENCY|END_FREQUENCY|PART_NUMBER|DESCRIPTION|E1|E2|E3|E4\n"
          "FOAM|-20|216|NEG|below zero|0.1|0.001|100|50\n"
          "FOAM|54|216|OTHER|not in band|0.1|0.001|100|50\n",
          kdB);
    TTransmissionLineList list;
    try {
        LoadTransmissionList(list, mtUS, c);
        ADD_FAILURE();
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Invalid floating point operation");
    }
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(LineTables, ACellThatDoesNotConvertEndsTheBuildAndKeepsTheCatalog) {
    struct Case {
        std::string row;
        std::string message;
    };
    const std::string header = "FAMILY|BEG_FREQUENCY|END_FREQUENCY|PART_NUMBER|DESCRIPTION|E1|E2|E3|E4\n";
    const std::string good = "FOAM|54|216|COAX50|fine|0.1|0.001|100|50\n";
    const std::vector<Case> cases = {
        {"FOAM|abc|216|X|d|0.1|0|1|1\n", "'abc' is not a valid floating point value"},
        {"FOAM|54||X|d|0.1|0|1|1\n", "'' is not a valid floating point value"},
        {"FOAM|54|216|X|d|0.1|0|1|1kW\n", "'1kW' is not a valid floating point value"},
        {"FOAM|54|216|X|d|1,5|0|1|1\n", "'1,5' is not a valid floating point value"},
        {"SOLDRIFT|54|216|HBR675B|d|0|0|0|big\n", "'big' is not a valid floating point value"},
    };
    for (const Case& c : cases) {
        Write(header + good + c.row, kdB);
        TTransmissionLineList list;
        list.AddLine({"OLD", "", 0, 0, 0, 0, 0});
        try {
            LoadTransmissionList(list, mtUS, Channel6());
            ADD_FAILURE() << "no error for " << c.row;
        } catch (const ConvertError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
        EXPECT_EQ(Parts(list), (std::vector<std::string>{"OLD"})) << c.row;
    }
    // A bad attenuation cell of the rigid line's row.
    Write(kLines, "LINE|CHANNEL|DB_100\nHBR675B|6|x\nWR975|6|0.04\n");
    TTransmissionLineList list;
    EXPECT_THROW(LoadTransmissionList(list, mtUS, Channel6()), ConvertError);
    // Europe never reads the waveguide rows, so their bad cells do not matter there.
    LoadTransmissionList(list, mtEurope, Channel6());
    EXPECT_EQ(list.Count(), 4);
}

TEST_F(LineTables, MissingTableRaisesTheOpenError) {
    std::filesystem::remove(dir.File("data/tbldbPer100.txt"));
    TTransmissionLineList list;
    try {
        LoadTransmissionList(list, mtUS, Channel6());
        ADD_FAILURE();
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("Cannot open file"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("tbldbPer100.txt"), std::string::npos);
    }
    EXPECT_THROW(GetWaveguideHorzdB("14"), Error);
}

TEST_F(LineTables, InputValueIsTheRatingOfTheMatchingRigidLine) {
    TTransmissionLineList list;
    LoadTransmissionList(list, mtUS, Channel6());
    EXPECT_EQ(GetInputValue(list, itSix, stDigital), 300);
    EXPECT_NEAR(GetInputValue(list, itSix, stAnalog), 300 / 0.7, 1e-9);
    list.SetAural(20);
    EXPECT_NEAR(GetInputValue(list, itSix, stAnalog), 375, 1e-9);
    EXPECT_EQ(GetInputValue(list, itSeven, stDigital), 0);
    EXPECT_EQ(GetInputValue(list, itEight, stAnalog), 0);
    EXPECT_EQ(InputLinePartNumber(itSeven), "HBR775");
    EXPECT_EQ(InputLinePartNumber(itEight), "HBR875B");
}

TEST_F(LineTables, HorizontalWaveguideByChannel) {
    struct Case {
        const char* channel;
        double dB;
    };
    for (const Case& c : {Case{"14", 0.05}, Case{"50", 0.06}, Case{"13", 0.07}, Case{"51", 0.08},
                          Case{"49", 0.0}, Case{" 14", 0.0}}) {
        EXPECT_EQ(GetWaveguideHorzdB(c.channel), c.dB) << c.channel;
    }
    for (const char* bad : {"abc", "", "14.5", "7A"}) {
        try {
            GetWaveguideHorzdB(bad);
            ADD_FAILURE() << bad;
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(bad) + "' is not a valid integer value");
        }
    }
}

// The sample installation's tables, when the build has copied them.
TEST(SampleLineTables, CatalogOfTheSampleInstallation) {
    InitFoldersFromExecutable();
    if (!std::filesystem::exists(DataPath() + "tblTransmissionLines.txt") ||
        !std::filesystem::exists(DataPath() + "tbldbPer100.txt"))
        GTEST_SKIP() << "no sample line tables";
    TChannel c;
    c.ChannelNumber = "14";
    c.BegFreq = 470;
    c.EndFreq = 476;
    c.Frequency = 473;
    auto has = [](const TTransmissionLineList& list, const std::string& part) {
        for (int i = 0; i < list.Count(); ++i)
            if (list.Line(i).PartNumber == part) return true;
        return false;
    };
    TTransmissionLineList us;
    LoadTransmissionList(us, mtUS, c);
    ASSERT_GE(us.Count(), 2);
    EXPECT_EQ(us.Line(0).PartNumber, "Custom");
    EXPECT_TRUE(has(us, "HBR675B"));
    EXPECT_TRUE(has(us, "WR1500"));
    EXPECT_FALSE(has(us, "WR1150"));  // its band starts above the channel
    for (int i = 0; i < us.Count(); ++i) {
        EXPECT_GT(us.Line(i).dBPerFoot(), 0) << us.Line(i).PartNumber;
        EXPECT_GT(us.Line(i).AvgPower(), 0) << us.Line(i).PartNumber;
    }
    EXPECT_GT(GetInputValue(us, itSix, stDigital), 0);

    for (TMarketType market : {mtEurope, mtAustralia}) {
        TTransmissionLineList list;
        LoadTransmissionList(list, market, c);
        EXPECT_EQ(list.Line(0).PartNumber, "Custom");
        for (const char* part : {"HBR675B", "HBR775", "HBR875B", "WR1800", "WR1500"})
            EXPECT_FALSE(has(list, part)) << part;
        EXPECT_TRUE(has(list, "ORL618QPT"));
    }
    // Channel 51 lies outside 14..50, so its horizontal run is WR1150 even where the
    // table also lists WR1500 for it.
    TTextTable dB;
    dB.LoadFromFile(DataPath() + "tbldbPer100.txt");
    auto rowValue = [&dB](const std::string& line, const std::string& channel) {
        for (dB.MoveFirst(); !dB.Eof(); dB.MoveNext())
            if (dB.Field("LINE") == line && dB.Field("CHANNEL") == channel)
                return StrToFloat(dB.Field("DB_100"));
        return 0.0;
    };
    EXPECT_EQ(GetWaveguideHorzdB("14"), rowValue("WR1500", "14"));
    EXPECT_EQ(GetWaveguideHorzdB("50"), rowValue("WR1500", "50"));
    EXPECT_EQ(GetWaveguideHorzdB("51"), rowValue("WR1150", "51"));
    EXPECT_EQ(GetWaveguideHorzdB("13"), rowValue("WR1150", "13"));
}

}  // namespace
