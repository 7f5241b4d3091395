// The design information dialog's and the start dialog's rules.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/designfile.h"
#include "scripted_ui.h"
#include "wizard/designinfo.h"
#include "wizard/startoption.h"

namespace velmo {
namespace {

using Strings = std::vector<std::string>;

TEST(DesignInfoDialog, ANewDialogWaitsForASystemTypeThenTakesTodayAndTheFields) {
    const double before = NowAsDateTime();
    TfrmDesignInfo d;
    EXPECT_FALSE(d.Fields().TVDown);
    EXPECT_FALSE(d.Fields().FMDown);
    EXPECT_FALSE(d.Fields().OkEnabled);
    EXPECT_FALSE(d.OkClick());
    d.PressFM();
    ASSERT_TRUE(d.OkClick());
    EXPECT_EQ(d.DesignInfo().SystemType, "FM");
    EXPECT_GE(d.DesignInfo().Date, before);
    EXPECT_LT(d.DesignInfo().Date - before, 1.0 / 24);
    EXPECT_EQ(d.DesignInfo().CompanyName, "");
    EXPECT_TRUE(d.DesignInfo().Notes.empty());
}

TEST(DesignInfoDialog, TheTogglesAreNeverBothDown) {
    TfrmDesignInfo d;
    d.PressTV();
    d.PressFM();
    EXPECT_TRUE(d.Fields().FMDown);
    EXPECT_FALSE(d.Fields().TVDown);
    d.PressTV();
    EXPECT_TRUE(d.Fields().TVDown);
    EXPECT_FALSE(d.Fields().FMDown);
}

TEST(DesignInfoDialog, OpenedOnATVDesignAndSwitchedToFM) {
    TDesignInfo info;
    info.SystemType = "TV";
    info.CompanyName = "Acme";
    info.Location = "Address";
    info.Location2 = "Site";
    info.Designer = "Ann";
    info.SpecNo = "S-1";
    info.Date = EncodeDate(2024, 3, 5) + 0.25;
    info.Notes = {"one", "two"};
    TfrmDesignInfo d;
    d.SetDesignInfo(info);
    EXPECT_TRUE(d.Fields().TVDown);
    EXPECT_TRUE(d.Fields().OkEnabled);
    EXPECT_EQ(d.Fields().NotesText, "one\ntwo");
    EXPECT_EQ(d.Fields().Location2, "Site");
    d.PressFM();
    d.EditDesigner("Bob");
    ASSERT_TRUE(d.OkClick());
    const TDesignInfo& out = d.DesignInfo();
    EXPECT_EQ(out.SystemType, "FM");
    EXPECT_EQ(out.Designer, "Bob");
    EXPECT_EQ(out.CompanyName, "Acme");
    EXPECT_EQ(out.Location, "Address");
    EXPECT_EQ(out.Location2, "Site");
    EXPECT_EQ(out.SpecNo, "S-1");
    EXPECT_DOUBLE_EQ(out.Date, info.Date);
    EXPECT_EQ(out.Notes, (Strings{"one", "two"}));
}

TEST(DesignInfoDialog, NotesOneEntryPerLine) {
    struct Case {
        const char* Text;
        Strings Notes;
    } cases[] = {
        {"", {}},
        {"a\nb\nc", {"a", "b", "c"}},
        {"a\r\nb\n", {"a", "b"}},
        {"a\n\nc", {"a", "", "c"}},
    };
    for (const Case& c : cases) {
        TfrmDesignInfo d;
        d.PressTV();
        d.EditNotes(c.Text);
        ASSERT_TRUE(d.OkClick());
        EXPECT_EQ(d.DesignInfo().Notes, c.Notes) << c.Text;
    }
}

TEST(DesignInfoDialog, ThePickerKeepsItsTimeOfDayAndRefusesDatesItCannotShow) {
    TfrmDesignInfo d;
    d.PressTV();
    const double opened = d.Fields().PickerDate;
    const double time = opened - std::floor(opened);
    d.PickDay(2020, 2, 29);
    ASSERT_TRUE(d.OkClick());
    EXPECT_NEAR(d.DesignInfo().Date, EncodeDate(2020, 2, 29) + time, 1e-9);

    // A design whose date the picker cannot show: the picker keeps today's date.
    for (double bad : {std::numeric_limits<double>::quiet_NaN(), -1e9, 1e9}) {
        TfrmDesignInfo e;
        TDesignInfo info;
        info.SystemType = "TV";
        info.Date = bad;
        e.SetDesignInfo(info);
        ASSERT_TRUE(e.OkClick());
        EXPECT_TRUE(std::isfinite(e.DesignInfo().Date));
        EXPECT_NEAR(e.DesignInfo().Date, NowAsDateTime(), 1.0 / 24) << bad;
    }
}

TEST(DesignInfoDialog, CalendarDays) {
    struct Case {
        int Y, M, D;
        double Number;
    } cases[] = {
        {1899, 12, 30, 0}, {1900, 1, 1, 2}, {2000, 1, 1, 36526}, {1753, 1, 1, -53688}, {2026, 12, 10, 46366},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EncodeDate(c.Y, c.M, c.D), c.Number);
        int y, m, d;
        // Before day 0 the time of day counts away from zero.
        DecodeDate(c.Number < 0 ? c.Number - 0.75 : c.Number + 0.75, y, m, d);
        EXPECT_EQ((std::vector<int>{y, m, d}), (std::vector<int>{c.Y, c.M, c.D}));
    }
}

TEST(StartDialog, ChoicesAndTheFileDialog) {
    test::ScriptedUI ui;
    {
        TfrmStartOption s({"/a/one.bcst", "/b/two.bcst"});
        EXPECT_EQ(s.Action(), saNew);
        EXPECT_FALSE(s.ListEnabled());
        s.OkClick();
        EXPECT_EQ(s.Result(), TfrmStartOption::srOk);
        EXPECT_TRUE(ui.Log.empty());
    }
    {
        TfrmStartOption s({"/a/one.bcst", "/b/two.bcst"});
        s.SetAction(saOpen);
        EXPECT_TRUE(s.ListEnabled());
        s.Select(2);
        s.OkClick();
        EXPECT_EQ(s.FileName(), "/b/two.bcst");
    }
    {
        // "More Files..." with the dialog cancelled cancels the start dialog.
        TfrmStartOption s({"/a/one.bcst"});
        s.SetAction(saOpen);
        s.Select(0);
        ui.Files = {std::nullopt};
        s.OkClick();
        EXPECT_EQ(s.Result(), TfrmStartOption::srCancel);
        EXPECT_EQ(ui.Log.back().Spec.Filter, kDesignFileFilter);
    }
    {
        // Double clicks: a recent file chooses it; "More Files..." asks.
        TfrmStartOption s({"/a/one.bcst"});
        s.DoubleClick(1);  // the list is not usable while "new" is chosen
        EXPECT_EQ(s.Result(), TfrmStartOption::srPending);
        s.SetAction(saOpen);
        s.DoubleClick(1);
        EXPECT_EQ(s.Result(), TfrmStartOption::srOk);
        EXPECT_EQ(s.FileName(), "/a/one.bcst");
        TfrmStartOption t({});
        t.SetAction(saOpen);
        ui.Files = {"/c/three.bcst"};
        t.DoubleClick(0);
        EXPECT_EQ(t.Result(), TfrmStartOption::srOk);
        EXPECT_EQ(t.FileName(), "/c/three.bcst");
    }
}

TEST(StartDialog, PathsShortenedFromTheFront) {
    // One unit per byte, the ellipsis counting three.
    auto width = [](const std::string& s) { return static_cast<int>(s.size()); };
    struct Case {
        const char* Path;
        int Max;
        const char* Shown;
    } cases[] = {
        {"/home/ann/plans/tower.bcst", 40, "/home/ann/plans/tower.bcst"},
        {"/home/ann/plans/tower.bcst", 20, "\xE2\x80\xA6/plans/tower.bcst"},
        {"/home/ann/plans/tower.bcst", 16, "\xE2\x80\xA6/tower.bcst"},
        {"/home/ann/plans/tower.bcst", 3, "\xE2\x80\xA6/tower.bcst"},  // the name always stays
        {"tower.bcst", 3, "tower.bcst"},
        {"", 3, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(ShortenPath(c.Path, c.Max, width), c.Shown) << c.Path << " " << c.Max;
}

}  // namespace
}  // namespace velmo
