// The FM system parameter page and its cascade, driven as a user would on the sample
// installation and on small variations of it.
#include <gtest/gtest.h>

#include "base/numbers.h"
#include "options_fixture.h"
#include "wizard/fmoptions.h"

namespace velmo {
namespace {

using test::StepOneTest;

// Sample FM data, channel 201: all nine families; by polarization E: RNVX, TGX, BKX,
// 240C, VOLKA, CTM; V: K410, K460, CTM; H: RNVH, CTM.
class FMOptions : public StepOneTest {
protected:
    void SetUp() override {
        StepOneTest::SetUp();
        WorkingDesign().DesignInfo.SystemType = "FM";
        Design().PolCode = "";  // as a new FM design arrives
        Design().FamilyID = "";
        Design().Channel.ChannelNumber = "201";
    }
    TOptionsPage& Design() { return WorkingDesign().OptionsPage; }
    TfrmFMOptions& Enter() {
        FPage = std::make_unique<TfrmFMOptions>(Next);
        FPage->PageEnter();
        return *FPage;
    }
    std::unique_ptr<TfrmFMOptions> FPage;
};

TEST_F(FMOptions, NewDesignStartsCircularWithNoERPAndWalksToNext) {
    Design().Channel.ChannelNumber = "32";  // a TV channel: not in the FM plan
    TfrmFMOptions& p = Enter();
    EXPECT_FALSE(p.Updating());
    ASSERT_EQ(p.ChannelIndex(), 0);
    EXPECT_EQ(p.PageData().Channel.ChannelNumber, "201");
    EXPECT_DOUBLE_EQ(p.PageData().Channel.MidFreq, 88.1);
    EXPECT_EQ(SelectedKey(p.PolOptions()), "E");
    EXPECT_EQ(p.PageData().PolCode, "E");
    EXPECT_EQ(p.ERPText(), "0");
    EXPECT_EQ(Enabled(p.FamilyOptions()), (std::vector<int>{0, 1, 2, 4, 7, 8}));
    EXPECT_EQ(SelectedIndex(p.FamilyOptions()), -1);
    EXPECT_EQ(p.FamilyDescription(),
              "For directional FM antennas and master FM antennas please contact Orvane.");
    EXPECT_FALSE(Next.Enabled());

    p.SetERPText("50");
    EXPECT_FALSE(Next.Enabled());  // families offered, none chosen
    ASSERT_TRUE(p.SelectFamily("TGX"));
    EXPECT_EQ(p.FamilyDescription(), p.FamilyOptions()[1].Description);
    EXPECT_EQ(SelectedKey(p.MountOptions()), "S");  // the only mount
    EXPECT_EQ(p.PageData().MountCode, "S");
    EXPECT_EQ(Enabled(p.FeedOptions()), (std::vector<int>{0, 1}));
    EXPECT_EQ(SelectedIndex(p.FeedOptions()), -1);
    EXPECT_FALSE(Next.Enabled());
    ASSERT_TRUE(p.SelectFeed("C"));
    EXPECT_TRUE(Next.Enabled());
    ASSERT_TRUE(p.PickChannelByNumber("250"));
    EXPECT_EQ(p.PageData().Channel.ChannelNumber, "250");
    EXPECT_EQ(p.PageData().FamilyID, "TGX");  // channel 250 still offers TGX

    EXPECT_EQ(Design().FamilyID, "");  // nothing written before Next
    p.SetCustomLabelText("North");
    p.PageExit();
    EXPECT_EQ(Design().Channel.ChannelNumber, "250");
    EXPECT_EQ(Design().FamilyID, "TGX");
    EXPECT_EQ(Design().FeedCode, "C");
    EXPECT_EQ(Design().MaxERPkW, 50);
    EXPECT_EQ(Design().CustomLabel, "North");
    EXPECT_EQ(Design().Service, stDigital);

    // Entering again restores it all; the channel is the stored one.
    TfrmFMOptions& again = Enter();
    EXPECT_EQ(again.PageData().Channel.ChannelNumber, "250");
    EXPECT_EQ(SelectedKey(again.FamilyOptions()), "TGX");
    EXPECT_EQ(SelectedKey(again.FeedOptions()), "C");
    EXPECT_EQ(again.ERPText(), "50");
    EXPECT_EQ(again.CustomLabelText(), "North");
    EXPECT_TRUE(Next.Enabled());
}

TEST_F(FMOptions, CascadeOnEntry) {
    struct Case {
        const char* Name;
        const char* Pol;
        const char* Family;
        const char* Mount;
        const char* Feed;
        const char* Families;  // table text for channel 201, empty: sample
        const char* SelectedFamily;
        const char* FamilyID;
        const char* MountCode;
        const char* FeedCode;
        bool NextEnabled;  // with a maximum ERP of 10
    } cases[] = {
        {"no family for channel and polarization", "E", "RNVX", "T", "E",
         "CHANNEL|FAMILY_ID\n201|K410\n201|RNVH\n", "-", "", "", "", true},
        {"single feed chosen without a click", "V", "K460", "S", "", "", "K460", "K460", "S",
         "P", true},
        {"single mount and feed", "E", "240C", "T", "C", "", "240C", "240C", "S", "E", true},
        {"stored feed matches neither of two", "E", "RNVX", "T", "P", "", "RNVX", "RNVX", "T",
         "P", false},
        {"stored family not for the polarization", "V", "RNVX", "S", "E", "", "-", "", "", "",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        if (*c.Families) UseInstall({{"FM data/tblFM_Channel_To_FamilyID_US.txt", c.Families}});
        else InitFolders(test::BinDir());
        Design().PolCode = c.Pol;
        Design().FamilyID = c.Family;
        Design().MountCode = c.Mount;
        Design().FeedCode = c.Feed;
        Design().MaxERPkW = 10;
        TfrmFMOptions& p = Enter();
        EXPECT_EQ(SelectedKey(p.FamilyOptions()), c.SelectedFamily);
        EXPECT_EQ(p.PageData().FamilyID, c.FamilyID);
        EXPECT_EQ(p.PageData().MountCode, c.MountCode);
        EXPECT_EQ(p.PageData().FeedCode, c.FeedCode);
        EXPECT_EQ(p.ERPText(), "10");
        EXPECT_EQ(Next.Enabled(), c.NextEnabled);
    }
}

TEST_F(FMOptions, PolarizationChangeDeselectsAFamilyItDoesNotOffer) {
    Design().PolCode = "E";
    Design().FamilyID = "RNVX";
    Design().MaxERPkW = 20;
    TfrmFMOptions& p = Enter();
    ASSERT_EQ(SelectedKey(p.FamilyOptions()), "RNVX");
    ASSERT_TRUE(p.SelectPol("V"));
    EXPECT_EQ(SelectedIndex(p.FamilyOptions()), -1);
    EXPECT_EQ(p.PageData().FamilyID, "");
    EXPECT_EQ(Enabled(p.FamilyOptions()), (std::vector<int>{5, 6, 8}));
    EXPECT_FALSE(Next.Enabled());
    // CTM is offered for every polarization and stays selected across a change.
    ASSERT_TRUE(p.SelectFamily("CTM"));
    EXPECT_TRUE(p.CustomLabelVisible());
    ASSERT_TRUE(p.SelectPol("H"));
    EXPECT_EQ(SelectedKey(p.FamilyOptions()), "CTM");
}

TEST_F(FMOptions, RadomeAndDeicerFollowTheFamily) {
    Design().PolCode = "E";
    Design().FamilyID = "RNVX";
    Design().Radome = true;
    Design().Deicer = true;
    TfrmFMOptions& p = Enter();
    EXPECT_TRUE(p.RadomeEnabled());
    EXPECT_TRUE(p.RadomeChecked());
    EXPECT_TRUE(p.DeicerChecked());
    ASSERT_TRUE(p.SelectFamily("VOLKA"));  // deicers but no radomes
    EXPECT_FALSE(p.RadomeEnabled());
    EXPECT_FALSE(p.RadomeChecked());
    EXPECT_FALSE(p.PageData().Radome);
    EXPECT_TRUE(p.DeicerEnabled());
    EXPECT_TRUE(p.PageData().Deicer);
    ASSERT_TRUE(p.SelectFamily("RNVX"));
    EXPECT_FALSE(p.RadomeChecked());  // the cleared choice does not come back
    p.SetRadome(true);
    EXPECT_TRUE(p.PageData().Radome);
    ASSERT_TRUE(p.SelectFamily("240C"));  // neither
    EXPECT_FALSE(p.PageData().Radome);
    EXPECT_FALSE(p.PageData().Deicer);
    p.SetDeicer(true);  // a disabled box takes no tick
    EXPECT_FALSE(p.PageData().Deicer);
}

TEST_F(FMOptions, FamilyClickResetsTheFMElevationGain) {
    WorkingDesign().ElevationPage.FMPattern.SetGain(7.5);
    TfrmFMOptions& p = Enter();
    EXPECT_EQ(WorkingDesign().ElevationPage.FMPattern.Gain(), 7.5);  // entering is not a click
    ASSERT_TRUE(p.SelectFamily("BKX"));
    EXPECT_EQ(WorkingDesign().ElevationPage.FMPattern.Gain(), 1);
}

TEST_F(FMOptions, StationClassButtonsEnterTheirERP) {
    TfrmFMOptions& p = Enter();
    const double expected[] = {3, 6, 25, 50, 100, 100};
    ASSERT_EQ(TfrmFMOptions::StationClasses().size(), std::size(expected));
    EXPECT_STREQ(TfrmFMOptions::StationClasses()[4].Caption, "Class C1");
    EXPECT_STREQ(TfrmFMOptions::StationClasses()[5].Caption, "Class C");
    for (size_t i = 0; i < std::size(expected); ++i) {
        p.PressStationClass(static_cast<int>(i));
        EXPECT_EQ(p.PageData().MaxERPkW, expected[i]);
        EXPECT_EQ(p.ERPText(), FormatGeneral(expected[i]));
    }
}

TEST_F(FMOptions, ERPBoxReadsAndLimitsItsText) {
    Design().PolCode = "E";
    Design().FamilyID = "240C";
    TfrmFMOptions& p = Enter();
    struct Case {
        const char* Typed;
        char Separator;
        const char* Shown;  // after Enter or leaving
        double ERP;
        bool NextEnabled;
    } cases[] = {
        {"1500", '.', "1000", 1000, true}, {"1000", '.', "1000", 1000, true},
        {"-5", '.', "0", 0, false},         {"abc", '.', "abc", 0, false},
        {"", '.', "", 0, false},            {"12.5", '.', "12.5", 12.5, true},
        {"12,5", ',', "12,5", 12.5, true},  {"0.001", '.', "0.001", 0.001, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Typed);
        ScopedDecimalSeparator sep(c.Separator);
        p.SetERPText(c.Typed);
        p.ERPEditDone();
        EXPECT_EQ(p.ERPText(), c.Shown);
        EXPECT_EQ(p.PageData().MaxERPkW, c.ERP);
        EXPECT_EQ(Next.Enabled(), c.NextEnabled);
    }
    for (char k : std::string("0123456789-.\b")) EXPECT_TRUE(TfrmFMOptions::ERPKeyAccepted(k)) << k;
    for (char k : std::string("aE+ /")) EXPECT_FALSE(TfrmFMOptions::ERPKeyAccepted(k)) << k;
}

TEST_F(FMOptions, CorporateFeedIsStoredLikeTheOthers) {
    Design().PolCode = "E";
    Design().FamilyID = "CTM";
    Design().FeedCode = "E";
    Design().MaxERPkW = 5;
    TfrmFMOptions& p = Enter();
    ASSERT_EQ(Enabled(p.FeedOptions()), (std::vector<int>{0, 1, 2}));
    ASSERT_EQ(SelectedKey(p.FeedOptions()), "E");
    ASSERT_TRUE(p.SelectFeed("P"));
    EXPECT_EQ(SelectedKey(p.FeedOptions()), "P");
    EXPECT_EQ(p.PageData().FeedCode, "P");
    EXPECT_TRUE(Next.Enabled());
    p.PageExit();
    EXPECT_EQ(Design().FeedCode, "P");
}

TEST_F(FMOptions, ValidateOptionsCountsAGroupWithoutChoiceAsComplete) {
    TOptionGroup none = {{"a", "A", "", "", false, false}, {"b", "B", "", "", false, false}};
    TOptionGroup open = {{"a", "A", "", "", true, false}, {"b", "B", "", "", false, false}};
    TOptionGroup chosen = {{"a", "A", "", "", true, true}, {"b", "B", "", "", true, false}};
    EXPECT_TRUE(TfrmFMOptions::ValidateOptions(none));
    EXPECT_FALSE(TfrmFMOptions::ValidateOptions(open));
    EXPECT_TRUE(TfrmFMOptions::ValidateOptions(chosen));
}

TEST_F(FMOptions, BadTablesStopTheLoadingAndLeaveThePageUsable) {
    struct Case {
        const char* Name;
        std::map<std::string, std::string> Files;
        const char* Message;
    } cases[] = {
        {"missing radome table", {{"FM data/tblRadomes.txt", ""}}, "Cannot open file \""},
        {"bad frequency",
         {{"FM data/tblFM_Channels_List_US.txt",
           "ACTIVE|CHANNEL|BEG_FREQ|END_FREQ\n1|201|88|88.2\n1|202|88.2|8x8.4\n"}},
         "'8x8.4' is not a valid floating point value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        UseInstall(c.Files);
        Design().CustomLabel = "kept";
        try {
            Enter();
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.Message, 0), 0u) << e.what();
        }
        EXPECT_FALSE(FPage->Updating());
        EXPECT_EQ(Design().CustomLabel, "kept");
        EXPECT_EQ(Design().PolCode, "");
    }
    // A table that goes missing mid-way fails the click only.
    InitFolders(test::BinDir());
    Design().MaxERPkW = 4;
    TfrmFMOptions& p = Enter();
    UseInstall({{"FM data/tblFamilyID_To_Feed_Type.txt", ""}});
    EXPECT_THROW(p.SelectFamily("TGX"), Error);
    EXPECT_FALSE(p.Updating());
    InitFolders(test::BinDir());
    EXPECT_TRUE(p.SelectFamily("240C"));
    EXPECT_TRUE(Next.Enabled());
}

}  // namespace
}  // namespace velmo
