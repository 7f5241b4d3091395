#pragma once
// The pattern pages of the report: for each printed azimuth pattern a polar plot page
// with its data block, a tabulated page (every 2 degrees) and, in the full report, the
// FCC filing-format page (every 10 degrees, with ERP); for each elevation pattern a
// rectangular plot page with its data block and a tabulated page (every quarter degree
// to 10 degrees, every half degree beyond).
//
// The kind of a pattern selects it in the design: ptHorizontal = TV horizontal
// polarization, ptVertical = TV vertical polarization, ptFM = FM.
//
// Every builder draws on the recorder's current page and calls NewPage between the
// pages it makes. The azimuth builders rebuild the printed pattern's AdjustedPoints;
// nothing else in the design changes.
#include <string>
#include <vector>

#include "base/types.h"
#include "model/design.h"
#include "report/reporter.h"

namespace velmo {

// Table capacities of one page.
constexpr int kAzimuthTableGroups = 4;
constexpr int kAzimuthTableRows = 46;  // rows per group
constexpr int kFCCTableRows = 36;      // azimuth 0, 10, ... 350
constexpr int kElevationTableGroups = 5;
constexpr int kElevationTableRows = 49;  // rows per group

// TV: the horizontal pattern's pages, then (polarization "E", family other than KVR)
// the vertical pattern's on a new page. FM: the FM pattern's. Full adds the FCC page.
void DrawAzimuthPages(TReporter& reporter, TBroadcastDesign& design, bool full);
// The same selection of elevation patterns.
void DrawElevationPages(TReporter& reporter, TBroadcastDesign& design);

// Plot page, tabulated page and (full) FCC page of one azimuth pattern.
void DrawAzimuthPatternPages(TReporter& reporter, TBroadcastDesign& design, TPatternType kind,
                             bool full);
// Plot page and tabulated page of one elevation pattern.
void DrawElevationPatternPages(TReporter& reporter, TPatternType kind, TBroadcastDesign& design);

// ---- page parts ---------------------------------------------------------------------

// Page frame and the data block above the polar plot.
void DrawAzimuthHeader(TReporter& reporter, TBroadcastDesign& design, TPatternType kind);
// Page frame, title, "Type:" and "Polarization:" lines of the tabulated azimuth page.
void DrawAzimuthTableHeader(TReporter& reporter, TBroadcastDesign& design, TPatternType kind);
// The tabulated azimuth page of `points` (the pattern's adjusted points): every point
// whose rounded angle is even, 46 rows per group, four groups per page. Rows beyond
// one page continue on a new page with the same header.
void DrawAzimuthTable(TReporter& reporter, TBroadcastDesign& design, const TRealPointList& points,
                      TPatternType kind);
// Page frame and titles of the FCC filing-format page.
void DrawFCCHeader(TReporter& reporter, TBroadcastDesign& design, TPatternType kind);
// The FCC filing-format page: row k from the point at list position 10 k (k = 0 ... 35)
// with ERP = erpkW * field^2. A list shorter than 351 points gives only the rows whose
// point exists; an empty list gives the headings alone.
void DrawFCCTable(TReporter& reporter, TBroadcastDesign& design, const TRealPointList& points,
                  TPatternType kind, double erpkW);
// Page frame and the data block above the rectangular plot.
void DrawElevationHeader(TReporter& reporter, TBroadcastDesign& design, TPatternType kind);
// Page frame, title, "Type:" and "Polarization:" lines of the tabulated elevation page.
void DrawElevationTableHeader(TReporter& reporter, TBroadcastDesign& design, TPatternType kind);
// The tabulated elevation page: see ElevationTableRows; 49 rows per group, five groups
// per page. Rows beyond one page continue on a new page with the same header.
void DrawElevationTable(TReporter& reporter, TBroadcastDesign& design, TPatternType kind,
                        const TRealPointList& points);

// ---- selections and values the pages print ------------------------------------------

// List positions of the tabulated azimuth rows: points whose rounded angle is even.
std::vector<int> AzimuthTableRows(const TRealPointList& points);
// List positions of the tabulated elevation rows: angles from -10 to 90; every quarter
// degree until a point lies exactly on 10, every half degree from there on.
std::vector<int> ElevationTableRows(const TRealPointList& points);
// The elevation pattern name of the data block and the table ("Type:").
std::string ElevationTypeText(const TBroadcastDesign& design, TPatternType kind);
// The ERP (kW) the FCC page of the kind multiplies: vertical for ptVertical, else
// horizontal.
double FCCPageERP(const TBroadcastDesign& design, TPatternType kind);

}  // namespace velmo
