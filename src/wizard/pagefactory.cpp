#include "wizard/pagefactory.h"

#include "wizard/azimuthpages.h"
#include "wizard/custompages.h"
#include "wizard/elevationpages.h"
#include "wizard/fmoptions.h"
#include "wizard/frmanalysis.h"
#include "wizard/frmlines.h"
#include "wizard/options.h"

namespace velmo {

std::string PageClassFor(int step, const std::string& systemType, const std::string& familyID) {
    const bool tv = systemType == "TV";
    const bool fm = systemType == "FM";
    const bool custom = familyID == "CTM";
    switch (step) {
        case 1:
            return tv ? "TfrmOptions" : fm ? "TfrmFMOptions" : "";
        case 2:
            if (tv) return custom ? "TfrmCustomAzimuth" : "TfrmAzimuth";
            if (fm) return custom ? "TfrmFMCustomAzimuth" : "TfrmFMAzimuth";
            return "";
        case 3:
            if (tv) return custom ? "TfrmCustomElevation" : "TfrmElevation";
            if (fm) return custom ? "TfrmFMCustomElevation" : "TfrmFMElevation";
            return "";
        case 4:
            return "TfrmLines";
        case 5:
            return tv ? "TfrmAnalysis" : fm ? "TfrmFMAnalysis" : "";
        default:
            return "";
    }
}

std::unique_ptr<TWizardPage> CreateWizardPage(const std::string& className,
                                              TWizardButton& nextButton) {
    // Each page joins here as it is built.
    if (className == "TfrmOptions") return std::make_unique<TfrmOptions>(nextButton);
    if (className == "TfrmFMOptions") return std::make_unique<TfrmFMOptions>(nextButton);
    if (className == "TfrmAzimuth") return std::make_unique<TfrmAzimuth>(nextButton);
    if (className == "TfrmFMAzimuth") return std::make_unique<TfrmFMAzimuth>(nextButton);
    if (className == "TfrmElevation") return std::make_unique<TfrmElevation>(nextButton);
    if (className == "TfrmFMElevation") return std::make_unique<TfrmFMElevation>(nextButton);
    if (className == "TfrmCustomAzimuth") return std::make_unique<TfrmCustomAzimuth>(nextButton);
    if (className == "TfrmFMCustomAzimuth") return std::make_unique<TfrmFMCustomAzimuth>(nextButton);
    if (className == "TfrmCustomElevation") return std::make_unique<TfrmCustomElevation>(nextButton);
    if (className == "TfrmFMCustomElevation")
        return std::make_unique<TfrmFMCustomElevation>(nextButton);
    if (className == "TfrmLines") return std::make_unique<TfrmLines>(nextButton);
    if (className == "TfrmAnalysis") return std::make_unique<TfrmAnalysis>(nextButton);
    if (className == "TfrmFMAnalysis") return std::make_unique<TfrmFMAnalysis>(nextButton);
    return nullptr;
}

}  // namespace velmo
