#pragma once
// Transmission lines: the line kept in a design, the catalog of candidate lines
// built for a channel from the two line tables of the data folder, and the small
// lookups on the same tables. Lengths in feet, attenuation in dB per 100 ft (the
// name dBPerFoot notwithstanding), powers in kW, frequencies in MHz.
#include <cstdint>
#include <string>

#include "base/types.h"

namespace velmo {

// The data of one catalog row when a line is created.
struct TLineInfo {
    std::string PartNumber;
    std::string Description;
    double BegFreq = 0;
    double EndFreq = 0;
    double AvgPower = 0;   // average power rating at the channel, kW
    double dBPerFoot = 0;  // attenuation at the channel, dB/100 ft
    int32_t TotalRunLength = 0;
};

class TTransmissionLine {
public:
    TTransmissionLine() = default;
    TTransmissionLine(const TTransmissionLine&) = delete;
    TTransmissionLine& operator=(const TTransmissionLine&) = delete;

    // Total run, feet; setting it recomputes TotaldB.
    int32_t TotalRunLength() const { return FTotalRunLength; }
    void SetTotalRunLength(int32_t n);
    // Aural carrier power in percent; setting it recomputes PeakPower.
    int32_t Aural() const { return FAural; }
    void SetAural(int32_t a);
    // Average power rating, kW; setting it recomputes PeakPower.
    double AvgPower() const { return FAvgPower; }
    void SetAvgPower(double x);
    // Attenuation, dB/100 ft; a new value recomputes TotaldB, the value already held
    // does nothing.
    double dBPerFoot() const { return FdBPerFoot; }
    void SetdBPerFoot(double x);

    // Loss of the whole run, dB: TotalRunLength * dBPerFoot / 100. The setter only
    // stores (Assign and loaders copy the value as it stands).
    double TotaldB() const { return FTotaldB; }
    void SetTotaldB(double v) { FTotaldB = v; }
    // Peak power rating, kW: AvgPower / (Aural / 100 + 0.6). The setter only stores.
    double PeakPower() const { return FPeakPower; }
    void SetPeakPower(double v) { FPeakPower = v; }

    // 100 * 10^(-TotaldB / 10), percent.
    double Efficiency() const;

    // Makes this line equal to `line`, field for field.
    void Assign(const TTransmissionLine& line);

    std::string PartNumber;
    std::string Description;
    double EndFreq = 0;
    double BegFreq = 0;
    double HorzLength = 0;  // carried by Assign only
    double VertLength = 0;  // carried by Assign only
    // Attenuation of the horizontal run, dB/100 ft; used only for lines whose part
    // number contains "QPT" (a waveguide horizontal run).
    double HorzdB = 0;

private:
    void UpdateTotaldB();
    void UpdatePeakPower();

    int32_t FTotalRunLength = 0;
    int32_t FAural = 10;
    double FAvgPower = 0;
    double FdBPerFoot = 0;
    double FTotaldB = 0;
    double FPeakPower = 0;
};

class TTransmissionLineList : public TOwningList<TTransmissionLine> {
public:
    // Creates a line from `info`: part number, description and band copied, then
    // dBPerFoot, AvgPower and TotalRunLength set through their setters in this order.
    TTransmissionLine& AddLine(const TLineInfo& info);
    TTransmissionLine& InsertLine(int index, const TLineInfo& info);
    TTransmissionLine& Line(int index) { return Item(index); }
    const TTransmissionLine& Line(int index) const { return Item(index); }

    // Store the value and apply it to every line, in list order.
    int32_t TotalRunLength() const { return FTotalRunLength; }
    void SetTotalRunLength(int32_t n);
    int32_t Aural() const { return FAural; }
    void SetAural(int32_t a);

    // Takes over every line of `source` in place of its own; `source` ends empty.
    void TakeLines(TTransmissionLineList& source);

private:
    int32_t FTotalRunLength = 0;
    int32_t FAural = 10;
};

// The design's line data: run lengths, the aural percentage and the chosen line.
class TLinesPage {
public:
    TLinesPage() = default;
    TLinesPage(const TLinesPage&) = delete;
    TLinesPage& operator=(const TLinesPage&) = delete;

    // Copies the five fields; the line through TTransmissionLine::Assign.
    void Assign(const TLinesPage& source);

    int32_t VertLength = 1000;  // vertical run, feet
    int32_t HorzLength = 100;   // horizontal run, feet
    int32_t PeakPower = 10;     // the aural percentage used for peak power (not a power)
    TInputInfo InputInfo;       // itSix, 0
    TTransmissionLine Line;     // the chosen line
};

// Catalog operations. They read "tblTransmissionLines.txt" and "tbldbPer100.txt"
// from DataPath() afresh at every call.

// Empties `lines` and fills it with the lines offered for `channel` in `market`,
// the "Custom" line first. Outside mtUS only coaxial lines are offered. A numeric
// cell that does not convert raises ConvertError and ends the build.
void LoadTransmissionList(TTransmissionLineList& lines, TMarketType market,
                          const TChannel& channel);

// The user-defined line the catalog starts with.
TLineInfo GetCustomLineInfo();

// Rating of the rigid line matching an antenna input size ("HBR675B", "HBR775",
// "HBR875B"): the first such catalog line's AvgPower for digital service, its
// PeakPower for analog; 0 when the catalog has none.
double GetInputValue(const TTransmissionLineList& lines, TInputType input,
                     TServiceType service);

// Attenuation (dB/100 ft) of the waveguide of the horizontal run for a channel:
// "WR1500" for channels 14 to 50, otherwise "WR1150"; 0 when the table has no row.
// A channel number that is not an integer raises an Error.
double GetWaveguideHorzdB(const std::string& channelNumber);

// The part number GetInputValue looks for.
std::string InputLinePartNumber(TInputType input);

}  // namespace velmo
