#pragma once
// Azimuth (horizontal-plane) patterns: the point list as read, and the list rotated
// by the design's azimuth angle that reports, tables and exports read.
#include <memory>
#include <string>

#include "base/types.h"

namespace velmo {

class TAzPattern {
public:
    TAzPattern() = default;
    virtual ~TAzPattern() = default;
    TAzPattern(const TAzPattern&) = delete;
    TAzPattern& operator=(const TAzPattern&) = delete;

    virtual std::string GetPath() const { return ""; }
    virtual std::string Polarization() const { return ""; }

    double Gain() const { return FGain; }
    void SetGain(double v);  // keeps GaindB in step
    bool Loaded() const { return FLoaded; }

    // Reads the point file once per object; a missing file leaves Points empty.
    void LoadPoints();
    // Rebuilds AdjustedPoints from Points and Angle: the value at azimuth n is the
    // unrotated value at azimuth n - Angle. A file of fewer than 360 points does not
    // describe a whole circle: AdjustedPoints is then left empty, so displays show the
    // empty pattern and exports refuse it, instead of reading degrees that are missing.
    void SetAdjustedPoints();
    // Copies the catalog fields, Gain, Angle, PatternType, Points and PolCode; not
    // AdjustedPoints, the loaded flag or VertPatterns.
    virtual void Assign(const TAzPattern& source);

    std::string PatternCode;
    std::string PatternID;
    std::string Desc;
    double GaindB = 0;
    double Beamwidth = 0;
    int32_t Angle = 0;
    std::string FileName;
    TPatternType PatternType = ptHorizontal;
    TRealPointList AdjustedPoints;
    TRealPointList Points;
    std::string PolCode;

    static constexpr int kFullCircle = 360;

private:
    bool FLoaded = false;
    double FGain = 0;
};

class TAzVertPattern : public TAzPattern {
public:
    std::string GetPath() const override;
    std::string Polarization() const override { return "Vertical"; }
};

class TAzVertPatternList : public TOwningList<TAzVertPattern> {
public:
    TAzVertPattern& Pattern(int index) { return Item(index); }
};

class TAzHorzPattern : public TAzPattern {
public:
    std::string GetPath() const override;
    std::string Polarization() const override { return "Horizontal"; }
    TAzVertPatternList VertPatterns;
};

class TAzFMPattern : public TAzPattern {
public:
    std::string GetPath() const override;
    std::string Polarization() const override;
};

class TAzHorzPatternList : public TOwningList<TAzHorzPattern> {
public:
    TAzHorzPattern& HorzPattern(int index) { return Item(index); }
};

class TAzFMPatternList : public TOwningList<TAzFMPattern> {
public:
    TAzFMPattern& AzFMPattern(int index) { return Item(index); }
};

// Pattern code -> description, filled from the pattern-code table.
class TPatternDetails : public TDataList {
public:
    using TDataList::AddData;
    void AddData(const std::string& key, const std::string& desc);
};

class TAzimuthPage {
public:
    TAzimuthPage() = default;
    TAzimuthPage(const TAzimuthPage&) = delete;
    TAzimuthPage& operator=(const TAzimuthPage&) = delete;

    int32_t Angle() const { return FAngle; }
    // Stores the angle in all three patterns; does not rebuild AdjustedPoints.
    void SetAngle(int32_t v);
    TAzPattern& Pattern(TPatternType t);
    const TAzPattern& Pattern(TPatternType t) const;
    void Assign(const TAzimuthPage& source);

    TAzHorzPattern HorzPattern;
    TAzVertPattern VertPattern;
    TAzFMPattern FMPattern;
    TPowerType PowerType = ptRF;

private:
    int32_t FAngle = 0;
};

// SetAdjustedPoints, then the azimuth export text.
std::string AzimuthExportText(TAzPattern& pattern);
// SetAdjustedPoints, then writes the export text to `fileName` with its extension
// replaced by ".pat" (an existing file is overwritten). Returns the name written.
std::string ExportAzimuthPoints(const std::string& fileName, TAzPattern& pattern);
// Writes the elevation export text of `adjusted` the same way.
std::string ExportElevationPoints(const std::string& fileName, const TRealPointList& adjusted);

}  // namespace velmo
