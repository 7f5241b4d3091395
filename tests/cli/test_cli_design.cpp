// velmo-cli new / edit / list: designs made and changed from options through the
// wizard's steps, compared with the sample designs; refusals that name the step, the
// value and what is offered, and write nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "base/folders.h"
#include "model/design.h"
#include "test_support.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using test::ShellQuote;

std::string Samples() { return test::BinDir() + "samples/"; }

// `velmo-cli info` as path → value, the design information left out.
std::map<std::string, std::string> Info(const std::string& file) {
    const auto r = test::RunCli("info " + ShellQuote(file));
    EXPECT_EQ(r.Status, 0) << file << ": " << r.Err;
    std::map<std::string, std::string> out;
    std::vector<std::string> path;
    std::istringstream in(r.Out);
    std::string line;
    bool skipping = false;
    while (std::getline(in, line)) {
        const size_t indent = line.find_first_not_of(' ');
        if (indent == std::string::npos) continue;
        if (indent == 0) skipping = line == "DesignInfo:";
        if (skipping) continue;
        const size_t colon = line.find(':');
        const std::string key = line.substr(indent, colon - indent);
        path.resize(indent / 2);
        std::string full;
        for (const auto& p : path) full += p + ".";
        full += key;
        if (colon + 1 >= line.size()) path.push_back(key);
        else out[full] = line.substr(colon + 2);
    }
    return out;
}

std::set<std::string> Changed(const std::map<std::string, std::string>& a,
                              const std::map<std::string, std::string>& b) {
    std::set<std::string> keys;
    for (const auto& [k, v] : a) {
        auto it = b.find(k);
        if (it == b.end() || it->second != v) keys.insert(k);
    }
    for (const auto& [k, v] : b)
        if (!a.count(k)) keys.insert(k);
    return keys;
}

std::string Describe(const std::set<std::string>& keys) {
    std::string s;
    for (const auto& k : keys) s += k + " ";
    return s;
}

class CliDesignTest : public ::testing::Test {
protected:
    void SetUp() override { InitFolders(test::BinDir()); }
    test::TempDir Dir;
};

// The options each sample holds. Empty Refusal: the design can be made.
struct SampleCase {
    const char* Name;
    const char* Args;
    const char* Refusal;
};

const SampleCase kSamples[] = {
    {"240c_fm",
     "--system FM --frequency 98 --pol E --family 240C --mount S --feed E --max-erp 6 --azimuth ST "
     "--bays 4 --spacing 1 --line OFC78-50 --vert-length 200 --horz-length 20 --power 1.2 --filter-loss 0.1",
     ""},
    {"custom_fm",
     "--system FM --frequency 98 --pol H --family CTM --mount T --feed E --station-class 5 --az-gain 1 "
     "--el-gain 4 --line OFC158-50 --vert-length 300 --horz-length 30 --power 5 --filter-loss 0.1",
     ""},
    {"custom_tv",
     "--system TV --channel 34 --family CTM --pol E --mount S --service D --vertical-component 20 "
     "--custom-label 'SPECIAL UHF PANEL' --az-gain 1.5 --vert-az-gain 1 --el-gain 15 --vert-el-gain 13 "
     "--line ORL318-50 --vert-length 500 --horz-length 50 --power 12",
     ""},
    {"kvr_horizontal_ch34",
     "--system TV --channel 34 --family KVR --power-class M --mount S --pol H --service D --azimuth CD "
     "--rotation 90 --elevation KVR16 --tilt 1 --line OAC400-50 --vert-length 600 --horz-length 60 --power 10",
     ""},
    {"miraldo_uhf_elliptical_top",
     "--system TV --market US --channel 30 --family KLX-UHF --mount T --pol E --service D "
     "--vertical-component 30 --high-wind yes --azimuth OC --vert-azimuth OC --elevation KLX16 "
     "--vert-elevation KLX16 --tilt 0.75 --line ORL618QPT --vert-length 1000 --horz-length 150 --power 40",
     ""},
    {"qdmax_ch30",
     "--system TV --channel 30 --family QD-MAX --power-class M --mount S --pol H --service D --azimuth S "
     "--elevation QDX12 --tilt 0.75 --line OFC158-50 --vert-length 400 --horz-length 40 "
     "--power 6.77559887412323",
     ""},
    {"rnvx_circular_fm",
     "--system FM --channel 251 --pol E --family RNVX --mount S --feed C --radome yes --max-erp 100 "
     "--azimuth ST --elevation RNVX-8C --tilt -0.5 --first-null-fill 10 --line OAC300-50 "
     "--vert-length 500 --horz-length 50 --power 15 --filter-loss 0.1",
     ""},
    // Step 1 has no button for this family, although the channel table names it.
    {"varnok_ch9",
     "--system TV --channel 9 --family VARNOK --mount S --pol H --service D --azimuth OC "
     "--elevation VARNOK6 --tilt 0.5 --line ORL318-50 --vert-length 800 --horz-length 80 --power 15",
     "velmo-cli new: step 1: family 'VARNOK' is not offered for channel 9 (US); offered: KLX-VHF, HOV, CTM"},
};

// The sample as the wizard can hold it: a TV design has no filter loss entry (its
// analysis page offers none, so the wizard keeps 0), and an FM design keeps the
// default power class, since its step 1 has no power class to choose.
std::string AsTheWizardHoldsIt(const std::string& sample, const test::TempDir& dir) {
    std::unique_ptr<TBroadcastDesign> d = LoadDesignFile(sample);
    if (d->DesignInfo.SystemType == "TV") d->AnalysisPage.Analysis.SetFilterLossDB(0);
    else d->OptionsPage.PowerCode = "N";
    const std::string out = dir.File("reference_" + fs::path(sample).filename().string());
    d->SaveToFile(out);
    return out;
}

TEST_F(CliDesignTest, EverySampleIsMadeFromItsChoicesOrRefusedWithTheReason) {
    std::set<std::string> covered;
    for (const auto& c : kSamples) covered.insert(std::string(c.Name) + ".bcst");
    for (const auto& e : fs::directory_iterator(Samples())) {
        if (e.path().extension() != ".bcst") continue;
        EXPECT_TRUE(covered.count(e.path().filename().string())) << e.path() << " has no row";
    }

    for (const auto& c : kSamples) {
        SCOPED_TRACE(c.Name);
        const std::string sample = Samples() + c.Name + ".bcst";
        const std::string out = Dir.File(std::string(c.Name) + ".bcst");
        const auto r = test::RunCli("new -o " + ShellQuote(out) + " " + c.Args);
        if (*c.Refusal) {
            EXPECT_EQ(r.Status, 1);
            EXPECT_EQ(r.Err, std::string(c.Refusal) + "\n");
            EXPECT_FALSE(fs::exists(out));
            continue;
        }
        ASSERT_EQ(r.Status, 0) << r.Err;
        const auto made = Info(out);
        const auto expected = Info(AsTheWizardHoldsIt(sample, Dir));
        EXPECT_EQ(Describe(Changed(expected, made)), "");
        // Without the two adjustments only those differ from the file as it is stored.
        for (const auto& k : Changed(Info(sample), made))
            EXPECT_TRUE(k == "PowerCode" || k.find("Loss") != std::string::npos || k.find("Antenna") == 0 ||
                        k.find("ERP") == 0 || k == "Efficiency")
                << k;
    }
}

TEST_F(CliDesignTest, DesignInformationComesFromTheDialogFields) {
    const std::string out = Dir.File("info.bcst");
    const auto r = test::RunCli("new -o " + ShellQuote(out) +
                                " --system TV --channel 34 --family KVR --company 'Acme Radio' --address "
                                "'1 Main St' --site 'Hill Top' --designer Ann --spec-no S-7 --date 2026-03-04 "
                                "--note 'first line' --note 'second line'");
    ASSERT_EQ(r.Status, 0) << r.Err;
    std::unique_ptr<TBroadcastDesign> d = LoadDesignFile(out);
    const TDesignInfo& i = d->DesignInfo;
    EXPECT_EQ(i.SystemType, "TV");
    EXPECT_EQ(i.CompanyName, "Acme Radio");
    EXPECT_EQ(i.Location, "1 Main St");
    EXPECT_EQ(i.Location2, "Hill Top");
    EXPECT_EQ(i.Designer, "Ann");
    EXPECT_EQ(i.SpecNo, "S-7");
    EXPECT_EQ(static_cast<long long>(i.Date), 46085);  // 4 March 2026 as a day number
    EXPECT_EQ(i.Notes, (std::vector<std::string>{"first line", "second line"}));
    // What was not chosen is what the pages propose: the first offered of each.
    EXPECT_EQ(d->OptionsPage.PowerCode, "L");
    EXPECT_EQ(d->AzimuthPage.HorzPattern.PatternCode, "O");
}

struct EditCase {
    const char* Sample;
    const char* Args;
    std::set<std::string> Changes;
};

TEST_F(CliDesignTest, EditChangesOnlyWhatFollowsFromTheChoice) {
    const EditCase cases[] = {
        // The same choice again walks all five steps in edit mode and keeps everything.
        {"kvr_horizontal_ch34", "--mount S", {}},
        {"miraldo_uhf_elliptical_top", "--mount T", {}},
        {"rnvx_circular_fm", "--mount S", {}},
        {"custom_tv", "--mount S", {}},
        {"kvr_horizontal_ch34", "--tilt 1.25",
         {"PartNumber", "ElevationPage.HorzPattern.Beamtilt", "ElevationPage.HorzPattern.HorzdBd",
          "ElevationPage.HorzPattern.HorzNum", "ElevationPage.HorzPattern.GainAtZero", "GainAtHorzdBd",
          "GainAtHorzNum"}},
        {"varnok_ch9", "--vert-length 900",
         {"Line.VertLength", "Line.TotalRunLength", "Line.TotaldB", "LineLossdB", "LineLosskW", "Efficiency",
          "AntennaInputkW", "AntennaInputdBk", "ERPkWHorz", "ERPdBkHorz"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Sample) + " " + c.Args);
        const std::string sample = Samples() + c.Sample + ".bcst";
        const std::string out = Dir.File(std::string("edited_") + c.Sample + ".bcst");
        const auto r = test::RunCli("edit " + ShellQuote(sample) + " -o " + ShellQuote(out) + " " + c.Args);
        ASSERT_EQ(r.Status, 0) << r.Err;
        EXPECT_EQ(Describe(Changed(Info(sample), Info(out))), Describe(c.Changes));
    }
    // The design information stays, and can be changed alone.
    const std::string out = Dir.File("renamed.bcst");
    ASSERT_EQ(test::RunCli("edit " + ShellQuote(Samples() + "qdmax_ch30.bcst") + " --company Other -o " +
                           ShellQuote(out))
                  .Status,
              0);
    std::unique_ptr<TBroadcastDesign> before = LoadDesignFile(Samples() + "qdmax_ch30.bcst");
    std::unique_ptr<TBroadcastDesign> after = LoadDesignFile(out);
    EXPECT_EQ(after->DesignInfo.CompanyName, "Other");
    EXPECT_EQ(after->DesignInfo.Designer, before->DesignInfo.Designer);
    EXPECT_EQ(after->DesignInfo.Notes, before->DesignInfo.Notes);
    EXPECT_EQ(Describe(Changed(Info(Samples() + "qdmax_ch30.bcst"), Info(out))), "");
}

TEST_F(CliDesignTest, RefusalsNameTheStepTheValueAndWhatIsOfferedAndWriteNothing) {
    const std::string kvr = "--system TV --channel 34 --family KVR ";
    const std::string rnvx = "--system FM --frequency 98 --family RNVX --mount S --feed C --max-erp 50 ";
    struct Case {
        std::string Args;
        std::string Message;
    } cases[] = {
        {"new --system TV --channel 5 --family KVR",
         "velmo-cli new: step 1: family 'KVR' is not offered for channel 5 (US); offered: KLX-VHF, CTM"},
        {"new " + kvr + "--power-class N",
         "velmo-cli new: step 1: power class 'N' of family KVR is not offered for channel 34 (US); offered: L, M"},
        {"new " + kvr + "--azimuth ZZ",
         "velmo-cli new: step 2: azimuth pattern 'ZZ' is not in the catalog of KVR L (polarization H); "
         "offered: O, CD, PN"},
        {"new --system FM --frequency 108",
         "velmo-cli new: step 1: FM frequency 108 is not offered; offered: 88 to 107.8 MHz in steps of 0.2"},
        {"new --system TV --channel FM --family CTM --frequency 108",
         "velmo-cli new: step 1: FM frequency 108 is not offered; offered: above 88 and below 108 MHz"},
        {"new " + kvr + "--tilt 5",
         "velmo-cli new: step 3: beam tilt 5 is beyond the limits of elevation pattern KVR8; offered: 0.25 to "
         "3 in steps of 0.25"},
        {"new " + kvr + "--tilt 1.1",
         "velmo-cli new: step 3: beam tilt 1.1 is not offered for elevation pattern KVR8; offered: 0.25 to 3 in "
         "steps of 0.25"},
        {"new " + rnvx + "--tilt -2",
         "velmo-cli new: step 3: beam tilt -2 is beyond the limits of elevation pattern RNVX-4C; offered: -1.25 "
         "to 0 in steps of 0.05"},
        {"new " + kvr + "--feed E", "velmo-cli new: step 1: feed is not offered on step 1 of a TV design"},
        {"new --system FM --frequency 98 --family RNVX",
         "velmo-cli new: step 1: no mount is chosen; offered: S, T"},
        {"new " + kvr + "--power 10 --erp 100",
         "velmo-cli new: step 5: the transmitter power and the ERP are offered one at a time; give one of them"},
        {"new " + kvr + "--line Custom --line-attenuation 150",
         "velmo-cli new: step 4: custom line attenuation 150 is not offered; offered: 0 to 100"},
        {"edit " + ShellQuote(Samples() + "varnok_ch9.bcst") + " --mount S",
         "velmo-cli edit: step 1: the design's family 'VARNOK' is not offered for channel 9 (US); offered: "
         "KLX-VHF, HOV, CTM"},
        {"edit " + ShellQuote(Samples() + "kvr_horizontal_ch34.bcst") + " --tilt 3.25",
         "velmo-cli edit: step 3: beam tilt 3.25 is beyond the limits of elevation pattern KVR16; offered: "
         "0.25 to 3 in steps of 0.25"},
    };
    const std::string existing = Dir.Write("existing.bcst", "[HEADER]\ntype=Velmo\n");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Args);
        const std::string out = Dir.File("refused.bcst");
        auto r = test::RunCli(c.Args + " -o " + ShellQuote(out));
        EXPECT_EQ(r.Status, 1);
        EXPECT_EQ(r.Err, c.Message + "\n");
        EXPECT_FALSE(fs::exists(out));
        // An output that exists keeps its bytes.
        r = test::RunCli(c.Args + " -o " + ShellQuote(existing));
        EXPECT_EQ(r.Status, 1);
        EXPECT_EQ(test::ReadAll(existing), "[HEADER]\ntype=Velmo\n");
    }
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(CliDesignTest, ListShowsWhatAStepOffersAfterTheChoicesBeforeIt) {
    // The families follow the channel.
    auto r = test::RunCli("list 1 --system TV --channel 9 --json");
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_TRUE(Has(r.Out, "\"option\": \"--family\""));
    EXPECT_TRUE(Has(r.Out, "{\"key\": \"HOV\", \"detail\": \"M\""));
    EXPECT_FALSE(Has(r.Out, "\"key\": \"KVR\""));
    r = test::RunCli("new --list 1 --system TV --channel 34");
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_TRUE(Has(r.Out, "  * KLX-UHF  [N]  MIRALDO\u00AE UHF\n    KVR  [L]  KVR Series Low Power UHF\n"
                           "    KVR  [M]  KVR Series Medium Power UHF\n"));

    // The elevation patterns and the tilt limits follow the family and its pattern.
    r = test::RunCli("new --list 3 --system TV --channel 34 --family KVR --elevation KVR16");
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_TRUE(Has(r.Out, "step 3 (TfrmElevation)\n--elevation:\n    KVR8"));
    EXPECT_TRUE(Has(r.Out, "  * KVR16"));
    EXPECT_TRUE(Has(r.Out, "--tilt: 0.75  [0.25 to 3 in steps of 0.25]\n"));

    // Listing a design shows what it holds; FM bays come with their spacing.
    r = test::RunCli("list 3 " + ShellQuote(Samples() + "rnvx_circular_fm.bcst"));
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_TRUE(Has(r.Out, "  * RNVX-8C  [8 bays, spacing 1]"));
    EXPECT_TRUE(Has(r.Out, "--tilt: -0.5  [-1.25 to 0 in steps of 0.05]\n"));
    EXPECT_TRUE(Has(r.Out, "--first-null-fill: 10  [0 to 15 percent]\n"));

    // A refused choice before the listed step stops the listing.
    r = test::RunCli("list 2 --system TV --channel 5 --family KVR");
    EXPECT_EQ(r.Status, 1);
    EXPECT_TRUE(Has(r.Err, "step 1: family 'KVR' is not offered"));
}

}  // namespace
}  // namespace velmo
