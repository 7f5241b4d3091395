#include "wizard/azimuthpages.h"

#include <cmath>

#include "base/numbers.h"
#include "model/design.h"
#include "patterns/azcatalog.h"
#include "wizard/userinterface.h"

namespace velmo {

namespace {

// Index of the first list line whose pattern code is `code`; the first line when none
// is (entering preselects the design's pattern, or the list's first).
template <class CodeOf>
int PreselectedIndex(int count, CodeOf codeOf, const std::string& code) {
    for (int i = 0; i < count; ++i)
        if (codeOf(i) == code) return i;
    return 0;
}

}  // namespace

// ---- shared ----

bool TAzimuthPageBase::CanPrint() const {
    return FCurrentPattern && !FCurrentPattern->Points.Empty();
}

int32_t TAzimuthPageBase::Rotation() const {
    return static_cast<int32_t>(std::nearbyint(FRotationEntry));
}

void TAzimuthPageBase::SetRotation(double entry) {
    if (!std::isfinite(entry)) return;
    FRotationEntry = entry;
    const int32_t v = Rotation();
    WorkingDesign().AzimuthPage.SetAngle(v);
    if (FCurrentPattern) FCurrentPattern->Angle = v;
    Changed();
}

void TAzimuthPageBase::SetUnit(TPowerType unit) {
    FUnit = unit;
    WorkingDesign().AzimuthPage.PowerType = unit;
    Changed();
}

void TAzimuthPageBase::ResetFields() {
    FGainText.clear();
    FGaindBText.clear();
    FRotationEntry = 0;
}

void TAzimuthPageBase::ShowPatternInfo() {
    if (!FCurrentPattern) return;
    FGainText = FormatFixed(FCurrentPattern->Gain(), 2);
    FGaindBText = FormatFixed(FCurrentPattern->GaindB, 2);
}

void TAzimuthPageBase::Show(TAzPattern& p) {
    FCurrentPattern = &p;
    p.Angle = Rotation();
    p.LoadPoints();
}

void TAzimuthPageBase::CopyCurrentPattern() {
    if (!FCurrentPattern) return;
    UI().SetClipboardText(AzimuthExportText(*FCurrentPattern));
}

void TAzimuthPageBase::ExportCurrentPattern() {
    if (!FCurrentPattern) return;
    TFileDialogSpec spec;
    spec.Title = "Export Points";
    spec.Filter = kPatFileFilter;
    spec.FileName = FCurrentPattern->PatternID + ".pat";
    spec.DefaultExt = "pat";
    spec.OverwritePrompt = true;
    const std::optional<std::string> name = UI().SaveFileName(spec);
    if (!name) return;
    ExportAzimuthPoints(*name, *FCurrentPattern);
}

void TAzimuthPageBase::PrintPattern() {
    PageExit();
    if (FCurrentPattern) UI().PreviewReport(WorkingDesign(), TReportRequest::Azimuth);
}

void TAzimuthPageBase::PageExit() {
    TBroadcastDesign& d = WorkingDesign();
    if (DesignState == dsEdit) d.InitializeAnalisys();
    d.AzimuthPage.PowerType = FUnit;
}

// ---- TV ----

TfrmAzimuth::TfrmAzimuth(TWizardButton& nextButton) : TAzimuthPageBase(nextButton) {
    LoadTVPatternDetails(PatternDetails);
}

std::vector<std::string> TfrmAzimuth::GetPatterns() {
    const TOptionsPage& o = WorkingDesign().OptionsPage;
    return TVAzimuthCandidates(o.FamilyID, o.PolCode, o.PowerCode);
}

void TfrmAzimuth::DoGetSetPatterns() {
    const TOptionsPage& o = WorkingDesign().OptionsPage;
    LoadTVHorzAzimuthList(o.FamilyID, o.PolCode, GetPatterns(), PatternDetails, HorzPatternList);
    FHorzIndex = -1;
    FVertIndex = -1;
}

void TfrmAzimuth::SetUI() {
    const TOptionsPage& o = WorkingDesign().OptionsPage;
    FVertListVisible = o.PolCode == "E";
    FNoteVisible = FVertListVisible && (o.FamilyID == "KLX-UHF" || o.FamilyID == "KLX-VHF");
}

void TfrmAzimuth::PageEnter() {
    TBroadcastDesign& d = WorkingDesign();
    VertPatternCode = d.AzimuthPage.VertPattern.PatternCode;
    FCurrentHorzPattern = nullptr;
    FCurrentVertPattern = nullptr;
    FCurrentPattern = nullptr;
    SetUI();
    ResetFields();
    NextButton.SetEnabled(false);
    DoGetSetPatterns();
    FUnit = d.AzimuthPage.PowerType == ptRF ? ptRF : ptRP;
    LoadUI();
    Changed();
}

void TfrmAzimuth::LoadUI() {
    TBroadcastDesign& d = WorkingDesign();
    if (HorzPatternList.Count() > 0)
        OnHorzPatternSelection(PreselectedIndex(
            HorzPatternList.Count(), [&](int i) { return HorzPatternList.HorzPattern(i).PatternCode; },
            d.AzimuthPage.HorzPattern.PatternCode));
    if (FRotationEntry != d.AzimuthPage.Angle()) SetRotation(d.AzimuthPage.Angle());
}

void TfrmAzimuth::OnHorzPatternSelection(int index) {
    if (index < 0 || index >= HorzPatternList.Count()) return;
    TBroadcastDesign& d = WorkingDesign();
    TAzHorzPattern& p = HorzPatternList.HorzPattern(index);
    FHorzIndex = index;
    FCurrentHorzPattern = &p;
    Show(p);
    d.AzimuthPage.HorzPattern.Assign(p);
    ShowPatternInfo();
    FVertIndex = -1;
    SetVertPattern();
    NextButton.SetEnabled(true);
    FPatternCaption = FCurrentPattern->PatternID;
    Changed();
}

void TfrmAzimuth::SetVertPattern() {
    TAzVertPatternList& verts = FCurrentHorzPattern->VertPatterns;
    if (verts.Empty()) return;
    int index = 0;
    for (int i = 0; i < verts.Count(); ++i)
        if (verts.Pattern(i).PatternCode == VertPatternCode) {
            index = i;
            break;
        }
    TAzVertPattern& v = verts.Pattern(index);
    FCurrentVertPattern = &v;
    v.Angle = Rotation();
    v.LoadPoints();
    WorkingDesign().AzimuthPage.VertPattern.Assign(v);
    FVertIndex = index;
}

void TfrmAzimuth::OnVertPatternSelection(int index) {
    if (!FCurrentHorzPattern) return;
    TAzVertPatternList& verts = FCurrentHorzPattern->VertPatterns;
    if (index < 0 || index >= verts.Count()) return;
    TAzVertPattern& v = verts.Pattern(index);
    FCurrentVertPattern = &v;
    FVertIndex = index;
    VertPatternCode = v.PatternCode;
    Show(v);
    WorkingDesign().AzimuthPage.VertPattern.Assign(v);
    ShowPatternInfo();
    NextButton.SetEnabled(true);
    FPatternCaption = v.PatternID;
    Changed();
}

std::vector<TListLine> TfrmAzimuth::HorzLines() const {
    std::vector<TListLine> lines;
    for (int i = 0; i < HorzPatternList.Count(); ++i) {
        const TAzHorzPattern& p = HorzPatternList.Item(i);
        lines.push_back({p.PatternCode, p.Desc});
    }
    return lines;
}

std::vector<TListLine> TfrmAzimuth::VertLines() const {
    std::vector<TListLine> lines;
    if (!FCurrentHorzPattern) return lines;
    const TAzVertPatternList& verts = FCurrentHorzPattern->VertPatterns;
    for (int i = 0; i < verts.Count(); ++i) lines.push_back({verts.Item(i).PatternCode, verts.Item(i).Desc});
    return lines;
}

// ---- FM ----

TfrmFMAzimuth::TfrmFMAzimuth(TWizardButton& nextButton) : TAzimuthPageBase(nextButton) {
    LoadFMPatternDetails(PatternDetails);
}

std::vector<std::string> TfrmFMAzimuth::GetPatterns() {
    return FMAzimuthCandidates(WorkingDesign().OptionsPage.FamilyID);
}

void TfrmFMAzimuth::DoGetSetPatterns() {
    LoadFMAzimuthList(WorkingDesign().OptionsPage.PolCode, GetPatterns(), PatternDetails,
                      AzFMPatternList);
    FFMIndex = -1;
}

void TfrmFMAzimuth::PageEnter() {
    TBroadcastDesign& d = WorkingDesign();
    FCurrentAzFMPattern = nullptr;
    FCurrentPattern = nullptr;
    ResetFields();
    NextButton.SetEnabled(false);
    DoGetSetPatterns();
    FUnit = d.AzimuthPage.PowerType == ptRF ? ptRF : ptRP;
    LoadUI();
    Changed();
}

void TfrmFMAzimuth::LoadUI() {
    TBroadcastDesign& d = WorkingDesign();
    if (AzFMPatternList.Count() > 0)
        OnFMPatternSelection(PreselectedIndex(
            AzFMPatternList.Count(), [&](int i) { return AzFMPatternList.AzFMPattern(i).PatternCode; },
            d.AzimuthPage.FMPattern.PatternCode));
    if (FRotationEntry != d.AzimuthPage.Angle()) SetRotation(d.AzimuthPage.Angle());
}

void TfrmFMAzimuth::OnFMPatternSelection(int index) {
    if (index < 0 || index >= AzFMPatternList.Count()) return;
    TAzFMPattern& p = AzFMPatternList.AzFMPattern(index);
    FFMIndex = index;
    FCurrentAzFMPattern = &p;
    Show(p);
    WorkingDesign().AzimuthPage.FMPattern.Assign(p);
    ShowPatternInfo();
    NextButton.SetEnabled(true);
    FPatternCaption = p.PatternID;
    Changed();
}

std::vector<TListLine> TfrmFMAzimuth::FMLines() const {
    std::vector<TListLine> lines;
    for (int i = 0; i < AzFMPatternList.Count(); ++i)
        lines.push_back({AzFMPatternList.Item(i).PatternCode, AzFMPatternList.Item(i).Desc});
    return lines;
}

}  // namespace velmo
