#include "app/pageviews.h"

#include <QWidget>

#include "app/frmanalysisview.h"
#include "app/frmlinesview.h"
#include "wizard/frmanalysis.h"
#include "wizard/frmlines.h"
#include "wizard/wizardpage.h"

namespace velmo {

QWidget* CreatePageView(TWizardPage& page, QWidget* parent) {
    // Each page's widget joins here as it is built, chosen by the logic's class.
    if (auto* lines = dynamic_cast<TfrmLines*>(&page)) return new TfrmLinesView(*lines, parent);
    if (auto* tv = dynamic_cast<TfrmAnalysis*>(&page)) return new TfrmAnalysisView(*tv, parent);
    if (auto* fm = dynamic_cast<TfrmFMAnalysis*>(&page)) return new TfrmFMAnalysisView(*fm, parent);
    return nullptr;
}

}  // namespace velmo
