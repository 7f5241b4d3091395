#pragma once
// Which page class serves a wizard step, and the page logic objects by class name.
#include <memory>
#include <string>

#include "wizard/wizardpage.h"

namespace velmo {

// The page class for `step` (1…5) of a design of `systemType` and `familyID`:
// "TfrmOptions", "TfrmFMAzimuth", "TfrmCustomElevation", … Empty when the step has
// no page (a step outside 1…5, or a system type other than "TV"/"FM" for steps 1, 2,
// 3 and 5).
std::string PageClassFor(int step, const std::string& systemType, const std::string& familyID);

// A new page logic object of `className`, or nothing when no such page exists (the
// wizard then shows an empty page area).
std::unique_ptr<TWizardPage> CreateWizardPage(const std::string& className,
                                              TWizardButton& nextButton);

}  // namespace velmo
