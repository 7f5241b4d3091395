#pragma once
// Wizard step 3 for catalog antennas: the elevation pattern pages. TV: a catalog
// pattern with its beam tilt; FM: a bay array computed from its tilt and null fills.
#include <string>
#include <vector>

#include "patterns/elpattern.h"
#include "wizard/listline.h"
#include "wizard/wizardpage.h"

namespace velmo {

// The plot settings an elevation page keeps: the angle range, the view and an offset
// (reset by every tilt change; the plot draws with offset 0).
struct TElevationDrawInfo {
    TRange Range;
    TViewType ViewType = vtPortrait;
    double Offset = 0;
};

// What both elevation pages share: range, view and unit choices, the gain fields and
// the points commands over the shown pattern.
class TElevationPageBase : public TWizardPage {
public:
    using TWizardPage::TWizardPage;

    // Null before a selection.
    const TElPattern* CurrentPattern() const { return FCurrentPattern; }

    // "-10 to 10" (rtFiveToTen) or "-10 to 90" (FiveToNinety).
    TRangeType RangeType() const { return FRangeType; }
    void SetPatternRange(TRangeType r);
    // "Portrait" or "Stretch".
    TViewType ViewType() const { return DrawInfo.ViewType; }
    void SetPatternView(TViewType v);
    // "Field" (ptRF) or "dB" (ptRP): the design's elevation unit follows at once.
    TPowerType Unit() const { return FUnit; }
    void SetUnit(TPowerType unit);

    // Gain fields, empty before a selection.
    const std::string& MainLobeText() const { return FMainLobeText; }
    const std::string& GainText() const { return FGainText; }
    const std::string& HorzdBdText() const { return FHorzdBdText; }
    const std::string& HorzNumText() const { return FHorzNumText; }
    const std::string& BeamWidthText() const { return FBeamWidthText; }
    // The PolID of the shown pattern.
    const std::string& PatternCaption() const { return FPatternCaption; }

    // The shown pattern's adjusted points on the clipboard (elevation export text).
    void CopyCurrentPattern();
    // Save dialog proposing PolID + ".pat", asking before overwriting.
    void ExportCurrentPattern();
    // PageExit, then the elevation report of the working design in the preview.
    void PrintPattern();

    TElevationDrawInfo DrawInfo;

protected:
    void ResetChoices();
    // View, range and unit from the design's elevation page.
    void LoadChoices();
    void CommitChoices();

    TElPattern* FCurrentPattern = nullptr;
    TRangeType FRangeType = rtFiveToTen;
    TPowerType FUnit = ptRF;
    std::string FMainLobeText;
    std::string FGainText;
    std::string FHorzdBdText;
    std::string FHorzNumText;
    std::string FBeamWidthText;
    std::string FPatternCaption;
};

class TfrmElevation : public TElevationPageBase {
public:
    using TElevationPageBase::TElevationPageBase;

    void PageEnter() override;
    // Commits the current patterns; edit mode starts the power analysis over.
    void PageExit() override;

    void GetPatterns();
    void SetUI();
    void LoadUI();
    void ResetFields();
    void SetFields();
    void OnHorzPatternSelection(int index);
    // Ignored while no horizontal pattern is current.
    void OnVertPatternSelection(int index);

    std::vector<TListLine> HorzLines() const;
    std::vector<TListLine> VertLines() const;
    int HorzIndex() const { return FHorzIndex; }
    int VertIndex() const { return FVertIndex; }
    bool VertListVisible() const { return FVertListVisible; }
    static constexpr const char* kVertCaption = "Select Vertical Pattern";

    // The beam tilt field: limits of the shown pattern (equal limits mean no limit and
    // no arrows), steps of 0.25, no typing.
    double Beamtilt() const { return FBeamtilt; }
    double BeamtiltMin() const { return FBeamtiltMin; }
    double BeamtiltMax() const { return FBeamtiltMax; }
    bool BeamtiltArrows() const { return FBeamtiltMin != FBeamtiltMax; }
    // An arrow press: `steps` times 0.25, brought inside the limits.
    void StepBeamtilt(int steps);

    THorzPattern* CurrentHorzPattern() const { return FCurrentHorzPattern; }
    TVertPattern* CurrentVertPattern() const { return FCurrentVertPattern; }

    std::string VertPatternCode;
    THorzPatternList HorzPatternList;

    static constexpr double kBeamtiltStep = 0.25;

private:
    void SetVertPattern();
    // Writes the field (brought inside the limits) and runs the tilt change when the
    // field or the shown pattern's tilt differs from it.
    void SetBeamtiltField(double value);
    void BeamtiltChange();
    void ShowHorizon();

    THorzPattern* FCurrentHorzPattern = nullptr;
    TVertPattern* FCurrentVertPattern = nullptr;
    int FHorzIndex = -1;
    int FVertIndex = -1;
    bool FVertListVisible = false;
    double FBeamtilt = 0;
    double FBeamtiltMin = 0;
    double FBeamtiltMax = 0;
};

class TfrmFMElevation : public TElevationPageBase {
public:
    explicit TfrmFMElevation(TWizardButton& nextButton);
    ~TfrmFMElevation() override;

    // Also routes the model's tilt-limit message to a warning box while the page lives.
    void PageEnter() override;
    // Commits the current pattern; edit mode starts the power analysis over.
    void PageExit() override;
    // As PageExit without the power analysis.
    void PageBack() override;
    // Gives the model's message hook back.
    void Final() override;

    void GetPatterns();
    void LoadUI();
    void ResetFields();
    void SetFields();
    void OnFMPatternSelection(int index);

    std::vector<TListLine> FMLines() const;
    int FMIndex() const { return FFMIndex; }

    // The field values of the shown pattern (0 before a selection).
    double Beamtilt() const { return FBeamtilt; }
    double FirstNullFill() const { return FFirstNullFill; }
    double SecondNullFill() const { return FSecondNullFill; }
    // The second fill field: RNVX and TGX only.
    bool SecondNullFillEnabled() const { return FSecondNullFillEnabled; }

    // Arrow presses (no typing): each recomputes the pattern, the fields and the plot.
    void StepBeamtilt(int steps);
    void StepFirstNullFill(int steps);
    void StepSecondNullFill(int steps);

    TFMPattern* CurrentFMPattern() const { return FCurrentFMPattern; }

    TFMPatternList FMPatternList;

    static constexpr double kTiltMin = -1.25, kTiltMax = 0, kTiltStep = 0.05;
    static constexpr double kFirstFillMax = 15, kSecondFillMax = 10;

private:
    void Commit();
    void Refresh();

    TFMPattern* FCurrentFMPattern = nullptr;
    int FFMIndex = -1;
    double FBeamtilt = 0;
    double FFirstNullFill = 0;
    double FSecondNullFill = 0;
    bool FSecondNullFillEnabled = false;
    bool FHookInstalled = false;
    TElMessageHandler FSavedHandler;
};

}  // namespace velmo
