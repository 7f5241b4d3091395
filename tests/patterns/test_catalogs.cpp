// The azimuth and elevation pattern catalogs over small installations that show each
// rule: candidates, skip rules, duplicates, joined vertical patterns, conversions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/folders.h"
#include "patterns/azcatalog.h"
#include "patterns/elcatalog.h"
#include "test_support.h"

namespace velmo {
namespace {

class Catalogs : public ::testing::Test {
protected:
    void SetUp() override {
        InitFolders(FDir.Path().string());
        Write("data/tblPatternCode_Details.txt", "PATTERN_CODE|DESCRIPTION\nOC|Omni\nCD|Cardioid\nOC|Second omni\n");
        Write("data/tblKVR_Power_To_Azimuth.txt",
              "POWER|POLARIZATION|H_PATTERN_ID\nL|H|KVR-O\nM|H|KVR-O\nM|H|KVR-CD\nM|E|KVR-CD\n");
        Write("data/tblAntenna_To_H_Azimuth.txt",
              "FAMILY_ID|H_PATTERN_ID\nKLX-UHF|KLX-OC\nKLX-UHF|KLX-OC\nKLX-UHF|KLX-GS\nWEN|WEN-OC\n");
        Write("data/tblAntenna_To_E_H_Azimuth.txt",
              "FAMILY_ID|H_PATTERN_ID\nKLX-UHF|KLX-OC\nKLX-UHF|KLX-GS\n");
        Write("data/tblAzimuth_H_Patterns.txt",
              "H_PATTERN_ID|PATTERN_CODE|FILENAME|GAIN|BEAMWIDTH\n"
              "KLX-GS|GS|gs.pat|1.1|360\nKLX-OC|OC|oc.pat|1.2|360\nKVR-O|OC|o.pat|x|y\n"
              "KVR-CD|CD|cd.pat|2.5|120\nKLX-OC|OC|oc2.pat|1.3|360\nWEN-OC|OC|w.pat|1|360\n");
        Write("data/tblMIRALDO_H_To_V_Azimuth.txt",
              "FAMILY_ID|H_PATTERN_ID|V_PATTERN_ID\nKLX-UHF|KLX-OC|V1\nKLX-UHF|KLX-OC|V2\nKLX-VHF|KLX-OC|V3\n");
        Write("data/tblAzimuth_V_Patterns.txt",
              "V_PATTERN_ID|PATTERN_CODE|FILENAME|GAIN|BEAMWIDTH\nV3|OC|v3.pat|1|360\nV2|CD|v2.pat|1.8|140\n"
              "V1|OC|v1.pat|1.28|360\n");
        Write("FM data/tblFM_AzPatternCode_Details.txt", "PATTERN_CODE|DESCRIPTION\nST|Side\nSW|Wide\n");
        Write("FM data/tblAntenna_To_H_Azimuth.txt", "FAMILY_ID|H_PATTERN_ID\nRNVX|R-ST\nBKX|B-ST\n");
        Write("FM data/tblAzimuth_H_Patterns.txt",
              "H_PATTERN_ID|PATTERN_CODE|FILENAME|GAIN|BEAMWIDTH\nB-ST|ST|b.pat|1.5|200\nR-ST|ST|r.pat|1.7|202\n");
    }
    void TearDown() override { InitFoldersFromExecutable(); }
    void Write(const std::string& name, const std::string& text) { FDir.Write(name, text); }

    static std::vector<std::string> Ids(const TAzHorzPatternList& list) {
        std::vector<std::string> ids;
        for (int i = 0; i < list.Count(); ++i) ids.push_back(list.Item(i).PatternID + ":" + list.Item(i).FileName);
        return ids;
    }

    test::TempDir FDir;
};

TEST_F(Catalogs, TVCandidatesByFamilyPolarizationAndKVRPower) {
    using V = std::vector<std::string>;
    EXPECT_EQ(TVAzimuthCandidates("KVR", "H", "L"), (V{"KVR-O"}));
    EXPECT_EQ(TVAzimuthCandidates("KVR", "H", "M"), (V{"KVR-O", "KVR-CD"}));
    EXPECT_EQ(TVAzimuthCandidates("KVR", "E", "M"), (V{"KVR-CD"}));
    EXPECT_EQ(TVAzimuthCandidates("KVR", "E", "L"), V{});
    EXPECT_EQ(TVAzimuthCandidates("KLX-UHF", "H", "N"), (V{"KLX-OC", "KLX-OC", "KLX-GS"}));
    EXPECT_EQ(TVAzimuthCandidates("KLX-UHF", "E", "N"), (V{"KLX-OC", "KLX-GS"}));
    EXPECT_EQ(TVAzimuthCandidates("KLX-UHF", "V", "N"), V{});
}

TEST_F(Catalogs, TVHorizontalListFollowsThePatternTable) {
    TPatternDetails details;
    LoadTVPatternDetails(details);
    TAzHorzPatternList list;
    // A candidate listed twice gives one entry; two table rows of one id give two.
    LoadTVHorzAzimuthList("KLX-UHF", "H", TVAzimuthCandidates("KLX-UHF", "H", "N"), details, list);
    EXPECT_EQ(Ids(list), (std::vector<std::string>{"KLX-GS:gs.pat", "KLX-OC:oc.pat", "KLX-OC:oc2.pat"}));
    EXPECT_EQ(list.Item(1).Desc, "Omni");  // the first description of the code
    EXPECT_EQ(list.Item(0).Desc, "");
    EXPECT_DOUBLE_EQ(list.Item(2).Gain(), 1.3);
    EXPECT_EQ(list.Item(1).PatternType, ptHorizontal);
    EXPECT_TRUE(list.Item(1).VertPatterns.Empty());  // no vertical list for "H"

    // Elliptical KLX-UHF never gets KLX-GS, even though the E table lists it.
    LoadTVHorzAzimuthList("KLX-UHF", "E", TVAzimuthCandidates("KLX-UHF", "E", "N"), details, list);
    EXPECT_EQ(Ids(list), (std::vector<std::string>{"KLX-OC:oc.pat", "KLX-OC:oc2.pat"}));
    // Vertical patterns joined by family and horizontal id, in the V table's order.
    const TAzVertPatternList& v = list.Item(0).VertPatterns;
    ASSERT_EQ(v.Count(), 2);
    EXPECT_EQ(v.Item(0).PatternID, "V2");
    EXPECT_EQ(v.Item(1).PatternID, "V1");
    EXPECT_EQ(v.Item(0).PatternType, ptVertical);
    EXPECT_EQ(v.Item(0).Desc, "Cardioid");

    // Numbers that do not convert read 0.
    LoadTVHorzAzimuthList("KVR", "H", TVAzimuthCandidates("KVR", "H", "L"), details, list);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Item(0).Gain(), 0);
    EXPECT_EQ(list.Item(0).Beamwidth, 0);
}

TEST_F(Catalogs, FMListCarriesThePolarization) {
    TPatternDetails details;
    LoadFMPatternDetails(details);
    TAzFMPatternList list;
    LoadFMAzimuthList("E", FMAzimuthCandidates("RNVX"), details, list);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Item(0).PatternID, "R-ST");
    EXPECT_EQ(list.Item(0).PolCode, "E");
    EXPECT_EQ(list.Item(0).PatternType, ptFM);
    EXPECT_EQ(list.Item(0).Desc, "Side");
    LoadFMAzimuthList("H", FMAzimuthCandidates("TGX"), details, list);
    EXPECT_TRUE(list.Empty());
}

class ElevationCatalogs : public Catalogs {
protected:
    void SetUp() override {
        Catalogs::SetUp();
        const std::string head =
            "FAMILY_ID|H_POL_ID|LABEL|BASE_CODE|SMOOTH|BAY_COUNT|DESCRIPTION|GAIN_1|FILENAME|BEAMWIDTH|"
            "DEFAULT_BEAMTILT|MAX_BEAMTILT|MIN_BEAMTILT\n";
        Write("data/tblH_Elevation.txt",
              head + "KLX-UHF|KLX2G1|L2|KLX2|0|2|two|1.9|a.pat|28|0|0|0\n"
                     "KLX-UHF|KLX12|L12|KLX12|1|12|twelve|13.1|b.pat|4.4|0.75|2|0\n"
                     "KLX-VHF|KLX2|V2|KLX2|0|2|vhf two|1.9|c.pat|27|0|1|0\n"
                     "KLX-VHF|KLX4|V4|KLX4|0|4|vhf four|4|d.pat|13|0.5|1.5|0\n"
                     "WEN|WEN8|W8|WEN8|0|8|wen|8|e.pat|6|1|1|1\n"
                     "HOV|HOV2|H2|HOV2|0|two|bad|2|f.pat|29|0|0|0\n");
        Write("data/tblMIRALDO_H_To_V_Elevation.txt",
              "FAMILY_ID|H_POL_ID|V_POL_ID\nKLX-UHF|KLX12|KLX12V\nKLX-UHF|KLX12|KLX12W\nWEN|WEN8|WEN8V\n");
        std::string vhead = head;
        vhead.replace(vhead.find("H_POL_ID"), 8, "V_POL_ID");
        Write("data/tblV_Elevation.txt",
              vhead + "KLX-UHF|KLX12W|W|KLX12|0|12|w|12|w.pat|4|0.75|2|0\n"
                      "KLX-UHF|KLX12V|V|KLX12|0|12|v|12.5|v.pat|4|0.75|2|0\n"
                      "KLX-UHF|KLX12V|V again|KLX12|0|12|v|12.5|v.pat|4|0.75|2|0\n"
                      "WEN|WEN8V|WV|WEN8|0|8|wv|7|wv.pat|6|1|1|1\n");
        Write("FM data/tblFM_Elevation.txt",
              "FAMILY_ID|FEED_CODE|BAY_COUNT|BAY_SPACING|H_POL_ID|LABEL|BASE_CODE|DESCRIPTION|GAIN\n"
              "RNVX|E|4|1|R4E|4 BAY|RNVX-4E|four|2.02\nRNVX|C|4|1|R4C|4 BAY C|RNVX-4C|four c|2.02\n"
              "RNVX|E|6|x|R6E|6 BAY|RNVX-6E|six|3.1\nBKX|E|2.5|1|B2|bad|BKX-2|bad|1\n");
    }
    static std::vector<std::string> PolIDs(const THorzPatternList& list) {
        std::vector<std::string> ids;
        for (int i = 0; i < list.Count(); ++i) ids.push_back(list.Item(i).PolID);
        return ids;
    }
};

TEST_F(ElevationCatalogs, TVSkipRules) {
    using V = std::vector<std::string>;
    struct Case {
        const char *Family, *Pol, *AzID, *AzCode;
        V Expected;
    } cases[] = {
        {"KLX-UHF", "H", "KLX-OC", "OC", {"KLX2G1", "KLX12"}},
        {"KLX-UHF", "E", "KLX-OC", "OC", {"KLX12"}},
        {"KLX-UHF", "H", "KLX-GS", "GS", {"KLX2G1"}},
        {"KLX-UHF", "E", "KLX-GS", "GS", {}},
        {"KLX-VHF", "H", "KLXV-S", "S", {"KLX4"}},
        {"KLX-VHF", "H", "KLXV-OC", "OC", {"KLX2", "KLX4"}},
        {"QD", "H", "", "", {}},
    };
    for (const Case& c : cases) {
        THorzPatternList list;
        LoadTVElevationList(c.Family, c.Pol, c.AzID, c.AzCode, list);
        EXPECT_EQ(PolIDs(list), c.Expected) << c.Family << " " << c.Pol << " " << c.AzID;
    }
}

TEST_F(ElevationCatalogs, TVFieldsAndOneVerticalPattern) {
    THorzPatternList list;
    LoadTVElevationList("KLX-UHF", "E", "KLX-OC", "OC", list);
    ASSERT_EQ(list.Count(), 1);
    const THorzPattern& h = list.Item(0);
    EXPECT_EQ(h.DetailLabel, "L12");
    EXPECT_EQ(h.BaseCose, "KLX12");
    EXPECT_TRUE(h.Smooth);
    EXPECT_EQ(h.BayCount, 12);
    EXPECT_DOUBLE_EQ(h.Gain(), 13.1);
    EXPECT_DOUBLE_EQ(h.DefaultBeamtilt(), 0.75);
    EXPECT_DOUBLE_EQ(h.Beamtilt(), 0.75);  // the default sets the tilt
    EXPECT_DOUBLE_EQ(h.MaxBeamtilt, 2);
    EXPECT_EQ(h.FamilyID, "KLX-UHF");
    // The first joining row names the vertical pattern; the first V row of it is taken.
    ASSERT_EQ(h.VertPatterns.Count(), 1);
    EXPECT_EQ(h.VertPatterns.Item(0).PolID, "KLX12V");
    EXPECT_EQ(h.VertPatterns.Item(0).DetailLabel, "V");
    EXPECT_EQ(h.VertPatterns.Item(0).PatternType, ptVertical);

    // WEN is not among the families that get vertical patterns.
    LoadTVElevationList("WEN", "E", "", "", list);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_TRUE(list.Item(0).VertPatterns.Empty());
}

TEST_F(ElevationCatalogs, BayCountThatIsNoIntegerStopsTheList) {
    THorzPatternList list;
    try {
        LoadTVElevationList("HOV", "H", "", "", list);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "'two' is not a valid integer value");
    }
    TFMPatternList fm;
    try {
        LoadFMElevationList("BKX", "E", "H", fm);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "'2.5' is not a valid integer value");
    }
}

TEST_F(ElevationCatalogs, FMRowsByFamilyAndFeed) {
    TFMPatternList list;
    LoadFMElevationList("RNVX", "E", "E", list);
    ASSERT_EQ(list.Count(), 2);
    const TFMPattern& p = list.Item(0);
    EXPECT_EQ(p.PolID, "R4E");
    EXPECT_EQ(p.BaseCose, "RNVX-4E");
    EXPECT_EQ(p.DetailLabel, "4 BAY");
    EXPECT_EQ(p.FeedCode, "E");
    EXPECT_EQ(p.PolCode, "E");
    EXPECT_EQ(p.BayCount, 4);
    EXPECT_DOUBLE_EQ(p.GainFromFile(), 2.02);
    EXPECT_DOUBLE_EQ(list.Item(1).BaySpacing, 1);  // "x" reads 1
    LoadFMElevationList("RNVX", "P", "E", list);
    EXPECT_TRUE(list.Empty());
}

TEST(CatalogInstall, MissingTableIsReported) {
    test::TempDir dir;
    InitFolders(dir.Path().string());
    TAzHorzPatternList list;
    EXPECT_THROW(TVAzimuthCandidates("KLX-UHF", "H", "N"), Error);
    InitFoldersFromExecutable();
}

}  // namespace
}  // namespace velmo
