#include "patterns/azpattern.h"

#include <cmath>

#include "base/fileio.h"
#include "base/folders.h"
#include "patterns/patfile.h"

namespace velmo {

void TAzPattern::SetGain(double v) {
    FGain = v;
    GaindB = v > 0 ? 10.0 * std::log10(v) : 0.0;
}

void TAzPattern::LoadPoints() {
    if (FLoaded) return;
    Points.Clear();
    FLoaded = true;
    if (!ReadPointFile(PatternFilePath(GetPath(), FileName), Points, kMaxAzimuthPoints)) return;
    SetAdjustedPoints();
}

void TAzPattern::SetAdjustedPoints() {
    AdjustedPoints.Clear();
    const int count = Points.Count();
    if (count < kFullCircle) return;
    const int a = Angle % kFullCircle;  // remainder with the sign of Angle
    AdjustedPoints.Reserve(count);
    for (int n = 0; n < count; ++n) {
        int s = (kFullCircle - a + n) % kFullCircle;
        AdjustedPoints.AddPoint(n, Points.PPoint(s).Y);
    }
}

void TAzPattern::Assign(const TAzPattern& source) {
    PatternCode = source.PatternCode;
    PatternID = source.PatternID;
    Desc = source.Desc;
    SetGain(source.Gain());
    Beamwidth = source.Beamwidth;
    FileName = source.FileName;
    Angle = source.Angle;
    PatternType = source.PatternType;
    Points.Assign(source.Points);
    PolCode = source.PolCode;
}

std::string TAzHorzPattern::GetPath() const { return AzimuthHPolPath(); }
std::string TAzVertPattern::GetPath() const { return AzimuthVPolPath(); }

std::string TAzFMPattern::GetPath() const {
    if (PolCode == "H") return FMAzimuthHPolPath();
    if (PolCode == "V") return FMAzimuthVPolPath();
    if (PolCode == "E") return FMAzimuthCPolPath();
    return "";
}

std::string TAzFMPattern::Polarization() const {
    if (PolCode == "H") return "Horizontal";
    if (PolCode == "V") return "Vertical";
    if (PolCode == "E") return "Circular";
    return "";
}

void TPatternDetails::AddData(const std::string& key, const std::string& desc) {
    auto d = std::make_unique<TData>();
    d->Key = key;
    d->Desc = desc;
    Add(std::move(d));
}

void TAzimuthPage::SetAngle(int32_t v) {
    FAngle = v;
    HorzPattern.Angle = v;
    VertPattern.Angle = v;
    FMPattern.Angle = v;
}

TAzPattern& TAzimuthPage::Pattern(TPatternType t) {
    switch (t) {
        case ptVertical: return VertPattern;
        case ptFM: return FMPattern;
        default: return HorzPattern;
    }
}

const TAzPattern& TAzimuthPage::Pattern(TPatternType t) const {
    return const_cast<TAzimuthPage*>(this)->Pattern(t);
}

void TAzimuthPage::Assign(const TAzimuthPage& source) {
    HorzPattern.Assign(source.HorzPattern);
    VertPattern.Assign(source.VertPattern);
    FMPattern.Assign(source.FMPattern);
    SetAngle(source.Angle());
    PowerType = source.PowerType;
}

std::string AzimuthExportText(TAzPattern& pattern) {
    pattern.SetAdjustedPoints();
    return AzimuthPointsText(pattern.AdjustedPoints);
}

std::string ExportAzimuthPoints(const std::string& fileName, TAzPattern& pattern) {
    std::string name = ChangeFileExt(fileName, ".pat");
    WriteFileAtomic(name, AzimuthExportText(pattern));
    return name;
}

std::string ExportElevationPoints(const std::string& fileName, const TRealPointList& adjusted) {
    std::string name = ChangeFileExt(fileName, ".pat");
    WriteFileAtomic(name, ElevationPointsText(adjusted));
    return name;
}

}  // namespace velmo
