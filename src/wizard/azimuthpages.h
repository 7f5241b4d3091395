#pragma once
// Wizard step 2 for catalog antennas: the azimuth pattern pages. The user picks a
// pattern from the catalog of the antenna chosen on step 1, turns it by a rotation,
// views it in relative field or dB, copies, exports and prints its points. Every
// selection is copied into the working design's azimuth page object at once.
#include <string>
#include <vector>

#include "patterns/azpattern.h"
#include "wizard/listline.h"
#include "wizard/wizardpage.h"

namespace velmo {

// The file dialog filter of Export Points on the pattern pages.
inline constexpr const char* kPatFileFilter = "PAT Files (*.pat)|*.pat|All Files (*.*)|*.*";

// What both azimuth pages share: the rotation, the unit, the gain fields and the
// points commands over the shown pattern.
class TAzimuthPageBase : public TWizardPage {
public:
    using TWizardPage::TWizardPage;

    // The pattern shown: its gain is displayed, the plot draws it, Copy, Export and
    // Print use it. Null before a selection.
    const TAzPattern* CurrentPattern() const { return FCurrentPattern; }
    // The shown pattern has at least one point.
    bool CanPrint() const;

    // The rotation entry as typed; the pattern turns by it rounded to a whole degree
    // (halves to even). No limits.
    double RotationEntry() const { return FRotationEntry; }
    int32_t Rotation() const;
    void SetRotation(double entry);

    // "Field" (ptRF) or "dB" (ptRP): the design's azimuth unit follows at once.
    TPowerType Unit() const { return FUnit; }
    void SetUnit(TPowerType unit);

    // Gain fields: numeric and dB, "%.2f"; empty before a selection.
    const std::string& GainText() const { return FGainText; }
    const std::string& GaindBText() const { return FGaindBText; }
    // The PatternID of the shown pattern.
    const std::string& PatternCaption() const { return FPatternCaption; }

    // Puts the shown pattern's points on the clipboard (azimuth export text).
    void CopyCurrentPattern();
    // Save dialog proposing PatternID + ".pat", asking before overwriting; then the
    // points are written to the chosen file.
    void ExportCurrentPattern();
    // PageExit, then the azimuth report of the working design in the preview.
    void PrintPattern();

    // Edit mode: the power analysis starts over. The unit goes into the design.
    void PageExit() override;

protected:
    void ResetFields();
    void ShowPatternInfo();
    // The shown pattern becomes `p`, turned by the rounded rotation and loaded.
    void Show(TAzPattern& p);

    TAzPattern* FCurrentPattern = nullptr;
    double FRotationEntry = 0;
    TPowerType FUnit = ptRF;
    std::string FGainText;
    std::string FGaindBText;
    std::string FPatternCaption;
};

class TfrmAzimuth : public TAzimuthPageBase {
public:
    explicit TfrmAzimuth(TWizardButton& nextButton);

    void PageEnter() override;

    // The candidates of the design's antenna, then the lists.
    std::vector<std::string> GetPatterns();
    void DoGetSetPatterns();
    void SetUI();
    void LoadUI();
    // A click in the horizontal list (index into HorzPatternList).
    void OnHorzPatternSelection(int index);
    // A click in the vertical list (index into the current horizontal pattern's
    // VertPatterns); ignored while no horizontal pattern is current.
    void OnVertPatternSelection(int index);

    // The list boxes: one line per pattern, PatternCode and Desc; -1 for none marked.
    std::vector<TListLine> HorzLines() const;
    std::vector<TListLine> VertLines() const;
    int HorzIndex() const { return FHorzIndex; }
    int VertIndex() const { return FVertIndex; }
    // The vertical list and its caption: elliptical designs only.
    bool VertListVisible() const { return FVertListVisible; }
    // The partial-set note of the elliptical KLX families.
    bool NoteVisible() const { return FNoteVisible; }

    static constexpr const char* kVertCaption = "Select Vertical Pattern";
    static constexpr const char* kNote =
        "VPOL patterns provided are only a partial set of possible patterns that can be "
        "produced. Contact your Orvane sales representative for additional information.";

    TAzHorzPattern* CurrentHorzPattern() const { return FCurrentHorzPattern; }
    TAzVertPattern* CurrentVertPattern() const { return FCurrentVertPattern; }

    std::string VertPatternCode;
    TAzHorzPatternList HorzPatternList;
    TPatternDetails PatternDetails;

private:
    void SetVertPattern();

    TAzHorzPattern* FCurrentHorzPattern = nullptr;
    TAzVertPattern* FCurrentVertPattern = nullptr;
    int FHorzIndex = -1;
    int FVertIndex = -1;
    bool FVertListVisible = false;
    bool FNoteVisible = false;
};

class TfrmFMAzimuth : public TAzimuthPageBase {
public:
    explicit TfrmFMAzimuth(TWizardButton& nextButton);

    void PageEnter() override;

    std::vector<std::string> GetPatterns();
    void DoGetSetPatterns();
    void LoadUI();
    void OnFMPatternSelection(int index);

    std::vector<TListLine> FMLines() const;
    int FMIndex() const { return FFMIndex; }

    static constexpr const char* kNote =
        "If you need a directional azimuth pattern, please contact your Orvane sales "
        "representative for additional information.";

    TAzFMPattern* CurrentAzFMPattern() const { return FCurrentAzFMPattern; }

    TAzFMPatternList AzFMPatternList;
    TPatternDetails PatternDetails;

private:
    TAzFMPattern* FCurrentAzFMPattern = nullptr;
    int FFMIndex = -1;
};

}  // namespace velmo
