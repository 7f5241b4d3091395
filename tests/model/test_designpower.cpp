// The design power setup: the rating lookups, InitializeAnalisys and the gains read
// back from the analysis.
#include <gtest/gtest.h>

#include <cmath>

#include "analysis/powerratings.h"
#include "base/conversions.h"
#include "base/folders.h"
#include "model/design.h"
#include "test_support.h"

using namespace velmo;

namespace {

class DesignPower : public ::testing::Test {
protected:
    void SetUp() override { InitFolders(test::FixturesDir() + "design/install"); }
    void TearDown() override { InitFolders(test::BinDir()); }

    static void TV(TBroadcastDesign& d, const std::string& family, const std::string& power,
                   int bays, const std::string& pol, TServiceType service) {
        d.DesignInfo.SystemType = "TV";
        d.OptionsPage.FamilyID = family;
        d.OptionsPage.PowerCode = power;
        d.OptionsPage.PolCode = pol;
        d.OptionsPage.Service = service;
        d.ElevationPage.HorzPattern.BayCount = bays;
    }
};

}  // namespace

TEST_F(DesignPower, TVRatingsFromThePowerTable) {
    struct Case {
        const char* family; const char* power; int bays; const char* pol; TServiceType service;
        double rating; const char* input;
    } cases[] = {
        {"KVR", "M", 16, "H", stDigital, 30, "6-1/8 EIA"},
        {"KVR", "M", 16, "H", stAnalog, 60, "6-1/8 EIA"},
        {"KVR", "M", 16, "V", stDigital, 25, "6-1/8 EIA"},
        {"KVR", "M", 16, "V", stAnalog, 55, "6-1/8 EIA"},
        {"KVR", "M", 16, "E", stDigital, 0, "6-1/8 EIA"},          // no column for "E"
        {"KVR", "L", 16, "V", stDigital, 0, "3-1/8 EIA FLANGED"},  // empty cell
        {"KVR", "M", 8, "H", stDigital, 15, "3-1/8 EIA"},
        {"KVR", "N", 16, "H", stDigital, 0, "previous"},           // no row
        {"QD-MAX", "M", 16, "H", stDigital, 0, "previous"},
        {"VARNOK", "", 6, "H", stAnalog, 60, "6-1/8 EIA FLANGED"},
        {"VARNOK", "", 8, "V", stDigital, 40, "8-3/16 EIA"},
        {"VARNOK", "", 7, "H", stDigital, 0, "previous"},
        {"KLX-UHF", "N", 16, "H", stDigital, 0, "CONTACT Orvane"},
        {"CTM", "", 16, "H", stDigital, 0, "CONTACT Orvane"},
    };
    for (const auto& c : cases) {
        TBroadcastDesign d;
        TV(d, c.family, c.power, c.bays, c.pol, c.service);
        d.SetInputType("previous");
        EXPECT_EQ(d.GetMaxInputPower(), c.rating) << c.family << c.power << c.bays << c.pol;
        EXPECT_EQ(d.InputType(), c.input) << c.family << c.power << c.bays << c.pol;
    }
}

TEST_F(DesignPower, BayCountThatIsNotAnIntegerRaises) {
    TBroadcastDesign d;
    TV(d, "WEN", "N", 4, "H", stDigital);
    EXPECT_THROW(d.GetMaxInputPower(), Error);
}

TEST_F(DesignPower, FMTakesTheLargestMatchingRating) {
    TBroadcastDesign d;
    d.DesignInfo.SystemType = "FM";
    d.OptionsPage.FamilyID = "RNVX";
    TFMPattern& fm = d.ElevationPage.FMPattern;
    fm.BayCount = 8;
    fm.BaySpacing = 1;
    fm.FeedCode = "C";
    d.SetInputType("previous");
    EXPECT_EQ(d.GetMaxInputPower(), 15);
    EXPECT_EQ(d.InputType(), "previous");
    fm.BaySpacing = 0.5;
    EXPECT_EQ(d.GetMaxInputPower(), 0);
}

TEST_F(DesignPower, InitializeLoadsThePages) {
    TBroadcastDesign d;
    TV(d, "KVR", "M", 16, "H", stAnalog);
    d.AzimuthPage.HorzPattern.SetGain(1.5);
    d.AzimuthPage.VertPattern.SetGain(1.2);
    d.ElevationPage.HorzPattern.SetGain(20);
    d.ElevationPage.VertPattern.SetGain(10);
    d.LinesPage.VertLength = 500;
    d.LinesPage.HorzLength = 50;
    TTransmissionLine& line = d.LinesPage.Line;
    line.PartNumber = "QPT-WR1500";
    line.SetAural(10);
    line.SetAvgPower(70);
    line.SetdBPerFoot(0.2);
    line.HorzdB = 0.05;
    d.OptionsPage.MaxERPkW = 77;
    TPowerAnalysis& a = d.AnalysisPage.Analysis;
    a.ElVertGain = -1;
    a.AzVertGain = -1;

    d.InitializeAnalisys();
    EXPECT_EQ(a.LinePeakPower, line.PeakPower());  // analog
    EXPECT_EQ(a.MaxInputPower, 60);
    EXPECT_EQ(a.AzHorzGain, 1.5);
    EXPECT_EQ(a.ElHorzGain, 20);
    EXPECT_EQ(a.ElVertGain, -1);  // "H": the vertical gains keep what they held
    EXPECT_EQ(a.AzVertGain, -1);
    EXPECT_EQ(a.VertLength, 500);
    EXPECT_EQ(a.HorzLength, 50);
    EXPECT_EQ(a.VertAttenuation, 0.2);
    EXPECT_EQ(a.HorzAttenuation, 0.05);  // a waveguide run
    EXPECT_EQ(a.ServiceType, stAnalog);
    EXPECT_EQ(a.SystemType, "TV");
    EXPECT_EQ(a.MaxERPkW, 77);
    EXPECT_EQ(a.PolCode, "H");
    EXPECT_NEAR(a.PowerGainRatioHorz(), 30, 1e-12);

    line.PartNumber = "HJ9";
    d.OptionsPage.PolCode = "E";
    d.OptionsPage.Service = stDigital;
    d.InitializeAnalisys();
    EXPECT_EQ(a.LinePeakPower, 70);
    EXPECT_EQ(a.HorzAttenuation, 0.2);
    EXPECT_EQ(a.ElVertGain, 10);
    EXPECT_EQ(a.AzVertGain, 1.2);
    EXPECT_EQ(a.MaxInputPower, 0);  // no "E" rating
}

TEST_F(DesignPower, InitializeKeepsTheERPWhenTheVerticalRatioChanges) {
    TBroadcastDesign d;
    TV(d, "KLX-UHF", "N", 16, "E", stDigital);
    d.AzimuthPage.HorzPattern.SetGain(1);
    d.AzimuthPage.VertPattern.SetGain(1);
    d.ElevationPage.HorzPattern.SetGain(20);
    d.ElevationPage.VertPattern.SetGain(20);
    d.LinesPage.Line.SetAvgPower(500);
    d.LinesPage.Line.SetdBPerFoot(0.1);
    d.LinesPage.VertLength = 100;
    d.InitializeAnalisys();
    TPowerAnalysis& a = d.AnalysisPage.Analysis;
    a.SetTransmitterPowerkW(10);
    const double erp = a.ERPkWHorz();
    ASSERT_GT(erp, 0);

    d.InitializeAnalisys();  // nothing changed: the transmitter power stays
    EXPECT_NEAR(a.TransmitterPowerkW(), 10, 1e-9);
    d.OptionsPage.VerticalComponent = 50;
    d.InitializeAnalisys();  // the ERP stays, the transmitter power follows
    EXPECT_NEAR(a.ERPkWHorz(), erp, 1e-9);
    EXPECT_GT(a.TransmitterPowerkW(), 10);
}

TEST_F(DesignPower, GainsTowardsTheHorizon) {
    TBroadcastDesign d;
    TV(d, "KLX-UHF", "N", 16, "E", stDigital);
    d.AzimuthPage.HorzPattern.SetGain(2);
    d.AzimuthPage.VertPattern.SetGain(4);
    d.ElevationPage.HorzPattern.SetGain(10);
    d.ElevationPage.HorzPattern.SetGainAtZero(1);
    d.ElevationPage.VertPattern.SetGain(5);
    d.ElevationPage.VertPattern.SetGainAtZero(0.5);
    d.LinesPage.Line.SetAvgPower(500);
    d.OptionsPage.VerticalComponent = 50;
    d.InitializeAnalisys();
    const TPowerAnalysis& a = d.AnalysisPage.Analysis;
    ASSERT_GT(a.PowerGainRatioHorz(), 0);
    ASSERT_GT(a.PowerGainRatioVert(), 0);

    // Field 1 at the horizon: the gain there is the power gain.
    EXPECT_NEAR(d.GetGainAtHorzdBd(ptHorizontal), a.PowerGaindBdHorz(), 1e-12);
    EXPECT_NEAR(d.GetGainAtHorzNum(ptHorizontal), a.PowerGainRatioHorz(), 1e-9);
    // Field 0.5: a quarter of the power.
    EXPECT_NEAR(d.GetGainAtHorzdBd(ptVertical), a.PowerGaindBdVert() + 20 * std::log10(0.5),
                1e-12);
    EXPECT_NEAR(d.GetGainAtHorzNum(ptVertical), a.PowerGainRatioVert() / 4, 1e-9);

    EXPECT_NEAR(d.GetElevationGainEPolNum(ptHorizontal), a.PowerGainRatioHorz() / 2, 1e-12);
    EXPECT_NEAR(d.GetElevationGainEPolNum(ptVertical), a.PowerGainRatioVert() / 4, 1e-12);
    EXPECT_NEAR(d.GetElevationGainEPoldBd(ptHorizontal),
                PowerTodB(a.PowerGainRatioHorz() / 2), 1e-12);
    // Without an azimuth gain there is nothing to divide by.
    EXPECT_EQ(d.GetElevationGainEPolNum(ptFM), 0);
}
