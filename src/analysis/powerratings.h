#pragma once
// The antenna input power ratings of the catalog tables, looked up from plain
// inputs. The design's own power setup (model/designpower.cpp) calls them.
#include <cstdint>
#include <string>

#include "base/types.h"

namespace velmo {

// "tblPowers.txt" (data folder): the first row of the family, power code and bay
// count. Returns the rating for the polarization ("H" or "V"; any other code gives
// 0) and service, and sets `inputType` to the row's "InputDescription". No row: 0,
// `inputType` unchanged. A bay count cell that is not an integer (in a row of the
// family and power code) raises an Error.
double LookupTVPowerRating(const std::string& familyID, const std::string& powerCode,
                           int32_t bayCount, const std::string& polCode,
                           TServiceType service, std::string& inputType);
// "tblVARNOK_Specs.txt" (data folder): the first row of the bay count; sets
// `inputType` to its "CONNECTOR". No row: 0, `inputType` unchanged.
double LookupVARNOKPowerRating(int32_t bayCount, TServiceType service, std::string& inputType);
// "tblFMFamilyID_To_Power.txt" (FM data folder): the largest "MAX_POWER" of the rows
// matching family, bay count, spacing (exactly) and feed; 0 when none matches.
double LookupFMPowerRating(const std::string& familyID, int32_t bayCount, double baySpacing,
                           const std::string& feedCode);

}  // namespace velmo
