#include "patterns/elcatalog.h"

#include "base/folders.h"
#include "base/numbers.h"
#include "refdata/texttable.h"

namespace velmo {

namespace {

int32_t BayCountOf(const TTextTable& t) {
    const std::string cell = t.Field("BAY_COUNT");
    long long bays = 0;
    if (!TryStrToInt(cell, bays)) throw Error("'" + cell + "' is not a valid integer value");
    return static_cast<int32_t>(bays);
}

// The catalog columns shared by the horizontal and vertical TV tables.
void FillTVFields(const TTextTable& t, TElPattern& p) {
    p.DetailLabel = t.Field("LABEL");
    p.BaseCose = t.Field("BASE_CODE");
    p.Smooth = t.Field("SMOOTH") == "1";
    p.BayCount = BayCountOf(t);
    p.Description = t.Field("DESCRIPTION");
    p.SetGain(t.FloatFieldDef("GAIN_1", 0));
    p.FileName = t.Field("FILENAME");
    p.BeamWidth = t.FloatFieldDef("BEAMWIDTH", 0);
    p.SetDefaultBeamtilt(t.FloatFieldDef("DEFAULT_BEAMTILT", 0));
    p.MaxBeamtilt = t.FloatFieldDef("MAX_BEAMTILT", 0);
    p.MinBeamtilt = t.FloatFieldDef("MIN_BEAMTILT", 0);
}

bool TakesVertical(const std::string& familyID) {
    return familyID == "KLX-UHF" || familyID == "KLX-VHF" || familyID == "QD" ||
           familyID == "QD-MAX" || familyID == "KVR";
}

}  // namespace

void LoadTVElevationList(const std::string& familyID, const std::string& polCode,
                         const std::string& azPatternID, const std::string& azPatternCode,
                         THorzPatternList& list) {
    list.Clear();
    TTextTable t;
    t.LoadFromFile(DataPath() + "tblH_Elevation.txt");
    for (; !t.Eof(); t.MoveNext()) {
        if (t.Field("FAMILY_ID") != familyID) continue;
        const std::string polID = t.Field("H_POL_ID");
        if (familyID == "KLX-UHF" && polCode == "E" && polID == "KLX2G1") continue;
        if (familyID == "KLX-VHF" && azPatternCode == "S" && polID == "KLX2") continue;
        auto p = std::make_unique<THorzPattern>();
        p->FamilyID = familyID;
        p->PolID = polID;
        FillTVFields(t, *p);
        p->PatternType = ptHorizontal;
        if (familyID == "KLX-UHF" && azPatternID == "KLX-GS" && polID != "KLX2G1") continue;
        THorzPattern& added = list.Add(std::move(p));
        if (polCode == "E" && TakesVertical(familyID)) LoadTVVertElevation(familyID, added);
    }
}

void LoadTVVertElevation(const std::string& familyID, THorzPattern& horz) {
    std::string wanted;
    {
        TTextTable t;
        t.LoadFromFile(DataPath() + "tblMIRALDO_H_To_V_Elevation.txt");
        for (; !t.Eof(); t.MoveNext())
            if (t.Field("FAMILY_ID") == familyID && t.Field("H_POL_ID") == horz.PolID) {
                wanted = t.Field("V_POL_ID");
                break;
            }
    }
    horz.VertPatterns.Clear();
    TTextTable t;
    t.LoadFromFile(DataPath() + "tblV_Elevation.txt");
    for (; !t.Eof(); t.MoveNext()) {
        if (t.Field("FAMILY_ID") != familyID || t.Field("V_POL_ID") != wanted) continue;
        auto p = std::make_unique<TVertPattern>();
        p->FamilyID = familyID;
        p->PolID = wanted;
        FillTVFields(t, *p);
        p->PatternType = ptVertical;
        horz.VertPatterns.Add(std::move(p));
        break;
    }
}

void LoadFMElevationList(const std::string& familyID, const std::string& feedCode,
                         const std::string& polCode, TFMPatternList& list) {
    list.Clear();
    TTextTable t;
    t.LoadFromFile(FMDataPath() + "tblFM_Elevation.txt");
    for (; !t.Eof(); t.MoveNext()) {
        if (t.Field("FAMILY_ID") != familyID || t.Field("FEED_CODE") != feedCode) continue;
        auto p = std::make_unique<TFMPattern>();
        p->FamilyID = familyID;
        p->FeedCode = feedCode;
        p->BayCount = BayCountOf(t);
        p->BaySpacing = t.FloatFieldDef("BAY_SPACING", 1);
        p->PolID = t.Field("H_POL_ID");
        p->DetailLabel = t.Field("LABEL");
        p->BaseCose = t.Field("BASE_CODE");
        p->Description = t.Field("DESCRIPTION");
        p->PolCode = polCode;
        p->SetGainFromFile(t.FloatFieldDef("GAIN", 0));
        list.Add(std::move(p));
    }
}

}  // namespace velmo
