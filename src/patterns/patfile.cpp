#include "patterns/patfile.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/conversions.h"
#include "base/textcodec.h"

namespace velmo {

namespace {

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view TrimBlankControl(std::string_view s) {
    while (!s.empty() && IsBlankOrControl(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlankOrControl(s.back())) s.remove_suffix(1);
    return s;
}

// Point files are data shared between installations, not user entries: their
// numbers are ASCII with "." as the decimal point whatever the user's locale.
double PointNumber(std::string_view s) {
    double v = 0;
    return TryStrToFloat(s, v, '.') ? v : 0.0;
}

}  // namespace

TRealPoint ParsePatternLine(std::string_view line) {
    size_t sp = line.find(' ');
    if (sp == std::string_view::npos) return {0, 0};
    std::string_view x = line.substr(0, sp);
    std::string_view y = line.substr(sp + 1);
    while (!y.empty() && IsBlankOrControl(y.front())) y.remove_prefix(1);
    return {PointNumber(x), PointNumber(y)};
}

void ParsePointText(std::string_view text, TRealPointList& points) {
    for (const std::string& raw : SplitLines(text)) {
        std::string_view line = TrimBlankControl(raw);
        if (line.empty() || line.find('!') != std::string_view::npos) continue;
        points.AddPoint(ParsePatternLine(line));
    }
}

bool ReadPointFile(const std::string& path, TRealPointList& points) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ParsePointText(bytes, points);
    return true;
}

std::string AzimuthPointsText(const TRealPointList& adjusted) {
    std::string out;
    out.reserve(static_cast<size_t>(adjusted.Count()) * 24);
    for (int i = 0; i < adjusted.Count(); ++i) {
        double y = adjusted.PPoint(i).Y;
        out += FormatInt(i);
        out += '\t';
        out += FormatFixed(y, 3);
        out += '\t';
        out += FormatFixed(static_cast<double>(FieldTodBExt(y)), 3);
        out += "\r\n";
    }
    return out;
}

std::string ElevationPointsText(const TRealPointList& adjusted) {
    std::string out;
    double step = 0.25;
    for (const TRealPoint& p : adjusted.Points()) {
        if (p.X < -10 || p.X > 90) continue;
        if (p.X == 10) step = 0.5;
        if (!IsWholeNumber(p.X / step)) continue;
        out += FormatFixed(p.X, 2);
        out += '\t';
        out += FormatFixed(p.Y, 3);
        out += '\t';
        out += FormatFixed(static_cast<double>(FieldTodBExt(p.Y)), 3);
        out += "\r\n";
    }
    return out;
}

}  // namespace velmo
