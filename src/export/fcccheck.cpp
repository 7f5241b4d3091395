#include "export/fcccheck.h"

#include <algorithm>
#include <cmath>

#include "base/conversions.h"
#include "base/error.h"
#include "base/numbers.h"
#include "model/design.h"

namespace velmo {

namespace {

constexpr int kCircle = 360;
// Figures that come out exactly at a limit pass: rounding of the dB arithmetic does
// not turn them into a failure.
constexpr double kSlack = 1e-9;

double dBOf(double relativeField) { return static_cast<double>(FieldTodBExt(relativeField)); }

// Runs of equal values round the circle; a run that is higher (or lower) than both
// neighbouring runs is a maximum (minimum), marked at its middle azimuth (the first of
// the two middle ones for a run of even length).
void MarkExtremes(const std::vector<double>& v, std::vector<TFCCPointKind>& kind) {
    int start = -1;
    for (int i = 0; i < kCircle; ++i)
        if (v[static_cast<size_t>(i)] != v[static_cast<size_t>((i + kCircle - 1) % kCircle)]) {
            start = i;
            break;
        }
    if (start < 0) return;  // the same value everywhere: no extreme
    struct TRun {
        int First;
        int Length;
        double Value;
    };
    std::vector<TRun> runs;
    for (int k = 0; k < kCircle; ++k) {
        int i = (start + k) % kCircle;
        double value = v[static_cast<size_t>(i)];
        if (runs.empty() || runs.back().Value != value)
            runs.push_back({i, 1, value});
        else
            ++runs.back().Length;
    }
    const size_t n = runs.size();
    for (size_t r = 0; r < n; ++r) {
        double before = runs[(r + n - 1) % n].Value, after = runs[(r + 1) % n].Value;
        double value = runs[r].Value;
        TFCCPointKind k = value > before && value > after   ? fkMaximum
                          : value < before && value < after ? fkMinimum
                                                            : fkNone;
        if (k != fkNone) kind[static_cast<size_t>((runs[r].First + (runs[r].Length - 1) / 2) % kCircle)] = k;
    }
}

std::string Degrees(int azimuth) { return FormatInt(azimuth) + "\u00B0"; }

}  // namespace

TFCCCheck CheckFCCTabulation(const std::vector<double>& field) {
    if (field.size() < static_cast<size_t>(kCircle))
        throw Error("The FCC tabulation needs a value for every degree of azimuth; the pattern holds " +
                    FormatInt(static_cast<long long>(field.size())) + ".");
    std::vector<double> v(field.begin(), field.begin() + kCircle);
    for (double& x : v)
        if (!std::isfinite(x) || x < 0) x = 0;
    const auto maxIt = std::max_element(v.begin(), v.end());
    const double max = *maxIt;
    if (!(max > 0)) throw Error("The FCC tabulation needs an azimuth pattern with a field above 0.");
    for (double& x : v) x /= max;

    TFCCCheck c;
    std::vector<double> db(kCircle);
    for (int i = 0; i < kCircle; ++i) db[static_cast<size_t>(i)] = dBOf(v[static_cast<size_t>(i)]);

    c.MaxAzimuth = static_cast<int>(std::max_element(v.begin(), v.end()) - v.begin());
    c.MinAzimuth = static_cast<int>(std::min_element(v.begin(), v.end()) - v.begin());
    c.MaxField = v[static_cast<size_t>(c.MaxAzimuth)];
    c.MinField = v[static_cast<size_t>(c.MinAzimuth)];
    c.RatiodB = db[static_cast<size_t>(c.MaxAzimuth)] - db[static_cast<size_t>(c.MinAzimuth)];
    c.RatioPass = c.RatiodB <= kFCCMaxRatiodB + kSlack;
    if (!c.RatioPass) c.RatioFailAzimuths = {c.MaxAzimuth, c.MinAzimuth};

    for (int a = 0; a < kCircle; ++a) {
        double lo = db[static_cast<size_t>(a)], hi = lo;
        for (int k = 1; k <= kFCCChangeSpan; ++k) {
            double x = db[static_cast<size_t>((a + k) % kCircle)];
            lo = std::min(lo, x);
            hi = std::max(hi, x);
        }
        const double change = hi - lo;
        if (change > c.LargestChangedB) {
            c.LargestChangedB = change;
            c.LargestChangeAzimuth = a;
        }
        if (change > kFCCMaxChangedB + kSlack) c.ChangeFailAzimuths.push_back(a);
    }
    c.ChangePass = c.ChangeFailAzimuths.empty();

    std::vector<TFCCPointKind> kind(kCircle, fkNone);
    MarkExtremes(v, kind);
    for (int i = 0; i < kCircle; ++i) {
        const bool step = i % 10 == 0;
        if (!step && kind[static_cast<size_t>(i)] == fkNone) continue;
        TFCCRow row;
        row.Azimuth = i;
        row.Field = v[static_cast<size_t>(i)];
        row.dB = db[static_cast<size_t>(i)];
        row.Step = step;
        row.Kind = kind[static_cast<size_t>(i)];
        c.Rows.push_back(row);
    }
    return c;
}

TFCCCheck CheckFCCTabulation(TBroadcastDesign& design) {
    if (design.DesignInfo.SystemType != "FM")
        throw Error("The FCC tabulation check is for FM designs.");
    TAzPattern& az = design.AzimuthPage.FMPattern;
    az.LoadPoints();
    az.SetAdjustedPoints();
    if (az.AdjustedPoints.Count() < kCircle) {
        std::string name = !az.PatternID.empty() ? az.PatternID : az.FileName;
        throw Error("Cannot check the FM azimuth pattern" + (name.empty() ? std::string() : " \"" + name + "\"") +
                    ": it holds " + FormatInt(az.Points.Count()) + " of the 360 points of a full circle.");
    }
    std::vector<double> field(kCircle);
    for (int i = 0; i < kCircle; ++i) field[static_cast<size_t>(i)] = az.AdjustedPoints.PPoint(i).Y;
    return CheckFCCTabulation(field);
}

std::string AzimuthRanges(const std::vector<int>& azimuths) {
    std::string out;
    size_t i = 0;
    while (i < azimuths.size()) {
        size_t j = i;
        while (j + 1 < azimuths.size() && azimuths[j + 1] == azimuths[j] + 1) ++j;
        if (!out.empty()) out += ", ";
        out += FormatInt(azimuths[i]);
        if (j > i) out += "-" + FormatInt(azimuths[j]);
        i = j + 1;
    }
    return out;
}

namespace {

// The verdict line and the two rules, each ended by a line feed.
std::string RulesText(const TFCCCheck& c) {
    std::string out = "FCC tabulation check: " + std::string(c.Pass() ? "pass" : "FAIL") + "\n\n";
    out += "Maximum to minimum: " + FormatFixed(c.RatiodB, 2) + " dB (limit " +
           FormatGeneral(kFCCMaxRatiodB) + " dB): " + (c.RatioPass ? "pass" : "FAIL") +
           "; maximum " + FormatFixed(c.MaxField, 3) + " at " + Degrees(c.MaxAzimuth) + ", minimum " +
           FormatFixed(c.MinField, 3) + " at " + Degrees(c.MinAzimuth) + "\n";
    out += "Largest change within " + FormatInt(kFCCChangeSpan) + "\u00B0: " + FormatFixed(c.LargestChangedB, 2) +
           " dB from " + Degrees(c.LargestChangeAzimuth) + " (limit " + FormatGeneral(kFCCMaxChangedB) +
           " dB): " + (c.ChangePass ? "pass" : "FAIL") + "\n";
    if (!c.ChangePass)
        out += "  over the limit in the " + FormatInt(kFCCChangeSpan) + "\u00B0 spans starting at " +
               AzimuthRanges(c.ChangeFailAzimuths) + "\n";
    return out;
}

const char* KindWord(TFCCPointKind k) { return k == fkMaximum ? " max" : k == fkMinimum ? " min" : ""; }

}  // namespace

std::string FCCCheckMessage(const TFCCCheck& c) {
    std::string out = RulesText(c) + "\nRelative field, every 10\u00B0 with every maximum and minimum:\n";
    for (size_t i = 0; i < c.Rows.size(); ++i) {
        const TFCCRow& r = c.Rows[i];
        out += Degrees(r.Azimuth) + ": " + FormatFixed(r.Field, 3) + KindWord(r.Kind);
        out += (i + 1) % 6 == 0 || i + 1 == c.Rows.size() ? "\n" : "    ";
    }
    return out;
}

std::string FCCCheckText(const TFCCCheck& c) {
    std::string out = RulesText(c);
    out += "\nAzimuth  Field    dB\n";
    for (const TFCCRow& r : c.Rows) {
        std::string az = FormatInt(r.Azimuth);
        std::string field = FormatFixed(r.Field, 3);
        std::string db = FormatFixed(r.dB, 2);
        out += std::string(7 - std::min<size_t>(7, az.size()), ' ') + az + "  " + field + "  " +
               std::string(6 - std::min<size_t>(6, db.size()), ' ') + db;
        if (r.Kind == fkMaximum) out += "  maximum";
        if (r.Kind == fkMinimum) out += "  minimum";
        out += "\n";
    }
    return out;
}

}  // namespace velmo
