#include "wizard/options.h"

#include "base/folders.h"
#include "base/numbers.h"
#include "refdata/tablelookup.h"
#include "wizard/userinterface.h"

namespace velmo {

const char* const TfrmOptions::kReadNoteText =
    "FM antenna manufacturers typically specify the Antenna Power gain value that is "
    "normally computed by this program for the power analysis.  HPOL and VPOL plane "
    "values need to be entered for the power analysis to be correct when selecting "
    "elliptical/circular polarization.";

namespace {

const char* const kCustomDescription =
    "Create your custom antenna by defining the azimuth and elevation gain values.";

TOptionGroup TVFamilyOptions() {
    return {
        {"MIRALDO\u00AE VHF", "KLX-VHF", "N",
         "Made-to-order VHF antennas with heavy null fill, horizontal or elliptical "
         "polarization and an optimized beam tilt. Choose catalog azimuth and elevation "
         "patterns or have them customized."},
        {"HOV Series VHF", "HOV", "M",
         "A lightweight side-mounted family for high-band VHF in 2, 4 and 8 bays: "
         "omnidirectional, peanut and skull-shaped standard azimuth patterns."},
        {"MIRALDO\u00AE UHF", "KLX-UHF", "N",
         "Made-to-order UHF antennas with heavy null fill, horizontal or elliptical "
         "polarization and an optimized beam tilt. Catalog or customized azimuth and "
         "elevation patterns."},
        {"KVR Series Low Power UHF", "KVR", "L",
         "1.3 to 6 kW average power. Standard patterns, a custom pattern on request; the "
         "antenna can be assembled on site."},
        {"KVR Series Medium Power UHF", "KVR", "M",
         "1.3 to 12 kW average power. Standard patterns, a custom pattern on request; the "
         "antenna can be assembled on site."},
        {"QD MAX Series Low Power UHF", "QD-MAX", "L",
         "Horizontally polarized, up to 5 kW average power, 8 or 12 bays, five azimuth "
         "patterns."},
        {"QD MAX Series Medium Power UHF", "QD-MAX", "M",
         "Horizontally polarized, up to 10 kW average power, 8 or 12 bays, five azimuth "
         "patterns."},
        {"QD Series Low Power UHF", "QD", "L", "Low cost and low wind load, 2 kW."},
        {"QD Series Medium Power UHF", "QD", "M", "Low cost and low wind load, 4 kW."},
        {"WEN Series  UHF", "WEN", "L", "Low cost and low wind load, 1 kW."},
        {"Custom", "CTM", "", kCustomDescription},
    };
}

const char* AnalogCaption(TMarketType market) {
    switch (market) {
        case mtEurope:
            return "ANALOG (PAL,SECAM)";
        case mtAustralia:
            return "ANALOG (PAL)";
        case mtUS:
        default:
            return "ANALOG (NTSC)";
    }
}

}  // namespace

TfrmOptions::TfrmOptions(TWizardButton& nextButton) : TWizardPage(nextButton) {
    FPageData.Service = stAnalog;
}

void TfrmOptions::PageEnter() {
    const TOptionsPage& design = WorkingDesign().OptionsPage;
    FPageData.HighWind = design.HighWind;
    FMarketOptions = {{"United States", "US", "", "", true, false},
                      {"Europe", "Euro", "", "", true, false},
                      {"Australia", "Aus", "", "", true, false}};
    FFamilyOptions = TVFamilyOptions();
    FMountOptions = {{"Side Mount", "S", "", "", true, false},
                     {"Top Mount", "T", "", "", true, false}};
    FPolOptions = {{"Horizontal", "H", "", "", true, false},
                   {"Elliptical / Circular", "E", "", "", true, false}};
    FServiceOptions = {{AnalogCaption(mtUS), "A", "", "", true, false},
                       {"Digital (DTV)", "D", "", "", true, false}};
    FChannels.Clear();
    FAntennas.Clear();
    FMounts.Clear();
    FPols.Clear();
    FChannelIndex = -1;
    FChannel = TChannel();
    FChannel.ChannelNumber = design.Channel.ChannelNumber;
    try {
        LoadUI();
    } catch (...) {
        // A table that is missing or holds a bad number: the page shows what it
        // loaded, but Next stays off so that nothing half-loaded is committed.
        NextButton.SetEnabled(false);
        Changed();
        throw;
    }
    Changed();
}

void TfrmOptions::LoadUI() {
    const TOptionsPage& design = WorkingDesign().OptionsPage;
    // 1. market (runs the channel and family cascade)
    SelectOnly(FMarketOptions, static_cast<int>(design.Market));
    OnMarketSelection(design.Market);
    // 2. the stored family, whether or not it is offered for the channel
    for (size_t i = 0; i < FFamilyOptions.size(); ++i) {
        if (FFamilyOptions[i].Key == design.FamilyID &&
            FFamilyOptions[i].PowerCode == design.PowerCode) {
            SelectFamilyOption(static_cast<int>(i));
            break;
        }
    }
    // 3. mount and polarization
    int m = IndexOfKey(FMountOptions, design.MountCode);
    if (m >= 0) SelectMountOption(m);
    else SelectOnly(FMountOptions, -1);
    int p = IndexOfKey(FPolOptions, design.PolCode);
    if (p >= 0) SelectPolOption(p);
    else SelectOnly(FPolOptions, -1);
    // 4. - 7.
    SetVerticalComponentValue(design.VerticalComponent);
    SelectServiceOption(design.Service == stDigital ? 1 : 0);
    if (design.Channel.ChannelNumber == "FM") FFMFrequencyText = FormatGeneral(design.Channel.BegFreq);
    FCustomLabelText = design.CustomLabel;
    ValidateAll();
}

void TfrmOptions::OnMarketSelection(TMarketType market) {
    FMarket = market;
    FPageData.Market = market;
    FServiceOptions[0].Caption = AnalogCaption(market);
    ReadActiveChannels(DataPath() + TVChannelTableName(market), FChannels);
    SetChannels();
}

void TfrmOptions::SetChannels() {
    FChannelIndex = -1;
    for (int i = 0; i < FChannels.Count(); ++i) {
        if (FChannels.Channel(i).ChannelNumber == FChannel.ChannelNumber) {
            FChannelIndex = i;
            break;
        }
    }
    if (FChannelIndex >= 0) OnChannelSelection(FChannels.Channel(FChannelIndex), true);
    else OnChannelSelection(TChannel(), false);
}

void TfrmOptions::OnChannelSelection(const TChannel& channel, bool listHasSelection) {
    const TChannel picked = channel;  // `channel` may live in FChannels
    FChannel = picked;
    FPageData.Channel = picked;
    GetData(FAntennas, TVChannelToFamilyTableName(FMarket), "FAMILY_ID", "CHANNEL",
            picked.ChannelNumber);
    SetOptions(FAntennas, FFamilyOptions);
    const TOptionDetail checked = GetCheckedID(FFamilyOptions);
    OnFamilySelection(checked.Key, checked.PowerCode);
    if (listHasSelection) {
        if (picked.ChannelNumber == "FM") {
            FFMFrequencyVisible = true;
            SelectServiceOption(1);
            FServiceOptions[1].Caption = "FM";
            FServiceOptions[0].Enabled = false;
        } else {
            FFMFrequencyVisible = false;
            FServiceOptions[0].Enabled = true;
            FServiceOptions[1].Caption = "Digital (DTV)";
        }
    }
    ValidateAll();
}

void TfrmOptions::GetData(TDataList& list, const std::string& fileName, const std::string& key,
                          const std::string& compareField, const std::string& value) {
    ReadMatchingKeys(list, DataPath() + fileName, key, compareField, value);
}

void TfrmOptions::SetOptions(const TDataList& list, TOptionGroup& options) {
    for (TOptionButton& b : options) {
        b.Enabled = ListHasKey(list, b.Key);
        b.Selected = b.Enabled && b.Selected;
    }
    if (SelectedIndex(options) >= 0) return;
    for (size_t i = 0; i < options.size(); ++i) {
        if (!options[i].Enabled) continue;
        const int index = static_cast<int>(i);
        if (&options == &FFamilyOptions) SelectFamilyOption(index);
        else if (&options == &FMountOptions) SelectMountOption(index);
        else if (&options == &FPolOptions) SelectPolOption(index);
        else SelectOnly(options, index);
        break;
    }
}

void TfrmOptions::OnFamilySelection(const std::string& familyID, const std::string& powerCode) {
    FPageData.FamilyID = familyID;
    FPageData.PowerCode = powerCode;
    if (!familyID.empty()) {
        GetData(FMounts, "tblMount_To_Antenna_Type.txt", "MOUNT_TYPE", "FAMILY_ID", familyID);
        SetOptions(FMounts, FMountOptions);
        OnMountSelection(GetCheckedID(FMountOptions).Key);
        GetData(FPols, "tblPolarization_To_Antenna_Type.txt", "POLARIZATION", "FAMILY_ID",
                familyID);
        SetOptions(FPols, FPolOptions);
        OnPolSelection(GetCheckedID(FPolOptions).Key);
    } else {
        for (TOptionButton& b : FPolOptions) b.Selected = b.Enabled = false;
        OnPolSelection("");
        for (TOptionButton& b : FMountOptions) b.Selected = b.Enabled = false;
        FDescription.clear();
    }
    ValidateAll();
}

void TfrmOptions::OnMountSelection(const std::string& mountCode) {
    FPageData.MountCode = mountCode;
    FHighWindVisible = FFamilyOptions.size() > 2 && FFamilyOptions[2].Selected && mountCode == "T";
}

void TfrmOptions::OnPolSelection(const std::string& polCode) {
    FPageData.PolCode = polCode;
    const std::string& f = FPageData.FamilyID;
    FVerticalComponentVisible =
        polCode == "E" && (f == "KLX-UHF" || f == "KLX-VHF" || f == "CTM");
    if (FVerticalComponentVisible || polCode != "E") SetVerticalComponentValue(0);
    else SetVerticalComponentValue(100);
    ValidateAll();
}

void TfrmOptions::SetVerticalComponentValue(double value) { FPageData.VerticalComponent = value; }

void TfrmOptions::FamilyClicked(int index) {
    SelectOnly(FFamilyOptions, index);
    const TOptionButton& b = FFamilyOptions[static_cast<size_t>(index)];
    FCustomLabelVisible = b.Key == "CTM";
    FDescription = b.Description;
    OnFamilySelection(b.Key, b.PowerCode);
}

void TfrmOptions::MountClicked(int index) {
    SelectOnly(FMountOptions, index);
    OnMountSelection(FMountOptions[static_cast<size_t>(index)].Key);
    ValidateAll();
}

void TfrmOptions::PolClicked(int index) {
    SelectOnly(FPolOptions, index);
    OnPolSelection(FPolOptions[static_cast<size_t>(index)].Key);
}

void TfrmOptions::SelectFamilyOption(int index) {
    if (FFamilyOptions[static_cast<size_t>(index)].Selected) return;
    FamilyClicked(index);
}

void TfrmOptions::SelectMountOption(int index) {
    if (FMountOptions[static_cast<size_t>(index)].Selected) return;
    MountClicked(index);
}

void TfrmOptions::SelectPolOption(int index) {
    if (FPolOptions[static_cast<size_t>(index)].Selected) return;
    PolClicked(index);
}

void TfrmOptions::SelectServiceOption(int index) {
    SelectOnly(FServiceOptions, index);
    FPageData.Service = index == 1 ? stDigital : stAnalog;
}

// ---- user actions --------------------------------------------------------------------

void TfrmOptions::ClickMarket(int index) {
    if (!Clickable(FMarketOptions, index)) return;
    SelectOnly(FMarketOptions, index);
    OnMarketSelection(static_cast<TMarketType>(index));
    Changed();
}

void TfrmOptions::PickChannel(int index) {
    if (index < 0 || index >= FChannels.Count()) return;
    FChannelIndex = index;
    OnChannelSelection(FChannels.Channel(index), true);
    Changed();
}

void TfrmOptions::ClickFamily(int index) {
    if (!Clickable(FFamilyOptions, index)) return;
    FamilyClicked(index);
    Changed();
}

void TfrmOptions::ClickMount(int index) {
    if (!Clickable(FMountOptions, index)) return;
    MountClicked(index);
    Changed();
}

void TfrmOptions::ClickPol(int index) {
    if (!Clickable(FPolOptions, index)) return;
    PolClicked(index);
    Changed();
}

void TfrmOptions::ClickService(int index) {
    if (!Clickable(FServiceOptions, index)) return;
    SelectServiceOption(index);
    Changed();
}

bool TfrmOptions::SelectMarket(TMarketType market) {
    const int index = static_cast<int>(market);
    if (!Clickable(FMarketOptions, index)) return false;
    ClickMarket(index);
    return true;
}

bool TfrmOptions::SelectFamily(const std::string& key, const std::string& powerCode) {
    for (size_t i = 0; i < FFamilyOptions.size(); ++i) {
        const TOptionButton& b = FFamilyOptions[i];
        if (b.Enabled && b.Key == key && (powerCode.empty() || b.PowerCode == powerCode)) {
            ClickFamily(static_cast<int>(i));
            return true;
        }
    }
    return false;
}

bool TfrmOptions::SelectMount(const std::string& key) {
    return ClickKey(FMountOptions, key, [this](int i) { ClickMount(i); });
}

bool TfrmOptions::SelectPol(const std::string& key) {
    return ClickKey(FPolOptions, key, [this](int i) { ClickPol(i); });
}

bool TfrmOptions::SelectService(TServiceType service) {
    const int i = service == stDigital ? 1 : 0;
    if (!Clickable(FServiceOptions, i)) return false;
    ClickService(i);
    return true;
}

bool TfrmOptions::PickChannelByNumber(const std::string& channelNumber) {
    for (int i = 0; i < FChannels.Count(); ++i) {
        if (FChannels.Channel(i).ChannelNumber == channelNumber) {
            PickChannel(i);
            return true;
        }
    }
    return false;
}

void TfrmOptions::SetFMFrequencyText(const std::string& text) {
    FFMFrequencyText = text;
    ValidateAll();
    Changed();
}

void TfrmOptions::SetCustomLabelText(const std::string& text) {
    FCustomLabelText = text;
    Changed();
}

void TfrmOptions::SetHighWind(bool value) {
    FPageData.HighWind = value;
    Changed();
}

void TfrmOptions::SetVerticalComponent(int percent) {
    if (percent < 0) percent = 0;
    if (percent > 100) percent = 100;
    SetVerticalComponentValue(percent);
    Changed();
}

void TfrmOptions::ShowReadNote() {
    UI().Message(TMsgKind::Information, kReadNoteText, TMsgButtons::Ok);
}

// ---- validation and leaving -------------------------------------------------------------

bool TfrmOptions::ValidateFM() const {
    if (FPageData.Channel.ChannelNumber != "FM") return true;
    const double f = StrToRealDef(FFMFrequencyText, 0);
    return f > 88 && f < 108;
}

bool TfrmOptions::ValidateAll() {
    // A channel must be chosen as well: without one the design would leave step 1
    // with an empty channel that no later step can work with.
    const bool ok = FChannelIndex >= 0 && SelectedIndex(FFamilyOptions) >= 0 &&
                    SelectedIndex(FMountOptions) >= 0 && SelectedIndex(FPolOptions) >= 0 &&
                    ValidateFM();
    NextButton.SetEnabled(ok);
    return ok;
}

void TfrmOptions::PageExit() {
    if (FPageData.Channel.ChannelNumber == "FM") {
        const double f = StrToFloat(FFMFrequencyText);
        TChannel& c = FPageData.Channel;
        c.BegFreq = f;
        c.EndFreq = f;
        c.Frequency = f + 1.25;
        c.MidFreq = (c.EndFreq + c.BegFreq) / 2;
        c.Desc = FormatGeneral(f);
        FPageData.Service = stDigital;
    }
    FPageData.CustomLabel = FCustomLabelText;
    WorkingDesign().OptionsPage.Assign(FPageData);
}

}  // namespace velmo
