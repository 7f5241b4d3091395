#pragma once
// Runs a user action of a page widget so that no exception crosses the event loop:
// an Error is shown in an error box and the action ends there.
#include <exception>

#include "base/error.h"
#include "wizard/userinterface.h"

namespace velmo {

template <class F>
void RunGuarded(F&& action) {
    try {
        action();
    } catch (const std::exception& e) {
        try {
            UI().Message(TMsgKind::Error, e.what(), TMsgButtons::Ok);
        } catch (...) {
        }
    }
}

}  // namespace velmo
