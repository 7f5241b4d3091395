#include <gtest/gtest.h>

#include "refdata/tablelookup.h"
#include "test_support.h"

namespace velmo {

TEST(TableLookup, FileNamesByMarket) {
    struct Case {
        TMarketType Market;
        const char* Channels;
        const char* Families;
        const char* FMFamilies;
    } cases[] = {
        {mtUS, "tblChannels_US.txt", "tblChannel_US_To_Antenna.txt",
         "tblFM_Channel_To_FamilyID_US.txt"},
        {mtEurope, "tblChannels_Euro.txt", "tblChannel_Euro_To_Antenna.txt",
         "tblFM_Channel_To_FamilyID_Euro.txt"},
        {mtAustralia, "tblChannels_Australian.txt", "tblChannel_Aus_To_Antenna.txt",
         "tblFM_Channel_To_FamilyID_Aus.txt"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TVChannelTableName(c.Market), c.Channels);
        EXPECT_EQ(TVChannelToFamilyTableName(c.Market), c.Families);
        EXPECT_EQ(FMChannelToFamilyTableName(c.Market), c.FMFamilies);
    }
}

TEST(TableLookup, MatchingRowsInFileOrderWithDuplicates) {
    test::TempDir dir;
    const std::string f = dir.Write("t.txt", "CHANNEL|FAMILY_ID\n5|QD\n6|WEN\n5|KVR\n 5|HOV\n5|QD\n");
    TAntennaList list;
    list.AddData("stale");
    ReadMatchingKeys(list, f, "family_id", "CHANNEL", "5");
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Item(0).Key, "QD");
    EXPECT_EQ(list.Item(1).Key, "KVR");
    EXPECT_EQ(list.Item(2).Key, "QD");
    EXPECT_TRUE(TableHasValue(f, "FAMILY_ID", "WEN"));
    EXPECT_FALSE(TableHasValue(f, "FAMILY_ID", "wen"));
    EXPECT_FALSE(TableHasValue(f, "FAMILY_ID", ""));
}

TEST(TableLookup, ActiveChannelsOnlyAndBadFrequenciesRaise) {
    test::TempDir dir;
    TChannelList channels;
    ReadActiveChannels(dir.Write("a.txt", "ACTIVE|CHANNEL|BEG_FREQ|END_FREQ\n1|2|54|60\n0|3|60|66\n"
                                          " 1|4|66|72\n1|5|76|82\n"),
                       channels);
    ASSERT_EQ(channels.Count(), 2);
    EXPECT_EQ(channels.Channel(1).ChannelNumber, "5");
    EXPECT_DOUBLE_EQ(channels.Channel(1).MidFreq, 79);
    EXPECT_THROW(ReadActiveChannels(dir.Write("b.txt", "ACTIVE|CHANNEL|BEG_FREQ|END_FREQ\n"
                                                      "1|2|54|60\n1|3|x|66\n"),
                                    channels),
                 ConvertError);
    EXPECT_THROW(ReadActiveChannels(dir.File("missing.txt"), channels), Error);
}

}  // namespace velmo
