// Designs made and changed from choices through the page logic: what a run leaves
// behind when it succeeds and when a page refuses a choice.
#include <gtest/gtest.h>

#include "base/error.h"
#include "page_fixture.h"
#include "wizard/scripteddesign.h"
#include "wizard/userinterface.h"

namespace velmo {
namespace {

using ScriptedDesignTest = test::PatternPageTest;

TDesignChoices KVR() {
    TDesignChoices c;
    c.SystemType = "TV";
    c.Channel = "34";
    c.Family = "KVR";
    c.PowerClass = "M";
    c.Elevation = "KVR16";
    return c;
}

std::string Saved(const TBroadcastDesign& d, const test::TempDir& dir, const std::string& name) {
    const std::string file = dir.File(name);
    d.SaveToFile(file);
    return test::ReadAll(file);
}

TEST_F(ScriptedDesignTest, ARefusedEditLeavesTheDesignTheWorkingDesignAndTheUserInterfaceAlone) {
    test::TempDir dir;
    Design().OptionsPage.CustomLabel = "working design before";
    std::unique_ptr<TBroadcastDesign> made = MakeDesign(KVR());
    EXPECT_EQ(made->OptionsPage.FamilyID, "KVR");
    EXPECT_EQ(made->ElevationPage.HorzPattern.PolID, "KVR16");
    EXPECT_EQ(Design().OptionsPage.CustomLabel, "working design before");
    const std::string before = Saved(*made, dir, "before.bcst");

    // Step 5 refuses after steps 1 to 4 have run on the working design.
    TDesignChoices c;
    c.Mount = "S";
    c.Tilt = 1.5;
    c.TransmitterPower = 10;
    c.ERP = 100;
    try {
        EditDesign(*made, c);
        FAIL() << "the edit was taken";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "step 5: the transmitter power and the ERP are offered one at a time; give one of them");
    }
    EXPECT_EQ(Saved(*made, dir, "after.bcst"), before);
    EXPECT_EQ(Design().OptionsPage.CustomLabel, "working design before");
    EXPECT_EQ(&velmo::UI(), static_cast<TUserInterface*>(&UI));
}

TEST_F(ScriptedDesignTest, ACustomLineTakesItsValuesThroughItsDialog) {
    TDesignChoices c = KVR();
    c.Line = "Custom";
    c.LineDescription = "site cable";
    c.LineAttenuation = 0.4567;  // the dialog keeps 3 decimals
    c.LinePower = 12.346;        // and 2
    std::unique_ptr<TBroadcastDesign> d = MakeDesign(c);
    EXPECT_EQ(d->LinesPage.Line.PartNumber, "Custom");
    EXPECT_EQ(d->LinesPage.Line.Description, "site cable");
    EXPECT_DOUBLE_EQ(d->LinesPage.Line.dBPerFoot(), 0.457);
    EXPECT_DOUBLE_EQ(d->LinesPage.Line.AvgPower(), 12.35);
    // Values for the custom line need the custom line.
    c.Line = "OAC400-50";
    EXPECT_THROW(MakeDesign(c), Error);
}

}  // namespace
}  // namespace velmo
