#include "analysis/powerratings.h"

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
        return column.empty() ? 0 : t.FloatFieldDef(column, 0);
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
        return t.FloatFieldDef(service == stAnalog ? "NTSC_POWER_RATING" : "DTV_POWER_RATING", 0);
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
            t.FloatFieldDef("BAY_SPACING", 0) != baySpacing ||
            t.Field("FEED_CODE") != feedCode)
            continue;
        double v = t.FloatFieldDef("MAX_POWER", 0);
        if (!found || v > best) best = v;
        found = true;
    }
    return found ? best : 0;
}

}  // namespace velmo
