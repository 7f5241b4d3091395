// The transmission line page and the custom line dialog, driven as a user would.
#include <gtest/gtest.h>

#include <cmath>

#include "analysis/lines.h"
#include "base/error.h"
#include "base/folders.h"
#include "base/numbers.h"
#include "model/design.h"
#include "test_support.h"
#include "wizard/frmcustomline.h"
#include "wizard/frmlines.h"
#include "wizard/wizardflags.h"
#include "wizard_test_util.h"

using namespace velmo;

namespace {

// Answers the custom line dialog: types the given texts and presses Enter in the
// last field, or cancels.
struct ScriptedCustomLine {
    explicit ScriptedCustomLine(TCustomLineDialogHook hook) {
        FOld = SetCustomLineDialogHook(std::move(hook));
    }
    ~ScriptedCustomLine() { SetCustomLineDialogHook(std::move(FOld)); }
    TCustomLineDialogHook FOld;
};

TCustomLineDialogHook TypeAndAccept(std::string description, std::string power,
                                    std::string attenuation, TfrmCustomLine* seen = nullptr) {
    return [=](TfrmCustomLine& d) {
        if (seen) {
            seen->SetDescription(d.Description());
            seen->SetAveragePower(d.AveragePower());
            seen->SetAttenuation(d.Attenuation());
        }
        d.EditField(TfrmCustomLine::cfDescription, description);
        d.EditField(TfrmCustomLine::cfAveragePower, power);
        d.LeaveField(TfrmCustomLine::cfAveragePower);
        d.EditField(TfrmCustomLine::cfAttenuation, attenuation);
        return d.AcceptFrom(TfrmCustomLine::cfAttenuation);
    };
}

int RowOf(const TfrmLines& page, const std::string& partNumber) {
    for (int r = 1; r < page.RowCount(); ++r)
        if (page.Cell(1, r) == partNumber) return r;
    return -1;
}

class LinesPage : public ::testing::Test {
protected:
    TWizardButton Next;
};

}  // namespace

TEST_F(LinesPage, GridShowsTheCatalogForTheChannelWithTheDesignLineSelected) {
    TBroadcastDesign& d = test::WorkingFromSample("kvr_horizontal_ch34.bcst");  // digital
    d.LinesPage.VertLength = 1000;
    d.LinesPage.HorzLength = 100;
    LinesPageEntered() = false;
    Next.SetEnabled(false);
    TfrmLines page(Next);
    page.PageEnter();

    EXPECT_TRUE(LinesPageEntered());
    EXPECT_TRUE(Next.Enabled());
    const int count = page.TransmissionLines.Count();
    ASSERT_GT(count, 2);
    EXPECT_EQ(page.RowCount(), count + 1);
    EXPECT_EQ(page.TotalLinesText(), "Total Lines: " + std::to_string(count));
    EXPECT_EQ(page.ColCount(), 6);
    EXPECT_FALSE(page.AuralVisible());
    EXPECT_FALSE(page.InputSizeVisible());
    EXPECT_EQ(page.Cell(2, 0), "Transmission Line Description");
    EXPECT_EQ(page.Cell(4, 0), "Total (dB)");
    // Row 1 is the Custom line: 0.15 dB/100 ft over 1000 + 100 ft.
    EXPECT_EQ(page.Cell(1, 1), "Custom");
    EXPECT_EQ(page.Cell(2, 1), "Double-click to edit custom line.");
    EXPECT_EQ(page.Cell(3, 1), "0.150");
    EXPECT_EQ(page.Cell(4, 1), "1.650");
    EXPECT_EQ(page.Cell(5, 1), "60.00");
    EXPECT_EQ(page.TotalLengthText(), "1100");
    // Catalog order is kept (nothing sorted) and every row shows its own line.
    for (int i = 0; i < count; ++i) {
        const TTransmissionLine& line = page.TransmissionLines.Line(i);
        EXPECT_EQ(page.Cell(1, i + 1), line.PartNumber);
        EXPECT_EQ(page.Cell(3, i + 1), FormatFixed(line.dBPerFoot(), 3));
        EXPECT_EQ(page.Cell(4, i + 1), FormatFixed(line.TotaldB(), 3));
        EXPECT_EQ(line.TotalRunLength(), 1100);
    }
    // The sample's line is found and selected.
    const int row = RowOf(page, "OAC400-50");
    ASSERT_GT(row, 1);
    EXPECT_EQ(page.Row(), row);
    EXPECT_EQ(page.Line().PartNumber, "OAC400-50");
    EXPECT_EQ(page.Line().TotalRunLength(), 1100);

    // A click takes another row; the header row and rows past the end are ignored.
    page.SelectRow(1);
    EXPECT_EQ(page.Line().PartNumber, "Custom");
    page.SelectRow(0);
    page.SelectRow(count + 1);
    EXPECT_EQ(page.Row(), 1);
}

TEST_F(LinesPage, LengthEntriesRoundToWholeFeetAndMoveEveryTotal) {
    TBroadcastDesign& d = test::WorkingFromSample("kvr_horizontal_ch34.bcst");
    TfrmLines page(Next);
    page.PageEnter();
    page.SelectRow(1);
    struct Case {
        double vert, horz;
        int wantVert, wantHorz;
    } cases[] = {
        {1000, 100, 1000, 100},
        {1000.5, 99.5, 1000, 100},        // ties to even
        {1001.5, 0.4, 1002, 0},
        {-5, 20, 0, 20},                  // no negative run
        {1e308, 7, TfrmLines::MaxLength, 7},
        {std::nan(""), 3, 0, 3},
    };
    for (const Case& c : cases) {
        page.SetVertLength(c.vert);
        page.SetHorzLength(c.horz);
        EXPECT_EQ(page.VertLength(), c.wantVert) << c.vert;
        EXPECT_EQ(page.HorzLength(), c.wantHorz) << c.horz;
        const int total = c.wantVert + c.wantHorz;
        EXPECT_EQ(page.TotalLengthText(), std::to_string(total));
        EXPECT_EQ(d.LinesPage.VertLength, c.wantVert);
        EXPECT_EQ(d.LinesPage.HorzLength, c.wantHorz);
        EXPECT_EQ(page.Line().TotalRunLength(), total);
        EXPECT_EQ(page.Cell(4, 1), FormatFixed(total * 0.15 / 100, 3));
    }
}

TEST_F(LinesPage, AnalogServiceShowsTheAuralEntryAndPeakPowerColumn) {
    TBroadcastDesign& d = test::WorkingFromSample("kvr_horizontal_ch34.bcst");
    d.OptionsPage.Service = stAnalog;
    d.LinesPage.PeakPower = 25;  // out of the entry's range: the entry's value applies
    TfrmLines page(Next);
    page.PageEnter();
    EXPECT_TRUE(page.AuralVisible());
    EXPECT_EQ(page.ColCount(), 7);
    EXPECT_EQ(page.Cell(6, 0), "Peak Power (kW)");
    EXPECT_EQ(page.Aural(), 20);
    EXPECT_EQ(d.LinesPage.PeakPower, 20);
    EXPECT_EQ(page.Cell(6, 1), "75.000");  // 60 kW at 20 % aural

    page.SetAural(10);
    EXPECT_EQ(page.Cell(6, 1), "85.714");
    EXPECT_EQ(d.LinesPage.PeakPower, 10);
    EXPECT_EQ(page.Line().Aural(), 10);
    page.SetAural(2);
    EXPECT_EQ(page.Aural(), 5);
    for (int i = 0; i < page.TransmissionLines.Count(); ++i)
        EXPECT_EQ(page.TransmissionLines.Line(i).Aural(), 5);
}

TEST_F(LinesPage, CustomLineEditedIsRestoredOnReentryWithTheDefaultDescription) {
    TBroadcastDesign& d = test::WorkingFromSample("kvr_horizontal_ch34.bcst");
    d.LinesPage.VertLength = 1000;
    d.LinesPage.HorzLength = 100;
    TfrmCustomLine seen;
    {
        ScriptedCustomLine script(TypeAndAccept("My feeder", "25", "0.5", &seen));
        TfrmLines page(Next);
        page.PageEnter();
        page.SelectRow(1);
        page.DoubleClickRow(1);
        // The dialog opened with the Custom line's figures.
        EXPECT_EQ(seen.Description(), "Double-click to edit custom line.");
        EXPECT_EQ(seen.AveragePower(), 60);
        EXPECT_EQ(seen.Attenuation(), 0.15);
        EXPECT_EQ(page.Row(), 1);
        EXPECT_EQ(page.Cell(2, 1), "My feeder");
        EXPECT_EQ(page.Cell(3, 1), "0.500");
        EXPECT_EQ(page.Cell(4, 1), "5.500");
        EXPECT_EQ(page.Cell(5, 1), "25.00");
        EXPECT_EQ(page.Line().AvgPower(), 25);
        page.PageExit();
    }
    EXPECT_EQ(d.LinesPage.Line.PartNumber, "Custom");
    EXPECT_EQ(d.LinesPage.Line.dBPerFoot(), 0.5);

    TfrmLines again(Next);
    again.PageEnter();
    EXPECT_EQ(again.Row(), 1);
    EXPECT_EQ(again.Cell(2, 1), "Double-click to edit custom line.");
    EXPECT_EQ(again.Cell(3, 1), "0.500");
    EXPECT_EQ(again.Cell(5, 1), "25.00");
    EXPECT_EQ(again.Cell(4, 1), "5.500");
    EXPECT_EQ(again.Line().AvgPower(), 25);
}

TEST_F(LinesPage, CustomLineDialogCancelledOrOnAnotherRowChangesNothing) {
    test::WorkingFromSample("kvr_horizontal_ch34.bcst");
    int opened = 0;
    ScriptedCustomLine script([&](TfrmCustomLine& dlg) {
        ++opened;
        dlg.EditField(TfrmCustomLine::cfAveragePower, "1");
        dlg.Close(false);
        return false;
    });
    TfrmLines page(Next);
    page.PageEnter();
    page.DoubleClickRow(2);
    EXPECT_EQ(opened, 0);
    page.DoubleClickRow(1);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(page.Cell(5, 1), "60.00");
    EXPECT_EQ(page.TransmissionLines.Line(0).AvgPower(), 60);
}

TEST_F(LinesPage, DesignLineNotInTheCatalogFallsBackToCustom) {
    TBroadcastDesign& d = test::WorkingFromSample("kvr_horizontal_ch34.bcst");
    d.LinesPage.Line.PartNumber = "GONE-1";
    TfrmLines page(Next);
    page.PageEnter();
    EXPECT_EQ(page.Row(), 1);
    EXPECT_EQ(page.Line().PartNumber, "Custom");
    EXPECT_EQ(page.Line().dBPerFoot(), 0.15);
}

TEST_F(LinesPage, ExitCommitsTheLineAndTheWaveguideRunOfAQPTLine) {
    for (TDesignState state : {dsNew, dsEdit}) {
        TBroadcastDesign& d = test::WorkingFromSample("kvr_horizontal_ch34.bcst");
        TPowerAnalysis& a = d.AnalysisPage.Analysis;
        a.HorzAttenuation = -1;  // shows whether the analysis was initialized
        TfrmLines page(Next);
        page.DesignState = state;
        page.PageEnter();
        const int row = RowOf(page, "ORL618QPT");
        ASSERT_GT(row, 0);
        page.SelectRow(row);
        page.PageExit();
        const double horzdB = GetWaveguideHorzdB("34");
        EXPECT_GT(horzdB, 0);
        EXPECT_EQ(d.LinesPage.Line.PartNumber, "ORL618QPT");
        EXPECT_EQ(d.LinesPage.Line.HorzdB, horzdB);
        EXPECT_EQ(d.LinesPage.Line.dBPerFoot(), page.TransmissionLines.Line(row - 1).dBPerFoot());
        if (state == dsEdit) {
            EXPECT_EQ(a.HorzAttenuation, horzdB);
            EXPECT_EQ(a.VertAttenuation, d.LinesPage.Line.dBPerFoot());
        } else {
            EXPECT_EQ(a.HorzAttenuation, -1);
        }
    }
}

TEST_F(LinesPage, QPTLineOnAChannelThatIsNotANumberFailsTheExit) {
    TBroadcastDesign& d = test::WorkingFromSample("kvr_horizontal_ch34.bcst");
    TfrmLines page(Next);
    page.PageEnter();
    page.SelectRow(RowOf(page, "ORL618QPT"));
    d.OptionsPage.Channel.ChannelNumber = "34A";
    const std::string before = d.LinesPage.Line.PartNumber;
    EXPECT_THROW(page.PageExit(), Error);
    EXPECT_EQ(d.LinesPage.Line.PartNumber, before);
}

TEST_F(LinesPage, BadLineTableReachesTheCaller) {
    test::WorkingFromSample("kvr_horizontal_ch34.bcst");
    InitFolders(test::FixturesDir() + "lines/install");
    TfrmLines page(Next);
    EXPECT_THROW(page.PageEnter(), Error);
    InitFolders(test::BinDir());
}

TEST_F(LinesPage, ColumnWidthsFitTheHeadersAndGiveTheRestToTheDescription) {
    TBroadcastDesign& d = test::WorkingFromSample("kvr_horizontal_ch34.bcst");
    auto width = [](const std::string& s) { return static_cast<int>(s.size()) * 7; };
    for (TServiceType service : {stDigital, stAnalog}) {
        d.OptionsPage.Service = service;
        TfrmLines page(Next);
        page.PageEnter();
        std::vector<int> w = page.GridColWidths(800, width);
        ASSERT_EQ(static_cast<int>(w.size()), page.ColCount());
        int others = 0;
        for (int c = 0; c < page.ColCount(); ++c) {
            if (c == 2) continue;
            EXPECT_EQ(w[c], width(TfrmLines::HeaderText(c)) + 8);
            others += w[c];
        }
        EXPECT_EQ(w[2], 800 - others - (service == stDigital ? 20 : 21));
        // A narrow grid never squeezes the description below its header.
        EXPECT_EQ(page.GridColWidths(100, width)[2],
                  width("Transmission Line Description") + 8);
    }
}

// ---- the custom line dialog ----------------------------------------------------------

TEST(CustomLineDialog, NumbersOutsideTheRangeAreRefusedAndTheValueRestored) {
    TfrmCustomLine d;
    d.SetAveragePower(60);
    d.SetAttenuation(0.15);
    EXPECT_EQ(d.FieldText(TfrmCustomLine::cfAveragePower), "60.00");
    EXPECT_EQ(d.FieldText(TfrmCustomLine::cfAttenuation), "0.150");
    struct Case {
        TfrmCustomLine::TField field;
        const char* typed;
        bool accepted;
        const char* shown;
    } cases[] = {
        {TfrmCustomLine::cfAveragePower, "25", true, "25.00"},
        {TfrmCustomLine::cfAveragePower, "100.001", false, "25.00"},
        {TfrmCustomLine::cfAveragePower, "-1", false, "25.00"},
        {TfrmCustomLine::cfAveragePower, "abc", false, "25.00"},
        {TfrmCustomLine::cfAveragePower, "", false, "25.00"},
        {TfrmCustomLine::cfAveragePower, "12.346", true, "12.35"},
        {TfrmCustomLine::cfAttenuation, "0.5", true, "0.500"},
        {TfrmCustomLine::cfAttenuation, "1e308", false, "0.500"},
        {TfrmCustomLine::cfAttenuation, "100", true, "100.000"},
        {TfrmCustomLine::cfAttenuation, "0", true, "0.000"},
    };
    for (const Case& c : cases) {
        d.EditField(c.field, c.typed);
        EXPECT_EQ(d.LeaveField(c.field), c.accepted) << c.typed;
        EXPECT_EQ(d.FieldText(c.field), c.shown) << c.typed;
        EXPECT_EQ(d.Hint().empty(), c.accepted) << c.typed;
    }
    EXPECT_EQ(d.AveragePower(), 12.35);
    EXPECT_EQ(d.Attenuation(), 0);
}

TEST(CustomLineDialog, EnterClosesWithOkUnlessTheNumberIsRefused) {
    ScopedDecimalSeparator comma(',');
    TfrmCustomLine d;
    d.SetAveragePower(60);
    d.SetAttenuation(0.15);
    d.EditField(TfrmCustomLine::cfDescription, "Line A");
    EXPECT_EQ(d.Description(), "Line A");
    d.EditField(TfrmCustomLine::cfAveragePower, "250");
    EXPECT_FALSE(d.AcceptFrom(TfrmCustomLine::cfAveragePower));
    EXPECT_FALSE(d.Closed());
    EXPECT_EQ(d.FieldText(TfrmCustomLine::cfAveragePower), "60,00");
    d.EditField(TfrmCustomLine::cfAveragePower, "2,5");
    EXPECT_TRUE(d.AcceptFrom(TfrmCustomLine::cfAveragePower));
    EXPECT_TRUE(d.Closed());
    EXPECT_TRUE(d.ModalResultOk());
    EXPECT_EQ(d.AveragePower(), 2.5);
    // Enter commits the other fields too: one typed but never left is refused there.
    d.EditField(TfrmCustomLine::cfAttenuation, "200");
    EXPECT_FALSE(d.AcceptFrom(TfrmCustomLine::cfDescription));
    EXPECT_EQ(d.FieldText(TfrmCustomLine::cfAttenuation), "0,150");
    EXPECT_TRUE(d.AcceptFrom(TfrmCustomLine::cfDescription));
}

TEST(CustomLineDialog, ExecuteWithoutADialogFails) {
    ScriptedCustomLine none(nullptr);
    TfrmCustomLine d;
    EXPECT_THROW(d.Execute(), Error);
}
