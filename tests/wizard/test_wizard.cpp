// The wizard host's rules: which step may be shown, the button captions and states,
// the page protocol's calls in their order, and every way out.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/design.h"
#include "scripted_ui.h"
#include "wizard/wizard.h"

namespace velmo {
namespace {

// A page that writes each protocol call into a shared log as "<class>.<call>".
class TRecordingPage : public TWizardPage {
public:
    TRecordingPage(TWizardButton& next, std::string name, std::vector<std::string>& log)
        : TWizardPage(next), FName(std::move(name)), FLog(log) {}
    ~TRecordingPage() override { FLog.push_back(FName + ".destroyed"); }
    void PageEnter() override { FLog.push_back(FName + ".PageEnter"); }
    void PageExit() override { FLog.push_back(FName + ".PageExit"); }
    void PageBack() override { FLog.push_back(FName + ".PageBack"); }
    void Final() override { FLog.push_back(FName + ".Final"); }

private:
    std::string FName;
    std::vector<std::string>& FLog;
};

class WizardTest : public ::testing::Test {
protected:
    void SetUp() override {
        WorkingDesign().DesignInfo.SystemType = "TV";
        WorkingDesign().OptionsPage.FamilyID = "KVR";
        Wizard.PageFactory = [this](const std::string& cls, TWizardButton& next) {
            return std::make_unique<TRecordingPage>(next, cls, Log);
        };
        Wizard.OnClose = [this] { ++Closes; };
    }
    void TearDown() override {
        WorkingDesign().DesignInfo.SystemType.clear();
        WorkingDesign().OptionsPage.FamilyID = "KLX-UHF";
    }
    // The log from `from` on, without the page destructions.
    std::vector<std::string> Calls(size_t from = 0) const {
        std::vector<std::string> out;
        for (size_t i = from; i < Log.size(); ++i)
            if (Log[i].find(".destroyed") == std::string::npos) out.push_back(Log[i]);
        return out;
    }

    test::ScriptedUI UI;
    std::vector<std::string> Log;  // outlives the wizard, whose page logs its end
    TfrmWizard Wizard;
    int Closes = 0;
};

using Strings = std::vector<std::string>;

TEST_F(WizardTest, PageIndexOutsideTheRangeChangesNothing) {
    Wizard.SetPageIndex(2);
    const size_t before = Log.size();
    for (int outside : {0, 6, -1}) {
        Wizard.SetPageIndex(outside);
        EXPECT_EQ(Wizard.PageIndex(), 2);
    }
    EXPECT_EQ(Log.size(), before);
    EXPECT_EQ(Wizard.CurrentPageClass(), "TfrmAzimuth");
}

TEST_F(WizardTest, CaptionAndBackFollowTheRange) {
    struct Case {
        int Begin, End, Index;
        const char* Next;
        bool Back;
    } cases[] = {
        {1, 5, 1, "&Next", false}, {1, 5, 3, "&Next", true}, {1, 5, 5, "&Finish", true},
        {3, 3, 3, "&Finish", false}, {2, 2, 2, "&Finish", false},
    };
    for (const Case& c : cases) {
        TfrmWizard w;
        w.BeginIndex = c.Begin;
        w.EndIndex = c.End;
        w.PageFactory = Wizard.PageFactory;
        w.SetPageIndex(c.Index);
        EXPECT_EQ(w.NextButton.Caption(), c.Next) << c.Begin << "-" << c.End << " @" << c.Index;
        EXPECT_EQ(w.BackButton.Enabled(), c.Back) << c.Begin << "-" << c.End << " @" << c.Index;
    }
}

TEST_F(WizardTest, NextExitsThenEntersTheNextStepAndBackNeverCallsPageExit) {
    Wizard.SetPageIndex(1);
    Wizard.NextClick();
    EXPECT_EQ(Wizard.PageIndex(), 2);
    Wizard.BackClick();
    EXPECT_EQ(Wizard.PageIndex(), 1);
    EXPECT_EQ(Calls(), (Strings{"TfrmOptions.PageEnter", "TfrmOptions.PageExit", "TfrmAzimuth.PageEnter",
                                "TfrmAzimuth.PageBack", "TfrmOptions.PageEnter"}));
    // The page of each step is a new object, and the old one is gone before the new
    // one is entered.
    EXPECT_EQ(Log[2], "TfrmOptions.destroyed");
    EXPECT_EQ(Log[5], "TfrmAzimuth.destroyed");
}

TEST_F(WizardTest, TheFamilyChosenOnStepOneDecidesTheNextPages) {
    Wizard.SetPageIndex(1);
    WorkingDesign().OptionsPage.FamilyID = "CTM";
    Wizard.NextClick();
    EXPECT_EQ(Wizard.CurrentPageClass(), "TfrmCustomAzimuth");
    Wizard.BackClick();
    WorkingDesign().OptionsPage.FamilyID = "KVR";
    Wizard.NextClick();
    EXPECT_EQ(Wizard.CurrentPageClass(), "TfrmAzimuth");
}

TEST_F(WizardTest, FinishOnASingleStepCallsPageExitOnceThenFinalAndCommits) {
    Wizard.BeginIndex = Wizard.EndIndex = 3;
    Wizard.SetPageIndex(3);
    EXPECT_FALSE(Wizard.BackButton.Enabled());
    Wizard.NextClick();
    EXPECT_TRUE(Wizard.Commit);
    EXPECT_EQ(Closes, 1);
    EXPECT_EQ(Calls(), (Strings{"TfrmElevation.PageEnter", "TfrmElevation.PageExit", "TfrmElevation.Final"}));
    // The window going afterwards changes nothing more.
    Wizard.NextClick();
    EXPECT_EQ(Closes, 1);
}

TEST_F(WizardTest, CancelAsksAndOnlyYesLeaves) {
    Wizard.SetPageIndex(2);
    UI.Answers = {TMsgResult::No, TMsgResult::Yes};
    Wizard.CancelClick();
    EXPECT_EQ(Closes, 0);
    EXPECT_EQ(Wizard.PageIndex(), 2);
    EXPECT_EQ(Calls(), (Strings{"TfrmAzimuth.PageEnter"}));
    Wizard.CancelClick();
    EXPECT_EQ(Closes, 1);
    EXPECT_FALSE(Wizard.Commit);
    EXPECT_EQ(UI.Messages(), (Strings{"Exit and cancel changes?", "Exit and cancel changes?"}));
    // Final on the confirmation and again as the window goes: pages must take it twice.
    EXPECT_EQ(Calls(1), (Strings{"TfrmAzimuth.Final", "TfrmAzimuth.Final"}));
}

TEST_F(WizardTest, TheCloseButtonCancelsWithoutAsking) {
    Wizard.SetPageIndex(4);
    Wizard.WindowClosing();
    EXPECT_TRUE(UI.Log.empty());
    EXPECT_FALSE(Wizard.Commit);
    EXPECT_TRUE(Wizard.Closed());
    EXPECT_EQ(Calls(), (Strings{"TfrmLines.PageEnter", "TfrmLines.Final"}));
}

TEST_F(WizardTest, AStepWithoutAPageLeavesAnEmptyPageAreaThatCanBeLeft) {
    WorkingDesign().DesignInfo.SystemType = "";
    TWizardPage* created = reinterpret_cast<TWizardPage*>(1);
    Wizard.OnPageCreated = [&](TWizardPage* p) { created = p; };
    Wizard.SetPageIndex(1);
    EXPECT_EQ(created, nullptr);
    EXPECT_EQ(Wizard.CurrentPage(), nullptr);
    EXPECT_TRUE(Wizard.NextButton.Enabled());
    Wizard.NextClick();
    Wizard.NextClick();
    EXPECT_EQ(Wizard.CurrentPageClass(), "");
    Wizard.NextClick();
    EXPECT_EQ(Wizard.PageIndex(), 4);
    EXPECT_EQ(Wizard.CurrentPageClass(), "TfrmLines");  // step 4 has a page for every type
}

TEST_F(WizardTest, ADisabledNextDoesNothingAndPagesGetTheDesignState) {
    Wizard.DesignState = dsEdit;
    Wizard.OnPageCreated = [](TWizardPage* p) {
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->DesignState, dsEdit);  // set before PageEnter
    };
    Wizard.SetPageIndex(1);
    Wizard.NextButton.SetEnabled(false);
    Wizard.NextClick();
    EXPECT_EQ(Wizard.PageIndex(), 1);
    EXPECT_EQ(Calls(), (Strings{"TfrmOptions.PageEnter"}));
}

TEST_F(WizardTest, AReleasedPageIsHandedToTheWindowBeforeItsSuccessorIsCreated) {
    std::vector<std::string> order;
    Wizard.OnReleasePage = [&](std::unique_ptr<TWizardPage> page) {
        order.push_back("released");
        page.reset();
    };
    Wizard.OnPageCreated = [&](TWizardPage*) { order.push_back("created"); };
    Wizard.SetPageIndex(1);
    Wizard.NextClick();
    EXPECT_EQ(order, (Strings{"created", "released", "created"}));
}

}  // namespace
}  // namespace velmo
