// velmo-cli fm-pattern: computes the elevation pattern of an FM bay array the way the
// FM elevation page configures it, and prints its gains, beam width and points.
#include <cmath>
#include <iostream>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/numbers.h"
#include "cli/command.h"
#include "cli/json.h"
#include "patterns/elpattern.h"
#include "patterns/fmarray.h"

namespace velmo::cli {
namespace {

double NumberOption(Args& args, const std::string& name, double def) {
    std::string text;
    if (!args.Option(name, text)) return def;
    double v = StrToFloat(text);  // throws "'x' is not a valid floating point value"
    if (!std::isfinite(v)) UsageError("option " + name + " must be a finite number");
    return v;
}

int Run(const std::vector<std::string>& argv) {
    Args args(argv);
    const bool points = args.Flag("--points");
    const bool json = args.Flag("--json");
    std::string family, baysText;
    if (!args.Option("--family", family)) UsageError("fm-pattern needs --family");
    if (!args.Option("--bays", baysText)) UsageError("fm-pattern needs --bays");
    long long bays = 0;
    // The bay counts of the catalog are small; the limit keeps a mistyped count from
    // tying the program up.
    if (!TryStrToInt(baysText, bays) || bays < 1 || bays > kMaxBayCount)
        UsageError("--bays must be a whole number from 1 to " + FormatInt(kMaxBayCount));
    const double spacing = NumberOption(args, "--spacing", 1);
    const double tilt = NumberOption(args, "--tilt", 0);
    const double fill1 = NumberOption(args, "--fill1", 0);
    const double fill2 = NumberOption(args, "--fill2", 0);
    const double gain = NumberOption(args, "--gain", 1);
    if (fill1 < 0 || fill1 > 100 || fill2 < 0 || fill2 > 100)
        UsageError("null fills are percentages from 0 to 100");
    if (!args.Rest().empty()) UsageError("unknown argument " + args.Rest().front());

    // Configure as the FM elevation page does: the catalog fields, then tilt and fills
    // through their setters (each computes the pattern), then the computation of the
    // selection. Only the final computation's messages are shown.
    TFMPattern p;
    p.FamilyID = family;
    p.BayCount = static_cast<int32_t>(bays);
    p.BaySpacing = spacing;
    p.SetGainFromFile(gain);
    TElMessageHandler previous = SetElMessageHandler(nullptr);
    p.SetBeamtilt(tilt);
    p.SetFirstNullFillPercent(fill1);
    p.SetSecondNullFillPercent(fill2);
    SetElMessageHandler([](const std::string& m) { std::cerr << "Warning: " << m << "\n"; });
    p.CalculatePattern();
    SetElMessageHandler(std::move(previous));

    const std::pair<const char*, double> values[] = {
        {"Gain", p.Gain()},       {"MainLobedBd", p.MainLobedBd}, {"GainAtZero", p.GainAtZero()},
        {"HorzdBd", p.HorzdBd},   {"HorzNum", p.HorzNum},         {"BeamWidth", p.BeamWidth},
    };
    std::string out;
    if (json) {
        out = "{\"Family\": " + JsonString(family) + ", \"Bays\": " + FormatInt(bays);
        for (const auto& [name, v] : values) out += std::string(", \"") + name + "\": " + JsonNumber(v);
        out += std::string(", \"BeamtiltLimitReached\": ") +
               (p.BeamtiltLimitReached() ? "true" : "false");
        if (points) {
            out += ", \"Points\": [";
            bool first = true;
            for (const TRealPoint& pt : p.Points.Points()) {
                if (!first) out += ", ";
                first = false;
                out += "[" + JsonNumber(pt.X) + ", " + JsonNumber(pt.Y) + "]";
            }
            out += "]";
        }
        out += "}\n";
    } else {
        for (const auto& [name, v] : values) out += std::string(name) + ": " + FormatGeneral(v) + "\n";
        out += std::string("BeamtiltLimitReached: ") + (p.BeamtiltLimitReached() ? "yes" : "no") + "\n";
        if (points) {
            out += "Points:\n";
            for (const TRealPoint& pt : p.Points.Points())
                out += FormatGeneral(pt.X) + "\t" + FormatGeneral(pt.Y) + "\n";
        }
    }
    std::cout << out;
    return 0;
}

const CommandRegistrar registrar({
    "fm-pattern",
    "fm-pattern --family F --bays N [--spacing S] [--tilt T] [--fill1 P] [--fill2 Q] "
    "[--gain G] [--points] [--json]",
    "compute the elevation pattern of an FM bay array: gains, beam width, points",
    Run,
});

}  // namespace
}  // namespace velmo::cli
