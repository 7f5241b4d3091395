#include "export/exportcommon.h"

#include "base/error.h"
#include "base/numbers.h"
#include "base/textcodec.h"
#include "model/design.h"
#include "product/partnumber.h"

namespace velmo::exportdetail {

namespace {

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

}  // namespace

const char* SlotName(TPatternType t) {
    switch (t) {
        case ptVertical: return "vertical";
        case ptFM: return "FM";
        default: return "horizontal";
    }
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

void AddLine(std::string& out, const std::string& line) {
    out += line;
    out += "\r\n";
}

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

}  // namespace velmo::exportdetail
