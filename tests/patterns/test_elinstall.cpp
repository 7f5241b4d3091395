// The elevation model over the sample installation beside the test programs: every
// TV elevation point file of the catalogs, the KVR bay table, and every FM array of the
// FM catalog across the FM page's tilt and fill ranges, in the model and through
// velmo-cli fm-pattern.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "base/folders.h"
#include "base/numbers.h"
#include "patterns/elpattern.h"
#include "patterns/fmarray.h"
#include "refdata/texttable.h"
#include "test_support.h"

namespace velmo {
namespace {

bool LoadTable(const std::string& path, TTextTable& table) {
    if (!std::filesystem::exists(path)) return false;
    table.LoadFromFile(path);
    table.MoveFirst();
    return true;
}

TEST(ElevationInstall, EveryTVPointFileLoadsAndExtends) {
    InitFoldersFromExecutable();
    int files = 0;
    for (const char* name : {"tblH_Elevation.txt", "tblV_Elevation.txt"}) {
        TTextTable t;
        if (!LoadTable(DataPath() + name, t)) GTEST_SKIP() << "no " << name;
        const bool horz = std::string(name) == "tblH_Elevation.txt";
        for (; !t.Eof(); t.MoveNext()) {
            std::unique_ptr<TElPattern> p;
            if (horz) p = std::make_unique<THorzPattern>(); else p = std::make_unique<TVertPattern>();
            p->FamilyID = t.Field("FAMILY_ID");
            p->BaseCose = t.Field("BASE_CODE");
            p->FileName = t.Field("FILENAME");
            p->BayCount = static_cast<int32_t>(StrToRealDef(t.Field("BAY_COUNT"), 0));
            SCOPED_TRACE(std::string(name) + " " + p->FileName);
            p->SetDefaultBeamtilt(StrToRealDef(t.Field("DEFAULT_BEAMTILT"), 0));
            p->LoadPoints();
            ASSERT_TRUE(std::filesystem::exists(p->GetPath() + p->FileName));
            EXPECT_EQ(p->Points.Count(), TElPattern::kExtendedPoints);
            EXPECT_GT(p->GainAtZero(), 0);
            EXPECT_LE(p->GainAtZero(), 1);
            EXPECT_GT(p->AdjustedPoints.Count(), 0);
            ++files;
        }
    }
    EXPECT_GT(files, 0);
}

TEST(ElevationInstall, KVRBayTableCoversEveryTiltStep) {
    InitFoldersFromExecutable();
    TTextTable t;
    if (!LoadTable(DataPath() + "tblH_Elevation.txt", t)) GTEST_SKIP();
    int patterns = 0;
    for (; !t.Eof(); t.MoveNext()) {
        if (t.Field("FAMILY_ID") != "KVR") continue;
        THorzPattern p;
        p.FamilyID = "KVR";
        p.BaseCose = t.Field("BASE_CODE");
        p.FileName = t.Field("FILENAME");
        p.SetDefaultBeamtilt(StrToRealDef(t.Field("DEFAULT_BEAMTILT"), 0));
        p.LoadPoints();
        for (double tilt = 0.25; tilt <= 3; tilt += 0.25) {
            p.SetBeamtilt(tilt);
            EXPECT_EQ(p.AdjustedPoints.Count(), 2 * TElPattern::kExtendedPoints)
                << p.BaseCose << " tilt " << tilt;
        }
        ++patterns;
    }
    if (patterns == 0) GTEST_SKIP() << "no KVR patterns in the catalog";
}

struct FMRow {
    std::string Family;
    int32_t Bays;
    double Spacing;
    double Gain;
};

std::vector<FMRow> FMCatalog() {
    std::vector<FMRow> rows;
    TTextTable t;
    if (!LoadTable(FMDataPath() + "tblFM_Elevation.txt", t)) return rows;
    for (; !t.Eof(); t.MoveNext()) {
        long long bays = 0;
        TryStrToInt(t.Field("BAY_COUNT"), bays);
        rows.push_back({t.Field("FAMILY_ID"), static_cast<int32_t>(bays),
                        StrToRealDef(t.Field("BAY_SPACING"), 1), StrToRealDef(t.Field("GAIN"), 0)});
    }
    return rows;
}

// Across the page's ranges (tilt -1.25 to 0, fills 0-15 % and 0-10 %) every catalog
// array converges, keeps its amplitudes and gives a positive beam width.
TEST(ElevationInstall, EveryFMArrayOfTheCatalogComputesSoundly) {
    InitFoldersFromExecutable();
    const std::vector<FMRow> rows = FMCatalog();
    if (rows.empty()) GTEST_SKIP() << "no FM elevation catalog";
    for (const FMRow& row : rows) {
        for (double tilt : {0.0, -0.25, -0.5, -0.75, -1.0, -1.25})
            for (double fill1 : {0.0, 7.0, 15.0})
                for (double fill2 : {0.0, 5.0, 10.0}) {
                    TFMArrayInput in{row.Family, row.Bays, row.Spacing, tilt, fill1, fill2};
                    TFMArrayResult r = ComputeFMArray(in);
                    SCOPED_TRACE(row.Family + " " + std::to_string(row.Bays) + " tilt " +
                                 std::to_string(tilt) + " fills " + std::to_string(fill1) + "/" +
                                 std::to_string(fill2));
                    EXPECT_FALSE(r.TiltLimitReached);
                    EXPECT_GE(r.X1, 0);
                    EXPECT_GE(r.X2, 0);
                    EXPECT_GT(r.BeamWidth, 0);
                    EXPECT_LE(r.D1, r.D0 * 1.0000001);
                }
    }
}

TEST(ElevationInstall, CliRunsEveryFMFamilyAndBayCountWithoutWarning) {
    InitFoldersFromExecutable();
    std::vector<FMRow> rows = FMCatalog();
    if (rows.empty()) GTEST_SKIP() << "no FM elevation catalog";
    std::set<std::string> seen;
    for (const FMRow& row : rows) {
        const std::string key = row.Family + "/" + std::to_string(row.Bays) + "/" + FormatGeneral(row.Spacing);
        if (!seen.insert(key).second) continue;
        TFMPattern p;
        p.FamilyID = row.Family;
        p.BayCount = row.Bays;
        p.BaySpacing = row.Spacing;
        p.SetGainFromFile(row.Gain);
        p.SetBeamtilt(-1.25);
        p.SetFirstNullFillPercent(10);
        p.SetSecondNullFillPercent(5);
        test::CommandResult r = test::RunCli(
            "fm-pattern --family " + test::ShellQuote(row.Family) + " --bays " +
            std::to_string(row.Bays) + " --spacing " + FormatGeneral(row.Spacing) +
            " --tilt -1.25 --fill1 10 --fill2 5 --gain " + FormatGeneral(row.Gain));
        SCOPED_TRACE(key);
        EXPECT_EQ(r.Status, 0);
        EXPECT_EQ(r.Err, "");
        EXPECT_NE(r.Out.find("Gain: " + FormatGeneral(p.Gain()) + "\n"), std::string::npos) << r.Out;
        EXPECT_NE(r.Out.find("BeamWidth: " + FormatGeneral(p.BeamWidth) + "\n"), std::string::npos);
        EXPECT_NE(r.Out.find("BeamtiltLimitReached: no\n"), std::string::npos);
    }
}

}  // namespace
}  // namespace velmo
