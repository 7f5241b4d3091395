// The View menu's FCC tabulation check: usable for FM designs, its verdict in a
// message box of the matching kind.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "base/error.h"
#include "base/folders.h"
#include "model/design.h"
#include "scripted_ui.h"
#include "test_support.h"
#include "wizard/fcccommand.h"

using namespace velmo;
namespace fs = std::filesystem;

namespace {

std::unique_ptr<TBroadcastDesign> Sample(const char* name) {
    InitFolders(test::BinDir());
    return LoadDesignFile((fs::path(test::BinDir()) / "samples" / name).string());
}

TEST(FCCCommand, ShowsTheVerdictWithTheTabulationInAMessageBox) {
    auto fm = Sample("rnvx_circular_fm.bcst");
    EXPECT_TRUE(CanCheckFCCTabulation(*fm));
    {
        test::ScriptedUI ui;
        CheckFCCTabulationCommand(*fm);
        ASSERT_EQ(ui.Log.size(), 1u);
        EXPECT_EQ(ui.Log[0].Kind, TMsgKind::Information);
        const std::string& text = ui.Log[0].Text;
        EXPECT_EQ(text.rfind("FCC tabulation check: pass\n", 0), 0u) << text;
        EXPECT_NE(text.find("180\u00B0: 0.375 min"), std::string::npos) << text;
        // Short enough for an 800 x 600 screen.
        EXPECT_LT(std::count(text.begin(), text.end(), '\n'), 16) << text;
    }
    // A notch deeper than 15 dB breaks both rules: a warning.
    fm->AzimuthPage.FMPattern.LoadPoints();
    TRealPointList notched;
    for (int a = 0; a < 360; ++a) notched.AddPoint(a, a >= 40 && a <= 44 ? 0.1 : 1.0);
    fm->AzimuthPage.FMPattern.Points.Assign(notched);
    {
        test::ScriptedUI ui;
        CheckFCCTabulationCommand(*fm);
        ASSERT_EQ(ui.Log.size(), 1u);
        EXPECT_EQ(ui.Log[0].Kind, TMsgKind::Warning);
        EXPECT_EQ(ui.Log[0].Text.rfind("FCC tabulation check: FAIL\n", 0), 0u) << ui.Log[0].Text;
    }

    auto tv = Sample("qdmax_ch30.bcst");
    EXPECT_FALSE(CanCheckFCCTabulation(*tv));
    test::ScriptedUI ui;
    EXPECT_THROW(CheckFCCTabulationCommand(*tv), Error);
    EXPECT_TRUE(ui.Log.empty());
}

}  // namespace
