// The design power setup: the design operations that feed the power analysis from
// the design's pages and read gains back from it.
#include <cmath>

#include "analysis/powerratings.h"
#include "base/conversions.h"
#include "model/design.h"

namespace velmo {

double TBroadcastDesign::GetMaxInputPower() {
    const std::string& f = OptionsPage.FamilyID;
    if (DesignInfo.SystemType == "TV") {
        const TElPattern& h = ElevationPage.HorzPattern;
        if (f == "KVR" || f == "QD-MAX" || f == "QD" || f == "WEN" || f == "HOV")
            return LookupTVPowerRating(f, OptionsPage.PowerCode, h.BayCount, OptionsPage.PolCode,
                                       OptionsPage.Service, FInputType);
        if (f == "VARNOK") return LookupVARNOKPowerRating(h.BayCount, OptionsPage.Service, FInputType);
        FInputType = "CONTACT Orvane";
        return 0;
    }
    if (DesignInfo.SystemType == "FM") {
        const TElPattern& fm = ElevationPage.FMPattern;
        return LookupFMPowerRating(f, fm.BayCount, fm.BaySpacing, fm.FeedCode);
    }
    return 0;
}

void TBroadcastDesign::InitializeAnalisys() {
    TPowerAnalysis& a = AnalysisPage.Analysis;
    const TTransmissionLine& line = LinesPage.Line;
    const std::string& system = DesignInfo.SystemType;
    // 1. the line's rating
    if (OptionsPage.Service == stDigital)
        a.LinePeakPower = line.AvgPower();
    else if (OptionsPage.Service == stAnalog)
        a.LinePeakPower = line.PeakPower();
    // 2. the antenna's rating
    a.MaxInputPower = GetMaxInputPower();
    // 3. horizontal gains
    if (system == "TV") {
        a.AzHorzGain = AzimuthPage.HorzPattern.Gain();
        a.ElHorzGain = ElevationPage.HorzPattern.Gain();
    } else if (system == "FM") {
        a.AzHorzGain = AzimuthPage.FMPattern.Gain();
        a.ElHorzGain = ElevationPage.FMPattern.Gain();
    }
    // 4. the run
    a.VertLength = LinesPage.VertLength;
    a.HorzLength = LinesPage.HorzLength;
    a.VertAttenuation = line.dBPerFoot();
    a.HorzAttenuation =
        line.PartNumber.find("QPT") != std::string::npos ? line.HorzdB : line.dBPerFoot();
    // 5. vertical gains of an elliptically (TV) or circularly (FM) polarized antenna
    if (OptionsPage.PolCode == "E") {
        if (system == "TV") {
            a.ElVertGain = ElevationPage.VertPattern.Gain();
            a.AzVertGain = AzimuthPage.VertPattern.Gain();
        } else if (system == "FM") {
            a.ElVertGain = ElevationPage.FMPattern.Gain();
            a.AzVertGain = AzimuthPage.FMPattern.Gain();
        }
    }
    // 6. system parameters
    a.ServiceType = OptionsPage.Service;
    a.SystemType = system;
    a.MaxERPkW = OptionsPage.MaxERPkW;
    a.PolCode = OptionsPage.PolCode;
    // 7. recalculate from the transmitter, 8. then from the ERP with the vertical
    // ratio: the horizontal ERP of step 7 is kept.
    a.SetTransmitterPowerkW(a.TransmitterPowerkW());
    a.SetVerticalRatio(OptionsPage.VerticalComponent);
}

double TBroadcastDesign::GetGainAtHorzdBd(TPatternType patternType) const {
    const TPowerAnalysis& a = AnalysisPage.Analysis;
    const TElPattern& el = ElevationPage.Pattern(patternType);
    double gain = patternType == ptVertical ? a.PowerGaindBdVert() : a.PowerGaindBdHorz();
    return gain - (el.MainLobedBd - el.HorzdBd);
}

double TBroadcastDesign::GetGainAtHorzNum(TPatternType patternType) const {
    return dBToPower(GetGainAtHorzdBd(patternType));
}

double TBroadcastDesign::GetElevationGainEPolNum(TPatternType patternType) const {
    const TPowerAnalysis& a = AnalysisPage.Analysis;
    double gain = patternType == ptVertical ? a.PowerGainRatioVert() : a.PowerGainRatioHorz();
    double az = AzimuthPage.Pattern(patternType).Gain();
    // Without an azimuth gain there is no elevation gain to derive: 0, not infinity.
    double v = az != 0 ? gain / az : 0;
    return std::isfinite(v) ? v : 0;
}

double TBroadcastDesign::GetElevationGainEPoldBd(TPatternType patternType) const {
    return PowerTodB(GetElevationGainEPolNum(patternType));
}

}  // namespace velmo
