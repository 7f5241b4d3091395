#include "analysis/powerratings.h"

#include <cmath>

#include "base/conversions.h"
#include "model/design.h"
#include "base/folders.h"
#include "base/numbers.h"
#include "refdata/texttable.h"

namespace velmo {

double LookupTVPowerRating(const std::string& familyID, const std::string& powerCode,
                           int32_t bayCount, const std::string& polCode,
                           TServiceType service, std::string& inputType) {
    TTextTable t;
    t.LoadFromFile(DataPath() + "tblPowers.txt");
    for (; !t.Eof(); t.MoveNext()) {
        if (t.Field("AntennaID") != familyID || t.Field("AntennaPower") != powerCode) continue;
        const std::string cell = t.Field("AntennaBayCount");
        long long bays = 0;
        if (!TryStrToInt(cell, bays)) throw Error("'" + cell + "' is not a valid integer value");
        if (bays != bayCount) continue;
        std::string column;
        if (polCode == "H")
            column = service == stAnalog ? "HorzNTSC" : "HorzDTV";
        else if (polCode == "V")
            column = service == stAnalog ? "VertNTSC" : "VertDTV";
        inputType = t.Field("InputDescription");
        return column.empty() ? 0 : StrToRealDef(t.Field(column), 0);
    }
    return 0;
}

double LookupVARNOKPowerRating(int32_t bayCount, TServiceType service, std::string& inputType) {
    TTextTable t;
    t.LoadFromFile(DataPath() + "tblVARNOK_Specs.txt");
    const std::string bays = FormatInt(bayCount);
    for (; !t.Eof(); t.MoveNext()) {
        if (t.Field("BAY_COUNT") != bays) continue;
        inputType = t.Field("CONNECTOR");
        return StrToRealDef(
            t.Field(service == stAnalog ? "NTSC_POWER_RATING" : "DTV_POWER_RATING"), 0);
    }
    return 0;
}

double LookupFMPowerRating(const std::string& familyID, int32_t bayCount, double baySpacing,
                           const std::string& feedCode) {
    TTextTable t;
    t.LoadFromFile(FMDataPath() + "tblFMFamilyID_To_Power.txt");
    bool found = false;
    double best = 0;
    for (; !t.Eof(); t.MoveNext()) {
        long long bays = 0;
        if (!TryStrToInt(t.Field("BAY_COUNT"), bays)) bays = 0;
        if (t.Field("FAMILY_ID") != familyID || bays != bayCount ||
            StrToRealDef(t.Field("BAY_SPACING"), 0) != baySpacing ||
            t.Field("FEED_CODE") != feedCode)
            continue;
        double v = StrToRealDef(t.Field("MAX_POWER"), 0);
        if (!found || v > best) best = v;
        found = true;
    }
    return found ? best : 0;
}

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
