#pragma once
// Pattern point files (.pat) and the two text layouts in which points are written out.
#include <string>
#include <string_view>

#include "base/types.h"

namespace velmo {

// One point line: X before the first space, Y after it (leading blanks dropped).
// Text that is not a number reads as 0; a line without a space gives (0, 0).
TRealPoint ParsePatternLine(std::string_view line);

// Reads a point file into `points` (appending). Lines are trimmed; empty lines and
// lines containing "!" are skipped. Returns false, leaving `points` alone, when no
// file exists at `path`.
bool ReadPointFile(const std::string& path, TRealPointList& points);
// The same over text already in memory.
void ParsePointText(std::string_view text, TRealPointList& points);

// "%d\t%.3f\t%.3f" (index, field, dB) per point, CR LF after every line.
std::string AzimuthPointsText(const TRealPointList& adjusted);
// Points from -10 to 90 degrees: every 0.25 degree, every 0.5 degree once X = 10
// has been passed exactly; "%.2f\t%.3f\t%.3f" per line, CR LF after every line.
std::string ElevationPointsText(const TRealPointList& adjusted);

}  // namespace velmo
