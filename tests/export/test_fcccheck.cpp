// The FCC tabulation check: the rules on patterns made to pass or break them, the
// tabulation with its maxima and minima, a sample design, and velmo-cli fcc.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <sys/wait.h>

#include "base/error.h"
#include "base/folders.h"
#include "export/fcccheck.h"
#include "model/design.h"
#include "test_support.h"

using namespace velmo;
namespace fs = std::filesystem;

namespace {

double Field(double dB) { return std::pow(10.0, dB / 20); }

// Falls evenly in dB from 0 at azimuth 0 to -depth at 180 and back.
std::vector<double> Cardioid(double depthdB) {
    std::vector<double> v(360);
    for (int a = 0; a < 360; ++a) v[static_cast<size_t>(a)] = Field(-depthdB * std::min(a, 360 - a) / 180.0);
    return v;
}

// Flat, with azimuths from..to (inclusive) lowered by depth dB.
std::vector<double> Notch(int from, int to, double depthdB) {
    std::vector<double> v(360, 0.8);  // any scale: the check takes values relative to the maximum
    for (int a = from; a <= to; ++a) v[static_cast<size_t>(a)] = 0.8 * Field(-depthdB);
    return v;
}

TEST(FCCCheck, EachRuleAgainstPatternsThatMeetOrBreakIt) {
    struct Case {
        const char* what;
        std::vector<double> field;
        bool ratioPass;
        std::vector<int> ratioFail;
        bool changePass;
        std::vector<int> changeFail;
        double ratio, change;
    } cases[] = {
        {"12 dB, under 1 dB per 10 degrees", Cardioid(12), true, {}, true, {}, 12, 12 * 10 / 180.0},
        {"exactly 15 dB", Cardioid(15), true, {}, true, {}, 15, 15 * 10 / 180.0},
        {"16.5 dB, smooth", Cardioid(16.5), false, {0, 180}, true, {}, 16.5, 16.5 * 10 / 180.0},
        {"a 3 dB notch", Notch(100, 104, 3), true, {}, false, {}, 3, 3},
        {"a notch of exactly 2 dB", Notch(100, 104, 2), true, {}, true, {}, 2, 2},
        {"a 20 dB notch at north", Notch(355, 359, 20), false, {0, 355}, false, {}, 20, 20},
    };
    // The spans (a to a + 10) that hold both a notch value and a flat one.
    cases[3].changeFail.clear();
    for (int a = 90; a <= 104; ++a) cases[3].changeFail.push_back(a);
    for (int a = 345; a <= 359; ++a) cases[5].changeFail.push_back(a);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TFCCCheck r = CheckFCCTabulation(c.field);
        EXPECT_NEAR(r.RatiodB, c.ratio, 1e-9);
        EXPECT_EQ(r.RatioPass, c.ratioPass);
        EXPECT_EQ(r.RatioFailAzimuths, c.ratioFail);
        EXPECT_NEAR(r.LargestChangedB, c.change, 1e-9);
        EXPECT_EQ(r.ChangePass, c.changePass);
        EXPECT_EQ(r.ChangeFailAzimuths, c.changeFail);
        EXPECT_EQ(r.Pass(), c.ratioPass && c.changePass);
    }
}

TEST(FCCCheck, TabulationHoldsEveryTenDegreesAndEveryMaximumAndMinimum) {
    // Two lobes: two maxima, a minimum, and a flat floor at 311 ... 315 for the other.
    std::vector<double> v(360);
    for (int a = 0; a < 360; ++a) {
        double x = a * 3.14159265358979323846 / 180;
        v[static_cast<size_t>(a)] = 0.6 + 0.3 * std::sin(2 * x) + 0.05 * std::sin(x);
    }
    for (int a = 311; a <= 315; ++a) v[static_cast<size_t>(a)] = 0.2;
    TFCCCheck r = CheckFCCTabulation(v);
    std::vector<int> extra;
    for (const TFCCRow& row : r.Rows) {
        EXPECT_EQ(row.Step, row.Azimuth % 10 == 0);
        EXPECT_NEAR(row.Field, v[static_cast<size_t>(row.Azimuth)] / v[static_cast<size_t>(r.MaxAzimuth)], 1e-12);
        EXPECT_NEAR(row.dB, 20 * std::log10(row.Field), 1e-9);
        if (row.Kind != fkNone) {
            int a = row.Azimuth;
            double here = v[static_cast<size_t>(a)];
            double before = v[static_cast<size_t>((a + 359) % 360)], after = v[static_cast<size_t>((a + 1) % 360)];
            if (row.Kind == fkMaximum) {
                EXPECT_TRUE(here >= before && here >= after) << a;
            } else {
                EXPECT_TRUE(here <= before && here <= after) << a;
            }
            extra.push_back(a);
        }
    }
    // 36 steps plus the extremes that are not on a step.
    size_t offStep = 0;
    for (int a : extra) offStep += a % 10 != 0;
    EXPECT_EQ(r.Rows.size(), 36 + offStep);
    // Ascending azimuths, and the floor marked once, in its middle.
    for (size_t i = 1; i < r.Rows.size(); ++i) EXPECT_LT(r.Rows[i - 1].Azimuth, r.Rows[i].Azimuth);
    EXPECT_EQ(extra.size(), 4u);
    EXPECT_NE(std::find(extra.begin(), extra.end(), 313), extra.end());
    EXPECT_EQ(std::count(extra.begin(), extra.end(), 311) + std::count(extra.begin(), extra.end(), 315), 0);
    EXPECT_EQ(r.MinAzimuth, 311);
    EXPECT_EQ(r.MaxField, 1);

    // An omnidirectional pattern: steps only, and both rules met.
    TFCCCheck omni = CheckFCCTabulation(std::vector<double>(360, 1.0));
    EXPECT_EQ(omni.Rows.size(), 36u);
    EXPECT_TRUE(omni.Pass());

    EXPECT_THROW(CheckFCCTabulation(std::vector<double>(359, 1.0)), Error);
    EXPECT_THROW(CheckFCCTabulation(std::vector<double>(360, 0.0)), Error);
}

TEST(FCCCheck, TextNamesTheRulesAndTheFailingAzimuths) {
    EXPECT_EQ(AzimuthRanges({3, 4, 5, 9, 11, 12}), "3-5, 9, 11-12");
    std::string text = FCCCheckText(CheckFCCTabulation(Notch(100, 104, 3)));
    EXPECT_EQ(text.rfind("FCC tabulation check: FAIL\n", 0), 0u) << text;
    EXPECT_NE(text.find("spans starting at 90-104"), std::string::npos) << text;
    EXPECT_NE(text.find("limit 15 dB): pass"), std::string::npos) << text;
}

// ---- designs ----------------------------------------------------------------------------

TEST(FCCCheck, SampleFMDesignPassesOnItsRotatedPattern) {
    InitFolders(test::BinDir());
    auto d = LoadDesignFile((fs::path(test::BinDir()) / "samples" / "rnvx_circular_fm.bcst").string());
    d->AzimuthPage.SetAngle(30);
    TFCCCheck r = CheckFCCTabulation(*d);
    EXPECT_TRUE(r.Pass());
    EXPECT_LT(r.RatiodB, 15);
    const TRealPointList& az = d->AzimuthPage.FMPattern.AdjustedPoints;
    for (const TFCCRow& row : r.Rows) EXPECT_NEAR(row.Field, az.PPoint(row.Azimuth).Y, 1e-12) << row.Azimuth;
    EXPECT_EQ(r.MinAzimuth, 210) << "the back of the side-mounted pattern, turned by 30";

    auto tv = LoadDesignFile((fs::path(test::BinDir()) / "samples" / "qdmax_ch30.bcst").string());
    EXPECT_THROW(CheckFCCTabulation(*tv), Error);
}

TEST(FCCCheckCli, PassFailAndRefusal) {
    test::TempDir dir;
    const std::string sample = (fs::path(test::BinDir()) / "samples" / "rnvx_circular_fm.bcst").string();
    test::CommandResult r = test::RunCli("fcc " + test::ShellQuote(sample));
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out.rfind("FCC tabulation check: pass\n", 0), 0u) << r.Out;

    r = test::RunCli("fcc --json " + test::ShellQuote(sample));
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out.rfind("{\"Pass\": true, \"Ratio\": {\"dB\": ", 0), 0u) << r.Out;
    EXPECT_NE(r.Out.find("\"FailAzimuths\": []"), std::string::npos);

    // The same design over a pattern with a 20 dB notch, in a copy of the installation
    // beside a copy of the program (the program reads patterns from its own folders).
    const fs::path bin = fs::path(test::BinDir());
    for (const char* folder : {"data", "FM data", "FM patterns"})
        fs::copy(bin / folder, dir.Path() / folder, fs::copy_options::recursive);
    fs::copy_file(VELMO_CLI, dir.Path() / "velmo-cli");
    std::string pat;
    for (int a = 0; a < 360; ++a) pat += std::to_string(a) + (a >= 40 && a <= 44 ? " 0.1\n" : " 1.0\n");
    dir.Write("FM patterns/azimuth/cpol/notch.pat", pat);
    std::string text = test::ReadAll(sample);
    const std::string key = "fm_filename=fm_side24.pat";
    ASSERT_NE(text.find(key), std::string::npos);
    text.replace(text.find(key), key.size(), "fm_filename=notch.pat");
    const std::string design = dir.Write("notch.bcst", text);
    const std::string cmd = test::ShellQuote(dir.File("velmo-cli")) + " fcc " + test::ShellQuote(design) +
                            " > " + test::ShellQuote(dir.File("out.txt")) + " 2>&1";
    const int status = std::system(cmd.c_str());
    const std::string out = test::ReadAll(dir.File("out.txt"));
    ASSERT_TRUE(WIFEXITED(status)) << out;
    EXPECT_EQ(WEXITSTATUS(status), 3) << out;
    EXPECT_NE(out.find("FCC tabulation check: FAIL"), std::string::npos) << out;
    EXPECT_NE(out.find("20.00 dB (limit 15 dB): FAIL"), std::string::npos) << out;

    r = test::RunCli("fcc " + test::ShellQuote((fs::path(test::BinDir()) / "samples" / "qdmax_ch30.bcst").string()));
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("The FCC tabulation check is for FM designs."), std::string::npos) << r.Err;
}

}  // namespace
