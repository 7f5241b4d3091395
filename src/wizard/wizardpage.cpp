#include "wizard/wizardpage.h"

namespace velmo {

void TWizardButton::SetEnabled(bool value) {
    FEnabled = value;
    if (OnChange) OnChange();
}

void TWizardButton::SetCaption(const std::string& value) {
    FCaption = value;
    if (OnChange) OnChange();
}

}  // namespace velmo
