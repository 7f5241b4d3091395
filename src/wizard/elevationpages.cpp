#include "wizard/elevationpages.h"

#include <algorithm>
#include <cmath>

#include "base/conversions.h"
#include "base/numbers.h"
#include "model/design.h"
#include "patterns/elcatalog.h"
#include "wizard/azimuthpages.h"
#include "wizard/userinterface.h"

namespace velmo {

namespace {

// A spin value on its grid: `decimals` places, so repeated steps do not drift.
double OnGrid(double v, int decimals) {
    const double f = std::pow(10.0, decimals);
    return std::nearbyint(v * f) / f;
}

}  // namespace

// ---- shared ----

void TElevationPageBase::SetPatternRange(TRangeType r) {
    FRangeType = r;
    DrawInfo.Range = GetRange(r);
    Changed();
}

void TElevationPageBase::SetPatternView(TViewType v) {
    DrawInfo.ViewType = v;
    Changed();
}

void TElevationPageBase::SetUnit(TPowerType unit) {
    FUnit = unit;
    WorkingDesign().ElevationPage.PowerType = unit;
    Changed();
}

void TElevationPageBase::ResetChoices() {
    FRangeType = rtFiveToTen;
    DrawInfo.Range = GetRange(rtFiveToTen);
    DrawInfo.Offset = 0;
}

void TElevationPageBase::LoadChoices() {
    const TElevationPage& e = WorkingDesign().ElevationPage;
    DrawInfo.ViewType = e.ViewType;
    FRangeType = e.RangeType;
    DrawInfo.Range = GetRange(e.RangeType);
    FUnit = e.PowerType == ptRF ? ptRF : ptRP;
}

void TElevationPageBase::CommitChoices() {
    TElevationPage& e = WorkingDesign().ElevationPage;
    e.ViewType = DrawInfo.ViewType;
    e.RangeType = FRangeType;
    e.PowerType = FUnit;
}

void TElevationPageBase::CopyCurrentPattern() {
    if (!FCurrentPattern) return;
    UI().SetClipboardText(ElevationExportText(*FCurrentPattern));
}

void TElevationPageBase::ExportCurrentPattern() {
    if (!FCurrentPattern) return;
    TFileDialogSpec spec;
    spec.Title = "Export Points";
    spec.Filter = kPatFileFilter;
    spec.FileName = FCurrentPattern->PolID + ".pat";
    spec.DefaultExt = "pat";
    spec.OverwritePrompt = true;
    const std::optional<std::string> name = UI().SaveFileName(spec);
    if (!name) return;
    ExportElevationPoints(*name, *FCurrentPattern);
}

void TElevationPageBase::PrintPattern() {
    PageExit();
    UI().PreviewReport(WorkingDesign(), TReportRequest::Elevation);
}

// ---- TV ----

void TfrmElevation::PageEnter() {
    TBroadcastDesign& d = WorkingDesign();
    VertPatternCode = d.ElevationPage.VertPattern.BaseCose;
    FCurrentHorzPattern = nullptr;
    FCurrentVertPattern = nullptr;
    FCurrentPattern = nullptr;
    NextButton.SetEnabled(false);
    ResetFields();
    GetPatterns();
    SetUI();
    LoadUI();
    LoadChoices();
    Changed();
}

void TfrmElevation::ResetFields() {
    FMainLobeText.clear();
    FGainText.clear();
    FHorzdBdText.clear();
    FHorzNumText.clear();
    FBeamWidthText.clear();
    FBeamtilt = 0;
    FBeamtiltMin = FBeamtiltMax = 0;
    ResetChoices();
}

void TfrmElevation::GetPatterns() {
    const TBroadcastDesign& d = WorkingDesign();
    const TOptionsPage& o = d.OptionsPage;
    const TAzHorzPattern& az = d.AzimuthPage.HorzPattern;
    FHorzIndex = FVertIndex = -1;
    LoadTVElevationList(o.FamilyID, o.PolCode, az.PatternID, az.PatternCode, HorzPatternList);
}

void TfrmElevation::SetUI() { FVertListVisible = WorkingDesign().OptionsPage.PolCode == "E"; }

void TfrmElevation::LoadUI() {
    if (HorzPatternList.Empty()) return;
    const THorzPattern& previous = WorkingDesign().ElevationPage.HorzPattern;
    int index = 0;
    for (int i = 0; i < HorzPatternList.Count(); ++i)
        if (HorzPatternList.HorzPattern(i).PolID == previous.PolID) {
            HorzPatternList.HorzPattern(i).SetBeamtilt(previous.Beamtilt());
            index = i;
            break;
        }
    OnHorzPatternSelection(index);
    SetBeamtiltField(HorzPatternList.HorzPattern(index).Beamtilt());
}

void TfrmElevation::SetFields() {
    if (!FCurrentPattern) return;
    const TElPattern& p = *FCurrentPattern;
    FMainLobeText = FormatFixed(p.MainLobedBd, 2);
    FGainText = FormatFixed(p.Gain(), 2);
    FHorzdBdText = FormatFixed(p.HorzdBd, 2);
    FHorzNumText = FormatFixed(p.HorzNum, 2);
    FBeamWidthText = FormatFixed(p.BeamWidth, 2);
    FBeamtiltMin = p.MinBeamtilt;
    FBeamtiltMax = p.MaxBeamtilt;
    SetBeamtiltField(p.Beamtilt());
}

void TfrmElevation::SetBeamtiltField(double value) {
    if (FBeamtiltMin < FBeamtiltMax) value = std::clamp(value, FBeamtiltMin, FBeamtiltMax);
    const bool changed = value != FBeamtilt || (FCurrentPattern && FCurrentPattern->Beamtilt() != value);
    FBeamtilt = value;
    if (changed) BeamtiltChange();
}

void TfrmElevation::BeamtiltChange() {
    if (!FCurrentPattern) return;
    if (FCurrentHorzPattern) FCurrentHorzPattern->SetBeamtilt(FBeamtilt);
    if (FCurrentVertPattern) FCurrentVertPattern->SetBeamtilt(FBeamtilt);
    DrawInfo.Offset = 0;
    ShowHorizon();
    Changed();
}

void TfrmElevation::ShowHorizon() {
    FHorzdBdText = FormatFixed(FCurrentPattern->HorzdBd, 2);
    FHorzNumText = FormatFixed(FCurrentPattern->HorzNum, 2);
}

void TfrmElevation::StepBeamtilt(int steps) {
    if (!FCurrentPattern || !BeamtiltArrows()) return;
    SetBeamtiltField(OnGrid(FBeamtilt + steps * kBeamtiltStep, 2));
}

void TfrmElevation::OnHorzPatternSelection(int index) {
    if (index < 0 || index >= HorzPatternList.Count()) return;
    THorzPattern& p = HorzPatternList.HorzPattern(index);
    FHorzIndex = index;
    FCurrentHorzPattern = &p;
    FCurrentPattern = &p;
    p.LoadPoints();
    SetFields();
    NextButton.SetEnabled(true);
    FVertIndex = -1;
    SetVertPattern();
    FPatternCaption = FCurrentPattern->PolID;
    Changed();
}

void TfrmElevation::SetVertPattern() {
    TVertPatternList& verts = FCurrentHorzPattern->VertPatterns;
    if (verts.Empty()) return;  // the current vertical pattern stays as it was
    int index = 0;
    for (int i = 0; i < verts.Count(); ++i)
        if (verts.Pattern(i).BaseCose == VertPatternCode) {
            index = i;
            break;
        }
    TVertPattern& v = verts.Pattern(index);
    FCurrentVertPattern = &v;
    v.SetBeamtilt(FCurrentHorzPattern->Beamtilt());
    v.LoadPoints();
    FVertIndex = index;
}

void TfrmElevation::OnVertPatternSelection(int index) {
    if (!FCurrentHorzPattern) return;
    TVertPatternList& verts = FCurrentHorzPattern->VertPatterns;
    if (index < 0 || index >= verts.Count()) return;
    TVertPattern& v = verts.Pattern(index);
    FVertIndex = index;
    FCurrentVertPattern = &v;
    FCurrentPattern = &v;
    v.LoadPoints();
    SetFields();
    FPatternCaption = v.PolID;
    Changed();
}

void TfrmElevation::PageExit() {
    TBroadcastDesign& d = WorkingDesign();
    if (FCurrentHorzPattern) d.ElevationPage.HorzPattern.Assign(*FCurrentHorzPattern);
    if (FCurrentVertPattern) d.ElevationPage.VertPattern.Assign(*FCurrentVertPattern);
    if (DesignState == dsEdit) d.InitializeAnalisys();
    CommitChoices();
}

std::vector<TListLine> TfrmElevation::HorzLines() const {
    std::vector<TListLine> lines;
    for (int i = 0; i < HorzPatternList.Count(); ++i)
        lines.push_back({HorzPatternList.HorzPattern(i).BaseCose, HorzPatternList.HorzPattern(i).Description});
    return lines;
}

std::vector<TListLine> TfrmElevation::VertLines() const {
    std::vector<TListLine> lines;
    if (!FCurrentHorzPattern) return lines;
    const TVertPatternList& verts = FCurrentHorzPattern->VertPatterns;
    for (int i = 0; i < verts.Count(); ++i)
        lines.push_back({verts.Pattern(i).BaseCose, verts.Pattern(i).Description});
    return lines;
}

// ---- FM ----

TfrmFMElevation::TfrmFMElevation(TWizardButton& nextButton) : TElevationPageBase(nextButton) {}

TfrmFMElevation::~TfrmFMElevation() { Final(); }

void TfrmFMElevation::PageEnter() {
    if (!FHookInstalled) {
        FSavedHandler = SetElMessageHandler([](const std::string& message) {
            UI().Message(TMsgKind::Warning, message, TMsgButtons::Ok);
        });
        FHookInstalled = true;
    }
    FCurrentFMPattern = nullptr;
    FCurrentPattern = nullptr;
    NextButton.SetEnabled(false);
    ResetFields();
    GetPatterns();
    LoadUI();
    LoadChoices();
    Changed();
}

void TfrmFMElevation::Final() {
    if (!FHookInstalled) return;
    SetElMessageHandler(std::move(FSavedHandler));
    FSavedHandler = nullptr;
    FHookInstalled = false;
}

void TfrmFMElevation::ResetFields() {
    FMainLobeText.clear();
    FGainText.clear();
    FHorzdBdText.clear();
    FHorzNumText.clear();
    FBeamWidthText.clear();
    FBeamtilt = FFirstNullFill = FSecondNullFill = 0;
    ResetChoices();
}

void TfrmFMElevation::GetPatterns() {
    const TOptionsPage& o = WorkingDesign().OptionsPage;
    FFMIndex = -1;
    LoadFMElevationList(o.FamilyID, o.FeedCode, o.PolCode, FMPatternList);
}

void TfrmFMElevation::LoadUI() {
    if (FMPatternList.Empty()) return;
    const TFMPattern& previous = WorkingDesign().ElevationPage.FMPattern;
    int index = 0;
    for (int i = 0; i < FMPatternList.Count(); ++i) {
        TFMPattern& p = FMPatternList.FMPattern(i);
        if (p.PolID != previous.PolID) continue;
        // The catalog row carries the gain of the plain array, which a design read
        // from a file does not hold: every computation on this page scales from it.
        p.SetBeamtilt(previous.Beamtilt());
        p.SetFirstNullFillPercent(previous.FirstNullFillPercent());
        p.SetSecondNullFillPercent(previous.SecondNullFillPercent());
        index = i;
        break;
    }
    OnFMPatternSelection(index);
}

void TfrmFMElevation::OnFMPatternSelection(int index) {
    if (index < 0 || index >= FMPatternList.Count()) return;
    TFMPattern& p = FMPatternList.FMPattern(index);
    FFMIndex = index;
    FCurrentFMPattern = &p;
    FCurrentPattern = &p;
    p.CalculatePattern();
    SetFields();
    NextButton.SetEnabled(true);
    FPatternCaption = p.PolID;
    Changed();
}

void TfrmFMElevation::SetFields() {
    if (!FCurrentFMPattern) return;
    const TFMPattern& p = *FCurrentFMPattern;
    FMainLobeText = FormatFixed(p.MainLobedBd, 4);
    FGainText = FormatFixed(p.Gain(), 4);
    FHorzdBdText = FormatFixed(p.HorzdBd, 4);
    FHorzNumText = FormatFixed(p.HorzNum, 4);
    FBeamWidthText = FormatFixed(p.BeamWidth, 2);
    FBeamtilt = p.Beamtilt();
    FFirstNullFill = p.FirstNullFillPercent();
    FSecondNullFill = p.SecondNullFillPercent();
    FSecondNullFillEnabled = p.FamilyID == "RNVX" || p.FamilyID == "TGX";
}

void TfrmFMElevation::Refresh() {
    SetFields();
    Changed();
}

void TfrmFMElevation::StepBeamtilt(int steps) {
    if (!FCurrentFMPattern) return;
    const double v = std::clamp(OnGrid(FBeamtilt + steps * kTiltStep, 2), kTiltMin, kTiltMax);
    if (v == FCurrentFMPattern->Beamtilt()) return;
    FCurrentFMPattern->SetBeamtilt(v);
    Refresh();
}

void TfrmFMElevation::StepFirstNullFill(int steps) {
    if (!FCurrentFMPattern) return;
    const double v = std::clamp(std::nearbyint(FFirstNullFill) + steps, 0.0, kFirstFillMax);
    if (v == FCurrentFMPattern->FirstNullFillPercent()) return;
    FCurrentFMPattern->SetFirstNullFillPercent(v);
    Refresh();
}

void TfrmFMElevation::StepSecondNullFill(int steps) {
    if (!FCurrentFMPattern || !FSecondNullFillEnabled) return;
    const double v = std::clamp(std::nearbyint(FSecondNullFill) + steps, 0.0, kSecondFillMax);
    if (v == FCurrentFMPattern->SecondNullFillPercent()) return;
    FCurrentFMPattern->SetSecondNullFillPercent(v);
    Refresh();
}

void TfrmFMElevation::Commit() {
    if (FCurrentFMPattern) WorkingDesign().ElevationPage.FMPattern.Assign(*FCurrentFMPattern);
    CommitChoices();
}

void TfrmFMElevation::PageExit() {
    Commit();
    if (DesignState == dsEdit) WorkingDesign().InitializeAnalisys();
}

void TfrmFMElevation::PageBack() { Commit(); }

std::vector<TListLine> TfrmFMElevation::FMLines() const {
    std::vector<TListLine> lines;
    for (int i = 0; i < FMPatternList.Count(); ++i)
        lines.push_back({FMPatternList.FMPattern(i).BaseCose, FMPatternList.FMPattern(i).Description});
    return lines;
}

}  // namespace velmo
