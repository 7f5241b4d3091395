// The specification sheet pages.
#include "report/specsheet.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "base/numbers.h"
#include "model/design.h"

namespace velmo {

namespace {

constexpr TFontStyles kBoldItalic = fsBold | fsItalic;
constexpr TFontStyles kItalic = fsItalic;

// Column scheme of the characteristics pages.
constexpr double kLabelX = 100;
constexpr double kSubLabelX = 455;  // right edge of sub-labels, left edge of symbols
constexpr double kValueX = 625;     // centre of values
constexpr double kBodyHeight = 16;  // the body font, one line
constexpr double kNotesBottom = 940;
constexpr double kNoteWidth = 650;
constexpr double kNoteHeight = 15;

const std::string kContact = "CONTACT Orvane";
const std::string kRegistered = "\xC2\xAE";  // the registered-trademark sign, UTF-8

void Font(TReporter& r, TFontStyles style, double height) {
    r.SetFont(kReportFont, clBlack, style, height);
}

bool IsKLX(const std::string& family) { return family == "KLX-VHF" || family == "KLX-UHF"; }

// Formats like "%.<d>f" with the program's decimal separator. A value that rounds to
// zero prints without a minus sign.
std::string Fixed(double v, int decimals) {
    const double scale = std::pow(10.0, decimals);
    if (std::fabs(v) * scale < 0.5) v = 0.0;
    return FormatFixed(v + 0.0, decimals);
}

std::string GainText(double ratio, double dB, int decimals, const std::string& unit) {
    return Fixed(ratio, decimals) + " (" + Fixed(dB, decimals) + " " + unit + ")";
}

// Walks down a characteristics page: label at X 100, sub-label right-aligned at 455,
// value lines centred on 625, then the gap.
class TItemWriter {
public:
    TItemWriter(TReporter& r, double y, double gap) : FR(r), Y(y), Gap(gap) {}

    // One item: its label and sub-label on the first value line; each further value
    // line one body line lower; then the gap.
    void Item(const std::string& label, const std::string& subLabel,
              const std::vector<std::string>& values) {
        if (!label.empty()) Put(kLabelX, Y, label, hpLeft);
        if (!subLabel.empty()) Put(kSubLabelX, Y, subLabel, hpRight);
        const size_t lines = values.empty() ? 1 : values.size();
        for (size_t i = 0; i < values.size(); ++i)
            Put(kValueX, Y + kBodyHeight * static_cast<double>(i), values[i], hpCenter);
        Y += kBodyHeight * static_cast<double>(lines) + Gap;
    }
    // One top-aligned text; Bottom follows the lowest text drawn.
    void Put(double x, double y, const std::string& text, THorizPosition h) {
        FR.TextOutEx(x, y, text, h, vpTop);
        Bottom = std::max(Bottom, y + FR.GetFontHeight());
    }
    void Item(const std::string& label, const std::string& subLabel, const std::string& value) {
        Item(label, subLabel, std::vector<std::string>{value});
    }
    // A one-line item whose symbol label (drawn by `symbol` at X 455) stands between
    // its sub-label and its value; the value takes the font the symbol leaves.
    template <typename Symbol>
    void SymbolItem(const std::string& label, const std::string& subLabel, Symbol symbol,
                    const std::string& value) {
        if (!label.empty()) Put(kLabelX, Y, label, hpLeft);
        if (!subLabel.empty()) Put(kSubLabelX, Y, subLabel, hpRight);
        symbol(FR, kSubLabelX, Y);
        Put(kValueX, Y, value, hpCenter);
        Y += kBodyHeight + Gap;
    }
    // A row directly under the previous one: back up by the gap first.
    void Below(const std::string& subLabel, const std::string& value) {
        Y -= Gap;
        Item("", subLabel, value);
    }
    // A Hor Pol row, and under it the Ver Pol row when the design has both.
    void PolItem(const std::string& label, bool both, const std::string& horz,
                 const std::string& vert) {
        Item(label, both ? "Hor Pol:" : "", horz);
        if (both) Below("Ver Pol:", vert);
    }

    TReporter& FR;
    double Y;
    double Gap;
    double Bottom = 0;
};

// Page heading of the characteristics pages; returns the Y of the body's first line.
double DrawCharacteristicsHeading(TReporter& r, TBroadcastDesign& design, const std::string& text) {
    DrawSpecTitle(r, design, 125);
    Font(r, kBoldItalic, 18);
    return r.TextOutEx(kLabelX, 220, text, hpLeft, vpTop);
}

std::string ServiceLabel(const TBroadcastDesign& d) {
    return d.OptionsPage.Service == stDigital ? "DTV:" : "NTSC:";
}

std::string FeetOrContact(double feet) {
    return feet != 0 ? Fixed(feet, 1) + " feet" : kContact;
}

std::string TextOrContact(const std::string& s) { return s.empty() ? kContact : s; }

// Mounting configuration block shared by TV and FM; Y and the writer's gap are the
// mechanical page's.
void DrawMountingConfiguration(TReporter& r, TBroadcastDesign& design, TItemWriter& w) {
    Font(r, kBoldItalic, 16);
    w.Put(kLabelX, w.Y, "MOUNTING CONFIGURATION:", hpLeft);
    Font(r, kItalic, 16);
    w.Put(kValueX, w.Y, design.OptionsPage.MountCode == "S" ? "Side Mount" : "Top Mount", hpCenter);
    w.Put(kLabelX, w.Y + kBodyHeight, "*(Tower Interface supplied and", hpLeft);
    w.Put(kLabelX, w.Y + 2 * kBodyHeight, "installed by others.)", hpLeft);
    w.Y += 3 * kBodyHeight + w.Gap;
}

// One note, its lines bottom-aligned from y upward; returns the Y above its top line.
double DrawNote(TReporter& r, double y, TFontStyles style, const std::string& text) {
    Font(r, style, kNoteHeight);
    std::vector<std::string> lines;
    r.BreakString(text, lines, kNoteWidth);
    for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
        r.TextOutEx(kLabelX, y, *it, hpLeft, vpBottom);
        y -= r.GetFontHeight();
    }
    return y;
}

// The notes of the mechanical page; returns the top of their highest line.
double DrawNotesFrom(TReporter& r, const TBroadcastDesign& design);

// Days since 30 December 1899 to a civil date (proleptic Gregorian).
void CivilFromDays(long long days1899, int& year, unsigned& month, unsigned& day) {
    // 30 December 1899 is day -25569 from 1 January 1970.
    long long z = days1899 - 25569 + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    day = static_cast<unsigned>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<unsigned>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

}  // namespace

std::string FormatLongDate(double date) {
    // Years 1 to 9999: days -693593 to 2958465.
    if (!std::isfinite(date) || date < -693594 || date >= 2958466) return "";
    int year = 0;
    unsigned month = 0, day = 0;
    CivilFromDays(static_cast<long long>(std::floor(date)), year, month, day);
    if (year < 1 || year > 9999) return "";
    static const char* const kMonths[] = {"January", "February", "March",     "April",
                                          "May",     "June",     "July",      "August",
                                          "September", "October", "November", "December"};
    return std::string(kMonths[month - 1]) + " " + FormatInt(day) + ", " + FormatInt(year);
}

// ---- frame, cover, title ------------------------------------------------------------

void DrawPageFrame(TReporter& r, TBroadcastDesign& design) {
    r.SetPen(clBlack, psSolid, 1.5);
    r.SetBrush(clWhite, bsClear);
    r.Rectangle(TBasePrint::RealRect(65, 40, 780, 1015));
    r.DrawLine(107, 77.5, 737, 77.5);
    r.DrawFromRes(TBasePrint::RealRect(105, 1005, 445, 1025), kLogoPicture);

    Font(r, kBoldItalic, 12);
    r.TextOutEx(110, 62, design.BuildPartNumber(), hpLeft, vpTop);
    r.TextOutEx(730, 62, design.DesignInfo.SpecNo + "  Page " + FormatInt(r.PageIndex), hpRight,
                vpTop);

    Font(r, kBoldItalic, 16);
    const std::string line = "Preliminary, subject to final design and review.";
    r.TextOutEx(422.5, 1005 - 1.5 * r.TextHeight(line), line, hpCenter, vpTop);
}

void DrawCoverFrame(TReporter& r) {
    r.DrawFromRes(TBasePrint::RealRect(70, 55, 410, 75), kLogoPicture);
    r.DrawFromRes(TBasePrint::RealRect(70, 955, 775, 1000), kFooterPicture);
}

void DrawCoverPage(TReporter& r, TBroadcastDesign& design) {
    DrawCoverFrame(r);
    DrawSpecTitle(r, design, 200);

    const TDesignInfo& info = design.DesignInfo;
    Font(r, kItalic, 20);
    double y = 600;
    for (const std::string& text :
         {"Prepared For Channel " + design.OptionsPage.Channel.ChannelNumber, info.CompanyName,
          info.Location, info.Location2, FormatLongDate(info.Date)})
        y = r.TextOutEx(425, y, text, hpCenter, vpTop);

    r.TextOutEx(100, 800, "ANTENNA TYPE:", hpLeft, vpTop);
    const double next = r.TextOutEx(575, 800, "SPECIFICATION NO:", hpLeft, vpTop);
    Font(r, kBoldItalic, 20);
    r.TextOutEx(100, next, design.BuildPartNumber(), hpLeft, vpTop);
    r.TextOutEx(575, next, info.SpecNo, hpLeft, vpTop);
}

void DrawSpecTitle(TReporter& r, TBroadcastDesign& design, double y) {
    if (design.OptionsPage.FamilyID == "CTM")
        DrawCustomTitle(r, y);
    else
        DrawPreliminaryTitle(r, design, y);
}

void DrawCustomTitle(TReporter& r, double y) {
    Font(r, kBoldItalic, 30);
    r.TextOutEx(425, y + 30, "CUSTOM ELECTRICAL DATA", hpCenter, vpTop);
}

void DrawPreliminaryTitle(TReporter& r, TBroadcastDesign& design, double y) {
    Font(r, kBoldItalic, 24);
    y = r.TextOutEx(425, y, "PRELIMINARY SPECIFICATION FOR", hpCenter, vpTop);

    const std::string title = design.GetTitle();
    const size_t mark = title.find(kRegistered);
    if (mark == std::string::npos) {
        y = r.TextOutEx(425, y, title, hpCenter, vpTop);
    } else {
        const std::string before = title.substr(0, mark);
        const std::string after = title.substr(mark + kRegistered.size());
        const double wBefore = r.TextWidth(before);
        const double wAfter = r.TextWidth(after);
        Font(r, kBoldItalic, 15);
        const double wMark = r.TextWidth(kRegistered);
        const double x0 = 425 - (wBefore + wMark + wAfter) / 2;
        Font(r, kBoldItalic, 24);
        r.TextOutEx(x0, y, before, hpLeft, vpTop);
        Font(r, kBoldItalic, 15);
        r.TextOutEx(x0 + wBefore, y, kRegistered, hpLeft, vpTop);
        Font(r, kBoldItalic, 24);
        y = r.TextOutEx(x0 + wBefore + wMark, y, after, hpLeft, vpTop);
    }

    std::string third;
    if (design.DesignInfo.SystemType == "FM")
        third = "FM BROADCAST ANTENNA";
    else if (design.OptionsPage.FamilyID == "VARNOK")
        third = "SIDE MOUNTED HIGH BAND VHF ANTENNA";
    else
        third = "COAXIAL SLOTTED ARRAY ANTENNA";
    r.TextOutEx(425, y, third, hpCenter, vpTop);
}

// ---- electrical characteristics -----------------------------------------------------

void DrawElectricalPage(TReporter& r, TBroadcastDesign& design) {
    DrawPageFrame(r, design);
    if (design.DesignInfo.SystemType == "FM")
        DrawFMElectrical(r, design);
    else
        DrawTVElectrical(r, design);
}

void DrawTVElectrical(TReporter& r, TBroadcastDesign& design) {
    const TOptionsPage& o = design.OptionsPage;
    const TPowerAnalysis& a = design.AnalysisPage.Analysis;
    const bool custom = o.FamilyID == "CTM";
    const bool both = o.PolCode == "E";
    const bool digital = o.Service == stDigital;
    const int aural = design.LinesPage.Line.Aural();

    double y = DrawCharacteristicsHeading(r, design, "ELECTRICAL CHARACTERISTICS:");
    Font(r, kItalic, kBodyHeight);
    y += r.GetFontHeight();
    TItemWriter w(r, y, (both ? 0.75 : 1.5) * kBodyHeight);

    const std::string service = ServiceLabel(design);
    w.Item("CHANNEL:", service, o.Channel.ChannelNumber);
    w.Item("FREQUENCY RANGE:", service, o.Channel.Desc);

    const TAzimuthPage& az = design.AzimuthPage;
    w.PolItem("AZIMUTH PATTERN NUMBER:", both, az.HorzPattern.PatternID, az.VertPattern.PatternID);

    const TElevationPage& el = design.ElevationPage;
    std::string elHorz, elVert;
    if (o.FamilyID == "KVR") {
        elHorz = design.BuildHorzKVRElId();
        elVert = design.BuildVertKVRElId();
    } else if (IsKLX(o.FamilyID)) {
        elHorz = design.BuildMIRALDOElId(ptHorizontal);
        elVert = design.BuildMIRALDOElId(ptVertical);
    } else {
        elHorz = el.HorzPattern.DetailLabel;
        elVert = el.VertPattern.DetailLabel;
    }
    w.PolItem("ELEVATION PATTERN NUMBER:", both, elHorz, elVert);

    w.PolItem("AZIMUTH DIRECTIVITY:", both,
              GainText(az.HorzPattern.Gain(), az.HorzPattern.GaindB, 2, "dB"),
              GainText(az.VertPattern.Gain(), az.VertPattern.GaindB, 2, "dB"));
    w.PolItem("ELEVATION DIRECTIVITY:", both,
              GainText(el.HorzPattern.Gain(), el.HorzPattern.MainLobedBd, 2, "dBd"),
              GainText(el.VertPattern.Gain(), el.VertPattern.MainLobedBd, 2, "dBd"));
    if (both)
        w.PolItem("ELEVATION GAIN:", both,
                  GainText(design.GetElevationGainEPolNum(ptHorizontal),
                           design.GetElevationGainEPoldBd(ptHorizontal), 2, "dBd"),
                  GainText(design.GetElevationGainEPolNum(ptVertical),
                           design.GetElevationGainEPoldBd(ptVertical), 2, "dBd"));
    w.PolItem("PEAK POWER GAIN:", both,
              GainText(a.PowerGainRatioHorz(), a.PowerGaindBdHorz(), 2, "dBd"),
              GainText(a.PowerGainRatioVert(), a.PowerGaindBdVert(), 2, "dBd"));
    if (!custom)
        w.PolItem("GAIN AT HORIZONTAL:", both,
                  GainText(design.GetGainAtHorzNum(ptHorizontal),
                           design.GetGainAtHorzdBd(ptHorizontal), 2, "dBd"),
                  GainText(design.GetGainAtHorzNum(ptVertical), design.GetGainAtHorzdBd(ptVertical),
                           2, "dBd"));
    if (both) w.Item("GAIN RATIO: VER POL/HOR POL", "", Fixed(a.VerticalRatio() / 100, 2));

    // Tilts are kept positive downward and printed negative.
    w.Item("ELECTRICAL BEAM TILT:", "",
           custom ? "CUSTOMER DEFINED" : Fixed(-el.HorzPattern.Beamtilt(), 2) + " Degrees");

    const std::string analogPower = " kW Peak Visual plus " + FormatInt(aural) + "% Aural";
    w.Item("INPUT POWER REQUIRED:", "",
           digital ? Fixed(a.AntennaInputkW, 3) + " kW Average Power, 8VSB Digital"
                   : Fixed(a.AntennaInputkW, 3) + analogPower);
    if (!custom) {
        std::string max = kContact;
        if (a.MaxInputPower != 0)
            max = digital ? Fixed(a.MaxInputPower, 2) + " kW Average Power"
                          : Fixed(a.MaxInputPower, 3) + analogPower;
        w.Item("MAXIMUM INPUT POWER:", "", max);
    }
    w.Item("INPUT TYPE:", "", design.InputType());
    if (!custom) {
        if (digital)
            w.Item("ANTENNA VSWR (MAXIMUM):", service, "1.10 Over 6 MHz of Channel");
        else
            w.Item("ANTENNA VSWR (MAXIMUM):", service,
                   {"1.05 Visual + 0.5 MHz", "1.08 Chroma", "1.10 Over remainder of Channel"});
    }
}

void DrawFMElectrical(TReporter& r, TBroadcastDesign& design) {
    const TOptionsPage& o = design.OptionsPage;
    const TPowerAnalysis& a = design.AnalysisPage.Analysis;
    const TFMPattern& fm = design.ElevationPage.FMPattern;
    const bool custom = o.FamilyID == "CTM";

    double y = DrawCharacteristicsHeading(r, design, "ELECTRICAL CHARACTERISTICS:");
    Font(r, kItalic, kBodyHeight);
    y += r.GetFontHeight();
    TItemWriter w(r, y, (o.PolCode == "E" ? 0.75 : 1.5) * kBodyHeight);

    std::string pol;
    if (o.PolCode == "H")
        pol = "Hor Pol:";
    else if (o.PolCode == "V")
        pol = "Ver Pol:";
    else if (o.PolCode == "E")
        pol = "Cir Pol:";

    w.Item("CHANNEL:", "", o.Channel.ChannelNumber);
    w.Item("FREQUENCY:", "", FormatGeneral(o.Channel.MidFreq) + " MHz");
    w.Item("POWER GAIN:", pol, GainText(a.PowerGainRatioHorz(), a.PowerGaindBdHorz(), 4, "dBd"));
    if (!custom)
        w.Item("GAIN AT HORIZONTAL:", pol,
               GainText(design.GetGainAtHorzNum(ptFM), design.GetGainAtHorzdBd(ptFM), 4, "dBd"));
    const std::string customer = "CUSTOMER DEFINED";
    w.Item("ELECTRICAL BEAM TILT:", "", custom ? customer : Fixed(fm.Beamtilt(), 2) + " Degrees");
    w.Item("FIRST NULL FILL:", "", custom ? customer : Fixed(fm.FirstNullFillPercent(), 2) + " %");
    w.Item("SECOND NULL FILL:", "",
           custom ? customer : Fixed(fm.SecondNullFillPercent(), 2) + " %");
    w.Item("INPUT POWER REQUIRED:", "", Fixed(a.AntennaInputkW, 3) + " kW Average Power");
    if (!custom)
        w.Item("MAXIMUM INPUT POWER:", "",
               a.MaxInputPower != 0 ? Fixed(a.MaxInputPower, 2) + " kW Average Power" : kContact);
    w.Item("INPUT TYPE:", "", design.InputType());
    if (!custom) {
        const std::string& f = o.FamilyID;
        std::vector<std::string> vswr;
        if (f == "RNVX" || f == "TGX" || f == "BKX" || f == "VOLKA" || f == "RNVH")
            vswr = {"1.07:1 or less, with field matching;",
                    "1.25:1 or less, top pole or Cresta\xE2\x84\xA2",
                    "section mounting; 1.5:1 or less, side", "mounted, without field mounting."};
        else if (f == "240C")
            vswr = {"1.07:1 or less, with field matching;",
                    "1.5:1 or less, without field matching."};
        w.Item("ANTENNA VSWR (MAXIMUM):", "", vswr);
    }
}

// ---- mechanical characteristics -----------------------------------------------------

void DrawMechanicalPage(TReporter& r, TBroadcastDesign& design) {
    DrawPageFrame(r, design);
    if (design.DesignInfo.SystemType == "FM")
        DrawFMMechanical(r, design);
    else
        DrawTVMechanical(r, design);
}

namespace {

// The items of the TV mechanical page from y, with item gap `gap`; returns the bottom
// of the lowest text.
double TVMechanicalItems(TReporter& r, TBroadcastDesign& design, const TMechanicalData& m,
                         double y, double gap) {
    const std::string f = design.OptionsPage.FamilyID;
    const bool klx = IsKLX(f);
    TItemWriter w(r, y, gap);
    DrawMountingConfiguration(r, design, w);

    const bool vhf = f == "KLX-VHF";
    w.Item("HEIGHT OF ANTENNA:", "", vhf ? kContact : FeetOrContact(m.Length));
    w.Put(kLabelX, w.Y, "HEIGHT OF CENTER OF", hpLeft);
    w.Y += kBodyHeight;
    w.Item("RADIATION:", "", vhf ? kContact : FeetOrContact(m.Length / 2));
    w.Item("OVERALL HEIGHT (A):", "", vhf ? kContact : FeetOrContact(m.TotalLength));

    if (f == "KVR" || f == "QD8" || f == "QD-MAX")
        w.Item("DEICING:", "", "Unpressurized Slot Cover Radome Enclosure");
    else if (klx)
        w.Item("DEICING:", "", "Pressurized Radome Enclosure");
    else
        w.Item("DEICING:", "",
               {"Radomes or deicing heaters not", "normally required for radial",
                "ice less than 1/2-inch"});

    if (f != "VARNOK") {
        std::string diameter = kContact;
        if (!klx && m.RadomeDiameter != 0) diameter = Fixed(m.RadomeDiameter, 2) + " inches, O.D.";
        w.Item("RADOME DIAMETER (C):", "", diameter);
        w.Item("RADOME COLOR:", "", TextOrContact(m.RadomeColor));
        w.Item("CLIMBING DEVICE:", "", TextOrContact(m.ClimbingDevice));
    }
    w.Item("CALCULATED WEIGHT\xC2\xB9:", "",
           !klx && m.Weight != 0 ? Fixed(m.Weight, 0) + " lbs." : kContact);

    const bool footnoted = f == "KVR" || f == "QD8" || f == "QD-MAX";
    const std::string areaLabel = footnoted ? "ANTENNA AREA\xC2\xB3:" : "ANTENNA AREA:";
    auto squareFeet = [](double v) { return Fixed(v, 1) + " square feet"; };
    if (klx) {
        w.Item(areaLabel, "", kContact);
        w.Y += w.Gap;
    } else if (m.CaAc == 0) {
        w.Item(areaLabel, "", kContact);
    } else if (f == "KVR" || f == "QD-MAX") {
        w.SymbolItem(areaLabel, "FRONT AREA:", DrawCaAcLabel, squareFeet(m.CaAc));
        if (m.Ac != 0) {
            w.Y -= w.Gap;
            w.SymbolItem("", "", DrawAcLabel, squareFeet(m.Ac));
        }
        if (m.SideCaAc != 0) {
            w.SymbolItem("", "SIDE AREA:", DrawCaAcLabel, squareFeet(m.SideCaAc));
            if (m.SideAc != 0) {
                w.Y -= w.Gap;
                w.SymbolItem("", "", DrawAcLabel, squareFeet(m.SideAc));
            }
        }
    } else {
        // VARNOK, and any other family whose data carry a wind area: the symbols with
        // the areas.
        w.SymbolItem(areaLabel, "", DrawCaAcLabel, squareFeet(m.CaAc));
        if (m.Ac != 0) {
            w.Y -= w.Gap;
            w.SymbolItem("", "", DrawAcLabel, squareFeet(m.Ac));
        }
    }

    if (design.OptionsPage.MountCode == "T") {
        if (klx || f == "VARNOK") {
            w.Item("MOUNTING FLANGE:", "", kContact);
            w.Y += w.Gap;
        } else {
            // A bolt circle or bolt count of zero is one the data do not know.
            w.Put(kLabelX, w.Y, "MOUNTING FLANGE:", hpLeft);
            w.Put(kSubLabelX, w.Y, "BOLT CIRCLE:", hpRight);
            w.Put(kValueX, w.Y, m.BC != 0 ? Fixed(m.BC, 2) + " inches" : kContact, hpCenter);
            w.Y += kBodyHeight;
            w.Put(kSubLabelX, w.Y, "BOLT DIAMETER:", hpRight);
            w.Put(kValueX, w.Y, "1.25 inches", hpCenter);
            w.Y += kBodyHeight;
            w.Item("", "NUMBER OF BOLTS:", m.QTY != 0 ? FormatInt(m.QTY) : kContact);
        }
    }
    return w.Bottom;
}

double FMMechanicalItems(TReporter& r, TBroadcastDesign& design, const TMechanicalData& m,
                         double y, double gap) {
    const TOptionsPage& o = design.OptionsPage;
    TItemWriter w(r, y, gap);
    DrawMountingConfiguration(r, design, w);

    w.Item("HEIGHT OF ANTENNA:", "", FeetOrContact(m.Length));
    w.Put(kLabelX, w.Y, "HEIGHT OF CENTER OF", hpLeft);
    w.Y += kBodyHeight;
    w.Item("RADIATION:", "", FeetOrContact(m.Length / 2));
    w.Item("REQUIRED MOUNTING APERTURE\xC2\xB0:", "", FeetOrContact(m.TotalLength));
    w.Item("DEICING:", "",
           {"Radomes or deicing heaters not", "normally required for radial",
            "ice less than 1/2-inch"});
    w.Item("DEICER SELECTED:", "", o.Deicer ? "YES" : "NO");
    w.Item("RADOME SELECTED:", "", o.Radome ? "YES" : "NO");
    if (o.Radome) w.Item("RADOME COLOR:", "", TextOrContact(m.RadomeColor));
    w.Item("CALCULATED WEIGHT\xC2\xB9:", "",
           m.Weight != 0 ? Fixed(m.Weight, 0) + " lbs." : kContact);
    if (m.CaAc != 0) {
        w.SymbolItem("ANTENNA AREA:", "", DrawCaAcLabel, Fixed(m.CaAc, 1) + " square feet");
        if (m.Ac != 0) {
            w.Y -= w.Gap;
            w.SymbolItem("", "", DrawAcLabel, Fixed(m.Ac, 1) + " square feet");
        }
    } else {
        w.Item("ANTENNA AREA:", "", kContact);
    }
    return w.Bottom;
}

using TMechanicalItems = double (*)(TReporter&, TBroadcastDesign&, const TMechanicalData&,
                                    double, double);

// Heading, items and notes of a mechanical page. The items keep the gap of the heading
// font (18) unless that would run them into the notes; then every gap shrinks alike so
// that one note line stays free above the notes (a list too long even without gaps
// still meets them).
void DrawMechanicalBody(TReporter& r, TBroadcastDesign& design, TMechanicalItems items) {
    TMechanicalData m;
    design.GetMechanical(m);
    const double y = DrawCharacteristicsHeading(r, design, "MECHANICAL CHARACTERISTICS:");
    double gap = r.GetFontHeight();  // 18
    const double start = y + gap;
    {
        TReporter scratch;
        const double notesTop = DrawNotesFrom(scratch, design);
        const double full = items(scratch, design, m, start, gap);
        if (full + kNoteHeight > notesTop) {
            const double none = items(scratch, design, m, start, 0);
            const double gaps = (full - none) / gap;
            if (gaps > 0) gap = std::max(0.0, (notesTop - kNoteHeight - none) / gaps);
        }
    }
    items(r, design, m, start, gap);
    DrawNotesFrom(r, design);
}

}  // namespace

void DrawTVMechanical(TReporter& r, TBroadcastDesign& design) {
    DrawMechanicalBody(r, design, TVMechanicalItems);
}

void DrawFMMechanical(TReporter& r, TBroadcastDesign& design) {
    DrawMechanicalBody(r, design, FMMechanicalItems);
}

// ---- symbols, notes, mounting page --------------------------------------------------

namespace {

// Writes pieces one after the other from x: a piece of the line's font at the line's
// top, or a subscript in italic 10 whose bottom is on the line's bottom.
double SymbolPiece(TReporter& r, double x, double y, const std::string& text, bool subscript,
                   double lineHeight) {
    if (subscript) {
        Font(r, kItalic, 10);
        r.TextOutEx(x, y + lineHeight, text, hpLeft, vpBottom);
    } else {
        r.TextOutEx(x, y, text, hpLeft, vpTop);
    }
    return x + r.TextWidth(text);
}

}  // namespace

void DrawCaAcLabel(TReporter& r, double x, double y) {
    const double h = r.GetFontHeight();
    x = SymbolPiece(r, x, y, "C", false, h);
    x = SymbolPiece(r, x, y, "A", true, h);
    Font(r, kItalic, 18);
    x = SymbolPiece(r, x, y, "A", false, h);
    x = SymbolPiece(r, x, y, "C", true, h);
    Font(r, kItalic, 18);
    SymbolPiece(r, x, y, ":", false, h);
}

void DrawAcLabel(TReporter& r, double x, double y) {
    const double h = r.GetFontHeight();
    x = SymbolPiece(r, x, y, "A", false, h);
    x = SymbolPiece(r, x, y, "C", true, h);
    Font(r, kItalic, 18);
    SymbolPiece(r, x, y, ":", false, h);
}

namespace {

double DrawNotesFrom(TReporter& r, const TBroadcastDesign& design) {
    const std::string wind =
        "Note: Localized conditions may require higher wind speed specifications than TIA/EIA "
        "specifications. Check with local authorities to verify wind speed requirements.";
    const std::string structure =
        "This antenna is designed to be supported by a structure that can resist the antenna "
        "base reactions and which provides a support that is rigid in the three transitional "
        "and three rotational degrees of freedom.";
    const std::string weight =
        "\xC2\xB9 Calculated weight is based on the PRELIMINARY design of the antenna. The actual "
        "weight of the antenna will be within \xC2\xB1 10% of the calculated weight. The actual "
        "weight will be given in the technical manual that accompanies the antenna.";

    double y = kNotesBottom;
    double top = kNotesBottom;
    auto note = [&](TFontStyles style, const std::string& text) {
        top = DrawNote(r, y, style, text);
        y = top - kNoteHeight;
    };

    const std::string& f = design.OptionsPage.FamilyID;
    note(kBoldItalic, wind);
    if (design.DesignInfo.SystemType == "FM") {
        note(kBoldItalic, weight + " Weight and wind figures do not include radomes or radial ice.");
        note(kBoldItalic,
             "\xC2\xB0 Vertical tower space is based on the top bay mounted 5 feet from the top of "
             "the tower. Add 5 feet if the antenna is to be mounted somewhere other than near the "
             "top of the tower.");
    } else {
        if (f == "KVR" || f == "QD8" || f == "QD-MAX")
            note(kItalic, "\xC2\xB3 Antenna Area is calculated per EIA/TIA-RS222-F.");
        if (f == "KVR" || f == "QD8")
            note(kItalic, weight);
        else
            note(kItalic, weight +
                              " This figure is for the antenna only and does not include the "
                              "antenna input section.");
    }
    note(kBoldItalic, structure);
    return top;
}

}  // namespace

void DrawNotes(TReporter& r, TBroadcastDesign& design) { DrawNotesFrom(r, design); }

void DrawMountingPage(TReporter& r, TBroadcastDesign& design) {
    DrawPageFrame(r, design);
    Font(r, kBoldItalic, 15);
    r.TextOutEx(425, 100,
                "TYPICAL MOUNTING CONFIGURATION SHOWN. ACTUAL MOUNTING CONFIGURATION MAY VARY.",
                hpCenter, vpTop);
    r.DrawFromRes(TBasePrint::RealRect(130, 120, 710, 970),
                  design.OptionsPage.MountCode == "S" ? "SIDE_MOUNT" : "TOP_MOUNT");
}

}  // namespace velmo
