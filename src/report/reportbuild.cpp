// Composition of the reports.
#include "report/reportbuild.h"

#include <string>
#include <vector>

#include "model/design.h"
#include "report/analysispage.h"
#include "report/gifimage.h"
#include "report/patternpages.h"
#include "report/specsheet.h"

namespace velmo {

namespace {

// A recorder whose PDF carries the design's title and part number.
std::unique_ptr<TReporter> NewReporter(TBroadcastDesign& design) {
    auto r = std::make_unique<TReporter>();
    r->SetDocumentTitle(design.GetTitle());
    r->SetSubject(design.BuildPartNumber());
    return r;
}

// The steps shared by the TV and FM reports; the recorder's first page exists when it
// is created, every further page starts with NewPage.
std::unique_ptr<TReporter> BuildFullReport(TBroadcastDesign& design, bool azimuthPages) {
    auto r = NewReporter(design);
    const std::string& family = design.OptionsPage.FamilyID;
    const bool custom = family == "CTM";
    StartDecodingReportPictures(design, rkFull);
    if (!custom) {
        DrawCoverPage(*r, design);
        r->NewPage();
    }
    DrawElectricalPage(*r, design);
    r->NewPage();
    if (!custom) {
        DrawMechanicalPage(*r, design);
        r->NewPage();
    }
    DrawAnalysisPage(*r, design);
    if (!custom) {
        if (family == "KLX-UHF" || family == "KLX-VHF") {
            r->NewPage();
            DrawMountingPage(*r, design);
        }
        if (azimuthPages) {
            r->NewPage();
            DrawAzimuthPages(*r, design, true);
        }
        r->NewPage();
        DrawElevationPages(*r, design);
    }
    return r;
}

}  // namespace

void StartDecodingReportPictures(const TBroadcastDesign& design, TReportKind kind) {
    // The analysis picture takes by far the longest to decode; it goes after the
    // pictures the first pages show. The pages' own pictures start when recorded.
    std::vector<std::string> ahead{kLogoPicture};
    if (kind == rkFull) {
        if (design.OptionsPage.FamilyID != "CTM") ahead.push_back(kFooterPicture);
        if (design.DesignInfo.SystemType == "TV") ahead.push_back(kTVAnalysisPicture);
        if (design.DesignInfo.SystemType == "FM") ahead.push_back(kFMAnalysisPicture);
    }
    PreloadGifResources(ahead);
}

std::unique_ptr<TReporter> BuildTVReport(TBroadcastDesign& design) {
    return BuildFullReport(design, true);
}

std::unique_ptr<TReporter> BuildFMReport(TBroadcastDesign& design) {
    // FM azimuth patterns are printed from the FM azimuth page alone.
    return BuildFullReport(design, false);
}

std::unique_ptr<TReporter> BuildReport(TBroadcastDesign& design) {
    return design.DesignInfo.SystemType == "FM" ? BuildFMReport(design) : BuildTVReport(design);
}

std::unique_ptr<TReporter> PrintAzimuthReport(TBroadcastDesign& design, bool full) {
    auto r = NewReporter(design);
    r->SetTitle("Azimuth Pattern");
    DrawAzimuthPages(*r, design, full);
    return r;
}

std::unique_ptr<TReporter> PrintElevationReport(TBroadcastDesign& design) {
    auto r = NewReporter(design);
    DrawElevationPages(*r, design);
    return r;
}

std::unique_ptr<TReporter> BuildReportOfKind(TBroadcastDesign& design, TReportKind kind) {
    switch (kind) {
        case rkAzimuth:
            return PrintAzimuthReport(design, false);
        case rkElevation:
            return PrintElevationReport(design);
        case rkFull:
            break;
    }
    return BuildReport(design);
}

int WriteReportPdf(TBroadcastDesign& design, TReportKind kind, const std::string& path) {
    const auto r = BuildReportOfKind(design, kind);
    WritePdf(*r, path);
    return r->GetPageCount();
}

}  // namespace velmo
