#pragma once
// The design file (.bcst): seven sections of key=value entries, read and written
// through TProfile. TBroadcastDesign::SaveToFile / LoadFromFile, CheckDesignHeader and
// LoadDesignFile (model/design.h) are built on the functions here.
#include <cstdint>
#include <string>

#include "model/profile.h"

namespace velmo {

class TBroadcastDesign;

// Writes every persisted field into `profile`, in the order of a new file; keys that
// are present are replaced where they stand.
void WriteDesign(const TBroadcastDesign& design, TProfile& profile);
// Reads the design from `profile` in the loading order, with the derived values
// rebuilt (point files, FM elevation pattern, power analysis). Throws ConvertError
// at the first float that does not convert.
void ReadDesign(TBroadcastDesign& design, const TProfile& profile);
// [HEADER] type equals "Velmo".
bool CheckDesignHeader(const TProfile& profile);

// The current local date and time as a day number (days since 30 December 1899,
// the fraction being the time of day).
double NowAsDateTime();

// Notes and report lines read from a file: a count above this reads this many.
constexpr int kMaxDesignListLines = 10000;
// Line run lengths read from a file (vertlength, horzlength, totalrunlength) are
// brought into 0 to this many feet, bay counts into 0 to kMaxBayCount, the aural
// percentage into 0 to 100; each with a warning.
constexpr int32_t kMaxLineLengthFeet = 1000000;

}  // namespace velmo
