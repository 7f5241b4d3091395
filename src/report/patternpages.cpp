#include "report/patternpages.h"

#include <algorithm>
#include <cmath>

#include "base/conversions.h"
#include "base/numbers.h"
#include "report/plots.h"
#include "report/specsheet.h"

namespace velmo {

namespace {

constexpr TFontStyles kBoldItalic = fsBold | fsItalic;

void Font(TReporter& r, TFontStyles style, double height) {
    r.SetFont("Arial", clBlack, style, height);
}

std::string F2(double v) { return FormatFixed(v, 2); }
std::string F3(double v) { return FormatFixed(v, 3); }

// A header value centred at labelRight + 30. A value wide enough to reach back into
// its label is moved right until it keeps a small gap after the label.
void HeaderValue(TReporter& r, double labelRight, double y, const std::string& value) {
    constexpr double kOffset = 30;
    constexpr double kMinGap = 8;
    const double half = r.TextWidth(value) / 2;
    const double x = std::max(labelRight + kOffset, labelRight + kMinGap + half);
    r.TextOutEx(x, y, value, hpCenter, vpTop);
}

// "Type:" and "Polarization:" lines of the tabulated pages (bold italic 16), from y.
void TypeLines(TReporter& r, double y, const std::string& type, const std::string& polarization) {
    Font(r, kBoldItalic, 16);
    constexpr double x = 115;
    const double next = r.TextOutEx(x, y, "Type:", hpLeft, vpTop);
    HeaderValue(r, x + r.TextWidth("Type:"), y, type);
    r.TextOutEx(x, next, "Polarization:", hpLeft, vpTop);
    HeaderValue(r, x + r.TextWidth("Polarization:"), next, polarization);
}

// One row of a data block: an underline from a to b at the row's foot.
void Underline(TReporter& r, double y, double a, double b) { r.DrawLine(a, y + 15 - 1, b, y + 15 - 1); }

// Texts centred on their columns and on a row's middle.
void Cell(TReporter& r, double x, double yMid, const std::string& text) {
    r.TextOutEx(x, yMid, text, hpCenter, vpCenter);
}

const TAzPattern& AzPattern(const TBroadcastDesign& d, TPatternType kind) {
    return d.AzimuthPage.Pattern(kind);
}
const TElPattern& ElPattern(const TBroadcastDesign& d, TPatternType kind) {
    return d.ElevationPage.Pattern(kind);
}

// The pattern kinds a design prints, in page order.
std::vector<TPatternType> PrintedKinds(const TBroadcastDesign& d) {
    if (d.DesignInfo.SystemType == "TV") {
        if (d.OptionsPage.PolCode == "E" && d.OptionsPage.FamilyID != "KVR")
            return {ptHorizontal, ptVertical};
        return {ptHorizontal};
    }
    if (d.DesignInfo.SystemType == "FM") return {ptFM};
    return {};
}

// The three headings of every group of a table, centred on the heading row, in bold
// 15. Where the columns stand too close for "ANGLE" and "FIELD" side by side (the
// elevation table), the headings get the largest smaller height that keeps them
// apart.
void TableHeadings(TReporter& r, int groups, double x0, double c, double yMid) {
    constexpr double kHeight = 15;
    constexpr double kMinGap = 4;
    Font(r, fsBold, kHeight);
    const double halves = (r.TextWidth("ANGLE") + r.TextWidth("FIELD")) / 2;
    if (halves + kMinGap > c) Font(r, fsBold, std::floor(kHeight * (c - kMinGap) / halves * 4) / 4);
    for (int g = 0; g < groups; ++g) {
        const double x = x0 + 3 * g * c;
        Cell(r, x, yMid, "ANGLE");
        Cell(r, x + c, yMid, "FIELD");
        Cell(r, x + 2 * c, yMid, "dB");
    }
}

// Lays the rows out in groups down the page, a page at a time: drawHeader makes the
// page's header, drawRow one row's three texts at a column origin and row middle.
template <typename Header, typename Row>
void GroupedTable(TReporter& r, size_t rowCount, int groups, int rowsPerGroup, double x0, double c,
                  double headMid, double rowHeight, double fontHeight, Header drawHeader,
                  Row drawRow) {
    const size_t perPage = static_cast<size_t>(groups) * static_cast<size_t>(rowsPerGroup);
    size_t first = 0;
    do {
        if (first > 0) r.NewPage();
        drawHeader();
        TableHeadings(r, groups, x0, c, headMid);
        Font(r, 0, fontHeight);
        const size_t last = std::min(rowCount, first + perPage);
        for (size_t i = first; i < last; ++i) {
            const size_t onPage = i - first;
            const int g = static_cast<int>(onPage / static_cast<size_t>(rowsPerGroup));
            const int row = static_cast<int>(onPage % static_cast<size_t>(rowsPerGroup));
            drawRow(i, x0 + 3 * g * c, headMid + rowHeight * (row + 1));
        }
        first = last;
    } while (first < rowCount);
}

}  // namespace

// ---- selections -----------------------------------------------------------------------

std::vector<int> AzimuthTableRows(const TRealPointList& points) {
    std::vector<int> rows;
    const auto& pts = points.Points();
    for (size_t i = 0; i < pts.size(); ++i) {
        const double a = std::nearbyint(pts[i].X);
        if (std::fmod(a, 2.0) == 0) rows.push_back(static_cast<int>(i));
    }
    return rows;
}

std::vector<int> ElevationTableRows(const TRealPointList& points) {
    std::vector<int> rows;
    double step = 0.25;
    const auto& pts = points.Points();
    for (size_t i = 0; i < pts.size(); ++i) {
        const double x = pts[i].X;
        if (x < -10 || x > 90) continue;
        if (x == 10) step = 0.5;
        if (IsWholeNumber(x / step)) rows.push_back(static_cast<int>(i));
    }
    return rows;
}

std::string ElevationTypeText(const TBroadcastDesign& design, TPatternType kind) {
    const std::string& family = design.OptionsPage.FamilyID;
    if (family == "KVR")
        return kind == ptHorizontal ? design.BuildHorzKVRElId() : design.BuildVertKVRElId();
    if (family == "KLX-VHF" || family == "KLX-UHF") return design.BuildMIRALDOElId(kind);
    return ElPattern(design, kind).DetailLabel;
}

double FCCPageERP(const TBroadcastDesign& design, TPatternType kind) {
    const TPowerAnalysis& a = design.AnalysisPage.Analysis;
    return kind == ptVertical ? a.ERPkWVert() : a.ERPkWHorz();
}

// ---- page sequences -------------------------------------------------------------------

void DrawAzimuthPages(TReporter& reporter, TBroadcastDesign& design, bool full) {
    bool first = true;
    for (TPatternType kind : PrintedKinds(design)) {
        if (!first) reporter.NewPage();
        first = false;
        DrawAzimuthPatternPages(reporter, design, kind, full);
    }
}

void DrawElevationPages(TReporter& reporter, TBroadcastDesign& design) {
    bool first = true;
    for (TPatternType kind : PrintedKinds(design)) {
        if (!first) reporter.NewPage();
        first = false;
        DrawElevationPatternPages(reporter, kind, design);
    }
}

void DrawAzimuthPatternPages(TReporter& reporter, TBroadcastDesign& design, TPatternType kind,
                             bool full) {
    TAzPattern& p = design.AzimuthPage.Pattern(kind);
    TRealPointList plotted;
    PlotPoints(p.Points, design.AzimuthPage.PowerType, plotted);
    DrawPolarPattern(reporter, TIntPoint{425, 640}, 275, p.Angle, design.AzimuthPage.PowerType,
                     plotted);
    DrawAzimuthHeader(reporter, design, kind);

    reporter.NewPage();
    p.SetAdjustedPoints();
    DrawAzimuthTable(reporter, design, p.AdjustedPoints, kind);

    if (full) {
        reporter.NewPage();
        DrawFCCTable(reporter, design, p.AdjustedPoints, kind, FCCPageERP(design, kind));
    }
}

void DrawElevationPatternPages(TReporter& reporter, TPatternType kind, TBroadcastDesign& design) {
    const TElPattern& p = ElPattern(design, kind);
    const TRange range = GetRange(design.ElevationPage.RangeType);
    TRealPointList plotted;
    PlotPoints(p.AdjustedPoints, design.ElevationPage.PowerType, plotted);
    DrawRectPattern(reporter, TIntRect{165, 240, 735, 910}, 12, range.Increment, range.Min,
                    range.Max, design.ElevationPage.PowerType, plotted, 0, true);
    DrawElevationHeader(reporter, design, kind);

    reporter.NewPage();
    DrawElevationTable(reporter, design, kind, p.AdjustedPoints);
}

// ---- azimuth pages ----------------------------------------------------------------------

void DrawAzimuthHeader(TReporter& r, TBroadcastDesign& design, TPatternType kind) {
    const TAzPattern& p = AzPattern(design, kind);
    DrawPageFrame(r, design);
    r.SetPen(clBlack, psSolid, 1);
    Font(r, kBoldItalic, 20);
    r.TextOutEx(422.5, 130, "AZIMUTH PATTERN", hpCenter, vpTop);

    r.SetPen(clBlack, psSolid, 0.25);
    Font(r, kBoldItalic, 15);
    double y = 180;
    // Row 1.
    r.TextOutEx(165, y, "Type:", hpLeft, vpTop);
    Underline(r, y, 265, 425);
    r.TextOutEx(345, y, p.PatternID, hpCenter, vpTop);
    r.TextOutEx(485, y, "Channel:", hpLeft, vpTop);
    Underline(r, y, 585, 745);
    r.TextOutEx(665, y, design.OptionsPage.Channel.ChannelNumber, hpCenter, vpTop);
    // Row 2.
    y += 15;
    r.TextOutEx(290, y, "Numeric", hpCenter, vpTop);
    r.TextOutEx(400, y, "dBd", hpCenter, vpTop);
    r.TextOutEx(485, y, "Location:", hpLeft, vpTop);
    Underline(r, y, 585, 745);
    r.TextOutEx(665, y, design.DesignInfo.Location2, hpCenter, vpTop);
    // Row 3.
    y += 15;
    r.TextOutEx(165, y, "Directivity:", hpLeft, vpTop);
    Underline(r, y, 265, 315);
    Underline(r, y, 375, 425);
    r.TextOutEx(290, y, F2(p.Gain()), hpCenter, vpTop);
    r.TextOutEx(400, y, F2(p.GaindB), hpCenter, vpTop);
    r.TextOutEx(485, y, "Polarization:", hpLeft, vpTop);
    Underline(r, y, 585, 745);
    r.TextOutEx(665, y, p.Polarization(), hpCenter, vpTop);
    // Row 4: writing space for the peaks.
    y += 15;
    r.TextOutEx(165, y, "Peak(s) at:", hpLeft, vpTop);
    Underline(r, y, 265, 425);
    Font(r, 0, 13);
    r.TextOutEx(485, y, "Note: Pattern shape and directivity may vary with", hpLeft, vpTop);
    // Row 5.
    y += 15;
    Font(r, 0, 15);
    Underline(r, y, 265, 425);
    Font(r, 0, 13);
    r.TextOutEx(485, y, "channel and mouting configuration.", hpLeft, vpTop);
}

void DrawAzimuthTableHeader(TReporter& r, TBroadcastDesign& design, TPatternType kind) {
    const TAzPattern& p = AzPattern(design, kind);
    DrawPageFrame(r, design);
    Font(r, kBoldItalic, 24);
    const double y = r.TextOutEx(115, 115, "TABULATED DATA FOR AZIMUTH PATTERN", hpLeft, vpTop);
    TypeLines(r, y, p.PatternID, p.Polarization());
}

void DrawAzimuthTable(TReporter& r, TBroadcastDesign& design, const TRealPointList& points,
                      TPatternType kind) {
    const std::vector<int> rows = AzimuthTableRows(points);
    const double c = 600.0 / 11;
    GroupedTable(
        r, rows.size(), kAzimuthTableGroups, kAzimuthTableRows, 125, c, 180 + 8.25, 16.5, 14,
        [&] { DrawAzimuthTableHeader(r, design, kind); },
        [&](size_t i, double x, double yMid) {
            const TRealPoint& pt = points.PPoint(rows[i]);
            Cell(r, x, yMid, FormatInt(static_cast<long long>(std::nearbyint(pt.X))));
            Cell(r, x + c, yMid, F3(pt.Y));
            Cell(r, x + 2 * c, yMid, F2(static_cast<double>(FieldTodBExt(pt.Y))));
        });
}

void DrawFCCHeader(TReporter& r, TBroadcastDesign& design, TPatternType kind) {
    const TAzPattern& p = AzPattern(design, kind);
    DrawPageFrame(r, design);
    Font(r, kBoldItalic, 24);
    double y = r.TextOutEx(115, 115, "TABULATED DATA FOR AZIMUTH PATTERN", hpLeft, vpTop);
    y = r.TextOutEx(115, y, "FCC FILING FORMAT", hpLeft, vpTop);
    TypeLines(r, y, p.PatternID, p.Polarization());
}

void DrawFCCTable(TReporter& r, TBroadcastDesign& design, const TRealPointList& points,
                  TPatternType kind, double erpkW) {
    DrawFCCHeader(r, design, kind);
    constexpr double x0 = 100;
    const double cols[4] = {x0 + 87.5, x0 + 187.5, x0 + 287.5, x0 + 387.5};
    constexpr double rowHeight = 20;
    constexpr double headMid = 200 + 15 + 10;
    Font(r, kBoldItalic, 15);
    Cell(r, cols[0], headMid, "ANGLE");
    Cell(r, cols[1], headMid, "FIELD");
    Cell(r, cols[2], headMid, "ERP (kW)");
    Cell(r, cols[3], headMid, "ERP (dBk)");
    Font(r, 0, 15);
    // Rows whose source point is missing (a list shorter than 351 points) are left out.
    for (int k = 0; k < kFCCTableRows && 10 * k < points.Count(); ++k) {
        const TRealPoint& pt = points.PPoint(10 * k);
        const double erp = FieldERP(erpkW, pt.Y);
        const double yMid = headMid + rowHeight * (k + 1);
        Cell(r, cols[0], yMid, FormatFixed(pt.X, 0));
        Cell(r, cols[1], yMid, F3(pt.Y));
        Cell(r, cols[2], yMid, F3(erp));
        Cell(r, cols[3], yMid, F3(PowerTodB(erp)));
    }
}

// ---- elevation pages --------------------------------------------------------------------

void DrawElevationHeader(TReporter& r, TBroadcastDesign& design, TPatternType kind) {
    const TElPattern& p = ElPattern(design, kind);
    DrawPageFrame(r, design);
    r.SetPen(clBlack, psSolid, 0.25);
    Font(r, kBoldItalic, 22);
    r.TextOutEx(422.5, 120, "ELEVATION PATTERN", hpCenter, vpTop);

    Font(r, kBoldItalic, 15);
    double y = 142;
    // Row 1.
    r.TextOutEx(145, y, "Type:", hpLeft, vpTop);
    Underline(r, y, 265, 395);
    r.TextOutEx(330, y, ElevationTypeText(design, kind), hpCenter, vpTop);
    r.TextOutEx(485, y, "Channel:", hpLeft, vpTop);
    Underline(r, y, 575, 705);
    r.TextOutEx(640, y, design.OptionsPage.Channel.ChannelNumber, hpCenter, vpTop);
    // Row 2.
    y += 15;
    r.TextOutEx(145, y, "Directivity:", hpLeft, vpTop);
    r.TextOutEx(285, y, "Numeric", hpCenter, vpTop);
    r.TextOutEx(375, y, "dBd", hpCenter, vpTop);
    r.TextOutEx(485, y, "Location:", hpLeft, vpTop);
    Underline(r, y, 575, 705);
    r.TextOutEx(640, y, design.DesignInfo.Location2, hpCenter, vpTop);
    // Row 3.
    y += 15;
    r.TextOutEx(155, y, "Main Lobe:", hpLeft, vpTop);
    Underline(r, y, 265, 305);
    r.TextOutEx(285, y, F2(p.Gain()), hpCenter, vpTop);
    Underline(r, y, 355, 395);
    r.TextOutEx(375, y, F2(p.MainLobedBd), hpCenter, vpTop);
    r.TextOutEx(485, y, "Beam Tilt:", hpLeft, vpTop);
    Underline(r, y, 575, 705);
    r.TextOutEx(640, y, F2(p.Beamtilt()), hpCenter, vpTop);
    // Row 4.
    y += 15;
    r.TextOutEx(155, y, "Horizontal:", hpLeft, vpTop);
    Underline(r, y, 265, 305);
    r.TextOutEx(285, y, F2(p.HorzNum), hpCenter, vpTop);
    Underline(r, y, 355, 395);
    r.TextOutEx(375, y, F2(p.HorzdBd), hpCenter, vpTop);
    r.TextOutEx(485, y, "Polarization:", hpLeft, vpTop);
    Underline(r, y, 575, 705);
    r.TextOutEx(640, y, p.Polarization(), hpCenter, vpTop);
}

void DrawElevationTableHeader(TReporter& r, TBroadcastDesign& design, TPatternType kind) {
    DrawPageFrame(r, design);
    Font(r, kBoldItalic, 24);
    const double y =
        r.TextOutEx(115, 115, "TABULATED DATA FOR ELEVATION PATTERN", hpLeft, vpTop);
    TypeLines(r, y, ElevationTypeText(design, kind), ElPattern(design, kind).Polarization());
}

void DrawElevationTable(TReporter& r, TBroadcastDesign& design, TPatternType kind,
                        const TRealPointList& points) {
    const std::vector<int> rows = ElevationTableRows(points);
    const double c = 605.0 / 14;
    GroupedTable(
        r, rows.size(), kElevationTableGroups, kElevationTableRows, 120, c, 180 + 7.75, 15.5, 15,
        [&] { DrawElevationTableHeader(r, design, kind); },
        [&](size_t i, double x, double yMid) {
            const TRealPoint& pt = points.PPoint(rows[i]);
            Cell(r, x, yMid, F2(pt.X));
            Cell(r, x + c, yMid, F3(pt.Y));
            Cell(r, x + 2 * c, yMid, F2(static_cast<double>(FieldTodBExt(pt.Y))));
        });
}

}  // namespace velmo
