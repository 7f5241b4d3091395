#include "export/coverageexport.h"

#include <algorithm>
#include <cmath>

#include "base/conversions.h"
#include "base/error.h"
#include "base/fileio.h"
#include "base/numbers.h"
#include "export/exportcommon.h"
#include "model/design.h"

#ifndef VELMO_VERSION
#define VELMO_VERSION "0.0.0"
#endif

namespace velmo {

using namespace exportdetail;

namespace {

constexpr double kHalfPower = 0.70710678118654752440;  // field at half power

// Numbers as the coverage tools read them: "." in every locale.
std::string Dot(double v, int decimals) {
    std::string s = FormatFixed(v, decimals, '.');
    if (s.find_first_not_of("-0.") == std::string::npos && s[0] == '-') s.erase(0, 1);  // no "-0.000"
    return s;
}

std::string PatternName(const TAzPattern& az) {
    return !az.PatternID.empty() ? az.PatternID : az.FileName;
}

std::string PatternName(const TElPattern& el) {
    return !el.PolID.empty() ? el.PolID : el.FileName;
}

std::string Quoted(const std::string& name) {
    return name.empty() ? std::string() : " \"" + name + "\"";
}

// The first 360 field values of a point list, negative values as 0.
std::vector<double> Field360(const TRealPointList& points) {
    std::vector<double> f(kAzimuthLines);
    for (int i = 0; i < kAzimuthLines; ++i) {
        double y = points.PPoint(i).Y;
        f[static_cast<size_t>(i)] = std::isfinite(y) && y > 0 ? y : 0;
    }
    return f;
}

double MaxOf(const std::vector<double>& f) { return *std::max_element(f.begin(), f.end()); }

// The azimuth field of the slot (rotated or not), refused when it holds no field.
std::vector<double> AzimuthField(const TRealPointList& points, TPatternType patternType,
                                 const TAzPattern& az) {
    std::vector<double> f = Field360(points);
    if (!(MaxOf(f) > 0))
        throw Error("Cannot export the " + std::string(SlotName(patternType)) + " azimuth pattern" +
                    Quoted(PatternName(az)) + ": it holds no field above 0.");
    return f;
}

TElevationCurve ElevationCurve(const TRealPointList& points, TPatternType patternType,
                               const TElPattern& el, double from, double to) {
    TElevationCurve curve(points);
    if (!curve.Covers(from, to)) {
        std::string held = curve.Empty() ? "it holds no points"
                                         : "it holds points from " + FormatGeneral(curve.First(), '.') +
                                               " to " + FormatGeneral(curve.Last(), '.') + " degrees";
        throw Error("Cannot export the " + std::string(SlotName(patternType)) +
                    " elevation pattern" + Quoted(PatternName(el)) + ": " + held +
                    " below the horizon, the file needs " + FormatGeneral(from, '.') + " to " +
                    FormatGeneral(to, '.') + ".");
    }
    if (!(curve.MaxField() > 0))
        throw Error("Cannot export the " + std::string(SlotName(patternType)) +
                    " elevation pattern" + Quoted(PatternName(el)) + ": it holds no field above 0.");
    return curve;
}

// Attenuation in dB below the maximum, 0 or positive.
double Attenuation(double field, double max) {
    double a = -static_cast<double>(FieldTodBExt(field / max));
    return a > 0 ? a : 0;
}

// The angle below the horizon of position c (0 ... 359) on the vertical circle: 0 the
// front horizon, 90 straight down, 180 the rear horizon, 270 straight up. The rear
// half is the front half mirrored, as for any vertical array.
double VerticalCircleAngle(int c) {
    if (c <= 90) return c;
    if (c <= 270) return 180 - c;
    return c - 360;
}

int NormalizedRotation(int angle) { return ((angle % 360) + 360) % 360; }

void AddLF(std::string& out, const std::string& line) {
    out += line;
    out += '\n';
}

}  // namespace

// ---- TElevationCurve ------------------------------------------------------------------

TElevationCurve::TElevationCurve(const TRealPointList& points) {
    for (const TRealPoint& p : points.Points())
        if (std::isfinite(p.X) && std::isfinite(p.Y) && p.X >= -91 && p.X <= 91) FPoints.push_back(p);
    std::stable_sort(FPoints.begin(), FPoints.end(),
                     [](const TRealPoint& a, const TRealPoint& b) { return a.X < b.X; });
    FPoints.erase(std::unique(FPoints.begin(), FPoints.end(),
                              [](const TRealPoint& a, const TRealPoint& b) { return a.X == b.X; }),
                  FPoints.end());
    for (TRealPoint& p : FPoints)
        if (p.Y < 0) p.Y = 0;
    bool first = true;
    for (const TRealPoint& p : FPoints) {
        if (p.X < -90 || p.X > 90) continue;
        if (first || p.Y > FMax) {
            FMax = p.Y;
            FMaxAngle = p.X;
            first = false;
        }
    }
}

bool TElevationCurve::Covers(double from, double to) const {
    return !FPoints.empty() && FPoints.front().X <= from && FPoints.back().X >= to;
}

double TElevationCurve::First() const { return FPoints.empty() ? 0 : FPoints.front().X; }
double TElevationCurve::Last() const { return FPoints.empty() ? 0 : FPoints.back().X; }

double TElevationCurve::FieldAt(double x) const {
    if (FPoints.empty()) return 0;
    auto it = std::lower_bound(FPoints.begin(), FPoints.end(), x,
                               [](const TRealPoint& p, double v) { return p.X < v; });
    if (it == FPoints.end()) return FPoints.back().Y;
    if (it->X == x || it == FPoints.begin()) return it->Y;
    const TRealPoint& b = *it;
    const TRealPoint& a = *(it - 1);
    return a.Y + (b.Y - a.Y) * (x - a.X) / (b.X - a.X);
}

double TElevationCurve::HalfPowerWidth() const {
    if (!(FMax > 0)) return 0;
    const double t = FMax * kHalfPower;
    auto top = std::find_if(FPoints.begin(), FPoints.end(),
                            [this](const TRealPoint& p) { return p.X == FMaxAngle; });
    if (top == FPoints.end()) return 0;
    // Lower edge (towards smaller angles).
    double lower = std::max(-90.0, FPoints.front().X);
    for (auto it = top; it != FPoints.begin(); --it) {
        const TRealPoint& inside = *it;
        const TRealPoint& next = *(it - 1);
        if (next.X < -90) {
            lower = -90;
            break;
        }
        if (next.Y < t) {
            lower = inside.X - (inside.Y - t) / (inside.Y - next.Y) * (inside.X - next.X);
            break;
        }
        lower = next.X;
    }
    double upper = std::min(90.0, FPoints.back().X);
    for (auto it = top; it + 1 != FPoints.end(); ++it) {
        const TRealPoint& inside = *it;
        const TRealPoint& next = *(it + 1);
        if (next.X > 90) {
            upper = 90;
            break;
        }
        if (next.Y < t) {
            upper = inside.X + (inside.Y - t) / (inside.Y - next.Y) * (next.X - inside.X);
            break;
        }
        upper = next.X;
    }
    return upper - lower;
}

// ---- figures ----------------------------------------------------------------------------

double AzimuthHalfPowerWidth(const std::vector<double>& field) {
    const int n = static_cast<int>(field.size());
    if (n == 0) return 0;
    const int m = static_cast<int>(std::max_element(field.begin(), field.end()) - field.begin());
    const double t = field[static_cast<size_t>(m)] * kHalfPower;
    auto at = [&](int k) { return field[static_cast<size_t>(((m + k) % n + n) % n)]; };
    // Degrees from the maximum to the half-power crossing in direction dir, or -1.
    auto edge = [&](int dir) {
        for (int k = 1; k < n; ++k) {
            double inside = at(dir * (k - 1)), next = at(dir * k);
            if (next < t) return (k - 1) + (inside - t) / (inside - next);
        }
        return -1.0;
    };
    const double cw = edge(1), ccw = edge(-1);
    if (cw < 0 || ccw < 0) return n;
    return std::min<double>(n, cw + ccw);
}

double FrontToBackdB(const std::vector<double>& field) {
    const size_t n = field.size();
    if (n == 0) return 0;
    const size_t m = static_cast<size_t>(std::max_element(field.begin(), field.end()) - field.begin());
    const double max = field[m];
    if (!(max > 0)) return 0;
    return Attenuation(field[(m + n / 2) % n], max);
}

double ElectricalDownTilt(const TElPattern& pattern) {
    return pattern.PatternType == ptFM ? -pattern.Beamtilt() : pattern.Beamtilt();
}

double SlotGaindBd(TPatternType patternType, const TBroadcastDesign& design) {
    const double ratio = design.AzimuthPage.Pattern(patternType).Gain() *
                         design.ElevationPage.Pattern(patternType).Gain();
    return ratio > 0 && std::isfinite(ratio) ? 10 * std::log10(ratio) : NAN;
}

std::string SlotPolarization(TPatternType patternType, const TBroadcastDesign& design) {
    if (patternType == ptVertical) return "V";
    if (patternType == ptHorizontal) return design.OptionsPage.PolCode == "V" ? "V" : "H";
    const TAzPattern& az = design.AzimuthPage.Pattern(ptFM);
    const std::string& code = !az.PolCode.empty() ? az.PolCode : design.OptionsPage.PolCode;
    if (code == "H" || code == "V") return code;
    std::string word = az.Polarization();
    return !word.empty() ? word : code;
}

// ---- MSI --------------------------------------------------------------------------------

std::string MSIText(TPatternType patternType, bool twoSlots, TBroadcastDesign& design) {
    std::string name = PartNumber(design);
    TSlotPoints pts = PrepareSlot(patternType, design);
    const TAzPattern& az = design.AzimuthPage.Pattern(patternType);
    const TElPattern& el = design.ElevationPage.Pattern(patternType);
    const std::vector<double> azField = AzimuthField(pts.Azimuth, patternType, az);
    const TElevationCurve curve = ElevationCurve(pts.Elevation, patternType, el, -90, 90);
    const double gain = SlotGaindBd(patternType, design);
    if (!std::isfinite(gain))
        throw Error("Cannot export the " + std::string(SlotName(patternType)) +
                    " pattern to MSI: the design holds no gain for it.");
    if (twoSlots) name += patternType == ptVertical ? "_vertical" : "_horizontal";

    const double azMax = MaxOf(azField);
    const double elMax = curve.MaxField();
    std::string out;
    out.reserve(2 * kAzimuthLines * 12 + 512);
    AddLine(out, "NAME " + name);
    AddLine(out, "MAKE Orvane");
    AddLine(out, "FREQUENCY " + FormatGeneral(design.OptionsPage.Channel.MidFreq, '.'));
    AddLine(out, "H_WIDTH " + Dot(AzimuthHalfPowerWidth(azField), 2));
    AddLine(out, "V_WIDTH " + Dot(curve.HalfPowerWidth(), 2));
    AddLine(out, "FRONT_TO_BACK " + Dot(FrontToBackdB(azField), 3));
    AddLine(out, "GAIN " + Dot(gain, 3) + " dBd");
    AddLine(out, "TILT ELECTRICAL");
    AddLine(out, "ELECTRICAL_TILT " + Dot(ElectricalDownTilt(el), 3));
    AddLine(out, "POLARIZATION " + SlotPolarization(patternType, design));
    AddLine(out, "COMMENT " + design.GetTitle() + ", azimuth clockwise from north with the front turned " +
                     FormatInt(NormalizedRotation(az.Angle)) + " deg, elevation 0 front horizon 90 down, Velmo " +
                     VELMO_VERSION);
    AddLine(out, "HORIZONTAL " + FormatInt(kAzimuthLines));
    for (int i = 0; i < kAzimuthLines; ++i)
        AddLine(out, FormatInt(i) + " " + Dot(Attenuation(azField[static_cast<size_t>(i)], azMax), 3));
    AddLine(out, "VERTICAL " + FormatInt(kAzimuthLines));
    for (int c = 0; c < kAzimuthLines; ++c)
        AddLine(out, FormatInt(c) + " " + Dot(Attenuation(curve.FieldAt(VerticalCircleAngle(c)), elMax), 3));
    return To8Bit(out);
}

// ---- .az / .el ----------------------------------------------------------------------------

std::string SplatAzimuthText(TPatternType patternType, TBroadcastDesign& design) {
    PrepareSlot(patternType, design);
    const TAzPattern& az = design.AzimuthPage.Pattern(patternType);
    // The unrotated pattern: the reader turns it by the first line.
    const std::vector<double> f = AzimuthField(az.Points, patternType, az);
    const double max = MaxOf(f);
    std::string out;
    out.reserve(kAzimuthLines * 14 + 16);
    AddLF(out, Dot(NormalizedRotation(az.Angle), 1));
    for (int i = 0; i < kAzimuthLines; ++i)
        AddLF(out, FormatInt(i) + " " + Dot(f[static_cast<size_t>(i)] / max, 6));
    return out;
}

std::string SplatElevationText(TPatternType patternType, TBroadcastDesign& design) {
    TSlotPoints pts = PrepareSlot(patternType, design);
    const TAzPattern& az = design.AzimuthPage.Pattern(patternType);
    const TElPattern& el = design.ElevationPage.Pattern(patternType);
    const TElevationCurve curve = ElevationCurve(pts.Elevation, patternType, el, -10, 90);
    const double max = curve.MaxField();
    std::string out;
    out.reserve(10001 * 16 + 16);
    // The first line is a mechanical tilt, which the reader applies on top of the
    // values: the electrical tilt is already in them, so none is given here.
    AddLF(out, "0.00 " + Dot(NormalizedRotation(az.Angle), 1));
    for (int k = -1000; k <= 9000; ++k) {
        const double x = k / 100.0;
        AddLF(out, Dot(x, 2) + " " + Dot(curve.FieldAt(x) / max, 6));
    }
    return out;
}

std::vector<std::string> SplatFileNames(const std::string& fileName, TPatternType patternType,
                                        bool twoSlots) {
    std::string suffix;
    if (twoSlots) suffix = patternType == ptVertical ? "_vertical" : patternType == ptFM ? "_fm" : "_horizontal";
    return {ChangeFileExt(fileName, suffix + ".az"), ChangeFileExt(fileName, suffix + ".el")};
}

}  // namespace velmo
