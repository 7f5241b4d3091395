#include "export/patternexport.h"

#include <cmath>

#include "base/conversions.h"
#include "base/error.h"
#include "base/fileio.h"
#include "base/numbers.h"
#include "base/textcodec.h"
#include "model/design.h"
#include "product/partnumber.h"

namespace velmo {

namespace {

constexpr int kAzimuthLines = TAzPattern::kFullCircle;

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

const char* SlotName(TPatternType t) {
    switch (t) {
        case ptVertical: return "vertical";
        case ptFM: return "FM";
        default: return "horizontal";
    }
}

const char* FormatExt(TExportFormat f) {
    switch (f) {
        case efPlanet: return ".pln";
        case efCSV: return ".csv";
        default: return ".dat";
    }
}

// Length of the UTF-8 sequence that starts at s[i], 0 when it is not a complete,
// well-formed one.
size_t SequenceLength(std::string_view s, size_t i) {
    auto c = static_cast<unsigned char>(s[i]);
    size_t len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    if (len == 0 || i + len > s.size()) return 0;
    for (size_t k = 1; k < len; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
    return len;
}

// The 8-bit form of the text. A character without a Windows-1252 byte (a name typed
// in another script) and a byte that is not UTF-8 become "?": the file stays readable
// by tools that know only the 8-bit code page.
std::string To8Bit(std::string_view utf8) {
    std::string out;
    if (Utf8ToWindows1252(utf8, out)) return out;
    out.clear();
    out.reserve(utf8.size());
    std::string one;
    size_t i = 0;
    while (i < utf8.size()) {
        size_t len = SequenceLength(utf8, i);
        if (len != 0 && Utf8ToWindows1252(utf8.substr(i, len), one)) {
            out += one;
        } else {
            out += '?';
        }
        i += len != 0 ? len : 1;
    }
    return out;
}

std::string PartNumber(const TBroadcastDesign& design) {
    std::string inputType;  // the design's own connector text stays as it is
    return BuildPartNumber(design.PartNumberInputs(), inputType);
}

// Export files are read by other programs, whose fields are separated by commas and
// blanks: their numbers carry "." in every locale.
std::string Fixed(long double v) { return FormatFixed(static_cast<double>(v), 3, '.'); }

void AddLine(std::string& out, const std::string& line) {
    out += line;
    out += "\r\n";
}

// The points of the slot as the files hold them: LoadPoints of both patterns, then
// the azimuth pattern turned by its current angle.
struct TSlotPoints {
    const TRealPointList& Azimuth;
    const TRealPointList& Elevation;
};

TSlotPoints PrepareSlot(TPatternType patternType, TBroadcastDesign& design) {
    TAzPattern& az = design.AzimuthPage.Pattern(patternType);
    TElPattern& el = design.ElevationPage.Pattern(patternType);
    az.LoadPoints();
    el.LoadPoints();
    az.SetAdjustedPoints();
    if (az.AdjustedPoints.Count() < kAzimuthLines) {
        std::string name = !az.PatternID.empty() ? az.PatternID : az.FileName;
        throw Error("Cannot export the " + std::string(SlotName(patternType)) +
                    " azimuth pattern" + (name.empty() ? std::string() : " \"" + name + "\"") +
                    ": it holds " + FormatInt(az.Points.Count()) + " of the " +
                    FormatInt(kAzimuthLines) + " points of a full circle.");
    }
    return {az.AdjustedPoints, el.AdjustedPoints};
}

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
        default: return EDXText(patternType, design);
    }
}

std::string ExportPattern(TExportFormat format, const std::string& fileName,
                          TPatternType patternType, TBroadcastDesign& design) {
    std::string name = ExportFileName(fileName, format, patternType);
    std::string text = ExportText(format, name, patternType, design);
    WriteFileAtomic(name, text);
    return name;
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
    std::vector<std::string> names, texts;
    for (TPatternType t : ExportPatternTypes(design)) {
        names.push_back(ExportFileName(fileName, format, t));
        texts.push_back(ExportText(format, names.back(), t, design));
    }
    for (size_t i = 0; i < names.size(); ++i) WriteFileAtomic(names[i], texts[i]);
    return names;
}

}  // namespace velmo
