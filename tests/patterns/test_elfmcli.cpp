// velmo-cli fm-pattern: the printed values are the model's, the points and JSON forms,
// the tilt-limit warning on stderr, and refused arguments.
#include <gtest/gtest.h>

#include <string>

#include "base/numbers.h"
#include "patterns/elpattern.h"
#include "test_support.h"

namespace velmo {
namespace {

size_t CountOf(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST(FMPatternCli, PrintsTheModelsValues) {
    TFMPattern p;
    p.FamilyID = "RNVX";
    p.BayCount = 16;
    p.BaySpacing = 1;
    p.SetGainFromFile(8.5);
    p.SetBeamtilt(-1);
    p.SetFirstNullFillPercent(10);
    p.SetSecondNullFillPercent(5);
    p.CalculatePattern();
    const std::string args =
        "fm-pattern --family RNVX --bays 16 --spacing 1 --tilt -1 --fill1 10 --fill2 5 --gain 8.5";
    test::CommandResult r = test::RunCli(args);
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Err, "");
    EXPECT_EQ(r.Out, "Gain: " + FormatGeneral(p.Gain()) + "\nMainLobedBd: " + FormatGeneral(p.MainLobedBd) +
                         "\nGainAtZero: " + FormatGeneral(p.GainAtZero()) + "\nHorzdBd: " +
                         FormatGeneral(p.HorzdBd) + "\nHorzNum: " + FormatGeneral(p.HorzNum) +
                         "\nBeamWidth: " + FormatGeneral(p.BeamWidth) + "\nBeamtiltLimitReached: no\n");

    test::CommandResult json = test::RunCli(args + " --json --points");
    ASSERT_EQ(json.Status, 0);
    EXPECT_EQ(json.Out.rfind("{\"Family\": \"RNVX\", \"Bays\": 16, \"Gain\": " +
                                 FormatGeneral(p.Gain(), '.') + ", \"MainLobedBd\": ",
                             0),
              0u)
        << json.Out.substr(0, 200);
    EXPECT_NE(json.Out.find("\"BeamtiltLimitReached\": false, \"Points\": [[-100.1, "), std::string::npos);
    EXPECT_EQ(CountOf(json.Out, "["), 1u + TElPattern::kExtendedPoints);
    EXPECT_EQ(json.Out.substr(json.Out.size() - 3), "]}\n");

    test::CommandResult points = test::RunCli(args + " --points");
    EXPECT_EQ(CountOf(points.Out, "\n"), 8u + TElPattern::kExtendedPoints);
    EXPECT_NE(points.Out.find("\n0\t" + FormatGeneral(p.GainAtZero()) + "\n"), std::string::npos);
}

TEST(FMPatternCli, TiltLimitWarnsOnStderrOnce) {
    test::CommandResult r = test::RunCli("fm-pattern --family RNVX --bays 3 --spacing 1 --tilt -18");
    EXPECT_EQ(r.Status, 0);
    EXPECT_EQ(r.Err, "Warning: Max Iterations (100) Reached For Beam Tilt -- Check Result\n");
    EXPECT_NE(r.Out.find("BeamtiltLimitReached: yes\n"), std::string::npos);
}

TEST(FMPatternCli, RefusesBadArguments) {
    struct Case {
        const char* args;
        const char* message;
    };
    const Case cases[] = {
        {"fm-pattern --bays 8", "--family"},
        {"fm-pattern --family RNVX", "--bays"},
        {"fm-pattern --family RNVX --bays 0", "--bays must be a whole number"},
        {"fm-pattern --family RNVX --bays 2.5", "--bays must be a whole number"},
        {"fm-pattern --family RNVX --bays 8 --tilt abc", "'abc' is not a valid floating point value"},
        {"fm-pattern --family RNVX --bays 8 --fill1 -1", "null fills"},
        {"fm-pattern --family RNVX --bays 8 --spacing", "needs a value"},
        {"fm-pattern --family RNVX --bays 8 extra", "unknown argument extra"},
    };
    for (const Case& c : cases) {
        test::CommandResult r = test::RunCli(c.args);
        EXPECT_EQ(r.Status, 1) << c.args;
        EXPECT_NE(r.Err.find(c.message), std::string::npos) << c.args << ": " << r.Err;
        EXPECT_EQ(r.Out, "") << c.args;
    }
}

}  // namespace
}  // namespace velmo
