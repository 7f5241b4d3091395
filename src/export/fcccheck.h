#pragma once
// The check of an FM directional azimuth pattern against the two rules of an FCC
// filing: the ratio of the largest to the smallest relative field at most 15 dB, and
// no change of more than 2 dB within any 10 degrees of azimuth. The pattern is the
// rotated one (azimuth from true north), one value per degree, with the tabulation the
// filing asks for: every 10 degrees, and every maximum and minimum in between.
#include <string>
#include <vector>

#include "base/types.h"

namespace velmo {

class TBroadcastDesign;

constexpr double kFCCMaxRatiodB = 15;     // largest allowed maximum-to-minimum ratio
constexpr double kFCCMaxChangedB = 2;     // largest allowed change within 10 degrees
constexpr int kFCCChangeSpan = 10;        // degrees

enum TFCCPointKind { fkNone = 0, fkMaximum = 1, fkMinimum = 2 };

struct TFCCRow {
    int Azimuth = 0;
    double Field = 0;  // relative to the pattern's maximum
    double dB = 0;     // 20 log10(Field), -40 for 0
    bool Step = false;  // a multiple of 10 degrees
    TFCCPointKind Kind = fkNone;  // fkMaximum / fkMinimum for a local extreme
};

struct TFCCCheck {
    std::vector<TFCCRow> Rows;  // by azimuth
    int MaxAzimuth = 0;
    double MaxField = 0;
    int MinAzimuth = 0;
    double MinField = 0;
    double RatiodB = 0;  // dB of the maximum minus dB of the minimum
    bool RatioPass = true;
    std::vector<int> RatioFailAzimuths;  // the maximum's and the minimum's when it fails
    // The largest difference between two values within one 10-degree span (from
    // azimuth a to a + 10, both included), and where the first such span starts.
    double LargestChangedB = 0;
    int LargestChangeAzimuth = 0;
    bool ChangePass = true;
    std::vector<int> ChangeFailAzimuths;  // start of every span over the limit
    bool Pass() const { return RatioPass && ChangePass; }
};

// The check of 360 values, index = azimuth in degrees (relative field, any scale:
// they are taken relative to their maximum). Throws Error when there are fewer than
// 360 values or none above 0.
TFCCCheck CheckFCCTabulation(const std::vector<double>& field);
// The check of an FM design's azimuth pattern as turned by the design's rotation.
// Loads the pattern's points and rebuilds the rotation; nothing else changes. Throws
// Error for a design that is not FM and for a pattern that cannot be checked.
TFCCCheck CheckFCCTabulation(TBroadcastDesign& design);

// The result as plain text for a message box or a terminal: the two rules with pass
// or fail and the failing azimuths, then the tabulation.
std::string FCCCheckText(const TFCCCheck& check);
// The same, short enough for a message box on an 800 x 600 screen: the two rules, then
// the tabulation six rows to a line ("0°: 1.000 max").
std::string FCCCheckMessage(const TFCCCheck& check);
// "40-47, 200": azimuths, runs of consecutive ones as ranges.
std::string AzimuthRanges(const std::vector<int>& azimuths);

}  // namespace velmo
