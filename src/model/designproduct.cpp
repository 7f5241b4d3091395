// The design's part-number and mechanical-data operations: gather the inputs from
// the pages and apply the family rules.
#include "model/design.h"

namespace velmo {

TPartNumberInputs TBroadcastDesign::PartNumberInputs() const {
    TPartNumberInputs in;
    in.SystemType = DesignInfo.SystemType;
    const TOptionsPage& o = OptionsPage;
    in.FamilyID = o.FamilyID;
    in.PowerCode = o.PowerCode;
    in.MountCode = o.MountCode;
    in.PolCode = o.PolCode;
    in.FeedCode = o.FeedCode;
    in.CustomLabel = o.CustomLabel;
    in.Market = o.Market;
    in.Service = o.Service;
    in.ChannelNumber = o.Channel.ChannelNumber;
    const TElPattern& h = ElevationPage.HorzPattern;
    in.HBaseCose = h.BaseCose;
    in.HBayCount = h.BayCount;
    in.HBeamtilt = h.Beamtilt();
    in.HSmooth = h.Smooth;
    in.HPolID = h.PolID;
    const TElPattern& v = ElevationPage.VertPattern;
    in.VBaseCose = v.BaseCose;
    in.VBeamtilt = v.Beamtilt();
    in.VPolID = v.PolID;
    const TElPattern& fm = ElevationPage.FMPattern;
    in.FMBayCount = fm.BayCount;
    in.FMBaySpacing = fm.BaySpacing;
    in.FMFeedCode = fm.FeedCode;
    in.AzPatternCode = AzimuthPage.HorzPattern.PatternCode;
    in.AntennaInputkW = AnalysisPage.Analysis.AntennaInputkW;
    return in;
}

TMechanicalInputs TBroadcastDesign::MechanicalInputs() const {
    TMechanicalInputs in;
    in.SystemType = DesignInfo.SystemType;
    const TOptionsPage& o = OptionsPage;
    in.FamilyID = o.FamilyID;
    in.MountCode = o.MountCode;
    in.PolCode = o.PolCode;
    in.HighWind = o.HighWind;
    in.ChannelNumber = o.Channel.ChannelNumber;
    in.MidFreq = o.Channel.MidFreq;
    const TElPattern& h = ElevationPage.HorzPattern;
    in.HBayCount = h.BayCount;
    in.HGain = h.Gain();
    in.HSmooth = h.Smooth;
    in.FMBayCount = ElevationPage.FMPattern.BayCount;
    in.FMBaySpacing = ElevationPage.FMPattern.BaySpacing;
    in.AzPatternCode = AzimuthPage.HorzPattern.PatternCode;
    return in;
}

std::string TBroadcastDesign::BuildPartNumber() {
    return ::velmo::BuildPartNumber(PartNumberInputs(), FInputType);
}
std::string TBroadcastDesign::BuildMIRALDOPartNumber() const {
    return ::velmo::BuildMIRALDOPartNumber(PartNumberInputs());
}
std::string TBroadcastDesign::BuildVARNOKPartNumber() const {
    return ::velmo::BuildVARNOKPartNumber(PartNumberInputs());
}
std::string TBroadcastDesign::BuildHOVPartNumber() const {
    return ::velmo::BuildHOVPartNumber(PartNumberInputs());
}
std::string TBroadcastDesign::BuildKVRPartNumber() const {
    return ::velmo::BuildKVRPartNumber(PartNumberInputs());
}
std::string TBroadcastDesign::BuildQDXMAXPartNumber() const {
    return ::velmo::BuildQDXMAXPartNumber(PartNumberInputs());
}
std::string TBroadcastDesign::BuildQDPartNumber() const {
    return ::velmo::BuildQDPartNumber(PartNumberInputs());
}
std::string TBroadcastDesign::BuildWENPartNumber() const {
    return ::velmo::BuildWENPartNumber(PartNumberInputs());
}
std::string TBroadcastDesign::BuildCustomPartNumber() const {
    return ::velmo::BuildCustomPartNumber(PartNumberInputs());
}
std::string TBroadcastDesign::BuildFMPartNumber() {
    return ::velmo::BuildFMPartNumber(PartNumberInputs(), FInputType);
}
std::string TBroadcastDesign::GetMarketCode() const {
    return ::velmo::GetMarketCode(OptionsPage.Market);
}
std::string TBroadcastDesign::GetBeamtiltCode(double value) {
    return ::velmo::GetBeamtiltCode(value);
}
std::string TBroadcastDesign::BuildHorzKVRElId() const {
    return ::velmo::BuildHorzKVRElId(PartNumberInputs());
}
std::string TBroadcastDesign::BuildVertKVRElId() const {
    return ::velmo::BuildVertKVRElId(PartNumberInputs());
}
std::string TBroadcastDesign::BuildMIRALDOElId(TPatternType patternType) const {
    return ::velmo::BuildMIRALDOElId(PartNumberInputs(), patternType);
}

void TBroadcastDesign::GetMechanical(TMechanicalData& data) {
    TMechanicalInputs in = MechanicalInputs();
    // The FM rule reads the catalog row of the FM part number.
    const std::string& f = OptionsPage.FamilyID;
    if (IsFMFamily(f) || (f == "CTM" && DesignInfo.SystemType == "FM"))
        in.FMPartNumber = BuildFMPartNumber();
    ::velmo::GetMechanical(in, data);
}

}  // namespace velmo
