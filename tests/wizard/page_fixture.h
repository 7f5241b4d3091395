#pragma once
// A working design reset for every test, the sample installation's folders, a Next
// button and a scripted user interface for the pattern page tests.
#include <gtest/gtest.h>

#include <string>

#include "base/folders.h"
#include "model/design.h"
#include "scripted_ui.h"
#include "test_support.h"
#include "wizard/wizardflags.h"
#include "wizard/wizardpage.h"

namespace velmo::test {

class PatternPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitFolders(BinDir());
        TBroadcastDesign fresh;
        WorkingDesign().Assign(fresh);
        CustomElevationEntered() = false;
        LinesPageEntered() = false;
    }
    void TearDown() override {
        TBroadcastDesign fresh;
        WorkingDesign().Assign(fresh);
        CustomElevationEntered() = false;
        LinesPageEntered() = false;
    }
    static TBroadcastDesign& Design() { return WorkingDesign(); }
    // A TV or FM design of the family, polarization, power and feed code.
    static void Options(const std::string& system, const std::string& family, const std::string& pol,
                        const std::string& power = "N", const std::string& feed = "") {
        TBroadcastDesign& d = WorkingDesign();
        d.DesignInfo.SystemType = system;
        d.OptionsPage.FamilyID = family;
        d.OptionsPage.PolCode = pol;
        d.OptionsPage.PowerCode = power;
        d.OptionsPage.FeedCode = feed;
    }
    // Page logic entered the way the wizard does it.
    template <typename Page>
    std::unique_ptr<Page> Enter(TDesignState state = dsNew) {
        auto page = std::make_unique<Page>(Next);
        page->DesignState = state;
        page->PageEnter();
        return page;
    }

    TWizardButton Next;
    ScriptedUI UI;
};

}  // namespace velmo::test
