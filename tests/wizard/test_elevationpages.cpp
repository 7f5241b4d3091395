// The elevation pattern pages: TV catalog, beam tilt field, commit on Next only; FM
// computed patterns, tilt and fill steps, commit on Next and Back, re-entry by PolID,
// and a design reopened from its file.
#include <cmath>
#include <string>

#include "base/numbers.h"
#include "page_fixture.h"
#include "wizard/elevationpages.h"

namespace velmo {
namespace {

using test::PatternPageTest;
using ElevationPages = PatternPageTest;

// The TV azimuth choice the elevation catalog looks at.
void AzimuthChoice(const std::string& id, const std::string& code) {
    WorkingDesign().AzimuthPage.HorzPattern.PatternID = id;
    WorkingDesign().AzimuthPage.HorzPattern.PatternCode = code;
}

TEST_F(ElevationPages, TVHorizontalOnlyCommitsOnNext) {
    Options("TV", "KLX-UHF", "H");
    AzimuthChoice("KLX-OC", "OC");
    Design().ElevationPage.VertPattern.PolID = "kept";
    auto page = Enter<TfrmElevation>();
    EXPECT_FALSE(page->VertListVisible());
    ASSERT_GT(page->HorzPatternList.Count(), 2);
    EXPECT_EQ(page->HorzLines()[0].Name, "KLX2");  // base code and description
    EXPECT_EQ(page->HorzLines()[0].Value, page->HorzPatternList.Item(0).Description);
    EXPECT_TRUE(Next.Enabled());
    page->OnHorzPatternSelection(1);  // KLX12: tilt 0.75 within 0 ... 2
    const TElPattern& shown = *page->CurrentPattern();
    EXPECT_EQ(page->PatternCaption(), "KLX12");
    EXPECT_EQ(page->GainText(), FormatFixed(shown.Gain(), 2));
    EXPECT_EQ(page->MainLobeText(), FormatFixed(shown.MainLobedBd, 2));
    EXPECT_EQ(page->BeamWidthText(), "4.45");
    EXPECT_DOUBLE_EQ(page->Beamtilt(), 0.75);
    EXPECT_TRUE(page->BeamtiltArrows());
    EXPECT_GT(shown.AdjustedPoints.Count(), 0);

    const std::string horizonBefore = page->HorzdBdText();
    page->StepBeamtilt(2);
    EXPECT_DOUBLE_EQ(page->Beamtilt(), 1.25);
    EXPECT_DOUBLE_EQ(shown.Beamtilt(), 1.25);
    EXPECT_NE(page->HorzdBdText(), horizonBefore);
    page->StepBeamtilt(10);
    EXPECT_DOUBLE_EQ(page->Beamtilt(), 2);  // brought to the upper limit
    page->StepBeamtilt(-20);
    EXPECT_DOUBLE_EQ(page->Beamtilt(), 0);
    page->StepBeamtilt(3);

    // Back keeps the design's previous patterns; Next commits the horizontal one only.
    page->PageBack();
    EXPECT_EQ(Design().ElevationPage.HorzPattern.PolID, "");
    page->PageExit();
    EXPECT_EQ(Design().ElevationPage.HorzPattern.PolID, "KLX12");
    EXPECT_DOUBLE_EQ(Design().ElevationPage.HorzPattern.Beamtilt(), 0.75);
    EXPECT_EQ(Design().ElevationPage.VertPattern.PolID, "kept");

    // Re-entry selects the pattern by PolID with its tilt.
    auto again = Enter<TfrmElevation>();
    EXPECT_EQ(again->HorzIndex(), 1);
    EXPECT_DOUBLE_EQ(again->Beamtilt(), 0.75);
}

TEST_F(ElevationPages, TVEllipticalKeepsVerticalTiltWithHorizontal) {
    Options("TV", "KLX-UHF", "E");
    AzimuthChoice("KLX-OC", "OC");
    auto page = Enter<TfrmElevation>();
    EXPECT_TRUE(page->VertListVisible());
    EXPECT_EQ(page->HorzLines()[0].Name, "KLX12");  // KLX2G1 is not offered for "E"
    ASSERT_NE(page->CurrentVertPattern(), nullptr);
    EXPECT_EQ(page->CurrentVertPattern()->PolID, "KLX12V");
    EXPECT_EQ(page->VertLines().size(), 1u);
    page->StepBeamtilt(1);
    EXPECT_DOUBLE_EQ(page->CurrentVertPattern()->Beamtilt(), 1.0);
    page->OnVertPatternSelection(0);
    EXPECT_EQ(page->CurrentPattern(), page->CurrentVertPattern());
    EXPECT_EQ(page->PatternCaption(), "KLX12V");
    page->PageExit();
    EXPECT_EQ(Design().ElevationPage.VertPattern.PolID, "KLX12V");
    EXPECT_DOUBLE_EQ(Design().ElevationPage.VertPattern.Beamtilt(), 1.0);
    EXPECT_DOUBLE_EQ(Design().ElevationPage.HorzPattern.Beamtilt(), 1.0);
}

TEST_F(ElevationPages, TVCatalogCases) {
    struct Case {
        const char *Family, *Pol, *AzID, *AzCode;
        int Count;
        bool VertVisible, VertEmpty;
    } cases[] = {
        // WEN elliptical: the list is shown but stays empty.
        {"WEN", "E", "WEN-OC", "OC", 2, true, true},
        // KLX-UHF with the KLX-GS azimuth: KLX2G1 only, and not even that for "E".
        {"KLX-UHF", "H", "KLX-GS", "GS", 1, false, true},
        {"KLX-UHF", "E", "KLX-GS", "GS", 0, true, true},
    };
    for (const Case& c : cases) {
        Options("TV", c.Family, c.Pol);
        AzimuthChoice(c.AzID, c.AzCode);
        auto page = Enter<TfrmElevation>();
        EXPECT_EQ(page->HorzPatternList.Count(), c.Count) << c.Family << c.Pol;
        EXPECT_EQ(page->VertListVisible(), c.VertVisible) << c.Family << c.Pol;
        EXPECT_EQ(page->VertLines().empty(), c.VertEmpty) << c.Family << c.Pol;
        EXPECT_EQ(Next.Enabled(), c.Count > 0) << c.Family << c.Pol;
        if (c.Count == 1) {
            EXPECT_EQ(page->HorzPatternList.Item(0).PolID, "KLX2G1");
        }
    }
}

TEST_F(ElevationPages, TVEqualLimitsHideTheArrowsAndKeepTheTilt) {
    Options("TV", "HOV", "H");
    auto page = Enter<TfrmElevation>();
    page->OnHorzPatternSelection(1);  // HOV4: 0.5 ... 0.5
    EXPECT_FALSE(page->BeamtiltArrows());
    EXPECT_DOUBLE_EQ(page->Beamtilt(), 0.5);
    page->StepBeamtilt(1);
    EXPECT_DOUBLE_EQ(page->Beamtilt(), 0.5);
    EXPECT_DOUBLE_EQ(page->CurrentPattern()->Beamtilt(), 0.5);
}

TEST_F(ElevationPages, ChoicesComeFromTheDesignAndGoBack) {
    Options("TV", "KLX-UHF", "H");
    Design().ElevationPage.ViewType = vtStretch;
    Design().ElevationPage.RangeType = FiveToNinety;
    Design().ElevationPage.PowerType = ptRP;
    auto page = Enter<TfrmElevation>();
    EXPECT_EQ(page->ViewType(), vtStretch);
    EXPECT_EQ(page->RangeType(), FiveToNinety);
    EXPECT_EQ(page->DrawInfo.Range.Max, 90);
    EXPECT_EQ(page->Unit(), ptRP);
    page->SetUnit(ptRF);
    EXPECT_EQ(Design().ElevationPage.PowerType, ptRF);  // at once
    page->SetPatternRange(rtFiveToTen);
    page->SetPatternView(vtPortrait);
    EXPECT_EQ(Design().ElevationPage.RangeType, FiveToNinety);  // on exit only
    page->PageExit();
    EXPECT_EQ(Design().ElevationPage.RangeType, rtFiveToTen);
    EXPECT_EQ(Design().ElevationPage.ViewType, vtPortrait);
}

TEST_F(ElevationPages, TVPointsCommands) {
    Options("TV", "KLX-UHF", "H");
    auto page = Enter<TfrmElevation>();
    page->CopyCurrentPattern();
    EXPECT_EQ(UI.Clipboard, ElevationExportText(*page->CurrentPattern()));
    EXPECT_EQ(UI.Clipboard.rfind("-10.00\t", 0), 0u);
    test::TempDir dir;
    UI.Files.push_back(dir.File("el"));
    page->ExportCurrentPattern();
    EXPECT_EQ(UI.Log.back().Spec.FileName, "KLX2G1.pat");
    EXPECT_TRUE(UI.Log.back().Spec.OverwritePrompt);
    EXPECT_EQ(test::ReadAll(dir.File("el.pat")), UI.Clipboard);
    page->PrintPattern();
    EXPECT_EQ(UI.Log.back().What, "preview");
    EXPECT_EQ(UI.Log.back().Report, TReportRequest::Elevation);
    EXPECT_EQ(Design().ElevationPage.HorzPattern.PolID, "KLX2G1");  // Print commits first
}

TEST_F(ElevationPages, FMStepsRecomputeAndClamp) {
    Options("FM", "RNVX", "E", "N", "E");
    auto page = Enter<TfrmFMElevation>();
    ASSERT_GT(page->FMPatternList.Count(), 3);
    page->OnFMPatternSelection(3);  // 8 bays, spacing 1
    const TElPattern& p = *page->CurrentPattern();
    EXPECT_EQ(page->PatternCaption(), "RNVX-8E");
    EXPECT_EQ(page->GainText(), FormatFixed(p.GainFromFile(), 4));  // no tilt, no fill
    EXPECT_TRUE(page->SecondNullFillEnabled());
    const std::string gain0 = page->GainText();
    page->StepBeamtilt(-10);
    EXPECT_DOUBLE_EQ(page->Beamtilt(), -0.5);
    EXPECT_DOUBLE_EQ(p.Beamtilt(), -0.5);
    EXPECT_NE(page->GainText(), gain0);
    EXPECT_EQ(page->GainText(), FormatFixed(p.Gain(), 4));
    EXPECT_EQ(page->BeamWidthText(), FormatFixed(p.BeamWidth, 2));
    page->StepBeamtilt(-100);
    EXPECT_DOUBLE_EQ(page->Beamtilt(), -1.25);
    page->StepBeamtilt(100);
    EXPECT_DOUBLE_EQ(page->Beamtilt(), 0);
    page->StepFirstNullFill(20);
    EXPECT_DOUBLE_EQ(page->FirstNullFill(), 15);
    const std::string filled = page->HorzdBdText();
    page->StepSecondNullFill(4);
    EXPECT_DOUBLE_EQ(page->SecondNullFill(), 4);
    EXPECT_DOUBLE_EQ(p.SecondNullFillPercent(), 4);
    page->StepSecondNullFill(20);
    EXPECT_DOUBLE_EQ(page->SecondNullFill(), 10);
    page->StepFirstNullFill(-30);
    EXPECT_DOUBLE_EQ(page->FirstNullFill(), 0);
    EXPECT_NE(filled, page->HorzdBdText());
}

TEST_F(ElevationPages, FMBackKeepsTheTiltAndReEntryRestoresByPolID) {
    Options("FM", "RNVX", "E", "N", "E");
    {
        auto page = Enter<TfrmFMElevation>();
        page->OnFMPatternSelection(2);
        page->StepBeamtilt(-5);
        page->StepFirstNullFill(7);
        page->StepSecondNullFill(3);
        page->PageBack();
    }
    const TFMPattern& d = Design().ElevationPage.FMPattern;
    EXPECT_EQ(d.PolID, "RNVX-6E");
    EXPECT_DOUBLE_EQ(d.Beamtilt(), -0.25);
    EXPECT_DOUBLE_EQ(d.FirstNullFillPercent(), 7);
    EXPECT_DOUBLE_EQ(d.SecondNullFillPercent(), 3);
    const double committed = d.Gain();
    EXPECT_GT(committed, 0);

    auto again = Enter<TfrmFMElevation>();
    EXPECT_EQ(again->FMIndex(), 2);
    EXPECT_DOUBLE_EQ(again->Beamtilt(), -0.25);
    EXPECT_DOUBLE_EQ(again->FirstNullFill(), 7);
    EXPECT_DOUBLE_EQ(again->SecondNullFill(), 3);
    EXPECT_NEAR(again->CurrentPattern()->Gain(), committed, 1e-12);
}

TEST_F(ElevationPages, FMSecondFillOfBKXIsDisabledAndHasNoEffect) {
    Options("FM", "BKX", "H", "N", "C");
    {
        auto page = Enter<TfrmFMElevation>();
        page->OnFMPatternSelection(2);
        page->StepBeamtilt(-6);
        page->StepFirstNullFill(5);
        page->PageExit();
    }
    const double gain = Design().ElevationPage.FMPattern.Gain();
    Design().ElevationPage.FMPattern.SetSecondNullFillPercent(8);
    auto page = Enter<TfrmFMElevation>();
    EXPECT_FALSE(page->SecondNullFillEnabled());
    EXPECT_DOUBLE_EQ(page->SecondNullFill(), 8);  // the value still reaches the pattern
    EXPECT_NEAR(page->CurrentPattern()->Gain(), gain, 1e-12);
    page->StepSecondNullFill(1);
    EXPECT_DOUBLE_EQ(page->SecondNullFill(), 8);
}

TEST_F(ElevationPages, FMWithoutCatalogRowsLeavesNextDisabled) {
    Options("FM", "RNVX", "E", "N", "P");
    auto page = Enter<TfrmFMElevation>();
    EXPECT_TRUE(page->FMLines().empty());
    EXPECT_FALSE(Next.Enabled());
    page->StepBeamtilt(-1);
    EXPECT_EQ(page->CurrentPattern(), nullptr);
    page->PageExit();
    EXPECT_EQ(Design().ElevationPage.FMPattern.PolID, "");
}

// A design read from its file holds no catalog gain of the plain array: the loader
// takes it back from the stored gain, and the page from the catalog row of the same
// PolID, so a tilt changed after reopening gives the gain a fresh design with that
// tilt has.
TEST_F(ElevationPages, ReopenedFMDesignScalesFromTheCatalogGain) {
    const std::string sample = test::BinDir() + "samples/rnvx_circular_fm.bcst";
    auto loaded = LoadDesignFile(sample);
    EXPECT_GT(loaded->ElevationPage.FMPattern.GainFromFile(), 0);
    WorkingDesign().Assign(*loaded);
    double reopenedGain = 0;
    std::string polID;
    {
        auto page = Enter<TfrmFMElevation>(dsEdit);
        polID = page->CurrentPattern()->PolID;
        EXPECT_EQ(polID, "RNVX-8C");
        page->StepBeamtilt(-1);  // -0.5 in the file
        page->StepBeamtilt(-4);
        page->PageExit();
        reopenedGain = Design().ElevationPage.FMPattern.Gain();
        EXPECT_GT(Design().ElevationPage.FMPattern.GainFromFile(), 0);
    }
    const double tilt = Design().ElevationPage.FMPattern.Beamtilt();
    const double fill1 = Design().ElevationPage.FMPattern.FirstNullFillPercent();
    EXPECT_DOUBLE_EQ(tilt, -0.75);
    EXPECT_DOUBLE_EQ(fill1, 10);

    TBroadcastDesign fresh;
    WorkingDesign().Assign(fresh);
    Options("FM", "RNVX", "E", "N", "C");
    auto page = Enter<TfrmFMElevation>();
    for (int i = 0; i < page->FMPatternList.Count(); ++i)
        if (page->FMPatternList.Item(i).PolID == polID) page->OnFMPatternSelection(i);
    page->StepBeamtilt(-15);
    page->StepFirstNullFill(10);
    ASSERT_DOUBLE_EQ(page->Beamtilt(), tilt);
    EXPECT_GT(reopenedGain, 0);
    EXPECT_NEAR(page->CurrentPattern()->Gain(), reopenedGain, 1e-12);
}

}  // namespace
}  // namespace velmo
