#include "wizard/custompages.h"

#include "base/numbers.h"
#include "model/design.h"
#include "wizard/wizardflags.h"

namespace velmo {

namespace {

bool ValidGain(const std::string& text) {
    double v = 0;
    return TryStrToFloat(text, v) && v != 0;
}

}  // namespace

// ---- shared ----

void TCustomPageBase::SetUI() { FVertVisible = IsTV() && WorkingDesign().OptionsPage.PolCode == "E"; }

bool TCustomPageBase::Validate() {
    bool valid = ValidGain(FHorz.Text);
    if (FVertVisible) valid = valid && ValidGain(FVert.Text);
    NextButton.SetEnabled(valid);
    return valid;
}

void TCustomPageBase::GainChange(TGainField& field, const std::string& text, bool vertical) {
    field.Text = text;
    double v = 0;
    if (TryStrToFloat(text, v)) {
        StoreGain(vertical, v);
        field.dBText = FormatFixed(StoreddB(vertical), 2);
    } else {
        field.dBText.clear();
    }
    Validate();
    Changed();
}

void TCustomPageBase::EnterGains(bool showDesign, const std::string& horzDefault,
                                 const std::string& vertDefault) {
    SetUI();
    const std::string horz = showDesign ? FormatGeneral(StoredGain(false)) : horzDefault;
    GainChange(FHorz, horz, false);
    if (IsTV()) {
        const std::string vert = showDesign ? FormatGeneral(StoredGain(true)) : vertDefault;
        GainChange(FVert, vert, true);
    }
    Validate();
    Changed();
}

// ---- azimuth ----

void TCustomAzimuthBase::PageEnter() {
    EnterGains(DesignState == dsEdit || CustomElevationEntered(), "1", "1");
}

void TCustomAzimuthBase::PageExit() {
    const int n = IsTV() ? 2 : 1;
    for (int i = 0; i < n; ++i) {
        TAzPattern& p = Pattern(i == 1);
        p.PatternID = p.Gain() == 1 ? "NON-DIRECTIONAL" : "DIRECTIONAL";
    }
    if (DesignState == dsEdit) WorkingDesign().InitializeAnalisys();
}

void TCustomAzimuthBase::StoreGain(bool vertical, double gain) { Pattern(vertical).SetGain(gain); }
double TCustomAzimuthBase::StoredGain(bool vertical) const { return Pattern(vertical).Gain(); }
double TCustomAzimuthBase::StoreddB(bool vertical) const { return Pattern(vertical).GaindB; }

TAzPattern& TfrmCustomAzimuth::Pattern(bool vertical) const {
    TAzimuthPage& a = WorkingDesign().AzimuthPage;
    if (vertical) return a.VertPattern;
    return a.HorzPattern;
}

TAzPattern& TfrmFMCustomAzimuth::Pattern(bool) const { return WorkingDesign().AzimuthPage.FMPattern; }

// ---- elevation ----

void TCustomElevationBase::PageEnter() {
    CustomElevationEntered() = true;
    EnterGains(DesignState == dsEdit || LinesPageEntered(), DefaultGain(false), DefaultGain(true));
}

void TCustomElevationBase::PageExit() {
    const int n = IsTV() ? 2 : 1;
    for (int i = 0; i < n; ++i) Pattern(i == 1).DetailLabel = "CUSTOMER DEFINED";
    if (DesignState == dsEdit) WorkingDesign().InitializeAnalisys();
}

void TCustomElevationBase::StoreGain(bool vertical, double gain) { Pattern(vertical).SetGain(gain); }
double TCustomElevationBase::StoredGain(bool vertical) const { return Pattern(vertical).Gain(); }
double TCustomElevationBase::StoreddB(bool vertical) const { return Pattern(vertical).MainLobedBd; }

TElPattern& TfrmCustomElevation::Pattern(bool vertical) const {
    TElevationPage& e = WorkingDesign().ElevationPage;
    if (vertical) return e.VertPattern;
    return e.HorzPattern;
}

TElPattern& TfrmFMCustomElevation::Pattern(bool) const { return WorkingDesign().ElevationPage.FMPattern; }

}  // namespace velmo
