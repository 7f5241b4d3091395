#include "analysis/power.h"

#include <cmath>

#include "base/conversions.h"

namespace velmo {

namespace {
// Ends a calculation chain at the step whose result would not be a finite number
// (a division by a zero gain or efficiency, an overflow); caught by the chain.
struct ChainStop {};

double Finite(double v) {
    if (!std::isfinite(v)) throw ChainStop{};
    return v;
}
}  // namespace

// --- polarization split and the shared steps --------------------------------------------

double TPowerAnalysis::HorzPowerFraction() const {
    const double gH = AzHorzGain * ElHorzGain;
    const double gV = AzVertGain * ElVertGain;
    const double r = FVerticalRatio / 100.0;
    const double denominator = gH * r + gV;
    if (denominator == 0) return 1.0;
    const double fraction = gV / denominator;
    return std::isfinite(fraction) ? fraction : 1.0;
}

double TPowerAnalysis::VertPowerFraction() const { return 1.0 - HorzPowerFraction(); }

void TPowerAnalysis::StepGains() {
    const double gH = AzHorzGain * ElHorzGain;
    if (PolCode == "E") {
        const double horzFraction = HorzPowerFraction();
        const double ratioHorz = Finite(horzFraction * gH);
        FPowerGainRatioHorz = ratioHorz;
        FPowerGaindBdHorz = PowerTodB(ratioHorz);
        const double ratioVert = Finite((1.0 - horzFraction) * AzVertGain * ElVertGain);
        FPowerGainRatioVert = ratioVert;
        FPowerGaindBdVert = PowerTodB(ratioVert);
    } else {
        const double ratioHorz = Finite(gH);
        FPowerGainRatioHorz = ratioHorz;
        FPowerGaindBdHorz = PowerTodB(ratioHorz);
    }
}

void TPowerAnalysis::StepLosses() {
    FLineLossdB = Finite(VertLength / 100.0 * VertAttenuation + HorzLength / 100.0 * HorzAttenuation);
    FEfficiency = Finite(dBToPower(-FLineLossdB));
    FIsolationTransformerEfficiency = Finite(dBToPower(-FIsolationTransformerLossDB));
    FFilterEfficiency = Finite(dBToPower(-FFilterLossDB));
    FCirculatorEfficiency = Finite(dBToPower(-FCirculatorLossDB));
}

void TPowerAnalysis::StepCascade() {
    const double t = FTransmitterPowerkW;
    const double a = Finite(t * FIsolationTransformerEfficiency);
    FIsolationTransformerLosskW = Finite(t - a);
    const double b = Finite(a * FFilterEfficiency);
    FFilterLosskW = Finite(a - b);
    const double c = Finite(b * FCirculatorEfficiency);
    FCirculatorLosskW = Finite(b - c);
    FLineLosskW = Finite(c - c * FEfficiency);
}

void TPowerAnalysis::StepVerticalERP() {
    if (PolCode != "E") return;
    const double vert = Finite(FVerticalRatio / 100.0 * FERPkWHorz);
    FERPkWVert = vert;
    FERPdBkVert = PowerTodB(vert);
}

// The transmitter power that delivers the current antenna input through the line and
// the three components.
void TPowerAnalysis::RunFromERP() {
    double t = Finite(AntennaInputkW / FEfficiency);
    t = Finite(t / FIsolationTransformerEfficiency);
    t = Finite(t / FFilterEfficiency);
    t = Finite(t / FCirculatorEfficiency);
    FTransmitterPowerkW = t;
    FTransmitterPowerdBk = PowerTodB(t);
}

void TPowerAnalysis::RunFromTransmitterPower() {
    const double input = Finite(FTransmitterPowerkW * FEfficiency * FIsolationTransformerEfficiency *
                                FFilterEfficiency * FCirculatorEfficiency);
    AntennaInputkW = input;
    FAntennaInputdBk = PowerTodB(input);
}

// --- the three chains -------------------------------------------------------------------

void TPowerAnalysis::CalculateFromERP() {
    try {
        FERPdBkHorz = PowerTodB(FERPkWHorz);
        StepVerticalERP();
        StepGains();
        const double input = Finite(FERPkWHorz / FPowerGainRatioHorz);
        AntennaInputkW = input;
        FAntennaInputdBk = PowerTodB(input);
        StepLosses();
        RunFromERP();
        StepCascade();
    } catch (const ChainStop&) {
    }
}

void TPowerAnalysis::CalculateFromAntennaInput(double P) {
    try {
        AntennaInputkW = Finite(P);
        FAntennaInputdBk = PowerTodB(AntennaInputkW);
        StepGains();
        const double erp = Finite(AntennaInputkW * FPowerGainRatioHorz);
        FERPkWHorz = erp;
        FERPdBkHorz = PowerTodB(erp);
        StepVerticalERP();
        StepLosses();
        RunFromERP();
        StepCascade();
    } catch (const ChainStop&) {
    }
}

void TPowerAnalysis::CalculateFromTransmitterPower() {
    try {
        FTransmitterPowerdBk = PowerTodB(FTransmitterPowerkW);
        StepGains();
        StepLosses();
        RunFromTransmitterPower();
        const double erp = Finite(AntennaInputkW * FPowerGainRatioHorz);
        FERPkWHorz = erp;
        FERPdBkHorz = PowerTodB(erp);
        StepVerticalERP();
        StepCascade();
    } catch (const ChainStop&) {
    }
}

// --- limit checks -----------------------------------------------------------------------

void TPowerAnalysis::CheckLineMax() {
    bool check = true;
    if (FTransmitterPowerkW > LinePeakPower) {
        if (std::isfinite(LinePeakPower)) {
            FTransmitterPowerkW = LinePeakPower;
            CalculateFromTransmitterPower();
        }
        check = false;
    }
    if (LineMax) LineMax(*this, check);
}

void TPowerAnalysis::CheckInputMax() {
    bool check = true;
    if (MaxInputPower != 0 && AntennaInputkW > MaxInputPower) {
        CalculateFromAntennaInput(MaxInputPower);
        check = false;
    }
    if (InputMax) InputMax(*this, check);
}

double TPowerAnalysis::ERPLimit() const {
    if (SystemType == "TV") return ServiceType == stDigital ? 1000.0 : 5000.0;
    return MaxERPkW;
}

void TPowerAnalysis::CheckERPMax() {
    const bool check = FERPkWHorz <= ERPLimit();
    if (ERPMax) ERPMax(*this, check);
}

void TPowerAnalysis::RunChecks() {
    CheckLineMax();
    CheckInputMax();
    CheckERPMax();
}

// --- setters ----------------------------------------------------------------------------

void TPowerAnalysis::SetERPkWHorz(double x) {
    if (!std::isfinite(x)) return;
    FERPkWHorz = x;
    CalculateFromERP();
    RunChecks();
}

void TPowerAnalysis::SetVerticalRatio(double x) {
    if (!std::isfinite(x)) return;
    FVerticalRatio = x;
    CalculateFromERP();
    RunChecks();
}

void TPowerAnalysis::SetTransmitterPowerkW(double x) {
    if (!std::isfinite(x)) return;
    FTransmitterPowerkW = x;
    CalculateFromTransmitterPower();
    RunChecks();
}

void TPowerAnalysis::SetIsolationTransformerLossDB(double x) {
    if (!std::isfinite(x)) return;
    FIsolationTransformerLossDB = x;
    CalculateFromTransmitterPower();
    RunChecks();
}

void TPowerAnalysis::SetFilterLossDB(double x) {
    if (!std::isfinite(x)) return;
    FFilterLossDB = x;
    CalculateFromTransmitterPower();
    RunChecks();
}

void TPowerAnalysis::SetCirculatorLossDB(double x) {
    if (!std::isfinite(x)) return;
    FCirculatorLossDB = x;
    CalculateFromTransmitterPower();
    RunChecks();
}

// --- Assign -----------------------------------------------------------------------------

void TPowerAnalysis::Assign(const TPowerAnalysis& s) {
    if (&s == this) return;
    FERPkWHorz = s.FERPkWHorz;
    FERPdBkHorz = s.FERPdBkHorz;
    FERPkWVert = s.FERPkWVert;
    FERPdBkVert = s.FERPdBkVert;
    FPowerGainRatioHorz = s.FPowerGainRatioHorz;
    FPowerGaindBdHorz = s.FPowerGaindBdHorz;
    FPowerGainRatioVert = s.FPowerGainRatioVert;
    FPowerGaindBdVert = s.FPowerGaindBdVert;
    AntennaInputkW = s.AntennaInputkW;
    FAntennaInputdBk = s.FAntennaInputdBk;
    ServiceType = s.ServiceType;
    LinePeakPower = s.LinePeakPower;
    AzVertGain = s.AzVertGain;
    AzHorzGain = s.AzHorzGain;
    ElVertGain = s.ElVertGain;
    ElHorzGain = s.ElHorzGain;
    FTransmitterPowerdBk = s.FTransmitterPowerdBk;
    FTransmitterPowerkW = s.FTransmitterPowerkW;
    FVerticalRatio = s.FVerticalRatio;
    VertLength = s.VertLength;
    VertAttenuation = s.VertAttenuation;
    HorzLength = s.HorzLength;
    HorzAttenuation = s.HorzAttenuation;
    PolCode = s.PolCode;
    MaxInputPower = s.MaxInputPower;
    FLineLossdB = s.FLineLossdB;
    FLineLosskW = s.FLineLosskW;
    FEfficiency = s.FEfficiency;
    FIsolationTransformerLossDB = s.FIsolationTransformerLossDB;
    FIsolationTransformerLosskW = s.FIsolationTransformerLosskW;
    FIsolationTransformerEfficiency = s.FIsolationTransformerEfficiency;
    FFilterLossDB = s.FFilterLossDB;
    FFilterLosskW = s.FFilterLosskW;
    FFilterEfficiency = s.FFilterEfficiency;
    FCirculatorLossDB = s.FCirculatorLossDB;
    FCirculatorLosskW = s.FCirculatorLosskW;
    FCirculatorEfficiency = s.FCirculatorEfficiency;
}

}  // namespace velmo
