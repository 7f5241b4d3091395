#include "patterns/fmarray.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace velmo {

namespace {

constexpr int kHalf = TFMArrayResult::kHalf;
constexpr int kSamples = TFMArrayResult::kSamples;
constexpr double kPi = std::numbers::pi;
// Directivity of a half-wave dipole over an isotropic radiator.
constexpr double kDipoleDirectivity = 1.640742966;

inline double Rad(double deg) { return deg * (kPi / 180.0); }
inline size_t Idx(int k) { return static_cast<size_t>(k + kHalf); }

// cos and sin of every sample angle k/10 degree, computed once per process.
struct TAngleTables {
    std::vector<double> Cos, Sin;
    TAngleTables() : Cos(kSamples), Sin(kSamples) {
        for (int k = -kHalf; k <= kHalf; ++k) {
            double r = Rad(k / 10.0);
            Cos[Idx(k)] = std::cos(r);
            Sin[Idx(k)] = std::sin(r);
        }
    }
};
const TAngleTables& AngleTables() {
    static const TAngleTables tables;
    return tables;
}

// What each bay group contributes at one angle: the sums of cos psi and sin psi over its
// bays, without weight and group phase. These do not change while the searches vary
// X1, X2 and PH, so they are worked out once per angle per computation.
struct TGroupSums {
    double C[4] = {0, 0, 0, 0};
    double S[4] = {0, 0, 0, 0};
};

// psi(j) = (j - 1) u with u = -2 pi S sin(theta): the bay phasors are the powers of
// exp(i u), taken by successive multiplication.
TGroupSums GroupSumsFromSin(const TFMArrayGeometry& g, double sinTheta) {
    TGroupSums t;
    const double u = -2.0 * kPi * g.S * sinTheta;
    const double cu = std::cos(u), su = std::sin(u);
    double zc = 1, zs = 0;
    int32_t j = 1;
    for (int grp = 0; grp < 4; ++grp) {
        for (; j <= g.Last[grp]; ++j) {
            t.C[grp] += zc;
            t.S[grp] += zs;
            double nc = zc * cu - zs * su;
            zs = zs * cu + zc * su;
            zc = nc;
        }
    }
    return t;
}

TGroupSums GroupSumsAt(const TFMArrayGeometry& g, double thetaDeg) {
    return GroupSumsFromSin(g, std::sin(Rad(thetaDeg)));
}

// The array factor from the group sums with the weights X2*X1, X2, X1, 1 and the phase
// PH (given as its cos and sin) on the upper half.
inline double ArrayFactorFromSums(const double C[4], const double S[4], double x1, double x2,
                                  double cph, double sph, double n) {
    const double w0 = x2 * x1;
    const double lowRe = w0 * C[0] + x2 * C[1];
    const double lowIm = w0 * S[0] + x2 * S[1];
    const double upRe = x1 * C[2] + C[3];
    const double upIm = x1 * S[2] + S[3];
    const double re = lowRe + upRe * cph - upIm * sph;
    const double im = lowIm + upIm * cph + upRe * sph;
    return std::sqrt(re * re + im * im) / n;
}

// The working state of one computation: the search variables, the per-angle group sums,
// and the working pattern E. Values of E that only the index walks read (the plain
// array factor between the fill searches) are evaluated when a walk first reads them.
class TFMWork {
public:
    TFMWork(const TFMArrayGeometry& g, double p, const TFMArrayOptions& options)
        : G(g), P(p), FN(g.N), FRef(options.ArrayFactor), FE(kSamples), FStamp(kSamples, 0) {
        const TAngleTables& tab = AngleTables();
        FElement.resize(kSamples);
        for (int k = -kHalf; k <= kHalf; ++k) FElement[Idx(k)] = P + (1 - P) * tab.Cos[Idx(k)];
        if (!FRef) {
            for (auto& v : FC) v.resize(kSamples);
            for (auto& v : FS) v.resize(kSamples);
            // sin is odd, so the sums at -theta are those at theta with S negated.
            for (int k = 0; k <= kHalf; ++k) {
                TGroupSums t = GroupSumsFromSin(G, tab.Sin[Idx(k)]);
                for (int grp = 0; grp < 4; ++grp) {
                    FC[grp][Idx(k)] = t.C[grp];
                    FC[grp][Idx(-k)] = t.C[grp];
                    FS[grp][Idx(k)] = t.S[grp];
                    FS[grp][Idx(-k)] = k == 0 ? t.S[grp] : -t.S[grp];
                }
            }
        }
        SetPhase(0);
    }

    void SetPhase(double ph) {
        PH = ph;
        FCph = std::cos(Rad(ph));
        FSph = std::sin(Rad(ph));
    }

    // Element factor.
    double ElementAt(double thetaDeg) const { return P + (1 - P) * std::cos(Rad(thetaDeg)); }
    double ElementK(int k) const {
        return k >= -kHalf && k <= kHalf ? FElement[Idx(k)] : ElementAt(k / 10.0);
    }

    // Array factor at a sample angle k/10 (any integer k) and at any angle given by its
    // precomputed group sums.
    double ArrayK(int k) const {
        if (FRef) return FRef(G, X1, X2, PH, k / 10.0);
        if (k < -kHalf || k > kHalf) return ArrayAt(k / 10.0);
        const size_t i = Idx(k);
        const double C[4] = {FC[0][i], FC[1][i], FC[2][i], FC[3][i]};
        const double S[4] = {FS[0][i], FS[1][i], FS[2][i], FS[3][i]};
        return ArrayFactorFromSums(C, S, X1, X2, FCph, FSph, FN);
    }
    double ArrayAt(double thetaDeg) const {
        if (FRef) return FRef(G, X1, X2, PH, thetaDeg);
        TGroupSums t = GroupSumsAt(G, thetaDeg);
        return ArrayFactorFromSums(t.C, t.S, X1, X2, FCph, FSph, FN);
    }
    // A fixed off-grid angle used through a whole search.
    struct TPoint {
        double Theta;
        TGroupSums Sums;
    };
    TPoint MakePoint(double thetaDeg) const { return {thetaDeg, GroupSumsAt(G, thetaDeg)}; }
    double ArrayAt(const TPoint& p) const {
        if (FRef) return FRef(G, X1, X2, PH, p.Theta);
        return ArrayFactorFromSums(p.Sums.C, p.Sums.S, X1, X2, FCph, FSph, FN);
    }

    // E = array factor x element factor, normalized (all samples).
    void SetNormalizedPattern() {
        double mx = 0;
        for (int k = -kHalf; k <= kHalf; ++k) {
            double v = ArrayK(k) * FElement[Idx(k)];
            FE[Idx(k)] = v;
            if (v > mx) mx = v;
        }
        if (mx == 0) mx = 1;
        for (double& v : FE) v /= mx;
        Touch(true);
    }
    // E = array factor alone, not normalized.
    void SetArrayPattern() {
        if (FRef) {
            for (int k = -kHalf; k <= kHalf; ++k) FE[Idx(k)] = ArrayK(k);
            Touch(true);
        } else {
            Touch(false);
        }
    }
    double E(int k) {
        const size_t i = Idx(k);
        if (FStamp[i] != FCurrent) {
            FE[i] = ArrayK(k);
            FStamp[i] = FCurrent;
        }
        return FE[i];
    }
    std::vector<double> TakePattern() {
        for (int k = -kHalf; k <= kHalf; ++k) E(k);
        return FE;
    }

    const TFMArrayGeometry& G;
    const double P;
    double X1 = 1, X2 = 1, PH = 0;

private:
    // A new content of E: either all samples are valid now, or none until read.
    void Touch(bool allValid) {
        ++FCurrent;
        if (allValid) std::fill(FStamp.begin(), FStamp.end(), FCurrent);
    }

    const double FN;
    const decltype(TFMArrayOptions::ArrayFactor)& FRef;
    std::vector<double> FElement;
    std::vector<double> FC[4], FS[4];
    double FCph = 1, FSph = 0;
    std::vector<double> FE;
    std::vector<uint32_t> FStamp;
    uint32_t FCurrent = 1;
};

// The one-variable search. Evaluates d(v); stops below the tolerance; otherwise steps v
// by s, and whenever the error grew, turns back with the step divided by q. Stops after
// `limit` evaluations, and (null fills) when the step falls below 0.001. Returns the
// number of evaluations counted when it stopped at the limit, 0 otherwise.
// Amplitude searches pass `belowZero`: it is set when a step takes v below 0, and with
// `clampAtZero` such a step lands on 0 instead.
template <class F>
int Search(double& v, double s, double q, double tol, int limit, bool minStep, F&& d,
           bool* belowZero = nullptr, bool clampAtZero = false) {
    auto floorAtZero = [&] {
        if (belowZero && v < 0) {
            *belowZero = true;
            if (clampAtZero) v = 0;
        }
    };
    int n = 0;
    double prev = 0;
    for (;;) {
        const double dv = d(v);
        if (dv < tol) return 0;
        if (n == 0) {
            n = 1;
            prev = dv;
            v += s;
            floorAtZero();
            continue;
        }
        ++n;
        if (n == limit) return n;
        if (dv > prev) s = -s / q;
        if (minStep && std::fabs(s) < 0.001) return 0;
        v += s;
        floorAtZero();
        prev = dv;
    }
}

// A scan start (already the integer part of its angle in tenths) kept inside the
// samples: a start below -899 would read E(k - 1) before the first sample; one above 900
// means an empty scan.
int ScanStart(double start) {
    if (!(start >= -kHalf + 1)) return -kHalf + 1;  // also NaN
    if (start > kHalf + 1) return kHalf + 1;
    return static_cast<int>(start);
}

// The nearest local minimum of E from index i. The walks stay inside the 1801 samples:
// the pattern continues mirrored about -90 and 90 degrees, so a walk that reaches an end
// sample has found a local extreme there and takes it; a start beyond the ends (901, "no
// null") starts at the end sample. `floor` is the lowest index the downward walk may
// return.
int NearestMinimum(TFMWork& w, int i, int floor) {
    i = std::clamp(i, -kHalf, kHalf);
    if (i == kHalf) return i;
    const double here = w.E(i), next = w.E(i + 1);
    if (here < next) {
        int k = i;
        while (k >= floor && w.E(k) < w.E(k + 1)) --k;
        return k + 1;
    }
    if (here > next) {
        int k = i;
        while (k < kHalf && w.E(k) > w.E(k + 1)) ++k;
        return k;
    }
    return i;
}

// Half-power beam width of the normalized pattern e, walking out from index `start`.
// A walk that reaches an end sample still above half power takes that end (+-90 degrees)
// as the edge.
double HalfPowerBeamwidth(const std::vector<double>& e, int start) {
    const double t = 1.0 / std::sqrt(2.0);
    auto E = [&](int k) { return e[Idx(k)]; };
    auto theta = [](int k) { return k / 10.0; };
    // Values that are not numbers (as from an absurd tilt) have no beam to measure.
    if (std::isnan(E(start))) return 0;
    double lower, upper;
    int k = start;
    while (k > -kHalf && E(k) > t) --k;
    // A walk that cannot move (its start already at or below half power) and stands at
    // an end of the samples has no neighbour to interpolate with: the end is the edge.
    if (E(k) > t || k + 1 > kHalf) {
        lower = theta(k);
    } else {
        const double den = E(k + 1) - E(k);
        lower = den != 0 ? theta(k) + (t - E(k)) / den * (theta(k + 1) - theta(k)) : theta(k);
    }
    k = start;
    while (k < kHalf && E(k) > t) ++k;
    if (E(k) > t || k - 1 < -kHalf) {
        upper = theta(k);
    } else {
        const double den = E(k - 1) - E(k);
        upper = den != 0 ? theta(k) - (t - E(k)) / den * (theta(k) - theta(k - 1)) : theta(k);
    }
    return upper - lower;
}

}  // namespace

double FMElementConstant(const std::string& f) {
    // 240C is a bay of the same element kind as the K410/K460 families and is given their
    // constant: a constant of 0 would make its bays radiate nothing towards the zenith
    // and nadir, a shape none of the catalog's FM bays has.
    if (f == "RNVX" || f == "TGX" || f == "BKX" || f == "RNVH" || f == "K410" || f == "K460" ||
        f == "240C")
        return 0.126;
    if (f == "VOLKA") return 0.189;
    return 0;
}

bool FMFillsSecondNull(const std::string& f) { return f == "RNVX" || f == "TGX"; }

TFMArrayGeometry MakeFMArrayGeometry(int32_t bayCount, double baySpacing) {
    TFMArrayGeometry g;
    g.N = std::clamp<int32_t>(bayCount, 1, kMaxBayCount);
    g.S = baySpacing * 99.6 / 100;
    if (!(g.S > 0)) g.S = 1;
    const int32_t half = g.N / 2;
    const int32_t b = g.N - half;
    const int32_t g1 = b - b / 2;
    const int32_t g3 = g.N - half / 2;
    g.First = {1, g1 + 1, b + 1, g3 + 1};
    g.Last = {g1, b, g3, g.N};
    return g;
}

double PatternDirectivity(const std::vector<double>& e) {
    const TAngleTables& tab = AngleTables();
    auto y = [&](int k) { return e[Idx(k)] * e[Idx(k)] * tab.Cos[Idx(k)]; };
    double sum = 0;
    for (int k = -kHalf + 1; k <= kHalf; ++k) sum += (y(k - 1) + y(k)) / 2 * 0.1;
    return 360.0 / (kPi * sum) / kDipoleDirectivity;
}

TFMArrayResult ComputeFMArray(const TFMArrayInput& in, const TFMArrayOptions& options) {
    TFMArrayResult r;
    const TFMArrayGeometry g = MakeFMArrayGeometry(in.BayCount, in.BaySpacing);
    TFMWork w(g, FMElementConstant(in.FamilyID), options);
    const double T = in.Beamtilt;

    // 1. The plain array.
    w.SetNormalizedPattern();
    r.D0 = PatternDirectivity(w.TakePattern());

    // 2. Beam tilt: the phase of the upper half that balances the array factor 1 degree
    // either side of the beam direction.
    {
        const auto a = w.MakePoint(-T - 1), b = w.MakePoint(-T + 1);
        double ph = 0;
        int count = Search(ph, 20, 2, 0.0002, 100, false, [&](double v) {
            w.SetPhase(v);
            return std::fabs(w.ArrayAt(a) - w.ArrayAt(b));
        });
        w.SetPhase(ph);
        r.TiltEvaluations = count;
        r.TiltLimitReached = count > 0;
    }

    // 3. The tilted pattern.
    w.SetNormalizedPattern();

    // 4. Nulls and the first side lobe below the beam.
    int peak1 = kHalf + 1;
    {
        bool lookingForNull = true;
        int nulls = 0, peaks = 0;
        bool nullWithoutPeak = false;
        for (int k = ScanStart(std::trunc(-10.0 * T) + 10); k <= kHalf; ++k) {
            if (lookingForNull) {
                if (w.E(k) > w.E(k - 1)) {
                    (nulls == 0 ? r.Z1 : r.Z2) = k - 1;
                    ++nulls;
                    lookingForNull = false;
                    nullWithoutPeak = true;
                }
            } else if (w.E(k) < w.E(k - 1)) {
                if (peaks == 0) {
                    r.M1 = w.E(k - 1);
                    peak1 = k - 1;
                }
                nullWithoutPeak = false;
                if (++peaks == 2) break;
                lookingForNull = true;
            }
        }
        // A first null with no side-lobe peak after it before 90 degrees: the pattern
        // rises from the null to the end of the samples, so the lobe's highest sample,
        // the one at 90 degrees, stands for its peak.
        if (nullWithoutPeak && peaks == 0) {
            r.M1 = w.E(kHalf);
            peak1 = kHalf;
        }
    }

    // The fill searches vary bay amplitudes. An amplitude below 0 is no amplitude: it
    // reverses the phase of those bays. It only appears where a fill target cannot be
    // met by weakening the bay groups, and then wrecks the beam. The amplitudes
    // therefore stop at 0 (those bays switched off); searches that keep them at or
    // above 0 are untouched.
    const bool amplitudeFloor = !options.LiteralWalks;
    const double f1 = in.FirstNullFillPercent / 100;
    const double f2 = in.SecondNullFillPercent / 100;
    const auto beam = w.MakePoint(-T);
    const double beamElement = w.ElementAt(-T);
    // r = AF(i/10) e(i/10) / (AF(-T) e(-T)) at the current X1, X2, PH.
    auto ratio = [&](int i) {
        return w.ArrayK(i) * w.ElementK(i) / (w.ArrayAt(beam) * beamElement);
    };

    // 5. First null fill.
    int i = kHalf + 1;
    if (r.Z1 <= kHalf) {
        for (int pass = 0; pass < 5; ++pass) {
            if (f1 >= r.M1) {
                i = r.Z1;
            } else {
                i = kHalf + 1;
                for (int k = ScanStart(std::trunc(10.0 * (1 - T))); k <= kHalf; ++k) {
                    if (w.E(k) > w.E(k - 1)) {
                        i = k - 1;
                        break;
                    }
                }
            }
            Search(w.X2, -0.1, 2, f1 == 0 ? 0.01 : 0.0002, 50, true, [&](double v) {
                w.X2 = v;
                return std::fabs(ratio(i) - f1);
            }, &r.AmplitudeBelowZero, amplitudeFloor);
            w.SetArrayPattern();
        }
    }

    // 6. Second null fill (RNVX, TGX).
    if (FMFillsSecondNull(in.FamilyID) && r.Z2 <= kHalf) {
        int i2 = r.Z2;
        // The second null lies beyond the side lobe that follows the first null. Once
        // the fills have merged that lobe into the slope, a walk down from the second
        // null slides back into the first null, and the X1 search then fights the X2
        // search over the same null (driving the amplitude of the lower bay groups
        // negative, down to a beam with a negative width). The second-null index
        // therefore never crosses back over the first side-lobe peak of the tilted
        // pattern: its downward walk stops just above that peak. Walks that do not
        // reach the peak are untouched.
        for (int pass = 0; pass < 3; ++pass) {
            for (int n = 0; n < 5; ++n) {
                int next = NearestMinimum(w, i2, -kHalf);
                if (next <= peak1 && i2 > peak1) {
                    r.SecondNullCrossedSideLobe = true;
                    if (!options.LiteralWalks) next = NearestMinimum(w, i2, peak1 + 1);
                }
                i2 = next;
                Search(w.X1, -0.05, 10, f2 == 0 ? 0.01 : 0.0002, 50, true, [&](double v) {
                    w.X1 = v;
                    return std::fabs(ratio(i2) - f2);
                }, &r.AmplitudeBelowZero, amplitudeFloor);
                w.SetArrayPattern();
            }
            for (int n = 0; n < 5; ++n) {
                if (f1 >= r.M1) {
                    i = r.Z1;
                } else {
                    i = NearestMinimum(w, i, -kHalf);
                }
                Search(w.X2, -0.01, 2, f1 == 0 ? 0.01 : 0.0002, 50, true, [&](double v) {
                    w.X2 = v;
                    return std::fabs(ratio(i) - f1);
                }, &r.AmplitudeBelowZero, amplitudeFloor);
                w.SetArrayPattern();
            }
        }
    }

    // 7. The final pattern and its directivity.
    w.SetNormalizedPattern();
    r.E = w.TakePattern();
    r.D1 = PatternDirectivity(r.E);
    r.X1 = w.X1;
    r.X2 = w.X2;
    r.PH = w.PH;

    // 9. Half-power beam width. The edges are taken around the beam maximum: with a
    // large tilt the horizon can lie outside the half-power beam (or in a filled null),
    // and walks from there would measure no beam at all. Whenever the horizon lies
    // inside the half-power beam both starts reach the same edges.
    int start = 0;
    if (!options.LiteralWalks) {
        start = static_cast<int>(std::max_element(r.E.begin(), r.E.end()) - r.E.begin()) - kHalf;
    }
    r.BeamWidth = HalfPowerBeamwidth(r.E, start);
    return r;
}

}  // namespace velmo
