#pragma once
// The FM bay array: a vertical stack of N equal bays at a spacing of S wavelengths,
// split into four bay groups whose amplitudes (X1, X2) and phase (PH) are searched so
// that the beam maximum lies at the requested tilt and the first (and second) null
// below the beam is filled to the requested level.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace velmo {

// The largest bay count the program takes (from a design file or a command): the
// catalog's arrays have a few dozen bays at most.
constexpr int32_t kMaxBayCount = 1000;

// Element constant P of the bay element factor e = P + (1 - P) cos(theta).
double FMElementConstant(const std::string& familyID);
// Families whose second null is filled as well.
bool FMFillsSecondNull(const std::string& familyID);

// Bays j = 1 ... N from the bottom; the groups are [First, Last] (inclusive), empty when
// First > Last. Group 0: X2*X1, group 1: X2, group 2: X1 with PH, group 3: 1 with PH.
struct TFMArrayGeometry {
    int32_t N = 1;      // bay count, at least 1
    double S = 1;       // spacing in wavelengths (already scaled by 99.6 %)
    std::array<int32_t, 4> First{};
    std::array<int32_t, 4> Last{};
};
// From the pattern's BayCount and BaySpacing: N raised to 1 and lowered to
// kMaxBayCount, S = spacing * 99.6 / 100, 1 when not positive.
TFMArrayGeometry MakeFMArrayGeometry(int32_t bayCount, double baySpacing);

struct TFMArrayInput {
    std::string FamilyID;
    int32_t BayCount = 1;
    double BaySpacing = 1;
    double Beamtilt = 0;
    double FirstNullFillPercent = 0;
    double SecondNullFillPercent = 0;
};

struct TFMArrayOptions {
    // The literal walks and searches: the second-null walk may slide back into the first
    // null, bay amplitudes may go below 0, and the half-power walks start at the horizon.
    // Only for showing what the sound rules fix.
    bool LiteralWalks = false;
    // When set, every array-factor value AF(theta) (theta in degrees) is taken from this
    // function, and E is evaluated at all 1801 samples at every step: the straightforward
    // evaluation the precomputed one is checked against.
    std::function<double(const TFMArrayGeometry&, double x1, double x2, double ph,
                         double thetaDeg)>
        ArrayFactor;
};

struct TFMArrayResult {
    static constexpr int kHalf = 900;             // samples at k/10 degrees, |k| <= 900
    static constexpr int kSamples = 2 * kHalf + 1;
    std::vector<double> E;      // final pattern, normalized; E[k + kHalf]
    double X1 = 1, X2 = 1, PH = 0;
    double D0 = 0, D1 = 0;      // directivity over a dipole: plain array, final array
    double BeamWidth = 0;
    int TiltEvaluations = 0;    // evaluations of the beam-tilt search
    bool TiltLimitReached = false;
    int Z1 = 901, Z2 = 901;     // first and second null of the tilted pattern (901: none)
    double M1 = 0;              // first side-lobe peak after the first null
    // The walk to the second null reached the first side-lobe peak (a merged lobe): the
    // literal walk then slid into the first null, the sound walk stopped above the peak.
    bool SecondNullCrossedSideLobe = false;
    // A fill search stepped a bay amplitude below 0 (the sound searches stop it at 0).
    bool AmplitudeBelowZero = false;
    double Sample(int k) const { return E[static_cast<size_t>(k + kHalf)]; }
};

// The whole computation; Gain = D1 / D0 * GainFromFile is left to the caller.
TFMArrayResult ComputeFMArray(const TFMArrayInput& input, const TFMArrayOptions& options = {});

// Directivity over a half-wave dipole of 1801 samples (trapezoid rule in degrees).
double PatternDirectivity(const std::vector<double>& e);

}  // namespace velmo
