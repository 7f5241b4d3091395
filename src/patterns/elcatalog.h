#pragma once
// The elevation pattern catalogs: which elevation patterns fit an antenna, read from
// the reference tables of the data folder (TV) and the FM data folder (FM). Plain
// inputs, no design.
#include <string>

#include "patterns/elpattern.h"

namespace velmo {

// Rebuilds `list` from tblH_Elevation.txt: the rows of `familyID` in row order, with
// the KLX skip rules (an elliptical KLX-UHF never gets KLX2G1; a KLX-VHF with the
// azimuth pattern code "S" never gets KLX2; a KLX-UHF with the azimuth pattern
// KLX-GS gets only KLX2G1). Elliptical KLX-UHF, KLX-VHF, QD, QD-MAX and KVR patterns
// get their vertical pattern. A BAY_COUNT that is not an integer stops the building
// with Error "'<text>' is not a valid integer value".
void LoadTVElevationList(const std::string& familyID, const std::string& polCode,
                         const std::string& azPatternID, const std::string& azPatternCode,
                         THorzPatternList& list);
// Rebuilds `horz.VertPatterns`: at most one pattern, joined through
// tblMIRALDO_H_To_V_Elevation.txt.
void LoadTVVertElevation(const std::string& familyID, THorzPattern& horz);
// Rebuilds `list` from tblFM_Elevation.txt: every row of the family and feed code,
// in row order, carrying `polCode` and the catalog gain as GainFromFile.
void LoadFMElevationList(const std::string& familyID, const std::string& feedCode,
                         const std::string& polCode, TFMPatternList& list);

}  // namespace velmo
