#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "analysis/power.h"

using namespace velmo;

namespace {

// Records every limit report in the order received.
struct EventLog {
    std::vector<std::string> calls;
    void Attach(TPowerAnalysis& a) {
        a.LineMax = [this, &a](TPowerAnalysis& s, bool check) { Add("line", s, a, check); };
        a.InputMax = [this, &a](TPowerAnalysis& s, bool check) { Add("input", s, a, check); };
        a.ERPMax = [this, &a](TPowerAnalysis& s, bool check) { Add("erp", s, a, check); };
    }
    void Add(const std::string& name, TPowerAnalysis& sender, TPowerAnalysis& owner, bool check) {
        EXPECT_EQ(&sender, &owner);
        calls.push_back(name + (check ? "+" : "-"));
    }
};

// The horizontally polarized TV design of the worked example: gain 1.2 x 20, 1000 ft
// and 100 ft of line at 0.5 dB/100 ft, a line rating above the powers involved.
void SetUpExample(TPowerAnalysis& a) {
    a.SystemType = "TV";
    a.ServiceType = stAnalog;
    a.PolCode = "H";
    a.AzHorzGain = 1.2;
    a.ElHorzGain = 20;
    a.VertLength = 1000;
    a.HorzLength = 100;
    a.VertAttenuation = 0.5;
    a.HorzAttenuation = 0.5;
    a.LinePeakPower = 1000;
}

TEST(PowerAnalysis, Defaults) {
    TPowerAnalysis a;
    EXPECT_EQ(a.TransmitterPowerkW(), 1);
    EXPECT_EQ(a.TransmitterPowerdBk(), 0);
    EXPECT_EQ(a.IsolationTransformerEfficiency(), 1);
    EXPECT_EQ(a.FilterEfficiency(), 1);
    EXPECT_EQ(a.CirculatorEfficiency(), 1);
    EXPECT_EQ(a.MaxInputPower, 0);
    EXPECT_EQ(a.ERPkWHorz(), 0);
    EXPECT_EQ(a.LinePeakPower, 0);
    EXPECT_FALSE(a.LineMax);
}

TEST(PowerAnalysis, FromTransmitterPowerWorkedExample) {
    TPowerAnalysis a;
    SetUpExample(a);
    a.SetTransmitterPowerkW(10);
    EXPECT_NEAR(a.LineLossdB(), 5.5, 1e-12);
    EXPECT_NEAR(a.Efficiency(), 0.281838, 1e-6);
    EXPECT_NEAR(a.AntennaInputkW, 2.818383, 1e-6);
    EXPECT_NEAR(a.AntennaInputdBk(), 4.5, 1e-9);
    EXPECT_NEAR(a.PowerGainRatioHorz(), 24, 1e-12);
    EXPECT_NEAR(a.PowerGaindBdHorz(), 13.802, 1e-3);
    EXPECT_NEAR(a.ERPkWHorz(), 67.641, 1e-3);
    EXPECT_NEAR(a.ERPdBkHorz(), 18.302, 1e-3);
    EXPECT_NEAR(a.LineLosskW(), 7.181617, 1e-6);
    EXPECT_NEAR(a.TransmitterPowerdBk(), 10, 1e-12);
    EXPECT_EQ(a.TransmitterPowerkW(), 10);
    EXPECT_EQ(a.IsolationTransformerLosskW(), 0);
    // Horizontal polarization leaves the vertical figures alone.
    EXPECT_EQ(a.ERPkWVert(), 0);
    EXPECT_EQ(a.PowerGainRatioVert(), 0);
}

TEST(PowerAnalysis, FromERPAndFromAntennaInputInvertTheChain) {
    TPowerAnalysis a;
    SetUpExample(a);
    a.SetERPkWHorz(67.64120);
    EXPECT_NEAR(a.TransmitterPowerkW(), 10, 1e-4);
    EXPECT_NEAR(a.AntennaInputkW, 2.818383, 1e-6);
    EXPECT_NEAR(a.LineLosskW(), 7.181617, 1e-4);
    EXPECT_EQ(a.ERPkWHorz(), 67.64120);

    a.CalculateFromAntennaInput(5);
    EXPECT_EQ(a.AntennaInputkW, 5);
    EXPECT_NEAR(a.ERPkWHorz(), 120, 1e-9);
    EXPECT_NEAR(a.TransmitterPowerkW(), 5 / 0.2818383, 1e-4);
    EXPECT_NEAR(a.TransmitterPowerdBk(), 10 * std::log10(5 / 0.2818383), 1e-4);
}

TEST(PowerAnalysis, ComponentLossCascade) {
    TPowerAnalysis a;
    SetUpExample(a);
    a.SetIsolationTransformerLossDB(0.1);
    a.SetFilterLossDB(0.2);
    a.SetCirculatorLossDB(0.3);
    a.SetTransmitterPowerkW(10);
    EXPECT_NEAR(a.IsolationTransformerLosskW(), 0.22763, 1e-5);
    EXPECT_NEAR(a.FilterLosskW(), 0.43983, 1e-5);
    EXPECT_NEAR(a.CirculatorLosskW(), 0.62291, 1e-5);
    EXPECT_NEAR(a.IsolationTransformerEfficiency(), 0.977237, 1e-6);
    const double c = 10 - 0.22763 - 0.43983 - 0.62291;
    EXPECT_NEAR(a.AntennaInputkW, c * 0.2818383, 1e-4);
    EXPECT_NEAR(a.LineLosskW(), c * (1 - 0.2818383), 1e-4);
    // Going back from the ERP divides by every efficiency and gives 10 kW again.
    a.SetERPkWHorz(a.ERPkWHorz());
    EXPECT_NEAR(a.TransmitterPowerkW(), 10, 1e-9);
}

TEST(PowerAnalysis, EllipticalSplit) {
    TPowerAnalysis a;
    SetUpExample(a);
    a.PolCode = "E";
    a.AzVertGain = 0.6;
    a.ElVertGain = 20;  // G_V 12
    a.SetVerticalRatio(50);
    a.SetERPkWHorz(100);
    EXPECT_NEAR(a.HorzPowerFraction(), 0.5, 1e-12);
    EXPECT_NEAR(a.VertPowerFraction(), 0.5, 1e-12);
    EXPECT_NEAR(a.PowerGainRatioHorz(), 12, 1e-12);
    EXPECT_NEAR(a.PowerGainRatioVert(), 6, 1e-12);
    EXPECT_NEAR(a.PowerGaindBdVert(), 10 * std::log10(6.0), 1e-12);
    EXPECT_NEAR(a.ERPkWVert(), 50, 1e-12);
    EXPECT_NEAR(a.ERPdBkVert(), 10 * std::log10(50.0), 1e-12);
    EXPECT_NEAR(a.AntennaInputkW, 100.0 / 12, 1e-12);
    // From the transmitter side the vertical ERP stays half of the horizontal one.
    a.SetTransmitterPowerkW(20);
    EXPECT_NEAR(a.ERPkWVert(), a.ERPkWHorz() / 2, 1e-12);

    // Every gain 0 and ratio 0: the whole input counts as horizontal.
    TPowerAnalysis z;
    z.PolCode = "E";
    EXPECT_EQ(z.HorzPowerFraction(), 1);
    EXPECT_EQ(z.VertPowerFraction(), 0);
}

TEST(PowerAnalysis, LineRatingCutsTheTransmitterBack) {
    TPowerAnalysis a;
    SetUpExample(a);
    a.LinePeakPower = 60;
    EventLog log;
    log.Attach(a);
    a.SetTransmitterPowerkW(100);
    EXPECT_EQ(a.TransmitterPowerkW(), 60);
    EXPECT_NEAR(a.AntennaInputkW, 60 * 0.2818383, 1e-5);
    EXPECT_NEAR(a.ERPkWHorz(), 60 * 0.2818383 * 24, 1e-4);
    EXPECT_NEAR(a.TransmitterPowerdBk(), 10 * std::log10(60.0), 1e-12);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"line-", "input+", "erp+"}));

    // A new analysis rates its line at 0 kW: any power is cut to nothing.
    TPowerAnalysis fresh;
    SetUpExample(fresh);
    fresh.LinePeakPower = 0;
    EventLog freshLog;
    freshLog.Attach(fresh);
    fresh.SetTransmitterPowerkW(10);
    EXPECT_EQ(fresh.TransmitterPowerkW(), 0);
    EXPECT_EQ(fresh.AntennaInputkW, 0);
    EXPECT_EQ(fresh.ERPkWHorz(), 0);
    EXPECT_EQ(fresh.ERPdBkHorz(), 0);
    EXPECT_EQ(fresh.LineLosskW(), 0);
    EXPECT_EQ(freshLog.calls, (std::vector<std::string>{"line-", "input+", "erp+"}));
}

TEST(PowerAnalysis, InputRatingCutsTheAntennaInputBack) {
    TPowerAnalysis a;
    SetUpExample(a);
    a.MaxInputPower = 20;
    EventLog log;
    log.Attach(a);
    a.SetTransmitterPowerkW(25 / 0.28183829312644537);  // antenna input 25
    EXPECT_EQ(a.AntennaInputkW, 20);
    EXPECT_NEAR(a.ERPkWHorz(), 480, 1e-9);
    EXPECT_NEAR(a.TransmitterPowerkW(), 20 / 0.28183829312644537, 1e-9);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"line+", "input-", "erp+"}));

    // 0 means no limit.
    a.MaxInputPower = 0;
    log.calls.clear();
    a.SetTransmitterPowerkW(500);
    EXPECT_NEAR(a.AntennaInputkW, 140.91915, 1e-4);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"line+", "input+", "erp+"}));
}

TEST(PowerAnalysis, AnInputCutBackIsNotRecheckedAgainstTheLine) {
    TPowerAnalysis a;
    SetUpExample(a);
    a.VertAttenuation = a.HorzAttenuation = 0;  // lossless line
    a.LinePeakPower = 50;
    a.MaxInputPower = 40;
    EventLog log;
    log.Attach(a);
    a.SetERPkWHorz(24 * 100);  // needs 100 kW
    EXPECT_EQ(a.TransmitterPowerkW(), 40);
    EXPECT_EQ(a.AntennaInputkW, 40);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"line-", "input-", "erp+"}));
}

TEST(PowerAnalysis, ERPLimitIsReportedNeverEnforced) {
    struct Case {
        std::string system;
        TServiceType service;
        double maxERP;
        double erp;
        bool within;
    };
    const std::vector<Case> cases = {
        {"TV", stAnalog, 0, 5000, true},     {"TV", stAnalog, 0, 5000.01, false},
        {"TV", stAnalog, 0, 6000, false},    {"TV", stDigital, 0, 1000, true},
        {"TV", stDigital, 0, 1000.01, false}, {"TV", stDigital, 7000, 5000, false},
        {"FM", stDigital, 6, 6, true},       {"FM", stDigital, 6, 6.5, false},
        {"FM", stAnalog, 100, 99, true},
    };
    for (const Case& c : cases) {
        TPowerAnalysis a;
        SetUpExample(a);
        a.LinePeakPower = 1e6;
        a.SystemType = c.system;
        a.ServiceType = c.service;
        a.MaxERPkW = c.maxERP;
        EventLog log;
        log.Attach(a);
        a.SetERPkWHorz(c.erp);
        EXPECT_EQ(a.ERPkWHorz(), c.erp);
        EXPECT_EQ(log.calls, (std::vector<std::string>{"line+", "input+", c.within ? "erp+" : "erp-"}))
            << c.system << " " << c.erp;
    }
}

TEST(PowerAnalysis, EverySetterRunsTheChecksOnceAndWithoutEventsStillCutsBack) {
    TPowerAnalysis a;
    SetUpExample(a);
    EventLog log;
    log.Attach(a);
    const std::vector<std::function<void()>> writes = {
        [&] { a.SetERPkWHorz(50); },          [&] { a.SetVerticalRatio(30); },
        [&] { a.SetTransmitterPowerkW(5); },  [&] { a.SetIsolationTransformerLossDB(0.1); },
        [&] { a.SetFilterLossDB(0.1); },      [&] { a.SetCirculatorLossDB(0.1); },
    };
    for (const auto& write : writes) {
        log.calls.clear();
        write();
        EXPECT_EQ(log.calls, (std::vector<std::string>{"line+", "input+", "erp+"}));
    }
    // Plain properties only store.
    log.calls.clear();
    a.AntennaInputkW = 1e9;
    a.LinePeakPower = 1;
    EXPECT_TRUE(log.calls.empty());
    EXPECT_EQ(a.AntennaInputkW, 1e9);

    a.LineMax = nullptr;
    a.InputMax = nullptr;
    a.ERPMax = nullptr;
    a.SetTransmitterPowerkW(5);
    EXPECT_EQ(a.TransmitterPowerkW(), 1);
}

TEST(PowerAnalysis, ZeroHorizontalGainStopsTheERPChainAfterTheGains) {
    for (const char* pol : {"H", "E"}) {
        TPowerAnalysis a;
        SetUpExample(a);
        a.PolCode = pol;
        a.AzVertGain = 1;
        a.ElVertGain = 10;
        a.SetVerticalRatio(40);
        a.SetTransmitterPowerkW(10);
        const double input = a.AntennaInputkW, inputdBk = a.AntennaInputdBk();
        const double lossdB = a.LineLossdB(), efficiency = a.Efficiency(), losskW = a.LineLosskW();
        const double vert = a.PowerGainRatioVert();

        a.AzHorzGain = 0;
        a.SetERPkWHorz(50);
        // New: the ERP, its dBk form, the vertical ERP ("E") and the gains.
        EXPECT_EQ(a.ERPkWHorz(), 50) << pol;
        EXPECT_NEAR(a.ERPdBkHorz(), 16.9897, 1e-4) << pol;
        EXPECT_EQ(a.PowerGainRatioHorz(), 0) << pol;
        EXPECT_EQ(a.PowerGaindBdHorz(), 0) << pol;
        if (std::string(pol) == "E") {
            EXPECT_NEAR(a.ERPkWVert(), 20, 1e-12);
            EXPECT_EQ(a.HorzPowerFraction(), 1);  // G_V / (0 * r + G_V)
            EXPECT_EQ(a.PowerGainRatioVert(), 0);
        } else {
            EXPECT_EQ(a.ERPkWVert(), 0);
            EXPECT_EQ(a.PowerGainRatioVert(), vert);
        }
        // Kept: antenna input, losses, efficiency and transmitter power.
        EXPECT_EQ(a.AntennaInputkW, input) << pol;
        EXPECT_EQ(a.AntennaInputdBk(), inputdBk) << pol;
        EXPECT_EQ(a.LineLossdB(), lossdB) << pol;
        EXPECT_EQ(a.Efficiency(), efficiency) << pol;
        EXPECT_EQ(a.LineLosskW(), losskW) << pol;
        EXPECT_EQ(a.TransmitterPowerkW(), 10) << pol;
        EXPECT_EQ(a.TransmitterPowerdBk(), 10) << pol;
    }
}

TEST(PowerAnalysis, ZeroEfficiencyStopsTheERPChainBeforeTheTransmitterPower) {
    TPowerAnalysis a;
    SetUpExample(a);
    a.SetTransmitterPowerkW(10);
    a.VertAttenuation = 1e6;  // 10 million dB: the efficiency underflows to 0
    a.SetERPkWHorz(24);
    EXPECT_EQ(a.AntennaInputkW, 1);
    EXPECT_EQ(a.Efficiency(), 0);
    EXPECT_EQ(a.TransmitterPowerkW(), 10);
    EXPECT_NEAR(a.LineLosskW(), 7.181617, 1e-6);
}

void ExpectAllFinite(const TPowerAnalysis& a, const std::string& label) {
    const std::vector<std::pair<const char*, double>> values = {
        {"ERPkWHorz", a.ERPkWHorz()},
        {"ERPdBkHorz", a.ERPdBkHorz()},
        {"ERPkWVert", a.ERPkWVert()},
        {"ERPdBkVert", a.ERPdBkVert()},
        {"PowerGainRatioHorz", a.PowerGainRatioHorz()},
        {"PowerGaindBdHorz", a.PowerGaindBdHorz()},
        {"PowerGainRatioVert", a.PowerGainRatioVert()},
        {"PowerGaindBdVert", a.PowerGaindBdVert()},
        {"AntennaInputkW", a.AntennaInputkW},
        {"AntennaInputdBk", a.AntennaInputdBk()},
        {"TransmitterPowerkW", a.TransmitterPowerkW()},
        {"TransmitterPowerdBk", a.TransmitterPowerdBk()},
        {"VerticalRatio", a.VerticalRatio()},
        {"LineLossdB", a.LineLossdB()},
        {"LineLosskW", a.LineLosskW()},
        {"Efficiency", a.Efficiency()},
        {"IsolationTransformerLossDB", a.IsolationTransformerLossDB()},
        {"IsolationTransformerLosskW", a.IsolationTransformerLosskW()},
        {"IsolationTransformerEfficiency", a.IsolationTransformerEfficiency()},
        {"FilterLossDB", a.FilterLossDB()},
        {"FilterLosskW", a.FilterLosskW()},
        {"FilterEfficiency", a.FilterEfficiency()},
        {"CirculatorLossDB", a.CirculatorLossDB()},
        {"CirculatorLosskW", a.CirculatorLosskW()},
        {"CirculatorEfficiency", a.CirculatorEfficiency()},
        {"HorzPowerFraction", a.HorzPowerFraction()},
        {"VertPowerFraction", a.VertPowerFraction()},
    };
    for (const auto& [name, v] : values) EXPECT_TRUE(std::isfinite(v)) << label << ": " << name << " = " << v;
}

TEST(PowerAnalysis, NoNaNOrInfinityForHostileInput) {
    static constexpr double inf = std::numeric_limits<double>::infinity();
    static constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* label;
        std::function<void(TPowerAnalysis&)> setup;
        std::function<void(TPowerAnalysis&)> write;
    };
    const std::vector<Case> cases = {
        {"zero gains, ERP", [](TPowerAnalysis& a) { a.AzHorzGain = 0; }, [](TPowerAnalysis& a) { a.SetERPkWHorz(100); }},
        {"zero gains, zero ERP", [](TPowerAnalysis& a) { a.ElHorzGain = 0; }, [](TPowerAnalysis& a) { a.SetERPkWHorz(0); }},
        {"zero gains E, ratio", [](TPowerAnalysis& a) { a.PolCode = "E"; a.AzHorzGain = 0; },
         [](TPowerAnalysis& a) { a.SetVerticalRatio(0); a.SetERPkWHorz(10); }},
        {"E with cancelling ratio", [](TPowerAnalysis& a) { a.PolCode = "E"; a.AzVertGain = 1.2; a.ElVertGain = 20; },
         [](TPowerAnalysis& a) { a.SetVerticalRatio(-100); a.SetERPkWHorz(10); a.SetTransmitterPowerkW(5); }},
        {"E with a tiny denominator", [](TPowerAnalysis& a) { a.PolCode = "E"; a.AzVertGain = 1e-300; a.ElVertGain = 1e-10; },
         [](TPowerAnalysis& a) { a.SetVerticalRatio(-1e-300); a.SetERPkWHorz(10); }},
        {"huge line loss, ERP", [](TPowerAnalysis& a) { a.VertAttenuation = 1e6; }, [](TPowerAnalysis& a) { a.SetERPkWHorz(100); }},
        {"huge line loss, transmitter", [](TPowerAnalysis& a) { a.VertAttenuation = 1e300; a.VertLength = 1000000; },
         [](TPowerAnalysis& a) { a.SetTransmitterPowerkW(10); a.SetERPkWHorz(5); }},
        {"huge component loss", [](TPowerAnalysis&) {},
         [](TPowerAnalysis& a) { a.SetFilterLossDB(1e5); a.SetERPkWHorz(5); a.SetTransmitterPowerkW(3); }},
        {"negative component loss", [](TPowerAnalysis&) {},
         [](TPowerAnalysis& a) { a.SetCirculatorLossDB(-1e5); a.SetTransmitterPowerkW(3); a.SetERPkWHorz(5); }},
        {"negative line loss", [](TPowerAnalysis& a) { a.HorzAttenuation = -1e6; },
         [](TPowerAnalysis& a) { a.SetTransmitterPowerkW(3); a.SetERPkWHorz(5); }},
        {"negative powers", [](TPowerAnalysis&) {},
         [](TPowerAnalysis& a) { a.SetTransmitterPowerkW(-10); a.SetERPkWHorz(-5); a.CalculateFromAntennaInput(-3); }},
        {"zero line rating", [](TPowerAnalysis& a) { a.LinePeakPower = 0; },
         [](TPowerAnalysis& a) { a.SetERPkWHorz(100); a.SetTransmitterPowerkW(10); }},
        {"infinite line rating", [](TPowerAnalysis& a) { a.LinePeakPower = -inf; },
         [](TPowerAnalysis& a) { a.SetTransmitterPowerkW(10); }},
        {"huge gains", [](TPowerAnalysis& a) { a.AzHorzGain = 1e200; a.ElHorzGain = 1e200; },
         [](TPowerAnalysis& a) { a.SetTransmitterPowerkW(10); a.SetERPkWHorz(10); }},
        {"tiny gain, huge ERP", [](TPowerAnalysis& a) { a.AzHorzGain = 1e-300; a.LinePeakPower = 1e308; },
         [](TPowerAnalysis& a) { a.SetERPkWHorz(1e300); }},
        {"huge input rating cut", [](TPowerAnalysis& a) { a.MaxInputPower = nan; a.LinePeakPower = 1e308; },
         [](TPowerAnalysis& a) { a.SetTransmitterPowerkW(1e308); a.CalculateFromAntennaInput(inf); }},
        {"non-finite writes", [](TPowerAnalysis&) {},
         [](TPowerAnalysis& a) {
             a.SetERPkWHorz(nan); a.SetTransmitterPowerkW(inf); a.SetVerticalRatio(-inf);
             a.SetIsolationTransformerLossDB(nan); a.SetFilterLossDB(inf); a.SetCirculatorLossDB(nan);
         }},
    };
    for (const Case& c : cases) {
        TPowerAnalysis a;
        SetUpExample(a);
        a.SetTransmitterPowerkW(10);
        c.setup(a);
        c.write(a);
        ExpectAllFinite(a, c.label);
    }
}

TEST(PowerAnalysis, NonFiniteWritesAreIgnored) {
    TPowerAnalysis a;
    SetUpExample(a);
    a.SetTransmitterPowerkW(10);
    EventLog log;
    log.Attach(a);
    a.SetERPkWHorz(std::numeric_limits<double>::quiet_NaN());
    a.SetTransmitterPowerkW(std::numeric_limits<double>::infinity());
    EXPECT_EQ(a.TransmitterPowerkW(), 10);
    EXPECT_NEAR(a.ERPkWHorz(), 67.641, 1e-3);
    EXPECT_TRUE(log.calls.empty());
}

TEST(PowerAnalysis, AssignCopiesAllButSystemTypeMaxERPAndEvents) {
    TPowerAnalysis src;
    SetUpExample(src);
    src.PolCode = "E";
    src.AzVertGain = 0.6;
    src.ElVertGain = 20;
    src.ServiceType = stDigital;
    src.MaxInputPower = 500;
    src.SystemType = "FM";
    src.MaxERPkW = 3;
    src.SetVerticalRatio(50);
    src.SetCirculatorLossDB(0.3);
    src.SetTransmitterPowerkW(10);

    TPowerAnalysis dst;
    dst.SystemType = "TV";
    dst.MaxERPkW = 77;
    int fired = 0;
    dst.ERPMax = [&](TPowerAnalysis&, bool) { ++fired; };
    dst.Assign(src);
    EXPECT_EQ(dst.SystemType, "TV");
    EXPECT_EQ(dst.MaxERPkW, 77);
    EXPECT_TRUE(dst.ERPMax);
    EXPECT_FALSE(dst.LineMax);
    EXPECT_EQ(fired, 0);

    EXPECT_EQ(dst.ERPkWHorz(), src.ERPkWHorz());
    EXPECT_EQ(dst.ERPkWVert(), src.ERPkWVert());
    EXPECT_EQ(dst.ERPdBkVert(), src.ERPdBkVert());
    EXPECT_EQ(dst.PowerGainRatioVert(), src.PowerGainRatioVert());
    EXPECT_EQ(dst.PowerGaindBdHorz(), src.PowerGaindBdHorz());
    EXPECT_EQ(dst.AntennaInputkW, src.AntennaInputkW);
    EXPECT_EQ(dst.AntennaInputdBk(), src.AntennaInputdBk());
    EXPECT_EQ(dst.ServiceType, stDigital);
    EXPECT_EQ(dst.LinePeakPower, src.LinePeakPower);
    EXPECT_EQ(dst.AzVertGain, 0.6);
    EXPECT_EQ(dst.ElHorzGain, 20);
    EXPECT_EQ(dst.TransmitterPowerkW(), 10);
    EXPECT_EQ(dst.TransmitterPowerdBk(), 10);
    EXPECT_EQ(dst.VerticalRatio(), 50);
    EXPECT_EQ(dst.VertLength, 1000);
    EXPECT_EQ(dst.HorzAttenuation, 0.5);
    EXPECT_EQ(dst.PolCode, "E");
    EXPECT_EQ(dst.MaxInputPower, 500);
    EXPECT_EQ(dst.LineLossdB(), src.LineLossdB());
    EXPECT_EQ(dst.LineLosskW(), src.LineLosskW());
    EXPECT_EQ(dst.Efficiency(), src.Efficiency());
    EXPECT_EQ(dst.CirculatorLossDB(), 0.3);
    EXPECT_EQ(dst.CirculatorLosskW(), src.CirculatorLosskW());
    EXPECT_EQ(dst.CirculatorEfficiency(), src.CirculatorEfficiency());

    TAnalysisPage page, other;
    other.Analysis.SetTransmitterPowerkW(0);
    page.Assign(other);
    EXPECT_EQ(page.Analysis.TransmitterPowerkW(), 0);
}

}  // namespace
