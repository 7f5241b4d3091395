// Part numbers and El ids over plain inputs, and the FM catalog rule over small
// tables written into a temporary installation.
#include <gtest/gtest.h>

#include "base/folders.h"
#include "product/partnumber.h"
#include "test_support.h"

using namespace velmo;

namespace {

TPartNumberInputs TV(const std::string& family) {
    TPartNumberInputs in;
    in.SystemType = "TV";
    in.FamilyID = family;
    return in;
}

}  // namespace

TEST(BeamtiltCode, BoundsAreInclusiveAndAboveThreeIsEmpty) {
    struct Case { double v; const char* code; } cases[] = {
        {-1, "1"},   {0, "1"},     {0.25, "1"},  {0.2501, "2"}, {0.5, "2"},  {0.75, "3"},
        {1.0, "4"},  {1.1, "5"},   {1.5, "6"},   {1.75, "7"},   {2.0, "8"},  {2.25, "9"},
        {2.5, "10"}, {2.75, "11"}, {3.0, "12"},  {3.01, ""},    {10, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(GetBeamtiltCode(c.v), c.code) << c.v;
}

TEST(MarketCode, OnePerMarket) {
    EXPECT_EQ(GetMarketCode(mtUS), "");
    EXPECT_EQ(GetMarketCode(mtEurope), "E");
    EXPECT_EQ(GetMarketCode(mtAustralia), "A");
}

// The worked examples, one per family rule.
TEST(PartNumber, WorkedExamples) {
    std::string input = "unchanged";
    {
        auto in = TV("QD");
        in.HBayCount = 8; in.AzPatternCode = "OC"; in.ChannelNumber = "34";
        in.Market = mtEurope; in.PowerCode = "M"; in.PolCode = "E";
        EXPECT_EQ(BuildPartNumber(in, input), "QD8OC-34E-ME");
        in.PowerCode = "L"; in.Market = mtAustralia;
        EXPECT_EQ(BuildPartNumber(in, input), "QD8OC-34A-E");
    }
    {
        auto in = TV("WEN");
        in.HBayCount = 12; in.AzPatternCode = "SQ"; in.ChannelNumber = "21";
        EXPECT_EQ(BuildPartNumber(in, input), "WEN12SQ-21");
    }
    {
        auto in = TV("HOV");
        in.HBayCount = 6; in.AzPatternCode = "OC"; in.ChannelNumber = "9";
        in.Market = mtEurope;  // no market code in this rule
        EXPECT_EQ(BuildPartNumber(in, input), "HOV6H7-HSOC-9");
    }
    {
        auto in = TV("KVR");
        in.HBaseCose = "KVR16"; in.PowerCode = "M"; in.HBeamtilt = 0.75; in.PolCode = "E";
        in.MountCode = "S"; in.AzPatternCode = "OC"; in.ChannelNumber = "34";
        in.Market = mtAustralia;
        EXPECT_EQ(BuildPartNumber(in, input), "KVR16M3-CSOC-34A");
        for (const char* pol : {"C", "E", "V"}) {
            in.PolCode = pol;
            EXPECT_EQ(BuildKVRPartNumber(in), "KVR16M3-CSOC-34A") << pol;
        }
        in.PolCode = "H";
        EXPECT_EQ(BuildKVRPartNumber(in), "KVR16M3-HSOC-34A");
        in.HBeamtilt = 3.5;  // no tilt code: the digits are simply missing
        EXPECT_EQ(BuildKVRPartNumber(in), "KVR16M-HSOC-34A");
    }
    {
        auto in = TV("QD-MAX");
        in.HBaseCose = "QDX8"; in.AzPatternCode = "OC"; in.ChannelNumber = "34";
        in.PowerCode = "2"; in.PolCode = "E";
        EXPECT_EQ(BuildPartNumber(in, input), "QDX8-34-P2E");
        in.PolCode = "H";
        EXPECT_EQ(BuildPartNumber(in, input), "QDX8-34-P2");
        in.AzPatternCode = "SK"; in.Market = mtEurope;
        EXPECT_EQ(BuildPartNumber(in, input), "QDX8SK-34E-P2");
    }
    {
        auto in = TV("KLX-UHF");
        in.HBaseCose = "KLX12"; in.HSmooth = true; in.HBeamtilt = 1.0; in.PolCode = "E";
        in.MountCode = "T"; in.AzPatternCode = "OC"; in.ChannelNumber = "30";
        in.Service = stDigital;
        EXPECT_EQ(BuildPartNumber(in, input), "KLX12HS4-ETOC-30H");
        in.FamilyID = "KLX-VHF"; in.HSmooth = false; in.Market = mtEurope;
        EXPECT_EQ(BuildPartNumber(in, input), "KLX12V4-ETOC-30E");
    }
    {
        auto in = TV("VARNOK");
        in.HBaseCose = "VARNOK6"; in.ChannelNumber = "9";
        EXPECT_EQ(BuildPartNumber(in, input), "VARNOK6-9");
    }
    {
        auto in = TV("CTM");
        EXPECT_EQ(BuildPartNumber(in, input), "CUSTOM");
        in.CustomLabel = "MY ANTENNA";
        EXPECT_EQ(BuildPartNumber(in, input), "MY ANTENNA");
    }
    EXPECT_EQ(BuildPartNumber(TV("NOPE"), input), "");
    EXPECT_EQ(BuildPartNumber(TV("RNVX"), input), "");
    EXPECT_EQ(input, "unchanged");  // TV rules never touch the connector text
}

TEST(PartNumber, MiraldoUHFMediumPowerAboveOneHundredTwentyKilowattsAnalog) {
    auto in = TV("KLX-UHF");
    in.HBaseCose = "KLX12"; in.HBeamtilt = 1.0; in.PolCode = "H"; in.MountCode = "S";
    in.AzPatternCode = "OC"; in.ChannelNumber = "30";
    struct Case { TServiceType service; double kw; const char* tail; } cases[] = {
        {stAnalog, 120, "-30H"}, {stAnalog, 120.01, "-30M"}, {stDigital, 500, "-30H"},
    };
    for (const auto& c : cases) {
        in.Service = c.service;
        in.AntennaInputkW = c.kw;
        EXPECT_EQ(BuildMIRALDOPartNumber(in), std::string("KLX12H4-HSOC") + c.tail) << c.kw;
    }
}

TEST(ElId, KVRAndMiraldo) {
    auto in = TV("KVR");
    in.PowerCode = "M";
    in.HPolID = "KH16"; in.HBeamtilt = 0.5;
    in.VPolID = "KV16"; in.VBeamtilt = 1.5;
    EXPECT_EQ(BuildHorzKVRElId(in), "KH16M2");
    EXPECT_EQ(BuildVertKVRElId(in), "KV16M6");

    in.FamilyID = "KLX-UHF";
    in.HBaseCose = "KLX12"; in.VBaseCose = "KLX12V"; in.HSmooth = true;
    EXPECT_EQ(BuildMIRALDOElId(in, ptHorizontal), "KLX12HS2H");
    EXPECT_EQ(BuildMIRALDOElId(in, ptVertical), "KLX12VHS6V");
    in.FamilyID = "KLX-VHF"; in.HSmooth = false;
    EXPECT_EQ(BuildMIRALDOElId(in, ptFM), "KLX12VV6V");
}

class FMPartNumber : public ::testing::Test {
protected:
    void SetUp() override {
        dir.Write("FM data/tblFMFamilyID_To_Power.txt",
                  "FAMILY_ID|BAY_COUNT|BAY_SPACING|FEED_CODE|MAX_POWER|P/N|Input|W1|C1\r\n"
                  "RNVX|4|1|E|10|RNVX-4E-10|3-1/8-inch|400|12\r\n"
                  "RNVX|4|1|E|5|RNVX-4E-5|1-5/8-inch|300|9\r\n"
                  "RNVX|4|0.5|E|50|RNVX-4E-HALF|x|1|1\r\n"
                  "RNVX|x|1|E|50|RNVX-BAD|x|1|1\r\n"
                  "240C|2|1|C|3|240C-2|7/16-DIN|50|2\r\n"
                  "240C|2|1|C|2|240C-2N|N-N|40|1\r\n"
                  "K410|2|1|C|3|K410-2|7/16-DIN-N|50|2\r\n");
        InitFolders(dir.Path().string());
    }
    void TearDown() override { InitFolders(test::BinDir()); }

    static TPartNumberInputs FM(const std::string& family, int bays, double spacing,
                                const std::string& feed, double inputkW) {
        TPartNumberInputs in;
        in.SystemType = "FM";
        in.FamilyID = family;
        in.FeedCode = feed;
        in.FMBayCount = bays;
        in.FMBaySpacing = spacing;
        in.FMFeedCode = feed;
        in.AntennaInputkW = inputkW;
        return in;
    }
    test::TempDir dir;
};

TEST_F(FMPartNumber, SmallestSufficientRatingWins) {
    struct Case { double kw; const char* pn; const char* input; } cases[] = {
        {4, "RNVX-4E-5", "1-5/8 EIA 50 Ohm"},
        {5, "RNVX-4E-5", "1-5/8 EIA 50 Ohm"},
        {6, "RNVX-4E-10", "3-1/8 EIA 50 Ohm"},
        {12, "CTM-4xE", "Contact Orvane"},
    };
    for (const auto& c : cases) {
        std::string input = "old";
        EXPECT_EQ(BuildPartNumber(FM("RNVX", 4, 1, "E", c.kw), input), c.pn) << c.kw;
        EXPECT_EQ(input, c.input) << c.kw;
    }
}

TEST_F(FMPartNumber, NoQualifyingRowGivesGenericNumber) {
    std::string input;
    EXPECT_EQ(BuildFMPartNumber(FM("RNVX", 8, 1, "C", 1), input), "CTM-8xC");
    EXPECT_EQ(input, "Contact Orvane");
    // The spacing must match exactly; a bay count that is not a number reads as 0.
    EXPECT_EQ(BuildFMPartNumber(FM("RNVX", 4, 0.75, "E", 1), input), "CTM-4xE");
    EXPECT_EQ(BuildFMPartNumber(FM("RNVX", 0, 1, "E", 1), input), "RNVX-BAD");
    EXPECT_EQ(BuildFMPartNumber(FM("RNVX", 4, 0.5, "E", 1), input), "RNVX-4E-HALF");

    auto custom = FM("CTM", 4, 1, "E", 1);
    EXPECT_EQ(BuildFMPartNumber(custom, input), "CUSTOM");
    custom.CustomLabel = "MINE";
    EXPECT_EQ(BuildFMPartNumber(custom, input), "MINE");
}

TEST_F(FMPartNumber, ConnectorTextsOnlyFor240C) {
    std::string input;
    EXPECT_EQ(BuildFMPartNumber(FM("240C", 2, 1, "C", 2.5), input), "240C-2");
    EXPECT_EQ(input, "7/16 DIN FEMALE 50 Ohm");
    EXPECT_EQ(BuildFMPartNumber(FM("240C", 2, 1, "C", 1), input), "240C-2N");
    EXPECT_EQ(input, "N N FEMALE 50 Ohm");
    EXPECT_EQ(BuildFMPartNumber(FM("K410", 2, 1, "C", 1), input), "K410-2");
    EXPECT_EQ(input, "7/16-DIN-N");

    EXPECT_EQ(FMInputText("A-inch", "240C"), "A EIA 50 Ohm");
    EXPECT_EQ(FMInputText("B-DIN", "240C"), "B DIN FEMALE 50 Ohm");
    EXPECT_EQ(FMInputText("C-N", "240C"), "C N FEMALE 50 Ohm");
    EXPECT_EQ(FMInputText("A-inch", "RNVX"), "A EIA 50 Ohm");
    EXPECT_EQ(FMInputText("B-DIN", "RNVX"), "B-DIN");
    EXPECT_EQ(FMInputText("C-N", "RNVX"), "C-N");
}

TEST_F(FMPartNumber, MissingTableRaisesOpenError) {
    InitFolders(dir.File("elsewhere"));
    std::string input;
    try {
        BuildFMPartNumber(FM("RNVX", 4, 1, "E", 1), input);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("Cannot open file"), std::string::npos);
    }
}
