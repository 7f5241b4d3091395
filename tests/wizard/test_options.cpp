// The TV system parameter page, driven as a user would on the sample installation
// and on small variations of it.
#include <gtest/gtest.h>

#include "base/numbers.h"
#include "options_fixture.h"
#include "wizard/fmoptions.h"
#include "wizard/options.h"
#include "wizard/command.h"
#include "wizard/pagefactory.h"
#include "wizard/wizard.h"

namespace velmo {
namespace {

using test::StepOneTest;

class TVOptions : public StepOneTest {
protected:
    TOptionsPage& Design() { return WorkingDesign().OptionsPage; }
    TfrmOptions& Enter() {
        FPage = std::make_unique<TfrmOptions>(Next);
        FPage->PageEnter();
        return *FPage;
    }
    std::unique_ptr<TfrmOptions> FPage;
};

TEST_F(TVOptions, NewDesignEntersOnItsStoredChoices) {
    TfrmOptions& p = Enter();
    ASSERT_GE(p.ChannelIndex(), 0);
    EXPECT_EQ(p.Channels().Channel(p.ChannelIndex()).ChannelNumber, "32");
    // Channel 32 of the sample plan offers KLX-UHF, KVR, QD-MAX, QD, WEN and CTM.
    EXPECT_EQ(Enabled(p.FamilyOptions()), (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(SelectedIndex(p.FamilyOptions()), 2);
    EXPECT_EQ(SelectedKey(p.MountOptions()), "S");
    EXPECT_EQ(SelectedKey(p.PolOptions()), "H");
    EXPECT_EQ(SelectedIndex(p.ServiceOptions()), 1);  // the design's stDigital
    EXPECT_EQ(p.ServiceOptions()[0].Caption, "ANALOG (NTSC)");
    EXPECT_EQ(p.ServiceOptions()[1].Caption, "Digital (DTV)");
    EXPECT_FALSE(p.FMFrequencyVisible());
    EXPECT_EQ(p.PageData().FamilyID, "KLX-UHF");
    EXPECT_TRUE(Next.Enabled());
    // Nothing reaches the working design before Next.
    p.ClickFamily(3);
    EXPECT_EQ(Design().FamilyID, "KLX-UHF");
}

TEST_F(TVOptions, EntryCascades) {
    // Channel 5 lists only QD in the variant plan; channel 37 of the sample plan is
    // not active; channel 7 offers VHF families only.
    struct Case {
        const char* Name;
        const char* Channel;
        const char* Family;
        const char* Power;
        bool OnlyQD;
        int ChannelFound;  // 1 found, 0 not
        std::vector<int> EnabledFamilies;
        int SelectedFamily;
        const char* FamilyID;
        std::vector<int> EnabledMounts;
        bool NextEnabled;
    } cases[] = {
        {"inactive channel", "37", "KLX-UHF", "N", false, 0, {}, 2, "KLX-UHF", {0, 1}, false},
        {"stored family not offered", "7", "KVR", "L", false, 1, {0, 1, 10}, 3, "KVR", {0, 1},
         true},
        {"only QD listed", "5", "VARNOK", "N", true, 1, {7, 8}, 7, "QD", {0}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        if (c.OnlyQD)
            UseInstall({{"data/tblChannel_US_To_Antenna.txt",
                         "CHANNEL|FAMILY_ID\n4|KVR\n5|QD\n6|WEN\n"}});
        Design().Channel.ChannelNumber = c.Channel;
        Design().FamilyID = c.Family;
        Design().PowerCode = c.Power;
        TfrmOptions& p = Enter();
        EXPECT_EQ(p.ChannelIndex() >= 0, c.ChannelFound == 1);
        EXPECT_EQ(Enabled(p.FamilyOptions()), c.EnabledFamilies);
        EXPECT_EQ(SelectedIndex(p.FamilyOptions()), c.SelectedFamily);
        EXPECT_EQ(p.PageData().FamilyID, c.FamilyID);
        EXPECT_EQ(Enabled(p.MountOptions()), c.EnabledMounts);
        EXPECT_EQ(Next.Enabled(), c.NextEnabled);
    }
}

TEST_F(TVOptions, OnlyQDSelectsTheFirstEnabledAndLoadsItsMountsAndPolarizations) {
    UseInstall({{"data/tblChannel_US_To_Antenna.txt", "CHANNEL|FAMILY_ID\n5|QD\n9|WEN\n"}});
    Design().Channel.ChannelNumber = "9";
    TfrmOptions& p = Enter();
    ASSERT_TRUE(p.PickChannelByNumber("5"));
    EXPECT_EQ(Enabled(p.FamilyOptions()), (std::vector<int>{7, 8}));
    EXPECT_EQ(SelectedIndex(p.FamilyOptions()), 7);
    EXPECT_EQ(p.PageData().PowerCode, "L");
    EXPECT_EQ(Enabled(p.MountOptions()), (std::vector<int>{0}));
    EXPECT_EQ(Enabled(p.PolOptions()), (std::vector<int>{0, 1}));
    EXPECT_EQ(p.FamilyDescription(), p.FamilyOptions()[7].Description);
}

TEST_F(TVOptions, FMFrequencyMustLieStrictlyBetween88And108) {
    Design().Channel.ChannelNumber = "FM";
    Design().FamilyID = "KLX-VHF";
    TfrmOptions& p = Enter();
    ASSERT_GE(p.ChannelIndex(), 0);
    EXPECT_TRUE(p.FMFrequencyVisible());
    EXPECT_EQ(SelectedIndex(p.ServiceOptions()), 1);
    EXPECT_EQ(p.ServiceOptions()[1].Caption, "FM");
    EXPECT_FALSE(p.ServiceOptions()[0].Enabled);
    struct Case {
        const char* Text;
        char Separator;
        bool Valid;
    } cases[] = {
        {"88", '.', false},   {"108", '.', false},  {"abc", '.', false}, {"", '.', false},
        {"88.1", '.', true},  {"107.9", '.', true}, {"98,1", ',', true}, {"98.1", ',', false},
    };
    for (const Case& c : cases) {
        ScopedDecimalSeparator sep(c.Separator);
        p.SetFMFrequencyText(c.Text);
        EXPECT_EQ(p.ValidateFM(), c.Valid) << c.Text;
        EXPECT_EQ(Next.Enabled(), c.Valid) << c.Text;
    }
    // Back on a TV channel the box goes and the analog option returns.
    ASSERT_TRUE(p.PickChannelByNumber("7"));
    EXPECT_FALSE(p.FMFrequencyVisible());
    EXPECT_TRUE(p.ServiceOptions()[0].Enabled);
    EXPECT_EQ(p.ServiceOptions()[1].Caption, "Digital (DTV)");
}

TEST_F(TVOptions, LeavingWithTheFMChannelStoresTheTypedFrequency) {
    Design().Channel.ChannelNumber = "FM";
    Design().FamilyID = "KLX-VHF";
    Design().FeedCode = "E";
    Design().MaxERPkW = 12;
    TfrmOptions& p = Enter();
    p.SetFMFrequencyText("98.1");
    p.SetCustomLabelText("Mast B");
    ASSERT_TRUE(Next.Enabled());
    p.PageExit();
    const TChannel& c = Design().Channel;
    EXPECT_EQ(c.ChannelNumber, "FM");
    EXPECT_DOUBLE_EQ(c.BegFreq, 98.1);
    EXPECT_DOUBLE_EQ(c.EndFreq, 98.1);
    EXPECT_DOUBLE_EQ(c.Frequency, 99.35);
    EXPECT_DOUBLE_EQ(c.MidFreq, 98.1);
    EXPECT_EQ(c.Desc, "98.1");
    EXPECT_EQ(Design().Service, stDigital);
    EXPECT_EQ(Design().CustomLabel, "Mast B");
    EXPECT_EQ(Design().FamilyID, "KLX-VHF");
    // Fields this page never sets leave with their defaults.
    EXPECT_EQ(Design().FeedCode, "");
    EXPECT_EQ(Design().MaxERPkW, 0);

    // Entering again shows the stored frequency.
    TfrmOptions& again = Enter();
    EXPECT_EQ(again.FMFrequencyText(), "98.1");
    EXPECT_TRUE(Next.Enabled());
}

TEST_F(TVOptions, EllipticalPolarizationSetsTheVerticalComponent) {
    struct Case {
        const char* Family;
        const char* Power;
        const char* Pol;
        bool EntryShown;
        double Value;
    } cases[] = {
        {"KVR", "L", "E", false, 100}, {"QD", "M", "E", false, 100},
        {"KLX-UHF", "N", "E", true, 0}, {"CTM", "", "E", true, 0},
        {"KLX-UHF", "N", "H", false, 0}, {"KVR", "M", "H", false, 0},
    };
    TfrmOptions& p = Enter();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Family) + " " + c.Pol);
        ASSERT_TRUE(p.SelectFamily(c.Family, c.Power));
        p.SetVerticalComponent(40);  // a value the selection must replace
        ASSERT_TRUE(p.SelectPol(c.Pol));
        EXPECT_EQ(p.VerticalComponentVisible(), c.EntryShown);
        EXPECT_EQ(p.PageData().VerticalComponent, c.Value);
    }
    // A stored value survives entry.
    Design().PolCode = "E";
    Design().VerticalComponent = 30;
    TfrmOptions& again = Enter();
    EXPECT_TRUE(again.VerticalComponentVisible());
    EXPECT_EQ(again.PageData().VerticalComponent, 30);
}

TEST_F(TVOptions, MarketRenamesTheAnalogOptionAndReloadsItsChannels) {
    TfrmOptions& p = Enter();
    struct Case {
        TMarketType Market;
        const char* Caption;
        const char* FirstChannel;  // first active row of the market's plan
    } cases[] = {
        {mtEurope, "ANALOG (PAL,SECAM)", "5"},
        {mtAustralia, "ANALOG (PAL)", "6"},
        {mtUS, "ANALOG (NTSC)", "2"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(p.SelectMarket(c.Market));
        EXPECT_EQ(p.Market(), c.Market);
        EXPECT_EQ(p.PageData().Market, c.Market);
        EXPECT_EQ(p.ServiceOptions()[0].Caption, c.Caption);
        ASSERT_GT(p.Channels().Count(), 0);
        EXPECT_EQ(p.Channels().Channel(0).ChannelNumber, c.FirstChannel);
    }
    // The Euro plan comes from its own table: pointing that table elsewhere changes
    // the list.
    UseInstall({{"data/tblChannels_Euro.txt",
                 "ACTIVE|CHANNEL|BEG_FREQ|END_FREQ\n1|E21|470|478\n0|E22|478|486\n1|E23|486|494\n"}});
    ASSERT_TRUE(p.SelectMarket(mtEurope));
    ASSERT_EQ(p.Channels().Count(), 2);
    EXPECT_EQ(p.Channels().Channel(1).ChannelNumber, "E23");
    EXPECT_EQ(p.Channels().Channel(1).Desc, "486 - 494 MHz");
}

TEST_F(TVOptions, HighWindBoxForTopMountedKLXUHFOnly) {
    TfrmOptions& p = Enter();
    EXPECT_FALSE(p.HighWindVisible());
    ASSERT_TRUE(p.SelectMount("T"));
    EXPECT_TRUE(p.HighWindVisible());
    p.SetHighWind(true);
    EXPECT_TRUE(p.PageData().HighWind);
    ASSERT_TRUE(p.SelectMount("S"));
    EXPECT_FALSE(p.HighWindVisible());
    EXPECT_TRUE(p.PageData().HighWind);  // hiding keeps the tick
    ASSERT_TRUE(p.SelectFamily("KVR", "M"));
    ASSERT_TRUE(p.SelectMount("T"));
    EXPECT_FALSE(p.HighWindVisible());
}

TEST_F(TVOptions, CustomFamilyShowsTheLabelBoxAndKeysThatDoNotExistAreRefused) {
    TfrmOptions& p = Enter();
    EXPECT_FALSE(p.CustomLabelVisible());
    ASSERT_TRUE(p.SelectFamily("CTM"));
    EXPECT_TRUE(p.CustomLabelVisible());
    EXPECT_EQ(p.FamilyDescription(),
              "Create your custom antenna by defining the azimuth and elevation gain values.");
    EXPECT_FALSE(p.SelectFamily("HOV"));  // not offered on channel 32
    EXPECT_FALSE(p.SelectFamily("KVR", "N"));
    EXPECT_FALSE(p.PickChannelByNumber("999"));
    EXPECT_EQ(p.PageData().FamilyID, "CTM");
    ASSERT_TRUE(p.SelectFamily("KVR"));  // first enabled KVR: low power
    EXPECT_EQ(p.PageData().PowerCode, "L");
    EXPECT_FALSE(p.CustomLabelVisible());
}

TEST_F(TVOptions, ReadNoteShowsItsMessage) {
    TfrmOptions& p = Enter();
    p.ShowReadNote();
    ASSERT_EQ(UIScript.Log.size(), 1u);
    EXPECT_EQ(UIScript.Log[0].Kind, TMsgKind::Information);
    EXPECT_EQ(UIScript.Log[0].Buttons, TMsgButtons::Ok);
    EXPECT_EQ(UIScript.Log[0].Text,
              "FM antenna manufacturers typically specify the Antenna Power gain value that "
              "is normally computed by this program for the power analysis.  HPOL and VPOL "
              "plane values need to be entered for the power analysis to be correct when "
              "selecting elliptical/circular polarization.");
}

TEST_F(TVOptions, BadTablesStopTheLoadingWithTheirMessageAndLeaveTheDesign) {
    struct Case {
        const char* Name;
        std::map<std::string, std::string> Files;
        const char* Message;  // start of the message
    } cases[] = {
        {"missing join table", {{"data/tblChannel_US_To_Antenna.txt", ""}}, "Cannot open file \""},
        {"bad frequency",
         {{"data/tblChannels_US.txt", "ACTIVE|CHANNEL|BEG_FREQ|END_FREQ\n1|31|572|578\n1|32|5x|584\n"}},
         "'5x' is not a valid floating point value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        UseInstall(c.Files);
        Design().CustomLabel = "kept";
        Next.SetEnabled(true);  // as the wizard leaves it before a page enters
        try {
            Enter();
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.Message, 0), 0u) << e.what();
        }
        EXPECT_FALSE(Next.Enabled());
        EXPECT_EQ(Design().CustomLabel, "kept");
        EXPECT_EQ(Design().Channel.ChannelNumber, "32");
    }
    // A market whose plan is missing fails the click, and the page stays usable.
    InitFolders(test::BinDir());
    UseInstall({{"data/tblChannels_Australian.txt", ""}});
    TfrmOptions& p = Enter();
    EXPECT_THROW(p.SelectMarket(mtAustralia), Error);
    EXPECT_TRUE(p.SelectMarket(mtUS));
    EXPECT_TRUE(Next.Enabled());
}

// The same through the wizard window's road: the step fails to load with the table's
// message in an error box, Next stays off, Cancel still leaves, nothing is committed.
TEST_F(TVOptions, AStepThatFailsToLoadShowsTheErrorAndTheWizardCanBeCancelled) {
    UseInstall({{"data/tblChannel_US_To_Antenna.txt", ""}});
    WorkingDesign().DesignInfo.SystemType = "TV";
    Design().CustomLabel = "kept";
    TfrmWizard wizard;
    int closes = 0;
    wizard.OnClose = [&] { ++closes; };
    EXPECT_FALSE(RunCommand([&] { wizard.SetPageIndex(1); }));
    ASSERT_EQ(UIScript.Messages().size(), 1u);
    EXPECT_EQ(UIScript.Messages()[0].rfind("Cannot open file \"", 0), 0u) << UIScript.Messages()[0];
    EXPECT_NE(UIScript.Messages()[0].find("tblChannel_US_To_Antenna.txt"), std::string::npos);
    EXPECT_EQ(wizard.CurrentPageClass(), "TfrmOptions");
    EXPECT_FALSE(wizard.NextButton.Enabled());
    wizard.NextClick();  // a disabled Next does nothing
    EXPECT_EQ(wizard.PageIndex(), 1);
    UIScript.Answers = {TMsgResult::Yes};
    EXPECT_TRUE(RunCommand([&] { wizard.CancelClick(); }));
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(wizard.Commit);
    EXPECT_EQ(Design().CustomLabel, "kept");
    WorkingDesign().DesignInfo.SystemType.clear();
}

}  // namespace
}  // namespace velmo

namespace velmo {
namespace {

TEST(StepOnePages, TheFactoryBuildsBothPages) {
    TWizardButton next;
    EXPECT_NE(dynamic_cast<TfrmOptions*>(CreateWizardPage("TfrmOptions", next).get()), nullptr);
    EXPECT_NE(dynamic_cast<TfrmFMOptions*>(CreateWizardPage("TfrmFMOptions", next).get()),
              nullptr);
}

}  // namespace
}  // namespace velmo
