#include "patterns/azcatalog.h"

#include <algorithm>

#include "base/folders.h"
#include "base/numbers.h"
#include "refdata/texttable.h"

namespace velmo {

namespace {

bool Contains(const std::vector<std::string>& ids, const std::string& id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

void LoadDetails(const std::string& path, TPatternDetails& details) {
    details.Clear();
    TTextTable t;
    t.LoadFromFile(path);
    for (; !t.Eof(); t.MoveNext()) details.AddData(t.Field("PATTERN_CODE"), t.Field("DESCRIPTION"));
}

// Every row of `path` whose `keyColumn` equals `key` contributes its H_PATTERN_ID.
std::vector<std::string> IdsWhere(const std::string& path, const std::string& keyColumn,
                                  const std::string& key) {
    std::vector<std::string> ids;
    TTextTable t;
    t.LoadFromFile(path);
    for (; !t.Eof(); t.MoveNext())
        if (t.Field(keyColumn) == key) ids.push_back(t.Field("H_PATTERN_ID"));
    return ids;
}

// The catalog fields of one pattern-table row.
void FillFromRow(const TTextTable& t, const std::string& idColumn, const TPatternDetails& details,
                 TAzPattern& p) {
    p.PatternID = t.Field(idColumn);
    p.PatternCode = t.Field("PATTERN_CODE");
    p.FileName = t.Field("FILENAME");
    p.SetGain(t.FloatFieldDef("GAIN", 0));
    p.Beamwidth = t.FloatFieldDef("BEAMWIDTH", 0);
    p.Desc = PatternDescription(details, p.PatternCode);
}

}  // namespace

void LoadTVPatternDetails(TPatternDetails& details) {
    LoadDetails(DataPath() + "tblPatternCode_Details.txt", details);
}

void LoadFMPatternDetails(TPatternDetails& details) {
    LoadDetails(FMDataPath() + "tblFM_AzPatternCode_Details.txt", details);
}

std::string PatternDescription(const TPatternDetails& details, const std::string& patternCode) {
    for (int i = 0; i < details.Count(); ++i)
        if (details.Item(i).Key == patternCode) return details.Item(i).Desc;
    return "";
}

std::vector<std::string> TVAzimuthCandidates(const std::string& familyID, const std::string& polCode,
                                             const std::string& powerCode) {
    if (familyID == "KVR") {
        std::vector<std::string> ids;
        TTextTable t;
        t.LoadFromFile(DataPath() + "tblKVR_Power_To_Azimuth.txt");
        for (; !t.Eof(); t.MoveNext())
            if (t.Field("POLARIZATION") == polCode && t.Field("POWER") == powerCode)
                ids.push_back(t.Field("H_PATTERN_ID"));
        return ids;
    }
    if (polCode == "H") return IdsWhere(DataPath() + "tblAntenna_To_H_Azimuth.txt", "FAMILY_ID", familyID);
    if (polCode == "E")
        return IdsWhere(DataPath() + "tblAntenna_To_E_H_Azimuth.txt", "FAMILY_ID", familyID);
    return {};
}

void LoadTVHorzAzimuthList(const std::string& familyID, const std::string& polCode,
                           const std::vector<std::string>& candidates,
                           const TPatternDetails& details, TAzHorzPatternList& list) {
    list.Clear();
    TTextTable t;
    t.LoadFromFile(DataPath() + "tblAzimuth_H_Patterns.txt");
    for (; !t.Eof(); t.MoveNext()) {
        const std::string id = t.Field("H_PATTERN_ID");
        if (familyID == "KLX-UHF" && id == "KLX-GS" && polCode == "E") continue;
        if (!Contains(candidates, id)) continue;
        auto p = std::make_unique<TAzHorzPattern>();
        FillFromRow(t, "H_PATTERN_ID", details, *p);
        p->PatternType = ptHorizontal;
        TAzHorzPattern& added = list.Add(std::move(p));
        if (polCode == "E") LoadTVVertAzimuthList(familyID, added, details);
    }
}

void LoadTVVertAzimuthList(const std::string& familyID, TAzHorzPattern& horz,
                           const TPatternDetails& details) {
    std::vector<std::string> ids;
    {
        TTextTable t;
        t.LoadFromFile(DataPath() + "tblMIRALDO_H_To_V_Azimuth.txt");
        for (; !t.Eof(); t.MoveNext())
            if (t.Field("FAMILY_ID") == familyID && t.Field("H_PATTERN_ID") == horz.PatternID)
                ids.push_back(t.Field("V_PATTERN_ID"));
    }
    horz.VertPatterns.Clear();
    TTextTable t;
    t.LoadFromFile(DataPath() + "tblAzimuth_V_Patterns.txt");
    for (; !t.Eof(); t.MoveNext()) {
        if (!Contains(ids, t.Field("V_PATTERN_ID"))) continue;
        auto p = std::make_unique<TAzVertPattern>();
        FillFromRow(t, "V_PATTERN_ID", details, *p);
        p->PatternType = ptVertical;
        horz.VertPatterns.Add(std::move(p));
    }
}

std::vector<std::string> FMAzimuthCandidates(const std::string& familyID) {
    return IdsWhere(FMDataPath() + "tblAntenna_To_H_Azimuth.txt", "FAMILY_ID", familyID);
}

void LoadFMAzimuthList(const std::string& polCode, const std::vector<std::string>& candidates,
                       const TPatternDetails& details, TAzFMPatternList& list) {
    list.Clear();
    TTextTable t;
    t.LoadFromFile(FMDataPath() + "tblAzimuth_H_Patterns.txt");
    for (; !t.Eof(); t.MoveNext()) {
        if (!Contains(candidates, t.Field("H_PATTERN_ID"))) continue;
        auto p = std::make_unique<TAzFMPattern>();
        FillFromRow(t, "H_PATTERN_ID", details, *p);
        p->PatternType = ptFM;
        p->PolCode = polCode;
        list.Add(std::move(p));
    }
}

}  // namespace velmo
