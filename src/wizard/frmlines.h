#pragma once
// Wizard step 4: the transmission line. The user picks a line from the catalog built
// for the design's channel, enters the vertical and horizontal run lengths and, for
// analog service, the aural percentage used for the peak power rating. The first
// catalog row is the user-defined "Custom" line, edited in its own dialog.
#include <functional>
#include <string>
#include <vector>

#include "analysis/lines.h"
#include "wizard/wizardpage.h"

namespace velmo {

class TfrmLines : public TWizardPage {
public:
    static constexpr int MinAural = 5;
    static constexpr int MaxAural = 20;
    // Run lengths are whole feet in this range.
    static constexpr int MinLength = 0;
    static constexpr int MaxLength = 99999;
    // Grid layout: the row height, and the pixels added to a header text's width.
    static constexpr int RowHeight = 20;
    static constexpr int ColumnMargin = 8;

    explicit TfrmLines(TWizardButton& nextButton);

    void PageEnter() override;
    void PageExit() override;

    // ---- the catalog ------------------------------------------------------------------
    void LoadTransmissionList(TMarketType market, const TChannel& channel);
    TTransmissionLineList TransmissionLines;
    // The current selection (a copy of the selected catalog line).
    const TTransmissionLine& Line() const { return FLine; }

    // ---- the grid -----------------------------------------------------------------------
    // 7 columns for analog service (with "Peak Power (kW)"), 6 for digital. Row 0 is
    // the header; line i is in row i + 1.
    int ColCount() const { return FColCount; }
    int RowCount() const { return static_cast<int>(FCells.size()); }
    static const char* HeaderText(int col);
    const std::string& Cell(int col, int row) const;
    // Column 1 left-aligned, columns 3 to 6 right-aligned (header cells centred).
    static bool RightAligned(int col) { return col >= 3; }
    // The selected row (1 … line count).
    int Row() const { return FRow; }
    // A click on a row: selects it and takes its line (header or out of range: ignored).
    void SelectRow(int row);
    // A double-click: on row 1 (the Custom line) opens the custom line dialog.
    void DoubleClickRow(int row);
    // "Total Lines: N" (the Custom line included).
    const std::string& TotalLinesText() const { return FTotalLinesText; }
    // The column widths for a grid whose client area is `clientWidth` pixels wide:
    // each column its header text plus 8 pixels, column 2 the rest less 20 pixels (6
    // columns) or 21 (7), never below its own header width.
    std::vector<int> GridColWidths(int clientWidth,
                                   const std::function<int(const std::string&)>& textWidth) const;

    void PopulateGrid();
    void PopulateTotaldB();
    void PopulatePeakPower();
    void SetLineSelection();
    void SetCustomLine();

    // ---- the entries -------------------------------------------------------------------
    int VertLength() const { return FVertLength; }
    int HorzLength() const { return FHorzLength; }
    // A change of a length entry: the value rounded to whole feet (ties to even) and
    // kept within MinLength … MaxLength; the total and the catalog follow.
    void SetVertLength(double value);
    void SetHorzLength(double value);
    // The read-only total field.
    const std::string& TotalLengthText() const { return FTotalLengthText; }
    int GetTotalLengthFieldValue() const;
    void SetTotalLengthField();
    void DoTotalRunLengthChange();
    void OnTotalRunLengthChange(int length);

    bool AuralVisible() const { return FAuralVisible; }
    int Aural() const { return FAural; }
    // A change of the aural entry (up/down buttons only): kept within 5 … 20.
    void SetAural(int value);
    void SetupPeakPowerField();
    void OnAuralChange(int aural);

    // The antenna input-size selector: present, always hidden.
    static std::vector<std::string> InputSizeItems() { return {"6-1/8", "7-3/16", "8-3/16"}; }
    bool InputSizeVisible() const { return FInputSizeVisible; }

    void LoadUI();

private:
    int ClampLength(double value) const;

    TTransmissionLine FLine;
    std::vector<std::vector<std::string>> FCells;  // [row][col], 7 columns always
    int FColCount = 6;
    int FRow = 1;
    std::string FTotalLinesText;
    int FVertLength = 1000;
    int FHorzLength = 100;
    std::string FTotalLengthText;
    bool FAuralVisible = false;
    int FAural = 10;
    bool FInputSizeVisible = true;
};

}  // namespace velmo
