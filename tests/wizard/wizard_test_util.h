#pragma once
// Shared set-up of the wizard page tests: the working design loaded from a sample of
// the installation beside the test program.
#include <string>

#include "model/design.h"
#include "test_support.h"

namespace velmo::test {

// Replaces the working design by the sample `name` (in samples/) and returns it.
inline TBroadcastDesign& WorkingFromSample(const std::string& name) {
    std::unique_ptr<TBroadcastDesign> d = LoadDesignFile(BinDir() + "samples/" + name);
    TBroadcastDesign fresh;
    WorkingDesign().Assign(fresh);
    WorkingDesign().Assign(*d);
    return WorkingDesign();
}

}  // namespace velmo::test
