#pragma once
// The specification sheet pages of a design's report: the frame every page but the
// cover carries, the cover page, the title block, the electrical and mechanical
// characteristics pages with their notes, and the mounting picture page.
//
// Every builder draws on the recorder's current page, in page units (1/100 inch) on
// the 850 x 1100 page. The design is taken by non-const reference only because its
// part number and mechanical data are computed on demand (and refresh InputType);
// no builder changes what the user decided.
#include <string>

#include "report/reporter.h"

namespace velmo {

class TBroadcastDesign;

// The report's one font family; every text is black.
inline const std::string kReportFont = "Arial";
// The frame's pictures: the logo on every page, the footer on the cover.
inline const std::string kLogoPicture = "Orvane_LOGO2";
inline const std::string kFooterPicture = "Orvane_FOOTER";

// Border, header rule, logo across the bottom border, part number and
// "<SpecNo>  Page <n>" in the header, the "Preliminary ..." line above the bottom.
void DrawPageFrame(TReporter& r, TBroadcastDesign& design);
// The cover's logo strip and footer band (no border).
void DrawCoverFrame(TReporter& r);
void DrawCoverPage(TReporter& r, TBroadcastDesign& design);

// The title block whose first line's top is at y: the custom title for family "CTM",
// else the preliminary title. Both leave their last font set.
void DrawSpecTitle(TReporter& r, TBroadcastDesign& design, double y);
void DrawPreliminaryTitle(TReporter& r, TBroadcastDesign& design, double y);
void DrawCustomTitle(TReporter& r, double y);

// Frame, then the TV or FM characteristics by the design's system type.
void DrawElectricalPage(TReporter& r, TBroadcastDesign& design);
void DrawTVElectrical(TReporter& r, TBroadcastDesign& design);
void DrawFMElectrical(TReporter& r, TBroadcastDesign& design);
void DrawMechanicalPage(TReporter& r, TBroadcastDesign& design);
void DrawTVMechanical(TReporter& r, TBroadcastDesign& design);
void DrawFMMechanical(TReporter& r, TBroadcastDesign& design);
// Frame, the "typical mounting" line and the side- or top-mount drawing.
void DrawMountingPage(TReporter& r, TBroadcastDesign& design);

// Wind-area symbols "CaAc:" and "Ac:" with subscripts, starting at (x, y) in the
// current font; both leave the font at italic 18.
void DrawCaAcLabel(TReporter& r, double x, double y);
void DrawAcLabel(TReporter& r, double x, double y);
// The notes at the foot of the mechanical page, stacked upward from Y = 940.
void DrawNotes(TReporter& r, TBroadcastDesign& design);

// The design date ("days since 30 December 1899") as "mmmm d, yyyy", e.g.
// "March 5, 2024"; an empty text for a date outside years 1 to 9999.
std::string FormatLongDate(double date);

}  // namespace velmo
