#pragma once
// The azimuth pattern catalogs: which azimuth patterns fit an antenna (family,
// polarization and, for KVR, the power code), read from the reference tables of the
// data folder (TV) and the FM data folder (FM). Plain inputs, no design.
#include <string>
#include <vector>

#include "patterns/azpattern.h"

namespace velmo {

// Fills `details` from tblPatternCode_Details.txt (TV) or
// tblFM_AzPatternCode_Details.txt (FM), one entry per row in order.
void LoadTVPatternDetails(TPatternDetails& details);
void LoadFMPatternDetails(TPatternDetails& details);
// The description of the first entry whose key is `patternCode`, or "".
std::string PatternDescription(const TPatternDetails& details, const std::string& patternCode);

// The H_PATTERN_ID candidates of a TV antenna: KVR by POLARIZATION and POWER, any
// other family from the H table (polarization "H") or the E table ("E"); no
// candidates for any other polarization code.
std::vector<std::string> TVAzimuthCandidates(const std::string& familyID, const std::string& polCode,
                                             const std::string& powerCode);
// Rebuilds `list` from tblAzimuth_H_Patterns.txt: one pattern per row whose id is a
// candidate, in row order. The KLX-GS row is never offered to an elliptical KLX-UHF.
// For polarization "E" every pattern gets its vertical patterns.
void LoadTVHorzAzimuthList(const std::string& familyID, const std::string& polCode,
                           const std::vector<std::string>& candidates,
                           const TPatternDetails& details, TAzHorzPatternList& list);
// Rebuilds `horz.VertPatterns` from the MIRALDO joining table and
// tblAzimuth_V_Patterns.txt.
void LoadTVVertAzimuthList(const std::string& familyID, TAzHorzPattern& horz,
                           const TPatternDetails& details);

// The H_PATTERN_ID candidates of an FM antenna family.
std::vector<std::string> FMAzimuthCandidates(const std::string& familyID);
// Rebuilds `list` from the FM tblAzimuth_H_Patterns.txt (no skip rule, no vertical
// patterns); every pattern carries `polCode`.
void LoadFMAzimuthList(const std::string& polCode, const std::vector<std::string>& candidates,
                       const TPatternDetails& details, TAzFMPatternList& list);

}  // namespace velmo
