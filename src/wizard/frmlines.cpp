#include "wizard/frmlines.h"

#include <algorithm>
#include <cmath>

#include "base/numbers.h"
#include "model/design.h"
#include "wizard/frmcustomline.h"
#include "wizard/wizardflags.h"

namespace velmo {

namespace {
constexpr int kColumns = 7;
const char* const kHeaders[kColumns] = {"",
                                        "Part Number",
                                        "Transmission Line Description",
                                        "dB/100 feet",
                                        "Total (dB)",
                                        "Average Power (kW)",
                                        "Peak Power (kW)"};
}  // namespace

TfrmLines::TfrmLines(TWizardButton& nextButton) : TWizardPage(nextButton) {}

const char* TfrmLines::HeaderText(int col) {
    return col >= 0 && col < kColumns ? kHeaders[col] : "";
}

const std::string& TfrmLines::Cell(int col, int row) const {
    static const std::string empty;
    if (row < 0 || row >= RowCount() || col < 0 || col >= kColumns) return empty;
    return FCells[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

// ---- page protocol ----------------------------------------------------------------------

void TfrmLines::PageEnter() {
    LinesPageEntered() = true;
    TBroadcastDesign& design = WorkingDesign();
    LoadTransmissionList(design.OptionsPage.Market, design.OptionsPage.Channel);
    PopulateGrid();
    LoadUI();
    // A line is always chosen (the Custom line at least): the page is complete.
    NextButton.SetEnabled(true);
    Changed();
}

void TfrmLines::PageExit() {
    TBroadcastDesign& design = WorkingDesign();
    if (FLine.PartNumber.find("QPT") != std::string::npos)
        FLine.HorzdB = GetWaveguideHorzdB(design.OptionsPage.Channel.ChannelNumber);
    design.LinesPage.Line.Assign(FLine);
    if (DesignState == dsEdit) design.InitializeAnalisys();
}

void TfrmLines::LoadTransmissionList(TMarketType market, const TChannel& channel) {
    velmo::LoadTransmissionList(TransmissionLines, market, channel);
}

// ---- grid -------------------------------------------------------------------------------

void TfrmLines::PopulateGrid() {
    const int count = TransmissionLines.Count();
    // Resizing keeps the cells of rows that stay (the total and peak columns are
    // written by their own steps).
    FCells.resize(static_cast<size_t>(count + 1), std::vector<std::string>(kColumns));
    for (int c = 0; c < kColumns; ++c) FCells[0][static_cast<size_t>(c)] = kHeaders[c];
    for (int i = 0; i < count; ++i) {
        const TTransmissionLine& line = TransmissionLines.Line(i);
        std::vector<std::string>& row = FCells[static_cast<size_t>(i + 1)];
        row[1] = line.PartNumber;
        row[2] = line.Description;
        row[3] = FormatFixed(line.dBPerFoot(), 3);
        row[5] = FormatFixed(line.AvgPower(), 2);
    }
    FTotalLinesText = "Total Lines: " + FormatInt(count);
    FRow = 1;
}

void TfrmLines::PopulateTotaldB() {
    for (int i = 0; i < TransmissionLines.Count() && i + 1 < RowCount(); ++i)
        FCells[static_cast<size_t>(i + 1)][4] = FormatFixed(TransmissionLines.Line(i).TotaldB(), 3);
}

void TfrmLines::PopulatePeakPower() {
    for (int i = 0; i < TransmissionLines.Count() && i + 1 < RowCount(); ++i)
        FCells[static_cast<size_t>(i + 1)][6] =
            FormatFixed(TransmissionLines.Line(i).PeakPower(), 3);
}

void TfrmLines::SetLineSelection() {
    const int index = FRow - 1;
    if (index >= 0 && index < TransmissionLines.Count()) FLine.Assign(TransmissionLines.Line(index));
}

void TfrmLines::SelectRow(int row) {
    if (row < 1 || row > TransmissionLines.Count()) return;
    FRow = row;
    SetLineSelection();
    Changed();
}

void TfrmLines::DoubleClickRow(int row) {
    if (row != 1 || TransmissionLines.Empty()) return;
    SetCustomLine();
}

void TfrmLines::SetCustomLine() {
    if (TransmissionLines.Empty()) return;
    TTransmissionLine& custom = TransmissionLines.Line(0);
    TfrmCustomLine dialog;
    dialog.SetDescription(custom.Description);
    dialog.SetAttenuation(custom.dBPerFoot());
    dialog.SetAveragePower(custom.AvgPower());
    if (!dialog.Execute()) return;
    custom.Description = dialog.Description();
    custom.SetAvgPower(dialog.AveragePower());
    custom.SetdBPerFoot(dialog.Attenuation());
    PopulateGrid();  // selects row 1, the Custom line
    PopulateTotaldB();
    PopulatePeakPower();
    SetLineSelection();
    Changed();
}

std::vector<int> TfrmLines::GridColWidths(
    int clientWidth, const std::function<int(const std::string&)>& textWidth) const {
    std::vector<int> widths(static_cast<size_t>(FColCount));
    int others = 0;
    for (int c = 0; c < FColCount; ++c) {
        widths[static_cast<size_t>(c)] = textWidth(kHeaders[c]) + ColumnMargin;
        if (c != 2) others += widths[static_cast<size_t>(c)];
    }
    const int rest = clientWidth - others - (FColCount == 6 ? 20 : 21);
    widths[2] = std::max(widths[2], rest);
    return widths;
}

// ---- entries ----------------------------------------------------------------------------

int TfrmLines::ClampLength(double value) const {
    if (!std::isfinite(value)) return MinLength;
    const double r = std::nearbyint(value);
    return static_cast<int>(std::clamp(r, double(MinLength), double(MaxLength)));
}

void TfrmLines::SetVertLength(double value) {
    FVertLength = ClampLength(value);
    SetTotalLengthField();
    Changed();
}

void TfrmLines::SetHorzLength(double value) {
    FHorzLength = ClampLength(value);
    SetTotalLengthField();
    Changed();
}

int TfrmLines::GetTotalLengthFieldValue() const {
    long long v = 0;
    if (!TryStrToInt(FTotalLengthText, v)) return 0;
    return static_cast<int>(v);
}

void TfrmLines::SetTotalLengthField() {
    TLinesPage& lines = WorkingDesign().LinesPage;
    lines.VertLength = FVertLength;
    lines.HorzLength = FHorzLength;
    const std::string text = FormatInt(static_cast<long long>(FVertLength) + FHorzLength);
    if (text == FTotalLengthText) return;
    FTotalLengthText = text;
    OnTotalRunLengthChange(GetTotalLengthFieldValue());
}

void TfrmLines::DoTotalRunLengthChange() { OnTotalRunLengthChange(GetTotalLengthFieldValue()); }

void TfrmLines::OnTotalRunLengthChange(int length) {
    TransmissionLines.SetTotalRunLength(length);
    PopulateTotaldB();
    SetLineSelection();
}

void TfrmLines::SetAural(int value) {
    OnAuralChange(std::clamp(value, MinAural, MaxAural));
    Changed();
}

void TfrmLines::SetupPeakPowerField() {
    TBroadcastDesign& design = WorkingDesign();
    if (design.OptionsPage.Service == stDigital) {
        FAuralVisible = false;
        FColCount = 6;
        return;
    }
    FAuralVisible = true;
    FColCount = 7;
    // The entry holds 5 … 20; the value it shows is the one applied.
    OnAuralChange(std::clamp<int>(design.LinesPage.PeakPower, MinAural, MaxAural));
}

void TfrmLines::OnAuralChange(int aural) {
    FAural = aural;
    WorkingDesign().LinesPage.PeakPower = aural;
    TransmissionLines.SetAural(aural);
    PopulatePeakPower();
    SetLineSelection();
}

void TfrmLines::LoadUI() {
    TBroadcastDesign& design = WorkingDesign();
    // 1. the lengths, without their change handlers
    FVertLength = ClampLength(design.LinesPage.VertLength);
    FHorzLength = ClampLength(design.LinesPage.HorzLength);
    // 2. every catalog line gets the total run, the design the lengths
    DoTotalRunLengthChange();
    SetTotalLengthField();
    // 3.
    SetupPeakPowerField();
    // 4. the design's line, or the Custom line when the catalog no longer has it
    const TTransmissionLine& designLine = design.LinesPage.Line;
    int found = -1;
    for (int i = 0; i < TransmissionLines.Count(); ++i)
        if (TransmissionLines.Line(i).PartNumber == designLine.PartNumber) {
            found = i;
            break;
        }
    if (found >= 0) {
        TTransmissionLine& line = TransmissionLines.Line(found);
        if (line.PartNumber == "Custom") {
            line.SetdBPerFoot(designLine.dBPerFoot());
            line.SetAvgPower(designLine.AvgPower());
            PopulateGrid();
            PopulateTotaldB();
            PopulatePeakPower();
        }
        FRow = found + 1;
    } else {
        FRow = 1;
    }
    SetLineSelection();
    // 5.
    FInputSizeVisible = false;
}

}  // namespace velmo
