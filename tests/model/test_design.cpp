// The design document: defaults, the Modified notification, Assign and the title.
#include <gtest/gtest.h>

#include "model/design.h"

using namespace velmo;

TEST(Design, CreateDefaults) {
    TBroadcastDesign d;
    EXPECT_FALSE(d.Modified());
    EXPECT_EQ(d.FileName, "");
    EXPECT_EQ(d.InputType(), "CONTACT Orvane");
    EXPECT_TRUE(d.ReportTitle.empty());
    EXPECT_TRUE(d.DesignInfo.Notes.empty());
    EXPECT_EQ(d.DesignInfo.Date, 0);
    EXPECT_EQ(d.DesignInfo.SystemType, "");
    const TOptionsPage& o = d.OptionsPage;
    EXPECT_EQ(o.Market, mtUS);
    EXPECT_EQ(o.Channel.ChannelNumber, "32");
    EXPECT_EQ(o.Channel.MidFreq, 0);
    EXPECT_EQ(o.FamilyID, "KLX-UHF");
    EXPECT_EQ(o.PowerCode, "N");
    EXPECT_EQ(o.MountCode, "S");
    EXPECT_EQ(o.PolCode, "H");
    EXPECT_EQ(o.FeedCode, "");
    EXPECT_EQ(o.Service, stDigital);
    EXPECT_FALSE(o.Radome || o.Deicer || o.HighWind);
    EXPECT_EQ(o.MaxERPkW, 0);
    EXPECT_EQ(o.VerticalComponent, 0);
}

TEST(Design, EveryWriteOfModifiedNotifiesOnce) {
    TBroadcastDesign d;
    std::vector<bool> seen;
    d.SetOnModify([&](TBroadcastDesign& sender, bool v) {
        EXPECT_EQ(&sender, &d);
        seen.push_back(v);
    });
    d.SetModified(false);  // unchanged value, still reported
    d.SetModified(true);
    d.SetModified(true);
    EXPECT_EQ(seen, (std::vector<bool>{false, true, true}));
    EXPECT_TRUE(d.Modified());
}

TEST(Design, AssignCopiesPagesButNotFileTitleOrFlag) {
    TBroadcastDesign src;
    src.FileName = "/a/src.bcst";
    src.ReportTitle = {"src title"};
    src.SetInputType("3-1/8 EIA");
    src.DesignInfo.CompanyName = "ACME";
    src.DesignInfo.Notes = {"one", "two"};
    src.DesignInfo.Date = 45000.5;
    src.DesignInfo.SystemType = "FM";
    src.DesignInfo.Location2 = "Hill";
    src.OptionsPage.FamilyID = "RNVX";
    src.OptionsPage.Channel = {"201", 88, 88.2, 88.1, 88.1, "88.1 MHz"};
    src.OptionsPage.Radome = true;
    src.OptionsPage.MaxERPkW = 50;
    src.AzimuthPage.HorzPattern.PatternCode = "OC";
    src.AzimuthPage.SetAngle(30);
    src.ElevationPage.HorzPattern.BaseCose = "KVR16";
    src.LinesPage.VertLength = 321;
    src.LinesPage.Line.PartNumber = "HJ8";
    src.AnalysisPage.Analysis.LinePeakPower = 100;
    src.AnalysisPage.Analysis.SetTransmitterPowerkW(7);

    TBroadcastDesign dst;
    dst.FileName = "/b/dst.bcst";
    dst.ReportTitle = {"dst title"};
    dst.DesignInfo.Notes = {"old"};
    int notified = 0;
    dst.SetOnModify([&](TBroadcastDesign&, bool) { ++notified; });
    dst.SetModified(true);
    notified = 0;

    dst.Assign(src);
    EXPECT_EQ(notified, 0);
    EXPECT_TRUE(dst.Modified());
    EXPECT_EQ(dst.FileName, "/b/dst.bcst");
    EXPECT_EQ(dst.ReportTitle, std::vector<std::string>{"dst title"});
    EXPECT_EQ(dst.InputType(), "3-1/8 EIA");
    EXPECT_EQ(dst.DesignInfo.CompanyName, "ACME");
    EXPECT_EQ(dst.DesignInfo.Notes, (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(dst.DesignInfo.Date, 45000.5);
    EXPECT_EQ(dst.DesignInfo.SystemType, "FM");
    EXPECT_EQ(dst.DesignInfo.Location2, "Hill");
    EXPECT_EQ(dst.OptionsPage.FamilyID, "RNVX");
    EXPECT_EQ(dst.OptionsPage.Channel.Desc, "88.1 MHz");
    EXPECT_EQ(dst.OptionsPage.Channel.MidFreq, 88.1);
    EXPECT_TRUE(dst.OptionsPage.Radome);
    EXPECT_EQ(dst.OptionsPage.MaxERPkW, 50);
    EXPECT_EQ(dst.AzimuthPage.HorzPattern.PatternCode, "OC");
    EXPECT_EQ(dst.AzimuthPage.Angle(), 30);
    EXPECT_EQ(dst.ElevationPage.HorzPattern.BaseCose, "KVR16");
    EXPECT_EQ(dst.LinesPage.VertLength, 321);
    EXPECT_EQ(dst.LinesPage.Line.PartNumber, "HJ8");
    EXPECT_EQ(dst.AnalysisPage.Analysis.TransmitterPowerkW(), 7);

    // An empty notes list stays empty.
    TBroadcastDesign empty;
    dst.DesignInfo.Assign(empty.DesignInfo);
    EXPECT_TRUE(dst.DesignInfo.Notes.empty());
}

TEST(Design, Title) {
    struct Case { const char* family; const char* pol; const char* title; } cases[] = {
        {"KLX-VHF", "E", "Orvane MIRALDO\u00AE ELLIPTICALLY POLARIZED"},
        {"KLX-UHF", "H", "Orvane MIRALDO\u00AE HORIZONTALLY POLARIZED"},
        {"RNVX", "E", "Orvane RNVX SPINDRAKE\u00AE CIRCULARLY POLARIZED"},
        {"KVR", "E", "Orvane KVR CIRCULARLY POLARIZED"},
        {"CTM", "H", "Orvane CUSTOM HORIZONTALLY POLARIZED"},
        {"", "V", "Orvane CUSTOM VERTICALLY POLARIZED"},
        {"VARNOK", "H", "Orvane VARNOK\u2122 HORIZONTALLY POLARIZED"},
        {"VOLKA", "V", "Orvane VOLKA\u2122 VERTICALLY POLARIZED"},
        {"RNVH", "H", "Orvane RNV-H HORIZONTALLY POLARIZED"},
        {"TGX", "E", "Orvane TGX SPINDRAKE\u00AE CIRCULARLY POLARIZED"},
        {"BKX", "E", "Orvane BKX SPINDRAKE\u00AE CIRCULARLY POLARIZED"},
        {"QD-MAX", "H", "Orvane QD-MAX HORIZONTALLY POLARIZED"},
        {"QD", "H", "Orvane QD HORIZONTALLY POLARIZED"},
        {"240C", "X", "Orvane 240C  POLARIZED"},
        {"klx-uhf", "h", "Orvane CUSTOM  POLARIZED"},  // codes are case-sensitive
    };
    for (const auto& c : cases) {
        TBroadcastDesign d;
        d.OptionsPage.FamilyID = c.family;
        d.OptionsPage.PolCode = c.pol;
        EXPECT_EQ(d.GetTitle(), c.title) << c.family << " " << c.pol;
    }
}

TEST(Design, WorkingDesignIsOneObject) {
    EXPECT_EQ(&WorkingDesign(), &WorkingDesign());
    EXPECT_EQ(WorkingDesign().FileName, "");
}
