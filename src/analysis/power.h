#pragma once
// The power balance of transmitter -> isolation transformer -> filter -> circulator
// -> transmission line -> antenna -> radiated power. Writing the transmitter power
// or a component loss keeps the transmitter power and moves the ERP; writing the
// horizontal ERP or the vertical ratio keeps the ERP and moves the transmitter
// power. Every such write then runs the three limit checks (line, antenna input,
// ERP) and reports them through the attached callbacks.
//
// Powers in kW, dBk = 10 log10(P / 1 kW); gains are power ratios over a half-wave
// dipole (dBd their 10 log10 form); losses in dB; efficiencies as fractions;
// lengths in feet; attenuations in dB/100 ft; VerticalRatio in percent.
//
// No value the analysis computes is ever NaN or infinite: a step whose result would
// not be a finite number (a zero horizontal gain, a zero efficiency, an overflow)
// ends its calculation there; the values computed before it keep their new values,
// the others their old ones. A non-finite value written to a setter is ignored.
#include <cstdint>
#include <functional>
#include <string>

#include "base/types.h"

namespace velmo {

class TPowerAnalysis;

// A limit report: Check is true when the value is within the limit, false when the
// limit was reached or exceeded.
using TMaxCheckEvent = std::function<void(TPowerAnalysis& Sender, bool Check)>;

class TPowerAnalysis {
public:
    TPowerAnalysis() = default;
    TPowerAnalysis(const TPowerAnalysis&) = delete;
    TPowerAnalysis& operator=(const TPowerAnalysis&) = delete;

    // --- properties whose write recalculates ---------------------------------------
    double ERPkWHorz() const { return FERPkWHorz; }
    void SetERPkWHorz(double x);  // CalculateFromERP, then the checks
    double VerticalRatio() const { return FVerticalRatio; }
    void SetVerticalRatio(double x);  // CalculateFromERP, then the checks
    double TransmitterPowerkW() const { return FTransmitterPowerkW; }
    void SetTransmitterPowerkW(double x);  // CalculateFromTransmitterPower, then the checks
    double IsolationTransformerLossDB() const { return FIsolationTransformerLossDB; }
    void SetIsolationTransformerLossDB(double x);  // as SetTransmitterPowerkW
    double FilterLossDB() const { return FFilterLossDB; }
    void SetFilterLossDB(double x);  // as SetTransmitterPowerkW
    double CirculatorLossDB() const { return FCirculatorLossDB; }
    void SetCirculatorLossDB(double x);  // as SetTransmitterPowerkW

    // --- results -------------------------------------------------------------------
    double ERPdBkHorz() const { return FERPdBkHorz; }
    double ERPkWVert() const { return FERPkWVert; }
    double ERPdBkVert() const { return FERPdBkVert; }
    double PowerGainRatioHorz() const { return FPowerGainRatioHorz; }
    double PowerGaindBdHorz() const { return FPowerGaindBdHorz; }
    double PowerGainRatioVert() const { return FPowerGainRatioVert; }
    double PowerGaindBdVert() const { return FPowerGaindBdVert; }
    double AntennaInputdBk() const { return FAntennaInputdBk; }
    double TransmitterPowerdBk() const { return FTransmitterPowerdBk; }
    double LineLossdB() const { return FLineLossdB; }
    double LineLosskW() const { return FLineLosskW; }
    double Efficiency() const { return FEfficiency; }  // line efficiency, fraction
    double IsolationTransformerLosskW() const { return FIsolationTransformerLosskW; }
    double FilterLosskW() const { return FFilterLosskW; }
    double CirculatorLosskW() const { return FCirculatorLosskW; }
    double IsolationTransformerEfficiency() const { return FIsolationTransformerEfficiency; }
    double FilterEfficiency() const { return FFilterEfficiency; }
    double CirculatorEfficiency() const { return FCirculatorEfficiency; }

    // Share of the antenna input radiated in horizontal polarization when PolCode is
    // "E": G_V / (G_H * r + G_V), 1 when the denominator is 0 (or the share would not
    // be finite); the vertical share is 1 minus it.
    double HorzPowerFraction() const;
    double VertPowerFraction() const;

    // --- calculations and checks -----------------------------------------------------
    void CalculateFromERP();
    void CalculateFromTransmitterPower();
    void CalculateFromAntennaInput(double P);
    void CheckLineMax();
    void CheckInputMax();
    void CheckERPMax();
    // The ERP limit: 5000 kW for analog TV, 1000 kW for digital TV, MaxERPkW for FM.
    double ERPLimit() const;

    // Copies every value except SystemType, MaxERPkW and the three events.
    void Assign(const TPowerAnalysis& source);

    // --- plain properties: writing them only stores ----------------------------------
    double AntennaInputkW = 0;
    TServiceType ServiceType = stAnalog;
    std::string SystemType;  // "TV" or "FM"
    double MaxERPkW = 0;     // the user's ERP maximum (FM)
    double LinePeakPower = 0;
    double AzVertGain = 0;
    double AzHorzGain = 0;
    double ElVertGain = 0;
    double ElHorzGain = 0;
    int32_t VertLength = 0;
    double VertAttenuation = 0;
    int32_t HorzLength = 0;
    double HorzAttenuation = 0;
    std::string PolCode;  // "E": the antenna also radiates a vertical component
    TMaxCheckEvent LineMax;
    TMaxCheckEvent ERPMax;
    TMaxCheckEvent InputMax;
    double MaxInputPower = 0;  // antenna input rating, kW; 0 = no limit

private:
    void RunFromERP();
    void RunFromTransmitterPower();
    void RunChecks();
    void StepGains();
    void StepLosses();
    void StepCascade();
    void StepVerticalERP();

    double FERPkWHorz = 0;
    double FERPdBkHorz = 0;
    double FERPkWVert = 0;
    double FERPdBkVert = 0;
    double FPowerGainRatioHorz = 0;
    double FPowerGaindBdHorz = 0;
    double FPowerGainRatioVert = 0;
    double FPowerGaindBdVert = 0;
    double FAntennaInputdBk = 0;
    double FTransmitterPowerdBk = 0;
    double FTransmitterPowerkW = 1;
    double FVerticalRatio = 0;
    double FLineLossdB = 0;
    double FLineLosskW = 0;
    double FEfficiency = 0;
    double FIsolationTransformerLossDB = 0;
    double FIsolationTransformerLosskW = 0;
    double FIsolationTransformerEfficiency = 1;
    double FFilterLossDB = 0;
    double FFilterLosskW = 0;
    double FFilterEfficiency = 1;
    double FCirculatorLossDB = 0;
    double FCirculatorLosskW = 0;
    double FCirculatorEfficiency = 1;
};

// The design's power analysis.
class TAnalysisPage {
public:
    TAnalysisPage() = default;
    TAnalysisPage(const TAnalysisPage&) = delete;
    TAnalysisPage& operator=(const TAnalysisPage&) = delete;

    void Assign(const TAnalysisPage& source) { Analysis.Assign(source.Analysis); }

    TPowerAnalysis Analysis;
};

}  // namespace velmo
