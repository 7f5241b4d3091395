// The TV and FM power analysis pages, driven as a user would.
#include <gtest/gtest.h>

#include <cmath>

#include "base/numbers.h"
#include "model/design.h"
#include "test_support.h"
#include "wizard/frmanalysis.h"
#include "wizard/frmlines.h"
#include "wizard_test_util.h"

using namespace velmo;

namespace {

class AnalysisPages : public ::testing::Test {
protected:
    // Types `text` into an entry and presses Enter.
    static void Commit(TAnalysisPageBase& page, TAnalysisField f, const std::string& text) {
        page.EditEntry(f, text);
        page.CommitEntry(f);
    }
    // Every shown figure is a finite number.
    static void ExpectFiniteFields(const TAnalysisPageBase& page, const std::string& what) {
        for (int f = 0; f < afFieldCount; ++f) {
            const TAnalysisFieldState& s = page.Field(static_cast<TAnalysisField>(f));
            if (!s.Visible) continue;
            double v = 0;
            EXPECT_TRUE(TryStrToFloat(s.Text, v) && std::isfinite(v))
                << what << ": field " << f << " shows '" << s.Text << "'";
        }
    }
    TWizardButton Next;
};

}  // namespace

TEST_F(AnalysisPages, EntryShowsTheAnalysisAndTheLineSummary) {
    TBroadcastDesign& d = test::WorkingFromSample("kvr_horizontal_ch34.bcst");
    TfrmAnalysis page(Next);
    page.PageEnter();
    const TPowerAnalysis& a = d.AnalysisPage.Analysis;
    EXPECT_STREQ(page.Heading(), "  TV Power Analysis");
    EXPECT_EQ(page.Field(afTransmitterPowerkW).Text, "10.000");
    EXPECT_EQ(page.Field(afERPkWHorz).Text, FormatFixed(a.ERPkWHorz(), 3));
    EXPECT_EQ(page.Field(afGainRatioHorz).Text, FormatFixed(a.PowerGainRatioHorz(), 3));
    EXPECT_EQ(page.Field(afEfficiency).Text, FormatFixed(a.Efficiency() * 100, 2));
    EXPECT_EQ(page.Field(afLineLossdB).Text, FormatFixed(a.LineLossdB(), 3));
    EXPECT_GT(a.ERPkWHorz(), 0);
    EXPECT_EQ(page.LineType(), "OAC400-50");
    EXPECT_EQ(page.LineDescription(), "4 in. air dielectric cable, 50 ohm");
    EXPECT_EQ(page.VertLengthText(), "600");
    EXPECT_EQ(page.HorzLengthText(), "60");
    EXPECT_EQ(page.AttenuationText(), FormatFixed(d.LinesPage.Line.dBPerFoot(), 3) + " dB/100 ft.");
    // Polarization "H": no vertical figures, no ratio.
    EXPECT_FALSE(page.VerticalVisible());
    EXPECT_FALSE(page.RatioVisible());
    for (TAnalysisField f : {afERPkWVert, afERPdBkVert, afGainRatioVert, afGaindBdVert,
                             afVerticalRatio, afIsolationLossDB})
        EXPECT_FALSE(page.Field(f).Visible) << f;
    EXPECT_FALSE(page.WarningVisible());
    EXPECT_FALSE(page.ERPWarningVisible());
}

TEST_F(AnalysisPages, EntriesCommitTheirNumberAndTurnBlack) {
    TBroadcastDesign& d = test::WorkingFromSample("kvr_horizontal_ch34.bcst");
    TfrmAnalysis page(Next);
    page.PageEnter();
    const TPowerAnalysis& a = d.AnalysisPage.Analysis;

    page.EditEntry(afTransmitterPowerkW, "abc");
    EXPECT_TRUE(page.Field(afTransmitterPowerkW).Typing);
    page.CommitEntry(afTransmitterPowerkW);
    EXPECT_FALSE(page.Field(afTransmitterPowerkW).Typing);
    EXPECT_EQ(a.TransmitterPowerkW(), 0);
    EXPECT_EQ(page.Field(afTransmitterPowerkW).Text, "0.000");
    EXPECT_EQ(page.Field(afERPkWHorz).Text, "0.000");

    Commit(page, afTransmitterPowerkW, "5");
    EXPECT_EQ(a.TransmitterPowerkW(), 5);
    EXPECT_EQ(page.Field(afERPkWHorz).Text, FormatFixed(a.ERPkWHorz(), 3));

    // The ERP entry keeps the ERP and moves the transmitter.
    Commit(page, afERPkWHorz, "50");
    EXPECT_DOUBLE_EQ(a.ERPkWHorz(), 50);
    EXPECT_EQ(page.Field(afERPkWHorz).Text, "50.000");
    EXPECT_EQ(page.Field(afTransmitterPowerkW).Text, FormatFixed(a.TransmitterPowerkW(), 3));

    // Passing through an entry without typing leaves its figure as it is.
    const double t = a.TransmitterPowerkW();
    page.LeaveEntry(afTransmitterPowerkW);
    EXPECT_EQ(a.TransmitterPowerkW(), t);
    page.EditEntry(afTransmitterPowerkW, "7");
    page.LeaveEntry(afTransmitterPowerkW);
    EXPECT_EQ(a.TransmitterPowerkW(), 7);

    // A read-only figure takes no text.
    page.EditEntry(afERPdBkHorz, "99");
    EXPECT_NE(page.Field(afERPdBkHorz).Text, "99");
}

TEST_F(AnalysisPages, KeysAnEntryTakes) {
    ScopedDecimalSeparator comma(',');
    for (char c : std::string("0123456789-.,\b")) EXPECT_TRUE(TAnalysisPageBase::EntryAcceptsKey(c)) << c;
    for (char c : std::string("aeE+ /x")) EXPECT_FALSE(TAnalysisPageBase::EntryAcceptsKey(c)) << c;
}

TEST_F(AnalysisPages, LineRatingCutsTheTransmitterBackWithAWarning) {
    TBroadcastDesign& d = test::WorkingFromSample("kvr_horizontal_ch34.bcst");
    d.LinesPage.Line.SetAvgPower(8);  // digital: the average rating limits
    TfrmAnalysis page(Next);
    page.PageEnter();
    const TPowerAnalysis& a = d.AnalysisPage.Analysis;
    Commit(page, afTransmitterPowerkW, "9");
    EXPECT_EQ(a.TransmitterPowerkW(), 8);
    EXPECT_EQ(page.Field(afTransmitterPowerkW).Text, "8.000");
    EXPECT_TRUE(page.WarningVisible());
    EXPECT_EQ(page.WarningText(), "Transmission line power at maximum.");
    // The next commit hides it.
    Commit(page, afTransmitterPowerkW, "2");
    EXPECT_FALSE(page.WarningVisible());
}

TEST_F(AnalysisPages, AntennaInputRatingShowsTheInputWarningLast) {
    TBroadcastDesign& d = test::WorkingFromSample("kvr_horizontal_ch34.bcst");  // KVR M 16 H: 12 kW
    d.LinesPage.Line.SetAvgPower(20);
    d.LinesPage.VertLength = 0;
    d.LinesPage.HorzLength = 0;
    TfrmAnalysis page(Next);
    page.PageEnter();
    const TPowerAnalysis& a = d.AnalysisPage.Analysis;
    ASSERT_EQ(a.MaxInputPower, 12);
    // Both limits are hit: the input text, fired second, is shown.
    Commit(page, afTransmitterPowerkW, "30");
    EXPECT_EQ(page.WarningText(), "Antenna Input (kW) at maximum.");
    EXPECT_EQ(page.Field(afAntennaInputkW).Text, "12.000");
}

TEST_F(AnalysisPages, ERPWarningNamesTheLimitAndFollowsEveryCheck) {
    struct Case {
        TServiceType service;
        const char* limit;
        const char* over;
        const char* under;
    } cases[] = {{stAnalog, "5000", "6000", "4000"}, {stDigital, "1000", "1200", "1000"}};
    for (const Case& c : cases) {
        TBroadcastDesign& d = test::WorkingFromSample("kvr_horizontal_ch34.bcst");
        d.OptionsPage.FamilyID = "KLX-UHF";  // no input rating
        d.OptionsPage.Service = c.service;
        d.LinesPage.Line.SetAvgPower(1e6);
        TfrmAnalysis page(Next);
        page.PageEnter();
        Commit(page, afERPkWHorz, c.over);
        EXPECT_TRUE(page.ERPWarningVisible()) << c.limit;
        EXPECT_FALSE(page.WarningVisible());
        const std::string l = c.limit;
        EXPECT_EQ(page.ERPWarningText(),
                  "Maximum allowable ERP MAX = " + l +
                      " kW.\rPlease check with your consultant to verify if you\rare allowed to "
                      "exceed " + l + " kW");
        Commit(page, afERPkWHorz, c.under);
        EXPECT_FALSE(page.ERPWarningVisible()) << c.limit;
    }
}

TEST_F(AnalysisPages, FMPageUsesTheUsersERPMaximumAndItsLosses) {
    TBroadcastDesign& d = test::WorkingFromSample("rnvx_circular_fm.bcst");
    d.OptionsPage.MaxERPkW = 6;
    TfrmFMAnalysis page(Next);
    page.PageEnter();
    const TPowerAnalysis& a = d.AnalysisPage.Analysis;
    EXPECT_STREQ(page.Heading(), "  FM Power Analysis");
    EXPECT_EQ(a.MaxERPkW, 6);
    EXPECT_EQ(page.Field(afGainRatioHorz).Text, FormatFixed(a.PowerGainRatioHorz(), 4));
    for (TAnalysisField f : {afERPkWVert, afGainRatioVert, afVerticalRatio})
        EXPECT_FALSE(page.Field(f).Visible);
    // Entering already exceeds 6 kW: the warning shows from the start.
    EXPECT_GT(a.ERPkWHorz(), 6);
    EXPECT_TRUE(page.ERPWarningVisible());
    EXPECT_NE(page.ERPWarningText().find("ERP MAX = 6 kW."), std::string::npos);
    EXPECT_NE(page.ERPWarningText().find("exceed 6 kW"), std::string::npos);
    Commit(page, afERPkWHorz, "5");
    EXPECT_FALSE(page.ERPWarningVisible());

    // The losses keep the transmitter and move the ERP.
    const double t = a.TransmitterPowerkW();
    Commit(page, afIsolationLossDB, "0.1");
    Commit(page, afFilterLossDB, "0.2");
    Commit(page, afCirculatorLossDB, "0.3");
    EXPECT_EQ(a.TransmitterPowerkW(), t);
    EXPECT_EQ(a.CirculatorLossDB(), 0.3);
    EXPECT_EQ(page.Field(afFilterLossDB).Text, "0.200");
    EXPECT_LT(a.ERPkWHorz(), 5);
}

TEST_F(AnalysisPages, FMERPCaptionFollowsThePolarization) {
    struct Case {
        const char* pol;
        const char* caption;
    } cases[] = {{"E", "Horz or Vert"}, {"H", "Horizontal"}, {"V", "Vertical"}};
    for (const Case& c : cases) {
        TBroadcastDesign& d = test::WorkingFromSample("rnvx_circular_fm.bcst");
        d.OptionsPage.PolCode = c.pol;
        TfrmFMAnalysis page(Next);
        page.PageEnter();
        EXPECT_EQ(page.ERPCaption(), c.caption);
    }
}

TEST_F(AnalysisPages, RatioIsEditableOnlyForTheFamiliesThatSetItHere) {
    struct Case {
        const char* family;
        bool editable;
    } cases[] = {{"KVR", false}, {"QD", false}, {"KLX-UHF", true}, {"KLX-VHF", true}, {"CTM", true}};
    for (const Case& c : cases) {
        TBroadcastDesign& d = test::WorkingFromSample("miraldo_uhf_elliptical_top.bcst");  // E, 30 %
        d.OptionsPage.FamilyID = c.family;
        TfrmAnalysis page(Next);
        page.PageEnter();
        EXPECT_TRUE(page.VerticalVisible()) << c.family;
        EXPECT_TRUE(page.RatioVisible()) << c.family;
        EXPECT_EQ(page.RatioEditable(), c.editable) << c.family;
        EXPECT_EQ(page.Ratio(), 30);
        page.SetRatio(40);
        EXPECT_EQ(page.Ratio(), c.editable ? 40 : 30) << c.family;
        EXPECT_EQ(d.OptionsPage.VerticalComponent, c.editable ? 40 : 30) << c.family;
    }
}

TEST_F(AnalysisPages, RatioChangeIsKeptForTheNextEntry) {
    TBroadcastDesign& d = test::WorkingFromSample("miraldo_uhf_elliptical_top.bcst");
    const TPowerAnalysis& a = d.AnalysisPage.Analysis;
    {
        TfrmAnalysis page(Next);
        page.PageEnter();
        page.SetRatio(150);  // the spin field stops at 100
        EXPECT_EQ(page.Ratio(), 100);
        page.SetRatio(45);
        EXPECT_EQ(a.VerticalRatio(), 45);
        EXPECT_NEAR(a.ERPkWVert(), 0.45 * a.ERPkWHorz(), 1e-9);
        EXPECT_EQ(page.Field(afERPkWVert).Text, FormatFixed(a.ERPkWVert(), 3));
        page.PageExit();
    }
    TfrmAnalysis again(Next);
    again.PageEnter();
    EXPECT_EQ(again.Ratio(), 45);
    EXPECT_EQ(a.VerticalRatio(), 45);
}

TEST_F(AnalysisPages, EventsAreDetachedOnEveryWayOut) {
    enum Way { Exit, Back, Final, Destroyed };
    for (Way way : {Exit, Back, Final, Destroyed}) {
        TBroadcastDesign& d = test::WorkingFromSample("kvr_horizontal_ch34.bcst");
        TPowerAnalysis& a = d.AnalysisPage.Analysis;
        {
            auto page = std::make_unique<TfrmAnalysis>(Next);
            page->PageEnter();
            EXPECT_TRUE(a.LineMax && a.InputMax && a.ERPMax);
            if (way == Exit) page->PageExit();
            if (way == Back) page->PageBack();
            if (way == Final) {
                page->Final();
                page->Final();  // twice is harmless
            }
            if (way != Destroyed) {
                EXPECT_FALSE(a.LineMax || a.InputMax || a.ERPMax) << way;
            }
        }
        EXPECT_FALSE(a.LineMax || a.InputMax || a.ERPMax) << way;
        a.SetTransmitterPowerkW(1e6);  // no handler of a gone page runs
    }
}

TEST_F(AnalysisPages, HostileEntriesLeaveEveryFieldFinite) {
    struct Case {
        char separator;
        const char* text;
        double committed;
    } cases[] = {
        {'.', "1e308", 1e308}, {'.', "-5", -5}, {'.', "", 0}, {'.', "-", 0},
        {'.', "1e999", 0},     {'.', "1.2.3", 0}, {',', "1,5", 1.5}, {',', "1.5", 1.5},
        {'.', "1,5", 0},
    };
    for (const char* sample : {"kvr_horizontal_ch34.bcst", "miraldo_uhf_elliptical_top.bcst",
                               "rnvx_circular_fm.bcst"}) {
        for (const Case& c : cases) {
            TBroadcastDesign& d = test::WorkingFromSample(sample);
            ScopedDecimalSeparator sep(c.separator);
            const bool fm = d.DesignInfo.SystemType == "FM";
            std::unique_ptr<TAnalysisPageBase> page;
            if (fm)
                page = std::make_unique<TfrmFMAnalysis>(Next);
            else
                page = std::make_unique<TfrmAnalysis>(Next);
            page->PageEnter();
            std::vector<TAnalysisField> entries = {afTransmitterPowerkW, afERPkWHorz};
            if (fm) entries.insert(entries.end(), {afIsolationLossDB, afFilterLossDB, afCirculatorLossDB});
            for (TAnalysisField f : entries) {
                EXPECT_EQ(TAnalysisPageBase::EntryValue(c.text), c.committed) << c.text;
                Commit(*page, f, c.text);
                ExpectFiniteFields(*page, std::string(sample) + " '" + c.text + "'");
            }
        }
    }
}

// Steps 4 and 5 of a design, then the design file: the saved design reopens with the
// same line, run and power figures.
TEST_F(AnalysisPages, LineAndPowerChosenOnThePagesSurviveSaveAndReopen) {
    for (const char* sample : {"miraldo_uhf_elliptical_top.bcst", "rnvx_circular_fm.bcst"}) {
        TBroadcastDesign& d = test::WorkingFromSample(sample);
        const bool fm = d.DesignInfo.SystemType == "FM";
        {
            TfrmLines lines(Next);
            lines.PageEnter();
            // The QPT line where the channel offers it, otherwise the last catalog line.
            int row = lines.TransmissionLines.Count();
            for (int r = 1; r < lines.RowCount(); ++r)
                if (lines.Cell(1, r) == "ORL618QPT") row = r;
            lines.SelectRow(row);
            lines.SetVertLength(900);
            lines.SetHorzLength(250);
            lines.PageExit();
        }
        std::unique_ptr<TAnalysisPageBase> page;
        if (fm)
            page = std::make_unique<TfrmFMAnalysis>(Next);
        else
            page = std::make_unique<TfrmAnalysis>(Next);
        page->PageEnter();
        Commit(*page, afTransmitterPowerkW, "12.5");
        if (fm) Commit(*page, afCirculatorLossDB, "0.25");
        page->PageExit();

        test::TempDir dir;
        const std::string path = dir.File("design.bcst");
        d.SaveToFile(path);
        std::unique_ptr<TBroadcastDesign> back = LoadDesignFile(path);
        const TPowerAnalysis& a = d.AnalysisPage.Analysis;
        const TPowerAnalysis& b = back->AnalysisPage.Analysis;
        EXPECT_EQ(back->LinesPage.Line.PartNumber, d.LinesPage.Line.PartNumber) << sample;
        EXPECT_EQ(back->LinesPage.VertLength, 900);
        EXPECT_EQ(back->LinesPage.HorzLength, 250);
        EXPECT_NEAR(b.HorzAttenuation, a.HorzAttenuation, 1e-12) << sample;
        EXPECT_NEAR(b.TransmitterPowerkW(), a.TransmitterPowerkW(), 1e-9) << sample;
        EXPECT_NEAR(b.ERPkWHorz(), a.ERPkWHorz(), 1e-9 * a.ERPkWHorz()) << sample;
        EXPECT_NEAR(b.LineLossdB(), a.LineLossdB(), 1e-9) << sample;
        EXPECT_NEAR(b.CirculatorLossDB(), fm ? 0.25 : 0, 1e-12) << sample;
        EXPECT_GT(a.ERPkWHorz(), 0) << sample;
    }
}
