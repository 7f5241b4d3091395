#pragma once
// Pieces shared by the pattern export layouts: the 8-bit text of the files, the part
// number the files name, and the points of one pattern slot as every layout reads them.
#include <string>
#include <string_view>

#include "base/types.h"

namespace velmo {

class TBroadcastDesign;

namespace exportdetail {

constexpr int kAzimuthLines = 360;

// "horizontal", "vertical" or "FM": the slot as error messages name it.
const char* SlotName(TPatternType t);

// The Windows-1252 form of UTF-8 text; a character without a byte of its own, and a
// byte that is not UTF-8, become "?".
std::string To8Bit(std::string_view utf8);

// The design's part number, built without touching the design's InputType.
std::string PartNumber(const TBroadcastDesign& design);

// Appends the line and CR LF.
void AddLine(std::string& out, const std::string& line);

// The points of the slot as the files hold them: LoadPoints of both patterns, then
// the azimuth pattern turned by its current angle. Throws Error when the azimuth
// pattern does not hold a point for every degree.
struct TSlotPoints {
    const TRealPointList& Azimuth;    // rotated, at least 360 points
    const TRealPointList& Elevation;  // tilted, as the elevation model keeps it
};
TSlotPoints PrepareSlot(TPatternType patternType, TBroadcastDesign& design);

}  // namespace exportdetail
}  // namespace velmo
