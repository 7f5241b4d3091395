#include "export/patternexport.h"

#include <cmath>

#include "base/conversions.h"
#include "base/error.h"
#include "base/fileio.h"
#include "base/numbers.h"
#include "export/coverageexport.h"
#include "export/exportcommon.h"
#include "model/design.h"
#include "product/partnumber.h"

namespace velmo {

using namespace exportdetail;

namespace {

// The list separator of the comma-delimited layout (the en-US one), whatever the
// decimal separator of the numbers.
constexpr const char* kCSVSeparator = ",";

const char* SlotSuffix(TPatternType t) {
    switch (t) {
        case ptVertical: return "_vertical";
        case ptFM: return "_fm";
        default: return "_horizontal";
    }
}

const char* FormatExt(TExportFormat f) {
    switch (f) {
        case efPlanet: return ".pln";
        case efCSV: return ".csv";
        case efMSI: return ".msi";
        case efSPLAT: return ".az";
        default: return ".dat";
    }
}

// Export files are read by other programs, whose fields are separated by commas and
// blanks: their numbers carry "." in every locale.
std::string Fixed(long double v) { return FormatFixed(static_cast<double>(v), 3, '.'); }

// The EDX elevation block: whole degrees from -90 to 90 in list order, labelled by a
// counter that starts at 90 and goes down by one per line.
void AddEDXElevation(std::string& out, const TRealPointList& el) {
    long long label = 90;
    for (const TRealPoint& p : el.Points()) {
        if (!IsWholeNumber(p.X) || p.X < -90 || p.X > 90) continue;
        AddLine(out, FormatInt(label) + "," + Fixed(FieldTodBExt(p.Y)));
        --label;
    }
}

// The Planet layout, with `sep` after each keyword and between the numbers.
std::string PlanetLayout(const std::string& baseName, const std::string& sep,
                         TPatternType patternType, TBroadcastDesign& design) {
    const std::string partNumber = PartNumber(design);
    TSlotPoints pts = PrepareSlot(patternType, design);
    std::string out;
    out.reserve(static_cast<size_t>(2 * kAzimuthLines + 8) * 16);
    AddLine(out, "FILENAME" + sep + baseName);
    AddLine(out, "MAKE" + sep + partNumber);
    for (const char* key : {"FREQUENCY", "H_WIDTH", "V_WIDTH", "FRONT_TO_BACK", "GAIN", "TILT"})
        AddLine(out, key + sep);
    AddLine(out, "HORIZONTAL" + sep + FormatInt(kAzimuthLines));
    for (int i = 0; i < kAzimuthLines; ++i)
        AddLine(out, FormatInt(i) + sep + Fixed(std::fabs(FieldTodBExt(pts.Azimuth.PPoint(i).Y))));
    AddLine(out, "VERTICAL" + sep + FormatInt(kAzimuthLines));

    // Four passes round the vertical circle: front from the horizon down to straight
    // down, back from there up to the rear horizon, back above the horizon up to
    // straight up, and front from there down to just above the horizon.
    const std::vector<TRealPoint>& el = pts.Elevation.Points();
    long long counter = 0;
    auto pass = [&](bool forward, auto inRange) {
        const size_t n = el.size();
        for (size_t k = 0; k < n; ++k) {
            const TRealPoint& p = el[forward ? k : n - 1 - k];
            if (!IsWholeNumber(p.X) || !inRange(p.X)) continue;
            AddLine(out, FormatInt(counter) + sep + Fixed(std::fabs(FieldTodBExt(p.Y))));
            ++counter;
        }
    };
    pass(true, [](double x) { return x >= 0 && x <= 90; });
    pass(false, [](double x) { return x >= 0 && x < 90; });
    pass(false, [](double x) { return x >= -90 && x < 0; });
    pass(true, [](double x) { return x > -90 && x < 0; });
    return To8Bit(out);
}

}  // namespace

std::string ExportFileName(const std::string& fileName, TExportFormat format,
                           TPatternType patternType) {
    return ChangeFileExt(fileName, std::string(SlotSuffix(patternType)) + FormatExt(format));
}

std::string ExportBaseName(const std::string& outputName) {
    size_t slash = outputName.rfind('/');
    std::string name = slash == std::string::npos ? outputName : outputName.substr(slash + 1);
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

bool CanExportPatterns(const TBroadcastDesign& design) {
    return design.OptionsPage.FamilyID != "CTM";
}

std::vector<TPatternType> ExportPatternTypes(const TBroadcastDesign& design) {
    if (!CanExportPatterns(design)) return {};
    const std::string& system = design.DesignInfo.SystemType;
    if (system == "TV") {
        if (design.OptionsPage.PolCode == "E") return {ptHorizontal, ptVertical};
        return {ptHorizontal};
    }
    if (system == "FM") return {ptFM};
    return {};
}

std::string EDXText(TPatternType patternType, TBroadcastDesign& design) {
    std::string partNumber = PartNumber(design);
    std::string quoted = "'";
    for (char c : partNumber) {
        quoted += c;
        if (c == '\'') quoted += '\'';
    }
    quoted += "'";
    TSlotPoints pts = PrepareSlot(patternType, design);

    std::string block;
    AddEDXElevation(block, pts.Elevation);
    std::string out;
    out.reserve(static_cast<size_t>(kAzimuthLines) * 12 + 2 * block.size() + 64);
    AddLine(out, quoted + ",,1");
    for (int i = 0; i < kAzimuthLines; ++i)
        AddLine(out, FormatInt(i) + "," + Fixed(FieldTodBExt(pts.Azimuth.PPoint(i).Y)));
    AddLine(out, "999");
    AddLine(out, "2,181");
    AddLine(out, "0");
    out += block;
    AddLine(out, "181");
    out += block;
    return To8Bit(out);
}

std::string PlanetText(const std::string& baseName, TPatternType patternType,
                       TBroadcastDesign& design) {
    return PlanetLayout(baseName, " ", patternType, design);
}

std::string CSVText(const std::string& baseName, TPatternType patternType,
                    TBroadcastDesign& design) {
    return PlanetLayout(baseName, kCSVSeparator, patternType, design);
}

std::string ExportText(TExportFormat format, const std::string& outputName,
                       TPatternType patternType, TBroadcastDesign& design) {
    switch (format) {
        case efPlanet: return PlanetText(ExportBaseName(outputName), patternType, design);
        case efCSV: return CSVText(ExportBaseName(outputName), patternType, design);
        case efMSI: return MSIText(patternType, ExportPatternTypes(design).size() > 1, design);
        case efSPLAT: return SplatAzimuthText(patternType, design);
        default: return EDXText(patternType, design);
    }
}

namespace {

// Name and text of each file.
using TFileTexts = std::vector<std::pair<std::string, std::string>>;

// The files of one slot, texts complete.
TFileTexts SlotFiles(TExportFormat format, const std::string& fileName, TPatternType patternType,
                     bool twoSlots, TBroadcastDesign& design) {
    if (format == efSPLAT) {
        std::vector<std::string> names = SplatFileNames(fileName, patternType, twoSlots);
        return {{names[0], SplatAzimuthText(patternType, design)},
                {names[1], SplatElevationText(patternType, design)}};
    }
    std::string name = ExportFileName(fileName, format, patternType);
    std::string text = format == efMSI ? MSIText(patternType, twoSlots, design)
                                       : ExportText(format, name, patternType, design);
    return {{std::move(name), std::move(text)}};
}

}  // namespace

std::string ExportPattern(TExportFormat format, const std::string& fileName,
                          TPatternType patternType, TBroadcastDesign& design) {
    const bool twoSlots = ExportPatternTypes(design).size() > 1;
    TFileTexts files = SlotFiles(format, fileName, patternType, twoSlots, design);
    WriteFilesAtomic(files);
    return files.front().first;
}

std::string ExportEDX(const std::string& fileName, TPatternType patternType,
                      TBroadcastDesign& design) {
    return ExportPattern(efEDX, fileName, patternType, design);
}

std::string ExportPlanet(const std::string& fileName, TPatternType patternType,
                         TBroadcastDesign& design) {
    return ExportPattern(efPlanet, fileName, patternType, design);
}

std::string ExportCSV(const std::string& fileName, TPatternType patternType,
                      TBroadcastDesign& design) {
    return ExportPattern(efCSV, fileName, patternType, design);
}

std::vector<std::string> ExportDesign(TExportFormat format, const std::string& fileName,
                                      TBroadcastDesign& design) {
    const std::vector<TPatternType> slots = ExportPatternTypes(design);
    TFileTexts files;
    for (TPatternType t : slots)
        for (auto& f : SlotFiles(format, fileName, t, slots.size() > 1, design))
            files.push_back(std::move(f));
    WriteFilesAtomic(files);
    std::vector<std::string> names;
    for (const auto& f : files) names.push_back(f.first);
    return names;
}

}  // namespace velmo
