#pragma once
// Wizard steps 2 and 3 for custom antennas (family "CTM"): no catalog, no points; the
// user types the gains, which reach the working design while they are typed.
#include <string>

#include "wizard/wizardpage.h"

namespace velmo {

class TAzPattern;
class TElPattern;

// One gain entry with the read-only decibel field beside it.
struct TGainField {
    std::string Text;
    std::string dBText;
};

// The shared part: a horizontal (or the one FM) gain field and, on the TV pages, a
// vertical one shown for elliptical polarization only.
class TCustomPageBase : public TWizardPage {
public:
    using TWizardPage::TWizardPage;

    // Enables Next exactly when the page is valid, and returns it. A field is valid
    // when its text is a decimal number other than 0.
    bool Validate();
    // The vertical panel (TV pages, polarization "E").
    bool VertVisible() const { return FVertVisible; }
    void SetUI();

    const TGainField& HorzField() const { return FHorz; }
    const TGainField& VertField() const { return FVert; }

protected:
    // Stores a valid number as the gain and shows its dB value; anything else clears
    // the dB field and leaves the design alone. Then Validate.
    void GainChange(TGainField& field, const std::string& text, bool vertical);
    void EnterGains(bool showDesign, const std::string& horzDefault, const std::string& vertDefault);
    virtual void StoreGain(bool vertical, double gain) = 0;
    virtual double StoredGain(bool vertical) const = 0;
    virtual double StoreddB(bool vertical) const = 0;
    virtual bool IsTV() const = 0;

    TGainField FHorz;
    TGainField FVert;
    bool FVertVisible = false;
};

class TCustomAzimuthBase : public TCustomPageBase {
public:
    using TCustomPageBase::TCustomPageBase;
    // Design values in edit mode or once a custom elevation page was entered, "1"
    // otherwise.
    void PageEnter() override;
    // "NON-DIRECTIONAL" for a gain of exactly 1, "DIRECTIONAL" otherwise; edit mode
    // starts the power analysis over.
    void PageExit() override;

protected:
    virtual TAzPattern& Pattern(bool vertical) const = 0;
    void StoreGain(bool vertical, double gain) override;
    double StoredGain(bool vertical) const override;
    double StoreddB(bool vertical) const override;
};

class TCustomElevationBase : public TCustomPageBase {
public:
    using TCustomPageBase::TCustomPageBase;
    // Sets CustomElevationEntered; design values in edit mode or once the line page
    // was entered, defaults otherwise.
    void PageEnter() override;
    // "CUSTOMER DEFINED" labels; edit mode starts the power analysis over.
    void PageExit() override;

protected:
    virtual TElPattern& Pattern(bool vertical) const = 0;
    virtual std::string DefaultGain(bool vertical) const = 0;
    void StoreGain(bool vertical, double gain) override;
    double StoredGain(bool vertical) const override;
    double StoreddB(bool vertical) const override;
};

class TfrmCustomAzimuth : public TCustomAzimuthBase {
public:
    using TCustomAzimuthBase::TCustomAzimuthBase;
    void txtAzHorzGainChange(const std::string& text) { GainChange(FHorz, text, false); }
    void txtAzVertGainChange(const std::string& text) { GainChange(FVert, text, true); }
    static constexpr const char* kTitle = "Custom Azimuth";

protected:
    TAzPattern& Pattern(bool vertical) const override;
    bool IsTV() const override { return true; }
};

class TfrmFMCustomAzimuth : public TCustomAzimuthBase {
public:
    using TCustomAzimuthBase::TCustomAzimuthBase;
    void txtAzFMGainChange(const std::string& text) { GainChange(FHorz, text, false); }
    static constexpr const char* kTitle = "Custom FM Azimuth";

protected:
    TAzPattern& Pattern(bool vertical) const override;
    bool IsTV() const override { return false; }
};

class TfrmCustomElevation : public TCustomElevationBase {
public:
    using TCustomElevationBase::TCustomElevationBase;
    void txtHorzGainChange(const std::string& text) { GainChange(FHorz, text, false); }
    void txtVertGainChange(const std::string& text) { GainChange(FVert, text, true); }
    static constexpr const char* kTitle = "Custom Elevation";

protected:
    TElPattern& Pattern(bool vertical) const override;
    std::string DefaultGain(bool vertical) const override { return vertical ? "13" : "15"; }
    bool IsTV() const override { return true; }
};

class TfrmFMCustomElevation : public TCustomElevationBase {
public:
    using TCustomElevationBase::TCustomElevationBase;
    void txtFMGainChange(const std::string& text) { GainChange(FHorz, text, false); }
    static constexpr const char* kTitle = "Custom FM Elevation";

protected:
    TElPattern& Pattern(bool vertical) const override;
    std::string DefaultGain(bool) const override { return "1"; }
    bool IsTV() const override { return false; }
};

}  // namespace velmo
