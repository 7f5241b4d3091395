#pragma once
// Part numbers of the designed antenna, composed from the system parameters, the
// codes of the chosen patterns and (for two rules) the antenna input power. The rules
// work on a plain record of their inputs; TBroadcastDesign gathers that record from
// its pages and calls them.
#include <cstdint>
#include <string>

#include "base/types.h"

namespace velmo {

struct TPartNumberInputs {
    std::string SystemType;  // "TV" or "FM"
    // options page
    std::string FamilyID;
    std::string PowerCode;
    std::string MountCode;
    std::string PolCode;
    std::string FeedCode;
    std::string CustomLabel;
    TMarketType Market = mtUS;
    TServiceType Service = stDigital;
    std::string ChannelNumber;
    // elevation page, horizontal pattern
    std::string HBaseCose;
    int32_t HBayCount = 0;
    double HBeamtilt = 0;
    bool HSmooth = false;
    std::string HPolID;
    // elevation page, vertical pattern
    std::string VBaseCose;
    double VBeamtilt = 0;
    std::string VPolID;
    // elevation page, FM pattern
    int32_t FMBayCount = 0;
    double FMBaySpacing = 0;
    std::string FMFeedCode;
    // azimuth page, horizontal pattern
    std::string AzPatternCode;
    // power analysis
    double AntennaInputkW = 0;
};

// "" for mtUS, "E" for mtEurope, "A" for mtAustralia.
std::string GetMarketCode(TMarketType market);
// "1" up to 0.25 degrees (and below), one step per quarter degree up to "12" at
// 3.00 degrees; above 3.00 (or not a number) the empty code.
std::string GetBeamtiltCode(double value);

// Dispatch on the system type and family; an unknown TV family gives "".
// `inputType` is written only for FM designs (BuildFMPartNumber).
std::string BuildPartNumber(const TPartNumberInputs& in, std::string& inputType);
std::string BuildMIRALDOPartNumber(const TPartNumberInputs& in);
std::string BuildVARNOKPartNumber(const TPartNumberInputs& in);
std::string BuildHOVPartNumber(const TPartNumberInputs& in);
std::string BuildKVRPartNumber(const TPartNumberInputs& in);
std::string BuildQDXMAXPartNumber(const TPartNumberInputs& in);
std::string BuildQDPartNumber(const TPartNumberInputs& in);
std::string BuildWENPartNumber(const TPartNumberInputs& in);
std::string BuildCustomPartNumber(const TPartNumberInputs& in);
// The catalog part number of the smallest-rated antenna of "tblFMFamilyID_To_Power.txt"
// (FM data folder) that matches family, bay count, spacing and feed and takes the
// antenna input power; otherwise "CTM-<bays>x<feed>" ("CUSTOM" or the custom label
// for family "CTM"). Sets `inputType` to the row's connector text, or
// "Contact Orvane" when no row qualifies. A table that cannot be opened throws.
std::string BuildFMPartNumber(const TPartNumberInputs& in, std::string& inputType);
// The connector text of an FM catalog row as printed.
std::string FMInputText(const std::string& input, const std::string& familyID);

std::string BuildHorzKVRElId(const TPartNumberInputs& in);
std::string BuildVertKVRElId(const TPartNumberInputs& in);
std::string BuildMIRALDOElId(const TPartNumberInputs& in, TPatternType patternType);

}  // namespace velmo
