#include "app/pageviews.h"

#include <QWidget>

#include "wizard/wizardpage.h"

namespace velmo {

QWidget* CreatePageView(TWizardPage& page, QWidget* parent) {
    // Each page's widget joins here as it is built, chosen by the logic's class.
    (void)page;
    (void)parent;
    return nullptr;
}

}  // namespace velmo
