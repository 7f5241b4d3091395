#include "app/pageviews.h"

#include <QWidget>

#include "app/azimuthviews.h"
#include "app/customviews.h"
#include "app/elevationviews.h"
#include "app/frmanalysisview.h"
#include "app/frmlinesview.h"
#include "app/optionsview.h"
#include "wizard/azimuthpages.h"
#include "wizard/elevationpages.h"
#include "wizard/fmoptions.h"
#include "wizard/frmanalysis.h"
#include "wizard/frmlines.h"
#include "wizard/options.h"
#include "wizard/wizardpage.h"

namespace velmo {

QWidget* CreatePageView(TWizardPage& page, QWidget* parent) {
    // Each page's widget joins here as it is built, chosen by the logic's class.
    if (auto* p = dynamic_cast<TfrmOptions*>(&page)) return new TfrmOptionsView(*p, parent);
    if (auto* p = dynamic_cast<TfrmFMOptions*>(&page)) return new TfrmFMOptionsView(*p, parent);
    if (auto* p = dynamic_cast<TfrmAzimuth*>(&page)) return new TfrmAzimuthView(*p, parent);
    if (auto* p = dynamic_cast<TfrmFMAzimuth*>(&page)) return new TfrmFMAzimuthView(*p, parent);
    if (auto* p = dynamic_cast<TfrmElevation*>(&page)) return new TfrmElevationView(*p, parent);
    if (auto* p = dynamic_cast<TfrmFMElevation*>(&page)) return new TfrmFMElevationView(*p, parent);
    if (QWidget* custom = CreateCustomPageView(page, parent)) return custom;
    if (auto* lines = dynamic_cast<TfrmLines*>(&page)) return new TfrmLinesView(*lines, parent);
    if (auto* tv = dynamic_cast<TfrmAnalysis*>(&page)) return new TfrmAnalysisView(*tv, parent);
    if (auto* fm = dynamic_cast<TfrmFMAnalysis*>(&page)) return new TfrmFMAnalysisView(*fm, parent);
    return nullptr;
}

}  // namespace velmo
