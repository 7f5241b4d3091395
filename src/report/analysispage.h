#pragma once
// The power analysis page of the report: the power chain of the design drawn as a
// picture ("ANALYSIS" for TV, "FMANALYSIS" for FM) with the figures of the power
// analysis written beside and inside it. The builders only read the design.
#include <string>

#include "model/design.h"
#include "report/reporter.h"

namespace velmo {

// The page's pictures, by system type.
inline const std::string kTVAnalysisPicture = "ANALYSIS";
inline const std::string kFMAnalysisPicture = "FMANALYSIS";

// Page frame, then the TV or FM page body by the design's system type.
void DrawAnalysisPage(TReporter& reporter, TBroadcastDesign& design);
void DrawTVAnalysis(TReporter& reporter, TBroadcastDesign& design);
void DrawFMAnalysis(TReporter& reporter, TBroadcastDesign& design);

}  // namespace velmo
