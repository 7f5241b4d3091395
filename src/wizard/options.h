#pragma once
// Step 1 of a TV design: market, channel, antenna family, mounting, polarization and
// service type. The choices live in a private TOptionsPage until Next copies them into
// the working design.
//
// Every user action has a method here; the widget and the command line call the same
// methods, so a pick by key runs exactly the handling of a click. Each public method
// ends by announcing Changed().
#include <memory>
#include <string>

#include "base/types.h"
#include "model/design.h"
#include "wizard/optionbutton.h"
#include "wizard/wizardpage.h"

namespace velmo {

class TfrmOptions : public TWizardPage {
public:
    explicit TfrmOptions(TWizardButton& nextButton);

    void PageEnter() override;
    void PageExit() override;

    // ---- user actions ----------------------------------------------------------------
    // A click on a button (ignored when the button is disabled or out of range).
    void ClickMarket(int index);
    void ClickFamily(int index);
    void ClickMount(int index);
    void ClickPol(int index);
    void ClickService(int index);
    // A pick in the channel list (-1 or out of range: ignored).
    void PickChannel(int index);
    // The same by key or value. False (and nothing done) when no enabled button has
    // the key or no channel the number. An empty power code takes the first enabled
    // family with the key.
    bool SelectMarket(TMarketType market);
    bool SelectFamily(const std::string& key, const std::string& powerCode = "");
    bool SelectMount(const std::string& key);
    bool SelectPol(const std::string& key);
    bool SelectService(TServiceType service);
    bool PickChannelByNumber(const std::string& channelNumber);
    void SetFMFrequencyText(const std::string& text);
    void SetCustomLabelText(const std::string& text);
    void SetHighWind(bool value);
    void SetVerticalComponent(int percent);
    // The "! Please Read Note" button.
    void ShowReadNote();

    // ---- the page's operations ---------------------------------------------------------
    // Enables the buttons whose key occurs in `list`, drops the selection of disabled
    // ones and, when none is left selected, selects the first enabled one (running its
    // click handling).
    void SetOptions(const TDataList& list, TOptionGroup& options);
    bool ValidateAll();
    bool ValidateFM() const;

    // ---- state, for the widget and for tests --------------------------------------------
    TMarketType Market() const { return FMarket; }
    const TChannel& CurrentChannel() const { return FChannel; }
    const TOptionGroup& MarketOptions() const { return FMarketOptions; }
    const TOptionGroup& FamilyOptions() const { return FFamilyOptions; }
    const TOptionGroup& MountOptions() const { return FMountOptions; }
    const TOptionGroup& PolOptions() const { return FPolOptions; }
    // Index 0 analog, 1 digital.
    const TOptionGroup& ServiceOptions() const { return FServiceOptions; }
    const TChannelList& Channels() const { return FChannels; }
    // The selected entry of the channel list, -1 when none.
    int ChannelIndex() const { return FChannelIndex; }
    const TAntennaList& Antennas() const { return FAntennas; }
    const TOptionsPage& PageData() const { return FPageData; }
    const std::string& FamilyDescription() const { return FDescription; }
    bool FMFrequencyVisible() const { return FFMFrequencyVisible; }
    const std::string& FMFrequencyText() const { return FFMFrequencyText; }
    bool CustomLabelVisible() const { return FCustomLabelVisible; }
    const std::string& CustomLabelText() const { return FCustomLabelText; }
    bool HighWindVisible() const { return FHighWindVisible; }
    bool VerticalComponentVisible() const { return FVerticalComponentVisible; }

    static const char* const kReadNoteText;

private:
    void LoadUI();
    void OnMarketSelection(TMarketType market);
    void OnChannelSelection(const TChannel& channel, bool listHasSelection);
    void OnFamilySelection(const std::string& familyID, const std::string& powerCode);
    void OnMountSelection(const std::string& mountCode);
    void OnPolSelection(const std::string& polCode);
    void GetData(TDataList& list, const std::string& fileName, const std::string& key,
                 const std::string& compareField, const std::string& value);
    void SetChannels();
    // Selects a button the way a program does: when it was not selected already, the
    // button's click handling runs. Disabled buttons can be selected this way.
    void SelectFamilyOption(int index);
    void SelectMountOption(int index);
    void SelectPolOption(int index);
    void SelectServiceOption(int index);
    void FamilyClicked(int index);
    void MountClicked(int index);
    void PolClicked(int index);
    void SetVerticalComponentValue(double value);

    TMarketType FMarket = mtUS;
    TChannel FChannel;
    TOptionGroup FMarketOptions;
    TOptionGroup FFamilyOptions;
    TOptionGroup FMountOptions;
    TOptionGroup FPolOptions;
    TOptionGroup FServiceOptions;
    TChannelList FChannels;
    int FChannelIndex = -1;
    TAntennaList FAntennas;
    TMountList FMounts;
    TPolarizationList FPols;
    TOptionsPage FPageData;
    std::string FDescription;
    bool FFMFrequencyVisible = false;
    std::string FFMFrequencyText;
    bool FCustomLabelVisible = false;
    std::string FCustomLabelText;
    bool FHighWindVisible = false;
    bool FVerticalComponentVisible = false;
};

}  // namespace velmo
