#include <gtest/gtest.h>

#include "base/numbers.h"
#include "base/types.h"

using namespace velmo;

TEST(Enumerations, OrdinalsAreTheFileFormat) {
    EXPECT_EQ(0, ptHorizontal); EXPECT_EQ(1, ptVertical); EXPECT_EQ(2, ptFM);
    EXPECT_EQ(0, stAnalog); EXPECT_EQ(1, stDigital);
    EXPECT_EQ(0, mtUS); EXPECT_EQ(1, mtEurope); EXPECT_EQ(2, mtAustralia);
    EXPECT_EQ(0, itSix); EXPECT_EQ(1, itSeven); EXPECT_EQ(2, itEight);
    EXPECT_EQ(0, rtFiveToTen); EXPECT_EQ(1, FiveToNinety);
    EXPECT_EQ(0, vtPortrait); EXPECT_EQ(1, vtStretch);
    EXPECT_EQ(0, ptRP); EXPECT_EQ(1, ptRF);
}

TEST(OptionLists, AnswerFromTheirTablesCaseSensitively) {
    struct Case { const char* key; std::string want; };
    TAntennaList antennas;
    TMountList mounts;
    TFeedList feeds;
    TPolarizationList pols;
    TDataList base;
    for (auto [key, want] : std::vector<Case>{{"KLX-VHF", "MIRALDO VHF"}, {"KLX-UHF", "MIRALDO UHF"},
                                              {"KVR", "KVR Series"}, {"QD", "QD Series"},
                                              {"QD-MAX", "QD MAX"}, {"WEN", "WEN"},
                                              {"VARNOK", "VARNOK"}, {"kvr", "Unknown Antenna"}})
        EXPECT_EQ(want, antennas.GetDesc(key)) << key;
    EXPECT_EQ("Side Mount", mounts.GetDesc("S"));
    EXPECT_EQ("Top Mount", mounts.GetDesc("T"));
    EXPECT_EQ("Unknown Mount-Check data", mounts.GetDesc("s"));
    EXPECT_EQ("Center Feed", feeds.GetDesc("C"));
    EXPECT_EQ("End Feed", feeds.GetDesc("E"));
    EXPECT_EQ("Unknown Feed-Check data", feeds.GetDesc("P"));
    EXPECT_EQ("Elliptical / Circular", pols.GetDesc("E"));
    EXPECT_EQ("Unknown polarization", pols.GetDesc("V"));

    mounts.AddData("X");
    base.AddData("S");
    EXPECT_EQ("Unknown Mount-Check data", mounts.Data(0).Desc);
    EXPECT_EQ("", base.Data(0).Desc);
    // Data returns a copy.
    TData copy = mounts.Data(0);
    copy.Desc = "changed";
    EXPECT_EQ("Unknown Mount-Check data", mounts.Data(0).Desc);
    EXPECT_THROW(mounts.Data(1), ListIndexError);
}

TEST(ChannelList, AddChannelKeepsTheTextsAndComputesFrequencies) {
    TChannelList list;
    list.AddChannel("32", "578", "584");
    list.AddChannel("FM", "98.1", "98.1");
    const TChannel& c = list.Channel(0);
    EXPECT_EQ("578 - 584 MHz", c.Desc);
    EXPECT_DOUBLE_EQ(579.25, c.Frequency);
    EXPECT_DOUBLE_EQ(581, c.MidFreq);
    EXPECT_EQ("98.1 - 98.1 MHz", list.Channel(1).Desc);
    EXPECT_DOUBLE_EQ(99.35, list.Channel(1).Frequency);
    EXPECT_DOUBLE_EQ(98.1, list.Channel(1).MidFreq);
    // Channel is a reference into the list.
    list.Channel(0).Desc = "edited";
    EXPECT_EQ("edited", list.Channel(0).Desc);
}

TEST(ChannelList, ANonNumberAddsNothing) {
    TChannelList list;
    try {
        list.AddChannel("7", "174", "18O");
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ("'18O' is not a valid floating point value", e.what());
    }
    EXPECT_EQ(0, list.Count());
    ScopedDecimalSeparator comma(',');
    list.AddChannel("FM", "98,1", "98,3");
    EXPECT_DOUBLE_EQ(98.2, list.Channel(0).MidFreq);
    EXPECT_EQ("98,1 - 98,3 MHz", list.Channel(0).Desc);
    // The texts come from the channel tables, which hold "." decimals in every locale.
    list.AddChannel("FM", "98.1", "98.3");
    EXPECT_DOUBLE_EQ(98.2, list.Channel(1).MidFreq);
    EXPECT_EQ("98.1 - 98.3 MHz", list.Channel(1).Desc);
    EXPECT_THROW(list.AddChannel("FM", "98.1", "98,3.1"), ConvertError);
}

TEST(RealPointList, CopiesVersusReferences) {
    TRealPointList a;
    a.AddPoint(1, 2);
    a.AddPoint(TRealPoint{3, 4});
    a.InsertPoint(0, 0, 9);
    EXPECT_EQ(3, a.Count());
    EXPECT_DOUBLE_EQ(9, a.Point(0).Y);
    TRealPoint copy = a.Point(1);  // a copy: the list keeps its value
    copy.Y = 100;
    EXPECT_NE(copy.Y, a.Point(1).Y);
    EXPECT_DOUBLE_EQ(2, a.Point(1).Y);
    a.PPoint(1).Y = 100;
    EXPECT_DOUBLE_EQ(100, a.Point(1).Y);

    TRealPointList b;
    b.Assign(a);
    a.PPoint(0).X = 55;
    EXPECT_DOUBLE_EQ(0, b.Point(0).X);
    TRealPointList empty;
    b.Assign(empty);
    EXPECT_EQ(0, b.Count());
    EXPECT_THROW(a.Point(3), ListIndexError);
    EXPECT_THROW(a.InsertPoint(5, 0, 0), ListIndexError);
    EXPECT_EQ(3, a.Count());
}
