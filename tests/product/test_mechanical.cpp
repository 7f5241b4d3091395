// Mechanical data by family rule: the computed heights of the MIRALDO UHF and FM
// rules, and the table rules over small tables in a temporary installation.
#include <gtest/gtest.h>

#include "base/folders.h"
#include "product/mechanical.h"
#include "test_support.h"

using namespace velmo;

namespace {

TMechanicalInputs UHF(double gain, const std::string& mount, bool highWind = false) {
    TMechanicalInputs in;
    in.SystemType = "TV";
    in.FamilyID = "KLX-UHF";
    in.MidFreq = 590;
    in.HGain = gain;
    in.MountCode = mount;
    in.HighWind = highWind;
    return in;
}

}  // namespace

TEST(Mechanical, MiraldoUHFHeights) {
    TMechanicalData d;
    GetMechanical(UHF(16.4, "S"), d);
    EXPECT_NEAR(Wavelength(590), 20.0037, 1e-4);
    // A = 313.66, B = 23.00, C = 30.50
    EXPECT_NEAR(d.Length, (313.66 + 23.00 + 30.50) / 12, 0.01);
    EXPECT_NEAR(d.Length, 30.60, 0.005);
    EXPECT_NEAR(d.TotalLength, 33.60, 0.005);
    EXPECT_EQ(d.ClimbingDevice, "NOT APPLICABLE");
    EXPECT_EQ(d.RadomeColor, "AVIATION ORANGE (standard)");
    EXPECT_EQ(d.Weight, 0);

    TMechanicalData top;
    GetMechanical(UHF(16.4, "T", true), top);
    EXPECT_NEAR(top.Length, (313.66 + 43.01 + 30.50) / 12, 0.005);
    EXPECT_NEAR(top.Length, 32.26, 0.005);
    EXPECT_EQ(top.ClimbingDevice, "Galvanized Steel Pole");
    GetMechanical(UHF(16.4, "T", false), top);
    EXPECT_NEAR(top.Length, (313.66 + 30.51 + 30.50) / 12, 0.005);

    // A custom TV antenna takes the same rule.
    auto custom = UHF(16.4, "S");
    custom.FamilyID = "CTM";
    TMechanicalData c;
    GetMechanical(custom, c);
    EXPECT_DOUBLE_EQ(c.Length, d.Length);
}

TEST(Mechanical, MiraldoUHFElementCountSteps) {
    const double lambda = Wavelength(590);
    auto lengthFor = [&](double n) {
        return ((n - 1) * 0.98 * lambda + 5 * lambda / 4 - 2 + lambda + 10.5) / 12;
    };
    struct Case { double gain; bool smooth; double n; } cases[] = {
        {14.5, false, 14}, {15.5, false, 17}, {19, false, 20}, {20, false, 22},
        {26, false, 28},   {27, false, 30},   {34.6, false, 35}, {34, true, 39},
        {12, true, 14},
    };
    for (const auto& c : cases) {
        auto in = UHF(c.gain, "S");
        in.HSmooth = c.smooth;
        TMechanicalData d;
        GetMiraldoUHFMechanical(in, d);
        EXPECT_NEAR(d.Length, lengthFor(c.n), 1e-9) << c.gain;
    }
}

TEST(Mechanical, FMHeightsForAnySpacing) {
    TMechanicalInputs in;
    in.SystemType = "FM";
    in.FamilyID = "RNVX";
    in.MidFreq = 98;
    in.FMBayCount = 8;
    in.FMBaySpacing = 1.0;
    in.MountCode = "T";
    in.FMPartNumber = "none";
    test::TempDir dir;
    dir.Write("FM data/tblFMFamilyID_To_Power.txt",
              "FAMILY_ID|BAY_COUNT|BAY_SPACING|FEED_CODE|MAX_POWER|P/N|Input|W1|C1\r\n"
              "RNVX|8|1|E|10|RNVX-8|x|100|5\r\n"
              "RNVX|8|1|C|10|RNVX-8|x|120|6\r\n"
              "RNVX|8|1|C|10|OTHER|x|999|99\r\n");
    InitFolders(dir.Path().string());

    TMechanicalData d;
    d.Shear = 7;
    d.QTY = 3;
    GetMechanical(in, d);
    EXPECT_NEAR(Wavelength(98), 120.43, 0.005);
    EXPECT_NEAR(d.Length, 77.78, 0.005);
    EXPECT_NEAR(d.TotalLength, 85.25, 0.005);
    EXPECT_EQ(d.ClimbingDevice, "Contact Orvane");
    EXPECT_EQ(d.RadomeColor, "BLACK (standard)");
    EXPECT_EQ(d.Weight, 0);
    EXPECT_EQ(d.Shear, 0);
    EXPECT_EQ(d.QTY, 0);

    // Half-wave spacing: 0.375 wavelength above the aperture.
    in.FMBaySpacing = 0.5;
    const double lambda = Wavelength(98);
    GetFMMechanical(in, d);
    const double aperture = 7 * lambda / 12 * 0.5;
    EXPECT_NEAR(d.Length, 0.375 * lambda / 12 + aperture, 1e-9);
    EXPECT_NEAR(d.TotalLength, aperture + 15, 1e-9);
    // Any other spacing: three quarters of the spacing above the aperture.
    in.FMBaySpacing = 0.8;
    GetFMMechanical(in, d);
    EXPECT_NEAR(d.Length, 0.75 * 0.8 * lambda / 12 + 7 * lambda / 12 * 0.8, 1e-9);

    // Weight and effective area from the catalog rows of the part number: the last wins.
    in.FMPartNumber = "RNVX-8";
    in.MountCode = "S";
    GetFMMechanical(in, d);
    EXPECT_EQ(d.Weight, 120);
    EXPECT_EQ(d.CaAc, 6);
    EXPECT_EQ(d.ClimbingDevice, "NOT APPLICABLE");
    InitFolders(test::BinDir());
}

TEST(Mechanical, NoCentreFrequencyLeavesHeightsAlone) {
    auto in = UHF(16.4, "S");
    in.MidFreq = 0;
    TMechanicalData d;
    GetMiraldoUHFMechanical(in, d);
    EXPECT_EQ(d.Length, 0);
    EXPECT_EQ(d.TotalLength, 0);
    EXPECT_EQ(d.ClimbingDevice, "NOT APPLICABLE");
}

TEST(Mechanical, DefaultAndVHFRules) {
    TMechanicalInputs in;
    in.FamilyID = "QD";
    TMechanicalData d;
    d.Length = 5;
    d.SideAc = 4;
    GetMechanical(in, d);
    EXPECT_EQ(d.Length, 0);
    EXPECT_EQ(d.SideAc, 4);  // the default rule does not set it
    EXPECT_EQ(d.RadomeColor, "GRAY");
    EXPECT_EQ(d.ClimbingDevice, "NOT APPLICABLE");

    in.FamilyID = "KLX-VHF";
    in.MountCode = "T";
    TMechanicalData v;
    v.Length = 9;
    GetMechanical(in, v);
    EXPECT_EQ(v.Length, 9);
    EXPECT_EQ(v.ClimbingDevice, "Galvanized Steel Pole");
    EXPECT_EQ(v.RadomeColor, "AVIATION ORANGE (standard)");
}

class TableMechanical : public ::testing::Test {
protected:
    void SetUp() override {
        const char* mech = "Channel|BayCount|PatternCode|Length|Weight|Shear\r\n";
        dir.Write("data/tblKVR_H_Mech.txt", std::string(mech) +
                                                "34|16|OC|20.5|900|1.5\r\n"
                                                "34|16|SK|21|950|1.6\r\n"
                                                "34|16|O|1|1|1\r\n");
        dir.Write("data/tblKVR_V_Mech.txt", std::string(mech) + "34|16|OC|22|1000|x\r\n"
                                                                "35|16|OC|1|1|1\r\n");
        dir.Write("data/tblKVRWindLoad.txt",
                  "BegChannel|EndChannel|BayCount|PatternID|FrontArea|SideArea\r\n"
                  "14|30|16|OC|1|1\r\n"
                  "31|40|16|OC|10|20\r\n"
                  "31|40|16|OC|99|99\r\n");
        dir.Write("data/tblVARNOK_Specs.txt",
                  "BAY_COUNT|NTSC_POWER_RATING|DTV_POWER_RATING|CONNECTOR|W1|CAAC\r\n"
                  "6|60|30|3-1/8|500|7\r\n"
                  "6|60|30|3-1/8|550|8\r\n"
                  "8|80|40|6-1/8|700|9\r\n");
        InitFolders(dir.Path().string());
    }
    void TearDown() override { InitFolders(test::BinDir()); }

    static TMechanicalInputs KVR(const std::string& pattern, const std::string& pol) {
        TMechanicalInputs in;
        in.SystemType = "TV";
        in.FamilyID = "KVR";
        in.ChannelNumber = "34";
        in.HBayCount = 16;
        in.AzPatternCode = pattern;
        in.PolCode = pol;
        return in;
    }
    test::TempDir dir;
};

TEST_F(TableMechanical, KVRByPolarization) {
    TMechanicalData d;
    GetMechanical(KVR("OC", "H"), d);
    EXPECT_EQ(d.Length, 20.5);
    EXPECT_EQ(d.TotalLength, 20.5);
    EXPECT_EQ(d.Weight, 900);
    EXPECT_EQ(d.Shear, 1.5);
    EXPECT_EQ(d.Ac, 10);
    EXPECT_DOUBLE_EQ(d.CaAc, 12);
    EXPECT_EQ(d.SideAc, 20);
    EXPECT_DOUBLE_EQ(d.SideCaAc, 24);
    EXPECT_EQ(d.RadomeColor, "GRAY");
    EXPECT_EQ(d.ClimbingDevice, "NOT APPLICABLE");

    TMechanicalData v;
    GetMechanical(KVR("OC", "E"), v);
    EXPECT_EQ(v.Length, 22);
    EXPECT_EQ(v.Shear, 0);  // not a number
    EXPECT_EQ(v.RadomeColor, "WHITE");
}

TEST_F(TableMechanical, PatternCodeOStandsForOC) {
    TMechanicalData d;
    GetMechanical(KVR("O", "H"), d);
    EXPECT_EQ(d.Weight, 900);  // the "OC" row, not the "O" row
    EXPECT_EQ(d.Ac, 10);
}

TEST_F(TableMechanical, NoRowKeepsFields) {
    auto in = KVR("ZZ", "H");
    TMechanicalData d;
    d.Length = 3;
    d.Ac = 4;
    GetMechanical(in, d);
    EXPECT_EQ(d.Length, 3);
    EXPECT_EQ(d.Ac, 4);
    EXPECT_EQ(d.RadomeColor, "GRAY");
}

TEST_F(TableMechanical, QDMaxAlwaysUsesTheHorizontalTable) {
    auto in = KVR("SK", "E");
    in.FamilyID = "QD-MAX";
    TMechanicalData d;
    GetMechanical(in, d);
    EXPECT_EQ(d.Weight, 950);
    EXPECT_EQ(d.RadomeColor, "GRAY");
}

TEST_F(TableMechanical, VARNOKLastMatchingRowWins) {
    TMechanicalInputs in;
    in.FamilyID = "VARNOK";
    in.HBayCount = 6;
    TMechanicalData d;
    d.Length = 5;
    d.RadomeColor = "X";
    GetMechanical(in, d);
    EXPECT_EQ(d.Weight, 550);
    EXPECT_EQ(d.CaAc, 8);
    EXPECT_EQ(d.Length, 0);
    EXPECT_EQ(d.RadomeColor, "");
    EXPECT_EQ(d.ClimbingDevice, "NOT APPLICABLE");
}
