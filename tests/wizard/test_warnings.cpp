#include <gtest/gtest.h>

#include <string>

#include "base/folders.h"
#include "base/warnings.h"
#include "model/design.h"
#include "scripted_ui.h"
#include "test_support.h"

namespace velmo {
namespace {

TEST(Warnings, LoadingWarningsReachTheUserAsWarningBoxes) {
    test::TempDir dir;
    std::string text = test::ReadAll(AppPath() + "samples/240c_fm.bcst");
    const size_t at = text.find("fm_baycount=4\r\n");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 13, "fm_baycount=5000");
    const std::string design = dir.Write("d.bcst", text);

    test::ScriptedUI ui;
    ui.Answers.push_back(TMsgResult::Ok);
    ShowWarningsThroughUI();
    const auto loaded = LoadDesignFile(design);
    SetWarningHandler(nullptr);
    EXPECT_EQ(loaded->ElevationPage.FMPattern.BayCount, 1000);
    ASSERT_EQ(ui.Log.size(), 1u);
    EXPECT_EQ(ui.Log[0].Kind, TMsgKind::Warning);
    EXPECT_EQ(ui.Log[0].Text, "The design's fm_baycount of 5000 lies outside 0 to 1000; 1000 is used.");
}

}  // namespace
}  // namespace velmo
