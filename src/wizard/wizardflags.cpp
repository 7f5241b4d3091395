#include "wizard/wizardflags.h"

namespace velmo {

bool& CustomElevationEntered() {
    static bool flag = false;
    return flag;
}

bool& LinesPageEntered() {
    static bool flag = false;
    return flag;
}

}  // namespace velmo
