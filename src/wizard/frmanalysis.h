#pragma once
// Wizard step 5: the power analysis of the working design, for TV (TfrmAnalysis) and
// FM (TfrmFMAnalysis). The user enters the figure they know — transmitter power or
// horizontal ERP, on the FM page the component losses, on the TV page for some
// families the vertical / horizontal ratio — and every other figure follows. The
// analysis's limit events, attached while the page is shown, become the warnings.
#include <array>
#include <string>

#include "analysis/power.h"
#include "wizard/wizardpage.h"

namespace velmo {

// Every figure the pages show.
enum TAnalysisField {
    afERPkWHorz,
    afERPdBkHorz,
    afERPkWVert,
    afERPdBkVert,
    afVerticalRatio,
    afGainRatioHorz,
    afGaindBdHorz,
    afGainRatioVert,
    afGaindBdVert,
    afAntennaInputkW,
    afAntennaInputdBk,
    afLineLosskW,
    afLineLossdB,
    afEfficiency,
    afTransmitterPowerkW,
    afTransmitterPowerdBk,
    afIsolationLossDB,
    afFilterLossDB,
    afCirculatorLossDB,
    afFieldCount
};

struct TAnalysisFieldState {
    std::string Text;
    bool Visible = true;
    // An entry the user types into (kW entries, the FM losses).
    bool Entry = false;
    // The text being typed has not been committed yet (shown in red).
    bool Typing = false;
};

class TAnalysisPageBase : public TWizardPage {
public:
    static constexpr const char* LineMaxText = "Transmission line power at maximum.";
    static constexpr const char* InputMaxText = "Antenna Input (kW) at maximum.";

    explicit TAnalysisPageBase(TWizardButton& nextButton, bool fm);
    ~TAnalysisPageBase() override;

    void PageEnter() override;
    void PageExit() override { DetachEvents(); }
    void PageBack() override { DetachEvents(); }
    void Final() override { DetachEvents(); }

    const char* Heading() const;
    bool IsFM() const { return FFM; }

    const TAnalysisFieldState& Field(TAnalysisField f) const { return FFields[f]; }
    // Keys an entry takes while typing: digits, "-", ".", the locale's decimal
    // separator and backspace ('\b'); every other key is ignored.
    static bool EntryAcceptsKey(char key);
    // The text of an entry as typed (the view filters the keys); shown in red until
    // committed.
    void EditEntry(TAnalysisField f, const std::string& text);
    // Leaving the entry commits it when its text was typed into (a field passed
    // through with Tab keeps its figure unrounded).
    void LeaveEntry(TAnalysisField f);
    // Enter, or leaving an edited entry: the text is read as a number (0 when it is not one),
    // written back in plain form, the entry's handler runs and the text turns black.
    void CommitEntry(TAnalysisField f);
    // The number an entry's text commits as.
    static double EntryValue(const std::string& text);

    // The warnings: the general one (line or input limit) and the ERP one. The ERP
    // text breaks its lines with "\r".
    bool WarningVisible() const { return FWarningVisible; }
    const std::string& WarningText() const { return FWarningText; }
    bool ERPWarningVisible() const { return FERPWarningVisible; }
    const std::string& ERPWarningText() const { return FERPWarningText; }

    // The line summary.
    const std::string& LineType() const { return FLineType; }
    const std::string& LineDescription() const { return FLineDescription; }
    const std::string& VertLengthText() const { return FVertLengthText; }
    const std::string& HorzLengthText() const { return FHorzLengthText; }
    const std::string& AttenuationText() const { return FAttenuationText; }

    virtual void LoadFields();
    void FillLineFields();
    virtual void SetUI() = 0;

    void OnLineMax(TPowerAnalysis& sender, bool check);
    void OnInputMax(TPowerAnalysis& sender, bool check);
    void OnERPMax(TPowerAnalysis& sender, bool check);
    // The ERP limit as the warning writes it.
    virtual std::string ERPLimitText() const = 0;

protected:
    TPowerAnalysis& Analysis() const;
    // Runs the handler of a committed entry.
    virtual void EntryChanged(TAnalysisField f, double value);
    void HideWarning() { FWarningVisible = false; }
    void SetText(TAnalysisField f, double v, int decimals);

    std::array<TAnalysisFieldState, afFieldCount> FFields;

private:
    void AttachEvents();
    void DetachEvents();

    bool FFM;
    bool FAttached = false;
    bool FWarningVisible = false;
    std::string FWarningText;
    bool FERPWarningVisible = false;
    std::string FERPWarningText;
    std::string FLineType, FLineDescription, FVertLengthText, FHorzLengthText, FAttenuationText;
};

class TfrmAnalysis : public TAnalysisPageBase {
public:
    static constexpr int MinRatio = 0;
    static constexpr int MaxRatio = 100;

    explicit TfrmAnalysis(TWizardButton& nextButton) : TAnalysisPageBase(nextButton, false) {}

    void SetUI() override;
    void LoadFields() override;
    std::string ERPLimitText() const override;

    // The vertical / horizontal ratio spin field (whole percent, steps of 1, no typing).
    int Ratio() const { return FRatio; }
    bool RatioVisible() const { return FRatioVisible; }
    // Up/down buttons and a normal background; otherwise read-only and silver.
    bool RatioEditable() const { return FRatioEditable; }
    // The spin field changed (ignored while it is read-only); kept within 0 … 100.
    void SetRatio(int value);
    // The "Vertical" captions and the four vertical fields.
    bool VerticalVisible() const { return FVerticalVisible; }

private:
    int FRatio = 0;
    bool FRatioVisible = false;
    bool FRatioEditable = false;
    bool FVerticalVisible = false;
};

class TfrmFMAnalysis : public TAnalysisPageBase {
public:
    explicit TfrmFMAnalysis(TWizardButton& nextButton) : TAnalysisPageBase(nextButton, true) {}

    void SetUI() override;
    std::string ERPLimitText() const override;
    // "Horz or Vert" (circular), "Horizontal" or "Vertical".
    const std::string& ERPCaption() const { return FERPCaption; }

private:
    std::string FERPCaption = "Horizontal";
};

}  // namespace velmo
