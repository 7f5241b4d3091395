#include "patterns/fmarray.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
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
// X1, X2 and PH, so they are worked out once per angle per computation. The eight sums
// of one angle lie together (one cache line), as every evaluation reads all of them.
struct TGroupSums {
    double C[4] = {0, 0, 0, 0};
    double S[4] = {0, 0, 0, 0};
};

// psi(j) = (j - 1) u with u = -2 pi S sin(theta): the bay phasors are the powers of
// exp(i u), taken by successive multiplication. The phasor after the top bay is not
// needed, so a single bay needs no cos and sin at all.
TGroupSums GroupSumsFromSin(const TFMArrayGeometry& g, double sinTheta) {
    TGroupSums t;
    double cu = 1, su = 0;
    if (g.N > 1) {
        const double u = -2.0 * kPi * g.S * sinTheta;
        cu = std::cos(u);
        su = std::sin(u);
    }
    double zc = 1, zs = 0;
    int32_t j = 1;
    for (int grp = 0; grp < 4; ++grp) {
        for (; j <= g.Last[grp]; ++j) {
            t.C[grp] += zc;
            t.S[grp] += zs;
            if (j == g.N) continue;  // the top bay: no phasor follows
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

// The sample loops below run 2 samples at a time on every x86-64, 4 where the processor
// has AVX: the same IEEE operations per sample either way (AVX brings no fused
// multiply-add), so the same bits.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && !defined(__SANITIZE_ADDRESS__)
#define VELMO_SAMPLE_LOOP __attribute__((target_clones("avx", "default")))
#else
#define VELMO_SAMPLE_LOOP
#endif

// e[i] = AF(i) x element[i] over n samples, from the group sums laid out group by group.
VELMO_SAMPLE_LOOP
void EvaluateSamples(const double* const C[4], const double* const S[4], const double* element,
                     double* e, size_t count, double x1, double x2, double cph, double sph,
                     double n) {
    const double *c0 = C[0], *c1 = C[1], *c2 = C[2], *c3 = C[3];
    const double *s0 = S[0], *s1 = S[1], *s2 = S[2], *s3 = S[3];
    for (size_t i = 0; i < count; ++i) {
        const double Ci[4] = {c0[i], c1[i], c2[i], c3[i]};
        const double Si[4] = {s0[i], s1[i], s2[i], s3[i]};
        e[i] = ArrayFactorFromSums(Ci, Si, x1, x2, cph, sph, n) * element[i];
    }
}

// The largest value above 0 (0 when there is none; not-a-number values never count),
// as a plain walk keeping the largest finds it, taken over four running maxima at once.
double PositiveMaximum(const double* e, size_t count) {
    double m[4] = {0, 0, 0, 0};
    size_t i = 0;
    for (; i + 4 <= count; i += 4)
        for (int l = 0; l < 4; ++l)
            if (e[i + l] > m[l]) m[l] = e[i + l];
    for (; i < count; ++i)
        if (e[i] > m[0]) m[0] = e[i];
    double mx = 0;
    for (double v : m)
        if (v > mx) mx = v;
    return mx;
}

VELMO_SAMPLE_LOOP
void DivideSamples(double* e, size_t count, double by) {
    for (size_t i = 0; i < count; ++i) e[i] /= by;
}

// One step of the bay phasors of every angle: z = z exp(i u).
VELMO_SAMPLE_LOOP
void RotatePhasors(double* zc, double* zs, const double* cu, const double* su, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const double nc = zc[i] * cu[i] - zs[i] * su[i];
        zs[i] = zs[i] * cu[i] + zc[i] * su[i];
        zc[i] = nc;
    }
}

VELMO_SAMPLE_LOOP
void AddPhasors(double* c, double* s, const double* zc, const double* zs, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        c[i] += zc[i];
        s[i] += zs[i];
    }
}

// The buffers of a computation, kept per thread between computations: a spin-button
// step computes again at once, and allocating and touching fresh memory for every
// computation cost more than the arithmetic of a small array.
struct TFMBuffers {
    std::vector<double> Element;
    // The group sums over all samples, group by group: C of groups 0 to 3, then S.
    std::vector<double> Sums;
    // The phasor step and the running phasor per angle from 0 to 90 degrees.
    std::vector<double> Cu, Su, Zc, Zs;
    std::vector<double> E;
    std::vector<uint32_t> Stamp;
    uint32_t Counter = 0;  // the last content number handed out (see TFMWork::Touch)
    // What the buffers hold from the last computation: the element factor is that of
    // ElementP, the group sums those of SumsN bays at spacing SumsS, and D0 the
    // directivity of that plain array with that element. A computation with the same
    // array (every tilt or fill step of the FM page) takes them as they are.
    bool ElementValid = false, SumsValid = false, D0Valid = false;
    double ElementP = 0, SumsS = 0, D0 = 0;
    int32_t SumsN = 0;
    bool InUse = false;
};

// The working state of one computation: the search variables, the per-angle group sums,
// and the working pattern E. Values of E that only the index walks read (the plain
// array factor between the fill searches) are evaluated when a walk first reads them.
class TFMWork {
public:
    TFMWork(const TFMArrayGeometry& g, double p, const TFMArrayOptions& options)
        : G(g), P(p), FN(g.N), FRef(options.ArrayFactor), FBuffers(AcquireBuffers()),
          FElement(FBuffers.Element), FE(FBuffers.E), FStamp(FBuffers.Stamp) {
        const TAngleTables& tab = AngleTables();
        FElement.resize(kSamples);
        FE.resize(kSamples);
        // Content numbers go on from the last computation, so the stamps of the samples
        // it left need no clearing; they start again (all cleared) when they run out.
        if (FStamp.size() != static_cast<size_t>(kSamples) || FBuffers.Counter > 0xF0000000u) {
            FStamp.assign(kSamples, 0);
            FBuffers.Counter = 0;
        }
        FCurrent = ++FBuffers.Counter;
        if (!(FBuffers.ElementValid && FBuffers.ElementP == P)) {
            for (int k = -kHalf; k <= kHalf; ++k) FElement[Idx(k)] = P + (1 - P) * tab.Cos[Idx(k)];
            FBuffers.ElementValid = true;
            FBuffers.ElementP = P;
            FBuffers.D0Valid = false;
        }
        if (!FRef) {
            if (!(FBuffers.SumsValid && FBuffers.SumsN == G.N && FBuffers.SumsS == G.S)) {
                FBuffers.SumsValid = false;
                FBuffers.D0Valid = false;
                ComputeGroupSums(tab);
                FBuffers.SumsValid = true;
                FBuffers.SumsN = G.N;
                FBuffers.SumsS = G.S;
            }
            for (int grp = 0; grp < 4; ++grp) {
                FC[grp] = FBuffers.Sums.data() + static_cast<size_t>(grp) * kSamples;
                FS[grp] = FBuffers.Sums.data() + static_cast<size_t>(4 + grp) * kSamples;
            }
        }
        SetPhase(0);
    }
    ~TFMWork() { FBuffers.InUse = false; }
    TFMWork(const TFMWork&) = delete;
    TFMWork& operator=(const TFMWork&) = delete;

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
        if (FRef) {
            for (int k = -kHalf; k <= kHalf; ++k) {
                double v = ArrayK(k) * FElement[Idx(k)];
                FE[Idx(k)] = v;
                if (v > mx) mx = v;
            }
        } else {
            // Three plain passes (evaluate, find the maximum, divide) instead of one:
            // the first and last then run two or four samples at a time, each sample
            // computed exactly as alone.
            double* e = FE.data();
            EvaluateSamples(FC, FS, FElement.data(), e, kSamples, X1, X2, FCph, FSph, FN);
            mx = PositiveMaximum(e, kSamples);
        }
        if (mx == 0) mx = 1;
        DivideSamples(FE.data(), FE.size(), mx);
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
    // The directivity of the plain array (all weights 1, no phase), from the last
    // computation when it had the same array; leaves the phase at 0.
    double PlainDirectivity() {
        if (!FRef && FBuffers.D0Valid) return FBuffers.D0;
        X1 = 1;
        X2 = 1;
        SetPhase(0);
        SetNormalizedPattern();
        const double d0 = PatternDirectivity(Pattern());
        if (!FRef) {
            FBuffers.D0 = d0;
            FBuffers.D0Valid = true;
        }
        return d0;
    }

    // Every sample of E, evaluated.
    const std::vector<double>& Pattern() {
        if (!FAllValid)
            for (int k = -kHalf; k <= kHalf; ++k) E(k);
        return FE;
    }

    const TFMArrayGeometry& G;
    const double P;
    double X1 = 1, X2 = 1, PH = 0;

private:
    // The group sums at every sample angle, as GroupSumsFromSin gives them one angle at
    // a time, here worked out for all angles from 0 to 90 degrees bay by bay, so that
    // the angles run side by side; each angle's sums are added in the same order.
    void ComputeGroupSums(const TAngleTables& tab) {
        constexpr size_t kUp = kHalf + 1;  // 0 ... 90 degrees
        std::vector<double>& sums = FBuffers.Sums;
        sums.resize(8 * static_cast<size_t>(kSamples));
        double* C[4];
        double* S[4];
        for (int grp = 0; grp < 4; ++grp) {
            C[grp] = sums.data() + static_cast<size_t>(grp) * kSamples;
            S[grp] = sums.data() + static_cast<size_t>(4 + grp) * kSamples;
            FC[grp] = C[grp];
            FS[grp] = S[grp];
            // The sums from 0 to 90 degrees start at 0; those below are mirrored.
            std::fill(C[grp] + kHalf, C[grp] + kSamples, 0.0);
            std::fill(S[grp] + kHalf, S[grp] + kSamples, 0.0);
        }
        std::vector<double>& cu = FBuffers.Cu;
        std::vector<double>& su = FBuffers.Su;
        std::vector<double>& zc = FBuffers.Zc;
        std::vector<double>& zs = FBuffers.Zs;
        cu.resize(kUp);  // read only when there is a second bay
        su.resize(kUp);
        zc.assign(kUp, 1.0);
        zs.assign(kUp, 0.0);
        if (G.N > 1) {
            for (size_t k = 0; k < kUp; ++k) {
                const double u = -2.0 * kPi * G.S * tab.Sin[kHalf + k];
                cu[k] = std::cos(u);
                su[k] = std::sin(u);
            }
        }
        const double *pcu = cu.data(), *psu = su.data();
        double *pzc = zc.data(), *pzs = zs.data();
        int32_t j = 1;
        for (int grp = 0; grp < 4; ++grp) {
            double* c = C[grp] + kHalf;
            double* sn = S[grp] + kHalf;
            for (; j <= G.Last[grp]; ++j) {
                AddPhasors(c, sn, pzc, pzs, kUp);
                if (j == G.N) continue;  // the top bay: no phasor follows
                RotatePhasors(pzc, pzs, pcu, psu, kUp);
            }
        }
        // sin is odd, so the sums at -theta are those at theta with S negated.
        for (int grp = 0; grp < 4; ++grp) {
            for (int k = 1; k <= kHalf; ++k) {
                C[grp][Idx(-k)] = C[grp][Idx(k)];
                S[grp][Idx(-k)] = -S[grp][Idx(k)];
            }
        }
    }

    // The buffers of this thread, or fresh ones when a computation runs inside another
    // (an array-factor function that computes an array itself).
    static TFMBuffers& AcquireBuffers() {
        thread_local TFMBuffers buffers;
        if (!buffers.InUse) {
            buffers.InUse = true;
            return buffers;
        }
        thread_local std::vector<std::unique_ptr<TFMBuffers>> nested;
        for (auto& b : nested)
            if (!b->InUse) {
                b->InUse = true;
                return *b;
            }
        nested.push_back(std::make_unique<TFMBuffers>());
        nested.back()->InUse = true;
        return *nested.back();
    }

    // A new content of E: either all samples are valid now, or none until read.
    void Touch(bool allValid) {
        FCurrent = ++FBuffers.Counter;
        FAllValid = allValid;
        if (allValid) std::fill(FStamp.begin(), FStamp.end(), FCurrent);
    }

    const double FN;
    const decltype(TFMArrayOptions::ArrayFactor)& FRef;
    TFMBuffers& FBuffers;
    std::vector<double>& FElement;
    const double* FC[4] = {};
    const double* FS[4] = {};
    double FCph = 1, FSph = 0;
    std::vector<double>& FE;
    std::vector<uint32_t>& FStamp;
    uint32_t FCurrent = 1;
    bool FAllValid = false;  // every sample of E holds the current content
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
    // y(k) = e(k)^2 cos(theta) once per sample; the trapezoids add them pairwise.
    double y[kSamples];
    for (int k = -kHalf; k <= kHalf; ++k) y[Idx(k)] = e[Idx(k)] * e[Idx(k)] * tab.Cos[Idx(k)];
    double sum = 0;
    for (size_t i = 1; i < static_cast<size_t>(kSamples); ++i) sum += (y[i - 1] + y[i]) / 2 * 0.1;
    return 360.0 / (kPi * sum) / kDipoleDirectivity;
}

TFMArrayResult ComputeFMArray(const TFMArrayInput& in, const TFMArrayOptions& options) {
    TFMArrayResult r;
    const TFMArrayGeometry g = MakeFMArrayGeometry(in.BayCount, in.BaySpacing);
    TFMWork w(g, FMElementConstant(in.FamilyID), options);
    const double T = in.Beamtilt;

    // 1. The plain array.
    r.D0 = w.PlainDirectivity();

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
    r.E = w.Pattern();
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
