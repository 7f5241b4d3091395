#include "patterns/patfile.h"

#include <sys/stat.h>

#include "base/conversions.h"
#include "base/fileio.h"
#include "base/numbers.h"
#include "base/textcodec.h"
#include "base/warnings.h"

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

bool ParsePointText(std::string_view text, TRealPointList& points, int maxPoints) {
    int added = 0;
    for (const std::string& raw : SplitLines(text)) {
        std::string_view line = TrimBlankControl(raw);
        if (line.empty() || line.find('!') != std::string_view::npos) continue;
        if (added == maxPoints) return false;
        points.AddPoint(ParsePatternLine(line));
        ++added;
    }
    return true;
}

std::string PatternFilePath(const std::string& folder, const std::string& fileName) {
    if (fileName.empty()) return "";
    bool inside = !folder.empty() && fileName.front() != '/';
    int depth = 0;
    for (size_t i = 0; inside && i <= fileName.size();) {
        size_t j = fileName.find('/', i);
        if (j == std::string::npos) j = fileName.size();
        const std::string_view part(fileName.data() + i, j - i);
        if (part == "..") {
            inside = --depth >= 0;
        } else if (!part.empty() && part != ".") {
            ++depth;
        }
        i = j + 1;
    }
    if (!inside) {
        Warn("The pattern file name \"" + fileName +
             "\" does not lie inside a pattern folder of the installation; the pattern is "
             "left empty.");
        return "";
    }
    return folder + fileName;
}

bool ReadPointFile(const std::string& path, TRealPointList& points, int maxPoints) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0) return false;  // no file: no message
    std::string bytes;
    try {
        bytes = ReadRegularFile(path, kMaxPointFileBytes);
    } catch (const TFileError& e) {
        Warn("The pattern file \"" + path + "\" is not read. " + e.Reason());
        return false;
    }
    if (!ParsePointText(bytes, points, maxPoints))
        Warn("The pattern file \"" + path + "\" holds more than " + FormatInt(maxPoints) +
             " points; only the first " + FormatInt(maxPoints) + " are used.");
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
