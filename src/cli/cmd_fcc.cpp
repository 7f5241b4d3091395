// velmo-cli fcc: checks an FM design's azimuth pattern against the FCC filing rules
// (maximum-to-minimum ratio, change within 10 degrees) and prints the tabulation.
#include <iostream>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/numbers.h"
#include "cli/command.h"
#include "cli/json.h"
#include "export/fcccheck.h"
#include "model/design.h"

namespace velmo::cli {
namespace {

// Exit status when the check ran and a rule failed.
constexpr int kRuleFailed = 3;

std::string JsonInts(const std::vector<int>& values) {
    std::string out = "[";
    for (size_t i = 0; i < values.size(); ++i) out += (i ? ", " : "") + FormatInt(values[i]);
    return out + "]";
}

std::string JsonBool(bool b) { return b ? "true" : "false"; }

std::string Json(const TFCCCheck& c) {
    std::string out = "{\"Pass\": " + JsonBool(c.Pass());
    out += ", \"Ratio\": {\"dB\": " + JsonNumber(c.RatiodB) + ", \"LimitdB\": " + JsonNumber(kFCCMaxRatiodB) +
           ", \"Pass\": " + JsonBool(c.RatioPass) + ", \"MaxAzimuth\": " + FormatInt(c.MaxAzimuth) +
           ", \"MaxField\": " + JsonNumber(c.MaxField) + ", \"MinAzimuth\": " + FormatInt(c.MinAzimuth) +
           ", \"MinField\": " + JsonNumber(c.MinField) + ", \"FailAzimuths\": " + JsonInts(c.RatioFailAzimuths) + "}";
    out += ", \"Change\": {\"dB\": " + JsonNumber(c.LargestChangedB) + ", \"FromAzimuth\": " +
           FormatInt(c.LargestChangeAzimuth) + ", \"SpanDegrees\": " + FormatInt(kFCCChangeSpan) +
           ", \"LimitdB\": " + JsonNumber(kFCCMaxChangedB) + ", \"Pass\": " + JsonBool(c.ChangePass) +
           ", \"FailAzimuths\": " + JsonInts(c.ChangeFailAzimuths) + "}";
    out += ", \"Rows\": [";
    for (size_t i = 0; i < c.Rows.size(); ++i) {
        const TFCCRow& r = c.Rows[i];
        out += std::string(i ? ", " : "") + "{\"Azimuth\": " + FormatInt(r.Azimuth) + ", \"Field\": " +
               JsonNumber(r.Field) + ", \"dB\": " + JsonNumber(r.dB) + ", \"Kind\": " +
               JsonString(r.Kind == fkMaximum ? "maximum" : r.Kind == fkMinimum ? "minimum" : "") + "}";
    }
    return out + "]}";
}

int Run(const std::vector<std::string>& argv) {
    Args args(argv);
    const bool json = args.Flag("--json");
    const std::vector<std::string>& rest = args.Rest();
    if (rest.size() != 1) UsageError("usage: velmo-cli fcc DESIGN.bcst [--json]");
    const std::string& designFile = rest[0];
    if (!CheckDesignHeader(designFile))
        throw Error("Unable to open file. \"" + designFile + "\" is not a readable design file.");
    std::unique_ptr<TBroadcastDesign> design = LoadDesignFile(designFile);
    TFCCCheck check = CheckFCCTabulation(*design);
    if (json)
        std::cout << Json(check) << "\n";
    else
        std::cout << FCCCheckText(check);
    return check.Pass() ? 0 : kRuleFailed;
}

const CommandRegistrar registrar({
    "fcc",
    "fcc DESIGN.bcst [--json]",
    "check an FM design's rotated azimuth pattern against the FCC filing rules (maximum to "
    "minimum at most 15 dB, at most 2 dB change within 10 degrees) and print the tabulation "
    "every 10 degrees with every maximum and minimum; exit status 3 when a rule fails",
    Run,
});

}  // namespace
}  // namespace velmo::cli
