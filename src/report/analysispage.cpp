#include "report/analysispage.h"

#include <algorithm>
#include <string>

#include "base/numbers.h"
#include "report/specsheet.h"

namespace velmo {

namespace {

// Text styles of the page: every one "Arial" in black.
enum TStyle { stTitle, stDesignLine, stHeading, stSubheading, stLabel, stValue };

void Style(TReporter& r, TStyle style) {
    constexpr TFontStyles bi = fsBold | fsItalic;
    switch (style) {
        case stTitle: r.SetFont("Arial", clBlack, bi, 24); break;
        case stDesignLine: r.SetFont("Arial", clBlack, bi, 24); break;
        case stHeading: r.SetFont("Arial", clBlack, bi | fsUnderline, 16); break;
        case stSubheading: r.SetFont("Arial", clBlack, bi, 16); break;
        case stLabel: r.SetFont("Arial", clBlack, fsItalic, 16); break;
        case stValue: r.SetFont("Arial", clBlack, fsItalic | fsUnderline, 16); break;
    }
}

std::string F(double v) { return FormatFixed(v, 2); }

// Texts stand with their bottom on y; each returns the next line (y + font height).
double Text(TReporter& r, TStyle style, double x, double y, const std::string& text,
            THorizPosition h = hpLeft) {
    Style(r, style);
    return r.TextOutEx(x, y, text, h, vpBottom);
}

// A label right-aligned at labelX and its value left-aligned at valueX on line y.
double Row(TReporter& r, double labelX, double valueX, double y, const std::string& label,
           const std::string& value) {
    Text(r, stLabel, labelX, y, label, hpRight);
    return Text(r, stValue, valueX, y, value);
}

// Title and subtitle, centred on X = 425.
void Titles(TReporter& r, const std::string& title, double subtitleHeight) {
    r.SetFont("Arial", clBlack, fsBold | fsItalic, 24);
    r.TextOutEx(425, 125, title, hpCenter, vpTop);
    r.SetFont("Arial", clBlack, fsBold | fsItalic, subtitleHeight);
    r.TextOutEx(425, 150, "Power Analysis", hpCenter, vpTop);
    r.SetPen(clBlack, psSolid, 1);
}

// Company name with the channel after it, the site, the part number; returns the
// line after the part number.
double DesignLines(TReporter& r, TBroadcastDesign& design, double x, double y) {
    Style(r, stDesignLine);
    const std::string& company = design.DesignInfo.CompanyName;
    r.TextOutEx(x, y, company, hpLeft, vpBottom);
    y = r.TextOutEx(x + r.TextWidth(company), y,
                    "   Channel  " + design.OptionsPage.Channel.ChannelNumber, hpLeft, vpBottom);
    y = r.TextOutEx(x, y, design.DesignInfo.Location2, hpLeft, vpBottom);
    return r.TextOutEx(x, y, design.BuildPartNumber(), hpLeft, vpBottom);
}

// A heading with two label/value rows below it; returns the line after the rows.
double Block(TReporter& r, double x0, double labelX, double valueX, double y,
             const std::string& heading, const std::string (&rows)[2][2]) {
    if (!heading.empty()) y = Text(r, stHeading, x0, y, heading);
    for (const auto& row : rows) y = Row(r, labelX, valueX, y, row[0], row[1]);
    return y;
}

// The four blocks of the right column without the vertical-polarization rows, from
// the ERP heading's line (the heading itself drawn when ERPHeading is set).
void PowerBlocks(TReporter& r, const TPowerAnalysis& a, double y, bool erpHeading) {
    constexpr double x0 = 500, labelX = x0 + 110, valueX = x0 + 125;
    const std::string erp[2][2] = {{"kW:", F(a.ERPkWHorz())}, {"dBk:", F(a.ERPdBkHorz())}};
    const std::string gain[2][2] = {{"Ratio:", F(a.PowerGainRatioHorz())},
                                    {"dBd:", F(a.PowerGaindBdHorz())}};
    const std::string input[2][2] = {{"kW:", F(a.AntennaInputkW)}, {"dBk:", F(a.AntennaInputdBk())}};
    const std::string loss[2][2] = {{"kW:", F(a.LineLosskW())}, {"dB:", F(a.LineLossdB())}};
    y = Block(r, x0, labelX, valueX, y, erpHeading ? "ERP:" : "", erp) + 55;
    y = Block(r, x0, labelX, valueX, y, "POWER GAIN:", gain) + 55;
    y = Block(r, x0, labelX, valueX, y, "ANTENNA INPUT:", input) + 55;
    Block(r, x0, labelX, valueX, y, "LINE LOSS:", loss);
}

// "TRANSMISSION LINE:" with the vertical and horizontal runs and the line efficiency,
// from y; values at x + 140. "Attenuation, dB/100 ft:" is wider than 140 in the label
// font: the value column then moves right to keep a small gap after it, so no label
// runs into its value.
void LineBlocks(TReporter& r, TBroadcastDesign& design, double x, double y) {
    const TLinesPage& lines = design.LinesPage;
    constexpr double kMinGap = 8;
    Style(r, stLabel);
    const double valueX = std::max(x + 140, x + r.TextWidth("Attenuation, dB/100 ft:") + kMinGap);
    y = Text(r, stHeading, x, y, "TRANSMISSION LINE:") + 30;
    auto run = [&](const std::string& heading, int32_t length) {
        y = Text(r, stHeading, x, y, heading);
        Text(r, stLabel, x, y, "Type:");
        y = Text(r, stValue, valueX, y, lines.Line.PartNumber);
        Text(r, stLabel, x, y, "Length, ft:");
        y = Text(r, stValue, valueX, y, FormatInt(length) + " ft.");
        Text(r, stLabel, x, y, "Attenuation, dB/100 ft:");
        y = Text(r, stValue, valueX, y, FormatFixed(lines.Line.dBPerFoot(), 3) + " dB/100 ft.");
        y += 30;
    };
    run("VERTICAL RUN:", lines.VertLength);
    run("HORIZONTAL RUN:", lines.HorzLength);
    Text(r, stLabel, x, y, "Line Efficiency:");
    Text(r, stValue, valueX, y, FormatFixed(design.AnalysisPage.Analysis.Efficiency() * 100, 2) + " %");
}

}  // namespace

void DrawAnalysisPage(TReporter& reporter, TBroadcastDesign& design) {
    DrawPageFrame(reporter, design);
    if (design.DesignInfo.SystemType == "TV")
        DrawTVAnalysis(reporter, design);
    else if (design.DesignInfo.SystemType == "FM")
        DrawFMAnalysis(reporter, design);
}

void DrawTVAnalysis(TReporter& r, TBroadcastDesign& design) {
    const TPowerAnalysis& a = design.AnalysisPage.Analysis;
    const bool e = design.OptionsPage.PolCode == "E";

    r.DrawFromRes(TBasePrint::RealRect(390, 200, 735, 950), kTVAnalysisPicture);
    Titles(r, "Broadcast Antenna System", 18);

    // Right column.
    constexpr double x0 = 500;
    if (e) {
        const double labelX = x0 + 35, valueX = x0 + 60;
        auto pair = [](double kw, double dbk) { return F(kw) + " kW " + " (" + F(dbk) + " dBk)"; };
        auto gain = [](double ratio, double dbd) { return F(ratio) + " (" + F(dbd) + " dBd)"; };
        const std::string erp[2][2] = {{"Hor. Pol:", pair(a.ERPkWHorz(), a.ERPdBkHorz())},
                                       {"Ver. Pol:", pair(a.ERPkWVert(), a.ERPdBkVert())}};
        const std::string pg[2][2] = {
            {"Hor. Pol:", gain(a.PowerGainRatioHorz(), a.PowerGaindBdHorz())},
            {"Ver. Pol:", gain(a.PowerGainRatioVert(), a.PowerGaindBdVert())}};
        const std::string input[2][2] = {{"kW:", F(a.AntennaInputkW)},
                                         {"dBk:", F(a.AntennaInputdBk())}};
        const std::string loss[2][2] = {{"kW:", F(a.LineLosskW())}, {"dB:", F(a.LineLossdB())}};
        double y = 285;
        y = Block(r, x0, labelX, valueX, y, "ERP:", erp) + 55;
        y = Block(r, x0, labelX, valueX, y, "POWER GAIN:", pg) + 55;
        y = Block(r, x0, labelX, valueX, y, "ANTENNA INPUT:", input) + 55;
        Block(r, x0, labelX, valueX, y, "LINE LOSS:", loss);
    } else {
        PowerBlocks(r, a, 305, true);
    }

    // Transmitter, inside the picture's box.
    Text(r, stHeading, 555, 845, "TRANSMITTER");
    Text(r, stHeading, 555, 861, "POWER:");
    Row(r, 650, 665, 905, "kW:", F(a.TransmitterPowerkW()));
    Row(r, 650, 665, 921, "dBk:", F(a.TransmitterPowerdBk()));

    // Left column.
    constexpr double x = 105;
    double y = DesignLines(r, design, x, 205) + 20;
    y = Text(r, stHeading, x, y, "ANTENNA PARAMETERS") + 30;
    auto directivity = [&](const std::string& heading, double hGain, double hdB, double vGain,
                           double vdB) {
        y = Text(r, stSubheading, x, y, heading);
        if (e) {
            y = Row(r, x + 140, x + 150, y, "Hor. Pol:", F(hGain) + " (" + F(hdB) + " dBd)");
            y = Row(r, x + 140, x + 150, y, "Ver. Pol:", F(vGain) + " (" + F(vdB) + " dBd)");
        } else {
            y = Row(r, x + 140, x + 150, y, "Hor. Pol:", F(hGain));
            y = Row(r, x + 140, x + 150, y, "dBd:", F(hdB));
        }
        y += 40;
    };
    const TAzimuthPage& az = design.AzimuthPage;
    const TElevationPage& el = design.ElevationPage;
    directivity("Azimuth Directivity:", az.HorzPattern.Gain(), az.HorzPattern.GaindB,
                az.VertPattern.Gain(), az.VertPattern.GaindB);
    directivity("Elevation Directivity:", el.HorzPattern.Gain(), el.HorzPattern.MainLobedBd,
                el.VertPattern.Gain(), el.VertPattern.MainLobedBd);
    LineBlocks(r, design, x, y);
}

void DrawFMAnalysis(TReporter& r, TBroadcastDesign& design) {
    const TPowerAnalysis& a = design.AnalysisPage.Analysis;

    r.DrawFromRes(TBasePrint::RealRect(75, 200, 320, 920), kFMAnalysisPicture);
    Titles(r, "FM Broadcast Antenna System", 20);

    // Right column: the ERP heading with the polarization word beside it.
    const std::string& pol = design.OptionsPage.PolCode;
    const std::string word = pol == "H"   ? "Hor Pol:"
                             : pol == "V" ? "Ver Pol:"
                             : pol == "E" ? "Hor or Ver Pol:"
                                          : "";
    Text(r, stHeading, 500, 305, "ERP:");
    const double y = Text(r, stHeading, 575, 305, word);
    PowerBlocks(r, a, y, false);

    // Transmitter box.
    const TColor silver = RGBColor(192, 192, 192);
    auto box = [&](double left, double right) {
        r.SetPen(silver, psSolid, 2);
        r.SetBrush(silver, bsClear);
        r.Rectangle(TBasePrint::RealRect(left, 825, right, 950));
        r.SetPen(clBlack, psSolid, 1);
    };
    box(575, 775);
    Text(r, stHeading, 675, 850, "Transmitter Power", hpCenter);
    Row(r, 700, 710, 900, "kW:", F(a.TransmitterPowerkW()));
    Row(r, 700, 710, 916, "dBk:", F(a.TransmitterPowerdBk()));

    // Loss boxes, joined to each other and to the transmitter by short connectors.
    struct TLossBox {
        double Left;
        const char* Heading;
        double kW;
        double dB;
    };
    const TLossBox boxes[3] = {
        {150, "Circulator Loss", a.CirculatorLosskW(), a.CirculatorLossDB()},
        {292, "Filter Loss", a.FilterLosskW(), a.FilterLossDB()},
        {434, "Isol Trans Loss", a.IsolationTransformerLosskW(), a.IsolationTransformerLossDB()},
    };
    for (const TLossBox& b : boxes) {
        const double left = b.Left, right = left + 132;
        box(left, right);
        Text(r, stHeading, (left + right) / 2, 850, b.Heading, hpCenter);
        Row(r, left + 70, left + 80, 900, "kW:", F(b.kW));
        Row(r, left + 70, left + 80, 916, "dB:", F(b.dB));
        r.DrawLine(right, 895.5, right + 10, 895.5);
        r.DrawLine(right, 879.5, right + 10, 879.5);
    }

    // Left column.
    DesignLines(r, design, 165, 220);
    LineBlocks(r, design, 135, 450 + 40);
}

}  // namespace velmo
