// What the pattern pages do on leaving: the power analysis starts over in edit mode
// only; the FM elevation page routes the model's messages while it lives.
#include "page_fixture.h"
#include "wizard/azimuthpages.h"
#include "wizard/custompages.h"
#include "wizard/elevationpages.h"

namespace velmo {
namespace {

using test::PatternPageTest;
using PatternPageExit = PatternPageTest;

TEST_F(PatternPageExit, EditModeStartsThePowerAnalysisOver) {
    const TPowerAnalysis& a = Design().AnalysisPage.Analysis;
    for (TDesignState state : {dsNew, dsEdit}) {
        const bool edit = state == dsEdit;
        Options("TV", "KLX-UHF", "H");
        Design().AnalysisPage.Analysis.AzHorzGain = -1;
        Design().AnalysisPage.Analysis.ElHorzGain = -1;
        Enter<TfrmAzimuth>(state)->PageExit();
        EXPECT_EQ(a.AzHorzGain == Design().AzimuthPage.HorzPattern.Gain(), edit) << state;
        Enter<TfrmElevation>(state)->PageExit();
        EXPECT_EQ(a.ElHorzGain == Design().ElevationPage.HorzPattern.Gain(), edit) << state;

        Options("FM", "RNVX", "E", "N", "E");
        Design().AnalysisPage.Analysis.ElHorzGain = -1;
        auto fm = Enter<TfrmFMElevation>(state);
        fm->StepBeamtilt(-3);
        fm->PageBack();
        EXPECT_EQ(a.ElHorzGain, -1) << state;  // never on Back
        fm->PageExit();
        EXPECT_EQ(a.ElHorzGain == Design().ElevationPage.FMPattern.Gain(), edit) << state;

        Options("FM", "CTM", "E");
        Design().AnalysisPage.Analysis.AzHorzGain = -1;
        auto custom = Enter<TfrmFMCustomAzimuth>(state);
        custom->txtAzFMGainChange("2.5");
        custom->PageExit();
        EXPECT_EQ(a.AzHorzGain == 2.5, edit) << state;
    }
}

TEST_F(PatternPageExit, FMElevationPageShowsTheModelsMessages) {
    std::string seen;
    SetElMessageHandler([&](const std::string& m) { seen = m; });
    Options("FM", "RNVX", "E", "N", "E");
    auto page = Enter<TfrmFMElevation>();
    // While the page lives the model's messages become warning boxes.
    TElMessageHandler current = SetElMessageHandler(nullptr);
    SetElMessageHandler(current);
    ASSERT_TRUE(current);
    current(MaxIterationsMessage(100));
    ASSERT_EQ(UI.Log.size(), 1u);
    EXPECT_EQ(UI.Log[0].Kind, TMsgKind::Warning);
    EXPECT_EQ(UI.Log[0].Text, "Max Iterations (100) Reached For Beam Tilt -- Check Result");
    EXPECT_TRUE(seen.empty());
    // Final gives the previous handler back, and is harmless twice.
    page->Final();
    page->Final();
    SetElMessageHandler(nullptr)("after");
    EXPECT_EQ(seen, "after");
}

}  // namespace
}  // namespace velmo
