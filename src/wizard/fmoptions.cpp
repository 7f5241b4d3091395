#include "wizard/fmoptions.h"

#include "base/folders.h"
#include "base/numbers.h"
#include "refdata/tablelookup.h"

namespace velmo {

const char* const TfrmFMOptions::kNoFamilyText =
    "For directional FM antennas and master FM antennas please contact Orvane.";

namespace {

TOptionGroup FMFamilyOptions() {
    return {
        {"RNVX SPINDRAKE\u00AE", "RNVX", "N",
         "Circularly polarized, in many configurations, for 32 kW to 120 kW input power. "
         "Brass outer conductor and an internal pressurized feed to each element; "
         "multiplexed versions are available."},
        {"TGX SPINDRAKE\u00AE", "TGX", "N",
         "Circularly polarized, center or end fed, for 12 kW to 18 kW input power."},
        {"BKX SPINDRAKE\u00AE", "BKX", "N",
         "Circularly polarized, center or end fed, for 9 kW to 12 kW input power."},
        {"RNV-H", "RNVH", "N",
         "Horizontally polarized for very high power: 1 to 12 elements, 32 kW to 120 kW."},
        {"240C", "240C", "N",
         "Circularly polarized, light and side mounted, for low power up to 2 kW."},
        {"K410", "K410", "N",
         "Vertically polarized dipole for low and medium power: 1 to 12 elements, 3 kW to "
         "36 kW."},
        {"K460", "K460", "N",
         "Vertically polarized dipole for high power: 1 to 12 elements, 10 kW to 120 kW."},
        {"VOLKA", "VOLKA", "N",
         "Dual-input side-mount antenna for FM IBOC: radiates the analog and the digital "
         "signal without a hybrid combiner."},
        {"Custom", "CTM", "N",
         "Create your custom antenna by defining the azimuth and elevation gain values."},
    };
}

// Sets a flag for the life of the object; an error half way through a cascade must
// not leave the page deaf to every further click.
class TUpdatingScope {
public:
    explicit TUpdatingScope(bool& flag) : FFlag(flag) { FFlag = true; }
    ~TUpdatingScope() { FFlag = false; }
    TUpdatingScope(const TUpdatingScope&) = delete;
    TUpdatingScope& operator=(const TUpdatingScope&) = delete;

private:
    bool& FFlag;
};

}  // namespace

const std::vector<TStationClass>& TfrmFMOptions::StationClasses() {
    static const std::vector<TStationClass> classes = {
        {"Class A (3kW)", 3},   {"Class A (6kW)", 6}, {"Class B1 or C3", 25},
        {"Class B or C2", 50}, {"Class C1", 100},    {"Class C", 100},
    };
    return classes;
}

TfrmFMOptions::TfrmFMOptions(TWizardButton& nextButton) : TWizardPage(nextButton) {
    FPageData.Assign(WorkingDesign().OptionsPage);
    FPageData.Service = stDigital;
}

void TfrmFMOptions::PageEnter() {
    FFamilyOptions = FMFamilyOptions();
    FMountOptions = {{"Side Mount", "S", "N", "", true, false},
                     {"Top Mount", "T", "N", "", true, false}};
    FPolOptions = {{"Horizontal", "H", "N", "", true, false},
                   {"Circular", "E", "N", "", true, false},
                   {"Vertical", "V", "N", "", true, false}};
    FFeedOptions = {{"End Fed", "E", "N", "", true, false},
                    {"Center Fed", "C", "N", "", true, false},
                    {"Corporate Fed", "P", "N", "", true, false}};
    FChannels.Clear();
    FAntennasForThisChannel.Clear();
    FAntennasForThisPolarization.Clear();
    FAntennas.Clear();
    FMounts.Clear();
    FFeeds.Clear();
    FChannelIndex = -1;
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

void TfrmFMOptions::LoadUI() {
    {
        TUpdatingScope updating(FUpdating);
        FCustomLabelText = FPageData.CustomLabel;
        if (!FPageData.PolCode.empty()) {
            SelectOnly(FPolOptions, IndexOfKey(FPolOptions, FPageData.PolCode));
            FERPText = FormatGeneral(FPageData.MaxERPkW);
        } else {
            SelectOnly(FPolOptions, IndexOfKey(FPolOptions, "E"));
            FPageData.PolCode = "E";
            FERPText = "0";
        }
    }
    UpdateForm(enAll);
}

void TfrmFMOptions::GetData(TDataList& list, const std::string& fileName, const std::string& key,
                            const std::string& compareField, const std::string& value) {
    ReadMatchingKeys(list, FMDataPath() + fileName, key, compareField, value);
}

bool TfrmFMOptions::GetIfOnList(const std::string& fileName, const std::string& key,
                                const std::string& compareField) const {
    return TableHasValue(FMDataPath() + fileName, compareField, key);
}

void TfrmFMOptions::EnableOptions(const TDataList& list, TOptionGroup& options) {
    for (TOptionButton& b : options) {
        b.Selected = false;
        b.Enabled = ListHasKey(list, b.Key);
    }
}

void TfrmFMOptions::ChooseSingle(TOptionGroup& options, std::string& code) {
    int enabled = 0;
    int only = -1;
    for (size_t i = 0; i < options.size(); ++i) {
        if (!options[i].Enabled) continue;
        ++enabled;
        only = static_cast<int>(i);
    }
    if (enabled == 0) {
        code.clear();
    } else if (enabled == 1) {
        SelectOnly(options, only);
        code = options[static_cast<size_t>(only)].Key;
    } else {
        const int i = IndexOfKey(options, code);
        if (i >= 0 && options[static_cast<size_t>(i)].Enabled) SelectOnly(options, i);
    }
}

void TfrmFMOptions::UpdateForm(int entry) {
    {
        TUpdatingScope updating(FUpdating);
        if (entry < enChannel) {
            ReadActiveChannels(FMDataPath() + kFMChannelTableName, FChannels);
            FChannelIndex = -1;
            for (int i = 0; i < FChannels.Count(); ++i)
                if (FChannels.Channel(i).ChannelNumber == FPageData.Channel.ChannelNumber)
                    FChannelIndex = i;
            if (FChannelIndex < 0 && FChannels.Count() > 0) FChannelIndex = 0;
            if (FChannelIndex >= 0) FPageData.Channel = FChannels.Channel(FChannelIndex);
            else FPageData.Channel.ChannelNumber.clear();
        }
        if (entry <= enChannel)
            GetData(FAntennasForThisChannel, FMChannelToFamilyTableName(FPageData.Market),
                    "FAMILY_ID", "CHANNEL", FPageData.Channel.ChannelNumber);
        if (entry <= enPolarization) {
            FPageData.VerticalComponent = 0;
            GetData(FAntennasForThisPolarization, "tblFamilyID_To_Polarization_Type.txt",
                    "FAMILY_ID", "POLARIZATION", FPageData.PolCode);
            FAntennas.Clear();
            for (int i = 0; i < FAntennasForThisChannel.Count(); ++i) {
                const std::string& key = FAntennasForThisChannel.Item(i).Key;
                for (int j = 0; j < FAntennasForThisPolarization.Count(); ++j)
                    if (FAntennasForThisPolarization.Item(j).Key == key) FAntennas.AddData(key);
            }
            EnableOptions(FAntennas, FFamilyOptions);
        }
        if (entry <= enFamily) {
            int family = -1;
            for (size_t i = 0; i < FFamilyOptions.size(); ++i)
                if (FFamilyOptions[i].Enabled && FFamilyOptions[i].Key == FPageData.FamilyID) {
                    family = static_cast<int>(i);
                    break;
                }
            SelectOnly(FFamilyOptions, family);
            if (family >= 0) {
                FDescription = FFamilyOptions[static_cast<size_t>(family)].Description;
                FCustomLabelVisible = FPageData.FamilyID == "CTM";
            } else {
                FPageData.FamilyID.clear();
                FDescription = kNoFamilyText;
                FCustomLabelVisible = false;
            }
            GetData(FMounts, "tblFamilyID_To_Mount_Type.txt", "MOUNT_TYPE", "FAMILY_ID",
                    FPageData.FamilyID);
            EnableOptions(FMounts, FMountOptions);
            GetData(FFeeds, "tblFamilyID_To_Feed_Type.txt", "FEED_TYPE", "FAMILY_ID",
                    FPageData.FamilyID);
            EnableOptions(FFeeds, FFeedOptions);

            FRadomeEnabled = false;
            FRadomeChecked = false;
            if (GetIfOnList("tblRadomes.txt", FPageData.FamilyID, "FAMILY_ID")) {
                FRadomeEnabled = true;
                FRadomeChecked = FPageData.Radome;
            } else {
                FPageData.Radome = false;
            }
            FDeicerEnabled = false;
            FDeicerChecked = false;
            if (GetIfOnList("tblDeicers.txt", FPageData.FamilyID, "FAMILY_ID")) {
                FDeicerEnabled = true;
                FDeicerChecked = FPageData.Deicer;
            } else {
                FPageData.Deicer = false;
            }
        }
        if (entry <= enMount) ChooseSingle(FMountOptions, FPageData.MountCode);
        if (entry <= enFeed) ChooseSingle(FFeedOptions, FPageData.FeedCode);
    }
    ValidateAll();
}

// ---- user actions ----------------------------------------------------------------------

void TfrmFMOptions::PickChannel(int index) {
    if (FUpdating || index < 0 || index >= FChannels.Count()) return;
    FChannelIndex = index;
    FPageData.Channel = FChannels.Channel(index);
    UpdateForm(enChannel);
    Changed();
}

void TfrmFMOptions::ClickPol(int index) {
    if (FUpdating || !Clickable(FPolOptions, index)) return;
    SelectOnly(FPolOptions, index);
    FPageData.PolCode = FPolOptions[static_cast<size_t>(index)].Key;
    UpdateForm(enPolarization);
    Changed();
}

void TfrmFMOptions::ClickFamily(int index) {
    if (FUpdating || !Clickable(FFamilyOptions, index)) return;
    SelectOnly(FFamilyOptions, index);
    FPageData.FamilyID = FFamilyOptions[static_cast<size_t>(index)].Key;
    FCustomLabelVisible = FPageData.FamilyID == "CTM";
    WorkingDesign().ElevationPage.FMPattern.SetGain(1);
    UpdateForm(enFamily);
    Changed();
}

void TfrmFMOptions::ClickMount(int index) {
    if (FUpdating || !Clickable(FMountOptions, index)) return;
    SelectOnly(FMountOptions, index);
    FPageData.MountCode = FMountOptions[static_cast<size_t>(index)].Key;
    UpdateForm(enMount);
    Changed();
}

void TfrmFMOptions::ClickFeed(int index) {
    if (FUpdating || !Clickable(FFeedOptions, index)) return;
    SelectOnly(FFeedOptions, index);
    // "Corporate Fed" is stored and cascaded like the other two feeds, so that the
    // feed shown selected is the feed the design keeps.
    FPageData.FeedCode = FFeedOptions[static_cast<size_t>(index)].Key;
    UpdateForm(enFeed);
    Changed();
}

void TfrmFMOptions::SetRadome(bool value) {
    if (FUpdating || !FRadomeEnabled) return;
    FRadomeChecked = value;
    FPageData.Radome = value;
    UpdateForm(enRadome);
    Changed();
}

void TfrmFMOptions::SetDeicer(bool value) {
    if (FUpdating || !FDeicerEnabled) return;
    FDeicerChecked = value;
    FPageData.Deicer = value;
    UpdateForm(enDeicer);
    Changed();
}

void TfrmFMOptions::SetERPText(const std::string& text) {
    FERPText = text;
    if (FUpdating) return;
    FPageData.MaxERPkW = 0;
    if (!text.empty()) FPageData.MaxERPkW = StrToRealDef(text, 0);
    UpdateForm(enERP);
    Changed();
}

void TfrmFMOptions::ERPEditDone() {
    double v = 0;
    if (!TryStrToFloat(FERPText, v)) return;
    if (v < 0) SetERPText("0");
    else if (v > 1000) SetERPText("1000");
}

void TfrmFMOptions::PressStationClass(int index) {
    const auto& classes = StationClasses();
    if (FUpdating || index < 0 || index >= static_cast<int>(classes.size())) return;
    const double erp = classes[static_cast<size_t>(index)].ERPkW;
    SetERPText(FormatGeneral(erp));
    FPageData.MaxERPkW = erp;
    UpdateForm(enERP);
    Changed();
}

void TfrmFMOptions::SetCustomLabelText(const std::string& text) {
    FCustomLabelText = text;
    Changed();
}

bool TfrmFMOptions::ERPKeyAccepted(char key) {
    return (key >= '0' && key <= '9') || key == '-' || key == '.' ||
           key == NumberFormat::DecimalSeparator() || key == '\b';
}

bool TfrmFMOptions::PickChannelByNumber(const std::string& channelNumber) {
    for (int i = 0; i < FChannels.Count(); ++i)
        if (FChannels.Channel(i).ChannelNumber == channelNumber) {
            PickChannel(i);
            return true;
        }
    return false;
}

bool TfrmFMOptions::SelectPol(const std::string& key) {
    return ClickKey(FPolOptions, key, [this](int i) { ClickPol(i); });
}

bool TfrmFMOptions::SelectFamily(const std::string& key) {
    return ClickKey(FFamilyOptions, key, [this](int i) { ClickFamily(i); });
}

bool TfrmFMOptions::SelectMount(const std::string& key) {
    return ClickKey(FMountOptions, key, [this](int i) { ClickMount(i); });
}

bool TfrmFMOptions::SelectFeed(const std::string& key) {
    return ClickKey(FFeedOptions, key, [this](int i) { ClickFeed(i); });
}

// ---- validation and leaving -------------------------------------------------------------

bool TfrmFMOptions::ValidateOptions(const TOptionGroup& options) {
    bool anyEnabled = false;
    for (const TOptionButton& b : options) {
        if (b.Selected) return true;
        anyEnabled = anyEnabled || b.Enabled;
    }
    return !anyEnabled;
}

bool TfrmFMOptions::ValidateAll() {
    const bool ok = ValidateOptions(FFamilyOptions) && ValidateOptions(FMountOptions) &&
                    ValidateOptions(FPolOptions) && FPageData.MaxERPkW > 0 &&
                    ValidateOptions(FFeedOptions);
    NextButton.SetEnabled(ok);
    return ok;
}

void TfrmFMOptions::PageExit() {
    FPageData.CustomLabel = FCustomLabelText;
    WorkingDesign().OptionsPage.Assign(FPageData);
}

}  // namespace velmo
