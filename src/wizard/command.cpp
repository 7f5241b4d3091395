#include "wizard/command.h"

#include <exception>

#include "base/error.h"
#include "wizard/userinterface.h"

namespace velmo {

bool RunCommand(const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const std::exception& e) {
        // velmo::Error carries the user's message; anything else is shown as it stands.
        try {
            UI().Message(TMsgKind::Error, e.what(), TMsgButtons::Ok);
        } catch (...) {
        }
    } catch (...) {
        try {
            UI().Message(TMsgKind::Error, "An unexpected error occurred.", TMsgButtons::Ok);
        } catch (...) {
        }
    }
    return false;
}

}  // namespace velmo
