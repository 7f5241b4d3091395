#pragma once
// Step 1 of an FM design: channel, polarization, antenna family, mounting, feed,
// radomes, deicers and the maximum ERP. Each choice re-runs the part of the cascade
// below it (UpdateForm). The choices live in a private copy of the working design's
// options until Next copies them back.
//
// Every user action has a method here; the widget and the command line call the same
// methods. Each public method ends by announcing Changed().
#include <string>

#include "base/types.h"
#include "model/design.h"
#include "wizard/optionbutton.h"
#include "wizard/wizardpage.h"

namespace velmo {

struct TStationClass {
    const char* Caption;
    double ERPkW;
};

class TfrmFMOptions : public TWizardPage {
public:
    // Takes its copy of the working design's options here.
    explicit TfrmFMOptions(TWizardButton& nextButton);

    void PageEnter() override;
    void PageExit() override;

    // Where a change happened, for UpdateForm.
    enum TEntry {
        enAll = 0, enChannel = 1, enPolarization = 2, enFamily = 3, enMount = 4,
        enFeed = 5, enRadome = 6, enDeicer = 7, enERP = 8
    };
    void UpdateForm(int entry);

    // ---- user actions (each ignored while Updating) ------------------------------------
    void PickChannel(int index);
    void ClickPol(int index);
    void ClickFamily(int index);
    void ClickMount(int index);
    void ClickFeed(int index);
    void SetRadome(bool value);
    void SetDeicer(bool value);
    // The ERP box's text changed (typed or set).
    void SetERPText(const std::string& text);
    // Enter pressed in the ERP box, or the box was left: a value below 0 becomes "0",
    // above 1000 becomes "1000"; a text that does not read stays.
    void ERPEditDone();
    void PressStationClass(int index);
    void SetCustomLabelText(const std::string& text);
    // The same by key or value; false (and nothing done) when no enabled button has
    // the key or no channel the number.
    bool PickChannelByNumber(const std::string& channelNumber);
    bool SelectPol(const std::string& key);
    bool SelectFamily(const std::string& key);
    bool SelectMount(const std::string& key);
    bool SelectFeed(const std::string& key);
    // Whether a key typed into the ERP box is taken: digits, "-", the decimal
    // separator and backspace.
    static bool ERPKeyAccepted(char key);

    // ---- the page's operations ---------------------------------------------------------
    // Deselects every button (without running click handling) and enables those whose
    // key occurs in `list`.
    static void EnableOptions(const TDataList& list, TOptionGroup& options);
    bool GetIfOnList(const std::string& fileName, const std::string& key,
                     const std::string& compareField) const;
    bool ValidateAll();
    // One selected, or none enabled (a group with no choice is complete).
    static bool ValidateOptions(const TOptionGroup& options);

    // ---- state, for the widget and for tests --------------------------------------------
    bool Updating() const { return FUpdating; }
    const TOptionGroup& FamilyOptions() const { return FFamilyOptions; }
    const TOptionGroup& MountOptions() const { return FMountOptions; }
    const TOptionGroup& PolOptions() const { return FPolOptions; }
    const TOptionGroup& FeedOptions() const { return FFeedOptions; }
    static const std::vector<TStationClass>& StationClasses();
    const TChannelList& Channels() const { return FChannels; }
    int ChannelIndex() const { return FChannelIndex; }
    const TAntennaList& Antennas() const { return FAntennas; }
    const TOptionsPage& PageData() const { return FPageData; }
    const std::string& FamilyDescription() const { return FDescription; }
    bool CustomLabelVisible() const { return FCustomLabelVisible; }
    const std::string& CustomLabelText() const { return FCustomLabelText; }
    bool RadomeEnabled() const { return FRadomeEnabled; }
    bool RadomeChecked() const { return FRadomeChecked; }
    bool DeicerEnabled() const { return FDeicerEnabled; }
    bool DeicerChecked() const { return FDeicerChecked; }
    const std::string& ERPText() const { return FERPText; }

    static const char* const kNoFamilyText;

private:
    void LoadUI();
    void GetData(TDataList& list, const std::string& fileName, const std::string& key,
                 const std::string& compareField, const std::string& value);
    void ChooseSingle(TOptionGroup& options, std::string& code);

    bool FUpdating = false;
    TOptionGroup FFamilyOptions;
    TOptionGroup FMountOptions;
    TOptionGroup FPolOptions;
    TOptionGroup FFeedOptions;
    TChannelList FChannels;
    int FChannelIndex = -1;
    TAntennaList FAntennasForThisChannel;
    TAntennaList FAntennasForThisPolarization;
    TAntennaList FAntennas;
    TMountList FMounts;
    TFeedList FFeeds;
    TOptionsPage FPageData;
    std::string FDescription;
    bool FCustomLabelVisible = false;
    std::string FCustomLabelText;
    bool FRadomeEnabled = false;
    bool FRadomeChecked = false;
    bool FDeicerEnabled = false;
    bool FDeicerChecked = false;
    std::string FERPText;
};

}  // namespace velmo
