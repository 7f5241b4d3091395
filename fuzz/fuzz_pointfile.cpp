// libFuzzer target: arbitrary bytes as a pattern point file, read as a TV azimuth
// file (then turned by an angle taken from the input) and as a TV elevation file
// (extended, then moved by a beam tilt), and written out in both export layouts.
// Nothing may read outside the lists, and the bounds on the point counts must hold.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/error.h"
#include "fuzz_support.h"
#include "patterns/azpattern.h"
#include "patterns/elpattern.h"
#include "patterns/patfile.h"

using namespace velmo;

namespace {
std::string gAzFile, gElFile;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::MakeScratchInstallation();
    gAzFile = AzimuthHPolPath() + "fuzz.pat";
    gElFile = ElevationHPolPath() + "fuzz.pat";
    SetElMessageHandler([](const std::string&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    int16_t angle = 0;
    std::memcpy(&angle, data, 2);
    const double tilt = static_cast<int8_t>(data[2]) / 8.0;
    const bool klx = data[3] & 1;
    const std::string bytes(reinterpret_cast<const char*>(data) + 4, size - 4);
    fuzz::WriteBytes(gAzFile, bytes);
    fuzz::WriteBytes(gElFile, bytes);
    try {
        TAzHorzPattern az;
        az.FileName = "fuzz.pat";
        az.LoadPoints();
        az.Angle = angle;
        az.SetAdjustedPoints();
        if (az.Points.Count() > kMaxAzimuthPoints) std::abort();
        if (az.AdjustedPoints.Count() != 0 && az.AdjustedPoints.Count() != az.Points.Count())
            std::abort();
        (void)AzimuthPointsText(az.AdjustedPoints);

        THorzPattern el;
        el.FileName = "fuzz.pat";
        if (klx) el.FamilyID = "KLX-VHF";
        el.SetDefaultBeamtilt(0.5);
        el.LoadPoints();
        el.SetBeamtilt(tilt);
        // The file's points plus at most the extension at both ends.
        if (el.Points.Count() > 2 * kMaxElevationPoints + 101) std::abort();
        (void)ElevationPointsText(el.AdjustedPoints);
    } catch (const Error&) {
    }
    return 0;
}
