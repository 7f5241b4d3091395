#include "analysis/lines.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "base/folders.h"
#include "base/numbers.h"
#include "refdata/texttable.h"

namespace velmo {

// --- TTransmissionLine ---------------------------------------------------------------

void TTransmissionLine::UpdateTotaldB() { FTotaldB = FTotalRunLength * FdBPerFoot / 100.0; }

void TTransmissionLine::UpdatePeakPower() {
    // An aural share of -60 % would divide by zero; such a line has no usable peak
    // rating, so it reads 0 instead of an infinite power.
    double peak = FAvgPower / (FAural / 100.0 + 0.6);
    FPeakPower = std::isfinite(peak) ? peak : 0.0;
}

void TTransmissionLine::SetTotalRunLength(int32_t n) {
    FTotalRunLength = n;
    UpdateTotaldB();
}

void TTransmissionLine::SetAural(int32_t a) {
    FAural = a;
    UpdatePeakPower();
}

void TTransmissionLine::SetAvgPower(double x) {
    FAvgPower = x;
    UpdatePeakPower();
}

void TTransmissionLine::SetdBPerFoot(double x) {
    if (x == FdBPerFoot) return;
    FdBPerFoot = x;
    UpdateTotaldB();
}

double TTransmissionLine::Efficiency() const { return 100.0 * std::pow(10.0, -FTotaldB / 10.0); }

void TTransmissionLine::Assign(const TTransmissionLine& line) {
    if (&line == this) return;
    FTotalRunLength = line.FTotalRunLength;
    FAural = line.FAural;
    PartNumber = line.PartNumber;
    Description = line.Description;
    EndFreq = line.EndFreq;
    BegFreq = line.BegFreq;
    SetAvgPower(line.FAvgPower);
    SetdBPerFoot(line.FdBPerFoot);
    // The derived values are copied after the setters so that the copy equals the
    // source even when the source's values were stored directly.
    FTotaldB = line.FTotaldB;
    FPeakPower = line.FPeakPower;
    HorzLength = line.HorzLength;
    VertLength = line.VertLength;
    HorzdB = line.HorzdB;
}

// --- TTransmissionLineList ------------------------------------------------------------

namespace {
std::unique_ptr<TTransmissionLine> MakeLine(const TLineInfo& info) {
    auto line = std::make_unique<TTransmissionLine>();
    line->PartNumber = info.PartNumber;
    line->Description = info.Description;
    line->BegFreq = info.BegFreq;
    line->EndFreq = info.EndFreq;
    line->SetdBPerFoot(info.dBPerFoot);
    line->SetAvgPower(info.AvgPower);
    line->SetTotalRunLength(info.TotalRunLength);
    return line;
}
}  // namespace

TTransmissionLine& TTransmissionLineList::AddLine(const TLineInfo& info) {
    return Add(MakeLine(info));
}

TTransmissionLine& TTransmissionLineList::InsertLine(int index, const TLineInfo& info) {
    return Insert(index, MakeLine(info));
}

void TTransmissionLineList::SetTotalRunLength(int32_t n) {
    FTotalRunLength = n;
    for (auto& line : FItems) line->SetTotalRunLength(n);
}

void TTransmissionLineList::SetAural(int32_t a) {
    FAural = a;
    for (auto& line : FItems) line->SetAural(a);
}

void TTransmissionLineList::TakeLines(TTransmissionLineList& source) {
    FItems.swap(source.FItems);
    source.FItems.clear();
}

// --- TLinesPage -------------------------------------------------------------------------

void TLinesPage::Assign(const TLinesPage& source) {
    if (&source == this) return;
    VertLength = source.VertLength;
    HorzLength = source.HorzLength;
    PeakPower = source.PeakPower;
    InputInfo = source.InputInfo;
    Line.Assign(source.Line);
}

// --- catalog ----------------------------------------------------------------------------

namespace {
const char* const kLinesTable = "tblTransmissionLines.txt";
const char* const kdBTable = "tbldbPer100.txt";

bool IsWaveguideFamily(const std::string& family) {
    return family == "SOLDRIFT" || family == "WAVEGUIDE";
}

// "DB_100" of the first row of the attenuation table for this line and channel.
bool FindDbPer100(TTextTable& table, const std::string& line, const std::string& channel,
                  double& value) {
    for (table.MoveFirst(); !table.Eof(); table.MoveNext()) {
        if (table.Field("LINE") == line && table.Field("CHANNEL") == channel) {
            value = table.FloatField("DB_100");
            return true;
        }
    }
    return false;
}

// Attenuation E1 sqrt(f) + E2 f and rating min(E4, E3 / attenuation) of a coaxial line.
void CoaxialFigures(const TTextTable& table, double f, double& dB, double& avg) {
    double e1 = table.FloatField("E1");
    double e2 = table.FloatField("E2");
    double e3 = table.FloatField("E3");
    double e4 = table.FloatField("E4");
    if (f < 0) throw Error("Invalid floating point operation");
    dB = e1 * std::sqrt(f) + e2 * f;
    // A line without loss has no thermal limit below its maximum average power.
    avg = dB == 0 ? e4 : std::min(e4, e3 / dB);
}
}  // namespace

TLineInfo GetCustomLineInfo() {
    TLineInfo info;
    info.PartNumber = "Custom";
    info.Description = "Double-click to edit custom line.";
    info.AvgPower = 60.0;
    info.dBPerFoot = 0.15;
    info.BegFreq = 0;
    info.EndFreq = 0;
    info.TotalRunLength = 0;
    return info;
}

void LoadTransmissionList(TTransmissionLineList& lines, TMarketType market,
                          const TChannel& channel) {
    TTextTable table;
    table.LoadFromFile(DataPath() + kLinesTable);
    TTextTable dbTable;
    dbTable.LoadFromFile(DataPath() + kdBTable);

    // Built aside and handed over complete, so that a table error leaves the caller's
    // catalog as it was.
    TTransmissionLineList built;
    const bool coaxialOnly = market == mtEurope || market == mtAustralia;
    for (table.MoveFirst(); !table.Eof(); table.MoveNext()) {
        const std::string family = table.Field("FAMILY");
        const bool waveguide = IsWaveguideFamily(family);
        if (coaxialOnly && waveguide) continue;
        double beg = table.FloatField("BEG_FREQUENCY");
        double end = table.FloatField("END_FREQUENCY");
        if (!(beg <= channel.BegFreq && channel.EndFreq <= end)) continue;

        TLineInfo info;
        info.PartNumber = table.Field("PART_NUMBER");
        info.Description = table.Field("DESCRIPTION");
        info.BegFreq = beg;
        info.EndFreq = end;
        if (waveguide) {
            double dB = 0;
            if (!FindDbPer100(dbTable, info.PartNumber, channel.ChannelNumber, dB)) continue;
            info.dBPerFoot = dB;
            info.AvgPower = table.FloatField("E4");
        } else {
            CoaxialFigures(table, channel.Frequency, info.dBPerFoot, info.AvgPower);
        }
        info.TotalRunLength = 0;
        built.AddLine(info);
    }
    built.InsertLine(0, GetCustomLineInfo());
    lines.TakeLines(built);
}

std::string InputLinePartNumber(TInputType input) {
    switch (input) {
        case itSix: return "HBR675B";
        case itSeven: return "HBR775";
        case itEight: return "HBR875B";
    }
    return "";
}

double GetInputValue(const TTransmissionLineList& lines, TInputType input,
                     TServiceType service) {
    const std::string part = InputLinePartNumber(input);
    for (int i = 0; i < lines.Count(); ++i) {
        const TTransmissionLine& line = lines.Line(i);
        if (line.PartNumber == part) return service == stDigital ? line.AvgPower() : line.PeakPower();
    }
    return 0;
}

double GetWaveguideHorzdB(const std::string& channelNumber) {
    long long n = 0;
    if (!TryStrToInt(channelNumber, n))
        throw Error("'" + channelNumber + "' is not a valid integer value");
    const std::string waveguide = (n >= 14 && n <= 50) ? "WR1500" : "WR1150";
    TTextTable dbTable;
    dbTable.LoadFromFile(DataPath() + kdBTable);
    double dB = 0;
    return FindDbPer100(dbTable, waveguide, channelNumber, dB) ? dB : 0.0;
}

}  // namespace velmo
