#pragma once
// The reports of a design, composed page by page on a new recorder. The caller hands
// the recorder to an output: the preview window of the desktop program, or a PDF file.
#include <memory>
#include <string>

#include "report/reporter.h"

namespace velmo {

class TBroadcastDesign;

// The full TV report: cover, electrical, mechanical, power analysis, (KLX families)
// mounting picture, azimuth pages with the FCC page, elevation pages. A custom design
// ("CTM") gets the electrical and power analysis pages only.
std::unique_ptr<TReporter> BuildTVReport(TBroadcastDesign& design);
// The full FM report: as TV without the azimuth pages.
std::unique_ptr<TReporter> BuildFMReport(TBroadcastDesign& design);
// BuildFMReport for system type "FM", BuildTVReport otherwise.
std::unique_ptr<TReporter> BuildReport(TBroadcastDesign& design);
// The azimuth pages alone, titled "Azimuth Pattern"; full adds the FCC filing page.
std::unique_ptr<TReporter> PrintAzimuthReport(TBroadcastDesign& design, bool full);
// The elevation pages alone.
std::unique_ptr<TReporter> PrintElevationReport(TBroadcastDesign& design);

// Which report a command asks for.
enum TReportKind { rkFull = 0, rkAzimuth = 1, rkElevation = 2 };
std::unique_ptr<TReporter> BuildReportOfKind(TBroadcastDesign& design, TReportKind kind);

// Starts decoding, on threads of their own, the pictures a report of that kind shows
// first and the largest of them, so that they are ready when its pages are drawn. The
// report builders call it themselves; a caller that has the design before the report
// can be built (velmo-cli, while Qt starts) calls it sooner.
void StartDecodingReportPictures(const TBroadcastDesign& design, TReportKind kind);

// Builds the report and writes it as a PDF file (replaced only when written
// completely); returns the number of pages. Throws Error when the file cannot be
// written.
int WriteReportPdf(TBroadcastDesign& design, TReportKind kind, const std::string& path);

}  // namespace velmo
