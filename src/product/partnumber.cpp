#include "product/partnumber.h"

#include "base/folders.h"
#include "base/numbers.h"
#include "refdata/texttable.h"

namespace velmo {

namespace {

std::string ReplaceAll(std::string s, const std::string& from, const std::string& to) {
    if (from.empty()) return s;
    size_t pos = 0;
    while ((pos = s.find(from, pos)) != std::string::npos) {
        s.replace(pos, from.size(), to);
        pos += to.size();
    }
    return s;
}

}  // namespace

std::string GetMarketCode(TMarketType market) {
    switch (market) {
        case mtEurope: return "E";
        case mtAustralia: return "A";
        default: return "";
    }
}

std::string GetBeamtiltCode(double value) {
    for (int step = 1; step <= 12; ++step)
        if (value <= step * 0.25) return FormatInt(step);
    return "";
}

std::string BuildPartNumber(const TPartNumberInputs& in, std::string& inputType) {
    if (in.SystemType == "TV") {
        const std::string& f = in.FamilyID;
        if (f == "KLX-UHF" || f == "KLX-VHF") return BuildMIRALDOPartNumber(in);
        if (f == "VARNOK") return BuildVARNOKPartNumber(in);
        if (f == "HOV") return BuildHOVPartNumber(in);
        if (f == "KVR") return BuildKVRPartNumber(in);
        if (f == "QD-MAX") return BuildQDXMAXPartNumber(in);
        if (f == "QD") return BuildQDPartNumber(in);
        if (f == "WEN") return BuildWENPartNumber(in);
        if (f == "CTM") return BuildCustomPartNumber(in);
        return "";
    }
    if (in.SystemType == "FM") return BuildFMPartNumber(in, inputType);
    return "";
}

std::string BuildQDPartNumber(const TPartNumberInputs& in) {
    return in.FamilyID + FormatInt(in.HBayCount) + in.AzPatternCode + "-" + in.ChannelNumber +
           GetMarketCode(in.Market) + "-" + (in.PowerCode == "M" ? "M" : "") + in.PolCode;
}

std::string BuildWENPartNumber(const TPartNumberInputs& in) {
    return in.FamilyID + FormatInt(in.HBayCount) + in.AzPatternCode + "-" + in.ChannelNumber +
           GetMarketCode(in.Market);
}

std::string BuildHOVPartNumber(const TPartNumberInputs& in) {
    return in.FamilyID + FormatInt(in.HBayCount) + "H" + "7" + "-" + "HS" + in.AzPatternCode +
           "-" + in.ChannelNumber;
}

std::string BuildKVRPartNumber(const TPartNumberInputs& in) {
    return in.HBaseCose + in.PowerCode + GetBeamtiltCode(in.HBeamtilt) + "-" +
           (in.PolCode == "H" ? "H" : "C") + in.MountCode + in.AzPatternCode + "-" +
           in.ChannelNumber + GetMarketCode(in.Market);
}

std::string BuildQDXMAXPartNumber(const TPartNumberInputs& in) {
    std::string p = in.AzPatternCode == "OC" ? "" : in.AzPatternCode;
    return in.HBaseCose + p + "-" + in.ChannelNumber + GetMarketCode(in.Market) + "-" + "P" +
           in.PowerCode + (in.PolCode == "H" ? "" : in.PolCode);
}

std::string BuildMIRALDOPartNumber(const TPartNumberInputs& in) {
    std::string u;
    if (in.FamilyID == "KLX-UHF")
        u = (in.Service == stAnalog && in.AntennaInputkW > 120) ? "M" : "H";
    return in.HBaseCose + (in.FamilyID == "KLX-VHF" ? "V" : "H") + (in.HSmooth ? "S" : "") +
           GetBeamtiltCode(in.HBeamtilt) + "-" + in.PolCode + in.MountCode + in.AzPatternCode +
           "-" + in.ChannelNumber + u + GetMarketCode(in.Market);
}

std::string BuildVARNOKPartNumber(const TPartNumberInputs& in) {
    return in.HBaseCose + "-" + in.ChannelNumber;
}

std::string BuildCustomPartNumber(const TPartNumberInputs& in) {
    return in.CustomLabel.empty() ? "CUSTOM" : in.CustomLabel;
}

std::string FMInputText(const std::string& input, const std::string& familyID) {
    std::string s = ReplaceAll(input, "-inch", " EIA 50 Ohm");
    if (familyID == "240C") {
        s = ReplaceAll(s, "-DIN", " DIN FEMALE 50 Ohm");
        s = ReplaceAll(s, "-N", " N FEMALE 50 Ohm");
    }
    return s;
}

std::string BuildFMPartNumber(const TPartNumberInputs& in, std::string& inputType) {
    std::string result = "CTM-" + FormatInt(in.FMBayCount) + "x" + in.FeedCode;
    if (in.FamilyID == "CTM") result = in.CustomLabel.empty() ? "CUSTOM" : in.CustomLabel;
    inputType = "Contact Orvane";
    double best = 1e30;
    TTextTable table;
    table.LoadFromFile(FMDataPath() + "tblFMFamilyID_To_Power.txt");
    while (!table.Eof()) {
        long long bays = 0;
        if (!TryStrToInt(table.Field("BAY_COUNT"), bays)) bays = 0;
        if (table.Field("FAMILY_ID") == in.FamilyID && bays == in.FMBayCount &&
            table.FloatFieldDef("BAY_SPACING", 0) == in.FMBaySpacing &&
            table.Field("FEED_CODE") == in.FMFeedCode) {
            double maxPower = table.FloatFieldDef("MAX_POWER", 0);
            if (maxPower >= in.AntennaInputkW && maxPower < best) {
                best = maxPower;
                result = table.Field("P/N");
                inputType = FMInputText(table.Field("Input"), in.FamilyID);
            }
        }
        table.MoveNext();
    }
    return result;
}

std::string BuildHorzKVRElId(const TPartNumberInputs& in) {
    return in.HPolID + in.PowerCode + GetBeamtiltCode(in.HBeamtilt);
}

std::string BuildVertKVRElId(const TPartNumberInputs& in) {
    return in.VPolID + in.PowerCode + GetBeamtiltCode(in.VBeamtilt);
}

std::string BuildMIRALDOElId(const TPartNumberInputs& in, TPatternType patternType) {
    std::string band = in.FamilyID == "KLX-UHF" ? "H" : "V";
    std::string smooth = in.HSmooth ? "S" : "";
    if (patternType == ptHorizontal)
        return in.HBaseCose + band + smooth + GetBeamtiltCode(in.HBeamtilt) + "H";
    return in.VBaseCose + band + smooth + GetBeamtiltCode(in.VBeamtilt) + "V";
}

}  // namespace velmo
