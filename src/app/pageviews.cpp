#include "app/pageviews.h"

#include <QWidget>

#include "app/optionsview.h"
#include "wizard/fmoptions.h"
#include "wizard/options.h"
#include "wizard/wizardpage.h"

namespace velmo {

QWidget* CreatePageView(TWizardPage& page, QWidget* parent) {
    // Each page's widget joins here as it is built, chosen by the logic's class.
    if (auto* p = dynamic_cast<TfrmOptions*>(&page)) return new TfrmOptionsView(*p, parent);
    if (auto* p = dynamic_cast<TfrmFMOptions*>(&page)) return new TfrmFMOptionsView(*p, parent);
    return nullptr;
}

}  // namespace velmo
