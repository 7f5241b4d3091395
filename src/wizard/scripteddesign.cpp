#include "wizard/scripteddesign.h"

#include <cmath>
#include <cstdio>
#include <optional>

#include "base/error.h"
#include "base/numbers.h"
#include "base/warnings.h"
#include "wizard/azimuthpages.h"
#include "wizard/custompages.h"
#include "wizard/designinfo.h"
#include "wizard/elevationpages.h"
#include "wizard/fmoptions.h"
#include "wizard/frmanalysis.h"
#include "wizard/frmcustomline.h"
#include "wizard/frmlines.h"
#include "wizard/options.h"
#include "wizard/userinterface.h"
#include "wizard/wizard.h"
#include "wizard/wizardflags.h"

namespace velmo {
namespace {

// ---- the headless answers ---------------------------------------------------------------

// Message boxes become warnings; nothing else may be asked.
class THeadlessUI : public TUserInterface {
public:
    TMsgResult Message(TMsgKind, const std::string& text, TMsgButtons buttons) override {
        Warn(text);
        return buttons == TMsgButtons::Ok || buttons == TMsgButtons::OkCancel ? TMsgResult::Ok
                                                                               : TMsgResult::No;
    }
    std::optional<std::string> OpenFileName(const TFileDialogSpec&) override { return {}; }
    std::optional<std::string> SaveFileName(const TFileDialogSpec&) override { return {}; }
    void SetClipboardText(const std::string&) override {}
    void PreviewReport(TBroadcastDesign&, TReportRequest) override {}
};

class THeadlessScope {
public:
    explicit THeadlessScope(TCustomLineDialogHook hook) : FPrevious(&UI()) {
        SetUI(&FUI);
        FPreviousHook = SetCustomLineDialogHook(std::move(hook));
    }
    ~THeadlessScope() {
        SetCustomLineDialogHook(std::move(FPreviousHook));
        SetUI(FPrevious);
    }
    THeadlessScope(const THeadlessScope&) = delete;
    THeadlessScope& operator=(const THeadlessScope&) = delete;

private:
    THeadlessUI FUI;
    TUserInterface* FPrevious;
    TCustomLineDialogHook FPreviousHook;
};

// ---- messages ---------------------------------------------------------------------------

std::string Num(double v) { return FormatGeneral(v); }

std::string Join(const std::vector<std::string>& items) {
    if (items.empty()) return "nothing";
    std::string out;
    for (const auto& s : items) out += (out.empty() ? "" : ", ") + s;
    return out;
}

[[noreturn]] void Refuse(int step, const std::string& text) {
    throw Error("step " + FormatInt(step) + ": " + text);
}

[[noreturn]] void NotOffered(int step, const std::string& what, const std::string& where) {
    Refuse(step, what + " is not offered " + where);
}

std::string Quote(const std::string& s) { return "'" + s + "'"; }

bool Same(double a, double b) { return std::fabs(a - b) < 1e-9; }

std::vector<std::string> EnabledKeys(const TOptionGroup& g) {
    std::vector<std::string> out;
    for (const auto& b : g)
        if (b.Enabled && (out.empty() || out.back() != b.Key)) out.push_back(b.Key);
    return out;
}

std::string SelectedKey(const TOptionGroup& g) {
    const int i = SelectedIndex(g);
    return i < 0 ? std::string() : g[static_cast<size_t>(i)].Key;
}

const char* MarketKey(TMarketType m) {
    switch (m) {
        case mtEurope: return "Euro";
        case mtAustralia: return "Aus";
        case mtUS:
        default: return "US";
    }
}

// The whole-number steps from `from` to `to` of size `step`, or nothing when `to` is
// not on that grid.
std::optional<int> StepsTo(double from, double to, double step) {
    const double n = std::nearbyint((to - from) / step);
    if (!Same(from + n * step, to)) return std::nullopt;
    return static_cast<int>(n);
}

// ---- step 1 -----------------------------------------------------------------------------

std::string ChannelText(const TfrmOptions& p) {
    return "channel " + p.CurrentChannel().ChannelNumber + " (" + MarketKey(p.Market()) + ")";
}

void ApplyTVOptions(TfrmOptions& p, const TDesignChoices& c) {
    const char* const where = "on step 1 of a TV design";
    if (c.Feed) NotOffered(1, "feed", where);
    if (c.Radome) NotOffered(1, "radome", where);
    if (c.Deicer) NotOffered(1, "deicer", where);
    if (c.StationClass) NotOffered(1, "station class", where);
    if (c.MaxERP) NotOffered(1, "maximum ERP", where);
    // An edit keeps the design's family; a family the page cannot show any more is
    // not replaced by the page's first one without being asked.
    const TOptionsPage& held = WorkingDesign().OptionsPage;
    if (p.DesignState == dsEdit && !c.Family && !c.PowerClass && !c.Channel && !c.Market &&
        (p.PageData().FamilyID != held.FamilyID || p.PageData().PowerCode != held.PowerCode))
        Refuse(1, "the design's family " + Quote(held.FamilyID) + " is not offered for " + ChannelText(p) +
                      "; offered: " + Join(EnabledKeys(p.FamilyOptions())));
    if (c.Market) {
        int index = -1;
        for (size_t i = 0; i < p.MarketOptions().size(); ++i)
            if (p.MarketOptions()[i].Key == *c.Market) index = static_cast<int>(i);
        if (index < 0 || !p.SelectMarket(static_cast<TMarketType>(index)))
            Refuse(1, "market " + Quote(*c.Market) + " is not offered; offered: " +
                          Join(EnabledKeys(p.MarketOptions())));
    }
    if (c.Channel && !p.PickChannelByNumber(*c.Channel)) {
        std::vector<std::string> numbers;
        for (int i = 0; i < p.Channels().Count(); ++i)
            numbers.push_back(p.Channels().Channel(i).ChannelNumber);
        Refuse(1, "channel " + Quote(*c.Channel) + " is not offered for market " +
                      MarketKey(p.Market()) + "; offered: " + Join(numbers));
    }
    if (c.Family || c.PowerClass) {
        const std::string key = c.Family ? *c.Family : SelectedKey(p.FamilyOptions());
        const std::string power = c.PowerClass ? *c.PowerClass : "";
        if (!p.SelectFamily(key, power)) {
            std::vector<std::string> powers;
            for (const auto& b : p.FamilyOptions())
                if (b.Enabled && b.Key == key) powers.push_back(b.PowerCode);
            if (powers.empty())
                Refuse(1, "family " + Quote(key) + " is not offered for " + ChannelText(p) +
                              "; offered: " + Join(EnabledKeys(p.FamilyOptions())));
            Refuse(1, "power class " + Quote(power) + " of family " + key + " is not offered for " +
                          ChannelText(p) + "; offered: " + Join(powers));
        }
    }
    const std::string family = SelectedKey(p.FamilyOptions());
    if (c.Mount && !p.SelectMount(*c.Mount))
        Refuse(1, "mount " + Quote(*c.Mount) + " is not offered for family " + family +
                      "; offered: " + Join(EnabledKeys(p.MountOptions())));
    if (c.Pol && !p.SelectPol(*c.Pol))
        Refuse(1, "polarization " + Quote(*c.Pol) + " is not offered for family " + family +
                      "; offered: " + Join(EnabledKeys(p.PolOptions())));
    if (c.Service) {
        const bool ok = (*c.Service == "A" && p.SelectService(stAnalog)) ||
                        (*c.Service == "D" && p.SelectService(stDigital));
        if (!ok)
            Refuse(1, "service " + Quote(*c.Service) + " is not offered for " + ChannelText(p) +
                          "; offered: " + Join(EnabledKeys(p.ServiceOptions())));
    }
    if (c.Frequency) {
        if (!p.FMFrequencyVisible())
            NotOffered(1, "FM frequency", "for " + ChannelText(p) + "; offered for channel FM");
        const double f = *c.Frequency;
        if (!(f > 88 && f < 108))
            Refuse(1, "FM frequency " + Num(f) + " is not offered; offered: above 88 and below 108 MHz");
        p.SetFMFrequencyText(Num(f));
    }
    if (c.VerticalComponent) {
        if (!p.VerticalComponentVisible())
            NotOffered(1, "vertical component", "for family " + family + " with polarization " +
                                                    SelectedKey(p.PolOptions()));
        const double v = *c.VerticalComponent;
        if (!(v >= 0 && v <= 100) || v != std::nearbyint(v))
            Refuse(1, "vertical component " + Num(v) + " is not offered; offered: 0 to 100 percent in whole steps");
        p.SetVerticalComponent(static_cast<int>(v));
    }
    if (c.HighWind) {
        if (!p.HighWindVisible())
            NotOffered(1, "high wind", "for family " + family + " with mount " +
                                           SelectedKey(p.MountOptions()) + "; offered for KLX-UHF top mount");
        p.SetHighWind(*c.HighWind);
    }
    if (c.CustomLabel) {
        if (!p.CustomLabelVisible()) NotOffered(1, "custom label", "for family " + family);
        p.SetCustomLabelText(*c.CustomLabel);
    }
}

void ApplyFMOptions(TfrmFMOptions& p, const TDesignChoices& c) {
    const char* const where = "on step 1 of an FM design";
    if (c.Market) NotOffered(1, "market", where);
    if (c.Service) NotOffered(1, "service", where);
    if (c.PowerClass) NotOffered(1, "power class", where);
    if (c.VerticalComponent) NotOffered(1, "vertical component", where);
    if (c.HighWind) NotOffered(1, "high wind", where);
    const std::string heldFamily = WorkingDesign().OptionsPage.FamilyID;
    if (p.DesignState == dsEdit && !c.Family && !c.Channel && !c.Frequency && !c.Pol &&
        p.PageData().FamilyID != heldFamily)
        Refuse(1, "the design's family " + Quote(heldFamily) + " is not offered for channel " +
                      p.PageData().Channel.ChannelNumber + " with polarization " + p.PageData().PolCode +
                      "; offered: " + Join(EnabledKeys(p.FamilyOptions())));
    if (c.Channel && !p.PickChannelByNumber(*c.Channel)) {
        const int n = p.Channels().Count();
        Refuse(1, "channel " + Quote(*c.Channel) + " is not offered; offered: " +
                      (n ? p.Channels().Channel(0).ChannelNumber + " to " +
                               p.Channels().Channel(n - 1).ChannelNumber
                         : std::string("nothing")));
    }
    if (c.Frequency) {
        int found = -1;
        for (int i = 0; i < p.Channels().Count(); ++i)
            if (Same(p.Channels().Channel(i).BegFreq, *c.Frequency)) found = i;
        if (found < 0) {
            const int n = p.Channels().Count();
            Refuse(1, "FM frequency " + Num(*c.Frequency) + " is not offered; offered: " +
                          (n ? Num(p.Channels().Channel(0).BegFreq) + " to " +
                                   Num(p.Channels().Channel(n - 1).BegFreq) + " MHz in steps of " + Num(0.2)
                             : std::string("nothing")));
        }
        p.PickChannel(found);
    }
    const std::string channel = "channel " + p.PageData().Channel.ChannelNumber;
    if (c.Pol && !p.SelectPol(*c.Pol))
        Refuse(1, "polarization " + Quote(*c.Pol) + " is not offered; offered: " +
                      Join(EnabledKeys(p.PolOptions())));
    if (c.Family && !p.SelectFamily(*c.Family))
        Refuse(1, "family " + Quote(*c.Family) + " is not offered for " + channel +
                      " with polarization " + p.PageData().PolCode + "; offered: " +
                      Join(EnabledKeys(p.FamilyOptions())));
    const std::string family = "family " + p.PageData().FamilyID;
    if (c.Mount && !p.SelectMount(*c.Mount))
        Refuse(1, "mount " + Quote(*c.Mount) + " is not offered for " + family + "; offered: " +
                      Join(EnabledKeys(p.MountOptions())));
    if (c.Feed && !p.SelectFeed(*c.Feed))
        Refuse(1, "feed " + Quote(*c.Feed) + " is not offered for " + family + "; offered: " +
                      Join(EnabledKeys(p.FeedOptions())));
    if (c.Radome) {
        if (!p.RadomeEnabled()) NotOffered(1, "radome", "for " + family);
        p.SetRadome(*c.Radome);
    }
    if (c.Deicer) {
        if (!p.DeicerEnabled()) NotOffered(1, "deicer", "for " + family);
        p.SetDeicer(*c.Deicer);
    }
    if (c.StationClass) {
        const auto& classes = TfrmFMOptions::StationClasses();
        int index = -1;
        long long n = 0;
        if (TryStrToInt(*c.StationClass, n) && n >= 1 && n <= static_cast<long long>(classes.size()))
            index = static_cast<int>(n - 1);
        for (size_t i = 0; i < classes.size() && index < 0; ++i)
            if (*c.StationClass == classes[i].Caption) index = static_cast<int>(i);
        if (index < 0) {
            std::vector<std::string> captions;
            for (size_t i = 0; i < classes.size(); ++i)
                captions.push_back(FormatInt(static_cast<long long>(i + 1)) + " " + classes[i].Caption);
            Refuse(1, "station class " + Quote(*c.StationClass) + " is not offered; offered: " +
                          Join(captions));
        }
        p.PressStationClass(index);
    }
    if (c.MaxERP) {
        const double v = *c.MaxERP;
        if (!(v > 0 && v <= 1000))
            Refuse(1, "maximum ERP " + Num(v) + " kW is not offered; offered: above 0 up to 1000 kW");
        p.SetERPText(Num(v));
        p.ERPEditDone();
    }
    if (c.CustomLabel) {
        if (!p.CustomLabelVisible()) NotOffered(1, "custom label", "for " + family);
        p.SetCustomLabelText(*c.CustomLabel);
    }
}

// ---- step 2 -----------------------------------------------------------------------------

std::string AntennaText() {
    const TOptionsPage& o = WorkingDesign().OptionsPage;
    std::string s = o.FamilyID;
    if (WorkingDesign().DesignInfo.SystemType == "TV" && !o.PowerCode.empty() && o.PowerCode != "N")
        s += " " + o.PowerCode;
    return s + " (polarization " + o.PolCode + ")";
}

int FindKey(const std::vector<TListLine>& lines, const std::string& key) {
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].Name == key) return static_cast<int>(i);
    return -1;
}

std::vector<std::string> Keys(const std::vector<TListLine>& lines) {
    std::vector<std::string> out;
    for (const auto& l : lines) out.push_back(l.Name);
    return out;
}

// The line named `key`, or the refusal "<refusal>; offered: <every key of the list>".
int PickLine(int step, const std::vector<TListLine>& lines, const std::string& key,
             const std::string& refusal) {
    const int i = FindKey(lines, key);
    if (i < 0) Refuse(step, refusal + "; offered: " + Join(Keys(lines)));
    return i;
}

double CheckGain(int step, const std::string& name, double v) {
    if (v == 0 || !std::isfinite(v))
        Refuse(step, name + " " + Num(v) + " is not offered; offered: a number other than 0");
    return v;
}

void ApplyAzimuth(TWizardPage& page, const TDesignChoices& c) {
    const bool custom = WorkingDesign().OptionsPage.FamilyID == "CTM";
    if (custom) {
        const char* const where = "for custom antennas";
        if (c.Azimuth) NotOffered(2, "azimuth pattern", where);
        if (c.VertAzimuth) NotOffered(2, "vertical azimuth pattern", where);
        if (c.Rotation) NotOffered(2, "rotation", where);
        if (auto* tv = dynamic_cast<TfrmCustomAzimuth*>(&page)) {
            if (c.AzimuthGain) tv->txtAzHorzGainChange(Num(CheckGain(2, "azimuth gain", *c.AzimuthGain)));
            if (c.VertAzimuthGain) {
                if (!tv->VertVisible()) NotOffered(2, "vertical azimuth gain", "for polarization H");
                tv->txtAzVertGainChange(Num(CheckGain(2, "vertical azimuth gain", *c.VertAzimuthGain)));
            }
        } else if (auto* fm = dynamic_cast<TfrmFMCustomAzimuth*>(&page)) {
            if (c.AzimuthGain) fm->txtAzFMGainChange(Num(CheckGain(2, "azimuth gain", *c.AzimuthGain)));
            if (c.VertAzimuthGain) NotOffered(2, "vertical azimuth gain", "for FM designs");
        }
        return;
    }
    if (c.AzimuthGain || c.VertAzimuthGain) NotOffered(2, "azimuth gain", "for catalog antennas");
    if (auto* tv = dynamic_cast<TfrmAzimuth*>(&page)) {
        if (c.Azimuth) {
            tv->OnHorzPatternSelection(PickLine(2, tv->HorzLines(), *c.Azimuth,
                                                "azimuth pattern " + Quote(*c.Azimuth) +
                                                    " is not in the catalog of " + AntennaText()));
        }
        if (c.VertAzimuth) {
            if (!tv->VertListVisible()) NotOffered(2, "vertical azimuth pattern", "for polarization H");
            tv->OnVertPatternSelection(PickLine(
                2, tv->VertLines(), *c.VertAzimuth,
                "vertical azimuth pattern " + Quote(*c.VertAzimuth) + " is not offered for azimuth pattern " +
                    WorkingDesign().AzimuthPage.HorzPattern.PatternCode + " of " + AntennaText()));
        }
        if (c.Rotation) tv->SetRotation(*c.Rotation);
    } else if (auto* fm = dynamic_cast<TfrmFMAzimuth*>(&page)) {
        if (c.VertAzimuth) NotOffered(2, "vertical azimuth pattern", "for FM designs");
        if (c.Azimuth) {
            fm->OnFMPatternSelection(PickLine(2, fm->FMLines(), *c.Azimuth,
                                              "azimuth pattern " + Quote(*c.Azimuth) +
                                                  " is not in the catalog of " + AntennaText()));
        }
        if (c.Rotation) fm->SetRotation(*c.Rotation);
    }
}

// ---- step 3 -----------------------------------------------------------------------------

std::string TVTiltRange(const TfrmElevation& p) {
    if (!p.BeamtiltArrows()) return Num(p.Beamtilt()) + " only";
    return Num(p.BeamtiltMin()) + " to " + Num(p.BeamtiltMax()) + " in steps of " + Num(TfrmElevation::kBeamtiltStep);
}

std::string FMTiltRange() {
    return Num(TfrmFMElevation::kTiltMin) + " to " + Num(TfrmFMElevation::kTiltMax) +
           " in steps of " + Num(TfrmFMElevation::kTiltStep);
}

std::string BaysText(const TFMPattern& p) {
    return FormatInt(p.BayCount) + " bays, spacing " + Num(p.BaySpacing);
}

void ApplyElevation(TWizardPage& page, const TDesignChoices& c) {
    const bool custom = WorkingDesign().OptionsPage.FamilyID == "CTM";
    const bool fmDesign = WorkingDesign().DesignInfo.SystemType == "FM";
    if (!fmDesign || custom) {
        const char* const where = fmDesign ? "for custom antennas" : "for TV designs";
        if (c.Bays) NotOffered(3, "bays", where);
        if (c.Spacing) NotOffered(3, "spacing", where);
        if (c.FirstNullFill) NotOffered(3, "first null fill", where);
        if (c.SecondNullFill) NotOffered(3, "second null fill", where);
    }
    if (custom) {
        const char* const where = "for custom antennas";
        if (c.Elevation) NotOffered(3, "elevation pattern", where);
        if (c.VertElevation) NotOffered(3, "vertical elevation pattern", where);
        if (c.Tilt) NotOffered(3, "beam tilt", where);
        if (auto* tv = dynamic_cast<TfrmCustomElevation*>(&page)) {
            if (c.ElevationGain) tv->txtHorzGainChange(Num(CheckGain(3, "elevation gain", *c.ElevationGain)));
            if (c.VertElevationGain) {
                if (!tv->VertVisible()) NotOffered(3, "vertical elevation gain", "for polarization H");
                tv->txtVertGainChange(Num(CheckGain(3, "vertical elevation gain", *c.VertElevationGain)));
            }
        } else if (auto* fm = dynamic_cast<TfrmFMCustomElevation*>(&page)) {
            if (c.ElevationGain) fm->txtFMGainChange(Num(CheckGain(3, "elevation gain", *c.ElevationGain)));
            if (c.VertElevationGain) NotOffered(3, "vertical elevation gain", "for FM designs");
        }
        return;
    }
    if (c.ElevationGain || c.VertElevationGain) NotOffered(3, "elevation gain", "for catalog antennas");
    if (auto* tv = dynamic_cast<TfrmElevation*>(&page)) {
        if (c.Elevation) {
            tv->OnHorzPatternSelection(PickLine(
                3, tv->HorzLines(), *c.Elevation,
                "elevation pattern " + Quote(*c.Elevation) + " is not offered for azimuth pattern " +
                    WorkingDesign().AzimuthPage.HorzPattern.PatternCode + " of " + AntennaText()));
        }
        if (c.VertElevation) {
            if (!tv->VertListVisible()) NotOffered(3, "vertical elevation pattern", "for polarization H");
            tv->OnVertPatternSelection(PickLine(3, tv->VertLines(), *c.VertElevation,
                                                "vertical elevation pattern " +
                                                    Quote(*c.VertElevation) + " is not offered"));
        }
        if (c.Tilt && tv->CurrentPattern()) {
            const double t = *c.Tilt;
            const std::string beyond = "beam tilt " + Num(t) + " is beyond the limits of elevation pattern " +
                                       tv->PatternCaption() + "; offered: " + TVTiltRange(*tv);
            if (!tv->BeamtiltArrows()) {
                if (!Same(t, tv->Beamtilt())) Refuse(3, beyond);
            } else {
                if (t < tv->BeamtiltMin() - 1e-9 || t > tv->BeamtiltMax() + 1e-9) Refuse(3, beyond);
                const auto steps = StepsTo(tv->Beamtilt(), t, TfrmElevation::kBeamtiltStep);
                if (!steps)
                    Refuse(3, "beam tilt " + Num(t) + " is not offered for elevation pattern " +
                                  tv->PatternCaption() + "; offered: " + TVTiltRange(*tv));
                tv->StepBeamtilt(*steps);
            }
        }
    } else if (auto* fm = dynamic_cast<TfrmFMElevation*>(&page)) {
        if (c.VertElevation) NotOffered(3, "vertical elevation pattern", "for FM designs");
        std::vector<std::string> offered;
        for (int i = 0; i < fm->FMPatternList.Count(); ++i) {
            const TFMPattern& p = fm->FMPatternList.FMPattern(i);
            offered.push_back(p.BaseCose + " (" + BaysText(p) + ")");
        }
        const std::string antenna = AntennaText() + " with feed " + WorkingDesign().OptionsPage.FeedCode;
        if (c.Elevation) {
            const int i = FindKey(fm->FMLines(), *c.Elevation);
            if (i < 0)
                Refuse(3, "elevation pattern " + Quote(*c.Elevation) + " is not offered for " + antenna +
                              "; offered: " + Join(offered));
            fm->OnFMPatternSelection(i);
        }
        if (c.Bays || c.Spacing) {
            const TFMPattern* current = fm->CurrentFMPattern();
            const int bays = c.Bays ? *c.Bays : current ? current->BayCount : 0;
            std::vector<int> matches;
            for (int i = 0; i < fm->FMPatternList.Count(); ++i) {
                const TFMPattern& p = fm->FMPatternList.FMPattern(i);
                if (p.BayCount == bays && (!c.Spacing || Same(p.BaySpacing, *c.Spacing)))
                    matches.push_back(i);
            }
            std::string asked = FormatInt(bays) + " bays";
            if (c.Spacing) asked += ", spacing " + Num(*c.Spacing);
            if (matches.empty())
                Refuse(3, asked + " is not offered for " + antenna + "; offered: " + Join(offered));
            if (matches.size() > 1) {
                std::vector<std::string> which;
                for (int i : matches) which.push_back(offered[static_cast<size_t>(i)]);
                Refuse(3, asked + " matches more than one elevation pattern: " + Join(which) +
                              "; give the spacing or the pattern code");
            }
            fm->OnFMPatternSelection(matches[0]);
        }
        if (!fm->CurrentFMPattern()) return;
        if (c.Tilt) {
            const double t = *c.Tilt;
            const auto steps = StepsTo(fm->Beamtilt(), t, TfrmFMElevation::kTiltStep);
            if (t < TfrmFMElevation::kTiltMin - 1e-9 || t > TfrmFMElevation::kTiltMax + 1e-9)
                Refuse(3, "beam tilt " + Num(t) + " is beyond the limits of elevation pattern " +
                              fm->PatternCaption() + "; offered: " + FMTiltRange());
            if (!steps)
                Refuse(3, "beam tilt " + Num(t) + " is not offered for elevation pattern " +
                              fm->PatternCaption() + "; offered: " + FMTiltRange());
            fm->StepBeamtilt(*steps);
        }
        auto fill = [&](const std::optional<double>& v, const char* name, double max, double current,
                        auto step) {
            if (!v) return;
            if (!(*v >= 0 && *v <= max) || *v != std::nearbyint(*v))
                Refuse(3, std::string(name) + " " + Num(*v) + " is not offered; offered: 0 to " + Num(max) +
                              " percent in whole steps");
            step(static_cast<int>(*v - std::nearbyint(current)));
        };
        fill(c.FirstNullFill, "first null fill", TfrmFMElevation::kFirstFillMax, fm->FirstNullFill(),
             [fm](int n) { fm->StepFirstNullFill(n); });
        if (c.SecondNullFill && !fm->SecondNullFillEnabled())
            NotOffered(3, "second null fill", "for family " + WorkingDesign().OptionsPage.FamilyID);
        fill(c.SecondNullFill, "second null fill", TfrmFMElevation::kSecondFillMax, fm->SecondNullFill(),
             [fm](int n) { fm->StepSecondNullFill(n); });
    }
}

// ---- step 4 -----------------------------------------------------------------------------

void CheckLength(const char* name, double v) {
    if (!(v >= TfrmLines::MinLength && v <= TfrmLines::MaxLength))
        Refuse(4, std::string(name) + " " + Num(v) + " is not offered; offered: " +
                      FormatInt(TfrmLines::MinLength) + " to " + FormatInt(TfrmLines::MaxLength) + " feet");
}

void CheckCustomValue(const char* name, const std::optional<double>& v) {
    if (v && !(*v >= TfrmCustomLine::MinValue && *v <= TfrmCustomLine::MaxValue))
        Refuse(4, std::string(name) + " " + Num(*v) + " is not offered; offered: " +
                      Num(TfrmCustomLine::MinValue) + " to " + Num(TfrmCustomLine::MaxValue));
}

void ApplyLines(TfrmLines& p, const TDesignChoices& c) {
    if (c.VertLength) {
        CheckLength("vertical run length", *c.VertLength);
        p.SetVertLength(*c.VertLength);
    }
    if (c.HorzLength) {
        CheckLength("horizontal run length", *c.HorzLength);
        p.SetHorzLength(*c.HorzLength);
    }
    if (c.Aural) {
        if (!p.AuralVisible()) NotOffered(4, "aural percentage", "for digital service");
        if (*c.Aural < TfrmLines::MinAural || *c.Aural > TfrmLines::MaxAural)
            Refuse(4, "aural percentage " + FormatInt(*c.Aural) + " is not offered; offered: " +
                          FormatInt(TfrmLines::MinAural) + " to " + FormatInt(TfrmLines::MaxAural));
        p.SetAural(*c.Aural);
    }
    if (c.Line) {
        int row = -1;
        std::vector<std::string> parts;
        for (int i = 0; i < p.TransmissionLines.Count(); ++i) {
            parts.push_back(p.TransmissionLines.Line(i).PartNumber);
            if (parts.back() == *c.Line) row = i + 1;
        }
        if (row < 0)
            Refuse(4, "line " + Quote(*c.Line) + " is not offered for channel " +
                          WorkingDesign().OptionsPage.Channel.ChannelNumber + "; offered: " + Join(parts));
        p.SelectRow(row);
    }
    const bool customValues = c.LineDescription || c.LineAttenuation || c.LinePower;
    if (!customValues) return;
    if (p.Row() != 1 || p.TransmissionLines.Empty())
        NotOffered(4, "custom line values", "for line " + p.Line().PartNumber + "; offered for line Custom");
    CheckCustomValue("custom line attenuation", c.LineAttenuation);
    CheckCustomValue("custom line power", c.LinePower);
    p.DoubleClickRow(1);
}

// ---- step 5 -----------------------------------------------------------------------------

void Commit(TAnalysisPageBase& p, TAnalysisField f, double v) {
    p.EditEntry(f, Num(v));
    p.CommitEntry(f);
}

void ApplyAnalysis(TAnalysisPageBase& p, const TDesignChoices& c) {
    if (c.TransmitterPower && c.ERP)
        Refuse(5, "the transmitter power and the ERP are offered one at a time; give one of them");
    if (p.IsFM()) {
        if (c.VerticalRatio) NotOffered(5, "vertical ratio", "for FM designs");
        if (c.IsolationLoss) Commit(p, afIsolationLossDB, *c.IsolationLoss);
        if (c.FilterLoss) Commit(p, afFilterLossDB, *c.FilterLoss);
        if (c.CirculatorLoss) Commit(p, afCirculatorLossDB, *c.CirculatorLoss);
    } else {
        const char* const where = "for TV designs";
        if (c.IsolationLoss) NotOffered(5, "isolation transformer loss", where);
        if (c.FilterLoss) NotOffered(5, "filter loss", where);
        if (c.CirculatorLoss) NotOffered(5, "circulator loss", where);
        if (c.VerticalRatio) {
            auto& tv = dynamic_cast<TfrmAnalysis&>(p);
            if (!tv.RatioEditable())
                NotOffered(5, "vertical ratio", "for family " + WorkingDesign().OptionsPage.FamilyID +
                                                    " with polarization " + WorkingDesign().OptionsPage.PolCode);
            if (*c.VerticalRatio < TfrmAnalysis::MinRatio || *c.VerticalRatio > TfrmAnalysis::MaxRatio)
                Refuse(5, "vertical ratio " + FormatInt(*c.VerticalRatio) + " is not offered; offered: 0 to 100");
            tv.SetRatio(*c.VerticalRatio);
        }
    }
    if (c.TransmitterPower) Commit(p, afTransmitterPowerkW, *c.TransmitterPower);
    if (c.ERP) Commit(p, afERPkWHorz, *c.ERP);
    if (p.WarningVisible()) Warn(p.WarningText());
    if (p.ERPWarningVisible()) {
        std::string text = p.ERPWarningText();
        for (char& ch : text)
            if (ch == '\r') ch = ' ';
        Warn(text);
    }
}

// ---- offers -----------------------------------------------------------------------------

TOfferGroup Buttons(const std::string& name, const TOptionGroup& g, bool withPower = false) {
    TOfferGroup out{name, {}, "", ""};
    for (const auto& b : g)
        if (b.Enabled) out.Items.push_back({b.Key, withPower ? b.PowerCode : "", b.Caption, b.Selected});
    return out;
}

TOfferGroup Lines(const std::string& name, const std::vector<TListLine>& lines, int selected) {
    TOfferGroup out{name, {}, "", ""};
    for (size_t i = 0; i < lines.size(); ++i)
        out.Items.push_back({lines[i].Name, "", lines[i].Value, static_cast<int>(i) == selected});
    return out;
}

TOfferGroup Value(const std::string& name, const std::string& range, const std::string& value) {
    return {name, {}, range, value};
}

TStepOffers Offers(int step, const std::string& pageClass, TWizardPage& page) {
    TStepOffers o;
    o.Step = step;
    o.PageClass = pageClass;
    auto& g = o.Groups;
    if (auto* p = dynamic_cast<TfrmOptions*>(&page)) {
        g.push_back(Buttons("market", p->MarketOptions()));
        TOfferGroup channels{"channel", {}, "", ""};
        for (int i = 0; i < p->Channels().Count(); ++i) {
            const TChannel& ch = p->Channels().Channel(i);
            channels.Items.push_back({ch.ChannelNumber, "", ch.Desc, i == p->ChannelIndex()});
        }
        g.push_back(channels);
        if (p->FMFrequencyVisible()) g.push_back(Value("frequency", "above 88 and below 108 MHz", p->FMFrequencyText()));
        g.push_back(Buttons("family", p->FamilyOptions(), true));
        g.push_back(Buttons("mount", p->MountOptions()));
        g.push_back(Buttons("pol", p->PolOptions()));
        g.push_back(Buttons("service", p->ServiceOptions()));
        if (p->VerticalComponentVisible())
            g.push_back(Value("vertical-component", "0 to 100 percent", Num(p->PageData().VerticalComponent)));
        if (p->HighWindVisible()) g.push_back(Value("high-wind", "yes or no", p->PageData().HighWind ? "yes" : "no"));
        if (p->CustomLabelVisible()) g.push_back(Value("custom-label", "any text", p->CustomLabelText()));
    } else if (auto* p = dynamic_cast<TfrmFMOptions*>(&page)) {
        TOfferGroup channels{"channel", {}, "", ""};
        for (int i = 0; i < p->Channels().Count(); ++i) {
            const TChannel& ch = p->Channels().Channel(i);
            channels.Items.push_back({ch.ChannelNumber, Num(ch.BegFreq), "", i == p->ChannelIndex()});
        }
        g.push_back(channels);
        g.push_back(Buttons("pol", p->PolOptions()));
        g.push_back(Buttons("family", p->FamilyOptions()));
        g.push_back(Buttons("mount", p->MountOptions()));
        g.push_back(Buttons("feed", p->FeedOptions()));
        if (p->RadomeEnabled()) g.push_back(Value("radome", "yes or no", p->RadomeChecked() ? "yes" : "no"));
        if (p->DeicerEnabled()) g.push_back(Value("deicer", "yes or no", p->DeicerChecked() ? "yes" : "no"));
        TOfferGroup classes{"station-class", {}, "", ""};
        const auto& list = TfrmFMOptions::StationClasses();
        for (size_t i = 0; i < list.size(); ++i)
            classes.Items.push_back({FormatInt(static_cast<long long>(i + 1)), Num(list[i].ERPkW) + " kW",
                                     list[i].Caption, false});
        g.push_back(classes);
        g.push_back(Value("max-erp", "above 0 up to 1000 kW", p->ERPText()));
        if (p->CustomLabelVisible()) g.push_back(Value("custom-label", "any text", p->CustomLabelText()));
    } else if (auto* p = dynamic_cast<TfrmAzimuth*>(&page)) {
        g.push_back(Lines("azimuth", p->HorzLines(), p->HorzIndex()));
        if (p->VertListVisible()) g.push_back(Lines("vert-azimuth", p->VertLines(), p->VertIndex()));
        g.push_back(Value("rotation", "degrees, turned by whole degrees", Num(p->RotationEntry())));
    } else if (auto* p = dynamic_cast<TfrmFMAzimuth*>(&page)) {
        g.push_back(Lines("azimuth", p->FMLines(), p->FMIndex()));
        g.push_back(Value("rotation", "degrees, turned by whole degrees", Num(p->RotationEntry())));
    } else if (auto* p = dynamic_cast<TCustomAzimuthBase*>(&page)) {
        g.push_back(Value("az-gain", "a number other than 0", p->HorzField().Text));
        if (p->VertVisible()) g.push_back(Value("vert-az-gain", "a number other than 0", p->VertField().Text));
    } else if (auto* p = dynamic_cast<TfrmElevation*>(&page)) {
        g.push_back(Lines("elevation", p->HorzLines(), p->HorzIndex()));
        if (p->VertListVisible()) g.push_back(Lines("vert-elevation", p->VertLines(), p->VertIndex()));
        if (p->CurrentPattern()) g.push_back(Value("tilt", TVTiltRange(*p), Num(p->Beamtilt())));
    } else if (auto* p = dynamic_cast<TfrmFMElevation*>(&page)) {
        TOfferGroup patterns{"elevation", {}, "", ""};
        for (int i = 0; i < p->FMPatternList.Count(); ++i) {
            const TFMPattern& fp = p->FMPatternList.FMPattern(i);
            patterns.Items.push_back({fp.BaseCose, BaysText(fp), fp.Description, i == p->FMIndex()});
        }
        g.push_back(patterns);
        if (p->CurrentFMPattern()) {
            g.push_back(Value("tilt", FMTiltRange(), Num(p->Beamtilt())));
            g.push_back(Value("first-null-fill", "0 to 15 percent", Num(p->FirstNullFill())));
            if (p->SecondNullFillEnabled())
                g.push_back(Value("second-null-fill", "0 to 10 percent", Num(p->SecondNullFill())));
        }
    } else if (auto* p = dynamic_cast<TCustomElevationBase*>(&page)) {
        g.push_back(Value("el-gain", "a number other than 0", p->HorzField().Text));
        if (p->VertVisible()) g.push_back(Value("vert-el-gain", "a number other than 0", p->VertField().Text));
    } else if (auto* p = dynamic_cast<TfrmLines*>(&page)) {
        TOfferGroup lines{"line", {}, "", ""};
        for (int i = 0; i < p->TransmissionLines.Count(); ++i) {
            const TTransmissionLine& l = p->TransmissionLines.Line(i);
            lines.Items.push_back({l.PartNumber, FormatFixed(l.dBPerFoot(), 3) + " dB/100 ft, " +
                                                     FormatFixed(l.AvgPower(), 2) + " kW",
                                   l.Description, i + 1 == p->Row()});
        }
        g.push_back(lines);
        g.push_back(Value("vert-length", "0 to 99999 feet", FormatInt(p->VertLength())));
        g.push_back(Value("horz-length", "0 to 99999 feet", FormatInt(p->HorzLength())));
        if (p->AuralVisible()) g.push_back(Value("aural", "5 to 20 percent", FormatInt(p->Aural())));
    } else if (auto* p = dynamic_cast<TAnalysisPageBase*>(&page)) {
        g.push_back(Value("power", "kW", p->Field(afTransmitterPowerkW).Text));
        g.push_back(Value("erp", "kW", p->Field(afERPkWHorz).Text));
        if (p->IsFM()) {
            g.push_back(Value("isolation-loss", "dB", p->Field(afIsolationLossDB).Text));
            g.push_back(Value("filter-loss", "dB", p->Field(afFilterLossDB).Text));
            g.push_back(Value("circulator-loss", "dB", p->Field(afCirculatorLossDB).Text));
        } else if (auto* tv = dynamic_cast<TfrmAnalysis*>(p); tv && tv->RatioEditable()) {
            g.push_back(Value("vertical-ratio", "0 to 100 percent", FormatInt(tv->Ratio())));
        }
    }
    return o;
}

// ---- the walk ---------------------------------------------------------------------------

const char* StepTitle(int step) {
    switch (step) {
        case 1: return "the system parameters";
        case 2: return "the azimuth pattern";
        case 3: return "the elevation pattern";
        case 4: return "the transmission line";
        default: return "the power analysis";
    }
}

void ApplyStep(int step, TWizardPage& page, const TDesignChoices& c) {
    switch (step) {
        case 1:
            if (auto* tv = dynamic_cast<TfrmOptions*>(&page)) ApplyTVOptions(*tv, c);
            else ApplyFMOptions(dynamic_cast<TfrmFMOptions&>(page), c);
            break;
        case 2: ApplyAzimuth(page, c); break;
        case 3: ApplyElevation(page, c); break;
        case 4: ApplyLines(dynamic_cast<TfrmLines&>(page), c); break;
        default: ApplyAnalysis(dynamic_cast<TAnalysisPageBase&>(page), c); break;
    }
}

// Why a page keeps Next disabled, in the words of its choices.
std::string IncompleteText(int step, TWizardPage& page) {
    auto missing = [](const char* name, const TOptionGroup& g) -> std::string {
        if (SelectedIndex(g) >= 0 || EnabledKeys(g).empty()) return "";
        return std::string("no ") + name + " is chosen; offered: " + Join(EnabledKeys(g));
    };
    std::string why;
    if (auto* tv = dynamic_cast<TfrmOptions*>(&page)) {
        if (tv->ChannelIndex() < 0) return "no channel is chosen";
        if (SelectedIndex(tv->FamilyOptions()) < 0)
            return "no family is chosen; offered: " + Join(EnabledKeys(tv->FamilyOptions()));
        if (!(why = missing("mount", tv->MountOptions())).empty()) return why;
        if (!(why = missing("polarization", tv->PolOptions())).empty()) return why;
        if (!tv->ValidateFM()) return "the FM frequency is not given; offered: above 88 and below 108 MHz";
    } else if (auto* fm = dynamic_cast<TfrmFMOptions*>(&page)) {
        if (!(why = missing("family", fm->FamilyOptions())).empty()) return why;
        if (!(why = missing("mount", fm->MountOptions())).empty()) return why;
        if (!(why = missing("polarization", fm->PolOptions())).empty()) return why;
        if (!(why = missing("feed", fm->FeedOptions())).empty()) return why;
        if (!(fm->PageData().MaxERPkW > 0))
            return "the maximum ERP is not given; offered: above 0 up to 1000 kW, or a station class";
    } else if (dynamic_cast<TCustomPageBase*>(&page)) {
        return "every gain must be a number other than 0";
    } else if (step == 2 || step == 3) {
        return "no pattern is offered for " + AntennaText();
    }
    return std::string(StepTitle(step)) + " are not complete; the page keeps Next disabled";
}

bool IsCustomLineHookValue(const TDesignChoices& c) {
    return c.LineDescription || c.LineAttenuation || c.LinePower;
}

TCustomLineDialogHook CustomLineAnswer(const TDesignChoices& c) {
    return [&c](TfrmCustomLine& dialog) {
        if (!IsCustomLineHookValue(c)) return false;
        if (c.LineDescription) dialog.EditField(TfrmCustomLine::cfDescription, *c.LineDescription);
        if (c.LinePower) dialog.EditField(TfrmCustomLine::cfAveragePower, Num(*c.LinePower));
        if (c.LineAttenuation) dialog.EditField(TfrmCustomLine::cfAttenuation, Num(*c.LineAttenuation));
        if (!dialog.AcceptFrom(TfrmCustomLine::cfDescription))
            Refuse(4, std::string("custom line values are not offered: ") + TfrmCustomLine::RangeHint);
        return true;
    };
}

// One run of the wizard over the working design, steps `begin` to `end`, as the main
// window starts it. With `listStep` the run stops there, after the step's own choices,
// and returns what the step offers.
std::optional<TStepOffers> Walk(const TDesignChoices& c, TDesignState state, int begin, int end,
                                int listStep) {
    THeadlessScope headless(CustomLineAnswer(c));
    TfrmWizard wizard;
    wizard.DesignState = state;
    wizard.BeginIndex = begin;
    wizard.EndIndex = end;
    wizard.SetPageIndex(begin);
    for (int step = begin; step <= end; ++step) {
        TWizardPage* page = wizard.CurrentPage();
        if (!page)
            Refuse(step, "no page for system type " + Quote(WorkingDesign().DesignInfo.SystemType));
        ApplyStep(step, *page, c);
        if (step == listStep) return Offers(step, wizard.CurrentPageClass(), *page);
        if (!wizard.NextButton.Enabled())
            Refuse(step, IncompleteText(step, *page));
        wizard.NextClick();
    }
    if (!wizard.Commit) throw Error("The wizard did not finish.");
    return std::nullopt;
}

bool HasStepChoices(const TDesignChoices& c, int step) {
    switch (step) {
        case 1:
            return c.Market || c.Channel || c.Frequency || c.Family || c.PowerClass || c.Mount || c.Pol ||
                   c.Service || c.VerticalComponent || c.HighWind || c.CustomLabel || c.Feed || c.Radome ||
                   c.Deicer || c.StationClass || c.MaxERP;
        case 2:
            return c.Azimuth || c.VertAzimuth || c.Rotation || c.AzimuthGain || c.VertAzimuthGain;
        case 3:
            return c.Elevation || c.VertElevation || c.Bays || c.Spacing || c.Tilt || c.FirstNullFill ||
                   c.SecondNullFill || c.ElevationGain || c.VertElevationGain;
        case 4:
            return c.Line || c.LineDescription || c.LineAttenuation || c.LinePower || c.VertLength ||
                   c.HorzLength || c.Aural;
        default:
            return c.TransmitterPower || c.ERP || c.IsolationLoss || c.FilterLoss || c.CirculatorLoss ||
                   c.VerticalRatio;
    }
}

// An edit as the "Modify Design" buttons run it: a change of the system parameters
// walks steps 1 to 5; otherwise each step with a choice is run on its own, in order.
// With `listStep` the edit stops on that step and returns what it offers.
std::optional<TStepOffers> EditWalk(const TDesignChoices& c, int listStep) {
    if (HasStepChoices(c, 1) || listStep == 1) return Walk(c, dsEdit, 1, 5, listStep);
    for (int step = 2; step <= 5; ++step) {
        if (step == listStep) return Walk(c, dsEdit, step, step, step);
        if (HasStepChoices(c, step)) Walk(c, dsEdit, step, step, 0);
    }
    return std::nullopt;
}

// The design information dialog with the choices typed in; false when OK is refused.
void ApplyInfo(TfrmDesignInfo& dialog, const TDesignChoices& c, bool newDesign) {
    if (c.SystemType) {
        if (!newDesign) throw Error("design information: the system type of a design is not changed by an edit");
        if (*c.SystemType == "TV") dialog.PressTV();
        else if (*c.SystemType == "FM") dialog.PressFM();
        else throw Error("design information: system type " + Quote(*c.SystemType) + " is not offered; offered: TV, FM");
    }
    if (c.CompanyName) dialog.EditCompanyName(*c.CompanyName);
    if (c.Location) dialog.EditLocation(*c.Location);
    if (c.Location2) dialog.EditLocation2(*c.Location2);
    if (c.Designer) dialog.EditDesigner(*c.Designer);
    if (c.SpecNo) dialog.EditSpecNo(*c.SpecNo);
    if (c.Notes) {
        std::string text;
        for (const auto& n : *c.Notes) text += (text.empty() ? "" : "\n") + n;
        dialog.EditNotes(text);
    }
    if (c.Date) {
        int y = 0, m = 0, d = 0;
        char extra = 0;
        const bool read = std::sscanf(c.Date->c_str(), "%4d-%2d-%2d%c", &y, &m, &d, &extra) == 3;
        bool ok = read && m >= 1 && m <= 12 && d >= 1 && d <= 31;
        if (ok) {
            int y2 = 0, m2 = 0, d2 = 0;
            DecodeDate(EncodeDate(y, m, d), y2, m2, d2);
            ok = y2 == y && m2 == m && d2 == d && TfrmDesignInfo::PickerAccepts(EncodeDate(y, m, d));
        }
        if (!ok)
            throw Error("design information: date " + Quote(*c.Date) +
                        " is not offered; offered: a day from 1753-01-01 to 9999-12-31 (yyyy-mm-dd)");
        dialog.PickDay(y, m, d);
    }
    if (!dialog.OkClick())
        throw Error("design information: the system type is not chosen; offered: TV, FM");
}

// The state a new design starts from, as the main window's New Design sets it up.
void StartNew(const TDesignInfo& info) {
    TBroadcastDesign fresh;
    fresh.DesignInfo.Assign(info);
    if (fresh.DesignInfo.SystemType == "FM") fresh.OptionsPage.PolCode.clear();
    WorkingDesign().Assign(fresh);
    CustomElevationEntered() = false;
    LinesPageEntered() = false;
}

// Keeps the working design as it was before a run, whatever the run does to it.
class TWorkingDesignGuard {
public:
    TWorkingDesignGuard() { FSaved.Assign(WorkingDesign()); }
    ~TWorkingDesignGuard() { WorkingDesign().Assign(FSaved); }
    TWorkingDesignGuard(const TWorkingDesignGuard&) = delete;
    TWorkingDesignGuard& operator=(const TWorkingDesignGuard&) = delete;

private:
    TBroadcastDesign FSaved;
};

}  // namespace

std::unique_ptr<TBroadcastDesign> MakeDesign(const TDesignChoices& choices) {
    TWorkingDesignGuard guard;
    TfrmDesignInfo dialog;
    ApplyInfo(dialog, choices, true);
    StartNew(dialog.DesignInfo());
    Walk(choices, dsNew, 1, 5, 0);
    auto design = std::make_unique<TBroadcastDesign>();
    design->Assign(WorkingDesign());
    return design;
}

void EditDesign(TBroadcastDesign& design, const TDesignChoices& choices) {
    TWorkingDesignGuard guard;
    TfrmDesignInfo dialog;
    dialog.SetDesignInfo(design.DesignInfo);
    ApplyInfo(dialog, choices, false);
    WorkingDesign().Assign(design);
    EditWalk(choices, 0);
    design.Assign(WorkingDesign());
    design.DesignInfo.Assign(dialog.DesignInfo());
}

TStepOffers ListStep(const TDesignChoices& choices, int step, const TBroadcastDesign* base) {
    if (step < 1 || step > 5) throw Error("step " + FormatInt(step) + " is not a wizard step; offered: 1 to 5");
    TWorkingDesignGuard guard;
    TfrmDesignInfo dialog;
    if (base) {
        dialog.SetDesignInfo(base->DesignInfo);
        ApplyInfo(dialog, choices, false);
        WorkingDesign().Assign(*base);
    } else {
        ApplyInfo(dialog, choices, true);
        StartNew(dialog.DesignInfo());
    }
    return base ? *EditWalk(choices, step) : *Walk(choices, dsNew, 1, 5, step);
}

}  // namespace velmo
