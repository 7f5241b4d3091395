#pragma once
// Pattern files that coverage-prediction tools read as they stand:
//  - the standard MSI layout (".msi"): a header with the gain, frequency, widths, tilt
//    and polarization, then 360 azimuth and 360 vertical-circle attenuations (dB, 0 at
//    the maximum) at 1 degree steps;
//  - the ".az"/".el" pair of terrain-analysis tools: the unrotated azimuth field with
//    the rotation on the first line, and the elevation field from 10 degrees above the
//    horizon to straight down at 0.01 degree steps.
// Numbers are written with "." whatever the user's decimal separator, as these readers
// expect.
#include <string>
#include <vector>

#include "base/types.h"

namespace velmo {

class TBroadcastDesign;
class TElPattern;

// ---- pattern figures ------------------------------------------------------------------

// An elevation pattern as a function of the angle below the horizon: its points from
// -91 to 91 degrees, sorted by angle (of equal angles the first kept), read by linear
// interpolation between neighbours.
class TElevationCurve {
public:
    explicit TElevationCurve(const TRealPointList& points);
    // True when the points reach from `from` to `to` (degrees below the horizon).
    bool Covers(double from, double to) const;
    bool Empty() const { return FPoints.empty(); }
    double First() const;  // smallest angle held (0 when empty)
    double Last() const;   // largest angle held (0 when empty)
    // The field at x (inside First..Last), never negative.
    double FieldAt(double x) const;
    // The largest field from -90 to 90 degrees and its angle (the first of equals).
    double MaxField() const { return FMax; }
    double MaxAngle() const { return FMaxAngle; }
    // Half-power width around the maximum from -90 to 90 degrees: where the field
    // falls below MaxField / sqrt(2) on either side (interpolated), or the end of that
    // range when it does not.
    double HalfPowerWidth() const;

private:
    std::vector<TRealPoint> FPoints;
    double FMax = 0;
    double FMaxAngle = 0;
};

// Half-power width in degrees of 360 azimuth samples (index = azimuth): from the first
// maximum clockwise and anticlockwise to where the field falls below maximum /
// sqrt(2), interpolated between the samples; 360 when it never does.
double AzimuthHalfPowerWidth(const std::vector<double>& field);
// Attenuation (dB, >= 0) of the azimuth opposite the first maximum below the maximum.
double FrontToBackdB(const std::vector<double>& field);

// The slot's electrical beam tilt, positive downward (TV patterns keep the tilt
// positive downward, the FM array a beam maximum at -Beamtilt degrees below the
// horizon).
double ElectricalDownTilt(const TElPattern& pattern);
// The slot's main-beam power gain in dBd: azimuth gain times elevation gain.
double SlotGaindBd(TPatternType patternType, const TBroadcastDesign& design);
// "H", "V", or the slot's polarization word ("Circular" for a circularly polarized FM
// antenna).
std::string SlotPolarization(TPatternType patternType, const TBroadcastDesign& design);

// ---- file texts -------------------------------------------------------------------------

// The MSI file of one slot; `twoSlots` adds the slot to the NAME line. Each text
// function loads the slot's points and rebuilds the azimuth rotation, nothing else in
// the design changes. Throws Error when the slot cannot be exported: an azimuth
// pattern short of 360 points, a pattern without any field, an elevation pattern that
// does not reach the angles the layout holds, or no known gain.
std::string MSIText(TPatternType patternType, bool twoSlots, TBroadcastDesign& design);
// The ".az" file: the design's rotation (degrees clockwise, 0 to 360) on the first
// line, then "<azimuth> <field>" for the unrotated pattern, 0 to 359, LF line ends.
std::string SplatAzimuthText(TPatternType patternType, TBroadcastDesign& design);
// The ".el" file: "<mechanical tilt> <its azimuth>" (0 and the rotation: the
// electrical tilt is in the values), then "<angle> <field>" from -10 to 90 degrees
// below the horizon at 0.01 degree steps, LF line ends.
std::string SplatElevationText(TPatternType patternType, TBroadcastDesign& design);

// The pair of names of one slot's ".az"/".el" files: `fileName` with its extension
// replaced by the slot suffix ("_horizontal", "_vertical", "_fm") and ".az"/".el" when
// the design writes two slots, by ".az"/".el" alone when it writes one (the reader
// pairs the files with its site files by base name).
std::vector<std::string> SplatFileNames(const std::string& fileName, TPatternType patternType,
                                        bool twoSlots);

}  // namespace velmo
