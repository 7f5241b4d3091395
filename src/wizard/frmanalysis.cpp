#include "wizard/frmanalysis.h"

#include <algorithm>
#include <cmath>

#include "base/numbers.h"
#include "model/design.h"

namespace velmo {

namespace {
std::string ReplaceAll(std::string s, const std::string& what, const std::string& with) {
    for (size_t pos = s.find(what); pos != std::string::npos; pos = s.find(what, pos + with.size()))
        s.replace(pos, what.size(), with);
    return s;
}
}  // namespace

TAnalysisPageBase::TAnalysisPageBase(TWizardButton& nextButton, bool fm)
    : TWizardPage(nextButton), FFM(fm) {
    FFields[afERPkWHorz].Entry = true;
    FFields[afTransmitterPowerkW].Entry = true;
    for (TAnalysisField f : {afIsolationLossDB, afFilterLossDB, afCirculatorLossDB}) {
        FFields[f].Entry = fm;
        FFields[f].Visible = fm;
    }
    for (TAnalysisField f : {afERPkWVert, afERPdBkVert, afGainRatioVert, afGaindBdVert,
                             afVerticalRatio})
        FFields[f].Visible = false;
}

// The analysis belongs to the working design, which outlives every page: a page that
// goes without Final must not leave its handlers behind.
TAnalysisPageBase::~TAnalysisPageBase() { DetachEvents(); }

const char* TAnalysisPageBase::Heading() const {
    return FFM ? "  FM Power Analysis" : "  TV Power Analysis";
}

TPowerAnalysis& TAnalysisPageBase::Analysis() const { return WorkingDesign().AnalysisPage.Analysis; }

void TAnalysisPageBase::AttachEvents() {
    TPowerAnalysis& a = Analysis();
    a.LineMax = [this](TPowerAnalysis& s, bool c) { OnLineMax(s, c); };
    a.InputMax = [this](TPowerAnalysis& s, bool c) { OnInputMax(s, c); };
    a.ERPMax = [this](TPowerAnalysis& s, bool c) { OnERPMax(s, c); };
    FAttached = true;
}

void TAnalysisPageBase::DetachEvents() {
    if (!FAttached) return;
    TPowerAnalysis& a = Analysis();
    a.LineMax = nullptr;
    a.InputMax = nullptr;
    a.ERPMax = nullptr;
    FAttached = false;
}

void TAnalysisPageBase::PageEnter() {
    AttachEvents();
    WorkingDesign().InitializeAnalisys();
    LoadFields();
    SetUI();
    FillLineFields();
    NextButton.SetEnabled(true);
    Changed();
}

// ---- fields -----------------------------------------------------------------------------

void TAnalysisPageBase::SetText(TAnalysisField f, double v, int decimals) {
    // The analysis keeps its figures finite; a field never shows NaN or inf either way.
    FFields[f].Text = std::isfinite(v) ? FormatFixed(v, decimals) : std::string();
    FFields[f].Typing = false;
}

void TAnalysisPageBase::LoadFields() {
    const TPowerAnalysis& a = Analysis();
    const int gainDecimals = FFM ? 4 : 3;
    SetText(afERPkWHorz, a.ERPkWHorz(), 3);
    SetText(afERPdBkHorz, a.ERPdBkHorz(), 3);
    SetText(afGainRatioHorz, a.PowerGainRatioHorz(), gainDecimals);
    SetText(afGaindBdHorz, a.PowerGaindBdHorz(), gainDecimals);
    SetText(afAntennaInputkW, a.AntennaInputkW, 3);
    SetText(afAntennaInputdBk, a.AntennaInputdBk(), 3);
    SetText(afLineLosskW, a.LineLosskW(), 3);
    SetText(afLineLossdB, a.LineLossdB(), 3);
    SetText(afEfficiency, a.Efficiency() * 100, 2);
    SetText(afTransmitterPowerkW, a.TransmitterPowerkW(), 3);
    SetText(afTransmitterPowerdBk, a.TransmitterPowerdBk(), 3);
    if (FFM) {
        SetText(afIsolationLossDB, a.IsolationTransformerLossDB(), 3);
        SetText(afFilterLossDB, a.FilterLossDB(), 3);
        SetText(afCirculatorLossDB, a.CirculatorLossDB(), 3);
    } else {
        SetText(afERPkWVert, a.ERPkWVert(), 3);
        SetText(afERPdBkVert, a.ERPdBkVert(), 3);
        SetText(afGainRatioVert, a.PowerGainRatioVert(), 3);
        SetText(afGaindBdVert, a.PowerGaindBdVert(), 3);
    }
}

void TAnalysisPageBase::FillLineFields() {
    const TLinesPage& lines = WorkingDesign().LinesPage;
    FLineType = lines.Line.PartNumber;
    FLineDescription = lines.Line.Description;
    FVertLengthText = FormatInt(lines.VertLength);
    FHorzLengthText = FormatInt(lines.HorzLength);
    FAttenuationText = FormatFixed(lines.Line.dBPerFoot(), 3) + " dB/100 ft.";
}

// ---- entries ----------------------------------------------------------------------------

bool TAnalysisPageBase::EntryAcceptsKey(char key) {
    return (key >= '0' && key <= '9') || key == '-' || key == '.' || key == '\b' ||
           key == NumberFormat::DecimalSeparator();
}

double TAnalysisPageBase::EntryValue(const std::string& text) {
    double v = 0;
    // The locale's separator first; a "." is read as one too, since the key is offered.
    if (!TryStrToFloat(text, v) && !TryStrToFloat(text, v, '.')) return 0;
    return std::isfinite(v) ? v : 0;
}

void TAnalysisPageBase::EditEntry(TAnalysisField f, const std::string& text) {
    if (!FFields[f].Entry) return;
    FFields[f].Text = text;
    FFields[f].Typing = true;
    Changed();
}

void TAnalysisPageBase::LeaveEntry(TAnalysisField f) {
    if (FFields[f].Typing) CommitEntry(f);
}

void TAnalysisPageBase::CommitEntry(TAnalysisField f) {
    if (!FFields[f].Entry) return;
    const double value = EntryValue(FFields[f].Text);
    FFields[f].Text = FormatGeneral(value);
    EntryChanged(f, value);
    FFields[f].Typing = false;
    Changed();
}

void TAnalysisPageBase::EntryChanged(TAnalysisField f, double value) {
    TPowerAnalysis& a = Analysis();
    HideWarning();
    switch (f) {
        case afERPkWHorz: a.SetERPkWHorz(value); break;
        case afTransmitterPowerkW: a.SetTransmitterPowerkW(value); break;
        case afIsolationLossDB: a.SetIsolationTransformerLossDB(value); break;
        case afFilterLossDB: a.SetFilterLossDB(value); break;
        case afCirculatorLossDB: a.SetCirculatorLossDB(value); break;
        default: return;
    }
    LoadFields();
}

// ---- limit events -----------------------------------------------------------------------

void TAnalysisPageBase::OnLineMax(TPowerAnalysis&, bool check) {
    if (check) return;
    FWarningText = LineMaxText;
    FWarningVisible = true;
}

void TAnalysisPageBase::OnInputMax(TPowerAnalysis&, bool check) {
    if (check) return;
    FWarningText = InputMaxText;
    FWarningVisible = true;
}

void TAnalysisPageBase::OnERPMax(TPowerAnalysis&, bool check) {
    const std::string limit = ERPLimitText();
    FERPWarningText = ReplaceAll(
        "Maximum allowable ERP MAX = %s kW.\rPlease check with your consultant to verify if "
        "you\rare allowed to exceed %s kW",
        "%s", limit);
    FERPWarningVisible = !check;
}

// ---- TV ---------------------------------------------------------------------------------

std::string TfrmAnalysis::ERPLimitText() const {
    return Analysis().ServiceType == stDigital ? "1000" : "5000";
}

void TfrmAnalysis::LoadFields() {
    TAnalysisPageBase::LoadFields();
    // The spin field follows without running its change handler.
    const double r = Analysis().VerticalRatio();
    FRatio = std::isfinite(r) ? static_cast<int>(std::clamp(std::nearbyint(r), double(MinRatio),
                                                            double(MaxRatio)))
                              : 0;
    FFields[afVerticalRatio].Text = FormatInt(FRatio);
}

void TfrmAnalysis::SetUI() {
    const TOptionsPage& options = WorkingDesign().OptionsPage;
    FVerticalVisible = options.PolCode == "E";
    FRatioVisible = FVerticalVisible;
    const std::string& family = options.FamilyID;
    FRatioEditable = FVerticalVisible &&
                     (family == "KLX-VHF" || family == "KLX-UHF" || family == "CTM");
    for (TAnalysisField f : {afERPkWVert, afERPdBkVert, afGainRatioVert, afGaindBdVert,
                             afVerticalRatio})
        FFields[f].Visible = FVerticalVisible;
}

void TfrmAnalysis::SetRatio(int value) {
    if (!FRatioEditable) return;
    value = std::clamp(value, MinRatio, MaxRatio);
    HideWarning();
    Analysis().SetVerticalRatio(value);
    WorkingDesign().OptionsPage.VerticalComponent = value;
    LoadFields();
    Changed();
}

// ---- FM ---------------------------------------------------------------------------------

std::string TfrmFMAnalysis::ERPLimitText() const {
    return FormatGeneral(WorkingDesign().OptionsPage.MaxERPkW);
}

void TfrmFMAnalysis::SetUI() {
    const std::string& pol = WorkingDesign().OptionsPage.PolCode;
    FERPCaption = pol == "E" ? "Horz or Vert" : pol == "V" ? "Vertical" : "Horizontal";
}

}  // namespace velmo
