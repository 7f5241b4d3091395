#include "wizard/pagefactory.h"

#include "wizard/frmanalysis.h"
#include "wizard/frmlines.h"

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
    if (className == "TfrmLines") return std::make_unique<TfrmLines>(nextButton);
    if (className == "TfrmAnalysis") return std::make_unique<TfrmAnalysis>(nextButton);
    if (className == "TfrmFMAnalysis") return std::make_unique<TfrmFMAnalysis>(nextButton);
    return nullptr;
}

}  // namespace velmo
