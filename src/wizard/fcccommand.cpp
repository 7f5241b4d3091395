#include "wizard/fcccommand.h"

#include "export/fcccheck.h"
#include "model/design.h"
#include "wizard/userinterface.h"

namespace velmo {

bool CanCheckFCCTabulation(const TBroadcastDesign& design) {
    return design.DesignInfo.SystemType == "FM";
}

void CheckFCCTabulationCommand(TBroadcastDesign& design) {
    const TFCCCheck check = CheckFCCTabulation(design);
    UI().Message(check.Pass() ? TMsgKind::Information : TMsgKind::Warning, FCCCheckMessage(check),
                 TMsgButtons::Ok);
}

}  // namespace velmo
