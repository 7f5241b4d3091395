#pragma once
// Pattern point files (.pat) and the two text layouts in which points are written out.
#include <climits>
#include <cstddef>
#include <string>
#include <string_view>

#include "base/types.h"

namespace velmo {

// Bounds of the point files. An azimuth file holds one point per degree (360, or 361
// with the closing point at 360 degrees), an elevation file one every 0.1 degree from
// -90 to 90 degrees (1801). Points beyond the bound are not read, and a file larger
// than kMaxPointFileBytes (some thirty times a real one) is not read at all; either
// way the user is warned.
constexpr int kMaxAzimuthPoints = 361;
constexpr int kMaxElevationPoints = 1801;
constexpr size_t kMaxPointFileBytes = size_t{1} << 20;

// The full name of the point file `fileName` inside the pattern folder `folder`.
// A design file may come from anyone, so only names that stay inside the folder are
// taken: an absolute name, one whose ".." steps lead out of the folder, or any name
// when there is no folder (an unknown polarization code) gives an empty result and a
// warning. An empty `fileName` gives an empty result without one.
std::string PatternFilePath(const std::string& folder, const std::string& fileName);

// One point line: X before the first space, Y after it (leading blanks dropped).
// Text that is not a number reads as 0; a line without a space gives (0, 0).
TRealPoint ParsePatternLine(std::string_view line);

// Reads a point file into `points` (appending), at most `maxPoints` points. Lines are
// trimmed; empty lines and lines containing "!" are skipped. Returns false, leaving
// `points` alone, when no file exists at `path` (no message) or when it cannot be
// read: not a regular file, larger than kMaxPointFileBytes (with a warning). A file
// with more points gives its first `maxPoints` and a warning.
bool ReadPointFile(const std::string& path, TRealPointList& points,
                   int maxPoints = kMaxElevationPoints);
// The same over text already in memory; returns false when points beyond `maxPoints`
// were left out.
bool ParsePointText(std::string_view text, TRealPointList& points, int maxPoints = INT_MAX);

// "%d\t%.3f\t%.3f" (index, field, dB) per point, CR LF after every line.
std::string AzimuthPointsText(const TRealPointList& adjusted);
// Points from -10 to 90 degrees: every 0.25 degree, every 0.5 degree once X = 10
// has been passed exactly; "%.2f\t%.3f\t%.3f" per line, CR LF after every line.
std::string ElevationPointsText(const TRealPointList& adjusted);

}  // namespace velmo
